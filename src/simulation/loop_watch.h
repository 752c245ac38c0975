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
// Cost: a few loads and stores for each cell whose level changes; the counts of the changed
// cells are cleared when the next window starts, so nothing scans the sheet.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kardo {

// A cell whose change count is not 0: its level and its index in that level's grid.
struct ChangedCell {
    std::uint32_t index = 0; // y * columns + x
    std::uint16_t level = 0; // simulation level
};

// Changes of a cell that still count as progress: the rise and the fall of one pulse.
constexpr std::uint8_t kSpreadingChanges = 2;

extern std::int32_t gStillRunden; // passes in a row without progress in this window; 0 when a
                                  // window starts; ResetLoopWatch
extern std::vector<std::vector<std::uint8_t>> gLevelChanges; // per level and cell index: level
                                                             // changes this window, at most
                                                             // kSpreadingChanges; ResetLoopWatch
extern std::vector<ChangedCell> gChangedCells; // cells with a count above 0; ResetLoopWatch

// Start-up state: no counts, no changed cells.
void ResetLoopWatch();

// A new window begins: the counts of the last window go back to 0, the count arrays follow the
// sizes of the level grids, and gStillRunden starts again.
void StartLoopWindow();

// Enters a cell whose count was 0 into gChangedCells.
void NoteFirstChange(std::size_t ebene, std::size_t index);

// The level of cell index of simulation level ebene changed, n being its count. Counts it and,
// while the cell has not yet changed kSpreadingChanges times this window, marks the pass as
// progress.
inline void NoteLevelChange(std::uint8_t& n, std::size_t ebene, std::size_t index) {
    if (n >= kSpreadingChanges)
        return;
    if (n == 0)
        NoteFirstChange(ebene, index);
    ++n;
    gStillRunden = 0;
}

// The same, the count looked up by level and cell index.
inline void NoteLevelChange(std::size_t ebene, std::size_t index) {
    if (ebene >= gLevelChanges.size())
        return;
    std::vector<std::uint8_t>& counts = gLevelChanges[ebene];
    if (index >= counts.size())
        return;
    NoteLevelChange(counts[index], ebene, index);
}

} // namespace kardo
