// Clicks on stateful elements while the circuit is switched on.
#pragma once

#include <cstdint>

namespace kardo {

// A click on flip-flop n: changes its stored state and runs the simulation.
void ClickFlipFlop(std::int16_t n);
// A click on a stage of shift register n: changes that stage and runs the simulation.
void ClickShiftRegister(std::int16_t n);

} // namespace kardo
