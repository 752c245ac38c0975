// State of the IC level view on the worksheet. Whether a level is shown (gInLevel, ShownLevel)
// is read by the model, the simulation and the drawing and is declared with the levels
// (model/sim_levels.h).
#pragma once

#include "model/sim_levels.h"

namespace kardo {

// Start-up state of the IC module: the circuit kept aside dropped, no pin labels, no nesting
// check text, sizes 0.
void ResetICView();

} // namespace kardo
