// The layout of a synthesised circuit. Rows: every gate has rows of its own, so a feed along a
// pin row meets no other gate. Columns: the gap before each gate column has one column per
// group operand that the gates of that column receive, so no two vertical feed runs share a
// column; vertical runs therefore only cross horizontal ones straight.
#include "boolean/synthesis_layout.h"

#include "model/codes.h"

#include <algorithm>

namespace kardo {

namespace {

// Output wire from the last element to the LED, in cells.
constexpr int kOutputWire = 2;

int GateRows(int inputs) { return std::max(inputs, 3); }

// Input pin rows of a gate facing right: a two-input gate has its pins on the outer rows of
// three, every other gate one pin per row.
std::vector<int> PinRows(int top, int inputs) {
    std::vector<int> rows;
    if (inputs == 2)
        return {top, top + 2};
    for (int k = 0; k < inputs; ++k)
        rows.push_back(top + k);
    return rows;
}

} // namespace

SynthesisPlan PlanSynthesis(const TermTree& tree, const SynthesisSpacing& s) {
    SynthesisPlan plan;
    plan.switchRow = s.StartY;
    const int firstRow = s.StartY + s.AbstandSchaltungY;
    for (std::size_t i = 0; i < tree.variables.size(); ++i)
        plan.variables.push_back(
            {tree.variables[i], s.StartX + static_cast<int>(i) * s.AbstandVariablen, 0});
    const int lastBus = plan.variables.empty() ? s.StartX : plan.variables.back().column;

    // Gate columns by depth, and the rows of each gate in group order.
    const std::size_t count = tree.groups.size();
    plan.gates.resize(count);
    int maxLevel = 0;
    int row = firstRow;
    for (std::size_t g = 0; g < count; ++g) {
        const TermGroup& group = tree.groups[g];
        PlanGate& gate = plan.gates[g];
        gate.typ = group.kind == GroupKind::And ? kTypeAnd : kTypeOr;
        gate.inputs = static_cast<int>(group.operands.size());
        gate.top = row;
        gate.pinRows = PinRows(row, gate.inputs);
        gate.outRow = row + GateRows(gate.inputs) / 2;
        for (const TermOperand& op : group.operands)
            if (op.isGroup)
                gate.level =
                    std::max(gate.level, plan.gates[static_cast<std::size_t>(op.index)].level + 1);
        maxLevel = std::max(maxLevel, gate.level);
        row += GateRows(gate.inputs) - 1 + s.AbstandHoehe;
    }

    // Feed columns: in the gap before column L, one per group operand of the gates of column L,
    // the last pins of a gate nearest the gap's start so that feeds of one gate do not cross.
    std::vector<int> feeds(static_cast<std::size_t>(maxLevel) + 1, 0);
    std::vector<std::vector<int>> feedIndex(count); // per gate and operand; -1 for variables
    for (std::size_t g = 0; g < count; ++g) {
        const TermGroup& group = tree.groups[g];
        feedIndex[g].assign(group.operands.size(), -1);
        int& next = feeds[static_cast<std::size_t>(plan.gates[g].level)];
        for (std::size_t k = group.operands.size(); k-- > 0;)
            if (group.operands[k].isGroup)
                feedIndex[g][k] = next++;
    }
    std::vector<int> columnX(static_cast<std::size_t>(maxLevel) + 1);
    columnX[0] = lastBus + s.AbstandSchaltungX;
    for (int level = 1; level <= maxLevel; ++level) {
        const int gap = std::max(s.AbstandBreite, feeds[static_cast<std::size_t>(level)] + 2);
        columnX[static_cast<std::size_t>(level)] =
            columnX[static_cast<std::size_t>(level) - 1] + 2 + gap;
    }
    for (PlanGate& gate : plan.gates)
        gate.x = columnX[static_cast<std::size_t>(gate.level)];

    // Buses first: the switches sit on their top ends. Their last rows come from the feeds.
    std::vector<PlanWire> feedsWires;
    auto feedVariable = [&](const TermOperand& op, PlanCell pin) {
        PlanVariable& v = plan.variables[static_cast<std::size_t>(op.index)];
        v.lastRow = std::max(v.lastRow, pin.y);
        feedsWires.push_back({{v.column, pin.y}, pin, true});
    };
    for (std::size_t g = 0; g < count; ++g) {
        const TermGroup& group = tree.groups[g];
        const PlanGate& gate = plan.gates[g];
        for (std::size_t k = 0; k < group.operands.size(); ++k) {
            const TermOperand& op = group.operands[k];
            const PlanCell pin{gate.x, gate.pinRows[k]};
            if (!op.isGroup) {
                feedVariable(op, pin);
                if (op.negated)
                    plan.negations.push_back(pin);
                continue;
            }
            const PlanGate& from = plan.gates[static_cast<std::size_t>(op.index)];
            const int feedX =
                columnX[static_cast<std::size_t>(gate.level) - 1] + 3 + feedIndex[g][k];
            feedsWires.push_back({from.Output(), {feedX, pin.y}, true});
            feedsWires.push_back({{feedX, pin.y}, pin, true});
            if (op.negated)
                plan.negations.push_back(from.Output());
        }
    }

    // The output: the root gate's output or an inverter, on to the LED; a lone variable's bus
    // feeds the LED directly, which then stands where a gate would.
    const int maxRow = std::max(firstRow, row - s.AbstandHoehe);
    const PlanCell start{columnX[0], firstRow};
    if (tree.root.isGroup || tree.root.negated) {
        PlanCell out;
        if (tree.root.isGroup) {
            out = plan.gates[static_cast<std::size_t>(tree.root.index)].Output();
            if (tree.root.negated)
                plan.negations.push_back(out);
        } else {
            plan.hasInverter = true;
            plan.inverter = start;
            feedVariable(tree.root, start);
            out = {start.x + 1, start.y};
        }
        plan.led = {out.x + kOutputWire, out.y};
        feedsWires.push_back({out, plan.led, true});
    } else {
        feedVariable(tree.root, start);
        plan.led = start;
    }

    for (const PlanVariable& v : plan.variables)
        plan.wires.push_back({{v.column, s.StartY}, {v.column, v.lastRow}, false});
    plan.wires.insert(plan.wires.end(), feedsWires.begin(), feedsWires.end());
    // A feed leaves its bus through a T junction, except at the bus's last row, where the bus
    // turns into the feed.
    for (const PlanWire& w : feedsWires)
        for (const PlanVariable& v : plan.variables)
            if (w.from.x == v.column && w.from.y != v.lastRow)
                plan.connections.push_back(w.from);

    plan.width = plan.led.x + 2;
    plan.height = maxRow + 2;
    return plan;
}

} // namespace kardo
