// Recording drawing target.
#include "platform/recording_target.h"

#include <algorithm>

namespace kardo {

DrawCall& RecordingTarget::Log(DrawOp op) {
    DrawCall& c = m_calls.emplace_back();
    c.op = op;
    c.foreColor = ForeColor;
    c.fillColor = FillColor;
    c.fillStyle = FillStyle;
    c.drawStyle = DrawStyle;
    c.fontName = FontName;
    c.fontSize = FontSize;
    c.fontBold = FontBold;
    c.currentX = CurrentX;
    c.currentY = CurrentY;
    return c;
}

void RecordingTarget::Line(double x1, double y1, double x2, double y2, Color color, LineKind kind) {
    DrawCall& c = Log(kind == LineKind::Box ? DrawOp::Box : DrawOp::Line);
    c.x1 = x1, c.y1 = y1, c.x2 = x2, c.y2 = y2, c.color = color;
}

void RecordingTarget::Circle(double x, double y, double r, Color color) {
    DrawCall& c = Log(DrawOp::Circle);
    c.x1 = x, c.y1 = y, c.x2 = r, c.color = color;
}

void RecordingTarget::PSet(double x, double y, Color color) {
    DrawCall& c = Log(DrawOp::PSet);
    c.x1 = x, c.y1 = y, c.color = color;
}

void RecordingTarget::Print(std::string_view text) {
    DrawCall& c = Log(DrawOp::Print);
    c.text = std::string(text);
    c.color = ForeColor;
    CurrentY += TextHeight(text);
}

double RecordingTarget::TextWidth(std::string_view text) {
    return 0.5 * FontSize * 96.0 / 72.0 * static_cast<double>(text.size());
}

double RecordingTarget::TextHeight(std::string_view) { return 1.2 * FontSize * 96.0 / 72.0; }

void RecordingTarget::Polyline(std::span<const PolyPoint> points) {
    DrawCall& c = Log(DrawOp::Polyline);
    c.points.assign(points.begin(), points.end());
    c.color = ForeColor;
}

void RecordingTarget::Polygon(std::span<const PolyPoint> points) {
    DrawCall& c = Log(DrawOp::Polygon);
    c.points.assign(points.begin(), points.end());
    c.color = ForeColor;
}

void RecordingTarget::SetPixel(int x, int y, Color color) {
    DrawCall& c = Log(DrawOp::SetPixel);
    c.x1 = x, c.y1 = y, c.color = color;
}

void RecordingTarget::Resize(int width, int height) {
    m_width = width, m_height = height;
    DrawCall& c = Log(DrawOp::Resize);
    c.x1 = width, c.y1 = height;
}

void RecordingTarget::Clear() { Log(DrawOp::Clear); }

std::vector<DrawCall> RecordingTarget::CallsOf(DrawOp op) const {
    std::vector<DrawCall> out;
    std::copy_if(m_calls.begin(), m_calls.end(), std::back_inserter(out),
                 [op](const DrawCall& c) { return c.op == op; });
    return out;
}

} // namespace kardo
