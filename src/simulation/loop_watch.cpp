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

namespace {

// The marks of earlier windows read as no change; only when the window number wraps are they
// cleared, lest an old mark pass for a new one.
[[gnu::noinline, gnu::cold]] void ClearChangeMarks() {
    gLoopWindow = 0;
    for (std::vector<ChangeMark>& marks : gLevelChanges)
        std::fill(marks.begin(), marks.end(), ChangeMark{0});
}

// One array of marks per level, one mark per cell of its grid. An empty grid has no columns or
// no rows.
std::size_t CellsOf(const Grid& feld) {
    return static_cast<std::size_t>(feld.Columns()) * static_cast<std::size_t>(feld.Rows());
}

// The arrays are built anew only when a grid changed its size (a power-on); out of line, so that
// the check each window makes stays small.
[[gnu::noinline, gnu::cold]] void FitChangeMarks() {
    const std::size_t levels = gLevels.size();
    if (gLevelChanges.size() != levels)
        gLevelChanges.resize(levels);
    for (std::size_t l = 0; l < levels; ++l) {
        const std::size_t cells = CellsOf(gLevels[l].Feld);
        if (gLevelChanges[l].size() != cells)
            gLevelChanges[l].assign(cells, 0);
    }
}

bool ChangeMarksFit() {
    const std::size_t levels = gLevels.size();
    if (gLevelChanges.size() != levels)
        return false;
    for (std::size_t l = 0; l < levels; ++l) {
        if (gLevelChanges[l].size() != CellsOf(gLevels[l].Feld))
            return false;
    }
    return true;
}

} // namespace

void StartLoopWindow() {
    if (gLoopWindow >= kLastLoopWindow) [[unlikely]]
        ClearChangeMarks();
    ++gLoopWindow;
    if (!ChangeMarksFit()) [[unlikely]]
        FitChangeMarks();
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
