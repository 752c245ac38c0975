// A drawing target that paints into pixels held in memory, for benchmarks that measure the cost
// of drawing into the worksheet image without a window system: one-pixel lines, boxes, circles
// and points by the drawing rules of the worksheet (a polyline leaves out its last point).
#pragma once

#include "platform/draw_target.h"

#include <cstdint>
#include <vector>

namespace kardo::bench {

class PixelTarget : public DrawTarget {
  public:
    explicit PixelTarget(int width = 714, int height = 434) { Resize(width, height); }

    DeviceKind Kind() const override { return DeviceKind::Screen; }
    void Line(double x1, double y1, double x2, double y2, Color color, LineKind kind) override;
    void Circle(double x, double y, double r, Color color) override;
    void PSet(double x, double y, Color color) override;
    // Text is not rasterised; its box is measured only.
    void Print(std::string_view text) override;
    double TextWidth(std::string_view text) override;
    double TextHeight(std::string_view text) override;
    void Polyline(std::span<const PolyPoint> points) override;
    void Polygon(std::span<const PolyPoint> points) override;
    void SetPixel(int x, int y, Color color) override;
    void Resize(int width, int height) override;
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    void Clear() override;

    Color Pixel(int x, int y) const;

  private:
    void Plot(int x, int y, Color color) {
        if (x >= 0 && y >= 0 && x < m_width && y < m_height)
            m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                     static_cast<std::size_t>(x)] = color;
    }
    // Bresenham line from (x1, y1) to (x2, y2); the end pixel only when withLast.
    void Segment(int x1, int y1, int x2, int y2, Color color, bool withLast);
    void FillRect(int x1, int y1, int x2, int y2, Color color);

    int m_width = 0;             // pixels
    int m_height = 0;            // pixels
    std::vector<Color> m_pixels; // row after row
};

} // namespace kardo::bench
