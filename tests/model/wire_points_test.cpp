// Connection points, coupling diodes and negation points.
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/wire_points.h"
#include "render/grafik.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

class WirePointsTest : public test::CoreFixture {
  protected:
    WirePointsTest() {
        test::LayWire(5, 10, 15, 10);
        test::LayWire(10, 10, 10, 15); // T junction at (10, 10)
        test::LayWire(20, 5, 20, 15);
        test::LayWire(18, 10, 22, 10); // crossing at (20, 10)
    }
};

struct MarkCase {
    int x, y;
    bool junction;
};

TEST_F(WirePointsTest, ConnectionPointOnlyOnJunctions) {
    const MarkCase cases[] = {
        {10, 10, true},  // T junction
        {20, 10, true},  // crossing
        {7, 10, false},  // straight wire
        {15, 10, false}, // wire end
        {30, 20, false}, // empty
    };
    for (const MarkCase& c : cases) {
        gUndo.DeleteUndoData(false);
        const bool set = test::SetPoint(c.x, c.y);
        EXPECT_EQ(set, c.junction) << c.x << "," << c.y;
        EXPECT_EQ(gUndo.NoUndoData(), !c.junction);
        if (!c.junction)
            continue;
        const UndoStep& s = gUndo.Step(1);
        EXPECT_EQ(s.Description, "Verbindungspunkt setzen");
        EXPECT_EQ(s.ElementCount, 0) << "cells only";
        EXPECT_EQ(s.X1, c.x - 1);
    }
}

TEST_F(WirePointsTest, CornerAcceptsNeitherMark) {
    test::LayWire(30, 5, 35, 8); // corner at (35, 5)
    EXPECT_FALSE(test::SetPoint(35, 5));
    EXPECT_FALSE(test::SetCouplingDiode(35, 5));
    EXPECT_TRUE(gUndo.NoUndoData());
}

TEST_F(WirePointsTest, DiodeAndConnectionPointExcludeEachOther) {
    EXPECT_TRUE(test::SetCouplingDiode(10, 10));
    EXPECT_EQ(gUndo.Step(1).Description, "Koppeldiode setzen");
    EXPECT_FALSE(test::SetPoint(10, 10));
    EXPECT_EQ(gGrid(10, 10).Punkt, kPointDiode);
    EXPECT_TRUE(test::SetPoint(20, 10));
    EXPECT_FALSE(test::SetCouplingDiode(20, 10));
    EXPECT_EQ(gGrid(20, 10).Punkt, kPointConnection);
}

TEST_F(WirePointsTest, DrawOnlyRedrawsWithoutAnUndoStep) {
    gGrid(10, 10).Punkt = kPointConnection;
    gGrid(20, 10).Punkt = kPointDiode;
    screen.ClearLog();
    SetVerbindungspunktAt(10, 10, true);
    SetKoppeldiodeAt(20, 10, true);
    EXPECT_TRUE(gUndo.NoUndoData());
    const auto boxes = screen.CallsOf(DrawOp::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_DOUBLE_EQ(boxes[0].x1, 147 - 2.0); // half side 14 / 7
    EXPECT_DOUBLE_EQ(boxes[0].y2, 147 + 2.0);
    const auto polygons = screen.CallsOf(DrawOp::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].points, (std::vector<PolyPoint>{{280, 147}, {294, 147}, {287, 154}}));
    EXPECT_EQ(polygons[0].fillColor, Rgb(0, 0, 255));
    EXPECT_EQ(polygons[0].color, Rgb(128, 128, 128));
    const auto pixels = screen.CallsOf(DrawOp::SetPixel);
    ASSERT_EQ(pixels.size(), 1u);
    EXPECT_EQ(pixels[0].y1, 152);
}

TEST_F(WirePointsTest, OnThePrinterTheDiodeIsThreeLines) {
    gGrafik.Device = &printer;
    SetKoppeldiodeAt(10, 10, false);
    EXPECT_EQ(printer.CallsOf(DrawOp::Line).size(), 3u);
    EXPECT_TRUE(printer.CallsOf(DrawOp::Polygon).empty());
    gGrafik.Device = &screen;
}

TEST_F(WirePointsTest, RemovingMarks) {
    test::SetPoint(10, 10);
    std::int16_t x = 10, y = 10;
    RemoveVerbindungspunkt(x, y);
    EXPECT_EQ(gGrid(10, 10).Punkt, 0);
    EXPECT_EQ(gUndo.Step(1).Description, "Verbindungspunkt löschen");
    gUndo.Undo();
    EXPECT_EQ(gGrid(10, 10).Punkt, kPointConnection);

    // The removal records its step whatever the cell holds.
    x = 7;
    RemoveVerbindungspunkt(x, y);
    EXPECT_EQ(gUndo.Step(1).Description, "Verbindungspunkt löschen");

    test::SetCouplingDiode(20, 10);
    gCursorX = 20;
    gCursorY = 10;
    RemoveKoppeldiode();
    EXPECT_EQ(gGrid(20, 10).Punkt, 0);
    EXPECT_EQ(gUndo.Step(1).Description, "Koppeldiode löschen");
    gUndo.DeleteUndoData(false);
    RemoveKoppeldiode(); // nothing there any more
    EXPECT_TRUE(gUndo.NoUndoData());
}

