// Half and full adders: a block 4 cells long in the orientation and 3 wide, the cursor cell in
// the middle of the input side; inputs the two outer cells then the middle, outputs sum, carry.
#include "model/block_common.h"
#include "model/block_elements.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/placement.h"
#include "render/grafik.h"
#include "simulation/pin_points.h"

#include <utility>

namespace kardo {

namespace {

// Footprint and pins of an adder at (x, y) in orientation o; false for an unknown orientation.
bool AdderLayout(int x, int y, int o, Footprint& f, PinList& in, PinList& out) {
    switch (o) {
    case kRight:
    case kLeft: {
        const int ox = o == kRight ? x + 3 : x - 3;
        f = Rect(o == kRight ? x : x - 3, y - 1, o == kRight ? x + 3 : x, y + 1);
        in = PinEntry(x, y - 1) + PinEntry(x, y + 1) + PinEntry(x, y);
        out = PinEntry(ox, y - 1) + PinEntry(ox, y + 1);
        return true;
    }
    case kUp:
    case kDown: {
        const int oy = o == kDown ? y + 3 : y - 3;
        f = Rect(x - 1, o == kDown ? y : y - 3, x + 1, o == kDown ? y + 3 : y);
        in = PinEntry(x + 1, y) + PinEntry(x - 1, y) + PinEntry(x, y);
        out = PinEntry(x + 1, oy) + PinEntry(x - 1, oy);
        return true;
    }
    default:
        return false;
    }
}

void SetAdder(std::uint8_t typ) {
    Footprint f;
    PinList in;
    PinList out;
    if (!AdderLayout(gCursorX, gCursorY, gOrientierung, f, in, out))
        return;
    ElementRecord* rec =
        PlaceBlock(f, typ, typ == kTypeHalfAdder ? "Halbaddierer setzen" : "Volladdierer setzen");
    if (!rec)
        return;
    rec->Eingaenge = std::move(in);
    rec->Ausgaenge = std::move(out);
    PrepareDrawing();
    if (typ == kTypeHalfAdder)
        gGrafik.DrawHA(gCursorX, gCursorY);
    else
        gGrafik.DrawVA(gCursorX, gCursorY);
}

} // namespace

void SetHA() { SetAdder(kTypeHalfAdder); }

void SetVA() { SetAdder(kTypeFullAdder); }

void RemoveHAVA() {
    const std::int16_t n = CursorElementWithPins();
    if (n < 1)
        return;
    const int o = gElements[static_cast<std::size_t>(n)].Richtung;
    if (gAnzAusgangsPunkte < 1)
        return;
    // The rectangle hangs off the sum output, the first output point.
    const int xo = gAusgangsPunkte[0].x;
    const int yo = gAusgangsPunkte[0].y;
    Footprint f;
    switch (o) {
    case kLeft:
        f = Rect(xo, yo, xo + 3, yo + 2);
        break;
    case kRight:
        f = Rect(xo - 3, yo, xo, yo + 2);
        break;
    case kUp:
        f = Rect(xo - 2, yo, xo, yo + 3);
        break;
    case kDown:
        f = Rect(xo - 2, yo - 3, xo, yo);
        break;
    default:
        return;
    }
    RemoveBlock(f, n, "HA oder VA löschen");
}

} // namespace kardo
