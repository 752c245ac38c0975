// Helpers shared by the evaluators of the block elements (flip-flop, shift register,
// multiplexer, decoder, tri-state, adders): cell and record lookup on a simulation level, driving
// an output pin, and the run that follows a powered click.
#pragma once

#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "simulation/sim_core.h"
#include "simulation/wire_router.h"

#include <cstdint>
#include <span>

namespace kardo::eval {

// Cell (x, y) of level ebene, or nullptr outside the level's grid.
inline CellRecord* LevelCell(int ebene, int x, int y) {
    if (ebene < 0 || static_cast<std::size_t>(ebene) >= gLevels.size())
        return nullptr;
    Grid& feld = gLevels[static_cast<std::size_t>(ebene)].Feld;
    return feld.Contains(x, y) ? &feld(x, y) : nullptr;
}

// Element nr of level ebene, or nullptr. Evaluators keep an element's state in its level's own
// list: that is the list the drawers show while the circuit is on.
inline ElementRecord* LevelElement(int ebene, int nr) {
    if (ebene < 0 || static_cast<std::size_t>(ebene) >= gLevels.size() || nr <= 0)
        return nullptr;
    std::vector<ElementRecord>& list = gLevels[static_cast<std::size_t>(ebene)].Elemente;
    return static_cast<std::size_t>(nr) < list.size() ? &list[static_cast<std::size_t>(nr)]
                                                      : nullptr;
}

// The element that owns cell (x, y) of level ebene, or nullptr.
inline ElementRecord* OwnerElement(int ebene, int x, int y) {
    const CellRecord* c = LevelCell(ebene, x, y);
    return c ? LevelElement(ebene, c->ElementNr) : nullptr;
}

// Position of (x, y) in a pin list, or -1.
inline int PinIndex(std::span<const GridPoint> pins, int x, int y) {
    for (std::size_t i = 0; i < pins.size(); ++i) {
        if (pins[i].x == x && pins[i].y == y)
            return static_cast<int>(i);
    }
    return -1;
}

// The level of pin i of a list as a bool; false for a missing pin or a cell outside the grid.
inline bool PinLevel(int ebene, std::span<const GridPoint> pins, std::size_t i) {
    if (i >= pins.size())
        return false;
    const CellRecord* c = LevelCell(ebene, pins[i].x, pins[i].y);
    return c && c->Pegel != 0;
}

// Queues level `high` at the cell one step beyond output pin `out` in orientation richtung,
// travelling in that orientation.
inline void QueueBeyond(GridPoint out, int richtung, bool high, int ebene) {
    const Step s = StepOf(richtung);
    AddEvent(out.x + s.dx, out.y + s.dy, richtung, high ? 1 : 0, ebene);
}

// Drives output pin `out`: the level is queued beyond the pin and stored in the pin cell, and a
// high level also colours the pin cell's wire along the orientation's axis.
inline void DriveOutput(GridPoint out, int richtung, bool high, int ebene) {
    QueueBeyond(out, richtung, high, ebene);
    if (CellRecord* c = LevelCell(ebene, out.x, out.y)) {
        c->Pegel = TruthValue(high);
        if (high)
            SetDirectionLevel(ebene, out.x, out.y, richtung, kTrue);
    }
}

// Runs the passes a powered click has queued, unless a run is in progress (its next pass takes
// the events up). A click is a user action: the pass count of the endless-loop abort starts
// afresh.
void RunAfterClick();

// The worksheet shows the circuit itself (not an IC level) and the power is not being switched:
// clicks act only then.
bool CircuitShown();

} // namespace kardo::eval