TEST_F(WirePointsTest, WhilePoweredTheShownLevelIsMarked) {
    gLevels[0].Feld = gGrid;
    gPowerOn = true;
    SetVerbindungspunktAt(20, 10, false);
    gPowerOn = false;
    EXPECT_EQ(gLevels[0].Feld(20, 10).Punkt, kPointConnection);
    EXPECT_EQ(gGrid(20, 10).Punkt, 0);
    EXPECT_TRUE(gUndo.NoUndoData());
}

using NegationTest = test::CoreFixture;

TEST_F(NegationTest, AnyPinOfAGateNothingElse) {
    test::PlaceAnd(5, 5, kRight, 3); // inputs (5,4) (5,5) (5,6), output (7,5)
    for (auto [x, y] : {std::pair{5, 4}, {5, 5}, {5, 6}, {7, 5}}) {
        EXPECT_TRUE(test::Negate(x, y)) << x << "," << y;
        const UndoStep& s = gUndo.Step(1);
        EXPECT_EQ(s.Description, "Negationspunkt setzen");
        EXPECT_EQ(s.X1, x - 2);
        EXPECT_EQ(s.Y2, y + 2);
        EXPECT_EQ(s.ElementCount, 0);
    }
    gUndo.DeleteUndoData(false);
    EXPECT_FALSE(test::Negate(6, 5)); // body cell
    EXPECT_FALSE(test::Negate(6, 4));
    test::PlaceInverter(20, 20, kRight);
    gUndo.DeleteUndoData(false);
    EXPECT_FALSE(test::Negate(20, 20)); // inverters cannot be negated
    EXPECT_TRUE(gUndo.NoUndoData());
}

TEST_F(NegationTest, FlipFlopOnlyOnItsDataInputs) {
    // A flip-flop record with inputs J, T, K and outputs Q, /Q.
    ElementRecord& ff = AppendElement(kTypeFlipFlop);
    ff.Eingaenge = "X5Y5:X5Y7:X5Y9:";
    ff.Ausgaenge = "X10Y5:X10Y9:";
    for (int x = 5; x <= 10; ++x)
        for (int y = 4; y <= 10; ++y) {
            gGrid(x, y).Typ = kTypeFlipFlop;
            gGrid(x, y).ElementNr = ff.Nr;
        }
    EXPECT_TRUE(test::Negate(5, 5));
    EXPECT_TRUE(test::Negate(5, 9));
    EXPECT_FALSE(test::Negate(5, 7));  // clock
    EXPECT_FALSE(test::Negate(10, 5)); // output
    EXPECT_FALSE(test::Negate(10, 9));
}

TEST_F(NegationTest, RemovingTakesAwayOnlyANegationPoint) {
    test::PlaceAnd(5, 5, kRight, 3);
    test::Negate(7, 5);
    gCursorX = 7;
    gCursorY = 5;
    RemoveNegationsPunkt();
    EXPECT_EQ(gGrid(7, 5).Punkt, 0);
    EXPECT_EQ(gUndo.Step(1).Description, "Negationspunkt löschen");
    EXPECT_EQ(gUndo.Step(1).X1, 6);
    gUndo.Undo();
    EXPECT_EQ(gGrid(7, 5).Punkt, kPointConnection);
}

TEST_F(NegationTest, RemovingClearsTheMarkWhateverTheCellHoldsInOneStep) {
    // Fault pinned: a mark left under an inverter's input stayed; only gate pins lost theirs.
    test::PlaceInverter(10, 10);
    gGrid(10, 10).Punkt = kPointConnection;
    gUndo.DeleteUndoData(false);
    gCursorX = 10;
    gCursorY = 10;
    RemoveNegationsPunkt();
    EXPECT_EQ(gGrid(10, 10).Punkt, kPointNone);
    gUndo.Undo();
    EXPECT_EQ(gGrid(10, 10).Punkt, kPointConnection);
    EXPECT_TRUE(gUndo.NoUndoData());
    test::PlaceAnd(30, 5, kRight, 3);
    gUndo.DeleteUndoData(false);
    gCursorX = 30;
    gCursorY = 5;
    RemoveNegationsPunkt(); // a gate pin without a mark
    EXPECT_FALSE(gUndo.NoUndoData());
}

} // namespace
} // namespace kardo
