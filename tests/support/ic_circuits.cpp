// IC test circuits: counters and adders, flat and from IC definitions.
#include "support/ic_circuits.h"

#include "files/working_folders.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/sim_levels.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/ic_files.h"
#include "support/sim_blocks.h"

#include <stdexcept>
#include <utility>

namespace kardo::test {

namespace {

GridPoint P(int x, int y) {
    return GridPoint{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
}

void Need(bool ok, const char* what) {
    if (!ok)
        throw std::logic_error(what);
}

std::int16_t NeedIC(const std::string& name, int x, int y) {
    const std::int16_t n = PlaceIC(name, x, y);
    Need(n != 0, "IC refused");
    return n;
}

// ---- counters ----

// Sixteen flip-flops in a falling stair from (x0, y0): Q of each drives the clock input of the
// next, a row higher. Returns the element numbers.
std::vector<std::int16_t> Stair16(int x0, int y0) {
    std::vector<std::int16_t> ff(16);
    for (int i = 0; i < 16; ++i) {
        ff[static_cast<std::size_t>(i)] = PlaceBlockKind(kTypeFlipFlop, x0 + 7 * i, y0 - i, kRight);
        Need(ff[static_cast<std::size_t>(i)] != 0, "flip-flop");
        if (i > 0) {
            const GridPoint q = OutPin(ff[static_cast<std::size_t>(i) - 1], 0);
            const GridPoint c = InPin(ff[static_cast<std::size_t>(i)], 1);
            LayWire(q.x, q.y, c.x, c.y);
        }
    }
    return ff;
}

} // namespace

void FreshSheet(int width, int height) {
    CreateWorksheet(static_cast<std::int16_t>(width), static_cast<std::int16_t>(height));
    gElements.assign(1, ElementRecord{});
    gAnzElemente = 0;
    ResetICInstances();
    ResetSimLevels();
}

unsigned ReadOutputs(const ICCircuit& c) {
    unsigned v = 0;
    for (std::size_t i = 0; i < c.outputs.size(); ++i)
        v |= static_cast<unsigned>(LiveAt(c.outputs[i])) << i;
    return v;
}

ICCircuit BuildFlatCounter16() {
    FreshSheet(130, 30);
    const std::vector<std::int16_t> ff = Stair16(5, 20);
    ICCircuit c;
    c.inputs.push_back(SwitchInto(InPin(ff[0], 1), kLeft, 3));
    for (std::int16_t f : ff)
        c.outputs.push_back(OutPin(f, 0));
    return c;
}

ICCircuit BuildOneICCounter16(const std::string& folder) {
    // Z16: the stair, its clock input T on the left, each Q led up to the top row.
    FreshSheet(120, 23);
    const std::vector<std::int16_t> ff = Stair16(5, 20);
    std::vector<ICPinSpec> pins;
    const GridPoint c0 = InPin(ff[0], 1);
    LayWire(1, c0.y, c0.x, c0.y);
    pins.push_back({"T", 1, c0.y, 0, 1});
    for (int i = 0; i < 16; ++i) {
        const GridPoint q = OutPin(ff[static_cast<std::size_t>(i)], 0);
        if (i == 15)
            LayWire(q.x, q.y, q.x + 1, q.y);
        LayWire(q.x + 1, q.y, q.x + 1, 1);
        if (i < 15)
            Need(SetPoint(q.x + 1, q.y), "junction");
        pins.push_back({"Q" + std::to_string(i), q.x + 1, 1, i + 1, 0});
    }
    WriteICDefinition(folder, "Z16", pins, 17, 2);

    FreshSheet(40, 16);
    NeedIC("Z16", 6, 6);
    ICCircuit c;
    c.inputs.push_back(SwitchInto(P(6, 7), kLeft, 3));
    for (int i = 0; i < 16; ++i) {
        LayWire(7 + i, 6, 7 + i, 3);
        c.outputs.push_back(P(7 + i, 4));
    }
    return c;
}

void WriteCounterICs(const std::string& folder) {
    // Z1: one flip-flop, T into its clock input, Q out.
    FreshSheet(12, 6);
    const std::int16_t ff = PlaceBlockKind(kTypeFlipFlop, 4, 3, kRight);
    Need(ff != 0, "flip-flop");
    LayWire(1, 3, 4, 3);
    LayWire(9, 2, 11, 2);
    WriteICDefinition(folder, "Z1", {{"T", 1, 3, 0, 1}, {"Q", 11, 2, 3, 1}}, 3, 2, "1-Bit-Zähler");

    // Z2: two Z1 in a row; Q of the first drives the second and leaves as Q0.
    FreshSheet(20, 12);
    NeedIC("Z1", 4, 3);
    NeedIC("Z1", 12, 3);
    LayWire(1, 4, 4, 4);
    LayWire(7, 4, 12, 4);
    LayWire(9, 4, 9, 8);
    Need(SetPoint(9, 4), "junction");
    LayWire(9, 8, 18, 8);
    LayWire(15, 4, 18, 4);
    WriteICDefinition(folder, "Z2", {{"T", 1, 4, 0, 1}, {"Q0", 18, 8, 3, 3}, {"Q1", 18, 4, 3, 1}},
                      3, 4, "2-Bit-Zähler");
    FreshSheet(20, 12);
}

void WriteInverterICs(const std::string& folder) {
    FreshSheet(7, 4);
    Need(PlaceInverter(3, 2, kRight) != 0, "inverter");
    LayWire(1, 2, 3, 2);
    LayWire(4, 2, 6, 2);
    WriteICDefinition(folder, "inv", {{"E", 1, 2, 0, 1}, {"A", 6, 2, 2, 1}}, 2, 2, "Ein Inverter");
    FreshSheet(12, 6);
    NeedIC("inv", 2, 1);
    NeedIC("inv", 7, 1);
    LayWire(1, 2, 2, 2);
    LayWire(4, 2, 7, 2);
    LayWire(9, 2, 11, 2);
    WriteICDefinition(folder, "inv2", {{"E", 1, 2, 0, 1}, {"A", 11, 2, 2, 1}}, 2, 2);
    FreshSheet(12, 6);
}

void WriteICChain(const std::string& folder, const std::string& prefix, int count) {
    // inv2 is placed from the folder it is written into.
    const std::string icFolder = std::exchange(gVerzeichnisse[1], folder);
    WriteInverterICs(folder);
    gVerzeichnisse[1] = icFolder;
    const std::string holder = ReadBytes(folder + "inv2.icd");
    for (int k = 1; k <= count; ++k) {
        const std::string inner = k < count ? prefix + std::to_string(k + 1) : "inv";
        std::string text = holder;
        for (std::size_t at = text.find("\ninv;"); at != std::string::npos;
             at = text.find("\ninv;", at + inner.size()))
            text.replace(at, 5, "\n" + inner + ";");
        WriteBytes(folder + prefix + std::to_string(k) + ".icd", text);
    }
}

ICCircuit BuildNestedCounter16(const std::string& folder) {
    WriteCounterICs(folder);
    FreshSheet(75, 20);
    ICCircuit c;
    std::vector<GridPoint> q0(8), q1(8);
    for (int i = 0; i < 8; ++i) {
        const int x = 6 + 8 * i;
        NeedIC("Z2", x, 8);
        if (i > 0)
            LayWire(x - 5, 9, x, 9);
        LayWire(x + 3, 11, x + 5, 11);
        q0[static_cast<std::size_t>(i)] = P(x + 4, 11);
        q1[static_cast<std::size_t>(i)] = P(x + 4, 9);
    }
    LayWire(6 + 8 * 7 + 3, 9, 6 + 8 * 7 + 5, 9);
    c.inputs.push_back(SwitchInto(P(6, 9), kLeft, 3));
    for (int i = 0; i < 8; ++i) {
        c.outputs.push_back(q0[static_cast<std::size_t>(i)]);
        c.outputs.push_back(q1[static_cast<std::size_t>(i)]);
    }
    return c;
}

// ---- adders ----

namespace {

constexpr int kAdderY = 12;
int AdderX(int i) { return 8 + 9 * i; }

// The four full adders (or FA ICs) of the ripple adder with their wiring; the input wire ends
// and output wire ends are returned in ends (a0..a3, b0..b3, s0..s3, carry).
std::vector<GridPoint> RippleAdderBody(bool fromICs) {
    std::vector<GridPoint> a(4), b(4), s(4);
    GridPoint carry;
    for (int i = 0; i < 4; ++i) {
        const int x = AdderX(i);
        if (fromICs)
            NeedIC("FA", x, kAdderY - 2);
        else
            Need(PlaceBlockKind(kTypeFullAdder, x, kAdderY, kRight) != 0, "adder");
        if (i == 0) {
            LayWire(x, kAdderY - 1, x - 4, kAdderY - 1);
            LayWire(x, kAdderY + 1, x - 4, kAdderY + 1);
            a[0] = P(x - 4, kAdderY - 1);
            b[0] = P(x - 4, kAdderY + 1);
        } else {
            LayWire(x, kAdderY - 1, x - 2, kAdderY - 6);
            LayWire(x, kAdderY + 1, x - 2, kAdderY + 6);
            a[static_cast<std::size_t>(i)] = P(x - 2, kAdderY - 6);
            b[static_cast<std::size_t>(i)] = P(x - 2, kAdderY + 6);
        }
        LayWire(x + 3, kAdderY - 1, x + 4, kAdderY - 1);
        s[static_cast<std::size_t>(i)] = P(x + 4, kAdderY - 1);
        if (i < 3) {
            LayWire(x + 3, kAdderY + 1, x + 5, kAdderY);
            LayWire(x + 5, kAdderY, AdderX(i + 1), kAdderY);
        } else {
            LayWire(x + 3, kAdderY + 1, x + 4, kAdderY + 1);
            carry = P(x + 4, kAdderY + 1);
        }
    }
    std::vector<GridPoint> ends;
    ends.insert(ends.end(), a.begin(), a.end());
    ends.insert(ends.end(), b.begin(), b.end());
    ends.insert(ends.end(), s.begin(), s.end());
    ends.push_back(carry);
    return ends;
}

// The adder's package: a0..a3 on the top edge, b0..b3 on the bottom, s0..s3 and the carry on
// the right edge.
std::vector<ICPinSpec> AdderPins(const std::vector<GridPoint>& ends) {
    std::vector<ICPinSpec> pins;
    for (int i = 0; i < 4; ++i) {
        const GridPoint p = ends[static_cast<std::size_t>(i)];
        pins.push_back({"A" + std::to_string(i), p.x, p.y, 1 + 2 * i, 0});
    }
    for (int i = 0; i < 4; ++i) {
        const GridPoint p = ends[static_cast<std::size_t>(4 + i)];
        pins.push_back({"B" + std::to_string(i), p.x, p.y, 1 + 2 * i, 10});
    }
    for (int i = 0; i < 4; ++i) {
        const GridPoint p = ends[static_cast<std::size_t>(8 + i)];
        pins.push_back({"S" + std::to_string(i), p.x, p.y, 12, 1 + 2 * i});
    }
    pins.push_back({"C", ends[12].x, ends[12].y, 12, 9});
    return pins;
}

// Places adder IC name at (10, 10) with switches on its inputs and wires off its outputs.
ICCircuit PlaceAdderIC(const std::string& name) {
    FreshSheet(40, 30);
    NeedIC(name, 10, 10);
    ICCircuit c;
    for (int i = 0; i < 4; ++i)
        c.inputs.push_back(SwitchInto(P(11 + 2 * i, 10), kUp, 3));
    for (int i = 0; i < 4; ++i)
        c.inputs.push_back(SwitchInto(P(11 + 2 * i, 20), kDown, 3));
    for (int i = 0; i < 5; ++i) {
        const int y = 11 + 2 * i;
        LayWire(22, y, 25, y);
        c.outputs.push_back(P(24, y));
    }
    return c;
}

} // namespace

ICCircuit BuildFlatAdder4() {
    FreshSheet(50, 25);
    const std::vector<GridPoint> ends = RippleAdderBody(false);
    ICCircuit c;
    for (int i = 0; i < 8; ++i) {
        const GridPoint p = ends[static_cast<std::size_t>(i)];
        Need(PlaceSwitch(p.x, p.y) != 0, "switch");
        c.inputs.push_back(p);
    }
    c.outputs.assign(ends.begin() + 8, ends.end());
    return c;
}

ICCircuit BuildOneICAdder4(const std::string& folder) {
    FreshSheet(42, 20);
    WriteICDefinition(folder, "ADD4", AdderPins(RippleAdderBody(false)), 12, 10);
    return PlaceAdderIC("ADD4");
}

ICCircuit BuildNestedAdder4(const std::string& folder) {
    // FA: one full adder with its three inputs and two outputs led to the package.
    FreshSheet(10, 8);
    Need(PlaceBlockKind(kTypeFullAdder, 4, 4, kRight) != 0, "adder");
    LayWire(1, 3, 4, 3);
    LayWire(1, 4, 4, 4);
    LayWire(1, 5, 4, 5);
    LayWire(7, 3, 9, 3);
    LayWire(7, 5, 9, 5);
    WriteICDefinition(folder, "FA",
                      {{"A", 1, 3, 0, 1},
                       {"Cin", 1, 4, 0, 2},
                       {"B", 1, 5, 0, 3},
                       {"S", 9, 3, 3, 1},
                       {"Co", 9, 5, 3, 3}},
                      3, 4);
    FreshSheet(42, 20);
    WriteICDefinition(folder, "ADD4N", AdderPins(RippleAdderBody(true)), 12, 10);
    return PlaceAdderIC("ADD4N");
}

} // namespace kardo::test
