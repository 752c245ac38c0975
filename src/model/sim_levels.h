// Simulation levels: level 0 is the circuit, copied from the worksheet at power-on; level n is
// the inner circuit of IC instance n.
#pragma once

#include "model/elements.h"
#include "model/grid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kardo {

struct SimLevelRecord {
    std::string Name;                    // IC name of the level; empty for a free entry
    std::int16_t MaxX = 0;               // grid width (columns 0..MaxX are scanned)
    std::int16_t MaxY = 0;               // grid height (rows 0..MaxY are scanned)
    std::int16_t AnzElemente = 0;        // number of elements
    Grid Feld;                           // the level's own grid with the live levels
    std::vector<ElementRecord> Elemente; // elements 1..AnzElemente; entry 0 unused
    bool operator==(const SimLevelRecord&) const = default;
};

extern std::vector<SimLevelRecord> gLevels; // levels 0..; 0 the circuit; reset by ResetSimLevels
extern bool gPowerOn;                       // the circuit is switched on
extern bool gInLevel; // an IC level (not the circuit) is shown on the worksheet; reset by
                      // ShowLevel(0) and ResetSimLevels

// One empty level 0, switched off, the circuit shown.
void ResetSimLevels();

// The simulation level on view: the shown IC level while one is shown, else 0 (the circuit).
// gCurLevel alone does not say it: power-on sets it to each level it initialises.
inline std::int16_t ShownLevel() { return gInLevel ? gCurLevel : std::int16_t{0}; }

} // namespace kardo
