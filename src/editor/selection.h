// The selection of the worksheet editor: the selected elements and the marked area.
#pragma once

#include <cstdint>
#include <string>

namespace kardo {

extern std::string
    gSelection; // selected element numbers, each followed by ";"; reset by SelectNone
extern std::int16_t gSelCount;  // number of entries of gSelection
extern std::int16_t gBereichX1; // marked area: left column, 0 when nothing is marked
extern std::int16_t gBereichY1; // top row
extern std::int16_t gBereichX2; // right column
extern std::int16_t gBereichY2; // bottom row

// Clears the selection and the marked area and disables the delete command.
void SelectNone();
// Start-up state: nothing selected (no window calls).
void ResetSelection();

} // namespace kardo
