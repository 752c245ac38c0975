// Worksheet picture widget: blits the shown part of the worksheet image, paints the overlays of
// the editor, and forwards mouse and key events in sheet pixels to the mouse dispatcher.
#include "mainwindow/worksheet_canvas.h"

#include "editor/gesture_state.h"
#include "editor/hover_reset.h"
#include "editor/mouse_dispatch.h"
#include "editor/overlays.h"
#include "editor/qt/text_label_editor.h"
#include "editor/selection_overlays.h"
#include "platform/platform.h"
#include "render/view.h"

#include <array>
#include <cstring>
#include <optional>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>

namespace kardo {

namespace {

int ButtonCode(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return kButtonLeft;
    case Qt::RightButton:
        return kButtonRight;
    case Qt::MiddleButton:
        return kButtonMiddle;
    default:
        return 0;
    }
}

int HeldCode(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? kButtonLeft : 0) | (b & Qt::RightButton ? kButtonRight : 0) |
           (b & Qt::MiddleButton ? kButtonMiddle : 0);
}

// Interval of the automatic scrolling while the pointer rests near an edge, in milliseconds.
constexpr int kAutoScrollMs = 50;

// Where the canvas shows the sheet: the sheet pixel at the canvas's top-left corner.
QPoint ShownOrigin() { return {-PictureLeft(), -PictureTop()}; }

int ShiftCode(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? kShiftKey : 0) | (m & Qt::ControlModifier ? kCtrlKey : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

QRect ToRect(const PixelRect& r) {
    if (r.w <= 0 || r.h <= 0)
        return {};
    return QRect(r.x, r.y, r.w, r.h).adjusted(-1, -1, 1, 1);
}

// A small cross with a square in its middle: a wire end that can become an IC pin.
QCursor MakePinCursor() {
    QPixmap pm(17, 17);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawLine(8, 0, 8, 16);
    p.drawLine(0, 8, 16, 8);
    p.setBrush(Qt::white);
    p.drawRect(6, 6, 4, 4);
    return QCursor(pm, 8, 8);
}

// Copies the pixels of from at source into to at target (a point of to), rows clipped to to.
void CopyPixels(const QImage& from, const QRect& source, QImage& to, QPoint target) {
    const QRect into = QRect(target, source.size()).intersected(to.rect());
    if (into.isEmpty())
        return;
    const QPoint src = source.topLeft() + (into.topLeft() - target);
    const std::size_t bytes = static_cast<std::size_t>(into.width()) * sizeof(QRgb);
    const qsizetype outStride = to.bytesPerLine();
    const qsizetype inStride = from.bytesPerLine();
    uchar* out = to.bits() + into.top() * outStride + static_cast<qsizetype>(into.left()) * 4;
    const uchar* in = from.constBits() + src.y() * inStride + static_cast<qsizetype>(src.x()) * 4;
    for (int row = 0; row < into.height(); ++row, out += outStride, in += inStride)
        std::memcpy(out, in, bytes);
}

bool IsOpaqueImageFormat(QImage::Format f) {
    // The worksheet's pixels are opaque, so they are also premultiplied ARGB.
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32_Premultiplied;
}

struct OverlayRects {
    QRect rahmen, box, h, v;
    QRect rahmenLines[5];
};

OverlayRects RectsOf(const WorksheetOverlays& o) {
    OverlayRects r;
    r.rahmen = ToRect(Bounds(o.picRahmen));
    r.box = ToRect(Bounds(o.picBox));
    r.h = ToRect(Bounds(o.LeitungH));
    r.v = ToRect(Bounds(o.LeitungV));
    for (std::size_t i = 1; i < o.LineRahmen.size(); ++i)
        r.rahmenLines[i] = ToRect(Bounds(o.LineRahmen[i]));
    return r;
}

// Rectangles gathered into a region. A click changes one box most of the time: a region of one
// rectangle is made at once, where growing one rectangle by rectangle costs a union each.
class RectGatherer {
  public:
    void Add(const QRect& r) {
        if (r.isEmpty())
            return;
        if (m_count == m_rects.size())
            Unite();
        m_rects[m_count++] = r;
    }
    QRegion Take() {
        if (m_region.isEmpty() && m_count == 1)
            return QRegion(m_rects[0]);
        Unite();
        return std::move(m_region);
    }

  private:
    void Unite() {
        for (std::size_t i = 0; i < m_count; ++i)
            m_region += m_rects[i];
        m_count = 0;
    }
    std::array<QRect, 8> m_rects; // gathered since the last union
    std::size_t m_count = 0;      // of them in use
    QRegion m_region;             // the union of those before
};

} // namespace

