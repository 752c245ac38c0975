// The wire router: where a level goes on from a wire, switch or LED cell, decided by the cell's
// wire flags and its point mark; and the two small level helpers the evaluators share.
#pragma once

#include "model/codes.h"
#include "model/grid.h"
#include "simulation/sim_core.h"

#include <cstdint>

namespace kardo {

// Queues the continuations of a level that reached wire cell (x, y) travelling in richtung on
// level ebene: straight on, and into side wires at a connection point (either axis) or a
// coupling diode (horizontal travel only). A single outgoing wire is always followed. The side
// wire's level of the cell follows the level whenever a side continuation is queued.
void PropagateJunction(int x, int y, int richtung, int pegel, int ebene);
// The router entry of the dispatcher for wire cells without an IC pin number.
void PropagateJunctionDefault(int x, int y, int richtung, int pegel, int ebene);

// PropagateJunction for the event of word w (event_word::Make) on its cell c, already looked up:
// which continuations leave the cell, in which order, and the side wire's level. A continuation
// is the event's word with its cell moved on and, into a side wire, its direction changed.
[[gnu::always_inline]] inline void RouteLevelWord(CellRecord& c, std::uint64_t w) {
    const int richtung = event_word::Richtung(w);
    const std::int16_t level = event_word::High(w) ? kTrue : kFalse;
    // Straight on, and into the side wire towards d.
    const auto ahead = [w, richtung] { AddEventWord(event_word::Stepped(w, richtung)); };
    const auto turn = [w](int d) {
        AddEventWord(event_word::Stepped(event_word::Turned(w, d), d));
    };

    if (richtung == kLeft || richtung == kRight) {
        const bool straight = (richtung == kLeft ? c.Links : c.Rechts) != 0;
        const bool up = c.Oben != 0;
        const bool down = c.Unten != 0;
        // A connection point and a coupling diode both feed the vertical wires.
        const bool mark = c.Punkt != kPointNone;
        const int outgoing = straight + up + down;
        const bool goUp = up && (outgoing == 1 || mark);
        const bool goDown = down && (outgoing == 1 || mark);
        if (goUp || goDown)
            c.PegelV = level;
        if (straight)
            ahead();
        if (goUp)
            turn(kUp);
        if (goDown)
            turn(kDown);
        return;
    }
    if (richtung != kUp && richtung != kDown)
        return;

    const bool straight = (richtung == kUp ? c.Oben : c.Unten) != 0;
    const bool left = c.Links != 0;
    const bool right = c.Rechts != 0;
    // Only a connection point feeds the horizontal wires: a coupling diode does not couple a
    // vertical line back onto the horizontal ones.
    const bool mark = c.Punkt == kPointConnection;
    const int outgoing = straight + left + right;
    const bool goLeft = left && (outgoing == 1 || mark);
    const bool goRight = right && (outgoing == 1 || mark);
    if (goLeft || goRight)
        c.PegelH = level;
    // The order of the continuations: ahead first when only one side
    // goes too, except downwards with the right side; ahead last when both sides go.
    if (goLeft && goRight) {
        turn(kLeft);
        turn(kRight);
        if (straight)
            ahead();
    } else if (goRight && richtung == kDown) {
        turn(kRight);
        if (straight)
            ahead();
    } else {
        if (straight)
            ahead();
        if (goLeft)
            turn(kLeft);
        if (goRight)
            turn(kRight);
    }
}

// The neighbour of (x, y) in direction richtung on level ebene carries a high level. False for
// a direction outside 1..4 and for a neighbour outside the worksheet or the level's grid.
bool NeighbourLevel(int x, int y, int richtung, int ebene);

// Stores the truth value pegel as the level of the cell's horizontal wire (richtung 1, 2) or
// vertical wire (3, 4); other directions change nothing.
void SetDirectionLevel(int ebene, int x, int y, int richtung, std::int16_t pegel);

} // namespace kardo
