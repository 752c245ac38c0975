// The JK master-slave flip-flop while the circuit is on: its evaluator and the powered click
// on it, with the pins of every flip-flop looked up once per power-on.
#pragma once

#include "model/elements.h"
#include "model/grid.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kardo {

// The cells of one flip-flop's pins on its level's grid, looked up once: the evaluator runs on
// every clock edge and would otherwise search the element list and the pin lists each time.
struct FlipFlopPins {
    // Resolved: five inputs and two outputs, all on the level's grid. Irregular: anything else
    // (or no flip-flop at all), evaluated through the pin lists themselves.
    bool resolved = false;
    std::array<std::uint32_t, 5> in{};  // cell indices of J, clock, K, set and reset
    std::array<std::uint32_t, 2> out{}; // cell indices of Q and inverted Q
    std::array<GridPoint, 2> beyond{};  // the cells one step beyond Q and inverted Q
    GridPoint clock{};                  // the clock input, the symbol's anchor
};

// The flip-flops of one simulation level, with the level's lists they were looked up in: when
// the level's element list or grid is no longer the one looked up, the table is made again.
struct LevelFlipFlops {
    const ElementRecord* elements = nullptr;    // the level's element list
    const ElementRecord* elementsEnd = nullptr; // its end
    std::size_t count = 0;                      // its length (entry 0 included)
    const CellRecord* cells = nullptr;          // the level's grid
    int columns = 0;                            // its columns
    std::vector<FlipFlopPins> pins;             // by element number
};

extern std::vector<LevelFlipFlops>
    gFlipFlopPins; // per simulation level: its flip-flops' pins; made by ResolveFlipFlopPins at
                   // power-on (or at a level's first evaluation), emptied by ForgetFlipFlopPins

// The flip-flops of simulation level ebene (which must exist), looked up again when the level
// is not the one they were looked up in. The table of every level exists afterwards, so that
// looking up another level's flip-flops never moves this one.
const LevelFlipFlops& FlipFlopsOf(std::size_t ebene);

// EvalFlipFlop for the event of word `event` (event_word::Make) on cell `index` of level ebene,
// whose flip-flops are `table` (FlipFlopsOf), its grid `cells` and its elements `elements`: the
// pass loop's entry for the circuit's level, looked up once per pass.
void EvalFlipFlopAt(const LevelFlipFlops& table, CellRecord* cells, ElementRecord* elements,
                    std::size_t index, std::uint64_t event, int ebene);

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
