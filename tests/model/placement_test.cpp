// Placement frame: the collision test's precedence, the area clearing and the common steps.
#include "model/placement.h"
#include "model/undo.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <functional>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using PlacementTest = test::CoreFixture;

enum Flag : unsigned { L = 1, O = 2, R = 4, U = 8 };

void SetWire(int x, int y, unsigned flags) {
    CellRecord& c = gGrid(x, y);
    c.Typ = kTypeWire;
    c.Links = TruthValue(flags & L);
    c.Oben = TruthValue(flags & O);
    c.Rechts = TruthValue(flags & R);
    c.Unten = TruthValue(flags & U);
}

struct BlockCase {
    int x, y;       // wire cell
    unsigned flags; // its wire flags
    bool blocked;   // for the rectangle (5, 5)-(7, 7)
};

TEST_F(PlacementTest, WireCellsBlockByTheirPlaceInTheRectangle) {
    const BlockCase cases[] = {
        // top-left corner
        {5, 5, L, false},
        {5, 5, O, false},
        {5, 5, R, true},
        {5, 5, U, true},
        // bottom-left corner
        {5, 7, L, false},
        {5, 7, U, false},
        {5, 7, R, true},
        {5, 7, O, true},
        // top-right corner
        {7, 5, R, false},
        {7, 5, O, false},
        {7, 5, L, true},
        {7, 5, U, true},
        // bottom-right corner
        {7, 7, R, false},
        {7, 7, U, false},
        {7, 7, L, true},
        {7, 7, O, true},
        // side columns
        {5, 6, L, false},
        {5, 6, R, false},
        {5, 6, O, true},
        {5, 6, U, true},
        {7, 6, L, false},
        {7, 6, R, false},
        {7, 6, O, true},
        {7, 6, U, true},
        // side rows
        {6, 5, O, false},
        {6, 5, U, false},
        {6, 5, L, true},
        {6, 5, R, true},
        {6, 7, O, false},
        {6, 7, U, false},
        {6, 7, L, true},
        {6, 7, R, true},
        // inside: any wire cell
        {6, 6, 0, true},
        {6, 6, L, true},
        // a bare wire cell on the border
        {5, 6, 0, false},
        // outside the rectangle
        {4, 6, L | O | R | U, false},
    };
    for (const BlockCase& c : cases) {
        InitProgramState();
        SetWire(c.x, c.y, c.flags);
        EXPECT_EQ(IsAreaBlocked(5, 5, 7, 7), c.blocked)
            << "cell " << c.x << "," << c.y << " flags " << c.flags;
    }
}

TEST_F(PlacementTest, CornerRulesTakePrecedenceOverSideRules) {
    // One column: (5, 5) is top-left and top-right corner; the top-left rule decides.
    SetWire(5, 5, L);
    EXPECT_FALSE(IsAreaBlocked(5, 5, 5, 7));
    // One row: (6, 5) lies in the top and the bottom row; only Links or Rechts block.
    InitProgramState();
    SetWire(6, 5, O | U);
    EXPECT_FALSE(IsAreaBlocked(5, 5, 7, 5));
    SetWire(6, 5, R);
    EXPECT_TRUE(IsAreaBlocked(5, 5, 7, 5));
}

TEST_F(PlacementTest, ElementCellsAlwaysBlockEmptyCellsNever) {
    EXPECT_FALSE(IsAreaBlocked(5, 5, 7, 7));
    gGrid(5, 5).Typ = kTypeAnd;
    EXPECT_TRUE(IsAreaBlocked(5, 5, 7, 7));
    // Touching from outside does not block.
    EXPECT_FALSE(IsAreaBlocked(6, 5, 8, 7));
    // A reversed rectangle is never blocked.
    EXPECT_FALSE(IsAreaBlocked(7, 5, 5, 7));
    // Point marks are not examined.
    InitProgramState();
    gGrid(6, 6).Punkt = kPointConnection;
    EXPECT_FALSE(IsAreaBlocked(5, 5, 7, 7));
}

