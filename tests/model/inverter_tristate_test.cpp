// Inverter and tri-state placing and removing.
#include "model/basic_elements.h"
#include "model/placement.h"
#include "model/undo.h"
#include "render/grafik.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using InverterTest = test::CoreFixture;

struct InverterCase {
    std::uint8_t o;
    int x, y;
    bool placed;
    const char* input;
    const char* output;
};

TEST_F(InverterTest, CellsPinsAndBoundsPerOrientation) {
    // Sheet 50 x 30.
    const InverterCase cases[] = {
        {kRight, 10, 10, true, "X10Y10:", "X11Y10:"},
        {kLeft, 10, 10, true, "X10Y10:", "X9Y10:"},
        {kDown, 10, 10, true, "X10Y10:", "X10Y11:"},
        {kUp, 10, 10, true, "X10Y10:", "X10Y9:"},
        {kRight, 0, 10, false, "", ""},
        {kRight, 1, 10, true, "X1Y10:", "X2Y10:"},
        {kRight, 48, 10, true, "X48Y10:", "X49Y10:"},
        {kRight, 49, 10, false, "", ""},
        {kRight, 10, 0, false, "", ""},
        {kRight, 10, 30, false, "", ""},
        {kLeft, 1, 10, false, "", ""},
        {kLeft, 2, 10, true, "X2Y10:", "X1Y10:"},
        {kLeft, 49, 10, true, "X49Y10:", "X48Y10:"},
        {kLeft, 50, 10, false, "", ""},
        {kDown, 10, 28, true, "X10Y28:", "X10Y29:"},
        {kDown, 10, 29, false, "", ""},
        {kDown, 0, 10, false, "", ""},
        {kUp, 10, 1, false, "", ""},
        {kUp, 10, 2, true, "X10Y2:", "X10Y1:"},
        {kUp, 10, 29, true, "X10Y29:", "X10Y28:"},
        {kUp, 50, 10, false, "", ""},
    };
    for (const InverterCase& c : cases) {
        InitProgramState();
        const test::SheetState before = test::CaptureSheet();
        const std::int16_t n = test::PlaceInverter(c.x, c.y, c.o);
        EXPECT_EQ(n != 0, c.placed) << int(c.o) << " at " << c.x << "," << c.y;
        if (!c.placed) {
            EXPECT_EQ(test::CaptureSheet(), before);
            EXPECT_TRUE(gUndo.NoUndoData());
            continue;
        }
        const ElementRecord& e = gElements[1];
        EXPECT_EQ(e.Typ, kTypeInverter);
        EXPECT_EQ(e.Richtung, c.o);
        EXPECT_EQ(e.Eingaenge.Text(), c.input);
        EXPECT_EQ(e.Ausgaenge.Text(), c.output);
        const GridPoint out = e.Ausgaenge.Points()[0];
        EXPECT_EQ(gGrid(c.x, c.y).Typ, kTypeInverter);
        EXPECT_EQ(gGrid(out.x, out.y).Typ, kTypeInverter);
        EXPECT_EQ(gGrid(out.x, out.y).ElementNr, 1);
        const UndoStep& s = gUndo.Step(1);
        EXPECT_EQ(s.Description, "Inverter setzen");
        EXPECT_EQ(s.X1, std::min<int>(c.x, out.x));
        EXPECT_EQ(s.Y2, std::max<int>(c.y, out.y));
        EXPECT_EQ(gGrafik.Orientation, c.o);
    }
}

TEST_F(InverterTest, NoWireRunsThroughTheInverter) {
    test::LayWire(5, 10, 15, 10);
    ASSERT_EQ(test::PlaceInverter(10, 10, kRight), 1);
    EXPECT_EQ(gGrid(10, 10).Links, kTrue);
    EXPECT_EQ(gGrid(10, 10).Rechts, kFalse);
    EXPECT_EQ(gGrid(11, 10).Links, kFalse);
    EXPECT_EQ(gGrid(11, 10).Rechts, kTrue);
}

