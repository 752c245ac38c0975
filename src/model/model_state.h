// The start-up state of the placing and undo modules of the worksheet model.
#pragma once

namespace kardo {

// Resets the undo history (10 empty steps), the placing inputs (orientation, colour, two-input
// flag), the analysis-point count, the saved tool state and the editor's selection, and installs
// the IC hooks of the undo history.
void ResetModelState();

} // namespace kardo
