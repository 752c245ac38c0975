// The cells an element owns, worked out from its pins and its orientation: the one rule by which
// removing an element finds the cells it clears and loading a circuit checks that every element
// owns exactly those cells, so that whatever loads can be removed again.
#pragma once

#include "model/elements.h"
#include "model/grid.h"

#include <cstddef>
#include <cstdint>

namespace kardo {

// A rectangle of cells (X1, Y1)-(X2, Y2), inclusive, X1 <= X2 and Y1 <= Y2.
struct Footprint {
    std::int16_t X1 = 0;
    std::int16_t Y1 = 0;
    std::int16_t X2 = 0;
    std::int16_t Y2 = 0;
    bool operator==(const Footprint&) const = default;
};

// The rectangle (x1, y1)-(x2, y2).
inline Footprint Rect(int x1, int y1, int x2, int y2) {
    return {static_cast<std::int16_t>(x1), static_cast<std::int16_t>(y1),
            static_cast<std::int16_t>(x2), static_cast<std::int16_t>(y2)};
}

// The pins a kind has as its placing makes them.
struct PinCounts {
    std::size_t minIn; // fewest input pins
    std::size_t maxIn; // most input pins
    std::size_t outs;  // output pins
};

// The pin counts of kind typ; false for ICs, wires and unknown codes.
bool KindPinCounts(std::uint8_t typ, PinCounts& c);

// The rectangle of cells that element e covers, worked out from its pins and orientation. False
// when the element has not the pins its kind needs or no orientation its kind has, and for ICs
// (whose package is not given by its pins). For a text label, whose length is not given by its
// pins, the anchor cell: its run of cells to the right belongs to it as well (LabelCellsEnd).
bool ElementFootprint(const ElementRecord& e, Footprint& f);

// The footprint has the size that placing gives e's kind. Kinds whose footprint follows from pins
// that could lie anywhere (gates, multiplexers, number displays, flip-flops) can have any other
// size only when read from a file; the others have their size by construction.
bool HasPlacedSize(const ElementRecord& e, const Footprint& f);

// The last column of text label n's run of cells in row y of cells, starting at its anchor
// column x and going right while the cells name n as a label, up to column lastColumn.
int LabelCellsEnd(const Grid& cells, int lastColumn, std::int16_t n, int x, int y);

} // namespace kardo
