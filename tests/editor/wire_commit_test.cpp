// Committing the wire band: wire cells and flags, automatic connection points at T junctions,
// the undo step, and deleting wires with the band.
#include "editor/gesture_state.h"
#include "editor/mouse_dispatch.h"
#include "editor/overlays.h"
#include "editor/wire_tool.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

struct Cell {
    int x = 0;
    int y = 0;
};

// The wire flags of a cell as letters L, O, R, U ("" none).
std::string Flags(int x, int y) {
    const CellRecord& c = gGrid(x, y);
    std::string s;
    if (c.Links)
        s += 'L';
    if (c.Oben)
        s += 'O';
    if (c.Rechts)
        s += 'R';
    if (c.Unten)
        s += 'U';
    return s;
}

struct Expect {
    Cell cell;
    const char* flags;
    std::uint8_t typ;
    std::int16_t punkt;
};

class WireCommitTest : public test::CoreFixture {
  protected:
    WireCommitTest() {
        ResetMouseDispatch();
        gMouseMode = kToolWire;
    }
    // A band from start through the moves, committed (left) or deleted (right).
    void Band(Cell start, const std::vector<Cell>& moves, bool erase = false) {
        gCursorX = static_cast<std::int16_t>(start.x);
        gCursorY = static_cast<std::int16_t>(start.y);
        ShowLines();
        for (const Cell& m : moves)
            ShowTempLines(static_cast<std::int16_t>(m.x), static_cast<std::int16_t>(m.y));
        if (erase)
            DeleteLines();
        else
            SetLines();
        gGesture.LineActive = false;
    }
    void Check(const std::vector<Expect>& expected) {
        for (const Expect& e : expected) {
            SCOPED_TRACE(std::to_string(e.cell.x) + "," + std::to_string(e.cell.y));
            EXPECT_EQ(Flags(e.cell.x, e.cell.y), e.flags);
            EXPECT_EQ(gGrid(e.cell.x, e.cell.y).Typ, e.typ);
            EXPECT_EQ(gGrid(e.cell.x, e.cell.y).Punkt, e.punkt);
        }
    }
};

struct CommitCase {
    const char* name;
    std::function<void()> setup;
    Cell start;
    std::vector<Cell> moves;
    std::vector<Expect> expected;
};

TEST_F(WireCommitTest, CommitRules) {
    const auto none = [] {};
    const std::vector<CommitCase> cases = {
        {"L along the row then down",
         none,
         {2, 5},
         {{6, 5}, {6, 8}},
         {{{2, 5}, "R", 1, 0},
          {{3, 5}, "LR", 1, 0},
          {{6, 5}, "LU", 1, 0},
          {{6, 6}, "OU", 1, 0},
          {{6, 8}, "O", 1, 0},
          {{1, 5}, "", 0, 0},
          {{7, 5}, "", 0, 0},
          {{6, 9}, "", 0, 0}}},
        {"L down then right",
         none,
         {2, 5},
         {{2, 8}, {6, 8}},
         {{{2, 5}, "U", 1, 0}, {{2, 8}, "OR", 1, 0}, {{4, 8}, "LR", 1, 0}, {{6, 8}, "L", 1, 0}}},
        {"right to left",
         none,
         {6, 5},
         {{2, 5}},
         {{{6, 5}, "L", 1, 0}, {{4, 5}, "LR", 1, 0}, {{2, 5}, "R", 1, 0}}},
        {"ending on the middle of a vertical wire makes a T",
         [] { test::LayWire(8, 2, 8, 9); },
         {3, 5},
         {{8, 5}},
         {{{8, 5}, "LOU", 1, -1}, {{8, 4}, "OU", 1, 0}, {{3, 5}, "R", 1, 0}}},
        {"crossing a vertical wire sets no point",
         [] { test::LayWire(8, 2, 8, 9); },
         {3, 5},
         {{11, 5}},
         {{{8, 5}, "LORU", 1, 0}}},
        {"starting from the middle of a wire makes a T",
         [] { test::LayWire(3, 5, 9, 5); },
         {6, 5},
         {{6, 9}},
         {{{6, 5}, "LRU", 1, -1}, {{6, 9}, "O", 1, 0}}},
        {"a corner with three flags keeps its point when it gets the fourth",
         [] {
             test::LayWire(6, 2, 6, 5);
             test::LayWire(6, 5, 10, 5);
         },
         {2, 5},
         {{6, 5}, {6, 8}},
         {{{6, 5}, "LORU", 1, -1}}},
        {"without automatic points no T gets one",
         [] {
             test::LayWire(8, 2, 8, 9);
             gAutoVerbindung = kFalse;
         },
         {3, 5},
         {{8, 5}},
         {{{8, 5}, "LOU", 1, 0}}},
    };
    for (const CommitCase& c : cases) {
        SCOPED_TRACE(c.name);
        InitProgramState();
        ResetMouseDispatch();
        c.setup();
        Band(c.start, c.moves);
        Check(c.expected);
        EXPECT_FALSE(gOverlays.LeitungH.Visible);
        EXPECT_FALSE(gOverlays.LeitungV.Visible);
    }
}

