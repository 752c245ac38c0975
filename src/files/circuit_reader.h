// Reading a circuit file into a separate document: the whole text is parsed and checked before
// anything of the live worksheet changes, so a malformed file leaves the worksheet untouched.
#pragma once

#include "files/circuit_document.h"
#include "files/file_lines.h"
#include "model/elements.h"
#include "model/grid.h"

#include <string>
#include <string_view>

namespace kardo {

// What is wrong with a file: the line (1-based; 0 for the file as a whole) and a German text.
struct ReadProblem {
    int Line = 0;             // line of the file the problem was found in, 0 none
    std::string Text;         // what is wrong, in German, without the line
    bool WrongFormat = false; // no circuit file at all: not text, or no known section header
};

// Reads a circuit (or IC definition) file text, UTF-8, with CR LF or LF line ends, into doc.
// A file without a [Feld] line fills an empty sheet of width x height cells; cells and wire runs
// need a [Feld] line before them. The runs of [Jump] are laid into doc.Cells (a later run of the
// same start cell replaces an earlier one). False, with doc in an unspecified state, when the text
// is no circuit file (control characters such as NUL, or no known section header: WrongFormat) or
// its content is malformed: numbers out of their field's range, cells or pins outside the sheet,
// unknown type codes, element, cell, clock, IC and analysis-point entries that do not fit
// together.
bool ReadCircuitText(std::string_view text, std::int16_t width, std::int16_t height,
                     CircuitDocument& doc, ReadProblem& problem);

// Lays the wire run that starts at cell (x, y) and ends at column (horizontal) or row end into
// cells: each cell of the run gets the flags towards its neighbours on the run, and an empty
// cell becomes a wire cell. Flags are only set.
void LayWireRun(Grid& cells, int x, int y, int end, bool horizontal);

} // namespace kardo
