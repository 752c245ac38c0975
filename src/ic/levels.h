// The simulation levels as the IC hierarchy sees them: the deepest nesting level and showing
// one level on the worksheet.
#pragma once

#include <cstdint>

namespace kardo {

// One more than the greatest nesting depth of the IC instances 1..gICInstanceMax; 1 when there
// are none.
std::int16_t LowestLevel();

// Shows simulation level nr on the worksheet (0 = the circuit): copies its grid and element
// list into the worksheet, sets gCurLevel and gInLevel, and redraws. A level that does not exist
// changes nothing.
void ShowLevel(std::int16_t nr);

} // namespace kardo
