// Crossing an IC package: a level that reaches a pin cell of an IC element enters the IC's own
// level at the matching inner pin cell (mode 1); a level that reaches an inner pin cell on an IC
// level leaves on the parent level beyond the IC element's pin cell (mode 2). One level is
// crossed per pass and package.
//
// Where a level lands is worked out per pin (ResolveICPinInto, ResolveICPinOutOf): inward from
// the instance record, parsed when the IC was loaded; outward at the cell of the IC element that
// carries the pin's number, as the circuit placed it. While the circuit is on, the routes of
// every pin of every instance are looked up once at power-on, so that a crossing reads no text,
// searches no list and allocates nothing: it stores the pin cell's levels and queues one event.
#pragma once

#include <cstdint>
#include <vector>

namespace kardo {

struct CellRecord;

constexpr int kICSignalInto = 1;  // mode 1: into the instance named by the cell
constexpr int kICSignalOutOf = 2; // mode 2: out of instance ebene to its parent level

// Where a level crossing one pin lands: the pin cell on the far side of the package, whose
// levels it sets, and the cell beyond it along the pin cell's wire, where it is queued.
struct ICPinRoute {
    bool valid = false;        // the pin names a cell of the far level; else nothing crosses
    std::uint8_t level = 0;    // simulation level of the far pin cell
    std::uint8_t richtung = 0; // direction of its wire: the first of left, right, up, down; 0 none
    std::uint32_t cell = 0;    // index of the far pin cell in that level's grid
    std::int16_t nextX = 0;    // the cell beyond it along the wire (the pin cell itself without
    std::int16_t nextY = 0;    // a wire: the event queued there has no direction and is skipped)
};

// The routes of one instance's pins, 1-based by pin number (entry 0 unused).
struct ICInstanceRoutes {
    std::vector<ICPinRoute> into;  // into the instance: to its inner pin cells
    std::vector<ICPinRoute> outOf; // out of it: to the IC element's pin cells on the parent level
};

extern std::vector<ICInstanceRoutes>
    gICPinRoutes; // per instance (entry 0 unused): its pin routes; made at power-on by
                  // ResolveICPinRoutes, emptied by ForgetICPinRoutes (power-off, ResetSimCore)

// The route of pin p of instance n into it, and out of it; invalid when the instance, the pin or
// its cells do not exist. Out of it, the level leaves at the pin cell of the IC element on the
// parent level that carries pin number p; a pin the placed package has no cell for crosses
// nowhere.
ICPinRoute ResolveICPinInto(int n, int p);
ICPinRoute ResolveICPinOutOf(int n, int p);

// Looks up the routes of every pin of every instance (power-on, after the levels are copied).
void ResolveICPinRoutes();
// Forgets them: the instances and levels may change before the next power-on.
void ForgetICPinRoutes();

// The crossing for the event (x, y, pegel) on level ebene in the given mode; other modes, and
// cells or instances that name nothing, do nothing. The travel direction is not used.
void ICSignal(int x, int y, int pegel, int ebene, int mode);
// The same for the event's cell already looked up on level ebene: the dispatcher's entry.
void ICSignalAt(const CellRecord& cell, int pegel, int ebene, int mode);

} // namespace kardo
