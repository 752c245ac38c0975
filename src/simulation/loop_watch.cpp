// The endless-loop watch: counts of level changes per cell within one window of the pass loop.
#include "simulation/loop_watch.h"

#include "model/sim_levels.h"

namespace kardo {

std::int32_t gStillRunden = 0;
std::vector<std::vector<std::uint8_t>> gLevelChanges;
std::vector<ChangedCell> gChangedCells;

void ResetLoopWatch() {
    gStillRunden = 0;
    gLevelChanges = {};
    gChangedCells = {};
}

void NoteFirstChange(std::size_t ebene, std::size_t index) {
    gChangedCells.push_back({static_cast<std::uint32_t>(index), static_cast<std::uint16_t>(ebene)});
}

void StartLoopWindow() {
    // Most changes are on the circuit's level: its counts are held in locals, which the byte
    // stores below cannot touch.
    const std::size_t levels = gLevelChanges.size();
    std::uint8_t* const counts0 = levels > 0 ? gLevelChanges[0].data() : nullptr;
    const std::size_t size0 = levels > 0 ? gLevelChanges[0].size() : 0;
    for (const ChangedCell& c : gChangedCells) {
        if (c.level == 0) {
            if (c.index < size0)
                counts0[c.index] = 0;
        } else if (c.level < levels && c.index < gLevelChanges[c.level].size()) {
            gLevelChanges[c.level][c.index] = 0;
        }
    }
    gChangedCells.clear();
    // The arrays follow the level grids; they are built anew only when a grid changed its size
    // (a power-on), so that a window start costs only the cells changed in the last one.
    if (gLevelChanges.size() != gLevels.size())
        gLevelChanges.resize(gLevels.size());
    for (std::size_t l = 0; l < gLevels.size(); ++l) {
        const Grid& feld = gLevels[l].Feld;
        const std::size_t cells = feld.Empty() ? 0
                                               : static_cast<std::size_t>(feld.UBoundX() + 1) *
                                                     static_cast<std::size_t>(feld.UBoundY() + 1);
        if (gLevelChanges[l].size() != cells)
            gLevelChanges[l].assign(cells, 0);
    }
    gStillRunden = 0;
}

} // namespace kardo