TEST_F(InverterTest, TheCursorCellMustBeEmptyOrAWire) {
    test::PlaceLed(10, 10);
    EXPECT_EQ(test::PlaceInverter(10, 10, kRight), 0);
}

TEST_F(InverterTest, AnOccupiedOutputCellIsRefused) {
    // Fault pinned: the inverter took over its output cell whatever it held, breaking the
    // element that covered it.
    test::PlaceLed(11, 10);
    test::PlaceAnd(10, 20, kDown, 3); // covers (9,20)-(11,22)
    const test::SheetState before = test::CaptureSheet();
    EXPECT_EQ(test::PlaceInverter(10, 10, kRight), 0);
    EXPECT_EQ(test::PlaceInverter(10, 19, kDown), 0);
    EXPECT_EQ(test::CaptureSheet(), before);
    EXPECT_NE(test::PlaceInverter(10, 10, kLeft), 0); // the other way is free
}

TEST_F(InverterTest, RemovingLeavesWireEndsAndEmptiesTheRest) {
    test::LayWire(5, 10, 10, 10); // joins the input from the left
    test::PlaceInverter(10, 10, kRight);
    test::PlaceInverter(20, 20, kDown);
    const test::SheetState placed = test::CaptureSheet();
    ASSERT_TRUE(test::RemoveAt(11, 10)); // from the output cell
    EXPECT_EQ(gGrid(10, 10).Typ, kTypeWire);
    EXPECT_EQ(gGrid(10, 10).ElementNr, 0);
    EXPECT_EQ(gGrid(11, 10), CellRecord{});
    EXPECT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gGrid(20, 21).ElementNr, 1);
    EXPECT_EQ(gUndo.Step(1).Description, "Inverter löschen");
    EXPECT_EQ(gUndo.Step(1).X1, 10);
    EXPECT_EQ(gUndo.Step(1).X2, 11);
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), placed);
    ASSERT_TRUE(test::RemoveAt(10, 10)); // from the input cell
    EXPECT_EQ(gGrid(11, 10), CellRecord{});
}

TEST_F(InverterTest, RemovingLeavesNoPointOnAnEmptiedPin) {
    // Fault pinned: removing an inverter left a pin's point mark on the cell it emptied.
    test::LayWire(5, 10, 15, 10);
    test::LayWire(10, 5, 10, 10);
    ASSERT_TRUE(test::SetPoint(10, 10));
    ASSERT_NE(test::PlaceInverter(10, 10, kDown), 0); // its input keeps the junction's point
    ASSERT_EQ(gGrid(10, 10).Punkt, kPointConnection);
    // The junction's wires deleted since: the pin has no wire flag left.
    for (int x = 5; x <= 15; ++x)
        gGrid(x, 10).Links = gGrid(x, 10).Rechts = kFalse;
    for (int y = 5; y <= 10; ++y)
        gGrid(10, y).Oben = gGrid(10, y).Unten = kFalse;
    for (int x = 5; x <= 15; ++x)
        if (gGrid(x, 10).Typ == kTypeWire)
            ClearCell(x, 10);
    for (int y = 5; y < 10; ++y)
        ClearCell(10, y);
    ASSERT_EQ(test::SheetInconsistency(), "");
    ASSERT_TRUE(test::RemoveAt(10, 10));
    EXPECT_EQ(gGrid(10, 10), CellRecord{});
    EXPECT_EQ(test::SheetInconsistency(), "");
}

using TriStateTest = test::CoreFixture;

struct TriStateCase {
    std::uint8_t o;
    int x, y;
    const char* inputs;
    const char* output;
    Footprint cells;
};