// The painter of a paint event, begun when something is drawn with it: beginning one costs more
// than copying a click's few rows of the picture.
class LazyPainter {
  public:
    explicit LazyPainter(QWidget* widget) : m_widget(widget) {}
    QPainter& operator()() {
        if (!m_painter) {
            m_painter.emplace(m_widget);
            m_painter->translate(m_shift);
        }
        return *m_painter;
    }
    // From now on the painter draws shifted by shift.
    void Shift(QPoint shift) {
        if (m_painter)
            m_painter->translate(shift - m_shift);
        m_shift = shift;
    }

  private:
    QWidget* m_widget;
    std::optional<QPainter> m_painter;
    QPoint m_shift; // the shift the painter draws with
};

WorksheetCanvas::WorksheetCanvas(ImageTarget& image, QWidget* parent)
    : QWidget(parent), m_image(image), m_pinCursor(MakePinCursor()) {
    setObjectName("picGrid");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setMinimumSize(1, 1);
    m_overlaysShown = gOverlays;
    m_originShown = ShownOrigin();
    m_frame.setInterval(16);
    connect(&m_frame, &QTimer::timeout, this, &WorksheetCanvas::RepaintChanges);
    m_frame.start();
    m_autoScroll.setSingleShot(true);
    m_autoScroll.setInterval(kAutoScrollMs);
    connect(&m_autoScroll, &QTimer::timeout, this, &WorksheetCanvas::AutoScrollTick);
    m_editor = new TextLabelEditor(this, [this](QPoint p) { return PictureToCanvas(p); });
}

void WorksheetCanvas::RepaintChanges() { Repaint(DirtyRegion(ShownOrigin()), Paint::Soon); }

void WorksheetCanvas::Repaint(const QRegion& dirty, Paint when) {
    if (dirty.isEmpty())
        return;
    if (when == Paint::Now)
        repaint(dirty);
    else
        update(dirty);
}

QRegion WorksheetCanvas::DirtyRegion(QPoint origin) {
    if (origin != m_originShown || m_image.ChangedEverything()) {
        m_originShown = origin;
        m_overlaysShown = gOverlays;
        m_image.ForgetChanges();
        gSelectionDirt.clear();
        return QRegion(rect());
    }
    RectGatherer dirty;
    const auto add = [&](const QRect& sheetRect) { dirty.Add(sheetRect.translated(-origin)); };
    for (const PixelBox& b : m_image.ChangedBoxes())
        add(QRect(b.x, b.y, b.w, b.h));
    m_image.ForgetChanges();
    for (const PixelRect& r : gSelectionDirt)
        add(ToRect(r));
    gSelectionDirt.clear();
    if (!(gOverlays == m_overlaysShown)) {
        // An overlay that moved or changed is painted again where it was and where it is.
        const OverlayRects old = RectsOf(m_overlaysShown);
        const OverlayRects now = RectsOf(gOverlays);
        const auto changed = [&](const QRect& a, const QRect& b, bool differs) {
            if (differs) {
                add(a);
                add(b);
            }
        };
        const WorksheetOverlays& was = m_overlaysShown;
        changed(old.rahmen, now.rahmen, !(was.picRahmen == gOverlays.picRahmen));
        changed(old.box, now.box, !(was.picBox == gOverlays.picBox));
        changed(old.h, now.h, !(was.LeitungH == gOverlays.LeitungH));
        changed(old.v, now.v, !(was.LeitungV == gOverlays.LeitungV));
        for (std::size_t i = 1; i < gOverlays.LineRahmen.size(); ++i)
            changed(old.rahmenLines[i], now.rahmenLines[i],
                    !(was.LineRahmen[i] == gOverlays.LineRahmen[i]));
        m_overlaysShown = gOverlays;
    }
    return dirty.Take();
}

QPoint WorksheetCanvas::PictureToCanvas(QPoint p) const { return p - ShownOrigin(); }

QPointF WorksheetCanvas::SheetPoint(const QPointF& canvasPoint) const {
    return canvasPoint + QPointF(ShownOrigin());
}

void WorksheetCanvas::AutoScrollTick() {
    const GestureState& g = gGesture;
    if (g.GestureButton == 0 || !g.LineActive)
        return;
    const QPointF pos = SheetPoint(m_lastCanvas);
    m_lastMove = pos;
    const int button = g.GestureButton;
    Dispatch([&] { picGrid_MouseMove(button, 0, pos.x(), pos.y()); }, Paint::Soon);
}

void WorksheetCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit Resized();
}

