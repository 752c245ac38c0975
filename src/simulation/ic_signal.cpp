// IC level crossing: the pin routes and the crossing itself.
#include "simulation/ic_signal.h"

#include "model/codes.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/sim_levels.h"
#include "simulation/sim_core.h"

namespace kardo {

std::vector<ICInstanceRoutes> gICPinRoutes;

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

bool IsInstance(int n) {
    return n >= 1 && n <= gICInstanceMax && static_cast<std::size_t>(n) < gICInstances.size() &&
           static_cast<std::size_t>(n) < gLevels.size();
}

// The route to pin cell p of level: the cell and the one beyond it along the cell's wire.
ICPinRoute RouteTo(int level, GridPoint p) {
    ICPinRoute r;
    if (level < 0 || level > kMaxICInstances || static_cast<std::size_t>(level) >= gLevels.size())
        return r;
    const Grid& feld = gLevels[static_cast<std::size_t>(level)].Feld;
    if (!feld.Contains(p.x, p.y))
        return r;
    r.valid = true;
    r.level = static_cast<std::uint8_t>(level);
    r.cell = static_cast<std::uint32_t>(feld.Index(p.x, p.y));
    const int d = WireDirection(feld(p.x, p.y));
    r.richtung = static_cast<std::uint8_t>(d);
    const Step s = StepOf(d);
    r.nextX = static_cast<std::int16_t>(p.x + s.dx);
    r.nextY = static_cast<std::int16_t>(p.y + s.dy);
    return r;
}

// Sets the far pin cell to pegel (its wire's level along the wire's axis too) and sends the
// level on along its wire.
void Cross(const ICPinRoute& r, int pegel) {
    if (!r.valid || r.level >= gLevels.size())
        return;
    Grid& feld = gLevels[r.level].Feld;
    if (r.cell >= static_cast<std::size_t>(feld.Columns()) * static_cast<std::size_t>(feld.Rows()))
        return;
    CellRecord& c = feld.Cells()[r.cell];
    const std::int16_t value = TruthValue(pegel != 0);
    if (r.richtung == kLeft || r.richtung == kRight)
        c.PegelH = value;
    else if (r.richtung == kUp || r.richtung == kDown)
        c.PegelV = value;
    c.Pegel = value;
    // Without a wire there is no direction: the event is queued but never processed.
    AddEvent(r.nextX, r.nextY, r.richtung, pegel, r.level);
}

// The route of pin p of instance n from the table made at power-on; worked out afresh while
// there is none (the circuit is off) or it does not know the pin.
ICPinRoute RouteOf(int n, int p, bool into) {
    if (n >= 1 && p >= 1 && static_cast<std::size_t>(n) < gICPinRoutes.size()) {
        const std::vector<ICPinRoute>& routes =
            into ? gICPinRoutes[static_cast<std::size_t>(n)].into
                 : gICPinRoutes[static_cast<std::size_t>(n)].outOf;
        if (static_cast<std::size_t>(p) < routes.size())
            return routes[static_cast<std::size_t>(p)];
    }
    return into ? ResolveICPinInto(n, p) : ResolveICPinOutOf(n, p);
}

} // namespace

ICPinRoute ResolveICPinInto(int n, int p) {
    if (!IsInstance(n))
        return {};
    const ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(n)];
    if (p < 1 || static_cast<std::size_t>(p) >= ic.PinCells.size())
        return {};
    return RouteTo(n, ic.PinCells[static_cast<std::size_t>(p)]);
}

ICPinRoute ResolveICPinOutOf(int n, int p) {
    if (!IsInstance(n))
        return {};
    const ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(n)];
    const int parent = ic.Tiefe == 0 ? 0 : ic.Parent;
    if (p < 1 || static_cast<std::size_t>(p) >= ic.PinListIndex.size() ||
        static_cast<std::size_t>(parent) >= gLevels.size())
        return {};
    const int index = ic.PinListIndex[static_cast<std::size_t>(p)];
    const std::vector<ElementRecord>& elements = gLevels[static_cast<std::size_t>(parent)].Elemente;
    if (index < 0 || ic.ElementNr < 1 || static_cast<std::size_t>(ic.ElementNr) >= elements.size())
        return {};
    const auto points = elements[static_cast<std::size_t>(ic.ElementNr)].Eingaenge.Points();
    if (static_cast<std::size_t>(index) >= points.size())
        return {};
    return RouteTo(parent, points[static_cast<std::size_t>(index)]);
}

void ResolveICPinRoutes() {
    gICPinRoutes.assign(gICInstances.size(), ICInstanceRoutes{});
    for (std::size_t n = 1; n < gICInstances.size(); ++n) {
        if (!IsInstance(static_cast<int>(n)))
            continue;
        const ICInstanceRecord& ic = gICInstances[n];
        ICInstanceRoutes& routes = gICPinRoutes[n];
        routes.into.resize(ic.PinCells.size());
        for (std::size_t p = 1; p < routes.into.size(); ++p)
            routes.into[p] = ResolveICPinInto(static_cast<int>(n), static_cast<int>(p));
        routes.outOf.resize(ic.PinListIndex.size());
        for (std::size_t p = 1; p < routes.outOf.size(); ++p)
            routes.outOf[p] = ResolveICPinOutOf(static_cast<int>(n), static_cast<int>(p));
    }
}

void ForgetICPinRoutes() { gICPinRoutes = {}; }

void ICSignalAt(const CellRecord& cell, int pegel, int ebene, int mode) {
    if (mode == kICSignalInto)
        Cross(RouteOf(cell.ICLevel, cell.ICPin, true), pegel);
    else if (mode == kICSignalOutOf)
        Cross(RouteOf(ebene, cell.ICPin, false), pegel);
}

void ICSignal(int x, int y, int pegel, int ebene, int mode) {
    if (ebene < 0 || static_cast<std::size_t>(ebene) >= gLevels.size())
        return;
    const Grid& here = gLevels[static_cast<std::size_t>(ebene)].Feld;
    if (here.Contains(x, y))
        ICSignalAt(here(x, y), pegel, ebene, mode);
}

} // namespace kardo
