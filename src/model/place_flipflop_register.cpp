// JK master-slave flip-flops (inputs J, clock, K, set, reset; outputs Q, not Q) and shift
// registers (three inputs, two outputs): footprints and pin orders by orientation, placing and
// removing.
#include "model/block_common.h"
#include "model/block_elements.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/pin_points.h"
#include "model/placement.h"
#include "model/undo.h"
#include "render/grafik.h"
#include "render/redraw.h"

#include <string>
#include <utility>

namespace kardo {

namespace {

bool FlipFlopLayout(int x, int y, int o, Footprint& f, PinList& in, PinList& out) {
    switch (o) {
    case kRight:
    case kLeft: {
        const bool right = o == kRight;
        f = right ? Rect(x, y - 1, x + 5, y + 1) : Rect(x - 5, y - 1, x, y + 1);
        // Set and reset sit in the third column of the block, counted from its left edge.
        const int sx = f.X1 + 2;
        in = PinEntry(x, y - 1) + PinEntry(x, y) + PinEntry(x, y + 1) + PinEntry(sx, f.Y1) +
             PinEntry(sx, f.Y2);
        const int ox = right ? x + 5 : x - 5;
        out = PinEntry(ox, y - 1) + PinEntry(ox, y + 1);
        return true;
    }
    case kDown:
    case kUp: {
        const bool down = o == kDown;
        f = down ? Rect(x - 1, y, x + 1, y + 5) : Rect(x - 1, y - 5, x + 1, y);
        // Set and reset sit in the third row of the block, counted from its top edge.
        const int sy = f.Y1 + 2;
        in = PinEntry(x + 1, y) + PinEntry(x, y) + PinEntry(x - 1, y) + PinEntry(f.X2, sy) +
             PinEntry(f.X1, sy);
        const int oy = down ? y + 5 : y - 5;
        out = PinEntry(x + 1, oy) + PinEntry(x - 1, oy);
        return true;
    }
    default:
        return false;
    }
}

bool ShiftRegisterLayout(int x, int y, int o, Footprint& f, PinList& in, PinList& out) {
    switch (o) {
    case kRight:
    case kLeft: {
        const bool right = o == kRight;
        f = right ? Rect(x, y - 1, x + 8, y + 1) : Rect(x - 8, y - 1, x, y + 1);
        in = PinEntry(x, y - 1) + PinEntry(x, y + 1) + PinEntry(x, y);
        const int ox = right ? x + 8 : x - 8;
        out = PinEntry(ox, y - 1) + PinEntry(ox, y + 1);
        return true;
    }
    case kDown:
    case kUp: {
        const bool down = o == kDown;
        f = down ? Rect(x - 1, y, x + 1, y + 8) : Rect(x - 1, y - 8, x + 1, y);
        in = PinEntry(x + 1, y) + PinEntry(x - 1, y) + PinEntry(x, y);
        const int oy = down ? y + 8 : y - 8;
        out = PinEntry(x + 1, oy) + PinEntry(x - 1, oy);
        return true;
    }
    default:
        return false;
    }
}

} // namespace

void SetFlipFlop() {
    Footprint f;
    PinList in;
    PinList out;
    if (!FlipFlopLayout(gCursorX, gCursorY, gOrientierung, f, in, out))
        return;
    ElementRecord* rec = PlaceBlock(f, kTypeFlipFlop, "FlipFlop setzen");
    if (!rec)
        return;
    // A mark left under the block would read as a negation point on J or K.
    for (int x = f.X1; x <= f.X2; ++x) {
        for (int y = f.Y1; y <= f.Y2; ++y)
            gGrid(x, y).Punkt = kPointNone;
    }
    rec->Eingaenge = std::move(in);
    rec->Ausgaenge = std::move(out);
    PrepareDrawing();
    gGrafik.DrawFlipFlop(gCursorX, gCursorY, false, false);
}

void RemoveFlipFlop() {
    Footprint f;
    const std::int16_t n = CursorElementFootprint(f);
    if (n < 1)
        return;
    gUndo.NewUndo(f.X1, f.Y1, f.X2, f.Y2, "FlipFlop löschen");
    ClearArea(f);
    DeleteElementRecord(n);
    // The state digit is drawn beside output Q, outside the block: two rings of cells are redrawn.
    RedrawAreaValue(static_cast<std::int16_t>(f.X1 - 2), static_cast<std::int16_t>(f.Y1 - 2),
                    static_cast<std::int16_t>(f.X2 + 2), static_cast<std::int16_t>(f.Y2 + 2),
                    false);
}

void SetSRegister() {
    Footprint f;
    PinList in;
    PinList out;
    if (!ShiftRegisterLayout(gCursorX, gCursorY, gOrientierung, f, in, out))
        return;
    ElementRecord* rec = PlaceBlock(f, kTypeShiftRegister, "Schieberegister setzen");
    if (!rec)
        return;
    rec->Eingaenge = std::move(in);
    rec->Ausgaenge = std::move(out);
    // Both registers' stages (slots 2..9) and the serial-input latches (10, 11) start at 0.
    for (int slot = 2; slot <= 11; ++slot)
        rec->Zustand[static_cast<std::size_t>(slot)] = 0;
    PrepareDrawing();
    gGrafik.DrawSRegister(gCursorX, gCursorY);
}

void RemoveSRegister() { RemoveCursorBlock("Schieberegister löschen"); }

} // namespace kardo
