// Whether the cells and elements of a read circuit fit together: every element has the pins its
// kind has and owns the cells of its footprint, every cell naming an element has that element's
// type. A circuit that passes can be drawn, simulated, and its elements removed and restored.
// Elements and cells of placed ICs are checked with the IC instances.
#pragma once

#include "files/circuit_document.h"
#include "model/elements.h"
#include "model/footprint.h"

#include <string>
#include <string_view>

namespace kardo {

// The German name of a type code ("UND", "Taktgeber", "Leitung").
std::string_view TypeName(std::uint8_t typ);

// The first thing found that does not fit: the element (0 none) and the cell ((-1, -1) none)
// it concerns, and what is wrong, in German.
struct ConsistencyProblem {
    int Element = 0;        // element number, 0 when the problem is a cell's alone
    GridPoint Cell{-1, -1}; // the cell concerned, x -1 none
    std::string Text;       // what is wrong
};

// Checks the document's cells against its elements (element numbers in cells must exist,
// which the reader checks before). False with the first problem found.
bool CheckCellsAndElements(const CircuitDocument& doc, ConsistencyProblem& problem);

} // namespace kardo