TEST_F(TriStateTest, PinsAndCellsPerOrientation) {
    const TriStateCase cases[] = {
        {kRight, 10, 10, "X10Y9:X10Y11:", "X12Y10:", {10, 9, 12, 11}},
        {kLeft, 10, 10, "X10Y9:X10Y11:", "X8Y10:", {8, 9, 10, 11}},
        {kDown, 10, 10, "X9Y10:X11Y10:", "X10Y12:", {9, 10, 11, 12}},
        {kUp, 10, 10, "X9Y10:X11Y10:", "X10Y8:", {9, 8, 11, 10}},
    };
    for (const TriStateCase& c : cases) {
        InitProgramState();
        ASSERT_EQ(test::PlaceTriState(c.x, c.y, c.o), 1);
        const ElementRecord& e = gElements[1];
        EXPECT_EQ(e.Typ, kTypeTriState);
        EXPECT_EQ(e.Richtung, c.o);
        EXPECT_EQ(e.Eingaenge.Text(), c.inputs);
        EXPECT_EQ(e.Ausgaenge.Text(), c.output);
        int covered = 0;
        for (int x = 0; x <= gFeldBreite; ++x)
            for (int y = 0; y <= gFeldHoehe; ++y)
                covered += gGrid(x, y).ElementNr == 1;
        EXPECT_EQ(covered, 9);
        for (int x = c.cells.X1; x <= c.cells.X2; ++x)
            for (int y = c.cells.Y1; y <= c.cells.Y2; ++y)
                EXPECT_EQ(gGrid(x, y).Typ, kTypeTriState) << int(c.o) << " " << x << "," << y;
        EXPECT_TRUE(gUndo.NoUndoData()) << "no undo step";
    }
}

struct TriBoundCase {
    std::uint8_t o;
    int x, y;
    bool placed;
};

TEST_F(TriStateTest, CursorBounds) {
    const TriBoundCase cases[] = {
        {kRight, 0, 10, false},  {kRight, 1, 10, true},  {kRight, 47, 10, true},
        {kRight, 48, 10, false}, {kRight, 10, 0, false}, {kRight, 10, 29, true},
        {kRight, 10, 30, false}, {kLeft, 2, 10, false},  {kLeft, 3, 10, true},
        {kLeft, 49, 10, true},   {kLeft, 50, 10, false}, {kDown, 10, 27, true},
        {kDown, 10, 28, false},  {kDown, 0, 10, false},  {kUp, 10, 2, false},
        {kUp, 10, 3, true},      {kUp, 10, 29, true},    {kUp, 10, 30, false},
    };
    for (const TriBoundCase& c : cases) {
        InitProgramState();
        EXPECT_EQ(test::PlaceTriState(c.x, c.y, c.o) != 0, c.placed)
            << int(c.o) << " at " << c.x << "," << c.y;
    }
}

TEST_F(TriStateTest, InputLineMayHoldWiresTheLinesAheadMustBeEmpty) {
    test::LayWire(10, 10, 10, 11); // the cursor cell and the cell below are wires
    EXPECT_EQ(test::PlaceTriState(10, 10, kRight), 1);

    InitProgramState();
    test::LayWire(12, 10, 15, 10); // a wire in the second column ahead
    const test::SheetState before = test::CaptureSheet();
    EXPECT_EQ(test::PlaceTriState(10, 10, kRight), 0);
    EXPECT_EQ(test::CaptureSheet(), before);
    EXPECT_EQ(gAnzElemente, 0);
}

TEST_F(TriStateTest, RemovalClearsTheNineCells) {
    test::LayWire(5, 9, 10, 9); // ends at the first input
    test::PlaceTriState(10, 10, kRight);
    test::PlaceAnd(20, 10);
    ASSERT_TRUE(test::RemoveAt(11, 11));
    EXPECT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gGrid(20, 10).ElementNr, 1);
    for (int x = 10; x <= 12; ++x) {
        for (int y = 9; y <= 11; ++y) {
            EXPECT_EQ(gGrid(x, y).ElementNr, 0);
            if (x != 10 || y != 9) {
                EXPECT_EQ(gGrid(x, y).Typ, kTypeEmpty) << x << "," << y;
            }
        }
    }
}

