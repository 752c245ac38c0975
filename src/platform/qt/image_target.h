// Drawing target on a QImage: the worksheet picture of the main window.
#pragma once

#include "platform/draw_target.h"

#include <QImage>

namespace kardo {

class ImageTarget : public DrawTarget {
  public:
    explicit ImageTarget(int width = 1, int height = 1);

    DeviceKind Kind() const override { return DeviceKind::Screen; }
    void Line(double x1, double y1, double x2, double y2, Color color, LineKind kind) override;
    void Circle(double x, double y, double r, Color color) override;
    void PSet(double x, double y, Color color) override;
    void Print(std::string_view text) override;
    double TextWidth(std::string_view text) override;
    double TextHeight(std::string_view text) override;
    void Polyline(std::span<const PolyPoint> points) override;
    void Polygon(std::span<const PolyPoint> points) override;
    void SetPixel(int x, int y, Color color) override;
    void Resize(int width, int height) override;
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    void Clear() override;

    const QImage& Image() const { return m_image; }
    // Colour of one pixel in the program's encoding.
    Color PixelAt(int x, int y) const;

  private:
    void Plot(int x, int y, Color color);
    void Segment(int x1, int y1, int x2, int y2, Color color, bool lastPoint);

    QImage m_image; // the picture, RGB32
};

QColor ToQColor(Color c);

} // namespace kardo
