// Emptying the circuit and starting a new, empty worksheet.
#pragma once

#include <cstdint>

namespace kardo {

// Empties everything a circuit consists of, keeping the sheet size: the grid, the element list,
// the simulation levels and IC instances, the remembered file, the clock tables and timers, the
// undo history (unless the main window is still loading) and the analysis points.
void ClearCircuit();

// Starts an empty sheet of gFeldBreite x gFeldHoehe cells: switches the circuit off when it is
// on, clears it, shows the size in the size boxes, disables the logic-analyser and undo-list
// entries, leaves the IC tool, and captions the window "Neue Schaltung". Redraws the sheet
// unless noRedraw.
void NewCircuit(bool noRedraw);

// A new empty sheet of width x height cells, redrawn: what the new-worksheet dialog creates.
void CreateNewWorksheet(std::int16_t width, std::int16_t height);

} // namespace kardo
