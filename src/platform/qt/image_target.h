// Drawing target on a QImage: the worksheet picture of the main window. One-pixel lines are
// set pixel by pixel so that they are exact; also the font mapping shared by the Qt targets.
#pragma once

#include "platform/draw_target.h"

#include <string_view>

#include <QFont>
#include <QImage>
#include <QString>

class QPainter;

namespace kardo {

// Screen resolution the worksheet picture stands for: font point sizes become pixels at 96 dpi.
constexpr int kScreenDpi = 96;

// The image holds the pixels of its surface from an origin on (0, 0 here; the worksheet
// picture moves it): every drawing call takes surface coordinates and lands translated in the
// image, clipped to it.
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

    // The pixels held: the kept part of the surface, whose top-left corner is Kept().x/y.
    const QImage& Image() const { return m_image; }
    // Colour of the surface pixel (x, y) in the program's encoding; white outside the kept part.
    Color PixelAt(int x, int y) const;

  protected:
    // A white image of width x height whose top-left pixel stands for surface pixel (ox, oy).
    void NewImage(int width, int height, int ox = 0, int oy = 0);
    int OriginX() const { return m_ox; }
    int OriginY() const { return m_oy; }

  private:
    void Plot(int x, int y, Color color);
    void Segment(int x1, int y1, int x2, int y2, Color color, bool lastPoint, bool dotted);
    // A QPainter on the image that takes surface coordinates.
    void BeginPainter(QPainter& p);

    QImage m_image; // the pixels held, RGB32 at kScreenDpi
    int m_ox = 0;   // surface column of the image's left edge
    int m_oy = 0;   // surface row of the image's top edge
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
