// The drag outlines of moved objects (tool 25) and of a dragged area (tool 23): one rectangle
// per moved element, following the cursor by whole cells, and the cancelling of a drag.
#pragma once

#include <cstdint>

namespace kardo {

// Loads the drag outline of selection slot k for element n at the element's place (hidden
// until the mouse moves).
void LoadDragOutline(int slot, std::int16_t elementNr);
// Moves and shows the drag outlines for the cursor cell while tool 23 or 25 is active; nothing
// with any other tool. Called on every mouse move over the sheet after the placement outline.
void ShowDragOutlines();
// Ends a running object or area drag without changing the grid: the select tool comes back,
// the press counts as released, the outlines go, and a marked area's frame and markers return
// to the area's place. Nothing when no drag runs.
void CancelDrag();

} // namespace kardo
