// Owned windows: kept above their owner by the window system, placed wholly on its screen.
#include "platform/qt/owned_window.h"

#include <algorithm>

#include <QEvent>
#include <QFontMetrics>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace kardo {

namespace {

// The owner's window; nullptr for a window without one.
QWidget* OwnerOf(const QWidget& window) {
    return window.parentWidget() != nullptr ? window.parentWidget()->window() : nullptr;
}

QMargins MarginsBetween(const QRect& frame, const QRect& inner) {
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

// Fits the window each time it is shown or resized; the first showing without a place of its
// own centres it over its owner first. A window is shown before the window manager has framed
// it, often before it has framed the owner too, so that its frame is not known yet: once the
// frame is known (the window manager moves the window into it), the window is fitted again.
class OwnerScreenWatch : public QObject {
  public:
    explicit OwnerScreenWatch(QWidget& window) : QObject(&window), m_window(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &m_window)
            return false;
        if (event->type() == QEvent::Show) {
            if (!m_window.testAttribute(Qt::WA_Moved))
                CentreOverOwner();
            Fit();
        } else if (event->type() == QEvent::Resize && m_window.isVisible()) {
            Fit();
        } else if (event->type() == QEvent::Move && m_window.isVisible() &&
                   FrameMarginsOf(m_window) != m_fittedMargins) {
            Fit();
        }
        return false;
    }

  private:
    void CentreOverOwner() {
        const QWidget* owner = OwnerOf(m_window);
        if (owner == nullptr)
            return;
        const QSize frame = m_window.size().grownBy(FrameMarginsOf(m_window));
        const QPoint centre = owner->frameGeometry().center();
        m_window.move(centre.x() - frame.width() / 2, centre.y() - frame.height() / 2);
    }

    void Fit() {
        m_fittedMargins = FrameMarginsOf(m_window);
        FitOnOwnerScreen(m_window);
    }

    QWidget& m_window;        // the owned window
    QMargins m_fittedMargins; // the frame margins its last fit reckoned with
};

} // namespace

QRect FitInside(const QRect& frame, const QRect& area) {
    const QSize size = frame.size().boundedTo(area.size());
    const int x = std::clamp(frame.x(), area.left(), area.left() + area.width() - size.width());
    const int y = std::clamp(frame.y(), area.top(), area.top() + area.height() - size.height());
    return {QPoint(x, y), size};
}

QMargins FrameMarginsOf(const QWidget& window) {
    const QMargins own = MarginsBetween(window.frameGeometry(), window.geometry());
    if (!own.isNull())
        return own;
    const QWidget* owner = OwnerOf(window);
    return owner != nullptr ? MarginsBetween(owner->frameGeometry(), owner->geometry()) : own;
}

void KeepOnOwnerScreen(QWidget& window) { window.installEventFilter(new OwnerScreenWatch(window)); }

void FitOnOwnerScreen(QWidget& window) {
    const QWidget* owner = OwnerOf(window);
    const QScreen* screen = owner != nullptr ? owner->screen() : window.screen();
    if (screen == nullptr)
        return;
    const QMargins margins = FrameMarginsOf(window);
    // pos() is the frame's corner for a window, whether or not the frame is known yet.
    const QRect frame(window.pos(), window.size().grownBy(margins));
    const QRect fitted = FitInside(frame, screen->availableGeometry());
    if (fitted.size() != frame.size())
        window.resize(fitted.size().shrunkBy(margins));
    if (fitted.topLeft() != frame.topLeft())
        window.move(fitted.topLeft());
}

int CaptionWidth(const QWidget& window) {
    QFont bold = window.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int bar =
        std::max(window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window),
                 metrics.height() + 8);
    // The icon and three keys, and room at both ends of the text.
    return metrics.horizontalAdvance(window.windowTitle()) + 5 * bar;
}

} // namespace kardo