TEST_F(WireCommitTest, TheStepCoversTheBandAndUndoesIt) {
    const test::SheetState before = test::CaptureSheet();
    Band({2, 5}, {{6, 5}, {6, 8}});
    const UndoStep& step = gUndo.Step(1);
    EXPECT_EQ(step.Description, "Leitung(en) ziehen");
    EXPECT_EQ(step.X1, 2);
    EXPECT_EQ(step.Y1, 5);
    EXPECT_EQ(step.X2, 6);
    EXPECT_EQ(step.Y2, 8);
    EXPECT_EQ(host.Caption("mUndo"), "&Rückgängig: Leitung(en) ziehen");
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), before);
}

TEST_F(WireCommitTest, AOneCellBandWritesNothingAndRecordsNoStep) {
    const test::SheetState before = test::CaptureSheet();
    Band({4, 4}, {{9, 4}, {4, 4}});
    EXPECT_EQ(test::CaptureSheet(), before);
    EXPECT_TRUE(gUndo.NoUndoData());
}

TEST_F(WireCommitTest, AWireTowardsAnElementEndsOnItsFirstCell) {
    const std::int16_t gate = test::PlaceAnd(12, 10, kRight, 3);
    ASSERT_NE(gate, 0);
    const GridPoint in0 = gElements[gate].Eingaenge.Points()[0];
    Band({in0.x - 5, in0.y}, {{in0.x + 4, in0.y}});
    Check({{{in0.x, in0.y}, "L", kTypeAnd, 0},
           {{in0.x - 1, in0.y}, "LR", 1, 0},
           {{in0.x - 5, in0.y}, "R", 1, 0},
           {{in0.x + 1, in0.y}, "", kTypeAnd, 0}});
}

// Fault pinned: re-drawing a wire over a T junction that carries a coupling diode replaced the
// diode by a connection point; the commit only adds marks.
TEST_F(WireCommitTest, ATJunctionKeepsItsCouplingDiode) {
    test::LayWire(8, 2, 8, 9);
    test::LayWire(3, 5, 8, 5);
    ASSERT_TRUE(test::SetCouplingDiode(8, 5));
    Band({3, 5}, {{8, 5}});
    EXPECT_EQ(gGrid(8, 5).Punkt, kPointDiode);
}

TEST_F(WireCommitTest, DeletingPartOfAWireKeepsTheRest) {
    test::LayWire(2, 5, 12, 5);
    Band({5, 5}, {{8, 5}}, true);
    Check({{{4, 5}, "LR", 1, 0},
           {{5, 5}, "L", 1, 0},
           {{6, 5}, "", 0, 0},
           {{7, 5}, "", 0, 0},
           {{8, 5}, "R", 1, 0},
           {{9, 5}, "LR", 1, 0}});
    const UndoStep& step = gUndo.Step(1);
    EXPECT_EQ(step.Description, "Leitung(en) löschen");
    EXPECT_EQ(step.X1, 5);
    EXPECT_EQ(step.X2, 8);
}

TEST_F(WireCommitTest, DeletingLosesConnectionPointsWithFewerThanThreeWires) {
    test::LayWire(8, 2, 8, 9);
    Band({3, 5}, {{8, 5}});
    ASSERT_EQ(gGrid(8, 5).Punkt, kPointConnection);
    Band({3, 5}, {{8, 5}}, true);
    Check({{{8, 5}, "OU", 1, 0}, {{3, 5}, "", 0, 0}, {{5, 5}, "", 0, 0}});
}

TEST_F(WireCommitTest, DeletingAnLShapedWireEmptiesItsCorner) {
    Band({2, 5}, {{6, 5}, {6, 8}});
    Band({2, 5}, {{6, 5}, {6, 8}}, true);
    for (int x = 2; x <= 6; ++x)
        EXPECT_EQ(gGrid(x, 5), CellRecord{}) << x;
    for (int y = 5; y <= 8; ++y)
        EXPECT_EQ(gGrid(6, y), CellRecord{}) << y;
}

// Fault pinned: a delete band ending on the end of a wire that leaves the band sideways emptied
// that cell while the wire's flag and its neighbour's flag still pointed into it.
TEST_F(WireCommitTest, DeletingKeepsAWireEndThatLeavesTheBandSideways) {
    test::LayWire(2, 5, 6, 5);
    test::LayWire(8, 2, 8, 5);
    Band({2, 5}, {{8, 5}}, true);
    Check({{{8, 5}, "O", 1, 0}, {{8, 4}, "OU", 1, 0}, {{2, 5}, "", 0, 0}, {{6, 5}, "", 0, 0}});
}

