// The half adder symbol: a box four cells long and three wide with the label "HA", pin stubs
// where no wire is attached, and the output labels "s" (sum) and "ü" (carry).
#include "render/draw_common.h"
#include "render/grafik.h"

namespace kardo {

namespace {

using draw::C;

// A pixel position.
struct XY {
    double x;
    double y;
};

// A pin of the symbol: its cell and the side towards which its stub points out of the body.
struct Pin {
    int x;
    int y;
    std::uint8_t side;
};

// Stub of half a cell from the centre of the pin cell outwards, unless a wire leaves it there.
// Horizontal stubs run from left to right and vertical ones start at the cell centre, as the
// symbol has always drawn them.
void PinStub(const Pin& p, double r) {
    const double cx = C(p.x);
    const double cy = C(p.y);
    switch (p.side) {
    case kLeft:
        draw::StubUnlessWired(p.x, p.y, p.side, cx - r / 2, cy, cx, cy);
        break;
    case kRight:
        draw::StubUnlessWired(p.x, p.y, p.side, cx, cy, cx + r / 2, cy);
        break;
    case kUp:
        draw::StubUnlessWired(p.x, p.y, p.side, cx, cy, cx, cy - r / 2);
        break;
    case kDown:
        draw::StubUnlessWired(p.x, p.y, p.side, cx, cy, cx, cy + r / 2);
        break;
    default:
        break;
    }
}

} // namespace

void clsGrafik::DrawHA(std::int16_t pX, std::int16_t pY) {
    const double r = LoadZoomRaster();
    const int x = pX;
    const int y = pY;
    draw::SetFont(10, 1.2);
    draw::SetBodyFill(draw::kBodyYellow);

    struct Layout {
        XY body1, body2;          // body corners
        Pin in1, in2, sum, carry; // pins in drawing order
        XY ha, s, c;              // text corners of "HA", "s" and "ü"
    };
    Layout l{};
    switch (Orientation) {
    case kRight:
        l.body1 = {C(x), C(y - 1) - r / 4};
        l.body2 = {C(x + 3), C(y + 1) + r / 4};
        l.in1 = {x, y - 1, kLeft};
        l.in2 = {x, y + 1, kLeft};
        l.sum = {x + 3, y - 1, kRight};
        l.carry = {x + 3, y + 1, kRight};
        l.ha = {C(x + 1) - r / 8, C(y - 1) + r / 2};
        l.s = {C(x + 2) + r / 2, C(y - 1) - r / 3};
        l.c = {C(x + 2) + r / 2, C(y + 1) - r / 1.5};
        break;
    case kLeft:
        l.body1 = {C(x - 3), C(y - 1) - r / 4};
        l.body2 = {C(x), C(y + 1) + r / 4};
        l.in1 = {x, y - 1, kRight};
        l.in2 = {x, y + 1, kRight};
        l.sum = {x - 3, y - 1, kLeft};
        l.carry = {x - 3, y + 1, kLeft};
        l.ha = {C(x - 2) - r / 8, C(y - 1) + r / 2};
        l.s = {C(x - 3) + r / 5, C(y - 1) - r / 3};
        l.c = {C(x - 3) + r / 5, C(y + 1) - r / 1.5};
        break;
    case kDown:
        l.body1 = {C(x - 1) - r / 4, C(y)};
        l.body2 = {C(x + 1) + r / 4, C(y + 3)};
        l.in1 = {x - 1, y, kUp};
        l.in2 = {x + 1, y, kUp};
        l.sum = {x + 1, y + 3, kDown};
        l.carry = {x - 1, y + 3, kDown};
        l.ha = {C(x - 1) + r / 3, C(y) + r};
        l.s = {C(x) + r / 1.3, C(y + 2) + r / 10};
        l.c = {C(x - 1) - r / 10, C(y + 2) + r / 10};
        break;
    case kUp:
        l.body1 = {C(x - 1) - r / 4, C(y - 3)};
        l.body2 = {C(x + 1) + r / 4, C(y)};
        l.in1 = {x - 1, y, kDown};
        l.in2 = {x + 1, y, kDown};
        l.sum = {x + 1, y - 3, kUp};
        l.carry = {x - 1, y - 3, kUp};
        l.ha = {C(x - 1) + r / 3, C(y - 3) + r};
        l.s = {C(x) + r / 1.3, C(y - 3) - r / 10};
        l.c = {C(x - 1) - r / 10, C(y - 3) - r / 10};
        break;
    default:
        return;
    }

    draw::Box(l.body1.x, l.body1.y, l.body2.x, l.body2.y);
    for (const Pin& p : {l.in1, l.in2, l.sum, l.carry})
        PinStub(p, r);

    draw::PrintAt(l.ha.x, l.ha.y, "HA");
    draw::SetFontSize(8, 0.96);
    draw::PrintAt(l.s.x, l.s.y, "s");
    draw::PrintAt(l.c.x, l.c.y, "ü");

    if (draw::OnPrinter()) {
        draw::Dev().FillStyle = FillMode::Transparent;
        draw::Box(l.body1.x, l.body1.y, l.body2.x, l.body2.y);
    }
}

} // namespace kardo
