// Gate placing and removing: footprints, pin lists, border rule and collisions.
#include "model/basic_elements.h"
#include "model/placement.h"
#include "model/undo.h"
#include "render/grafik.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using GatesTest = test::CoreFixture;

// The rectangle covered by element n, or all zero when it covers no cell.
Footprint Covered(int n) {
    Footprint f{999, 999, -1, -1};
    bool any = false;
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y) {
            if (gGrid(x, y).ElementNr != n)
                continue;
            any = true;
            f.X1 = std::min<std::int16_t>(f.X1, static_cast<std::int16_t>(x));
            f.Y1 = std::min<std::int16_t>(f.Y1, static_cast<std::int16_t>(y));
            f.X2 = std::max<std::int16_t>(f.X2, static_cast<std::int16_t>(x));
            f.Y2 = std::max<std::int16_t>(f.Y2, static_cast<std::int16_t>(y));
        }
    }
    return any ? f : Footprint{};
}

int CellCount(int n) {
    int count = 0;
    for (int x = 0; x <= gFeldBreite; ++x)
        for (int y = 0; y <= gFeldHoehe; ++y)
            count += gGrid(x, y).ElementNr == n;
    return count;
}

struct GateCase {
    std::uint8_t typ;
    std::uint8_t o;
    int x, y, n;
    Footprint footprint;
    const char* inputs;
    const char* output;
    const char* text;
};

TEST_F(GatesTest, FootprintsAndPinListsPerOrientation) {
    const GateCase cases[] = {
        {kTypeAnd, kRight, 5, 5, 2, {5, 4, 7, 6}, "X5Y4:X5Y6:", "X7Y5:", "2"},
        {kTypeOr, kRight, 5, 5, 3, {5, 4, 7, 6}, "X5Y4:X5Y5:X5Y6:", "X7Y5:", ""},
        {kTypeXor, kDown, 5, 5, 4, {4, 5, 7, 7}, "X4Y5:X5Y5:X6Y5:X7Y5:", "X6Y7:", ""},
        {kTypeAnd,
         kRight,
         10,
         10,
         4,
         {10, 9, 12, 12},
         "X10Y9:X10Y10:X10Y11:X10Y12:",
         "X12Y11:",
         ""},
        {kTypeAnd, kLeft, 10, 10, 2, {8, 9, 10, 11}, "X10Y9:X10Y11:", "X8Y10:", "2"},
        {kTypeOr, kLeft, 10, 10, 3, {8, 9, 10, 11}, "X10Y9:X10Y10:X10Y11:", "X8Y10:", ""},
        {kTypeOr, kDown, 10, 10, 2, {9, 10, 11, 12}, "X9Y10:X11Y10:", "X10Y12:", "2"},
        {kTypeXor, kUp, 10, 10, 3, {9, 8, 11, 10}, "X9Y10:X10Y10:X11Y10:", "X10Y8:", ""},
        {kTypeAnd,
         kUp,
         10,
         10,
         5,
         {9, 8, 13, 10},
         "X9Y10:X10Y10:X11Y10:X12Y10:X13Y10:",
         "X11Y8:",
         ""},
        {kTypeXor, kUp, 10, 10, 2, {9, 8, 11, 10}, "X9Y10:X11Y10:", "X10Y8:", "2"},
        {kTypeAnd,
         kRight,
         10,
         10,
         15,
         {10, 9, 12, 23},
         "X10Y9:X10Y10:X10Y11:X10Y12:X10Y13:X10Y14:X10Y15:X10Y16:X10Y17:X10Y18:X10Y19:X10Y20:"
         "X10Y21:X10Y22:X10Y23:",
         "X12Y16:",
         ""},
    };
    for (const GateCase& c : cases) {
        InitProgramState();
        const std::int16_t n = test::PlaceGate(c.typ, c.x, c.y, c.o, c.n);
        ASSERT_EQ(n, 1) << "orientation " << int(c.o) << " n " << c.n;
        const ElementRecord& e = gElements[1];
        EXPECT_EQ(Covered(n), c.footprint) << "orientation " << int(c.o) << " n " << c.n;
        EXPECT_EQ(CellCount(n),
                  (c.footprint.X2 - c.footprint.X1 + 1) * (c.footprint.Y2 - c.footprint.Y1 + 1));
        EXPECT_EQ(gGrid(c.footprint.X1, c.footprint.Y1).Typ, c.typ);
        EXPECT_EQ(e.Eingaenge.Text(), c.inputs);
        EXPECT_EQ(e.Ausgaenge.Text(), c.output);
        EXPECT_EQ(e.Text, c.text);
        EXPECT_EQ(e.Typ, c.typ);
        EXPECT_EQ(e.Richtung, c.o);
        EXPECT_EQ(e.Nr, 1);
        EXPECT_EQ(e.Farbe, 0);
        EXPECT_EQ(gZweiEingaenge, TruthValue(c.n == 2));
        EXPECT_EQ(gUndo.Step(1).Description, "UND/ODER/X-ODER setzen");
        EXPECT_EQ(gUndo.Step(1).X1, c.footprint.X1);
        EXPECT_EQ(gUndo.Step(1).Y2, c.footprint.Y2);
        EXPECT_EQ(gGrafik.Orientation, c.o);
        EXPECT_FALSE(screen.Calls().empty()) << "the gate is drawn";
        screen.ClearLog();
    }
}

struct BorderCase {
    std::uint8_t o;
    int x, y, n;
    bool placed;
};

