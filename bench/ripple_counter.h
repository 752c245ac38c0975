// The 16-bit ripple counter of the counter benchmarks: JK flip-flops with J and K open, Q of
// each wired to the clock input of the next, clocked from a switch.
#pragma once

#include "model/elements.h"

#include <array>
#include <cstdint>

namespace kardo::bench {

inline constexpr int kCounterBits = 16;
// Worksheet the counter needs, in cells.
inline constexpr int kCounterSheetW = 130;
inline constexpr int kCounterSheetH = 30;

struct RippleCounter {
    GridPoint sw;                          // the switch that clocks the first flip-flop
    std::array<GridPoint, kCounterBits> q; // output Q of each flip-flop, lowest bit first
};

// Builds the counter on the current worksheet (at least kCounterSheetW x kCounterSheetH).
// Throws when a part could not be placed.
RippleCounter BuildRippleCounter();

// The count the circuit shows: the live levels of the Q pins on the circuit's level.
std::uint32_t CounterReading(const RippleCounter& counter);

} // namespace kardo::bench
