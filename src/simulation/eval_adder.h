// The half and full adder and the number display while the circuit is on.
#pragma once

namespace kardo {

// Half adder: with both operand inputs wired, drives sum and carry of their levels.
void EvalHA(int x, int y, int richtung, int pegel, int ebene);
// Full adder: with three wired inputs adds all three; with two it adds the input the event
// reached and the other wired one; with fewer it does nothing.
void EvalVA(int x, int y, int richtung, int pegel, int ebene);
// Number display: redraws itself to show the value of its inputs (circuit level only).
void UpdateDisplay(int x, int y, int richtung, int pegel, int ebene);

} // namespace kardo