TEST_F(TriStateTest, RemovalKeepsTheEndOfAWireThatEntersAnInput) {
    // Fault pinned: the input cell a wire still entered became an empty cell, so the wire's
    // flag pointed into an empty cell.
    test::LayWire(5, 9, 10, 9);
    test::PlaceTriState(10, 10, kRight);
    test::RemoveAt(10, 10);
    EXPECT_EQ(gGrid(10, 9).Typ, kTypeWire);
    EXPECT_EQ(gGrid(10, 9).Links, kTrue);
}

TEST_F(TriStateTest, UndoNeitherBringsBackNorTakesAwayATriState) {
    test::PlaceAnd(20, 10);
    test::PlaceTriState(10, 10, kRight);
    gUndo.Undo(); // the gate goes, the tri-state stays
    ASSERT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gElements[1].Typ, kTypeTriState);
    EXPECT_EQ(gGrid(11, 10).ElementNr, 1);
    test::RemoveAt(10, 10);
    gUndo.Undo(); // nothing left to take back
    EXPECT_EQ(gAnzElemente, 0);
    EXPECT_EQ(gGrid(11, 10).Typ, kTypeEmpty);
}

// The sheet a sequence of placing operations gives on a fresh program state.
template <typename Ops> test::SheetState SheetAfter(Ops ops) {
    InitProgramState();
    ops();
    return test::CaptureSheet();
}

// Fault: placing or removing a tri-state emptied the whole undo history without a word.
TEST_F(TriStateTest, PlacingATriStateKeepsTheHistoryAndEarlierStepsUndoExactly) {
    const auto andGate = [] { test::PlaceAnd(20, 10); };
    const auto triState = [] { test::PlaceTriState(10, 10, kRight); };
    const test::SheetState afterAndAndTriState = SheetAfter([&] {
        andGate();
        triState();
    });
    const test::SheetState afterTriState = SheetAfter(triState);

    InitProgramState();
    andGate();
    ASSERT_NE(test::PlaceLed(30, 5), 0);
    triState();
    std::vector<std::string> steps;
    gUndo.ListUndos(steps);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_FALSE(gUndo.NoUndoData());
    gUndo.Undo(); // the LED
    EXPECT_EQ(test::CaptureSheet(), afterAndAndTriState);
    gUndo.Undo(); // the gate
    EXPECT_EQ(test::CaptureSheet(), afterTriState);
}

TEST_F(TriStateTest, RemovingATriStateKeepsTheHistoryAndEarlierStepsUndoExactly) {
    const auto gate = [] { test::PlaceAnd(20, 10); };
    // An LED beside the gate: its step keeps gate cells and the gate record.
    const auto led = [] { test::PlaceLed(23, 11); };
    const test::SheetState empty = SheetAfter([] {});
    const test::SheetState afterGate = SheetAfter(gate);
    const test::SheetState afterGateAndLed = SheetAfter([&] {
        gate();
        led();
    });

    InitProgramState();
    test::PlaceTriState(10, 10, kRight); // 1
    gate();                              // 2
    led();                               // 3
    ASSERT_EQ(gAnzElemente, 3);
    test::RemoveAt(30, 5);  // nothing there: no step
    test::RemoveAt(23, 11); // step "Diode löschen" keeps the LED as element 3
    test::RemoveAt(10, 10); // the tri-state: gate 1, no step
    ASSERT_EQ(gAnzElemente, 1);
    std::vector<std::string> steps;
    gUndo.ListUndos(steps);
    ASSERT_EQ(steps.size(), 3u);
    gUndo.Undo(); // the LED comes back, numbered after the gate
    EXPECT_EQ(test::CaptureSheet(), afterGateAndLed);
    gUndo.Undo(); // the LED's placing
    EXPECT_EQ(test::CaptureSheet(), afterGate);
    gUndo.Undo(); // the gate's placing
    EXPECT_EQ(test::CaptureSheet(), empty);
}

TEST_F(TriStateTest, UndoOfAStepRemovedBeyondTheListBringsItBackAtTheEnd) {
    const test::SheetState gateAlone = SheetAfter([] { test::PlaceAnd(20, 10); });
    InitProgramState();
    test::PlaceTriState(10, 10, kRight); // 1
    test::PlaceAnd(20, 10);              // 2
    test::RemoveAt(20, 10);              // step keeps the gate as element 2
    test::RemoveAt(10, 10);              // no step; the list is empty now
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), gateAlone);
}

