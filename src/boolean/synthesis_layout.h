// The layout of a synthesised circuit: where the switches, buses, gates, wires, points and the
// LED of a checked term go. Pure geometry; the synthesis object places the plan on the sheet.
//
// Each variable, alphabetically, gets a switch on top of a vertical bus with its name above.
// Every group is one AND or OR gate facing right; gates stand in columns by their depth (a gate
// whose operands are all variables in the first column) and in rows of their own, one below
// the other in group order, so that no row holds two gates. A variable operand is fed along its
// input pin's row from its bus; a group operand by a wire from the operand gate's output to a
// column of its own in the gap before the gate, then along the pin's row. Wires meet only at
// their ends or cross straight, so crossings stay unjoined.
#pragma once

#include "boolean/term.h"

#include <cstdint>
#include <vector>

namespace kardo {

// The spacings the synthesis is given, in cells.
struct SynthesisSpacing {
    int AbstandBreite = 4;     // from a gate column's output to the next gate column's inputs
    int AbstandHoehe = 4;      // from a gate's last row to the first row of the next gate
    int AbstandSchaltungX = 3; // from the last bus to the first gate column
    int AbstandSchaltungY = 3; // from the row of the switches to the first gate row
    int AbstandVariablen = 2;  // between neighbouring buses
    int StartX = 3;            // column of the first bus
    int StartY = 3;            // row of the switches
};

struct PlanCell {
    int x = 0;
    int y = 0;
    bool operator==(const PlanCell&) const = default;
};

// A wire from `from` to `to`: a straight run, or an L whose first leg runs horizontally
// (horizontalFirst) or vertically to the corner and whose second leg runs on to `to`.
struct PlanWire {
    PlanCell from;
    PlanCell to;
    bool horizontalFirst = true;
    bool operator==(const PlanWire&) const = default;
};

// A variable: the switch at (column, switch row) on top of a bus down to lastRow, its name on
// the row above the switch.
struct PlanVariable {
    char letter = 'A';
    int column = 0;
    int lastRow = 0;
};

// A gate facing right: input pins in column x, output pin in column x + 2.
struct PlanGate {
    std::uint8_t typ = 0;                            // AND or OR type code
    int x = 0;                                       // input column
    int top = 0;                                     // first row of the footprint
    int inputs = 0;                                  // 2..15
    std::vector<int> pinRows;                        // row of each input pin, in operand order
    int outRow = 0;                                  // row of the output pin
    int level = 0;                                   // gate column, 0 the first
    PlanCell Cursor() const { return {x, top + 1}; } // the cell the gate placing is given
    PlanCell Output() const { return {x + 2, outRow}; }
};

struct SynthesisPlan {
    int switchRow = 0;
    std::vector<PlanVariable> variables; // alphabetical
    std::vector<PlanGate> gates;         // one per group, in group order
    bool hasInverter = false;            // the term is a lone negated variable
    PlanCell inverter;                   // its input cell; its output is one cell to the right
    std::vector<PlanWire> wires;         // buses first, then the feeds, then the output wire
    std::vector<PlanCell> connections;   // where a wire leaves a bus
    std::vector<PlanCell> negations;     // negated input and output pins of the gates
    PlanCell led;                        // the LED at the end of the output wire
    int width = 0;                       // the sheet the circuit needs, in cells
    int height = 0;
};

SynthesisPlan PlanSynthesis(const TermTree& tree, const SynthesisSpacing& spacing);

} // namespace kardo
