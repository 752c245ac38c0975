// Worksheet picture widget.
#include "mainwindow/worksheet_canvas.h"

#include <QPaintEvent>
#include <QPainter>

namespace kardo {

WorksheetCanvas::WorksheetCanvas(ImageTarget& image, QWidget* parent)
    : QWidget(parent), m_image(image) {
    setObjectName("picGrid");
    setAttribute(Qt::WA_OpaquePaintEvent);
    SyncSize();
}

void WorksheetCanvas::SyncSize() { setFixedSize(m_image.Width(), m_image.Height()); }

void WorksheetCanvas::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.drawImage(event->rect().topLeft(), m_image.Image(), event->rect());
}

} // namespace kardo
