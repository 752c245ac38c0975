// Package size of the IC chosen for placement, as read last from an IC definition file. The IC
// placement outline is sized from it and the IC placing takes its top row from it.
#pragma once

#include <cstdint>

namespace kardo {

extern std::int16_t gICBreite; // package width W in cells; 0 until read; reset by ResetICSize
extern std::int16_t gICHoehe;  // package height H in cells; 0 until read; reset by ResetICSize

// Start-up state: no size read.
void ResetICSize();

} // namespace kardo
