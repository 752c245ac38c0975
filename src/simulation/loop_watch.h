// The endless-loop watch of the pass loop. A run is stopped as an endless loop when, for more
// passes than the pass limit allows, no cell has reached a level for the first or second time
// since the window began (the last clock edge, power-on check or user action, which reset
// gRunden).
//
// Why this rule: a circuit without a feedback loop keeps spreading while it runs. A level
// travelling along a wire changes a new cell every pass, however long the wire, and a pulse
// (a rise and the fall behind it) changes each cell twice. An oscillating loop, once its level
// has gone round once (every cell of it rose and fell), only changes cells that have changed
// twice before, and events that circle through connection points change nothing at all; either
// way the passes without progress climb to the limit. So a ring is stopped about one round of
// its level after the limit, a small ring within a few dozen passes of where a plain pass count
// would stop it. A loop-free circuit is not stopped however many passes it needs: that would
// take more passes than the limit (250 at least) in which nothing but third and later changes
// happen, which only a circuit built to send three or more pulses down one long path does, or
// events held back longer than that by the delay counts of gates and decoders (at most 255
// passes, and only after many evaluations of one gate in one window).
//
// Cost: a few loads and stores for each cell whose level changes. Each count carries the number
// of the window it was made in, so a new window only moves the window number on and the counts
// of earlier windows read as 0; nothing scans the sheet (but once in 16383 windows, when the
// number wraps).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kardo {

// Changes of a cell that still count as progress: the rise and the fall of one pulse.
constexpr std::uint8_t kSpreadingChanges = 2;

// A cell's mark: the window it last changed in, shifted left by two, plus its changes in that
// window (0 to kSpreadingChanges) in the lowest two bits.
using ChangeMark = std::uint16_t;
constexpr ChangeMark kChangeCountMask = 3;
constexpr std::uint16_t kLastLoopWindow = 0x3FFF; // the window number wraps after it

extern std::int32_t gStillRunden; // passes in a row without progress in this window; 0 when a
                                  // window starts; ResetLoopWatch
extern std::vector<std::vector<ChangeMark>> gLevelChanges; // per level and cell index: the
                                                           // cell's change mark; ResetLoopWatch
extern std::uint16_t gLoopWindow; // number of the window in progress (1 to kLastLoopWindow; 0
                                  // before the first); ResetLoopWatch

// Start-up state: no counts, no window.
void ResetLoopWatch();

// The marks of earlier windows read as no change; only when the window number wraps are they
// cleared (and the number set to 0), lest an old mark pass for a new one.
[[gnu::noinline, gnu::cold]] void ClearChangeMarks();

// A new window begins: the counts of the last window go back to 0 and gStillRunden starts
// again. The count arrays follow the sizes of the level grids as changes are noted.
inline void StartLoopWindow() {
    if (gLoopWindow >= kLastLoopWindow) [[unlikely]]
        ClearChangeMarks();
    ++gLoopWindow;
    gStillRunden = 0;
}

// Changes of cell index of simulation level ebene in the window in progress.
int LevelChangeCount(std::size_t ebene, std::size_t index);

// The window's part of the marks made in the window in progress.
inline ChangeMark LoopWindowMark() { return static_cast<ChangeMark>(gLoopWindow << 2); }

// The level of a cell changed, mark being its change mark and window LoopWindowMark(). Counts
// it and, while the cell has not yet changed kSpreadingChanges times this window, marks the
// pass as progress.
inline void NoteLevelChange(ChangeMark& mark, ChangeMark window) {
    if ((mark & ~kChangeCountMask) != window) {
        mark = static_cast<ChangeMark>(window | 1);
    } else {
        if ((mark & kChangeCountMask) >= kSpreadingChanges)
            return;
        ++mark;
    }
    gStillRunden = 0;
}
inline void NoteLevelChange(ChangeMark& mark) { NoteLevelChange(mark, LoopWindowMark()); }

// NoteLevelChange for a level whose marks do not reach the cell yet: they are made for the
// level's grid first (the first change after a power-on that built the level, or a grown grid).
// Out of line, so that the check each change makes stays small.
[[gnu::noinline, gnu::cold]] void NoteLevelChangeFitting(std::size_t ebene, std::size_t index);

// The same, the mark looked up by level and cell index.
inline void NoteLevelChange(std::size_t ebene, std::size_t index) {
    if (ebene < gLevelChanges.size()) [[likely]] {
        std::vector<ChangeMark>& marks = gLevelChanges[ebene];
        if (index < marks.size()) [[likely]] {
            NoteLevelChange(marks[index]);
            return;
        }
    }
    NoteLevelChangeFitting(ebene, index);
}

} // namespace kardo
