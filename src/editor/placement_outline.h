// The outline under the cursor that shows where the current tool's element would be placed, and
// the drag outlines of moved objects.
#pragma once

namespace kardo {

// Moves, shows or hides the outline controls for the current tool and cursor cell.
void ShowBorder();

} // namespace kardo
