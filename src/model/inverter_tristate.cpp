// Placing and removing inverters (two cells) and tri-state gates (three by three cells). Both
// test the cells they need themselves instead of the frame's collision test.
#include "model/basic_elements.h"
#include "model/grid.h"
#include "model/pin_points.h"
#include "model/placement.h"
#include "model/undo.h"
#include "render/grafik.h"
#include "render/redraw.h"

#include <algorithm>

namespace kardo {

namespace {

struct Step {
    int dx = 0; // column step along the orientation
    int dy = 0; // row step along the orientation
};

Step Along(std::uint8_t o) {
    switch (o) {
    case kRight:
        return {1, 0};
    case kLeft:
        return {-1, 0};
    case kDown:
        return {0, 1};
    case kUp:
        return {0, -1};
    default:
        return {0, 0};
    }
}

// Clears the wire flags between cell a and its neighbour b = a + step (both directions).
void CutBetween(CellRecord& a, CellRecord& b, Step s) {
    if (s.dx == 1)
        a.Rechts = b.Links = 0;
    if (s.dx == -1)
        a.Links = b.Rechts = 0;
    if (s.dy == 1)
        a.Unten = b.Oben = 0;
    if (s.dy == -1)
        a.Oben = b.Unten = 0;
}

bool HasWireFlag(const CellRecord& c) { return c.Links || c.Oben || c.Rechts || c.Unten; }

bool EmptyOrWire(const CellRecord& c) { return c.Typ == kTypeEmpty || c.Typ == kTypeWire; }

std::int16_t I16(int v) { return static_cast<std::int16_t>(v); }

// The cell (x, y) and the cell length steps ahead of it in direction o both lie inside the
// sheet's border (columns 1 .. gFeldBreite - 1, rows 1 .. gFeldHoehe - 1); false for no direction.
bool FitsInside(int x, int y, std::uint8_t o, int length) {
    const Step s = Along(o);
    if (s.dx == 0 && s.dy == 0)
        return false;
    const auto inside = [](int cx, int cy) {
        return cx >= 1 && cx <= gFeldBreite - 1 && cy >= 1 && cy <= gFeldHoehe - 1;
    };
    return inside(x, y) && inside(x + length * s.dx, y + length * s.dy);
}

} // namespace

void SetInverter() {
    const int X = gCursorX;
    const int Y = gCursorY;
    const std::uint8_t o = gOrientierung;
    // Input and output cell inside the border.
    if (!FitsInside(X, Y, o, 1) || !gGrid.Contains(X, Y))
        return;
    const Step s = Along(o);
    const int ox = X + s.dx;
    const int oy = Y + s.dy;
    // The output cell must be free as well: taking over a cell of another element would break it.
    if (!EmptyOrWire(gGrid(X, Y)) || !EmptyOrWire(gGrid(ox, oy)) || !RoomForElement())
        return;

    gUndo.NewUndoValue(I16(std::min(X, ox)), I16(std::min(Y, oy)), I16(std::max(X, ox)),
                       I16(std::max(Y, oy)), "Inverter setzen");
    ElementRecord& e = AppendElement(kTypeInverter);
    e.Richtung = o;
    e.Eingaenge = PinEntry(X, Y);
    e.Ausgaenge = PinEntry(ox, oy);
    CellRecord& in = gGrid(X, Y);
    CellRecord& out = gGrid(ox, oy);
    in.Typ = out.Typ = kTypeInverter;
    in.ElementNr = out.ElementNr = e.Nr;
    CutBetween(in, out, s);
    PrepareDrawing();
    gGrafik.DrawInverter(I16(X), I16(Y));
}

void RemoveInverter() {
    const int X = gCursorX;
    const int Y = gCursorY;
    const std::int16_t n = CursorElement();
    if (n < 1 || gElements[static_cast<std::size_t>(n)].Typ != kTypeInverter)
        return;
    GetInputPoints(n, 0);
    // The footprint is the input cell and the output cell; the cursor is on one of them.
    Footprint f;
    if (!ElementFootprint(gElements[static_cast<std::size_t>(n)], f) ||
        !gGrid.Contains(f.X1, f.Y1) || !gGrid.Contains(f.X2, f.Y2))
        return;

    gUndo.NewUndoValue(f.X1, f.Y1, f.X2, f.Y2, "Inverter löschen");
    for (CellRecord* c : {&gGrid(f.X1, f.Y1), &gGrid(f.X2, f.Y2)}) {
        if (!HasWireFlag(*c)) {
            c->Typ = kTypeEmpty;
            c->Links = c->Oben = c->Rechts = c->Unten = 0;
            c->Punkt = kPointNone;
        } else {
            c->Typ = kTypeWire;
        }
        c->ElementNr = 0;
    }
    RedrawAreaValue(I16(X - 2), I16(Y - 2), I16(X + 2), I16(Y + 2), false);
    DeleteElementRecord(n);
}

void SetTriState() {
    const int X = gCursorX;
    const int Y = gCursorY;
    const std::uint8_t o = gOrientierung;
    // The input line and the output cell two steps ahead inside the border.
    if (!FitsInside(X, Y, o, 2))
        return;
    const Step s = Along(o);
    const Step across = s.dx != 0 ? Step{0, 1} : Step{1, 0};
    // The input line may hold wires; the two lines ahead must be empty.
    for (int a = -1; a <= 1; ++a) {
        if (!EmptyOrWire(gGrid(X + a * across.dx, Y + a * across.dy)))
            return;
        for (int d = 1; d <= 2; ++d) {
            const CellRecord& c = gGrid(X + d * s.dx + a * across.dx, Y + d * s.dy + a * across.dy);
            if (c.Typ != kTypeEmpty)
                return;
        }
    }
    if (!RoomForElement())
        return;

    ElementRecord& e = AppendElement(kTypeTriState);
    e.Ausgaenge = PinEntry(X + 2 * s.dx, Y + 2 * s.dy);
    e.Eingaenge = PinEntry(X - across.dx, Y - across.dy) + PinEntry(X + across.dx, Y + across.dy);
    for (int a = -1; a <= 1; ++a) {
        for (int d = 0; d <= 2; ++d) {
            CellRecord& c = gGrid(X + d * s.dx + a * across.dx, Y + d * s.dy + a * across.dy);
            c.Typ = kTypeTriState;
            c.ElementNr = e.Nr;
        }
    }
    PrepareDrawing();
    gGrafik.DrawTriState(I16(X), I16(Y));
    e.Richtung = o;
    // No undo step; the history stays. Undo finds elements by their cells and renumbers the
    // cells it restores, so steps recorded before still undo exactly; the steps that cannot
    // (moves over the gate's cells) go.
    const int x1 = std::min(X - across.dx, X + 2 * s.dx - across.dx);
    const int y1 = std::min(Y - across.dy, Y + 2 * s.dy - across.dy);
    gUndo.ChangedWithoutStep(I16(x1), I16(y1), I16(x1 + 2), I16(y1 + 2), false);
}

void RemoveTriState() {
    const std::int16_t n = CursorElement();
    if (n < 1 || gElements[static_cast<std::size_t>(n)].Typ != kTypeTriState)
        return;
    GetOutputPoints(n, 0);
    Footprint f;
    if (!ElementFootprint(gElements[static_cast<std::size_t>(n)], f))
        return;
    DeleteElementRecord(n);
    for (int x = f.X1; x <= f.X2; ++x) {
        for (int y = f.Y1; y <= f.Y2; ++y) {
            CellRecord& c = gGrid(x, y);
            // A cell a wire still enters stays that wire's end instead of an empty cell.
            c.Typ = HasWireFlag(c) ? kTypeWire : kTypeEmpty;
            c.ElementNr = 0;
            if (c.Typ == kTypeEmpty)
                c.Punkt = kPointNone;
        }
    }
    gUndo.ChangedWithoutStep(f.X1, f.Y1, f.X2, f.Y2, true);
    // The symbol reaches two cells beyond its block.
    RedrawAreaValue(I16(f.X1 - 2), I16(f.Y1 - 2), I16(f.X2 + 2), I16(f.Y2 + 2), false);
}

} // namespace kardo
