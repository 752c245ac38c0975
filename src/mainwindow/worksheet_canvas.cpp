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

} // namespace

WorksheetCanvas::WorksheetCanvas(ImageTarget& image, QWidget* parent)
    : QWidget(parent), m_image(image), m_pinCursor(MakePinCursor()) {
    setObjectName("picGrid");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setMinimumSize(1, 1);
    m_frame.setInterval(16);
    connect(&m_frame, &QTimer::timeout, this, &WorksheetCanvas::RefreshIfImageChanged);
    m_frame.start();
    m_autoScroll.setSingleShot(true);
    m_autoScroll.setInterval(kAutoScrollMs);
    connect(&m_autoScroll, &QTimer::timeout, this, &WorksheetCanvas::AutoScrollTick);
    m_editor = new TextLabelEditor(this, [this](QPoint p) { return PictureToCanvas(p); });
}

void WorksheetCanvas::RefreshIfImageChanged() {
    if (m_image.Image().cacheKey() != m_shownKey)
        update();
}

QPoint WorksheetCanvas::PictureToCanvas(QPoint p) const { return p - ShownOrigin(); }

QPointF WorksheetCanvas::SheetPoint(const QPointF& canvasPoint) const {
    return canvasPoint + QPointF(ShownOrigin());
}

QRect WorksheetCanvas::ToCanvas(const QRect& sheetRect) const {
    return sheetRect.isEmpty() ? QRect() : sheetRect.translated(-ShownOrigin());
}

void WorksheetCanvas::AutoScrollTick() {
    const GestureState& g = gGesture;
    if (g.GestureButton == 0 || !g.LineActive)
        return;
    const QPointF pos = SheetPoint(m_lastCanvas);
    m_lastMove = pos;
    const int button = g.GestureButton;
    Dispatch([&] { picGrid_MouseMove(button, 0, pos.x(), pos.y()); }, false);
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

void WorksheetCanvas::paintEvent(QPaintEvent* event) {
    m_painted = event->region();
    m_shownKey = m_image.Image().cacheKey();
    QPainter p(this);
    const QRect area = event->rect();
    const QPoint origin = ShownOrigin();
    const PixelBox k = m_image.Kept();
    const QRect kept = QRect(k.x, k.y, k.w, k.h).translated(-origin);
    const QRect sheet = QRect(0, 0, m_image.Width(), m_image.Height()).translated(-origin);
    // Beyond the sheet the viewport's own background; a part of the sheet not kept (only for a
    // moment, before the view draws it) white.
    for (const QRect& r : QRegion(area).subtracted(QRegion(kept)))
        p.fillRect(r, sheet.intersects(r) ? QColor(Qt::white) : palette().color(QPalette::Dark));
    const QRect shown = kept.intersected(area);
    if (!shown.isEmpty())
        p.drawImage(shown.topLeft(), m_image.Image(), shown.translated(-kept.topLeft()));
    // The edge lines one pixel right of and below the picture.
    p.setPen(Qt::black);
    if (sheet.right() + 1 < width())
        p.drawLine(sheet.right() + 1, sheet.top(), sheet.right() + 1, sheet.bottom() + 1);
    if (sheet.bottom() + 1 < height())
        p.drawLine(sheet.left(), sheet.bottom() + 1, sheet.right() + 1, sheet.bottom() + 1);
    p.translate(-origin);
    PaintOverlays(p, area.translated(origin));
}

void WorksheetCanvas::PaintOverlays(QPainter& p, const QRect& area) const {
    const WorksheetOverlays& o = gOverlays;
    const auto shape = [&](const OverlayShape& s) {
        const QRect r = ToRect(Bounds(s));
        if (r.isEmpty() || !r.intersects(area))
            return;
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
        const QRect r = ToRect(Bounds(l));
        if (r.isEmpty() || !r.intersects(area))
            return;
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

template <typename F> void WorksheetCanvas::Dispatch(F&& call, bool imageMayChange) {
    const WorksheetOverlays before = gOverlays;
    const OverlayRects old = RectsOf(before);
    const QPoint originBefore = ShownOrigin();
    call();
    const bool scrolled = ShownOrigin() != originBefore;
    for (const PixelRect& r : gSelectionDirt)
        if (!imageMayChange && !scrolled)
            update(ToCanvas(ToRect(r)));
    gSelectionDirt.clear();
    if (imageMayChange || scrolled) {
        update();
    } else if (!(gOverlays == before)) {
        const OverlayRects now = RectsOf(gOverlays);
        const auto changed = [&](const QRect& a, const QRect& b, bool differs) {
            if (!differs)
                return;
            if (!a.isEmpty())
                update(ToCanvas(a));
            if (!b.isEmpty())
                update(ToCanvas(b));
        };
        changed(old.rahmen, now.rahmen, !(before.picRahmen == gOverlays.picRahmen));
        changed(old.box, now.box, !(before.picBox == gOverlays.picBox));
        changed(old.h, now.h, !(before.LeitungH == gOverlays.LeitungH));
        changed(old.v, now.v, !(before.LeitungV == gOverlays.LeitungV));
        for (std::size_t i = 1; i < gOverlays.LineRahmen.size(); ++i)
            changed(old.rahmenLines[i], now.rahmenLines[i],
                    !(before.LineRahmen[i] == gOverlays.LineRahmen[i]));
    }
    // The view scrolled by itself during a gesture: it goes on while the pointer rests there.
    if (scrolled && gGesture.LineActive && gGesture.GestureButton != 0)
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
    Dispatch([&] { picGrid_MouseMove(0, ShiftCode(event->modifiers()), pos.x(), pos.y()); }, false);
}

void WorksheetCanvas::mousePressEvent(QMouseEvent* event) {
    const int button = ButtonCode(event->button());
    if (button == 0)
        return;
    ForgetReleasedButtons(HeldCode(event->buttons()));
    MoveToPress(event);
    const QPointF pos = SheetPoint(event->position());
    Dispatch([&] { picGrid_MouseDown(button, ShiftCode(event->modifiers()), pos.x(), pos.y()); },
             true);
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
        false);
}

void WorksheetCanvas::mouseReleaseEvent(QMouseEvent* event) {
    const int button = ButtonCode(event->button());
    if (button == 0)
        return;
    m_autoScroll.stop();
    const QPointF pos = SheetPoint(event->position());
    Dispatch([&] { picGrid_MouseUp(button, ShiftCode(event->modifiers()), pos.x(), pos.y()); },
             true);
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
    Dispatch([] { picGrid_DblClick(); }, true);
}

void WorksheetCanvas::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() != 1 || text[0].unicode() > 127) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int ascii = text[0].unicode();
    Dispatch([ascii] { picGrid_KeyPress(ascii); }, true);
    if (ascii != 32)
        QWidget::keyPressEvent(event);
}

} // namespace kardo
