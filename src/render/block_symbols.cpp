// The block symbols of the clock generator ("T" and its "Stop" input) and the full adder ("VA"
// with the outputs "s" and "ü").
#include "model/sim_levels.h"
#include "render/draw_common.h"
#include "render/grafik.h"

#include <array>

namespace kardo {

using namespace draw;

void clsGrafik::DrawTimer(std::int16_t pX, std::int16_t pY, bool Border) {
    const double R = LoadZoomRaster();
    DrawTarget& dev = Dev();
    dev.ForeColor = kBlack;
    dev.FontName = "Arial";
    dev.FontBold = false;
    // The clock takes its orientation from its own record, of the shown level while powered.
    if (const ElementRecord* rec = ShownElement(ShownCell(pX, pY).ElementNr))
        Orientation = rec->Richtung;
    SetFontSize(10.0, 1.2);
    SetBodyFill(Border ? kBodyOrange : kBodyYellow);

    const int x = pX;
    const int y = pY;
    const double half = R / 2.0;
    const double threeQuarters = 3.0 * R / 4.0;
    const Color stopColor = OnPrinter() ? kBlack : kWireLow;
    double sx = 0, sy = 0; // "Stop"
    switch (Orientation) {
    case kRight:
        Box(C(x), C(y - 1) - R / 4.0, C(x + 3), C(y + 1) + R / 4.0);
        Stub(C(x + 3), C(y), C(x + 3) + half, C(y));
        PrintAt(C(x + 1) + R / 4.0, C(y - 1) + half, "T");
        LineTo(C(x + 2), C(y + 1), C(x + 2), C(y + 1) + threeQuarters, stopColor);
        sx = C(x + 1) - half, sy = C(y) + R / 2.5;
        break;
    case kLeft:
        Box(C(x), C(y - 1) - R / 4.0, C(x - 3), C(y + 1) + R / 4.0);
        Stub(C(x - 3), C(y), C(x - 3) - half, C(y));
        PrintAt(C(x - 1) - threeQuarters, C(y - 1) + half, "T");
        LineTo(C(x - 2), C(y + 1), C(x - 2), C(y + 1) + threeQuarters, stopColor);
        sx = C(x - 2) + R / 6.0, sy = C(y) + R / 2.5;
        break;
    case kDown:
        Box(C(x - 1) - R / 4.0, C(y), C(x + 1) + R / 4.0, C(y + 3));
        Stub(C(x), C(y + 3), C(x), C(y + 3) + half);
        PrintAt(C(x - 1) + threeQuarters, C(y + 1), "T");
        LineTo(C(x + 1), C(y + 1), C(x + 1) + threeQuarters, C(y + 1), stopColor);
        sx = C(x) - R / 3.5, sy = C(y) + R / 4.0;
        break;
    case kUp:
        Box(C(x - 1) - R / 4.0, C(y), C(x + 1) + R / 4.0, C(y - 3));
        Stub(C(x), C(y - 3), C(x), C(y - 3) - half);
        PrintAt(C(x - 1) + threeQuarters, C(y - 2), "T");
        LineTo(C(x + 1), C(y - 1), C(x + 1) + threeQuarters, C(y - 1), stopColor);
        sx = C(x) - R / 3.0, sy = C(y - 1);
        break;
    default:
        return;
    }
    SetFontSize(7.0, 0.84);
    PrintAt(sx, sy, "Stop");
}

void clsGrafik::DrawVA(std::int16_t pX, std::int16_t pY) {
    const double R = LoadZoomRaster();
    SetFont(10.0, 1.2);
    SetBodyFill(kBodyYellow);

    const int x = pX;
    const int y = pY;
    const double half = R / 2.0;
    const std::uint8_t o = Orientation;
    if (o < kLeft || o > kDown)
        return;
    const bool horizontal = o == kLeft || o == kRight;
    const int d = (o == kRight || o == kDown) ? 1 : -1;

    // Body corners, the labels "VA", "s" and "ü" by orientation.
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double vx = 0, vy = 0, sx = 0, sy = 0, ux = 0, uy = 0;
    switch (o) {
    case kRight:
        x1 = C(x), y1 = C(y - 1) - R / 4.0, x2 = C(x + 3), y2 = C(y + 1) + R / 4.0;
        vx = C(x + 1) - R / 8.0, vy = C(y - 1) + half;
        sx = C(x + 2) + half, sy = C(y - 1) - R / 3.0;
        ux = C(x + 2) + half, uy = C(y + 1) - R / 1.5;
        break;
    case kLeft:
        x1 = C(x - 3), y1 = C(y - 1) - R / 4.0, x2 = C(x), y2 = C(y + 1) + R / 4.0;
        vx = C(x - 2) - R / 8.0, vy = C(y - 1) + half;
        sx = C(x - 3) + R / 5.0, sy = C(y - 1) - R / 3.0;
        ux = C(x - 3) + R / 5.0, uy = C(y + 1) - R / 1.5;
        break;
    case kDown:
        x1 = C(x - 1) - R / 4.0, y1 = C(y), x2 = C(x + 1) + R / 4.0, y2 = C(y + 3);
        vx = C(x - 1) + R / 3.0, vy = C(y);
        sx = C(x) + R / 1.3, sy = C(y + 2) + R / 10.0;
        ux = C(x - 1) - R / 10.0, uy = C(y + 2) + R / 10.0;
        break;
    default: // kUp
        x1 = C(x - 1) - R / 4.0, y1 = C(y - 3), x2 = C(x + 1) + R / 4.0, y2 = C(y);
        vx = C(x - 1) + R / 3.0, vy = C(y - 3);
        sx = C(x) + R / 1.3, sy = C(y - 3) - R / 10.0;
        ux = C(x - 1) - R / 10.0, uy = C(y - 3) - R / 10.0;
        break;
    }
    Box(x1, y1, x2, y2);

    // Three inputs along the input side, two outputs three cells ahead at the outer positions.
    const std::uint8_t inSide = Opposite(o);
    for (const int k : {-1, 0, 1}) {
        if (horizontal) {
            const int b = y + k;
            StubUnlessWired(x, b, inSide, C(x) - d * half, C(b), C(x), C(b));
        } else {
            const int a = x + k;
            StubUnlessWired(a, y, inSide, C(a), C(y), C(a), C(y) - d * half);
        }
    }
    for (const int k : {-1, 1}) {
        const int a = horizontal ? x + 3 * d : x + k;
        const int b = horizontal ? y + k : y + 3 * d;
        if (horizontal)
            StubUnlessWired(a, b, o, C(a), C(b), C(a) + d * half, C(b));
        else
            StubUnlessWired(a, b, o, C(a), C(b), C(a), C(b) + d * half);
    }

    PrintAt(vx, vy, "VA");
    SetFontSize(8.0, 0.96);
    PrintAt(sx, sy, "s");
    PrintAt(ux, uy, "ü");
    if (OnPrinter()) {
        Dev().FillStyle = FillMode::Transparent;
        Box(x1, y1, x2, y2);
    }
}

} // namespace kardo
