// The simulation levels as the IC hierarchy sees them: the deepest nesting level, and showing
// one level on the worksheet while powered, with the circuit kept aside meanwhile.
#pragma once

#include "model/elements.h"
#include "model/grid.h"

#include <cstdint>
#include <vector>

namespace kardo {

// The worksheet of the circuit while an IC level is shown in its place.
struct CircuitView {
    bool Held = false;                   // an IC level is shown; the fields below hold the circuit
    Grid Cells;                          // gGrid
    std::vector<ElementRecord> Elements; // gElements
    std::int16_t AnzElemente = 0;        // gAnzElemente
    std::int16_t FeldBreite = 0;         // gFeldBreite
    std::int16_t FeldHoehe = 0;          // gFeldHoehe
    bool operator==(const CircuitView&) const = default;
};

extern CircuitView gCircuitView; // the circuit kept aside by ShowLevel; emptied by ShowLevel(0)
                                 // and ResetICView

// One more than the greatest nesting depth of the IC instances 1..gICInstanceMax; 1 when there
// are none.
std::int16_t LowestLevel();

// Shows simulation level nr on the worksheet: an IC level's grid and elements take the
// worksheet's place (the circuit is kept aside the first time), 0 puts the circuit back as it
// was. Sets gCurLevel and gInLevel, loads the level's pin labels and redraws. A level that does
// not exist changes nothing, and neither does an IC level while a run is in progress or paused
// (RunInProgress).
void ShowLevel(std::int16_t nr);

} // namespace kardo
