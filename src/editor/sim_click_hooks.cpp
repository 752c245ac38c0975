// Powered clicks on flip-flops and shift registers. Their evaluation is not built yet, so a
// click on them changes nothing.
#include "editor/sim_click_hooks.h"

namespace kardo {

void ClickFlipFlop(std::int16_t) {}
void ClickShiftRegister(std::int16_t) {}

} // namespace kardo
