// Simulation levels.
#include "model/sim_levels.h"

namespace kardo {

std::vector<SimLevelRecord> gLevels(1);
bool gPowerOn = false;

void ResetSimLevels() {
    gLevels.assign(1, SimLevelRecord{});
    gPowerOn = false;
}

} // namespace kardo
