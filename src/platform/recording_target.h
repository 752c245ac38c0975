// Drawing targets without pixels: a recording one that logs every call with the property state
// in force (for tests), and a null one that draws nothing (for headless runs and benchmarks).
#pragma once

#include "platform/draw_target.h"

#include <string>
#include <vector>

namespace kardo {

enum class DrawOp { Line, Box, Circle, PSet, Print, Polyline, Polygon, SetPixel, Resize, Clear };

// One logged call; unused fields stay zero.
struct DrawCall {
    DrawOp op = DrawOp::Line;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // end points; centre and radius (x2) of a circle
    Color color = 0;                       // colour argument, or ForeColor for the raw calls
    std::vector<PolyPoint> points;         // Polyline and Polygon points
    std::string text;                      // Print text
    // Property state at the time of the call.
    Color foreColor = 0;
    Color fillColor = 0;
    FillMode fillStyle = FillMode::Transparent;
    LineStyle drawStyle = LineStyle::Solid;
    std::string fontName;
    double fontSize = 0;
    bool fontBold = false;
    double currentX = 0, currentY = 0; // text position of a Print
};

class RecordingTarget : public DrawTarget {
  public:
    explicit RecordingTarget(DeviceKind kind = DeviceKind::Screen, int width = 714,
                             int height = 434)
        : m_kind(kind), m_width(width), m_height(height) {}

    DeviceKind Kind() const override { return m_kind; }
    void Line(double x1, double y1, double x2, double y2, Color color, LineKind kind) override;
    void Circle(double x, double y, double r, Color color) override;
    void PSet(double x, double y, Color color) override;
    void Print(std::string_view text) override;
    // Deterministic measure: 0.5 * FontSize * 96 / 72 per character, 1.2 lines of FontSize.
    double TextWidth(std::string_view text) override;
    double TextHeight(std::string_view text) override;
    void Polyline(std::span<const PolyPoint> points) override;
    void Polygon(std::span<const PolyPoint> points) override;
    void SetPixel(int x, int y, Color color) override;
    void Resize(int width, int height) override;
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    void Clear() override;

    const std::vector<DrawCall>& Calls() const { return m_calls; }
    void ClearLog() { m_calls.clear(); }
    // Calls of one kind, in order.
    std::vector<DrawCall> CallsOf(DrawOp op) const;

  private:
    DrawCall& Log(DrawOp op);

    DeviceKind m_kind;             // screen or printer
    int m_width;                   // pixels
    int m_height;                  // pixels
    std::vector<DrawCall> m_calls; // every call so far
};

class NullTarget : public DrawTarget {
  public:
    explicit NullTarget(DeviceKind kind = DeviceKind::Screen) : m_kind(kind) {}
    DeviceKind Kind() const override { return m_kind; }
    void Line(double, double, double, double, Color, LineKind) override {}
    void Circle(double, double, double, Color) override {}
    void PSet(double, double, Color) override {}
    void Print(std::string_view) override {}
    double TextWidth(std::string_view text) override {
        return 6.0 * static_cast<double>(text.size());
    }
    double TextHeight(std::string_view) override { return 13.0; }
    void Polyline(std::span<const PolyPoint>) override {}
    void Polygon(std::span<const PolyPoint>) override {}
    void SetPixel(int, int, Color) override {}
    void Resize(int width, int height) override { m_width = width, m_height = height; }
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    void Clear() override {}

  private:
    DeviceKind m_kind; // screen or printer
    int m_width = 0;   // pixels
    int m_height = 0;  // pixels
};

} // namespace kardo
