// The JK master-slave flip-flop while the circuit is on: its evaluator and the powered click
// on it.
#pragma once

#include <cstdint>

namespace kardo {

// An event reached a cell of a flip-flop. At an input pin the arriving level (inverted by a
// negation point) is stored; set and reset act at once; a rising clock edge latches J and K
// into the master (an unwired J or K counts high); the falling edge moves the master to the
// outputs: set, reset, toggle or hold.
void EvalFlipFlop(int x, int y, int richtung, int pegel, int ebene);

// A click on flip-flop n of the circuit while powered: only the cell just behind Q counts; it
// flips the stored state, drives both outputs and runs the passes.
void ClickFlipFlop(std::int16_t n);

} // namespace kardo
