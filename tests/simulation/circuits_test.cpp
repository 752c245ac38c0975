// Whole circuits of switches, wires, junctions, diodes, gates, inverters and LEDs, built through
// the placing operations, switched on and clicked.
#include "circuit_test_util.h"
#include "model/codes.h"
#include "model/elements.h"
#include "simulation/sim_core.h"

#include <functional>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::LayWire;
using test::LedLine;
using test::SwitchLine;
using CircuitTest = test::CircuitFixture;

// Gate under test: cursor (6, 6), orientation right, inputs (6, 5) and (6, 7), output (8, 6).
constexpr int kInA = 5;
constexpr int kInB = 7;
constexpr int kOutX = 8;
constexpr int kOutY = 6;
constexpr int kLedX = 12;

struct GateCase {
    std::uint8_t typ;
    bool negA;   // negation point on input 1
    bool negOut; // negation point on the output
};

bool Reference(const GateCase& g, bool a, bool b) {
    a = a != g.negA;
    bool r = g.typ == kTypeAnd ? (a && b) : g.typ == kTypeOr ? (a || b) : (a != b);
    return r != g.negOut;
}

void BuildGate(const GateCase& g) {
    ASSERT_NE(test::PlaceGate(g.typ, 6, 6, kRight, 2), 0);
    test::SwitchLine(2, kInA, 6);
    test::SwitchLine(2, kInB, 6);
    test::LedLine(kOutX, kOutY, kLedX);
    if (g.negA) {
        ASSERT_TRUE(test::Negate(6, kInA));
    }
    if (g.negOut) {
        ASSERT_TRUE(test::Negate(kOutX, kOutY));
    }
}

TEST_F(CircuitTest, GateTablesWithNegationPoints) {
    std::vector<GateCase> cases;
    for (const std::uint8_t typ : {kTypeAnd, kTypeOr, kTypeXor})
        for (const bool negA : {false, true})
            for (const bool negOut : {false, true})
                cases.push_back({typ, negA, negOut});
    for (const GateCase& g : cases) {
        InitProgramState();
        BuildGate(g);
        PowerOn();
        const std::string name =
            "typ " + std::to_string(g.typ) + (g.negA ? " negA" : "") + (g.negOut ? " negOut" : "");
        EXPECT_EQ(Live(kLedX, kOutY), Reference(g, false, false) ? 1 : 0) << name << " at power-on";
        // Through every input pair and back, one switch at a time.
        bool a = false;
        bool b = false;
        for (const char which : {'A', 'B', 'A', 'B'}) {
            if (which == 'A') {
                Click(2, kInA);
                a = !a;
            } else {
                Click(2, kInB);
                b = !b;
            }
            const int expected = Reference(g, a, b) ? 1 : 0;
            EXPECT_EQ(Live(kLedX, kOutY), expected) << name << " a=" << a << " b=" << b;
            EXPECT_EQ(Live(kOutX, kOutY), expected) << name << " output pin";
        }
        PowerOff();
    }
}

TEST_F(CircuitTest, ThreeInputXorOfThreeHighsIsHigh) {
    // Inputs (6, 5), (6, 6), (6, 7), output (8, 6).
    ASSERT_NE(test::PlaceXor(6, 6, kRight, 3), 0);
    for (const int y : {5, 6, 7})
        SwitchLine(2, y, 6);
    LedLine(8, 6, 12);
    PowerOn();
    const int expected[] = {1, 0, 1};
    int i = 0;
    for (const int y : {5, 6, 7}) {
        Click(2, y);
        EXPECT_EQ(Live(12, 6), expected[i++]) << "after input row " << y;
    }
}