TEST_F(PlacementTest, ClearAreaKeepsAnsweredWireEnds) {
    MarkArea({5, 5, 7, 7}, kTypeAnd, 1);
    gGrid(6, 6).Punkt = kPointConnection;
    gGrid(6, 6).ICLevel = 3;
    gGrid(6, 6).ICPin = 2;
    gGrid(6, 6).Pegel = kTrue;
    // left pin joined from the left
    gGrid(5, 6).Links = kTrue;
    gGrid(4, 6).Typ = kTypeWire;
    gGrid(4, 6).Rechts = kTrue;
    // right pin with an unanswered flag
    gGrid(7, 6).Rechts = kTrue;
    // bottom pin joined from below
    gGrid(6, 7).Unten = kTrue;
    gGrid(6, 8).Typ = kTypeWire;
    gGrid(6, 8).Oben = kTrue;

    ClearArea(5, 5, 7, 7);
    EXPECT_EQ(gGrid(5, 6).Typ, kTypeWire);
    EXPECT_EQ(gGrid(5, 6).Links, kTrue);
    EXPECT_EQ(gGrid(7, 6).Typ, kTypeEmpty);
    EXPECT_EQ(gGrid(7, 6).Rechts, kFalse); // an emptied cell keeps no flag
    EXPECT_EQ(gGrid(6, 7).Typ, kTypeWire);
    const CellRecord& mid = gGrid(6, 6);
    EXPECT_EQ(mid.Typ, kTypeEmpty);
    EXPECT_EQ(mid.Punkt, 0);
    EXPECT_EQ(mid.ICLevel, 0);
    EXPECT_EQ(mid.ICPin, 0);
    EXPECT_EQ(mid.ElementNr, 0);
    EXPECT_EQ(mid.Pegel, kTrue); // levels are not touched
    for (int x = 5; x <= 7; ++x)
        for (int y = 5; y <= 7; ++y)
            EXPECT_EQ(gGrid(x, y).ElementNr, 0);
}

TEST_F(PlacementTest, ClearAreaCornerKeepsAWireEndDespiteAnUnansweredSide) {
    // Fault pinned: a corner cell joined from the left but with an unanswered upward flag was
    // emptied, leaving the left neighbour's wire flag pointing into an empty cell.
    MarkArea({5, 5, 7, 7}, kTypeAnd, 1);
    gGrid(5, 5).Links = kTrue;
    gGrid(5, 5).Oben = kTrue; // nobody above answers
    gGrid(4, 5).Typ = kTypeWire;
    gGrid(4, 5).Rechts = kTrue;
    ClearArea(5, 5, 7, 7);
    EXPECT_EQ(gGrid(5, 5).Typ, kTypeWire);
}

// Regression: the cells of a removed element kept their wire flags, so a wire laid between two
// of its pins left empty cells with wire flags, which a circuit file cannot hold (found by the
// edit/save property test, seed 2).
TEST_F(PlacementTest, ClearAreaLeavesNoFlagsOnEmptiedCellsOrPointingIntoThem) {
    MarkArea({5, 5, 7, 7}, kTypeAnd, 1);
    // A wire between the pins (5, 5) and (5, 6), and from (5, 6) on to the left.
    gGrid(5, 5).Unten = gGrid(5, 6).Oben = kTrue;
    gGrid(5, 6).Links = kTrue;
    gGrid(4, 6).Typ = kTypeWire;
    gGrid(4, 6).Rechts = kTrue;
    // A wire between the pins (6, 7) and (7, 7), neither joined from outside.
    gGrid(6, 7).Rechts = gGrid(7, 7).Links = kTrue;
    ClearArea(5, 5, 7, 7);
    EXPECT_EQ(gGrid(5, 5), CellRecord{});
    EXPECT_EQ(gGrid(6, 7), CellRecord{});
    EXPECT_EQ(gGrid(7, 7), CellRecord{});
    const CellRecord& end = gGrid(5, 6);
    EXPECT_EQ(end.Typ, kTypeWire);
    EXPECT_EQ(end.Links, kTrue);
    EXPECT_EQ(end.Oben, kFalse);
}

