// The area frame of the select tool: stretching it, checking its outline, marking the area into
// the area buffer, moving the marked area with its wires rejoined, deleting it, and dragging the
// sheet with the right button.
#pragma once

#include "model/grid.h"

#include <cstdint>
#include <vector>

namespace kardo {

extern Grid gPuffer; // the marked area as marked, cell (i, j) for (gBereichX1 + i, gBereichY1 + j);
                     // filled by SelectArea, emptied by ResetAreaSelect
extern std::int16_t gPufferX; // upper column bound of gPuffer's contents
extern std::int16_t gPufferY; // upper row bound of gPuffer's contents
extern std::vector<std::int16_t>
    gAreaElements; // elements inside the marked area, in the order met; set by SelectArea

// Start-up state: an empty area buffer.
void ResetAreaSelect();

// Starts a new frame at the cursor cell (press of the select tool on a free cell): an area
// marked so far ends, the selection too unless a key is held (Shift state 0).
void StartNewFrame(int Shift);
// Stretches the frame picRahmen from the gesture's anchor cell to the cursor cell.
void ResizeBorder();
// True when an element cell lies on the frame's outline (the frame is then hidden); normalises
// the gesture's anchor and end cells to the left/top and right/bottom corners.
bool CheckBorderPosition();
// Marks the area (X1, Y1)-(X2, Y2): copies it into the area buffer and selects its elements.
void SelectArea(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2);
// The area buffer still holds what the marked area holds now.
bool AreaBufferCurrent();
// The pixel (px, py) lies strictly inside the marked area's frame; false when none is marked.
bool InsideMarkedArea(double px, double py);
// Shows the frame of the marked area at its place, solid blue.
void ShowAreaFrame();
// A press inside the marked area starts its drag (tool 23) with one outline per element of the
// area; false (and the marking ended) when the grid changed since the area was marked.
bool StartAreaDrag();
// Ends an area drag: moves the marked area so that its top-left corner lands on (nx, ny),
// as one undo step "Bereich verschieben". A place where the area collides keeps the step and
// puts every cell back as it was.
void MoveMarkedArea(std::int16_t nx, std::int16_t ny);
// Scrolls the sheet while it is dragged with the right button; (pX, pY) mouse pixel on picGrid.
void MovePicGrid(double pX, double pY);
// Deletes the marked area, or the selected objects when no area is marked.
void LoescheBereich();
// Cuts the area out of the grid; its elements leave the element list unless an area drag runs.
void DeleteArea(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2);
// Writes the area buffer into the grid at (X1, Y1)-(X2, Y2), rejoins the wires on the outline,
// shifts the pin lists of the area's elements by the gesture's DifX, DifY and redraws. False,
// with nothing written, when the place collides.
bool PasteArea(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2);
// Copies buffer cell (pX, pY) whole onto grid cell (x, y).
void CopyPufferToP(std::int16_t x, std::int16_t y, std::int16_t pX, std::int16_t pY);
// Shifts element n's pin lists by the gesture's DifX, DifY.
void ChangeInOut(std::int16_t ObjNr);

} // namespace kardo
