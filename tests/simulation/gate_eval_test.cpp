// The evaluators of gates, inverters, switches and LEDs, called the way the dispatcher calls
// them, on circuits placed through the placing operations.
#include "circuit_test_util.h"
#include "model/codes.h"
#include "model/elements.h"
#include "simulation/gate_eval.h"
#include "simulation/sim_core.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::Ev;
using GateEvalTest = test::CircuitFixture;

CellRecord& L0(int x, int y) { return gLevels[0].Feld(x, y); }

TEST_F(GateEvalTest, AndWithOneLowInputIsLowAndANegatedLowInputMakesItHigh) {
    ASSERT_NE(test::PlaceAnd(6, 6), 0); // inputs (6, 5), (6, 7); output (8, 6)
    PowerOn();
    L0(6, 5).Pegel = kTrue;
    gNextEventQueue.clear();
    EvalUnd(6, 5, kRight, 1, 0);
    EXPECT_EQ(L0(8, 6).Pegel, 0);
    EXPECT_EQ(test::NextEvents(), (std::vector<Ev>{{9, 6, kRight, 0}}));
    L0(6, 7).Punkt = kPointConnection;
    gNextEventQueue.clear();
    EvalUnd(6, 5, kRight, 1, 0);
    EXPECT_EQ(L0(8, 6).Pegel, kTrue);
    EXPECT_EQ(L0(8, 6).PegelH, kTrue);
    EXPECT_EQ(test::NextEvents(), (std::vector<Ev>{{9, 6, kRight, kTrue}}));
}

TEST_F(GateEvalTest, OutputsGoOneCellBeyondTheOutputInEachOrientation) {
    struct Case {
        std::uint8_t orientation;
        int ox, oy; // output pin of a 3-input OR at cursor (10, 10)
        int dx, dy;
        bool horizontal;
    };
    const Case cases[] = {{kRight, 12, 10, 1, 0, true},
                          {kLeft, 8, 10, -1, 0, true},
                          {kDown, 10, 12, 0, 1, false},
                          {kUp, 10, 8, 0, -1, false}};
    for (const Case& c : cases) {
        InitProgramState();
        const std::int16_t nr = test::PlaceOr(10, 10, c.orientation, 3);
        ASSERT_NE(nr, 0);
        PowerOn();
        const GridPoint in =
            gLevels[0].Elemente[static_cast<std::size_t>(nr)].Eingaenge.Points()[0];
        const GridPoint out =
            gLevels[0].Elemente[static_cast<std::size_t>(nr)].Ausgaenge.Points()[0];
        ASSERT_EQ(out,
                  (GridPoint{static_cast<std::int16_t>(c.ox), static_cast<std::int16_t>(c.oy)}));
        L0(in.x, in.y).Pegel = kTrue;
        gNextEventQueue.clear();
        EvalOder(in.x, in.y, c.orientation, 1, 0);
        EXPECT_EQ(test::NextEvents(),
                  (std::vector<Ev>{{c.ox + c.dx, c.oy + c.dy, c.orientation, kTrue}}))
            << int{c.orientation};
        EXPECT_EQ(c.horizontal ? L0(c.ox, c.oy).PegelH : L0(c.ox, c.oy).PegelV, kTrue);
        PowerOff();
    }
}

TEST_F(GateEvalTest, NegatedOrIsANor) {
    ASSERT_NE(test::PlaceOr(6, 6), 0);
    ASSERT_TRUE(test::Negate(8, 6));
    PowerOn();
    L0(6, 5).Pegel = L0(6, 7).Pegel = 0;
    EvalOder(6, 5, kRight, 0, 0);
    EXPECT_EQ(L0(8, 6).Pegel, kTrue);
    L0(6, 7).Pegel = kTrue;
    EvalOder(6, 7, kRight, 1, 0);
    EXPECT_EQ(L0(8, 6).Pegel, 0);
}

