// Simulation levels.
#include "model/sim_levels.h"

namespace kardo {

std::vector<SimLevelRecord> gLevels(1);
bool gPowerOn = false;
bool gInLevel = false;

void ResetSimLevels() {
    gLevels.assign(1, SimLevelRecord{});
    gPowerOn = false;
    gInLevel = false;
}

} // namespace kardo