TEST_F(GatesTest, BorderRuleAsCursorBounds) {
    // Sheet 50 x 30.
    const BorderCase cases[] = {
        {kRight, 0, 10, 3, false},  {kRight, 1, 10, 3, true},  {kRight, 47, 10, 3, true},
        {kRight, 48, 10, 3, false}, {kRight, 5, 1, 3, false},  {kRight, 5, 2, 3, true},
        {kRight, 5, 28, 3, true},   {kRight, 5, 29, 3, false}, {kRight, 5, 16, 15, true},
        {kRight, 5, 17, 15, false}, {kLeft, 2, 10, 3, false},  {kLeft, 3, 10, 3, true},
        {kLeft, 49, 10, 3, true},   {kLeft, 50, 10, 3, false}, {kLeft, 10, 1, 3, false},
        {kDown, 10, 0, 3, false},   {kDown, 10, 1, 3, true},   {kDown, 10, 27, 3, true},
        {kDown, 10, 28, 3, false},  {kDown, 1, 10, 3, false},  {kDown, 2, 10, 3, true},
        {kDown, 48, 10, 3, true},   {kDown, 49, 10, 3, false}, {kDown, 37, 10, 14, true},
        {kDown, 38, 10, 14, false}, {kUp, 10, 2, 3, false},    {kUp, 10, 3, 3, true},
        {kUp, 10, 29, 3, true},     {kUp, 10, 30, 3, false},   {kUp, 1, 10, 2, false},
    };
    for (const BorderCase& c : cases) {
        InitProgramState();
        const test::SheetState before = test::CaptureSheet();
        const std::int16_t n = test::PlaceAnd(c.x, c.y, c.o, c.n);
        EXPECT_EQ(n != 0, c.placed)
            << "orientation " << int(c.o) << " at " << c.x << "," << c.y << " n " << c.n;
        if (!c.placed) {
            EXPECT_EQ(test::CaptureSheet(), before);
            EXPECT_TRUE(gUndo.NoUndoData());
        }
    }
}

TEST_F(GatesTest, FifteenInputsAtRowTwoNeedASheetOfHeightSixteen) {
    CreateWorksheet(50, 15);
    EXPECT_EQ(test::PlaceAnd(5, 2, kRight, 15), 0);
    InitProgramState();
    CreateWorksheet(50, 16);
    EXPECT_EQ(test::PlaceAnd(5, 2, kRight, 15), 1);
}

TEST_F(GatesTest, InputCountComesFromThePropertyBoxWithinTwoToFifteen) {
    host.SetCaption("txtAnschlüsse", "4");
    EXPECT_EQ(GateInputCount(), 4);
    host.SetCaption("txtAnschlüsse", "");
    EXPECT_EQ(GateInputCount(), 2);
    host.SetCaption("txtAnschlüsse", "99");
    EXPECT_EQ(GateInputCount(), 15);
}

TEST_F(GatesTest, WireEndingAtAPinIsAcceptedAWireAlongTheBorderIsNot) {
    test::LayWire(2, 10, 5, 10); // ends at the input column from the left
    EXPECT_EQ(test::PlaceAnd(5, 10, kRight, 3), 1);
    EXPECT_EQ(gGrid(5, 10).Typ, kTypeAnd);
    EXPECT_EQ(gGrid(5, 10).Links, kTrue); // the wire's end is now a pin connection

    InitProgramState();
    test::LayWire(5, 2, 5, 20); // runs vertically through the input column
    const test::SheetState before = test::CaptureSheet();
    EXPECT_EQ(test::PlaceAnd(5, 10, kRight, 3), 0);
    EXPECT_EQ(test::CaptureSheet(), before);
}

TEST_F(GatesTest, RemovingATwoInputGateClearsTheWholeFootprint) {
    test::LayWire(2, 4, 5, 4);
    ASSERT_EQ(test::PlaceAnd(5, 5, kRight, 2), 1);
    ASSERT_EQ(test::PlaceOr(20, 5, kDown, 3), 2);
    ASSERT_TRUE(test::RemoveAt(5, 5)); // the middle cell of the input side
    EXPECT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gElements[1].Typ, kTypeOr);
    EXPECT_EQ(gElements[1].Nr, 1);
    EXPECT_EQ(gGrid(20, 5).ElementNr, 1); // renumbered
    for (int x = 5; x <= 7; ++x)
        for (int y = 4; y <= 6; ++y)
            EXPECT_EQ(gGrid(x, y).ElementNr, 0) << x << "," << y;
    EXPECT_EQ(gGrid(5, 4).Typ, kTypeWire); // the joined pin stays the wire's end
    EXPECT_EQ(gGrid(5, 6).Typ, kTypeEmpty);
    EXPECT_EQ(gUndo.Step(1).Description, "UND/ODER/X-ODER löschen");
    EXPECT_EQ(gUndo.Step(1).X1, 5);
    EXPECT_EQ(gUndo.Step(1).Y1, 4);
    EXPECT_EQ(gUndo.Step(1).X2, 7);
    EXPECT_EQ(gUndo.Step(1).Y2, 6);
}

TEST_F(GatesTest, RemovalRectangleIsTheFootprintInEveryOrientation) {
    for (std::uint8_t o : {kLeft, kRight, kUp, kDown}) {
        for (int n : {2, 3, 6}) {
            InitProgramState();
            ASSERT_EQ(test::PlaceXor(10, 10, o, n), 1);
            const Footprint f = Covered(1);
            const test::SheetState placed = test::CaptureSheet();
            ASSERT_TRUE(test::RemoveAt(f.X2, f.Y2));
            EXPECT_EQ(Covered(1), Footprint{});
            const UndoStep& s = gUndo.Step(1);
            EXPECT_EQ((Footprint{s.X1, s.Y1, s.X2, s.Y2}), f) << int(o) << " n " << n;
            gUndo.Undo();
            EXPECT_EQ(test::CaptureSheet(), placed);
        }
    }
}

} // namespace
} // namespace kardo