TEST_F(GateEvalTest, AnEventAtTheOutputPinIsNotEvaluated) {
    for (const std::uint8_t typ : {kTypeAnd, kTypeOr, kTypeXor}) {
        InitProgramState();
        ASSERT_NE(test::PlaceGate(typ, 6, 6, kRight, 2), 0);
        ASSERT_TRUE(test::Negate(8, 6));
        PowerOn();
        const CellRecord before = L0(8, 6);
        gNextEventQueue.clear();
        if (typ == kTypeAnd)
            EvalUnd(8, 6, kLeft, 1, 0);
        if (typ == kTypeOr)
            EvalOder(8, 6, kLeft, 1, 0);
        if (typ == kTypeXor)
            EvalXOder(8, 6, kLeft, 1, 0);
        EXPECT_TRUE(gNextEventQueue.empty()) << int{typ};
        EXPECT_EQ(L0(8, 6), before) << int{typ};
        PowerOff();
    }
}

TEST_F(GateEvalTest, NandHoldsTheNextEventBackOnePassPerEvaluationButNorDoesNot) {
    for (const std::uint8_t typ : {kTypeAnd, kTypeOr}) {
        InitProgramState();
        ASSERT_NE(test::PlaceGate(typ, 6, 6, kRight, 2), 0);
        ASSERT_TRUE(test::Negate(8, 6));
        PowerOn();
        const int before = L0(9, 6).Verzoegerung;
        if (typ == kTypeAnd)
            EvalUnd(6, 5, kRight, 0, 0);
        else
            EvalOder(6, 5, kRight, 0, 0);
        EXPECT_EQ(L0(9, 6).Verzoegerung, typ == kTypeAnd ? before + 1 : before) << int{typ};
        PowerOff();
    }
}

// Fault: the byte that holds a NAND's pending delays wrapped to 0 after 256 unconsumed
// evaluations and released the held events at once.
TEST_F(GateEvalTest, NandDelayCountSaturatesInsteadOfWrapping) {
    ASSERT_NE(test::PlaceAnd(6, 6), 0);
    ASSERT_TRUE(test::Negate(8, 6));
    PowerOn();
    for (int i = 0; i < 300; ++i)
        EvalUnd(6, 5, kRight, 0, 0);
    EXPECT_EQ(L0(9, 6).Verzoegerung, 255);
}

// Fault: the inverter took its direction from the arriving event, so an event entering its
// output cell from the output wire, or its input cell from a side, wrote the inverted level into
// the wrong cells.
TEST_F(GateEvalTest, InverterEvaluatesOnlyAtItsInputInItsOwnOrientation) {
    ASSERT_NE(test::PlaceInverter(5, 5, kRight), 0); // input (5, 5), output (6, 5)
    PowerOn();
    const CellRecord inputBefore = L0(5, 5);
    const CellRecord leftBefore = L0(4, 5);
    // From the output wire back into the output cell.
    gNextEventQueue.clear();
    EvalInverter(6, 5, kLeft, 1, 0);
    EXPECT_TRUE(gNextEventQueue.empty());
    EXPECT_EQ(L0(5, 5), inputBefore);
    EXPECT_EQ(L0(4, 5), leftBefore);
    // Into the input cell from above, travelling down.
    gNextEventQueue.clear();
    EvalInverter(5, 5, kDown, 1, 0);
    EXPECT_EQ(test::NextEvents(), (std::vector<Ev>{{7, 5, kRight, 0}}));
    EXPECT_EQ(L0(6, 5).Pegel, 0);
    EXPECT_EQ(L0(5, 6).Pegel, 0);
    // Straight in, low: the output goes high.
    gNextEventQueue.clear();
    EvalInverter(5, 5, kRight, 0, 0);
    EXPECT_EQ(test::NextEvents(), (std::vector<Ev>{{7, 5, kRight, kTrue}}));
    EXPECT_EQ(L0(6, 5).Pegel, kTrue);
    EXPECT_EQ(L0(6, 5).PegelH, kTrue);
}

TEST_F(GateEvalTest, InverterRecoloursItsOutputOnTheCircuitOnly) {
    ASSERT_NE(test::PlaceInverter(5, 5, kDown), 0); // input (5, 5), output (5, 6)
    test::LayWire(5, 6, 5, 9);
    PowerOn();
    screen.ClearLog();
    EvalInverter(5, 5, kDown, 0, 0);
    EXPECT_EQ(L0(5, 6).PegelV, kTrue);
    EXPECT_FALSE(screen.CallsOf(DrawOp::Polyline).empty());
}

