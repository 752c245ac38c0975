// Wire and junction propagation. Directions are travel directions: the wire behind the cell,
// where the level came from, is never fed back.
#include "simulation/wire_router.h"

#include "model/codes.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "simulation/sim_core.h"

namespace kardo {

namespace {

CellRecord* LevelCell(int ebene, int x, int y) {
    if (ebene < 0 || static_cast<std::size_t>(ebene) >= gLevels.size())
        return nullptr;
    Grid& feld = gLevels[static_cast<std::size_t>(ebene)].Feld;
    return feld.Contains(x, y) ? &feld(x, y) : nullptr;
}

} // namespace

void PropagateJunctionDefault(int x, int y, int richtung, int pegel, int ebene) {
    PropagateJunction(x, y, richtung, pegel, ebene);
}

void PropagateJunction(int x, int y, int richtung, int pegel, int ebene) {
    if (CellRecord* cell = LevelCell(ebene, x, y))
        RouteLevelWord(*cell, event_word::Make(x, y, richtung, pegel, ebene));
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
