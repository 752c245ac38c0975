// The selection of the worksheet editor: the selected elements in selection order, with their
// corner markers, and the marked area. The selection text keeps its "3;7;12;" form; a lookup by
// element number stands beside it so that a test per cell costs nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kardo {

extern std::string
    gSelection; // selected element numbers, each followed by ";"; reset by SelectNone
extern std::int16_t gSelCount;  // number of entries of gSelection
extern std::int16_t gLastObjNr; // element last added to the selection or last deleted from it
extern std::int16_t gBereichX1; // marked area (or an object move's bounding box): left column
extern std::int16_t gBereichY1; // top row
extern std::int16_t gBereichX2; // right column
extern std::int16_t gBereichY2; // bottom row
extern bool gAreaMarked;        // an area is marked (set by SelectArea); reset by SelectNone
extern std::vector<std::int16_t>
    gSelSlots; // element of each selection slot, 1-based (entry 0 unused); reset by SelectNone
extern std::vector<std::int16_t>
    gSelSlotOf; // selection slot of each element number, 0 not selected; reset by SelectNone

// Element n is selected; false for 0.
bool ObjectSelected(std::int16_t ObjNr);
// Adds element n to the selection with its corner markers, or removes it when it is selected.
void SelectObject(std::int16_t ObjNr);
// Removes element n from the selection; the later slots move up with their markers.
void UnSelectObject(std::int16_t ObjNr);
// Ends a running drag, empties the selection, ends the area marking, hides the frame and
// disables the delete command.
void SelectNone();
// Element gLastObjNr was removed from the element list: every selected number above it goes
// down by one (the text keeps its order).
void RefreshSelObject();
// Element n left the element list: it leaves the selection and the numbers above it follow.
void DropFromSelection(std::int16_t ObjNr);
// Ends the area marking but keeps the selected elements: the frame is hidden.
void EndAreaMarking();
// A grid change is about to happen: an area marking ends first (SelectNone), so that no area
// move pastes what the area held before the change.
void EndMarkingBeforeChange();
// Places the four corner markers of slot k at the extent of its element.
void PlaceCornerMarkers(int slot);

// Start-up state: nothing selected (no window calls).
void ResetSelection();

} // namespace kardo
