// The worksheet view's painting entry points on the worksheet picture.
#pragma once

namespace kardo {

extern bool gShowGrid; // grid dots shown on empty cells; set by the grid key and the settings

// Sizes the worksheet picture to (W + 1) x (H + 1) cells at the current zoom, white.
void SizeWorksheetPicture();
// Draws (gShowGrid) or erases the grid dots of every empty cell on the worksheet picture.
void DrawGrid();

} // namespace kardo
