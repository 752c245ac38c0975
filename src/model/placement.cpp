// The placement frame: border rule, collision test, area clearing and the common steps of
// placing and removing a block element.
#include "model/placement.h"

#include "model/grid.h"
#include "model/undo.h"
#include "render/grafik.h"
#include "render/redraw.h"

namespace kardo {

std::uint8_t gOrientierung = kRight;
std::int32_t gFarbe = 255;
std::int16_t gZweiEingaenge = kFalse;

void ResetPlacementInputs() {
    gOrientierung = kRight;
    gFarbe = 255;
    gZweiEingaenge = kFalse;
}

bool FitsSheet(const Footprint& f) {
    return f.X1 >= 1 && f.Y1 >= 1 && f.X2 <= gFeldBreite - 1 && f.Y2 <= gFeldHoehe - 1 &&
           f.X1 <= f.X2 && f.Y1 <= f.Y2;
}

namespace {

// Whether a wire cell at (x, y) keeps the rectangle from receiving an element, by the cell's
// place in the rectangle: corners first, then the side columns, the side rows, the inside.
bool WireBlocks(const CellRecord& c, int x, int y, int X1, int Y1, int X2, int Y2) {
    if (x == X1 && y == Y1)
        return c.Rechts || c.Unten;
    if (x == X1 && y == Y2)
        return c.Rechts || c.Oben;
    if (x == X2 && y == Y1)
        return c.Links || c.Unten;
    if (x == X2 && y == Y2)
        return c.Links || c.Oben;
    if (x == X1 || x == X2)
        return c.Oben || c.Unten;
    if (y == Y1 || y == Y2)
        return c.Links || c.Rechts;
    return true;
}

} // namespace

bool IsAreaBlocked(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2) {
    if (X1 > X2)
        return false;
    for (int x = X1; x <= X2; ++x) {
        for (int y = Y1; y <= Y2; ++y) {
            const CellRecord& c = gGrid(x, y);
            if (c.Typ == kTypeEmpty)
                continue;
            if (c.Typ != kTypeWire)
                return true;
            if (WireBlocks(c, x, y, X1, Y1, X2, Y2))
                return true;
        }
    }
    return false;
}

void ClearArea(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2) {
    for (int x = X1; x <= X2; ++x) {
        for (int y = Y1; y <= Y2; ++y) {
            CellRecord& c = gGrid(x, y);
            // A border cell stays a wire cell when a wire leaves it through one of its outer
            // sides and the neighbour answers. One answered side is enough: an unanswered flag
            // on another side of a corner must not empty a cell a neighbour's wire still enters.
            bool onBorder = false;
            bool wire = false;
            if (x == X1) {
                onBorder = true;
                if (c.Links && x >= 1 && gGrid(x - 1, y).Rechts)
                    wire = true;
            }
            if (x == X2) {
                onBorder = true;
                if (c.Rechts && x < gFeldBreite && gGrid(x + 1, y).Links)
                    wire = true;
            }
            if (y == Y1) {
                onBorder = true;
                if (c.Oben && y > 0 && gGrid(x, y - 1).Unten)
                    wire = true;
            }
            if (y == Y2) {
                onBorder = true;
                if (c.Unten && y < gFeldHoehe && gGrid(x, y + 1).Oben)
                    wire = true;
            }
            c.Typ = onBorder && wire ? kTypeWire : kTypeEmpty;
            c.Punkt = 0;
            c.ICLevel = 0;
            c.ElementNr = 0;
            c.ICPin = 0;
            if (c.Typ == kTypeEmpty)
                c.Links = c.Rechts = c.Oben = c.Unten = kFalse;
        }
    }
    // The wire cells left keep only the flags their neighbours still answer: a flag into a cell
    // emptied above (a wire between two pins of the element) would lead nowhere.
    for (int x = X1; x <= X2; ++x) {
        for (int y = Y1; y <= Y2; ++y) {
            CellRecord& c = gGrid(x, y);
            if (c.Typ != kTypeWire)
                continue;
            if (c.Links && (x < 1 || !gGrid(x - 1, y).Rechts))
                c.Links = kFalse;
            if (c.Rechts && (x >= gFeldBreite || !gGrid(x + 1, y).Links))
                c.Rechts = kFalse;
            if (c.Oben && (y < 1 || !gGrid(x, y - 1).Unten))
                c.Oben = kFalse;
            if (c.Unten && (y >= gFeldHoehe || !gGrid(x, y + 1).Oben))
                c.Unten = kFalse;
        }
    }
}

void MarkArea(const Footprint& f, std::uint8_t typ, std::int16_t nr) {
    for (int x = f.X1; x <= f.X2; ++x) {
        for (int y = f.Y1; y <= f.Y2; ++y) {
            CellRecord& c = gGrid(x, y);
            c.Typ = typ;
            c.ElementNr = nr;
        }
    }
}

ElementRecord* PlaceBlock(const Footprint& f, std::uint8_t typ, std::string_view undoText) {
    if (!FitsSheet(f))
        return nullptr;
    if (IsAreaBlocked(f))
        return nullptr;
    if (!RoomForElement())
        return nullptr;
    gUndo.NewUndoValue(f.X1, f.Y1, f.X2, f.Y2, undoText);
    ElementRecord& e = AppendElement(typ);
    MarkArea(f, typ, e.Nr);
    e.Richtung = gOrientierung;
    return &e;
}

void RemoveBlock(const Footprint& f, std::int16_t n, std::string_view undoText) {
    gUndo.NewUndoValue(f.X1, f.Y1, f.X2, f.Y2, undoText);
    ClearArea(f);
    DeleteElementRecord(n);
    RedrawAreaValue(static_cast<std::int16_t>(f.X1 - 1), static_cast<std::int16_t>(f.Y1 - 1),
                    static_cast<std::int16_t>(f.X2 + 1), static_cast<std::int16_t>(f.Y2 + 1),
                    false);
}

void PrepareDrawing() { gGrafik.Orientation = gOrientierung; }

std::int16_t CursorElement() { return gGrid(gCursorX, gCursorY).ElementNr; }

} // namespace kardo
