// Helpers of the block-element evaluators.
#include "simulation/eval_common.h"

#include "model/sim_levels.h"
#include "simulation/clock_run.h"
#include "simulation/power.h"

namespace kardo::eval {

void RunAfterClick() {
    if (gRechnet)
        return;
    // A stopped run has not yet returned: the run timer takes the click's events up afterwards.
    if (gPassLoopActive) {
        StartRunTimer();
        return;
    }
    const std::uint32_t epoch = gPowerEpoch;
    gRechnet = true;
    gRunden = 0;
    RunSimulation();
    // Switched off while the run waited: the run belongs to a circuit that is gone.
    if (epoch != gPowerEpoch)
        return;
    gRechnet = false;
}

bool CircuitShown() { return PowerSteadyOn() && gCurLevel < 1 && !gInLevel && !gLevels.empty(); }

} // namespace kardo::eval
