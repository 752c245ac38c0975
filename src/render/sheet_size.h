// Changing the size of the worksheet in cells while keeping its content (SetNewSize), read from
// the size boxes txtX and txtY of the sheet-size panel.
#pragma once

#include <cstdint>

namespace kardo {

// The size boxes' range and the step of their spin keys.
constexpr int kSheetSizeMin = 10;
constexpr int kSheetSizeMax = 200;
constexpr int kSheetSizeStep = 5;

// Resizes the worksheet to the width and height in txtX and txtY. It never shrinks across
// content: the sheet keeps at least min(used extent + 1, old size) in each direction (the
// content's last column and row, and the pins its elements name). Cells keep their places; new
// ones are empty. A shrink clears the undo history, whose steps could restore cells outside the
// new sheet. The boxes show the size set; the sheet is redrawn. Asking for the current size
// changes nothing.
void SetNewSize();

// A size box's text as a size: its number, held to 10..200.
int ClampSheetSize(double value);

} // namespace kardo
