// The wire router: where a level goes on from a wire, switch or LED cell, decided by the cell's
// wire flags and its point mark; and the two small level helpers the evaluators share.
#pragma once

#include <cstdint>

namespace kardo {

// Queues the continuations of a level that reached wire cell (x, y) travelling in richtung on
// level ebene: straight on, and into side wires at a connection point (either axis) or a
// coupling diode (horizontal travel only). A single outgoing wire is always followed. The side
// wire's level of the cell follows the level whenever a side continuation is queued.
void PropagateJunction(int x, int y, int richtung, int pegel, int ebene);
// The router entry of the dispatcher for wire cells without an IC pin number.
void PropagateJunctionDefault(int x, int y, int richtung, int pegel, int ebene);

// The neighbour of (x, y) in direction richtung on level ebene carries a high level. False for
// a direction outside 1..4 and for a neighbour outside the worksheet or the level's grid.
bool NeighbourLevel(int x, int y, int richtung, int ebene);

// Stores the truth value pegel as the level of the cell's horizontal wire (richtung 1, 2) or
// vertical wire (3, 4); other directions change nothing.
void SetDirectionLevel(int ebene, int x, int y, int richtung, std::int16_t pegel);

} // namespace kardo
