// Draggable pin labels.
#include "ic/qt/ic_pin_handle.h"

#include "ic/qt/ic_package_picture.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>

namespace kardo {

ICPinHandle::ICPinHandle(int nr, QWidget* parent) : QLabel(parent), m_nr(nr) {
    setAcceptDrops(true);
    setCursor(Qt::OpenHandCursor);
}

void ICPinHandle::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    if (onEnter)
        onEnter(m_nr);
}

// A label that cannot be dragged now passes the mouse on to the widget below it (the worksheet).
void ICPinHandle::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton && (!canDrag || canDrag());
    if (!m_pressed) {
        event->ignore();
        return;
    }
    m_pressAt = event->position().toPoint();
}

void ICPinHandle::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressed || !(event->buttons() & Qt::LeftButton)) {
        event->ignore();
        return;
    }
    if ((event->position().toPoint() - m_pressAt).manhattanLength() <
        QApplication::startDragDistance())
        return;
    m_pressed = false;
    auto* drag = new QDrag(this);
    drag->setMimeData(PinMime(m_nr));
    drag->setPixmap(grab());
    drag->exec(Qt::MoveAction);
}

void ICPinHandle::dragEnterEvent(QDragEnterEvent* event) {
    if (onDropped && PinOfMime(event->mimeData()) != 0)
        event->acceptProposedAction();
}

void ICPinHandle::dropEvent(QDropEvent* event) {
    if (!onDropped || PinOfMime(event->mimeData()) == 0)
        return;
    event->acceptProposedAction();
    onDropped();
}

} // namespace kardo
