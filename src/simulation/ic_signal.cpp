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

// Calls f(parent, pin, cell) for each entry of the pin list of instance n's IC element on its
// parent level, in list order, whose cell there carries instance n and a pin number. The pin
// cells are those the circuit placed, which need not match the instance's current definition:
// a pin may have lost its place on the package or gained one since, so a pin's entry in the
// list is found by the number its cell carries, not by counting the definition's placed pins.
template <class F> void ForEachPlacedPin(int n, F f) {
    if (!IsInstance(n))
        return;
    const ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(n)];
    const int parent = ic.Tiefe == 0 ? 0 : ic.Parent;
    if (static_cast<std::size_t>(parent) >= gLevels.size())
        return;
    const SimLevelRecord& level = gLevels[static_cast<std::size_t>(parent)];
    if (ic.ElementNr < 1 || static_cast<std::size_t>(ic.ElementNr) >= level.Elemente.size())
        return;
    for (const GridPoint cell :
         level.Elemente[static_cast<std::size_t>(ic.ElementNr)].Eingaenge.Points()) {
        if (!level.Feld.Contains(cell.x, cell.y))
            continue;
        const CellRecord& c = level.Feld(cell.x, cell.y);
        if (c.ICLevel == n && c.ICPin != 0)
            f(parent, static_cast<int>(c.ICPin), cell);
    }
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
    ICPinRoute route;
    ForEachPlacedPin(n, [&](int parent, int pin, GridPoint cell) {
        if (pin == p && !route.valid)
            route = RouteTo(parent, cell);
    });
    return route;
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
        // One walk over the element's pin list gives every pin its cell, as ResolveICPinOutOf
        // does for one.
        routes.outOf.resize(ic.PinCells.size());
        ForEachPlacedPin(static_cast<int>(n), [&](int parent, int pin, GridPoint cell) {
            const auto k = static_cast<std::size_t>(pin);
            if (k < routes.outOf.size() && !routes.outOf[k].valid)
                routes.outOf[k] = RouteTo(parent, cell);
        });
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
