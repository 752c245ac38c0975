// Laying and deleting wires with the L-shaped rubber band of the wire tool: the band follows the
// mouse, stops at elements, and is committed into the grid with its wire flags and automatic
// connection points at T junctions, or cuts the wires under it.
#pragma once

#include <cstdint>

namespace kardo {

extern std::int16_t
    gAutoVerbindung; // T junctions of a new wire get a connection point; -1 at start, ResetWireTool

void ResetWireTool();

// Result of BlockedH and BlockedV when no cell stops the leg.
constexpr std::int16_t kNotBlocked = -1;

// Where a horizontal leg from column sX on row y towards column x must stop: the column of the
// stopping cell, or kNotBlocked when it may reach x.
std::int16_t BlockedH(std::int16_t sX, std::int16_t y, std::int16_t x);
// The same for a vertical leg from row sY on column x towards row y.
std::int16_t BlockedV(std::int16_t sY, std::int16_t x, std::int16_t y);

// Starts a band at the cursor cell: both legs collapsed on its centre and shown.
void ShowLines();
// Updates the band for the cell under the mouse.
void ShowTempLines(std::int16_t PosX, std::int16_t PosY);
// Commits the band into the grid (undo step "Leitung(en) ziehen"), paints it, hides the band.
void SetLines();
// Deletes the wires under the band (undo step "Leitung(en) löschen"), repaints, hides the band.
void DeleteLines();

// Paints the committed band's cells.
void DrawNewLines();
// Repaints the band's cells after a delete.
void DeleteNewLines();

} // namespace kardo
