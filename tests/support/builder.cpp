// Test builder: circuits through the real placing operations, wires set directly.
#include "support/builder.h"

#include "model/basic_elements.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/pin_points.h"
#include "model/placement.h"
#include "model/undo.h"
#include "model/wire_points.h"
#include "platform/platform.h"

#include <algorithm>
#include <string>

namespace kardo::test {

namespace {

void Cursor(int x, int y) {
    gCursorX = static_cast<std::int16_t>(x);
    gCursorY = static_cast<std::int16_t>(y);
}

// Runs a placing operation and returns the number of the element it appended, 0 when refused.
template <typename F> std::int16_t Placed(F&& place) {
    const std::int16_t before = gAnzElemente;
    place();
    return gAnzElemente > before ? gAnzElemente : std::int16_t{0};
}

// Joins cell (x, y) to its neighbour in direction (dx, dy) with answered wire flags; an empty
// cell on the way becomes a wire cell.
void Join(int x, int y, int dx, int dy) {
    CellRecord& a = gGrid(x, y);
    CellRecord& b = gGrid(x + dx, y + dy);
    if (a.Typ == kTypeEmpty)
        a.Typ = kTypeWire;
    if (b.Typ == kTypeEmpty)
        b.Typ = kTypeWire;
    if (dx == 1)
        a.Rechts = b.Links = kTrue;
    if (dx == -1)
        a.Links = b.Rechts = kTrue;
    if (dy == 1)
        a.Unten = b.Oben = kTrue;
    if (dy == -1)
        a.Oben = b.Unten = kTrue;
}

} // namespace

std::int16_t PlaceGate(std::uint8_t typ, int x, int y, std::uint8_t orientation, int inputs) {
    Cursor(x, y);
    gOrientierung = orientation;
    Host().SetCaption("txtAnschlüsse", std::to_string(inputs));
    return Placed([typ] { SetUndOderXOder(typ); });
}

std::int16_t PlaceAnd(int x, int y, std::uint8_t orientation, int inputs) {
    return PlaceGate(kTypeAnd, x, y, orientation, inputs);
}
std::int16_t PlaceOr(int x, int y, std::uint8_t orientation, int inputs) {
    return PlaceGate(kTypeOr, x, y, orientation, inputs);
}
std::int16_t PlaceXor(int x, int y, std::uint8_t orientation, int inputs) {
    return PlaceGate(kTypeXor, x, y, orientation, inputs);
}

std::int16_t PlaceSwitch(int x, int y) {
    Cursor(x, y);
    return Placed([] { SetSwitch(); });
}

std::int16_t PlaceLed(int x, int y, std::int32_t colour) {
    Cursor(x, y);
    gFarbe = colour;
    return Placed([] { SetDiode(); });
}

std::int16_t PlaceInverter(int x, int y, std::uint8_t orientation) {
    Cursor(x, y);
    gOrientierung = orientation;
    return Placed([] { SetInverter(); });
}

std::int16_t PlaceTriState(int x, int y, std::uint8_t orientation) {
    Cursor(x, y);
    gOrientierung = orientation;
    return Placed([] { SetTriState(); });
}

std::int16_t PlaceAnalysisPoint(int x, int y) {
    Cursor(x, y);
    return Placed([] { SetAnalysepunkt(); });
}

void LayWire(int x1, int y1, int x2, int y2) {
    const int sx = x2 > x1 ? 1 : -1;
    for (int x = x1; x != x2; x += sx)
        Join(x, y1, sx, 0);
    const int sy = y2 > y1 ? 1 : -1;
    for (int y = y1; y != y2; y += sy)
        Join(x2, y, 0, sy);
    // A one-cell wire is a bare wire cell.
    if (x1 == x2 && y1 == y2 && gGrid(x1, y1).Typ == kTypeEmpty)
        gGrid(x1, y1).Typ = kTypeWire;
}

bool SetPoint(int x, int y) {
    SetVerbindungspunktAt(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), false);
    return gGrid(x, y).Punkt == kPointConnection;
}

bool SetCouplingDiode(int x, int y) {
    SetKoppeldiodeAt(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), false);
    return gGrid(x, y).Punkt == kPointDiode;
}

bool Negate(int x, int y) {
    Cursor(x, y);
    SetNegationsPunkt();
    return gGrid(x, y).Punkt == kPointConnection;
}

SheetState CaptureSheet() { return {gGrid, gElements, gAnzElemente, gAnzAnalysepunkte}; }

void PrintTo(const SheetState& state, std::ostream* os) {
    *os << state.count << " elements, " << int(state.analysisPoints) << " analysis points";
    for (std::size_t i = 1; i < state.elements.size(); ++i) {
        const ElementRecord& e = state.elements[i];
        *os << "\n  " << i << ": Typ " << int(e.Typ) << " Nr " << e.Nr << " Richtung "
            << int(e.Richtung) << " in " << e.Eingaenge.Text() << " out " << e.Ausgaenge.Text()
            << " text '" << e.Text << "'";
    }
}

bool RemoveAt(int x, int y) {
    Cursor(x, y);
    const CellRecord& c = gGrid(x, y);
    if (c.ElementNr >= 1) {
        GetInputPoints(c.ElementNr, 0);
        GetOutputPoints(c.ElementNr, 0);
    }
    switch (c.Typ) {
    case kTypeAnd:
    case kTypeOr:
    case kTypeXor:
        RemoveUndOderXOder();
        return true;
    case kTypeSwitch:
        RemoveSwitch();
        return true;
    case kTypeLed:
        RemoveDiode();
        return true;
    case kTypeInverter:
        RemoveInverter();
        return true;
    case kTypeTriState:
        RemoveTriState();
        return true;
    case kTypeAnalysisPoint:
        RemoveAnalysepunkt();
        return true;
    default:
        return false;
    }
}

bool LayRecordedWire(int x1, int y1, int x2, int y2) {
    if ((x1 == x2 && y1 == y2) || x1 < 0 || y1 < 0 || x2 < 0 || y2 < 0 || x1 > gFeldBreite ||
        x2 > gFeldBreite || y1 > gFeldHoehe || y2 > gFeldHoehe)
        return false;
    const auto free = [&](int x, int y) {
        const bool end = (x == x1 && y == y1) || (x == x2 && y == y2);
        return end || gGrid(x, y).Typ <= kTypeWire;
    };
    for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
        if (!free(x, y1))
            return false;
    for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
        if (!free(x2, y))
            return false;
    gUndo.NoObjects = true;
    gUndo.NewUndoValue(static_cast<std::int16_t>(std::min(x1, x2)),
                       static_cast<std::int16_t>(std::min(y1, y2)),
                       static_cast<std::int16_t>(std::max(x1, x2)),
                       static_cast<std::int16_t>(std::max(y1, y2)), "Leitung(en) ziehen");
    LayWire(x1, y1, x2, y2);
    return true;
}

} // namespace kardo::test
