// State of the IC level view on the worksheet.
#pragma once

#include "model/grid.h"

#include <cstdint>

namespace kardo {

extern bool
    gInLevel; // an IC level (not the circuit) is shown on the worksheet; reset by ShowLevel(0)

// Start-up state of the IC module: no level shown (the circuit kept aside dropped), no pin
// labels, no IC chosen (gICAuswahlOK false, sizes 0).
void ResetICView();

// The simulation level on view: the shown IC level while one is shown, else 0 (the circuit).
// gCurLevel alone does not say it: power-on sets it to each level it initialises.
inline std::int16_t ShownLevel() { return gInLevel ? gCurLevel : std::int16_t{0}; }

} // namespace kardo
