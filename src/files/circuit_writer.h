// Writing a circuit file: the six sections [Feld], [Punkte], [Jump], [Elemente], [IC] and
// [Timer] of a document, in this order, every line closed by CR LF.
#pragma once

#include "files/circuit_document.h"

#include <string>

namespace kardo {

// The text of the circuit file of doc, UTF-8; the caller encodes it for the file.
void WriteCircuitText(const CircuitDocument& doc, std::string& out);

// True for the cells [Punkte] holds: a type above wire, a wire with a point mark or an IC level,
// or any cell with an element number. Plain wire cells come back from [Jump].
bool IsStoredCell(const CellRecord& cell);

} // namespace kardo
