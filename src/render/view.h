// The worksheet view: the size of the worksheet picture, its grid dots, and the layout of the
// viewport around it.
#pragma once

#include <cstdint>

namespace kardo {

extern bool gShowGrid; // grid dots shown on empty cells; set by the grid key and the settings

// Sizes the worksheet picture to (W + 1) x (H + 1) cells at the current zoom, white.
void SizeWorksheetPicture();
// Draws (gShowGrid) or erases the grid dots of every empty cell on the worksheet picture.
void DrawGrid();
// Lays out the viewport picContainer and its scroll bars for the picture's size.
void ResizeWorksheet();
// Scrolls by one cell towards a near edge while a gesture runs; (x, y) mouse pixel on picGrid.
void AutoScroll(std::int16_t& x, std::int16_t& y);

} // namespace kardo