TEST_F(CircuitTest, InverterChainAlternatesAndFollowsItsInput) {
    for (const int n : {1, 2, 3, 4, 5}) {
        InitProgramState();
        // Inverters at columns 4, 7, 10, ...; wires in between.
        for (int k = 0; k < n; ++k)
            ASSERT_NE(test::PlaceInverter(4 + 3 * k, 5), 0);
        SwitchLine(2, 5, 4);
        for (int k = 0; k + 1 < n; ++k)
            LayWire(5 + 3 * k, 5, 4 + 3 * (k + 1), 5);
        const int end = 5 + 3 * (n - 1) + 3;
        LedLine(5 + 3 * (n - 1), 5, end);
        PowerOn();
        for (const int input : {0, 1, 0}) {
            if (input != Live(2, 5))
                Click(2, 5);
            for (int k = 0; k < n; ++k) {
                const int out = (input + k + 1) % 2;
                EXPECT_EQ(Live(5 + 3 * k, 5), out) << n << " inverters, output " << k;
            }
            EXPECT_EQ(Live(end, 5), (input + n) % 2) << n << " inverters, input " << input;
        }
        PowerOff();
    }
}

// Q at (12, 5), Q-bar at (12, 11); S and R switches on negated inputs, so that a high switch
// sets or resets the latch of two NAND gates.
void BuildNandLatch() {
    ASSERT_NE(test::PlaceAnd(10, 5), 0);  // inputs (10, 4) S and (10, 6) Q-bar; output (12, 5)
    ASSERT_NE(test::PlaceAnd(10, 11), 0); // inputs (10, 10) Q and (10, 12) R; output (12, 11)
    ASSERT_TRUE(test::Negate(12, 5));
    ASSERT_TRUE(test::Negate(12, 11));
    ASSERT_TRUE(test::Negate(10, 4));
    ASSERT_TRUE(test::Negate(10, 12));
    test::SwitchLine(3, 4, 10);
    test::SwitchLine(3, 12, 10);
    // Q to an LED, with a connection point where it turns down to the other gate.
    test::LedLine(12, 5, 16);
    LayWire(14, 5, 14, 8);
    LayWire(14, 8, 8, 8);
    LayWire(8, 8, 8, 10);
    LayWire(8, 10, 10, 10);
    ASSERT_TRUE(test::SetPoint(14, 5));
    // Q-bar back to the first gate, crossing Q's wire at (9, 8) without a point.
    LayWire(12, 11, 16, 11);
    LayWire(16, 11, 16, 9);
    LayWire(16, 9, 9, 9);
    LayWire(9, 9, 9, 6);
    LayWire(9, 6, 10, 6);
}

TEST_F(CircuitTest, NandLatchSetsResetsAndHolds) {
    BuildNandLatch();
    PowerOn();
    EXPECT_NE(Live(12, 5), Live(12, 11)) << "a settled latch after power-on";
    struct Step {
        int switchY; // 4 S, 12 R
        int q;       // Q afterwards
    };
    for (const Step s :
         {Step{12, 0}, Step{12, 0}, Step{4, 1}, Step{4, 1}, Step{12, 0}, Step{12, 0}}) {
        Click(3, s.switchY);
        EXPECT_EQ(Live(12, 5), s.q) << "after switch row " << s.switchY;
        EXPECT_EQ(Live(12, 11), 1 - s.q);
        EXPECT_EQ(Live(16, 5), s.q) << "LED";
    }
    EXPECT_FALSE(gAbgebrochen);
}

// Two horizontal input lines A (row 3) and B (row 6) with LEDs at their right ends, and a
// vertical line from A down through B to an LED at (5, 10), joined by coupling diodes.
void BuildDiodeOr() {
    test::SwitchLine(2, 3, 9);
    test::SwitchLine(2, 6, 9);
    ASSERT_NE(test::PlaceLed(9, 3), 0);
    ASSERT_NE(test::PlaceLed(9, 6), 0);
    LayWire(5, 3, 5, 10);
    ASSERT_NE(test::PlaceLed(5, 10), 0);
    ASSERT_TRUE(test::SetCouplingDiode(5, 3));
    ASSERT_TRUE(test::SetCouplingDiode(5, 6));
}

// Two input lines A (row 3) and B (row 6) from switches that end in T junctions on a vertical
// line (column 5, rows 2 to 10) with an LED at its foot, joined by coupling diodes.
void BuildDiodeOrOfTJunctions() {
    test::SwitchLine(2, 3, 5);
    test::SwitchLine(2, 6, 5);
    LayWire(5, 2, 5, 10);
    ASSERT_NE(test::PlaceLed(5, 10), 0);
    ASSERT_TRUE(test::SetCouplingDiode(5, 3));
    ASSERT_TRUE(test::SetCouplingDiode(5, 6));
    ASSERT_EQ(WireFlagCount(gGrid(5, 6)), 3);
}

