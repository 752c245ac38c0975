// The 4-to-1 multiplexer symbol: a box with the data inputs "3" to "0", the select inputs
// "S1" and "S0", the output and the label "MUX". All geometry comes from the element's pin
// lists, so any cell of the element may be passed.
#include "model/pin_points.h"
#include "render/draw_common.h"
#include "render/grafik.h"

#include <string>

namespace kardo {

using draw::C;

void clsGrafik::DrawMultiplexer(std::int16_t x, std::int16_t y) {
    const double r = LoadZoomRaster();
    const std::int16_t e = gGrid(x, y).ElementNr;
    GetInputPoints(e, 0);
    GetOutputPoints(e, 0);
    draw::SetFont(8, 0.96);
    draw::SetBodyFill(draw::kLightCyan);

    // Data inputs D0..D3, then the select inputs S1 and S0; one output.
    const GridPoint i0 = gEingangsPunkte[0];
    const GridPoint i2 = gEingangsPunkte[2];
    const GridPoint i3 = gEingangsPunkte[3];
    const GridPoint i4 = gEingangsPunkte[4];
    const GridPoint i5 = gEingangsPunkte[5];
    const GridPoint o = gAusgangsPunkte[0];

    double bx1 = 0, by1 = 0, bx2 = 0, by2 = 0; // body corners
    switch (Orientation) {
    case kRight:
    case kLeft: {
        const bool right = Orientation == kRight;
        const double d = right ? 1.0 : -1.0;
        bx1 = C(right ? i3.x : o.x);
        by1 = C(i3.y - 1);
        bx2 = C(right ? o.x : i3.x);
        by2 = C(o.y + 1) + r / 3;
        draw::Box(bx1, by1, bx2, by2);
        // D3 on top down to D0.
        for (int j = i3.y; j <= i0.y; ++j) {
            draw::LineTo(C(i3.x), C(j), C(i3.x) - d * r / 2, C(j));
            draw::PrintAt(right ? C(i3.x) + r / 4 : C(i3.x) - r / 1.5, C(j) - r / 2,
                          std::to_string(i3.y - j + 3));
        }
        // Select inputs side by side in the row above D3.
        const double top = C(i3.y - 1);
        draw::LineTo(C(i4.x), top, C(i4.x), top - r / 2);
        draw::LineTo(C(i4.x + 1), top, C(i4.x + 1), top - r / 2);
        draw::LineTo(C(o.x), C(o.y), C(o.x) + d * r / 2, C(o.y));
        draw::PrintAt(C(i4.x) - r / 2, top, "S1");
        draw::PrintAt(C(i5.x) - r / 2, top, "S0");
        draw::SetFontSize(10, 1.2);
        draw::Dev().FontBold = true;
        draw::PrintAt(C(i4.x) - r / 2, C(i2.y) + r / 2, "MUX");
        break;
    }
    case kDown:
    case kUp: {
        const bool down = Orientation == kDown;
        if (down) {
            bx1 = C(i3.x) - r / 3;
            by1 = C(i3.y);
            bx2 = C(i5.x);
            by2 = C(i5.y + 1);
        } else {
            bx1 = C(o.x - 1) - r / 3;
            by1 = C(o.y);
            bx2 = C(i5.x);
            by2 = C(i0.y);
        }
        draw::Box(bx1, by1, bx2, by2);
        // D3 on the left across to D0, stubs on the input row.
        for (int i = i3.x; i <= i0.x; ++i) {
            const std::string number = std::to_string(i3.x - i + 3);
            if (down) {
                draw::LineTo(C(i), C(i3.y), C(i), C(i3.y) - r / 2);
                draw::PrintAt(C(i) - r / 8, C(i3.y), number);
            } else {
                draw::LineTo(C(i), C(i0.y), C(i), C(i0.y) + r / 2);
                draw::PrintAt(C(i) - r / 8, C(i0.y) - r, number);
            }
        }
        // Both select inputs in column I5.x.
        draw::LineTo(C(i5.x), C(i4.y), C(i5.x) + r / 2, C(i4.y));
        draw::LineTo(C(i5.x), C(i5.y), C(i5.x) + r / 2, C(i5.y));
        if (down)
            draw::LineTo(C(o.x), C(i5.y + 1), C(o.x), C(i5.y + 1) + r / 2);
        else
            draw::LineTo(C(o.x), C(o.y), C(o.x), C(o.y) - r / 2);
        draw::PrintAt(C(i5.x) - 1.1 * r, C(i4.y) - r / 2, "S1");
        draw::PrintAt(C(i5.x) - 1.1 * r, C(i5.y) - r / 2, "S0");
        draw::SetFontSize(10, 1.2);
        draw::Dev().FontBold = true;
        draw::PrintAt(C(i3.x), C(i4.y), "MUX");
        break;
    }
    default:
        return;
    }
    draw::Dev().FontBold = false;

    if (draw::OnPrinter()) {
        draw::Dev().FillStyle = FillMode::Transparent;
        draw::Box(bx1, by1, bx2, by2);
    }
}

} // namespace kardo
