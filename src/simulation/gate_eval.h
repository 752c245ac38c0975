// Evaluators of the simple elements: AND, OR and XOR gates, the inverter, the switch and the
// light-emitting diode. Each takes the event that reached one of its cells.
#pragma once

namespace kardo {

// Gates: compute the output from the levels in the input pin cells (each negated by a negation
// point), negate it at a negated output, store it in the output pin cell and queue it one cell
// beyond the output in the gate's orientation. An event at the output pin is not evaluated.
// The AND also holds back the next event beyond a negated output by one pass.
void EvalUnd(int x, int y, int richtung, int pegel, int ebene);
void EvalOder(int x, int y, int richtung, int pegel, int ebene);
void EvalXOder(int x, int y, int richtung, int pegel, int ebene);

// Inverter: an event at its input cell sets the output cell to the inverted level and queues it
// beyond the output in the inverter's orientation. Events reaching the output cell, or any cell
// other than the input, change nothing.
void EvalInverter(int x, int y, int richtung, int pegel, int ebene);

// Switch: redraws its symbol (circuit level only) and routes the level on like a wire.
void EvalSwitch(int x, int y, int richtung, int pegel, int ebene);
// LED: paints itself lit in its colour or grey (circuit level only) and routes the level on.
void EvalDiode(int x, int y, int richtung, int pegel, int ebene);

} // namespace kardo
