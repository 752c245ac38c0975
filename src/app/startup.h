// Start-up state of the program's global objects and worksheet.
#pragma once

namespace kardo {

// Sets every global of the worksheet, the element list, the clock tables, the IC instances, the
// simulation levels and the drawing object to its start-up value: an empty 50 x 30 worksheet,
// cell size 14, zoom 1.0. The main window's load calls it; so do tests.
void InitProgramState();

} // namespace kardo
