// Wire and junction propagation. Directions are travel directions: the wire behind the cell,
// where the level came from, is never fed back.
#include "simulation/wire_router.h"

#include "model/codes.h"
#include "model/grid.h"
#include "simulation/sim_core.h"
#include "simulation/sim_levels.h"

namespace kardo {

namespace {

CellRecord* LevelCell(int ebene, int x, int y) {
    if (ebene < 0 || static_cast<std::size_t>(ebene) >= gLevels.size())
        return nullptr;
    Grid& feld = gLevels[static_cast<std::size_t>(ebene)].Feld;
    return feld.Contains(x, y) ? &feld(x, y) : nullptr;
}

void Continue(int x, int y, int richtung, int pegel, int ebene) {
    const Step s = StepOf(richtung);
    AddEvent(x + s.dx, y + s.dy, richtung, pegel, ebene);
}

} // namespace

void PropagateJunctionDefault(int x, int y, int richtung, int pegel, int ebene) {
    PropagateJunction(x, y, richtung, pegel, ebene);
}

void PropagateJunction(int x, int y, int richtung, int pegel, int ebene) {
    CellRecord* cell = LevelCell(ebene, x, y);
    if (!cell)
        return;
    const CellRecord& c = *cell;
    const std::int16_t level = pegel != 0 ? kTrue : kFalse;

    if (richtung == kLeft || richtung == kRight) {
        const bool ahead = (richtung == kLeft ? c.Links : c.Rechts) != 0;
        const bool up = c.Oben != 0;
        const bool down = c.Unten != 0;
        // A connection point and a coupling diode both feed the vertical wires.
        const bool mark = c.Punkt != kPointNone;
        const int outgoing = ahead + up + down;
        const bool goUp = up && (outgoing == 1 || mark);
        const bool goDown = down && (outgoing == 1 || mark);
        if (goUp || goDown)
            cell->PegelV = level;
        if (ahead)
            Continue(x, y, richtung, pegel, ebene);
        if (goUp)
            Continue(x, y, kUp, pegel, ebene);
        if (goDown)
            Continue(x, y, kDown, pegel, ebene);
        return;
    }
    if (richtung != kUp && richtung != kDown)
        return;

    const bool ahead = (richtung == kUp ? c.Oben : c.Unten) != 0;
    const bool left = c.Links != 0;
    const bool right = c.Rechts != 0;
    // Only a connection point feeds the horizontal wires: a coupling diode does not couple a
    // vertical line back onto the horizontal ones.
    const bool mark = c.Punkt == kPointConnection;
    const int outgoing = ahead + left + right;
    const bool goLeft = left && (outgoing == 1 || mark);
    const bool goRight = right && (outgoing == 1 || mark);
    if (goLeft || goRight)
        cell->PegelH = level;
    // The order of the continuations follows the old router: ahead first when only one side
    // goes too, except downwards with the right side; ahead last when both sides go.
    if (goLeft && goRight) {
        Continue(x, y, kLeft, pegel, ebene);
        Continue(x, y, kRight, pegel, ebene);
        if (ahead)
            Continue(x, y, richtung, pegel, ebene);
    } else if (goRight && richtung == kDown) {
        Continue(x, y, kRight, pegel, ebene);
        if (ahead)
            Continue(x, y, richtung, pegel, ebene);
    } else {
        if (ahead)
            Continue(x, y, richtung, pegel, ebene);
        if (goLeft)
            Continue(x, y, kLeft, pegel, ebene);
        if (goRight)
            Continue(x, y, kRight, pegel, ebene);
    }
}

bool NeighbourLevel(int x, int y, int richtung, int ebene) {
    if (richtung < kLeft || richtung > kDown)
        return false;
    const Step s = StepOf(richtung);
    const int nx = x + s.dx;
    const int ny = y + s.dy;
    if (nx < 0 || nx > gFeldBreite || ny < 0 || ny > gFeldHoehe)
        return false;
    const CellRecord* n = LevelCell(ebene, nx, ny);
    return n && n->Pegel != 0;
}

void SetDirectionLevel(int ebene, int x, int y, int richtung, std::int16_t pegel) {
    CellRecord* c = LevelCell(ebene, x, y);
    if (!c)
        return;
    if (richtung == kLeft || richtung == kRight)
        c->PegelH = pegel;
    else if (richtung == kUp || richtung == kDown)
        c->PegelV = pegel;
}

} // namespace kardo
