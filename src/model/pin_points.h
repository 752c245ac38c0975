// The shared pin point lists: GetInputPoints and GetOutputPoints fill them with the points of
// one element; the next call overwrites them.
#pragma once

#include "model/elements.h"

#include <cstdint>
#include <vector>

namespace kardo {

// At least 21 entries; entries from the count on are (0, 0) after a fill.
extern std::vector<GridPoint> gEingangsPunkte; // input points of the element last read (0-based)
extern std::int16_t gAnzEingangsPunkte;        // valid entries of gEingangsPunkte
extern std::vector<GridPoint> gAusgangsPunkte; // output points of the element last read
extern std::int16_t gAnzAusgangsPunkte;        // valid entries of gAusgangsPunkte
// ResetPinPoints empties the four above.

// Start-up state: both lists 21 entries of (0, 0), none valid.
void ResetPinPoints();

// Fills the input list from element elementNr of the worksheet (off, or an IC level shown) or
// of simulation level ebene (powered). Element 0 or one beyond the list leaves the list as is.
void GetInputPoints(std::int16_t elementNr, std::int16_t ebene);
// The same for the output list; an element number outside the list gives an empty list.
void GetOutputPoints(std::int16_t elementNr, std::int16_t ebene);

// The element record that GetInputPoints would read, or nullptr.
const ElementRecord* PinSourceElement(std::int16_t elementNr, std::int16_t ebene);
// Element elementNr of simulation level ebene while powered, whatever level is shown; of the
// worksheet while editing. nullptr outside the list. The simulation reads its elements here.
const ElementRecord* LevelElement(std::int16_t elementNr, std::int16_t ebene);

} // namespace kardo
