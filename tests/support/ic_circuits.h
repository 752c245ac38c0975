// Circuits with user-defined ICs for tests and benchmarks: counters and 4-bit ripple adders
// built flat, as one IC and nested two deep, from IC definitions written into a folder.
#pragma once

#include "model/elements.h"

#include <string>
#include <vector>

namespace kardo::test {

// Empties the worksheet to width x height cells with no elements and no ICs.
void FreshSheet(int width, int height);

// A circuit under test: the switches that drive it and the level-0 cells that show its result.
struct ICCircuit {
    std::vector<GridPoint> inputs;  // switch cells
    std::vector<GridPoint> outputs; // cells whose live level is one result bit, lowest first
};

// The live value of the outputs, bit i from outputs[i].
unsigned ReadOutputs(const ICCircuit& c);

// 16-bit ripple counters of JK flip-flops clocked from one switch (inputs[0]):
// flat (sixteen flip-flops on the sheet), as one IC "Z16" holding sixteen flip-flops, and as
// eight ICs "Z2" ("2-bit counter") each holding two ICs "Z1" ("1-bit counter"). The IC
// variants write their definitions into folder (ending in "/") first; gVerzeichnisse[1] must
// name it.
ICCircuit BuildFlatCounter16();
ICCircuit BuildOneICCounter16(const std::string& folder);
ICCircuit BuildNestedCounter16(const std::string& folder);
// Writes Z1 and Z2 into folder (the sheet is left empty).
void WriteCounterICs(const std::string& folder);

// Writes "inv" (one inverter: pins E, A on a 2 x 2 package) and "inv2" (two inv in a row, the
// same package) into folder; the sheet is left empty.
void WriteInverterICs(const std::string& folder);

// Writes inv and inv2 (as WriteInverterICs does) and count ICs prefix + "1" .. prefix + count into
// folder: each is inv2 holding two of the next in place of its two inv, the last holding two inv.
void WriteICChain(const std::string& folder, const std::string& prefix, int count);

// 4-bit ripple adders of full adders: inputs a0..a3, b0..b3; outputs s0..s3 and the carry.
// Flat, as one IC "ADD4", and as "ADD4N" holding four ICs "FA" (one full adder each).
ICCircuit BuildFlatAdder4();
ICCircuit BuildOneICAdder4(const std::string& folder);
ICCircuit BuildNestedAdder4(const std::string& folder);

} // namespace kardo::test