TEST_F(GateEvalTest, LedLightsInItsColourAndPassesTheLevelOn) {
    test::LayWire(2, 5, 9, 5);
    ASSERT_NE(test::PlaceLed(5, 5, Rgb(0, 200, 0)), 0);
    PowerOn();
    screen.ClearLog();
    gNextEventQueue.clear();
    EvalDiode(5, 5, kRight, 1, 0);
    const auto circles = screen.CallsOf(DrawOp::Circle);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].x1, GridToPixel(5));
    EXPECT_EQ(circles[0].y1, GridToPixel(5));
    EXPECT_EQ(circles[0].x2, 6.0);
    EXPECT_EQ(circles[0].fillStyle, FillMode::Solid);
    EXPECT_EQ(circles[0].fillColor, Rgb(0, 200, 0));
    EXPECT_EQ(screen.FillStyle, FillMode::Transparent);
    EXPECT_EQ(test::NextEvents(), (std::vector<Ev>{{6, 5, kRight, kTrue}}));

    screen.ClearLog();
    EvalDiode(5, 5, kRight, 0, 0);
    ASSERT_EQ(screen.CallsOf(DrawOp::Circle).size(), 1u);
    EXPECT_EQ(screen.CallsOf(DrawOp::Circle)[0].fillColor, Rgb(224, 224, 224));
}

TEST_F(GateEvalTest, SwitchAndLedOnAnIcLevelRouteWithoutDrawing) {
    PowerOn();
    gLevels.resize(2);
    SimLevelRecord& ic = gLevels[1];
    ic.Name = "Inner.icd";
    ic.Feld.Create(8, 8);
    ic.MaxX = ic.MaxY = 7;
    for (int x = 1; x <= 4; ++x) {
        CellRecord& c = ic.Feld(x, 3);
        c.Typ = x == 2 ? kTypeSwitch : x == 3 ? kTypeLed : kTypeWire;
        c.Links = x > 1 ? kTrue : 0;
        c.Rechts = x < 4 ? kTrue : 0;
    }
    screen.ClearLog();
    gNextEventQueue.clear();
    EvalSwitch(2, 3, kRight, 1, 1);
    EvalDiode(3, 3, kRight, 1, 1);
    EXPECT_TRUE(screen.Calls().empty());
    EXPECT_EQ(test::NextEvents(), (std::vector<Ev>{{3, 3, kRight, kTrue}, {4, 3, kRight, kTrue}}));
    EXPECT_EQ(gNextEventQueue[0].Ebene, 1);
}

TEST_F(GateEvalTest, GateOnAnIcLevelReadsThatLevelsElements) {
    PowerOn();
    gLevels.resize(2);
    SimLevelRecord& ic = gLevels[1];
    ic.Name = "Inner.icd";
    ic.Feld.Create(8, 8);
    ic.MaxX = ic.MaxY = 7;
    ElementRecord gate;
    gate.Typ = kTypeXor;
    gate.Richtung = kDown;
    gate.Nr = 1;
    gate.Eingaenge = PinEntry(2, 2) + PinEntry(4, 2);
    gate.Ausgaenge = PinEntry(3, 4);
    ic.Elemente = {ElementRecord{}, gate};
    ic.AnzElemente = 1;
    for (int x = 2; x <= 4; ++x)
        for (int y = 2; y <= 4; ++y) {
            ic.Feld(x, y).Typ = kTypeXor;
            ic.Feld(x, y).ElementNr = 1;
        }
    ic.Feld(2, 2).Pegel = kTrue;
    gNextEventQueue.clear();
    EvalXOder(2, 2, kDown, 1, 1);
    EXPECT_EQ(ic.Feld(3, 4).Pegel, kTrue);
    EXPECT_EQ(ic.Feld(3, 4).PegelV, kTrue);
    EXPECT_EQ(test::NextEvents(), (std::vector<Ev>{{3, 5, kDown, kTrue}}));
    EXPECT_EQ(gNextEventQueue[0].Ebene, 1);
}

} // namespace
} // namespace kardo
