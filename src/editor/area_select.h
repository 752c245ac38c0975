// The area frame of the select tool: stretching it, checking its outline, marking and deleting the
// area, cutting and pasting it for an area move, and dragging the sheet with the right button.
#pragma once

#include <cstdint>

namespace kardo {

// Stretches the frame picRahmen from the gesture's anchor cell to the cursor cell.
void ResizeBorder();
// True when an element cell lies on the frame's outline (the frame is then hidden); normalises
// the gesture's anchor and end cells to the left/top and right/bottom corners.
bool CheckBorderPosition();
// Marks the area (X1, Y1)-(X2, Y2): copies it into the move buffer and selects its elements.
void SelectArea(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2);
// Scrolls the sheet while it is dragged with the right button; (pX, pY) mouse pixel on picGrid.
void MovePicGrid(double pX, double pY);
// Deletes the marked area, or the selected objects when no area is marked.
void LoescheBereich();
// Cuts the area out of the grid.
void DeleteArea(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2);
// Writes the move buffer into the grid at the new place and redraws.
void PasteArea(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2);

} // namespace kardo
