// The drawing surface the drawers paint on: the worksheet picture or the printer page.
// Mirrors the picture-box model: persistent properties plus line, box, circle, pixel and text
// calls, and the raw device-context calls Polyline, Polygon and SetPixel.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kardo {

// A colour as the program stores it: red + 256 * green + 65536 * blue.
using Color = std::int32_t;

constexpr Color Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }
constexpr int RedOf(Color c) { return c & 0xFF; }
constexpr int GreenOf(Color c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(Color c) { return (c >> 16) & 0xFF; }

// One vertex of a Polyline or Polygon call.
struct PolyPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const PolyPoint&) const = default;
};

// A rectangle of pixels: left, top, width, height (empty when either size is 0 or less).
struct PixelBox {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t w = 0;
    std::int32_t h = 0;
    bool Empty() const { return w <= 0 || h <= 0; }
    bool Contains(const PixelBox& o) const {
        return o.x >= x && o.y >= y && o.x + o.w <= x + w && o.y + o.h <= y + h;
    }
    std::int64_t Area() const { return std::int64_t{w} * std::int64_t{h}; }
    bool operator==(const PixelBox&) const = default;
};

// The smallest box holding both boxes.
inline PixelBox Joined(const PixelBox& a, const PixelBox& b) {
    const std::int32_t x0 = std::min(a.x, b.x);
    const std::int32_t y0 = std::min(a.y, b.y);
    const std::int32_t x1 = std::max(a.x + a.w, b.x + b.w);
    const std::int32_t y1 = std::max(a.y + a.h, b.y + b.h);
    return {x0, y0, x1 - x0, y1 - y0};
}

enum class FillMode : std::uint8_t { Solid = 0, Transparent = 1 };
enum class LineStyle : std::uint8_t { Solid = 0, Dotted = 2 };
enum class LineKind : std::uint8_t { Plain, Box };

// Which device a target stands for; drawers vary their output for the printer.
enum class DeviceKind : std::uint8_t { Screen, Printer };

class DrawTarget {
  public:
    virtual ~DrawTarget() = default;

    virtual DeviceKind Kind() const = 0;

    // Persistent properties, kept from one call to the next: a drawer leaves them set.
    Color ForeColor = 0; // pen colour of lines and text
    Color FillColor = 0; // inside of boxes and circles when FillStyle is solid
    FillMode FillStyle = FillMode::Transparent; // solid or transparent fill
    LineStyle DrawStyle = LineStyle::Solid;     // solid or dotted lines
    int DrawWidth = 1;                          // pen width in pixels
    std::string FontName = "Arial";             // font of Print
    double FontSize = 8.25;                     // point size of Print
    bool FontBold = false;                      // bold Print
    double CurrentX = 0;                        // left edge of the next Print
    double CurrentY = 0;                        // top edge of the next Print

    // Line from (x1, y1) to (x2, y2) in colour; LineKind::Box draws the rectangle with that
    // border colour, filled with FillColor when FillStyle is solid.
    virtual void Line(double x1, double y1, double x2, double y2, Color color, LineKind kind) = 0;
    // Circle of centre (x, y) and radius r, filled with FillColor when FillStyle is solid.
    virtual void Circle(double x, double y, double r, Color color) = 0;
    // One pixel.
    virtual void PSet(double x, double y, Color color) = 0;
    // Text with its top-left corner at (CurrentX, CurrentY); afterwards CurrentY moves one line
    // down.
    virtual void Print(std::string_view text) = 0;
    // Size of a text in pixels in the current font.
    virtual double TextWidth(std::string_view text) = 0;
    virtual double TextHeight(std::string_view text) = 0;

    // Raw device calls in ForeColor: a one-pixel line through the points whose last point is
    // left out, a filled polygon (border ForeColor, inside FillColor), one pixel.
    virtual void Polyline(std::span<const PolyPoint> points) = 0;
    virtual void Polygon(std::span<const PolyPoint> points) = 0;
    virtual void SetPixel(int x, int y, Color color) = 0;
    // Separate raw lines, line k from pairs[2k] to pairs[2k + 1] as Polyline draws it, with
    // ForeColor colors[k] (as set before each line, so the last colour stays set): the lines of
    // one wire step in one call. Drawn as one Polyline per line unless a target does better.
    virtual void Lines(std::span<const PolyPoint> pairs, std::span<const Color> colors) {
        for (std::size_t k = 0; k < colors.size() && 2 * k + 1 < pairs.size(); ++k) {
            ForeColor = colors[k];
            Polyline(pairs.subspan(2 * k, 2));
        }
    }

    // Size of the surface in pixels; Resize clears to white on the screen picture.
    virtual void Resize(int width, int height) = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Fills the whole surface with white.
    virtual void Clear() = 0;

    // The part of the surface the target keeps. Most targets keep all of it; the worksheet
    // picture keeps only a window around what the viewport shows, and drops what is drawn
    // outside it. Code that draws or reads pixels may rely on this part only.
    virtual PixelBox Kept() const { return {0, 0, Width(), Height()}; }
    // Asks the target to keep the window box (clipped to the surface) instead. True when the
    // kept part moved or changed size: it is then white and must be drawn again. Targets that
    // keep their whole surface ignore the request.
    virtual bool SetWindow(const PixelBox& /*box*/) { return false; }

    // Lets drawing land only inside box (surface pixels) until ClearClip, so that a part of a
    // picture can be painted again exactly as the whole would paint it there. True when the
    // target clips; a target without pixels draws (or records) everything and returns false.
    virtual bool SetClip(const PixelBox& /*box*/) { return false; }
    virtual void ClearClip() {}
    // Whether SetClip clips on this target.
    virtual bool Clips() const { return false; }
    // A clipped repaint remembered. Called after SetClip: when an earlier repaint under the same
    // key painted this clip over the same pixels as it holds now, paints what that one left,
    // leaves the properties as it left them and returns true; else returns false, and ClearClip
    // remembers what the drawing that follows paints. The key stands for everything that
    // drawing depends on besides the pixels in the clip. Targets without pixels remember
    // nothing.
    virtual bool Replay(std::uint64_t /*key*/) { return false; }
    // Whether a call whose pixels all lie in the surface box x0..x1, y0..y1 (ends included)
    // can land inside the clip box: the drawers skip the work of calls that cannot. Always
    // true while the target does not clip.
    bool ClipReaches(double x0, double y0, double x1, double y1) const {
        return !m_clipping || (x1 >= m_clipBox.x && x0 < m_clipBox.x + m_clipBox.w &&
                               y1 >= m_clipBox.y && y0 < m_clipBox.y + m_clipBox.h);
    }
    // Pixels of one point of FontSize on a target that clips (0 while it does not).
    double ClipPixelsPerPoint() const { return m_clipping ? m_pixelsPerPoint : 0; }

  protected:
    // A target that clips tells the drawers where it clips, and how large its font points are.
    void SetClipReach(const PixelBox& box, double pixelsPerPoint) {
        m_clipping = true;
        m_clipBox = box;
        m_pixelsPerPoint = pixelsPerPoint;
    }
    void ClearClipReach() { m_clipping = false; }

  private:
    bool m_clipping = false;     // a clip box is set
    PixelBox m_clipBox{};        // the clip box while m_clipping
    double m_pixelsPerPoint = 0; // pixels of a font point while m_clipping
};

} // namespace kardo