// The two diode ORs: inputs crossing the vertical line, and inputs ending in T junctions on it;
// the cells that show each input line's own level.
struct DiodeOrLayout {
    const char* name;
    void (*build)();
    int probeA; // column on row 3 that carries A alone
    int probeB; // column on row 6 that carries B alone
};
const DiodeOrLayout kDiodeOrs[] = {{"crossings", BuildDiodeOr, 9, 9},
                                   {"T junctions", BuildDiodeOrOfTJunctions, 4, 4}};

TEST_F(CircuitTest, CouplingDiodeOrFollowsEveryInputSequence) {
    for (const DiodeOrLayout& layout : kDiodeOrs) {
        InitProgramState();
        layout.build();
        PowerOn();
        bool a = false;
        bool b = false;
        // Every transition of the two inputs: 00 10 11 01 00 01 11 10 00.
        for (const char which : {'A', 'B', 'A', 'B', 'B', 'A', 'B', 'A'}) {
            Click(2, which == 'A' ? 3 : 6);
            (which == 'A' ? a : b) = !(which == 'A' ? a : b);
            EXPECT_EQ(Live(5, 10), (a || b) ? 1 : 0) << layout.name << " a=" << a << " b=" << b;
            // The diodes never couple the vertical line back onto an input line.
            EXPECT_EQ(Live(layout.probeA, 3), a ? 1 : 0) << layout.name << " a=" << a;
            EXPECT_EQ(Live(layout.probeB, 6), b ? 1 : 0) << layout.name << " b=" << b;
        }
        EXPECT_FALSE(gAbgebrochen);
        PowerOff();
    }
}

// Fault: a low level falling down the vertical line of a diode OR travelled on past a diode
// whose input was still high, so the OR showed low with one input high; where the inputs end in
// T junctions (set A, set B, clear A put the LED out), the diode at B held its level only with
// a high wire on both of its sides.
TEST_F(CircuitTest, DiodeOrStaysHighWhileTheOtherInputIsHigh) {
    for (const DiodeOrLayout& layout : kDiodeOrs) {
        InitProgramState();
        layout.build();
        PowerOn();
        Click(2, 3); // A high
        Click(2, 6); // B high
        Click(2, 3); // A low: B still drives the line
        EXPECT_EQ(Live(5, 10), 1) << layout.name;
        EXPECT_EQ(Live(5, 8), 1) << layout.name;
        Click(2, 3); // A high
        Click(2, 6); // B low: A still drives the line
        EXPECT_EQ(Live(5, 10), 1) << layout.name;
        EXPECT_EQ(Live(5, 5), 1) << layout.name;
        Click(2, 3); // both low
        EXPECT_EQ(Live(5, 10), 0) << layout.name;
        PowerOff();
    }
}

TEST_F(CircuitTest, WireCrossingWithoutAPointKeepsTwoSignals) {
    // Horizontal line row 6 from a switch to an LED; vertical line column 6 from a switch at
    // (6, 2) down to an LED at (6, 10); they cross at (6, 6).
    SwitchLine(2, 6, 10);
    ASSERT_NE(test::PlaceLed(10, 6), 0);
    LayWire(6, 2, 6, 10);
    ASSERT_NE(test::PlaceSwitch(6, 2), 0);
    ASSERT_NE(test::PlaceLed(6, 10), 0);
    PowerOn();
    Click(2, 6);
    EXPECT_EQ(Live(10, 6), 1);
    EXPECT_EQ(Live(6, 10), 0);
    EXPECT_EQ(gLevels[0].Feld(6, 6).PegelH, kTrue);
    EXPECT_EQ(gLevels[0].Feld(6, 6).PegelV, 0);
    Click(6, 2);
    EXPECT_EQ(Live(6, 10), 1);
    Click(2, 6);
    EXPECT_EQ(Live(10, 6), 0);
    EXPECT_EQ(Live(6, 10), 1) << "the vertical line keeps its level";
    EXPECT_EQ(Live(6, 6), 1);
    Click(6, 2);
    EXPECT_EQ(Live(6, 10), 0);
    EXPECT_EQ(Live(6, 6), 0);
}