::testing::AssertionResult WiresConsistent();

TEST_F(WireCommitTest, AnAnalysisPointWhoseWireWasCutLeavesAnEmptyCell) {
    // Fault pinned: removing an analysis point without wire flags left a wire cell without any.
    test::LayWire(2, 10, 12, 10);
    ASSERT_NE(test::PlaceAnalysisPoint(6, 10), 0);
    Band({4, 10}, {{6, 10}}, true); // a band stops on the point: cut from both sides
    Band({8, 10}, {{6, 10}}, true);
    ASSERT_EQ(Flags(6, 10), "");
    ASSERT_TRUE(test::RemoveAt(6, 10));
    EXPECT_EQ(gGrid(6, 10), CellRecord{});
    EXPECT_TRUE(WiresConsistent());
    gUndo.Undo();
    EXPECT_EQ(gGrid(6, 10).Typ, kTypeAnalysisPoint);
}

TEST_F(WireCommitTest, ASwitchWhoseWireWasCutLeavesAnEmptyCell) {
    // Fault pinned: removing a switch without wire flags left a wire cell without any.
    test::LayWire(5, 10, 9, 10);
    ASSERT_NE(test::PlaceSwitch(5, 10), 0);
    Band({9, 10}, {{5, 10}}, true);
    ASSERT_EQ(Flags(5, 10), "");
    ASSERT_TRUE(test::RemoveAt(5, 10));
    EXPECT_EQ(gGrid(5, 10), CellRecord{});
    EXPECT_TRUE(WiresConsistent());
}

TEST_F(WireCommitTest, DeletingUpToAPinKeepsThePinsWireOutsideTheBand) {
    // Fault pinned: a delete band ending on a pin cleared the pin's flag towards the wire outside.
    test::PlaceInverter(6, 9, kRight); // input pin (6,9), output (7,9)
    test::LayWire(6, 4, 6, 9);         // joins the input from above
    test::LayWire(6, 9, 6, 14);        // and from below
    ASSERT_EQ(Flags(6, 9), "OU");
    Band({6, 14}, {{6, 9}}, true);
    Check({{{6, 9}, "O", 9, 0}, {{6, 8}, "OU", 1, 0}, {{6, 10}, "", 0, 0}});
    EXPECT_TRUE(WiresConsistent());
}

// No empty cell carries a wire flag, and every flag is answered by its neighbour.
::testing::AssertionResult WiresConsistent() {
    const auto fail = [](const char* what, int x, int y) {
        return ::testing::AssertionFailure() << what << " at (" << x << "," << y << ")";
    };
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y) {
            const CellRecord& c = gGrid(x, y);
            const bool any = c.Links || c.Oben || c.Rechts || c.Unten;
            if (c.Typ == kTypeEmpty && (any || c.Punkt))
                return fail("empty cell with flags", x, y);
            if (c.Typ == kTypeWire && !any)
                return fail("wire cell without flags", x, y);
            if (c.Rechts && !gGrid(x + 1, y).Links)
                return fail("unanswered Rechts", x, y);
            if (c.Unten && !gGrid(x, y + 1).Oben)
                return fail("unanswered Unten", x, y);
            if (c.Links && (x == 0 || !gGrid(x - 1, y).Rechts))
                return fail("unanswered Links", x, y);
            if (c.Oben && (y == 0 || !gGrid(x, y - 1).Unten))
                return fail("unanswered Oben", x, y);
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_F(WireCommitTest, RandomBandsKeepTheWiresConsistentAndUndoRestoresThem) {
    std::mt19937 rng(20261207);
    std::uniform_int_distribution<int> coord(1, 18);
    std::uniform_int_distribution<int> kind(0, 9);
    for (int i = 0; i < 2000; ++i) {
        const Cell start{coord(rng), coord(rng)};
        const Cell end{coord(rng), coord(rng)};
        const bool horizontalFirst = kind(rng) < 5;
        const Cell corner = horizontalFirst ? Cell{end.x, start.y} : Cell{start.x, end.y};
        screen.ClearLog();
        const bool erase = kind(rng) < 4;
        const bool undoIt = kind(rng) == 0;
        if (undoIt)
            gUndo.DeleteUndoData(false);
        const test::SheetState before = test::CaptureSheet();
        Band(start, {corner, end}, erase);
        ASSERT_TRUE(WiresConsistent()) << "step " << i;
        if (undoIt && !gUndo.NoUndoData()) {
            gUndo.Undo();
            ASSERT_EQ(test::CaptureSheet(), before) << "step " << i;
        }
    }
}

} // namespace
} // namespace kardo