TEST_F(PlacementTest, FitsSheetKeepsOneFreeCellToEveryEdge) {
    EXPECT_TRUE(FitsSheet({1, 1, 49, 29}));
    EXPECT_FALSE(FitsSheet({0, 1, 3, 3}));
    EXPECT_FALSE(FitsSheet({1, 0, 3, 3}));
    EXPECT_FALSE(FitsSheet({1, 1, 50, 3}));
    EXPECT_FALSE(FitsSheet({1, 1, 3, 30}));
}

TEST_F(PlacementTest, PlaceBlockRecordsTheFootprintAndRemoveBlockTakesItBack) {
    gOrientierung = kDown;
    const test::SheetState before = test::CaptureSheet();
    ElementRecord* e = PlaceBlock({4, 4, 6, 8}, kTypeHalfAdder, "Halbaddierer setzen");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Nr, 1);
    EXPECT_EQ(e->Richtung, kDown);
    EXPECT_EQ(gGrid(6, 8).ElementNr, 1);
    EXPECT_EQ(gGrid(6, 8).Typ, kTypeHalfAdder);
    EXPECT_EQ(gUndo.Step(1).Description, "Halbaddierer setzen");
    EXPECT_EQ(gUndo.Step(1).X1, 4);
    EXPECT_EQ(gUndo.Step(1).Y2, 8);

    RemoveBlock({4, 4, 6, 8}, 1, "HA oder VA löschen");
    EXPECT_EQ(gAnzElemente, 0);
    EXPECT_EQ(gUndo.Step(1).Description, "HA oder VA löschen");
    gUndo.Undo();
    EXPECT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gGrid(5, 6).ElementNr, 1);
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), before);
}

TEST_F(PlacementTest, RefusedPlaceBlockChangesNothing) {
    gGrid(5, 5).Typ = kTypeAnd;
    gGrid(5, 5).ElementNr = 0;
    const test::SheetState before = test::CaptureSheet();
    EXPECT_EQ(PlaceBlock({4, 4, 6, 6}, kTypeHalfAdder, "x"), nullptr); // blocked
    EXPECT_EQ(PlaceBlock({0, 4, 2, 6}, kTypeHalfAdder, "x"), nullptr); // border
    EXPECT_EQ(test::CaptureSheet(), before);
    EXPECT_TRUE(gUndo.NoUndoData());
}

} // namespace
} // namespace kardo

namespace kardo {
namespace {

using PlacingDrawsTest = test::CoreFixture;

TEST_F(PlacingDrawsTest, EveryPlacingDrawsItsSymbolAndARefusalDrawsNothing) {
    test::LayWire(2, 10, 12, 10);
    test::LayWire(20, 10, 20, 12);
    test::LayWire(18, 11, 22, 11); // crossing at (20, 11)
    struct {
        const char* what;
        std::function<bool()> place;
    } const cases[] = {
        {"switch", [] { return test::PlaceSwitch(2, 10) != 0; }},
        {"LED", [] { return test::PlaceLed(30, 20) != 0; }},
        {"inverter", [] { return test::PlaceInverter(12, 10, kRight) != 0; }},
        {"tri-state", [] { return test::PlaceTriState(30, 5, kDown) != 0; }},
        {"analysis point", [] { return test::PlaceAnalysisPoint(6, 10) != 0; }},
        {"AND", [] { return test::PlaceAnd(40, 10, kUp, 3) != 0; }},
        {"negation point", [] { return test::Negate(40, 8); }},
        {"connection point", [] { return test::SetPoint(20, 11); }},
    };
    for (const auto& c : cases) {
        screen.ClearLog();
        ASSERT_TRUE(c.place()) << c.what;
        EXPECT_FALSE(screen.Calls().empty()) << c.what;
    }
    screen.ClearLog();
    EXPECT_EQ(test::PlaceSwitch(30, 25), 0);
    EXPECT_EQ(test::PlaceAnd(0, 0), 0);
    EXPECT_EQ(test::PlaceInverter(30, 20, kRight), 0); // on the LED
    EXPECT_TRUE(screen.Calls().empty());
}

} // namespace
} // namespace kardo
