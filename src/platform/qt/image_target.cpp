// QImage drawing target. One-pixel lines are set pixel by pixel (Bresenham) so that their
// pixels are exact, as the drawing rules count them; circles, polygons and text go through
// QPainter without antialiasing of shapes.
#include "platform/qt/image_target.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygon>

namespace kardo {

namespace {

int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

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

void ImageTarget::NewImage(int width, int height, int ox, int oy) {
    m_ox = ox;
    m_oy = oy;
    const QSize size(std::max(1, width), std::max(1, height));
    // A picture of the same size is only cleared: the kept window of the worksheet picture
    // moves often and keeps its size.
    if (m_image.size() != size) {
        m_image = QImage(size, QImage::Format_RGB32);
        m_image.setDotsPerMeterX(kScreenDotsPerMeter);
        m_image.setDotsPerMeterY(kScreenDotsPerMeter);
    }
    m_image.fill(Qt::white);
}

void ImageTarget::BeginPainter(QPainter& p) {
    p.begin(&m_image);
    if (m_ox != 0 || m_oy != 0)
        p.translate(-m_ox, -m_oy);
}

void ImageTarget::Plot(int x, int y, Color color) {
    x -= m_ox;
    y -= m_oy;
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return;
    m_image.setPixel(x, y, ToQColor(color).rgb());
}

void ImageTarget::Segment(int x1, int y1, int x2, int y2, Color color, bool lastPoint,
                          bool dotted) {
    // Straight runs are clipped to the image at once: a wire across a large sheet would
    // otherwise be walked pixel by pixel far outside the kept window. Dotted lines keep the
    // phase they have from their first point.
    if (y1 == y2 || x1 == x2) {
        const bool across = y1 == y2;
        const int from = across ? x1 : y1;
        const int to = across ? x2 : y2;
        const int step = from <= to ? 1 : -1;
        const int last = lastPoint ? to : to - step;
        if (step * (last - from) < 0)
            return;
        const int lo = std::min(from, last);
        const int hi = std::max(from, last);
        const int keptLo = across ? m_ox : m_oy;
        const int keptHi = keptLo + (across ? m_image.width() : m_image.height()) - 1;
        const int fixed = across ? y1 - m_oy : x1 - m_ox;
        if (fixed < 0 || fixed >= (across ? m_image.height() : m_image.width()))
            return;
        const int a = std::max(lo, keptLo);
        const int b = std::min(hi, keptHi);
        if (a > b)
            return;
        const QRgb rgb = ToQColor(color).rgb();
        for (int v = a; v <= b; ++v) {
            if (dotted && (std::abs(v - from) & 1) != 0)
                continue;
            if (across)
                m_image.setPixel(v - m_ox, fixed, rgb);
            else
                m_image.setPixel(fixed, v - m_oy, rgb);
        }
        return;
    }
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1;
    int y = y1;
    bool on = true;
    while (true) {
        const bool atEnd = x == x2 && y == y2;
        if (atEnd) {
            if (lastPoint && on)
                Plot(x, y, color);
            break;
        }
        if (on)
            Plot(x, y, color);
        if (dotted)
            on = !on;
        const int e2 = 2 * err;
        if (e2 >= dy)
            err += dy, x += sx;
        if (e2 <= dx)
            err += dx, y += sy;
    }
}

void ImageTarget::Line(double x1, double y1, double x2, double y2, Color color, LineKind kind) {
    const int ax = Round(x1), ay = Round(y1), bx = Round(x2), by = Round(y2);
    if (kind == LineKind::Plain) {
        Segment(ax, ay, bx, by, color, true, DrawStyle == LineStyle::Dotted);
        return;
    }
    const int left = std::min(ax, bx), right = std::max(ax, bx);
    const int top = std::min(ay, by), bottom = std::max(ay, by);
    if (FillStyle == FillMode::Solid) {
        const int fx1 = std::max(left, m_ox) - m_ox;
        const int fx2 = std::min(right, m_ox + m_image.width() - 1) - m_ox;
        const int fy1 = std::max(top, m_oy) - m_oy;
        const int fy2 = std::min(bottom, m_oy + m_image.height() - 1) - m_oy;
        const QRgb fill = ToQColor(FillColor).rgb();
        for (int y = fy1; fx1 <= fx2 && y <= fy2; ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            std::fill(line + fx1, line + fx2 + 1, fill);
        }
    }
    Segment(left, top, right, top, color, true, false);
    Segment(right, top, right, bottom, color, true, false);
    Segment(right, bottom, left, bottom, color, true, false);
    Segment(left, bottom, left, top, color, true, false);
}

void ImageTarget::Circle(double x, double y, double r, Color color) {
    QPainter p;
    BeginPainter(p);
    p.setPen(ToQColor(color));
    p.setBrush(FillStyle == FillMode::Solid ? QBrush(ToQColor(FillColor)) : QBrush(Qt::NoBrush));
    p.drawEllipse(QPointF(x, y), r, r);
}

void ImageTarget::PSet(double x, double y, Color color) { Plot(Round(x), Round(y), color); }

void ImageTarget::Print(std::string_view text) {
    const QFont font = TargetFont(*this);
    QPainter p;
    BeginPainter(p);
    p.setFont(font);
    p.setPen(ToQColor(ForeColor));
    const QFontMetricsF fm(font, &m_image);
    p.drawText(QPointF(CurrentX, CurrentY + fm.ascent()), ToQString(text));
    CurrentY += fm.height();
}

double ImageTarget::TextWidth(std::string_view text) {
    return QFontMetricsF(TargetFont(*this), &m_image).horizontalAdvance(ToQString(text));
}

double ImageTarget::TextHeight(std::string_view) {
    return QFontMetricsF(TargetFont(*this), &m_image).height();
}

void ImageTarget::Polyline(std::span<const PolyPoint> points) {
    for (std::size_t i = 1; i < points.size(); ++i)
        Segment(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, ForeColor, false,
                false);
}

void ImageTarget::Polygon(std::span<const PolyPoint> points) {
    QPolygon poly;
    for (const PolyPoint& pt : points)
        poly << QPoint(pt.x, pt.y);
    QPainter p;
    BeginPainter(p);
    p.setPen(ToQColor(ForeColor));
    p.setBrush(FillStyle == FillMode::Solid ? QBrush(ToQColor(FillColor)) : QBrush(Qt::NoBrush));
    p.drawPolygon(poly);
}

void ImageTarget::SetPixel(int x, int y, Color color) { Plot(x, y, color); }

void ImageTarget::Resize(int width, int height) { NewImage(width, height); }

void ImageTarget::Clear() { m_image.fill(Qt::white); }

Color ImageTarget::PixelAt(int x, int y) const {
    x -= m_ox;
    y -= m_oy;
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return Rgb(255, 255, 255);
    const QRgb c = m_image.pixel(x, y);
    return Rgb(qRed(c), qGreen(c), qBlue(c));
}

} // namespace kardo
