// The clock edge made inside a pass: the clock timers only raise a clock's edge flag, and the
// pass loop calls ClockTick for every raised flag at the top of its next pass.
#pragma once

namespace kardo {

// One edge of clock i on the circuit level: the next rising or falling edge of its output
// (held low while its stop input is high), the timer interval for the following phase, and the
// end of a burst.
void ClockTick(int i);

} // namespace kardo
