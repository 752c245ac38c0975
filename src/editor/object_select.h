// Selecting, moving and removing whole elements with the mouse: the press of the select tool,
// the selection by click, the context menu, the end of an object move and the removal of the
// element at a cell.
#pragma once

#include <cstdint>

namespace kardo {

// Element n is in the selection text gSelection ("3;7;12;"); false for 0.
bool ObjectSelected(std::int16_t ObjNr);
// Adds element n to the selection, or removes it when it is selected.
void SelectObject(std::int16_t ObjNr);
// Left press of the select tool at the cursor cell with the shift state of the press.
void SelectToolPress(int Shift);
// Shows the context menu of the element under the cursor cell.
void ShowPopupMenu();
// Ends an object move at the cursor cell, or puts the objects back (UndoMove).
void PasteObjects(bool UndoMove);

// Removes the element or connection point at cell (PosX, PosY) (the cursor cell) through the
// remover of its kind; nothing on an empty cell or while powered.
void RemoveElement(std::int16_t& PosX, std::int16_t& PosY);

} // namespace kardo
