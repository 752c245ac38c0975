// The endless-loop watch: counts of level changes per cell within one window of the pass loop.
#include "simulation/loop_watch.h"

#include "model/sim_levels.h"

#include <algorithm>

namespace kardo {

std::int32_t gStillRunden = 0;
std::vector<std::vector<ChangeMark>> gLevelChanges;
std::uint16_t gLoopWindow = 0;

void ResetLoopWatch() {
    gStillRunden = 0;
    gLevelChanges = {};
    gLoopWindow = 0;
}

void StartLoopWindow() {
    // The marks of earlier windows read as no change; only when the window number wraps are
    // they cleared, lest an old mark pass for a new one.
    if (gLoopWindow >= kLastLoopWindow) {
        gLoopWindow = 0;
        for (std::vector<ChangeMark>& marks : gLevelChanges)
            std::fill(marks.begin(), marks.end(), ChangeMark{0});
    }
    ++gLoopWindow;
    // The arrays follow the level grids; they are built anew only when a grid changed its size
    // (a power-on).
    const std::size_t levels = gLevels.size();
    if (gLevelChanges.size() != levels)
        gLevelChanges.resize(levels);
    for (std::size_t l = 0; l < levels; ++l) {
        const Grid& feld = gLevels[l].Feld;
        // An empty grid has no columns or no rows.
        const std::size_t cells =
            static_cast<std::size_t>(feld.Columns()) * static_cast<std::size_t>(feld.Rows());
        if (gLevelChanges[l].size() != cells)
            gLevelChanges[l].assign(cells, 0);
    }
    gStillRunden = 0;
}

int LevelChangeCount(std::size_t ebene, std::size_t index) {
    if (ebene >= gLevelChanges.size() || index >= gLevelChanges[ebene].size())
        return 0;
    const ChangeMark mark = gLevelChanges[ebene][index];
    if ((mark & ~kChangeCountMask) != static_cast<ChangeMark>(gLoopWindow << 2))
        return 0;
    return mark & kChangeCountMask;
}

} // namespace kardo
