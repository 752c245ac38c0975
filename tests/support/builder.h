// Test builder: places elements through the real placing operations and lays wires in a few
// lines, so that tests and benchmarks can build circuits on the worksheet. Every Place* sets the
// cursor cell (and orientation, input count, colour) as the editor would, calls the placing
// operation and returns the new element number, or 0 when the placing was refused.
#pragma once

#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"

#include <cstdint>
#include <ostream>
#include <vector>

namespace kardo::test {

// AND, OR, XOR gate with its second input-side cell at (x, y) (the cursor cell of the placing).
std::int16_t PlaceGate(std::uint8_t typ, int x, int y, std::uint8_t orientation = kRight,
                       int inputs = 2);
std::int16_t PlaceAnd(int x, int y, std::uint8_t orientation = kRight, int inputs = 2);
std::int16_t PlaceOr(int x, int y, std::uint8_t orientation = kRight, int inputs = 2);
std::int16_t PlaceXor(int x, int y, std::uint8_t orientation = kRight, int inputs = 2);

// Switch on a wire end (lay the wire first), LED on an empty, wire or LED cell.
std::int16_t PlaceSwitch(int x, int y);
std::int16_t PlaceLed(int x, int y, std::int32_t colour = 255);
// Inverter with its input at (x, y) and its output one cell further in orientation.
std::int16_t PlaceInverter(int x, int y, std::uint8_t orientation = kRight);
// Tri-state gate with its inputs beside (x, y) and its output two cells ahead.
std::int16_t PlaceTriState(int x, int y, std::uint8_t orientation = kRight);
// Analysis point on a wire cell.
std::int16_t PlaceAnalysisPoint(int x, int y);

// Lays a wire from (x1, y1) to (x2, y2): horizontal first, then vertical (an L when both
// differ). Empty cells on the way become wire cells; neighbouring cells of the run get answered
// wire flags; element cells at the ends (pins) get the flag only. Crossing another wire adds
// flags without a connection point. Sets the cells directly (the editor's wire laying is not
// involved and records no undo step).
void LayWire(int x1, int y1, int x2, int y2);
// LayWire recorded as the editor records a wire (a cells-only step "Leitung(en) ziehen"), when
// both ends lie on the sheet and every cell of the path but its ends is empty or a wire; false,
// with nothing laid or recorded, otherwise.
bool LayRecordedWire(int x1, int y1, int x2, int y2);

// Connection point, coupling diode and negation point through the real operations; true when
// the mark was set.
bool SetPoint(int x, int y);
bool SetCouplingDiode(int x, int y);
bool Negate(int x, int y);

// Removes the element under (x, y) as the editor's removal does (pin lists filled first, then
// the removing operation of the cell's type). Handles the kinds of basic_elements.h; true when
// a removing operation was called.
bool RemoveAt(int x, int y);

// What a placing, removing or undo may change: the grid, the element list and the count of
// analysis points. Equal states compare equal.
struct SheetState {
    Grid grid;                           // gGrid
    std::vector<ElementRecord> elements; // gElements
    std::int16_t count = 0;              // gAnzElemente
    std::uint8_t analysisPoints = 0;     // gAnzAnalysepunkte
    bool operator==(const SheetState&) const = default;
};
SheetState CaptureSheet();
// Test output of a state: its counts and its records, one per line.
void PrintTo(const SheetState& state, std::ostream* os);

} // namespace kardo::test
