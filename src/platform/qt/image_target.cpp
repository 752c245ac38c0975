// QImage drawing target. One-pixel lines (Bresenham), boxes and points are written straight
// into the image's rows so that their pixels are exact, as the drawing rules count them;
// circles, polygons and text go through QPainter without antialiasing of shapes. Calls whose
// pixels all fall outside the image (or the clip box) are dropped before any work.
#include "platform/qt/image_target.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygon>
#include <QTextLayout>

namespace kardo {

namespace {

// Pixels a pen of width 1 may reach beyond the points of a shape, and text ink beyond its box.
constexpr double kShapeMargin = 2;

// Pixels a joined change box may hold beyond those of the boxes it joins.
constexpr std::int64_t kJoinSlack = 64 * 64;

// Dots per metre of kScreenDpi, as QImage keeps its resolution.
constexpr int kScreenDotsPerMeter = 3780;

// The Windows sans serif faces the drawers name, and "Symbol" (whose greater-or-equal sign the
// OR label needs; we print it as the Unicode character), all become Liberation Sans.
constexpr std::string_view kSansFaces[] = {
    "Arial", "Symbol", "MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "Helvetica"};

} // namespace

QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

QString MapFontFamily(std::string_view name) {
    for (std::string_view s : kSansFaces)
        if (name == s)
            return QStringLiteral("Liberation Sans");
    if (name == "Times New Roman")
        return QStringLiteral("Liberation Serif");
    if (name == "Courier New" || name == "Courier")
        return QStringLiteral("Liberation Mono");
    return ToQString(name);
}

QFont TargetFont(const DrawTarget& target) {
    QFont f(MapFontFamily(target.FontName));
    f.setPointSizeF(target.FontSize > 0 ? target.FontSize : 1.0);
    f.setBold(target.FontBold);
    return f;
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

ImageTarget::ImageTarget(int width, int height) { NewImage(width, height); }

ImageTarget::~ImageTarget() { EndPainter(); }

void ImageTarget::NewImage(int width, int height, int ox, int oy) {
    EndPainter();
    m_ox = ox;
    m_oy = oy;
    const QSize size(std::max(1, width), std::max(1, height));
    // A picture of the same size is only cleared: the kept window of the worksheet picture
    // moves often and keeps its size.
    if (m_image.size() != size) {
        m_image = QImage(size, QImage::Format_RGB32);
        // The new pixels may lie where the old ones lay, in rows of another length.
        m_rows = {};
        m_image.setDotsPerMeterX(kScreenDotsPerMeter);
        m_image.setDotsPerMeterY(kScreenDotsPerMeter);
    }
    m_whole = {0, 0, m_image.width() - 1, m_image.height() - 1};
    m_image.fill(Qt::white);
    UpdateArea();
    NoteEverything();
}

void ImageTarget::NoteEverything() {
    m_changedAll = true;
    m_changedCount = 0;
}

void ImageTarget::ForgetChanges() {
    m_changedAll = false;
    m_changedCount = 0;
}

void ImageTarget::NoteChange(int x0, int y0, int x1, int y1) {
    if (m_changedAll)
        return;
    // Under a clip every change lies in the area: the first call notes all of it, and the calls
    // of the clipped repaint that follow note nothing more.
    if (m_clipped) {
        if (m_clipNoted)
            return;
        m_clipNoted = true;
        x0 = m_area.x0, y0 = m_area.y0, x1 = m_area.x1, y1 = m_area.y1;
    }
    NoteBox(x0, y0, x1, y1);
}

void ImageTarget::NoteBox(int x0, int y0, int x1, int y1) {
    x0 = std::max(x0, m_area.x0);
    y0 = std::max(y0, m_area.y0);
    x1 = std::min(x1, m_area.x1);
    y1 = std::min(y1, m_area.y1);
    if (x0 > x1 || y0 > y1)
        return;
    const PixelBox box{x0 + m_ox, y0 + m_oy, x1 - x0 + 1, y1 - y0 + 1};
    // Drawing calls come in runs on one symbol: the box noted last is the likeliest to hold it,
    // or to take it in.
    if (m_lastChanged < m_changedCount) {
        PixelBox& last = m_changed[m_lastChanged];
        if (last.Contains(box))
            return;
        const PixelBox joined = Joined(last, box);
        if (joined.Area() - last.Area() <= box.Area() + kJoinSlack) {
            last = joined;
            return;
        }
    }
    // A box within a noted one adds nothing; one that joins a noted one into a box of not many
    // more pixels than the two hold (the three lines of a wire step, a symbol over its wire,
    // the symbols along a wire) goes into it: copying a few more pixels to the screen costs
    // less than another rectangle of the region to repaint. When all are in use, the box goes
    // where it adds the fewest pixels.
    std::size_t best = 0;
    std::int64_t bestGrowth = -1;
    for (std::size_t i = 0; i < m_changedCount; ++i) {
        PixelBox& noted = m_changed[i];
        if (noted.Contains(box))
            return;
        const PixelBox joined = Joined(noted, box);
        const std::int64_t growth = joined.Area() - noted.Area();
        if (growth <= box.Area() + kJoinSlack) {
            noted = joined;
            m_lastChanged = i;
            return;
        }
        if (bestGrowth < 0 || growth < bestGrowth) {
            best = i;
            bestGrowth = growth;
        }
    }
    if (m_changedCount < m_changed.size()) {
        m_lastChanged = m_changedCount;
        m_changed[m_changedCount++] = box;
        return;
    }
    m_changed[best] = Joined(m_changed[best], box);
    m_lastChanged = best;
}

void ImageTarget::NoteSurfaceChange(double x0, double y0, double x1, double y1) {
    NoteChange(static_cast<int>(std::floor(x0)) - m_ox, static_cast<int>(std::floor(y0)) - m_oy,
               static_cast<int>(std::ceil(x1)) - m_ox, static_cast<int>(std::ceil(y1)) - m_oy);
}

void ImageTarget::UpdateArea() {
    m_area = m_whole;
    if (m_clipped) {
        m_area.x0 = std::max(m_area.x0, m_clip.x - m_ox);
        m_area.y0 = std::max(m_area.y0, m_clip.y - m_oy);
        m_area.x1 = std::min(m_area.x1, m_clip.x + m_clip.w - 1 - m_ox);
        m_area.y1 = std::min(m_area.y1, m_clip.y + m_clip.h - 1 - m_oy);
    }
}

bool ImageTarget::SetClip(const PixelBox& box) {
    m_clip = box;
    m_clipped = true;
    m_clipNoted = false;
    m_remembering = false;
    SetClipReach(box, kScreenDpi / 72.0);
    UpdateArea();
    return true;
}

void ImageTarget::ClearClip() {
    if (m_remembering)
        RememberRepaint();
    m_clipped = false;
    ClearClipReach();
    UpdateArea();
}

bool ImageTarget::Touches(double x0, double y0, double x1, double y1) const {
    return x1 >= m_area.x0 + m_ox && x0 <= m_area.x1 + m_ox && y1 >= m_area.y0 + m_oy &&
           y0 <= m_area.y1 + m_oy;
}

ImageTarget::RowAccess ImageTarget::Rows() {
    // The rows stay where they are while no copy of the image shares them (a copy made since
    // would see the drawing: the image takes pixels of its own first) and nothing moved them.
    if (m_rows.bits == nullptr || !m_image.isDetached() || m_image.constBits() != m_rows.bits)
        m_rows = {m_image.bits(), m_image.bytesPerLine()};
    return m_rows;
}

QPainter& ImageTarget::Painter() {
    // A copy of the image made meanwhile shares its pixels: the painter must not draw into
    // them, so it ends and a new one starts on the image's own copy. Taking the pixels also
    // marks the image as changed (its cache key), as every drawing call does.
    if (m_painter && !m_image.isDetached())
        EndPainter();
    const uchar* bits = m_image.bits();
    if (m_painter && bits != m_paintedBits)
        EndPainter();
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(&m_image);
        m_paintedBits = m_image.constBits();
        m_painterClip.reset();
        if (m_ox != 0 || m_oy != 0)
            m_painter->translate(-m_ox, -m_oy);
    }
    // The clip is set only when it changes: setting one costs the painter more than a glyph.
    std::optional<QRect> clip;
    if (m_clipped)
        clip = QRect(m_area.x0 + m_ox, m_area.y0 + m_oy, m_area.x1 - m_area.x0 + 1,
                     m_area.y1 - m_area.y0 + 1);
    if (clip != m_painterClip) {
        if (clip)
            m_painter->setClipRect(*clip);
        else
            m_painter->setClipping(false);
        m_painterClip = clip;
    }
    return *m_painter;
}

void ImageTarget::EndPainter() { m_painter.reset(); }

ImageTarget::FontEntry& ImageTarget::Font() {
    const auto matches = [this](const FontEntry& f) {
        return f.size == FontSize && f.bold == FontBold && f.name == FontName;
    };
    // The symbols switch between a few fonts; the one used last is tried first.
    if (m_lastFont < m_fonts.size() && matches(m_fonts[m_lastFont]))
        return m_fonts[m_lastFont];
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        if (matches(m_fonts[i])) {
            m_lastFont = i;
            return m_fonts[i];
        }
    }
    // Zooming makes new sizes: the fonts of former zooms go.
    constexpr std::size_t kMostFonts = 24;
    if (m_fonts.size() >= kMostFonts)
        m_fonts.clear();
    FontEntry f;
    f.name = FontName;
    f.size = FontSize;
    f.bold = FontBold;
    f.font = TargetFont(*this);
    f.metrics = std::make_unique<QFontMetricsF>(f.font, &m_image);
    f.ascent = f.metrics->ascent();
    f.height = f.metrics->height();
    m_fonts.push_back(std::move(f));
    m_lastFont = m_fonts.size() - 1;
    return m_fonts.back();
}

ImageTarget::TextBox& ImageTarget::BoxOf(FontEntry& font, std::string_view text) {
    // Most texts are a letter or two (pin names, state digits): the first letter tells most
    // of them apart before a compare.
    for (auto& [t, box] : font.texts)
        if (t.size() == text.size() && (text.empty() || t[0] == text[0]) && t == text)
            return box;
    constexpr std::size_t kMostTexts = 64;
    if (font.texts.size() >= kMostTexts)
        font.texts.clear();
    const QString s = ToQString(text);
    TextBox box;
    box.advance = font.metrics->horizontalAdvance(s);
    box.bounds = font.metrics->boundingRect(s);
    // Shaped once: printing the same letters again draws the glyphs found now.
    QTextLayout layout(s, font.font, &m_image);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setNumColumns(static_cast<int>(s.size()));
    layout.endLayout();
    box.glyphs = layout.glyphRuns();
    box.baseline = line.isValid() ? line.ascent() : 0;
    font.texts.emplace_back(std::string(text), std::move(box));
    return font.texts.back().second;
}

void ImageTarget::Circle(double x, double y, double r, Color color) {
    const double reach = std::abs(r) + kShapeMargin;
    if (!Touches(x - reach, y - reach, x + reach, y + reach))
        return;
    NoteSurfaceChange(x - reach, y - reach, x + reach, y + reach);
    QPainter& p = Painter();
    p.setPen(ToQColor(color));
    p.setBrush(FillStyle == FillMode::Solid ? QBrush(ToQColor(FillColor)) : QBrush(Qt::NoBrush));
    p.drawEllipse(QPointF(x, y), r, r);
}

void ImageTarget::Print(std::string_view text) {
    FontEntry& font = Font();
    const double x = CurrentX;
    const double y = CurrentY;
    CurrentY += font.height;
    // The text's ink lies within its advance and line box, or within its drawn bounds (a glyph
    // may reach out of the advance), and a pixel of smoothing around them.
    TextBox& box = BoxOf(font, text);
    const QRectF ink = box.bounds.translated(x, y + font.ascent);
    const double left = std::min(x, ink.left()) - kShapeMargin;
    const double right = std::max(x + box.advance, ink.right()) + kShapeMargin;
    const double top = std::min(y, ink.top()) - kShapeMargin;
    const double bottom = std::max(y + font.height, ink.bottom()) + kShapeMargin;
    if (!Touches(left, top, right, bottom))
        return;
    // A pixel more: a patch reaches one pixel further (its outer ring stays as it was).
    NoteSurfaceChange(left - 1, top - 1, right + 1, bottom + 1);
    const QRgb fore = PixelOf(ForeColor);
    const Area at = PatchBox(ink);
    if (PrintFromPatch(box, x, y, at, fore))
        return;
    if (at.x0 <= at.x1)
        CopyOut(at, m_before);
    QPainter& p = Painter();
    p.setPen(ToQColor(ForeColor));
    const QPointF origin(x, y + font.ascent - box.baseline);
    for (const QGlyphRun& run : box.glyphs)
        p.drawGlyphRun(origin, run);
    if (at.x0 <= at.x1)
        KeepPatch(box, x, y, at, fore);
}

ImageTarget::Area ImageTarget::PatchBox(const QRectF& ink) const {
    constexpr double kPatchMargin = kShapeMargin + 1;
    Area at;
    at.x0 = static_cast<int>(std::floor(ink.left() - kPatchMargin)) - m_ox;
    at.y0 = static_cast<int>(std::floor(ink.top() - kPatchMargin)) - m_oy;
    at.x1 = static_cast<int>(std::ceil(ink.right() + kPatchMargin)) - m_ox;
    at.y1 = static_cast<int>(std::ceil(ink.bottom() + kPatchMargin)) - m_oy;
    if (at.x0 < m_area.x0 || at.y0 < m_area.y0 || at.x1 > m_area.x1 || at.y1 > m_area.y1)
        return {};
    return at;
}

void ImageTarget::CopyOut(const Area& at, std::vector<QRgb>& to) const {
    to.clear();
    for (int row = at.y0; row <= at.y1; ++row) {
        const auto* r = reinterpret_cast<const QRgb*>(m_image.constScanLine(row));
        to.insert(to.end(), r + at.x0, r + at.x1 + 1);
    }
}

bool ImageTarget::PrintFromPatch(const TextBox& box, double x, double y, const Area& at,
                                 QRgb fore) {
    if (at.x0 > at.x1)
        return false;
    const double fx = x - std::floor(x);
    const double fy = y - std::floor(y);
    const int dx = at.x0 - (static_cast<int>(std::floor(x)) - m_ox);
    const int dy = at.y0 - (static_cast<int>(std::floor(y)) - m_oy);
    const int w = at.x1 - at.x0 + 1;
    const int h = at.y1 - at.y0 + 1;
    for (const TextPatch& patch : box.patches) {
        if (patch.fx != fx || patch.fy != fy || patch.fore != fore || patch.dx != dx ||
            patch.dy != dy || patch.w != w || patch.h != h)
            continue;
        const RowAccess rows = Rows();
        bool same = true;
        for (int row = 0; same && row < h; ++row) {
            const QRgb* r = rows.Row(at.y0 + row) + at.x0;
            same =
                std::equal(r, r + w, patch.before.begin() + static_cast<std::ptrdiff_t>(row) * w);
        }
        if (!same)
            continue;
        for (int row = 0; row < h; ++row)
            std::copy_n(patch.after.begin() + static_cast<std::ptrdiff_t>(row) * w, w,
                        rows.Row(at.y0 + row) + at.x0);
        return true;
    }
    return false;
}

void ImageTarget::KeepPatch(TextBox& box, double x, double y, const Area& at, QRgb fore) {
    const int w = at.x1 - at.x0 + 1;
    const int h = at.y1 - at.y0 + 1;
    // The ring round the box must have stayed as it was: then the text lies inside.
    const auto kept = [&](int col, int row) {
        const auto* r = reinterpret_cast<const QRgb*>(m_image.constScanLine(row));
        return r[col] ==
               m_before[static_cast<std::size_t>(row - at.y0) * static_cast<std::size_t>(w) +
                        static_cast<std::size_t>(col - at.x0)];
    };
    for (int col = at.x0; col <= at.x1; ++col)
        if (!kept(col, at.y0) || !kept(col, at.y1))
            return;
    for (int row = at.y0; row <= at.y1; ++row)
        if (!kept(at.x0, row) || !kept(at.x1, row))
            return;
    TextPatch patch;
    patch.fx = x - std::floor(x);
    patch.fy = y - std::floor(y);
    patch.fore = fore;
    patch.dx = at.x0 - (static_cast<int>(std::floor(x)) - m_ox);
    patch.dy = at.y0 - (static_cast<int>(std::floor(y)) - m_oy);
    patch.w = w;
    patch.h = h;
    patch.before = m_before;
    CopyOut(at, patch.after);
    // A text is printed at a few places, over a few backgrounds: the oldest patch gives way.
    constexpr std::size_t kMostPatches = 16;
    if (box.patches.size() >= kMostPatches)
        box.patches.erase(box.patches.begin());
    box.patches.push_back(std::move(patch));
}

double ImageTarget::TextWidth(std::string_view text) { return BoxOf(Font(), text).advance; }

double ImageTarget::TextHeight(std::string_view) { return Font().height; }

void ImageTarget::Polygon(std::span<const PolyPoint> points) {
    if (points.empty())
        return;
    double x0 = points[0].x, y0 = points[0].y, x1 = x0, y1 = y0;
    for (const PolyPoint& pt : points) {
        x0 = std::min<double>(x0, pt.x), x1 = std::max<double>(x1, pt.x);
        y0 = std::min<double>(y0, pt.y), y1 = std::max<double>(y1, pt.y);
    }
    if (!Touches(x0 - kShapeMargin, y0 - kShapeMargin, x1 + kShapeMargin, y1 + kShapeMargin))
        return;
    NoteSurfaceChange(x0 - kShapeMargin, y0 - kShapeMargin, x1 + kShapeMargin, y1 + kShapeMargin);
    QPolygon poly;
    for (const PolyPoint& pt : points)
        poly << QPoint(pt.x, pt.y);
    QPainter& p = Painter();
    p.setPen(ToQColor(ForeColor));
    p.setBrush(FillStyle == FillMode::Solid ? QBrush(ToQColor(FillColor)) : QBrush(Qt::NoBrush));
    p.drawPolygon(poly);
}

void ImageTarget::Resize(int width, int height) { NewImage(width, height); }

void ImageTarget::Clear() {
    m_image.fill(Qt::white);
    NoteEverything();
}

Color ImageTarget::PixelAt(int x, int y) const {
    x -= m_ox;
    y -= m_oy;
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return Rgb(255, 255, 255);
    const QRgb c = m_image.pixel(x, y);
    return Rgb(qRed(c), qGreen(c), qBlue(c));
}

} // namespace kardo
