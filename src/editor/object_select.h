// Selecting, moving and removing whole elements with the mouse: the press of the select tool,
// the object move from press to release with its collision rules and undo step, the deletion
// of the selected elements and the removal of the element at a cell.
#pragma once

#include "model/grid.h"

#include <cstdint>

namespace kardo {

extern Grid gMovePuffer; // an object move's cells: the selected elements' cells inside their
                         // bounding box, (x - gBereichX1, y - gBereichY1); set at the press of
                         // the move, emptied by ResetObjectSelect

// Start-up state: an empty move buffer.
void ResetObjectSelect();

// Left press of the select tool at the cursor cell with the shift state of the press: selects
// by click and Ctrl+click, starts an object drag, an area drag or a new frame.
void SelectToolPress(int Shift);
// Prepares an object move (tool 25): bounding box, move buffer, offsets and drag outlines.
void CopyObjectsToPuffer();
// Clears the selected elements' cells inside the bounding box, keeping the wires there.
void RemoveObjects();
// The selected elements fit with their bounding box's top-left corner at (nx, ny): every cell
// of the box inside the sheet's inner cells, and every element cell on an empty cell or a wire
// end once the elements have left their old place.
bool ObjectsFit(std::int16_t nx, std::int16_t ny);
// Ends an object move at the cursor cell as one undo step "Objekt(e) verschieben". A place
// where the objects do not fit, or UndoMove, ends it without any change.
void PasteObjects(bool UndoMove);
// Removes every selected element through its remover (one undo step each) and empties the
// selection.
void DeleteObjects();

// Removes the element or connection point at cell (PosX, PosY) (the cursor cell) through the
// remover of its kind; nothing on an empty cell or while powered. A removed element leaves the
// selection, and the selected numbers above it follow the renumbering.
void RemoveElement(std::int16_t& PosX, std::int16_t& PosY);

} // namespace kardo
