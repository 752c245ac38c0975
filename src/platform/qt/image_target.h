// Drawing target on a QImage: the worksheet picture of the main window. One-pixel lines, boxes
// and points are written straight into the image's rows so that they are exact; also the font
// mapping shared by the Qt targets.
#pragma once

#include "platform/draw_target.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QRect>
#include <QRectF>
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
    ~ImageTarget() override;
    ImageTarget(const ImageTarget&) = delete;
    ImageTarget& operator=(const ImageTarget&) = delete;

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
    void Lines(std::span<const PolyPoint> pairs, std::span<const Color> colors) override;
    void Resize(int width, int height) override;
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    void Clear() override;
    bool SetClip(const PixelBox& box) override;
    void ClearClip() override;
    bool Clips() const override { return true; }
    bool Replay(std::uint64_t key) override;

    // The pixels held: the kept part of the surface, whose top-left corner is Kept().x/y.
    const QImage& Image() const { return m_image; }
    // Colour of the surface pixel (x, y) in the program's encoding; white outside the kept part.
    Color PixelAt(int x, int y) const;

    // What drawing changed since ForgetChanges, so that a window showing the image repaints only
    // that: boxes of surface pixels that hold every changed pixel (a few; boxes drawn close
    // together are joined), or everything kept (a new, moved or cleared image).
    bool ChangedEverything() const { return m_changedAll; }
    std::span<const PixelBox> ChangedBoxes() const { return {m_changed.data(), m_changedCount}; }
    bool Changed() const { return m_changedAll || m_changedCount > 0; }
    void ForgetChanges();

  protected:
    // A white image of width x height whose top-left pixel stands for surface pixel (ox, oy).
    void NewImage(int width, int height, int ox = 0, int oy = 0);
    int OriginX() const { return m_ox; }
    int OriginY() const { return m_oy; }

  private:
    // The pixels where drawing may land now, in image coordinates, both ends included: the
    // image, within the clip box while there is one. Empty when x0 > x1 or y0 > y1.
    struct Area {
        int x0 = 0;
        int y0 = 0;
        int x1 = -1;
        int y1 = -1;
    };
    // Row y of the image (image coordinates). Rows() gives the row pointers' base and step; it
    // detaches the image once for the drawing call, which also tells the worksheet widget
    // (through the image's cache key) that the picture changed.
    struct RowAccess {
        uchar* bits = nullptr; // first row
        qsizetype stride = 0;  // bytes per row
        QRgb* Row(int y) const { return reinterpret_cast<QRgb*>(bits + y * stride); }
    };
    RowAccess Rows();
    // The image's pixel value of a colour, worked out once per call.
    static QRgb PixelOf(Color c) {
        return 0xFF000000u | static_cast<QRgb>(RedOf(c)) << 16 |
               static_cast<QRgb>(GreenOf(c)) << 8 | static_cast<QRgb>(BlueOf(c));
    }
    void UpdateArea();
    // Whether the surface box x0..x1, y0..y1 (ends included) reaches the area.
    bool Touches(double x0, double y0, double x1, double y1) const;
    // Notes that the image pixels x0..x1, y0..y1 (image coordinates, ends included) may change:
    // the part of them within the area joins the changed boxes.
    void NoteChange(int x0, int y0, int x1, int y1);
    // The same for exactly that box, also under a clip (a replay knows which of the clip's
    // pixels it changes).
    void NoteBox(int x0, int y0, int x1, int y1);
    // The same for the surface box of a call whose pixels lie within it.
    void NoteSurfaceChange(double x0, double y0, double x1, double y1);
    void NoteEverything();
    void Plot(const RowAccess& rows, int x, int y, QRgb rgb) const;
    // Fills the surface box x0..x1, y0..y1 (ends included) within the area.
    void FillBox(const RowAccess& rows, int x0, int y0, int x1, int y1, QRgb rgb) const;
    void Segment(const RowAccess& rows, int x1, int y1, int x2, int y2, QRgb rgb, bool lastPoint,
                 bool dotted) const;
    // The first `lines` lines of Lines, each through Polyline in its colour.
    void LinesOneByOne(std::span<const PolyPoint> pairs, std::span<const Color> colors,
                       std::size_t lines);
    // The QPainter on the image, which takes surface coordinates, clipped to the clip box. It
    // stays open from one call to the next (opening one costs more than a glyph); a new image
    // ends it.
    QPainter& Painter();
    void EndPainter();
    // The pixels a text left where it was printed, and those that lay there before: printed
    // again at the same fraction of a pixel, in the same colour, over the same pixels, it
    // leaves the same pixels again.
    struct TextPatch {
        double fx = 0; // the print position's part after the point, across
        double fy = 0; // and down
        QRgb fore = 0; // the text's colour
        int dx = 0;    // the pixels' box from the print position's whole pixel
        int dy = 0;
        int w = 0;
        int h = 0;
        std::vector<QRgb> before; // w * h, row by row
        std::vector<QRgb> after;  // w * h, row by row
    };
    // The advance and the drawn bounds (from the baseline's start) of a text in a font.
    struct TextBox {
        double advance = 0;
        QRectF bounds;
        QList<QGlyphRun> glyphs;        // the shaped text, its baseline at y = baseline
        double baseline = 0;            // where the glyphs' baseline lies
        std::vector<TextPatch> patches; // its pixels as printed before
    };
    // The image pixels of a text's patch box: its ink and what smoothing may reach. Empty
    // (x0 > x1) unless the box lies wholly inside the area, where no clip cuts the text.
    Area PatchBox(const QRectF& ink) const;
    // Prints a text at (x, y) from a patch of box that fits the place and what lies there.
    bool PrintFromPatch(const TextBox& box, double x, double y, const Area& at, QRgb fore);
    // Keeps what printing the text at (x, y) in fore did to the pixels at, which held
    // m_before, as a patch of box, when the text stayed inside.
    void KeepPatch(TextBox& box, double x, double y, const Area& at, QRgb fore);
    void CopyOut(const Area& at, std::vector<QRgb>& to) const;
    // A font the drawers have used, with its metrics and the boxes of the texts printed in it:
    // the symbols print the same few letters and digits again and again.
    struct FontEntry {
        std::string name;  // FontName
        double size = 0;   // FontSize
        bool bold = false; // FontBold
        QFont font;
        std::unique_ptr<QFontMetricsF> metrics;             // on the image
        double ascent = 0;                                  // its ascent
        double height = 0;                                  // its line height
        std::vector<std::pair<std::string, TextBox>> texts; // boxes measured so far
    };
    // The entry of FontName, FontSize, FontBold, made when it is new.
    FontEntry& Font();
    TextBox& BoxOf(FontEntry& font, std::string_view text);

    // A clipped repaint as Replay remembers it: the clip's pixels before and after, and the
    // properties it left.
    struct Properties {
        Color foreColor = 0;
        Color fillColor = 0;
        FillMode fillStyle = FillMode::Transparent;
        LineStyle drawStyle = LineStyle::Solid;
        int drawWidth = 1;
        std::string fontName;
        double fontSize = 0;
        bool fontBold = false;
        double currentX = 0;
        double currentY = 0;
    };
    // Which repaint it is: the key it was drawn under and where.
    struct Tag {
        std::uint64_t key = 0;
        PixelBox box{};         // the surface pixels of the clip's area
        std::uint16_t next = 0; // the next of its key's bucket (index + 1; 0: none)
    };
    struct Remembered {
        std::vector<QRgb> before; // box.w * box.h, row by row
        std::vector<QRgb> after;  // the same pixels after the repaint
        Area changed;             // where they differ, from the box's corner (x0 > x1: nowhere)
        Properties properties;    // what the repaint left
    };
    // Whether the pixels of the area hold what was copied out of it into pixels.
    bool AreaHolds(const RowAccess& rows, const std::vector<QRgb>& pixels) const;
    static Area ChangedPart(const std::vector<QRgb>& before, const std::vector<QRgb>& after, int w);
    static std::size_t BucketOf(std::uint64_t key);
    void RememberRepaint();

    QImage m_image;                       // the pixels held, RGB32 at kScreenDpi
    RowAccess m_rows;                     // its rows while it does not share them
    int m_ox = 0;                         // surface column of the image's left edge
    int m_oy = 0;                         // surface row of the image's top edge
    PixelBox m_clip{};                    // the clip box (surface pixels) while m_clipped
    bool m_clipped = false;               // drawing is clipped to m_clip
    bool m_clipNoted = false;             // the clip's area is noted as changed
    Area m_whole;                         // all of the image
    Area m_area;                          // where drawing may land
    std::vector<FontEntry> m_fonts;       // fonts used
    std::size_t m_lastFont = 0;           // the one used last
    std::unique_ptr<QPainter> m_painter;  // open on m_image, or none
    const uchar* m_paintedBits = nullptr; // the pixels m_painter draws into
    std::optional<QRect> m_painterClip;   // the clip m_painter has (none: unclipped)
    std::vector<QRgb> m_before;           // a patch box's pixels before a text is printed
    // Enough for what a click or a frame of a running circuit changes; more are joined.
    static constexpr std::size_t kMostChangedBoxes = 16;
    std::array<PixelBox, kMostChangedBoxes> m_changed{}; // changed boxes, surface pixels
    std::size_t m_changedCount = 0;                      // of them in use
    std::size_t m_lastChanged = 0;                       // the one a box went into last
    bool m_changedAll = true;                            // everything changed
    // Repaints remembered, replaced oldest first beyond a bound.
    static constexpr std::size_t kMostRemembered = 128;
    std::vector<Remembered> m_remembered; // remembered repaints
    std::vector<Tag> m_rememberedTags;    // the key and box of each, by the same index
    static constexpr std::size_t kMemoBuckets = 64;
    std::array<std::uint16_t, kMemoBuckets> m_memoBuckets{}; // first of each (index + 1; 0: none)
    std::size_t m_nextRemembered = 0;   // the slot the next one takes when all are in use
    bool m_remembering = false;         // the drawing in the clip is to be remembered
    std::uint64_t m_rememberKey = 0;    // under this key
    std::vector<QRgb> m_rememberBefore; // the area's pixels before it
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
