// Writing a circuit file: the six sections [Feld], [Punkte], [Jump], [Elemente], [IC] and
// [Timer] of a document, in this order, every line closed by CR LF.
#pragma once

#include "files/circuit_document.h"

#include <string>
#include <string_view>

namespace kardo {

// The text of the circuit file of doc, UTF-8; the caller encodes it for the file.
void WriteCircuitText(const CircuitDocument& doc, std::string& out);

// One [Punkte] line of cell (x, y) and one [Elemente] line of element e with the pin-list texts
// given (a definition file writes them relative to its box), each closed by CR LF.
void AppendCellLine(std::string& out, int x, int y, const CellRecord& cell);
void AppendElementLine(std::string& out, const ElementRecord& e, std::string_view inputs,
                       std::string_view outputs);
// One [IC] line "name;elementnumber;" closed by CR LF.
void AppendICLine(std::string& out, const ICLine& ic);

// True for the cells [Punkte] holds: a type above wire, a wire with a point mark or an IC level,
// or any cell with an element number. Plain wire cells come back from [Jump].
bool IsStoredCell(const CellRecord& cell);

} // namespace kardo
