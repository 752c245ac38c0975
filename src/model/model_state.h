// The start-up state of the placing and undo modules of the worksheet model, and the mark that
// the circuit has not changed since it was last saved.
#pragma once

namespace kardo {

extern bool gUnveraendert; // the circuit has not changed since start-up or the last save; true
                           // after ResetModelState, cleared by MarkCircuitChanged

// Marks the circuit as changed, so that closing the window asks whether to save it. Every
// command that changes the circuit calls it: a mouse press on the worksheet while editing, an
// undo step taken back, a new sheet size, a synthesised circuit.
inline void MarkCircuitChanged() { gUnveraendert = false; }

// Resets the unchanged mark, the undo history (10 empty steps), the placing inputs (orientation,
// colour, two-input flag), the IC chosen for placement, the analysis-point count and the saved
// tool state, and installs the IC hooks of the undo history.
void ResetModelState();

} // namespace kardo
