// PDF printer target: the drawers' calls become vector lines, shapes and text on the page.
#include "platform/qt/printer_target.h"

#include "platform/qt/image_target.h"

#include <cmath>
#include <cstdlib>

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPrinter>

namespace kardo {

namespace {

// One device pixel towards b from a along the longer axis: where a line from a to b stops
// when b itself is left out.
QPointF OneShort(const PolyPoint& a, const PolyPoint& b) {
    const int dx = b.x - a.x;
    const int dy = b.y - a.y;
    if (std::abs(dx) >= std::abs(dy) && dx != 0) {
        const double step = dx > 0 ? 1.0 : -1.0;
        return {b.x - step, b.y - step * dy / dx};
    }
    if (dy == 0)
        return {static_cast<double>(b.x), static_cast<double>(b.y)};
    const double step = dy > 0 ? 1.0 : -1.0;
    return {b.x - step * dx / dy, b.y - step};
}

} // namespace

PrinterTarget::PrinterTarget(const QString& path, const QPageSize& pageSize,
                             QPageLayout::Orientation orientation)
    : m_writer(std::make_unique<QPdfWriter>(path)), m_device(m_writer.get()) {
    StartPdf(pageSize, orientation);
}

PrinterTarget::PrinterTarget(QIODevice& device, const QPageSize& pageSize,
                             QPageLayout::Orientation orientation)
    : m_writer(std::make_unique<QPdfWriter>(&device)), m_device(m_writer.get()) {
    StartPdf(pageSize, orientation);
}

void PrinterTarget::StartPdf(const QPageSize& pageSize, QPageLayout::Orientation orientation) {
    m_writer->setResolution(kResolution);
    m_writer->setPageSize(pageSize);
    m_writer->setPageOrientation(orientation);
    m_writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    m_writer->setCreator(QStringLiteral("Kardo"));
    m_painter = std::make_unique<QPainter>(m_writer.get());
    m_painter->setRenderHint(QPainter::Antialiasing, false);
}

PrinterTarget::PrinterTarget(QPrinter& printer) : m_device(&printer) {
    printer.setResolution(kResolution);
    m_painter = std::make_unique<QPainter>(&printer);
    m_painter->setRenderHint(QPainter::Antialiasing, false);
}

bool PrinterTarget::IsOpen() const { return m_painter && m_painter->isActive(); }

void PrinterTarget::Translate(double dx, double dy) {
    if (m_painter)
        m_painter->translate(dx, dy);
}

PrinterTarget::~PrinterTarget() { Finish(); }

void PrinterTarget::Finish() {
    if (!m_painter)
        return;
    m_painter->end();
    m_painter.reset();
}

bool PrinterTarget::NewPage() { return m_painter && m_device->newPage(); }

bool PrinterTarget::NewPage(QPageLayout::Orientation orientation) {
    if (!m_painter)
        return false;
    m_device->setPageOrientation(orientation);
    if (!m_device->newPage())
        return false;
    m_painter->resetTransform();
    return true;
}

int PrinterTarget::Width() const { return m_device->width(); }

int PrinterTarget::Height() const { return m_device->height(); }

void PrinterTarget::UsePen(Color color, bool filled) {
    QPen pen(ToQColor(color));
    pen.setWidth(0); // a hairline: the thinnest line the output device can show
    pen.setStyle(DrawStyle == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    m_painter->setPen(pen);
    m_painter->setBrush(filled && FillStyle == FillMode::Solid ? QBrush(ToQColor(FillColor))
                                                               : QBrush(Qt::NoBrush));
}

void PrinterTarget::Line(double x1, double y1, double x2, double y2, Color color, LineKind kind) {
    if (!m_painter)
        return;
    if (kind == LineKind::Plain) {
        UsePen(color, false);
        m_painter->drawLine(QPointF(x1, y1), QPointF(x2, y2));
        return;
    }
    UsePen(color, true);
    m_painter->drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
}

void PrinterTarget::Circle(double x, double y, double r, Color color) {
    if (!m_painter)
        return;
    UsePen(color, true);
    m_painter->drawEllipse(QPointF(x, y), r, r);
}

void PrinterTarget::PSet(double x, double y, Color color) {
    SetPixel(static_cast<int>(std::nearbyint(x)), static_cast<int>(std::nearbyint(y)), color);
}

void PrinterTarget::SetPixel(int x, int y, Color color) {
    if (!m_painter || x < 0 || y < 0)
        return;
    m_painter->fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

void PrinterTarget::Print(std::string_view text) {
    if (!m_painter)
        return;
    const QFont font = TargetFont(*this);
    m_painter->setFont(font);
    m_painter->setPen(ToQColor(ForeColor));
    const QFontMetricsF fm(font, m_device);
    m_painter->drawText(QPointF(CurrentX, CurrentY + fm.ascent()), ToQString(text));
    CurrentY += fm.height();
}

double PrinterTarget::TextWidth(std::string_view text) {
    return QFontMetricsF(TargetFont(*this), m_device).horizontalAdvance(ToQString(text));
}

double PrinterTarget::TextHeight(std::string_view) {
    return QFontMetricsF(TargetFont(*this), m_device).height();
}

void PrinterTarget::Polyline(std::span<const PolyPoint> points) {
    if (!m_painter || points.size() < 2)
        return;
    UsePen(ForeColor, false);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const PolyPoint& a = points[i - 1];
        const PolyPoint& b = points[i];
        const QPointF end = i + 1 == points.size() ? OneShort(a, b) : QPointF(b.x, b.y);
        if (a.x == b.x && a.y == b.y)
            continue;
        m_painter->drawLine(QPointF(a.x, a.y), end);
    }
}

void PrinterTarget::Polygon(std::span<const PolyPoint> points) {
    if (!m_painter || points.empty())
        return;
    QPolygon poly;
    for (const PolyPoint& pt : points)
        poly << QPoint(pt.x, pt.y);
    UsePen(ForeColor, true);
    m_painter->drawPolygon(poly);
}

} // namespace kardo
