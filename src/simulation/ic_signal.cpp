// IC level crossing.
#include "simulation/ic_signal.h"

#include "files/ic_instances.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "simulation/sim_core.h"
#include "simulation/wire_router.h"

namespace kardo {

namespace {

// The direction a pin cell's wire leaves in: the first flag of left, right, up, down; 0 none.
int WireDirection(const CellRecord& c) {
    if (c.Links != 0)
        return kLeft;
    if (c.Rechts != 0)
        return kRight;
    if (c.Oben != 0)
        return kUp;
    if (c.Unten != 0)
        return kDown;
    return 0;
}

// Sets the pin cell (x, y) of level to pegel and sends it along the cell's wire.
void SendFrom(int level, int x, int y, int pegel) {
    SimLevelRecord& l = gLevels[static_cast<std::size_t>(level)];
    if (!l.Feld.Contains(x, y))
        return;
    CellRecord& c = l.Feld(x, y);
    const int d = WireDirection(c);
    const std::int16_t value = TruthValue(pegel != 0);
    SetDirectionLevel(level, x, y, d, value);
    c.Pegel = value;
    // Without a wire there is no direction: the event is queued but never processed.
    const Step s = StepOf(d);
    AddEvent(x + s.dx, y + s.dy, d, pegel, level);
}

bool IsInstance(int n) {
    return n >= 1 && n <= gICInstanceMax && static_cast<std::size_t>(n) < gICInstances.size() &&
           static_cast<std::size_t>(n) < gLevels.size();
}

} // namespace

void ICSignal(int x, int y, int pegel, int ebene, int mode) {
    if (ebene < 0 || static_cast<std::size_t>(ebene) >= gLevels.size())
        return;
    const Grid& here = gLevels[static_cast<std::size_t>(ebene)].Feld;
    if (!here.Contains(x, y))
        return;
    const CellRecord& cell = here(x, y);
    const int p = cell.ICPin;
    if (mode == kICSignalInto) {
        const int n = cell.ICLevel;
        if (!IsInstance(n))
            return;
        const ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(n)];
        if (p < 1 || static_cast<std::size_t>(p) >= ic.PinCells.size())
            return;
        const GridPoint inner = ic.PinCells[static_cast<std::size_t>(p)];
        SendFrom(n, inner.x, inner.y, pegel);
        return;
    }
    if (mode != kICSignalOutOf || !IsInstance(ebene))
        return;
    const ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(ebene)];
    const int parent = ic.Tiefe == 0 ? 0 : ic.Parent;
    if (p < 1 || static_cast<std::size_t>(p) >= ic.PinListIndex.size() ||
        static_cast<std::size_t>(parent) >= gLevels.size())
        return;
    const int index = ic.PinListIndex[static_cast<std::size_t>(p)];
    const std::vector<ElementRecord>& elements = gLevels[static_cast<std::size_t>(parent)].Elemente;
    if (index < 0 || ic.ElementNr < 1 || static_cast<std::size_t>(ic.ElementNr) >= elements.size())
        return;
    const auto points = elements[static_cast<std::size_t>(ic.ElementNr)].Eingaenge.Points();
    if (static_cast<std::size_t>(index) >= points.size())
        return;
    const GridPoint outer = points[static_cast<std::size_t>(index)];
    SendFrom(parent, outer.x, outer.y, pegel);
}

} // namespace kardo
