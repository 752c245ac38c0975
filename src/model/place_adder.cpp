// Half and full adders: a block 4 cells long in the orientation and 3 wide, the cursor cell in
// the middle of the input side; inputs the two outer cells then the middle, outputs sum, carry.
#include "model/block_common.h"
#include "model/block_elements.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/pin_points.h"
#include "model/placement.h"
#include "render/grafik.h"

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

void RemoveHAVA() { RemoveCursorBlock("HA oder VA löschen"); }

} // namespace kardo
