// The driver symbols: the inverter (box with "1" and a negation circle) and the tri-state
// driver (box with a triangle and the enable input "s").
#include "render/draw_common.h"
#include "render/grafik.h"

namespace kardo {

using namespace draw;

void clsGrafik::DrawInverter(std::int16_t pX, std::int16_t pY) {
    const double R = LoadZoomRaster();
    const double g = Zoom();
    const int x0 = GridToPixel(pX);
    const int y0 = GridToPixel(pY);
    const double threeQuarters = R / (4.0 / 3.0);
    int bx1 = 0, by1 = 0, bx2 = 0, by2 = 0; // box corners
    int cx = 0, cy = 0;                     // centre of the negation circle
    int lx = 0, ly = 0;                     // top-left of the label "1"
    switch (Orientation) {
    case kRight:
        Stub(C(pX + 1), y0, C(pX + 1) + R / 1.5, y0);
        bx1 = x0, by1 = CInt(y0 - R / 3.0);
        bx2 = CInt(x0 + threeQuarters), by2 = CInt(y0 + R / 3.0);
        cx = CInt(bx2 + 3.0 * g), cy = y0;
        lx = CInt(x0 + R / 4.0), ly = CInt(y0 - R / 3.0);
        break;
    case kLeft:
        Stub(C(pX - 1), y0, C(pX - 1) - R / 1.5, y0);
        bx1 = x0, by1 = CInt(y0 + R / 3.0);
        bx2 = CInt(x0 - threeQuarters), by2 = CInt(y0 - R / 3.0);
        cx = CInt(bx2 - 3.0 * g), cy = y0;
        lx = CInt(x0 - R / 2.0), ly = CInt(y0 - R / 3.0);
        break;
    case kDown:
        Stub(x0, C(pY + 1), x0, C(pY + 1) + R / 1.5);
        bx1 = CInt(x0 - R / 3.0), by1 = y0;
        bx2 = CInt(x0 + R / 3.0), by2 = CInt(y0 + threeQuarters);
        cx = x0, cy = CInt(by2 + 3.0 * g);
        lx = CInt(x0 - R / 8.0), ly = CInt(y0 + R / 10.0);
        break;
    case kUp:
        Stub(x0, C(pY - 1), x0, C(pY - 1) - R / 1.5);
        bx1 = CInt(x0 + R / 3.0), by1 = y0;
        bx2 = CInt(x0 - R / 3.0), by2 = CInt(y0 - threeQuarters);
        cx = x0, cy = CInt(by2 - 3.0 * g);
        lx = CInt(x0 - R / 8.0), ly = CInt(y0 - R / 1.5);
        break;
    default:
        // No orientation: nothing to draw (a symbol at the picture's corner would be junk).
        return;
    }
    DrawTarget& dev = Dev();
    SetBodyFill(kBodyGreen);
    dev.Circle(cx, cy, 3.0 * g, kBlack);
    Box(bx1, by1, bx2, by2);
    SetFont(6.0, 0.62);
    PrintAt(lx, ly, "1");
    if (OnPrinter()) {
        dev.FillStyle = FillMode::Transparent;
        Box(bx1, by1, bx2, by2);
    }
}

void clsGrafik::DrawTriState(std::int16_t pX, std::int16_t pY) {
    const double R = LoadZoomRaster();
    const int x = pX;
    const int y = pY;
    DrawTarget& dev = Dev();
    // The tri-state driver looks the same on every device.
    dev.ForeColor = kBlack;
    dev.FontName = "Arial";
    dev.FontBold = false;
    dev.FontSize = 10.0 * Zoom();
    dev.FillColor = kBodyYellow;
    dev.FillStyle = FillMode::Solid;

    const double half = R / 2.0;
    // Stub of a pin cell in black, left out when a wire leaves the cell towards side.
    auto stub = [](int cx, int cy, std::uint8_t side, double x1, double y1, double x2, double y2) {
        if (!WireLeaves(cx, cy, side))
            LineTo(x1, y1, x2, y2);
    };
    double b1x = 0, b1y = 0, b2x = 0, b2y = 0; // triangle base, upper or left end first
    double tx = 0, ty = 0;                     // triangle tip
    double sx = 0, sy = 0;                     // label "s"
    switch (Orientation) {
    case kRight:
        Box(C(x), C(y - 1) - R / 4.0, C(x + 2), C(y + 1) + R / 4.0);
        for (const int b : {y - 1, y + 1})
            stub(x, b, kLeft, C(x) - half, C(b), C(x), C(b));
        stub(x + 2, y, kRight, C(x + 2), C(y), C(x + 2) + half, C(y));
        b1x = C(x) + half, b1y = C(y - 1) + half, b2x = C(x) + half, b2y = C(y + 1) - half;
        tx = C(x + 1) + R / 1.7, ty = C(y);
        sx = C(x) + R / 5.0, sy = C(y) + half;
        break;
    case kLeft:
        Box(C(x), C(y - 1) - R / 4.0, C(x - 2), C(y + 1) + R / 4.0);
        for (const int b : {y - 1, y + 1})
            stub(x, b, kRight, C(x) + half, C(b), C(x), C(b));
        stub(x - 2, y, kLeft, C(x - 2), C(y), C(x - 2) - half, C(y));
        b1x = C(x) - R / 1.7, b1y = C(y - 1) + half, b2x = C(x) - R / 1.7, b2y = C(y + 1) - half;
        tx = C(x - 1) - half, ty = C(y);
        sx = C(x) - half, sy = C(y + 1) - half;
        break;
    case kDown:
        Box(C(x - 1) - R / 4.0, C(y), C(x + 1) + R / 4.0, C(y + 2));
        for (const int a : {x - 1, x + 1})
            stub(a, y, kUp, C(a), C(y), C(a), C(y) - half);
        stub(x, y + 2, kDown, C(x), C(y + 2), C(x), C(y + 2) + half);
        b1x = C(x - 1) + half, b1y = C(y + 1) - half, b2x = C(x) + half, b2y = C(y + 1) - half;
        tx = C(x), ty = C(y + 1) + half;
        sx = C(x + 1) - R / 4.0, sy = C(y);
        break;
    case kUp:
        Box(C(x - 1) - R / 4.0, C(y), C(x + 1) + R / 4.0, C(y - 2));
        for (const int a : {x - 1, x + 1})
            stub(a, y, kDown, C(a), C(y), C(a), C(y) + half);
        stub(x, y - 2, kUp, C(x), C(y - 2), C(x), C(y - 2) - half);
        b1x = C(x - 1) + half, b1y = C(y - 1) + half, b2x = C(x + 1) - half, b2y = C(y - 1) + half;
        tx = C(x), ty = C(y - 1) - half;
        sx = C(x + 1) - R / 4.0, sy = C(y - 1) + R / 5.0;
        break;
    default:
        return;
    }
    LineTo(b1x, b1y, tx, ty);
    LineTo(b2x, b2y, tx, ty);
    LineTo(b1x, b1y, b2x, b2y);
    dev.PSet(tx, ty, kBlack);
    dev.FontSize = 7.0 * Zoom();
    PrintAt(sx, sy, "s");
}

} // namespace kardo
