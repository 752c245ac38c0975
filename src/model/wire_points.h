// Point marks in CellRecord.Punkt: connection points and coupling diodes on wire junctions and
// negation points on gate and flip-flop pins. Setting and removing one records a cells-only undo
// step; the set routines also draw, and the redraws call them in a drawing-only mode.
#pragma once

#include <cstdint>

namespace kardo {

// DrawOnly false: marks a junction (wire cell, three or more wire flags, no coupling diode)
// with an undo step and draws; DrawOnly true: marks and draws without an undo step. While
// powered the cell of the shown level's grid is marked.
void SetVerbindungspunkt(std::int16_t& X, std::int16_t& Y, std::int16_t& DrawOnly);
void SetKoppeldiode(std::int16_t& X, std::int16_t& Y, std::int16_t& DrawOnly);
void RemoveVerbindungspunkt(std::int16_t& X, std::int16_t& Y);

// At the cursor cell.
void RemoveKoppeldiode();
void SetNegationsPunkt();
void RemoveNegationsPunkt();

// Value forms for callers without variables of their own.
inline void SetVerbindungspunktAt(std::int16_t X, std::int16_t Y, bool drawOnly) {
    std::int16_t d = drawOnly ? -1 : 0;
    SetVerbindungspunkt(X, Y, d);
}
inline void SetKoppeldiodeAt(std::int16_t X, std::int16_t Y, bool drawOnly) {
    std::int16_t d = drawOnly ? -1 : 0;
    SetKoppeldiode(X, Y, d);
}

} // namespace kardo
