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

// One array of marks per level, one mark per cell of its grid. An empty grid has no columns or
// no rows.
std::size_t CellsOf(const Grid& feld) {
    return static_cast<std::size_t>(feld.Columns()) * static_cast<std::size_t>(feld.Rows());
}

} // namespace

void ClearChangeMarks() {
    gLoopWindow = 0;
    for (std::vector<ChangeMark>& marks : gLevelChanges)
        std::fill(marks.begin(), marks.end(), ChangeMark{0});
}

void NoteLevelChangeFitting(std::size_t ebene, std::size_t index) {
    if (ebene >= gLevels.size())
        return;
    if (gLevelChanges.size() < gLevels.size())
        gLevelChanges.resize(gLevels.size());
    std::vector<ChangeMark>& marks = gLevelChanges[ebene];
    const std::size_t cells = CellsOf(gLevels[ebene].Feld);
    if (marks.size() < cells)
        marks.assign(cells, 0);
    if (index < marks.size())
        NoteLevelChange(marks[index]);
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
