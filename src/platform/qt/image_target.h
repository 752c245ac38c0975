// Drawing target on a QImage: the worksheet picture of the main window. One-pixel lines are
// set pixel by pixel so that they are exact; also the font mapping shared by the Qt targets.
#pragma once

#include "platform/draw_target.h"

#include <string_view>

#include <QFont>
#include <QImage>
#include <QString>

namespace kardo {

// Screen resolution the worksheet picture stands for: font point sizes become pixels at 96 dpi.
constexpr int kScreenDpi = 96;

class ImageTarget : public DrawTarget {
  public:
    explicit ImageTarget(int width = 1, int height = 1);

    DeviceKind Kind() const override { return DeviceKind::Screen; }
    // Plain lines include both end points; dotted lines set every other pixel from the first.
    // Boxes include both corners.
    void Line(double x1, double y1, double x2, double y2, Color color, LineKind kind) override;
    void Circle(double x, double y, double r, Color color) override;
    void PSet(double x, double y, Color color) override;
    void Print(std::string_view text) override;
    double TextWidth(std::string_view text) override;
    double TextHeight(std::string_view text) override;
    // Bresenham lines from each point to the next, the last point of each left out.
    void Polyline(std::span<const PolyPoint> points) override;
    // Border in ForeColor, inside in FillColor unless FillStyle is transparent.
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
    void Segment(int x1, int y1, int x2, int y2, Color color, bool lastPoint, bool dotted);
    void NewImage(int width, int height);

    QImage m_image; // the picture, RGB32 at kScreenDpi
};

QColor ToQColor(Color c);
// The installed family that stands for a font name of the drawers ("Arial" and the other
// Windows names map onto the metric-compatible Liberation fonts; the program ships none).
QString MapFontFamily(std::string_view name);
// The font of a target's FontName, FontSize (points) and FontBold.
QFont TargetFont(const DrawTarget& target);
// Text of the drawers (UTF-8) as a QString.
QString ToQString(std::string_view text);

} // namespace kardo
