// The overlay controls on the worksheet picture: the frame picRahmen, the marker box picBox, the
// decoder outline LineRahmen and the two legs of the wire band. The editing code moves, shows and
// reads them back; the worksheet canvas paints them over the worksheet image.
#pragma once

#include "platform/draw_target.h"

#include <array>
#include <cstdint>

namespace kardo {

// Border styles of a shape overlay: 1 solid, 3 dotted.
constexpr int kBorderSolid = 1;
constexpr int kBorderDotted = 3;

// A rectangle or filled square on the picture, in pixels.
struct OverlayShape {
    int Left = 0;                   // left edge
    int Top = 0;                    // top edge
    int Width = 0;                  // width; the border covers Left .. Left + Width - 1
    int Height = 0;                 // height
    bool Visible = false;           // shown
    Color BorderColor = 0x808080;   // border colour
    int BorderStyle = kBorderSolid; // kBorderSolid or kBorderDotted
    bool Filled = false;            // filled with BorderColor (the marker box)
    bool operator==(const OverlayShape&) const = default;
};

// A one-pixel line on the picture from (X1, Y1) to (X2, Y2), both ends painted.
struct OverlayLine {
    int X1 = 0;
    int Y1 = 0;
    int X2 = 0;
    int Y2 = 0;
    bool Visible = false;  // shown
    Color BorderColor = 0; // line colour
    bool operator==(const OverlayLine&) const = default;
};

struct WorksheetOverlays {
    OverlayShape picRahmen;                // placement outline, select cursor frame, area frame
    OverlayShape picBox;                   // 5 x 5 marker of LEDs, switches and wire ends
    std::array<OverlayLine, 5> LineRahmen; // decoder outline, lines 1..4 (0 unused)
    OverlayLine LeitungH;                  // horizontal leg of the wire band
    OverlayLine LeitungV;                  // vertical leg of the wire band
    bool operator==(const WorksheetOverlays&) const = default;
};

extern WorksheetOverlays gOverlays; // overlay controls of picGrid; reset by ResetOverlays

// Start-up state: everything hidden at (0, 0), the frame grey and solid, the band red.
void ResetOverlays();

// A pixel rectangle: the area an overlay covers when painted.
struct PixelRect {
    int x = 0;
    int y = 0;
    int w = 0; // 0: nothing
    int h = 0;
    bool operator==(const PixelRect&) const = default;
};
PixelRect Bounds(const OverlayShape& s);
PixelRect Bounds(const OverlayLine& l);

// Moves both ends of a line to one point.
void CollapseLine(OverlayLine& l, int x, int y);
// The pixel lies strictly inside the shape's edges.
bool StrictlyInside(const OverlayShape& s, double x, double y);

} // namespace kardo