void WorksheetCanvas::ApplyPointer(int code) {
    // Every press and move asks for the pointer again; setting the same cursor costs the window
    // system a round trip.
    const int icon = code == kPointerCustom ? static_cast<int>(gPointerIcon) : -1;
    if (code == m_pointerShown && icon == m_iconShown)
        return;
    m_pointerShown = code;
    m_iconShown = icon;
    switch (code) {
    case kPointerCross:
        setCursor(Qt::CrossCursor);
        break;
    case kPointerSize:
    case kPointerSizeAll:
        setCursor(Qt::SizeAllCursor);
        break;
    case kPointerHourglass:
        setCursor(Qt::WaitCursor);
        break;
    case kPointerArrowHourglass:
        setCursor(Qt::BusyCursor);
        break;
    case kPointerArrowQuestion:
        setCursor(Qt::WhatsThisCursor);
        break;
    case kPointerCustom:
        if (gPointerIcon == PointerIcon::PinMark)
            setCursor(m_pinCursor);
        else
            setCursor(Qt::PointingHandCursor);
        break;
    default:
        setCursor(Qt::ArrowCursor);
        break;
    }
}

WorksheetCanvas::DirectPixels WorksheetCanvas::WindowPixels() const {
    // A paint event of the window's repaint draws into its backing store, on the usual
    // platforms an image; a grab draws into a pixmap, a render into a painter of its own.
    QPoint offset;
    QPaintDevice* device = redirected(&offset);
    if (device == nullptr || sharedPainter() != nullptr || device->devType() != QInternal::Image ||
        m_image.Image().format() != QImage::Format_RGB32)
        return {};
    auto* image = static_cast<QImage*>(device);
    // A shared image would be detached by writing into it, away from the window's pixels.
    if (!IsOpaqueImageFormat(image->format()) || image->devicePixelRatio() != 1.0 ||
        !image->isDetached())
        return {};
    return {image, -offset};
}

void WorksheetCanvas::paintEvent(QPaintEvent* event) {
    m_painted = event->region();
    LazyPainter p(this);
    const DirectPixels direct = WindowPixels();
    const QPoint origin = ShownOrigin();
    const PixelBox k = m_image.Kept();
    const QRect kept = QRect(k.x, k.y, k.w, k.h).translated(-origin);
    const QRect sheet = QRect(0, 0, m_image.Width(), m_image.Height()).translated(-origin);
    // The edge lines one pixel right of and below the picture.
    const QRect edges[] = {QRect(sheet.right() + 1, sheet.top(), 1, sheet.height() + 1),
                           QRect(sheet.left(), sheet.bottom() + 1, sheet.width() + 1, 1)};
    // Each rectangle of the region on its own: the image is copied rectangle by rectangle into
    // the window's pixels, and only what meets the rectangle is filled. Straight into the
    // window's pixels where the painter allows it: a click changes a few small boxes, and the
    // painter's image drawing costs more to set up than copying their rows.
    for (const QRect& area : m_painted) {
        const QRect shown = kept.intersected(area);
        const QRect source = shown.translated(-kept.topLeft());
        if (!shown.isEmpty() && direct.image != nullptr)
            CopyPixels(m_image.Image(), source, *direct.image, shown.topLeft() + direct.offset);
        else if (!shown.isEmpty())
            p().drawImage(shown.topLeft(), m_image.Image(), source);
        // Beyond the sheet the viewport's own background; a part of the sheet not kept (only
        // for a moment, before the view draws it) white.
        if (shown != area) {
            const QColor beyond = palette().color(QPalette::Dark);
            for (const QRect& r : QRegion(area).subtracted(QRegion(kept))) {
                const QRect onSheet = r.intersected(sheet);
                if (onSheet != r)
                    for (const QRect& off : QRegion(r).subtracted(QRegion(sheet)))
                        p().fillRect(off, beyond);
                if (!onSheet.isEmpty())
                    p().fillRect(onSheet, Qt::white);
            }
        }
        // The edges lie right of and below the sheet: an area within it meets neither.
        if (area.right() <= sheet.right() && area.bottom() <= sheet.bottom())
            continue;
        for (const QRect& edge : edges)
            if (edge.intersects(area))
                p().fillRect(edge.intersected(area), Qt::black);
    }
    p.Shift(-origin);
    PaintOverlays(p, m_painted.boundingRect().translated(origin));
}

