// The JK master-slave flip-flop while the circuit is on: its evaluator and the powered click
// on it, with the pins of every flip-flop looked up once per power-on.
#pragma once

#include "model/elements.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kardo {

// The cells of one flip-flop's pins on its level's grid, looked up once: the evaluator runs on
// every clock edge and would otherwise search the element list and the pin lists each time.
struct FlipFlopPins {
    enum class Kind : std::uint8_t {
        Unresolved, // not looked up yet
        Resolved,   // five inputs and two outputs, all on the level's grid
        Irregular,  // anything else: evaluated through the pin lists themselves
    };
    Kind kind = Kind::Unresolved;
    int columns = 0;                    // columns of the level's grid when looked up
    std::array<std::uint32_t, 5> in{};  // cell indices of J, clock, K, set and reset
    std::array<std::uint32_t, 2> out{}; // cell indices of Q and inverted Q
    std::array<GridPoint, 2> beyond{};  // the cells one step beyond Q and inverted Q
    GridPoint clock{};                  // the clock input, the symbol's anchor
};

extern std::vector<std::vector<FlipFlopPins>>
    gFlipFlopPins; // per simulation level and element number: the flip-flops' pins; filled by
                   // ResolveFlipFlopPins at power-on, emptied by ForgetFlipFlopPins

// Looks up the pins of every flip-flop on every level (power-on).
void ResolveFlipFlopPins();
// Forgets them (start-up, power-off): the levels may change before the next power-on.
void ForgetFlipFlopPins();

// An event reached a cell of a flip-flop. At an input pin the arriving level (inverted by a
// negation point) is stored; set and reset act at once; a rising clock edge latches J and K
// into the master (an unwired J or K counts high); the falling edge moves the master to the
// outputs: set, reset, toggle or hold.
void EvalFlipFlop(int x, int y, int richtung, int pegel, int ebene);

// A click on flip-flop n of the circuit while powered: only the cell just behind Q counts; it
// flips the stored state, drives both outputs and runs the passes.
void ClickFlipFlop(std::int16_t n);

} // namespace kardo