TEST_F(CircuitTest, TJunctionFeedsItsBranchOnlyWithAPoint) {
    for (const bool point : {false, true}) {
        InitProgramState();
        SwitchLine(2, 5, 10);
        ASSERT_NE(test::PlaceLed(10, 5), 0);
        LayWire(6, 5, 6, 9);
        ASSERT_NE(test::PlaceLed(6, 9), 0);
        if (point) {
            ASSERT_TRUE(test::SetPoint(6, 5));
        }
        PowerOn();
        Click(2, 5);
        EXPECT_EQ(Live(10, 5), 1) << point;
        EXPECT_EQ(Live(6, 9), point ? 1 : 0) << point;
        Click(2, 5);
        EXPECT_EQ(Live(10, 5), 0) << point;
        EXPECT_EQ(Live(6, 9), 0) << point;
        PowerOff();
    }
}

TEST_F(CircuitTest, OddRingEndsInTheEndlessLoopAbort) {
    test::BuildOddRing();
    PowerOn();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "Abbruch");
    EXPECT_TRUE(gAbgebrochen);
    EXPECT_FALSE(gPowerOn);
    EXPECT_FALSE(gRechnet);
    EXPECT_EQ(QueueCount(2), 0);
    // Nothing ran on after the message.
    EXPECT_EQ(host.log.back().rfind("MessageBox(", 0), 0u);
    for (int x = 0; x <= gFeldBreite; ++x)
        for (int y = 0; y <= gFeldHoehe; ++y)
            EXPECT_EQ(gGrid(x, y).Pegel, 0) << x << "," << y;
}

TEST_F(CircuitTest, EvenRingSettles) {
    // Two inverters in a ring hold either state.
    ASSERT_NE(test::PlaceInverter(4, 5, kRight), 0);
    ASSERT_NE(test::PlaceInverter(10, 9, kLeft), 0);
    LayWire(5, 5, 12, 9);
    LayWire(12, 9, 10, 9);
    LayWire(9, 9, 2, 9);
    LayWire(2, 9, 2, 5);
    LayWire(2, 5, 4, 5);
    PowerOn();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(gPowerOn);
    EXPECT_NE(Live(5, 5), Live(9, 9));
}

} // namespace
} // namespace kardo

namespace kardo {
namespace {

using CircuitAbortTest = test::CircuitFixture;

// Fault: after the endless-loop abort of a run started by a switch click, the click handler
// went on and wrote the run controls of a circuit the abort had already switched off.
TEST_F(CircuitAbortTest, NothingRunsOnAfterTheAbortOfAClickedRun) {
    // A ring of three inverters closed through an AND gate that the switch enables.
    ASSERT_NE(test::PlaceAnd(6, 6), 0); // inputs (6, 5) ring, (6, 7) switch; output (8, 6)
    ASSERT_NE(test::PlaceInverter(10, 6, kRight), 0);
    ASSERT_NE(test::PlaceInverter(14, 6, kRight), 0);
    ASSERT_NE(test::PlaceInverter(12, 10, kLeft), 0);
    test::LayWire(8, 6, 10, 6);
    test::LayWire(11, 6, 14, 6);
    test::LayWire(15, 6, 17, 10);
    test::LayWire(17, 10, 12, 10);
    test::LayWire(11, 10, 4, 10);
    test::LayWire(4, 10, 4, 5);
    test::LayWire(4, 5, 6, 5);
    test::SwitchLine(2, 7, 6); // crosses the ring's wire at (4, 7) without a point
    PowerOn();
    ASSERT_TRUE(host.messages.empty()) << "the disabled ring settles";
    ASSERT_TRUE(gPowerOn);
    Click(2, 7);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_FALSE(gPowerOn);
    EXPECT_TRUE(gAbgebrochen);
    EXPECT_FALSE(gRechnet);
    EXPECT_EQ(host.log.back().rfind("MessageBox(", 0), 0u);
    EXPECT_EQ(host.Caption("lblTime"), "");
    EXPECT_EQ(host.Caption("lblOnOff"), "Ausführung unterbrochen");
}

} // namespace
} // namespace kardo