void WorksheetCanvas::PaintOverlays(LazyPainter& paint, const QRect& area) const {
    const WorksheetOverlays& o = gOverlays;
    // Most of the overlays are hidden most of the time.
    const auto shape = [&](const OverlayShape& s) {
        if (!s.Visible)
            return;
        const QRect r = ToRect(Bounds(s));
        if (r.isEmpty() || !r.intersects(area))
            return;
        QPainter& p = paint();
        const QColor c = ToQColor(s.BorderColor);
        if (s.Filled) {
            p.fillRect(QRect(s.Left, s.Top, s.Width, s.Height), c);
            return;
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(c, 1, s.BorderStyle == kBorderDotted ? Qt::DotLine : Qt::SolidLine));
        p.drawRect(s.Left, s.Top, s.Width - 1, s.Height - 1);
    };
    const auto line = [&](const OverlayLine& l) {
        if (!l.Visible)
            return;
        const QRect r = ToRect(Bounds(l));
        if (r.isEmpty() || !r.intersects(area))
            return;
        QPainter& p = paint();
        p.setPen(QPen(ToQColor(l.BorderColor), 1));
        p.drawLine(l.X1, l.Y1, l.X2, l.Y2);
    };
    shape(o.picRahmen);
    for (std::size_t i = 1; i < o.LineRahmen.size(); ++i)
        line(o.LineRahmen[i]);
    line(o.LeitungH);
    line(o.LeitungV);
    shape(o.picBox);
    // The selection's corner markers and drag outlines (slot 0 unused).
    for (std::size_t k = 1; k < gSelOverlays.PObj.size(); ++k)
        for (const OverlayShape& m : gSelOverlays.PObj[k])
            shape(m);
    for (std::size_t k = 1; k < gSelOverlays.picBorder.size(); ++k)
        shape(gSelOverlays.picBorder[k]);
}

template <typename F> void WorksheetCanvas::Dispatch(F&& call, Paint when) {
    const QPoint originBefore = ShownOrigin();
    call();
    const QPoint origin = ShownOrigin();
    Repaint(DirtyRegion(origin), when);
    // The view scrolled by itself during a gesture: it goes on while the pointer rests there.
    if (origin != originBefore && gGesture.LineActive && gGesture.GestureButton != 0)
        m_autoScroll.start();
    if (gPlatform != nullptr && gPlatform->host != nullptr)
        ApplyPointer(gPlatform->host->MousePointer());
    m_editor->SyncFromState();
}

void WorksheetCanvas::MoveToPress(const QMouseEvent* event) {
    m_lastCanvas = event->position();
    const QPointF pos = SheetPoint(event->position());
    if (pos == m_lastMove)
        return;
    m_lastMove = pos;
    Dispatch([&] { picGrid_MouseMove(0, ShiftCode(event->modifiers()), pos.x(), pos.y()); },
             Paint::Soon);
}

void WorksheetCanvas::mousePressEvent(QMouseEvent* event) {
    const int button = ButtonCode(event->button());
    if (button == 0)
        return;
    ForgetReleasedButtons(HeldCode(event->buttons()));
    MoveToPress(event);
    const QPointF pos = SheetPoint(event->position());
    Dispatch([&] { picGrid_MouseDown(button, ShiftCode(event->modifiers()), pos.x(), pos.y()); },
             Paint::Now);
}

void WorksheetCanvas::mouseMoveEvent(QMouseEvent* event) {
    m_lastCanvas = event->position();
    const QPointF pos = SheetPoint(event->position());
    // Beyond the picture the mouse is over the viewport itself (unless a button holds it on the
    // worksheet): the viewport's hover reset, not the worksheet's move.
    if (event->buttons() == Qt::NoButton &&
        (pos.x() >= m_image.Width() || pos.y() >= m_image.Height())) {
        if (HoverReset(HoverStepsOf("picContainer")))
            update();
        return;
    }
    m_lastMove = pos;
    ForgetReleasedButtons(HeldCode(event->buttons()));
    Dispatch(
        [&] {
            picGrid_MouseMove(HeldCode(event->buttons()), ShiftCode(event->modifiers()), pos.x(),
                              pos.y());
        },
        Paint::Soon);
}

void WorksheetCanvas::mouseReleaseEvent(QMouseEvent* event) {
    const int button = ButtonCode(event->button());
    if (button == 0)
        return;
    m_autoScroll.stop();
    const QPointF pos = SheetPoint(event->position());
    Dispatch([&] { picGrid_MouseUp(button, ShiftCode(event->modifiers()), pos.x(), pos.y()); },
             Paint::Now);
}

// The window system reports the second press of a double click as a double click: the left
// button's goes to the double-click handler without a press of its own, the other buttons'
// count as presses.
void WorksheetCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    MoveToPress(event);
    Dispatch([] { picGrid_DblClick(); }, Paint::Now);
}

void WorksheetCanvas::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() != 1 || text[0].unicode() > 127) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int ascii = text[0].unicode();
    Dispatch([ascii] { picGrid_KeyPress(ascii); }, Paint::Now);
    if (ascii != 32)
        QWidget::keyPressEvent(event);
}

} // namespace kardo
