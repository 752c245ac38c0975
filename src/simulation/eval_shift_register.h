// The double four-stage shift register while the circuit is on: its evaluator and the powered
// click on one of its stages.
#pragma once

#include <cstdint>

namespace kardo {

// An event reached a cell of a shift register. A rising clock edge latches both serial inputs;
// the falling edge shifts both registers by one stage and drives both outputs.
void EvalShiftRegister(int x, int y, int richtung, int pegel, int ebene);

// A click on shift register n of the circuit while powered: the stage under the cursor flips; a
// flipped last stage drives its output at once and runs the passes.
void ClickShiftRegister(std::int16_t n);

} // namespace kardo
