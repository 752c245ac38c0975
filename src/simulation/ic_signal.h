// Crossing an IC package: a level that reaches a pin cell of an IC element enters the IC's own
// level at the matching inner pin cell (mode 1); a level that reaches an inner pin cell on an IC
// level leaves on the parent level beyond the IC element's pin cell (mode 2). One level is
// crossed per pass and package. The pin cells come from the instance record, parsed when the IC
// was loaded, so a crossing reads no text and allocates nothing.
#pragma once

namespace kardo {

constexpr int kICSignalInto = 1;  // mode 1: into the instance named by the cell
constexpr int kICSignalOutOf = 2; // mode 2: out of instance ebene to its parent level

// The crossing for the event (x, y, pegel) on level ebene in the given mode; other modes, and
// cells or instances that name nothing, do nothing. The travel direction is not used.
void ICSignal(int x, int y, int pegel, int ebene, int mode);

} // namespace kardo