// A tri-state placed later partly inside an earlier step's rectangle goes with that step's
// undo as a whole: no cells of it are left behind.
TEST_F(TriStateTest, UndoTakesAwayATriStatePlacedIntoItsRectangleWhole) {
    const test::SheetState empty = test::CaptureSheet();
    ASSERT_NE(test::PlaceLed(10, 10), 0);             // rectangle 9..11 x 9..11
    ASSERT_NE(test::PlaceTriState(13, 10, kLeft), 0); // cells 11..13 x 9..11
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), empty);
}

// Regression: a tri-state placed on exactly the cells of a removed gate was not seen as placed
// since by the undo that brings the gate back, which wrote the gate's cells over the tri-state's
// and left its record without cells (found by the edit/save property test, seed 20240901).
TEST_F(TriStateTest, UndoTakesAwayATriStatePlacedOnTheCellsOfARemovedElement) {
    ASSERT_NE(test::PlaceAnd(10, 10), 0); // cells 10..12 x 9..11
    const test::SheetState gate = test::CaptureSheet();
    ASSERT_TRUE(test::RemoveAt(11, 10));
    ASSERT_NE(test::PlaceTriState(10, 10, kRight), 0); // the same nine cells
    gUndo.Undo();
    EXPECT_EQ(test::SheetInconsistency(), "");
    EXPECT_EQ(test::CaptureSheet(), gate);
}

// Removes the tri-state on 10..12 x 9..11: of the steps only the newest, made far from the gate
// at (farX, farY), is left; undone, it leaves no step and a sheet that fits together.
void RemoveTheGateKeepingOnlyTheFarStep(int farX, int farY) {
    ASSERT_TRUE(test::RemoveAt(11, 10));
    std::vector<std::string> steps;
    gUndo.ListUndos(steps);
    ASSERT_EQ(steps.size(), 1u);
    gUndo.Undo();
    EXPECT_EQ(gGrid(farX, farY).Typ, kTypeEmpty);
    EXPECT_TRUE(gUndo.NoUndoData());
    EXPECT_EQ(gGrid(11, 10).Typ, kTypeEmpty);
    EXPECT_EQ(test::SheetInconsistency(), "");
}

// Regression: a step that saved only cells (a wire) brought the cells of a tri-state removed since
// back without its record; such a step is forgotten with the older ones.
TEST_F(TriStateTest, RemovingATriStateForgetsTheCellsOnlyStepsThatSavedItsCells) {
    ASSERT_NE(test::PlaceTriState(10, 10, kRight), 0); // cells 10..12 x 9..11
    ASSERT_NE(test::PlaceLed(20, 20), 0);
    ASSERT_TRUE(test::LayRecordedWire(8, 12, 14, 8)); // its rectangle holds the gate
    ASSERT_TRUE(test::LayRecordedWire(20, 5, 25, 5)); // far from the gate
    RemoveTheGateKeepingOnlyTheFarStep(22, 5);
    EXPECT_EQ(gGrid(14, 10).Typ, kTypeWire);
}

TEST_F(TriStateTest, RemovingATriStateForgetsTheStepsThatSavedOnlySomeOfItsCells) {
    // Fault pinned: undoing a step that saved part of a removed tri-state brought back a torn gate.
    ASSERT_NE(test::PlaceTriState(10, 10, kRight), 0); // cells 10..12 x 9..11
    ASSERT_NE(test::PlaceLed(13, 10), 0);              // its step saves 12..14 x 9..11
    ASSERT_NE(test::PlaceLed(20, 20), 0);              // far from the gate
    RemoveTheGateKeepingOnlyTheFarStep(20, 20);
    EXPECT_EQ(gGrid(13, 10).Typ, kTypeLed);
    EXPECT_EQ(gGrid(12, 10).Typ, kTypeEmpty);
}

} // namespace
} // namespace kardo
