// Resizing the worksheet from the size boxes: never across content, cells keep their places, a
// shrink clears the undo history, and asking for the current size changes nothing.
#include "model/elements.h"
#include "model/grid.h"
#include "model/undo.h"
#include "render/sheet_size.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <string>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class SheetSizeTest : public test::CoreFixture {
  protected:
    // Asks for w x h through the size boxes.
    void Ask(int w, int h) {
        host.SetCaption("txtX", std::to_string(w));
        host.SetCaption("txtY", std::to_string(h));
        SetNewSize();
    }
    // A wire cell of its own at (x, y).
    static void Mark(int x, int y) { gGrid(x, y).Typ = kTypeWire; }
};

TEST_F(SheetSizeTest, TheSheetKeepsOneFreeRowBelowAndOneFreeColumnRightOfItsContent) {
    const struct {
        int usedX, usedY; // a used cell
        int askW, askH;
        int w, h; // the size set
    } cases[] = {
        {5, 18, 50, 10, 50, 19}, // the lowest used cell in row 18: height 19
        {5, 4, 50, 10, 50, 10},  // nothing below row 5: the height asked for
        {40, 3, 10, 30, 41, 30}, // the rightmost used cell in column 40: width 41
        {3, 3, 10, 10, 10, 10},  // a small content: the size asked for
    };
    for (const auto& c : cases) {
        CreateWorksheet(50, 30);
        Mark(c.usedX, c.usedY);
        Ask(c.askW, c.askH);
        EXPECT_EQ(gFeldBreite, c.w) << c.usedX << "," << c.usedY;
        EXPECT_EQ(gFeldHoehe, c.h) << c.usedX << "," << c.usedY;
        EXPECT_EQ(host.Caption("txtX"), std::to_string(c.w));
        EXPECT_EQ(host.Caption("txtY"), std::to_string(c.h));
        EXPECT_EQ(gGrid(c.usedX, c.usedY).Typ, kTypeWire);
    }
}

// Regression: content in the last row or column of the sheet did not hold the size, so the
// sheet was cut across it and left records naming cells outside the sheet.
TEST_F(SheetSizeTest, ContentInTheLastRowOrColumnIsNeverCut) {
    Mark(50, 12);
    Mark(7, 30);
    Ask(10, 10);
    EXPECT_EQ(gFeldBreite, 50);
    EXPECT_EQ(gFeldHoehe, 30);
    EXPECT_EQ(gGrid(50, 12).Typ, kTypeWire);
    EXPECT_EQ(gGrid(7, 30).Typ, kTypeWire);
}

TEST_F(SheetSizeTest, NoElementNamesACellOutsideTheSheet) {
    ASSERT_NE(test::PlaceAnd(40, 20, kRight, 3), 0);
    Ask(10, 10);
    for (int e = 1; e <= gAnzElemente; ++e)
        for (const PinList* pins : {&gElements[e].Eingaenge, &gElements[e].Ausgaenge})
            for (const GridPoint& p : pins->Points()) {
                EXPECT_LE(p.x, gFeldBreite);
                EXPECT_LE(p.y, gFeldHoehe);
                EXPECT_EQ(gGrid(p.x, p.y).ElementNr, e);
            }
}

TEST_F(SheetSizeTest, EnlargingKeepsEveryCellAndAddsEmptyOnes) {
    test::LayWire(2, 3, 50, 3);
    test::LayWire(4, 1, 4, 30);
    Mark(50, 30);
    const Grid before = gGrid;
    Ask(80, 45);
    EXPECT_EQ(gFeldBreite, 80);
    EXPECT_EQ(gFeldHoehe, 45);
    for (int x = 0; x <= 50; ++x)
        for (int y = 0; y <= 30; ++y)
            ASSERT_EQ(gGrid(x, y), before(x, y)) << x << "," << y;
    for (int x = 51; x <= 81; ++x)
        for (int y = 0; y <= 46; ++y)
            ASSERT_EQ(gGrid(x, y), CellRecord{}) << x << "," << y;
}

TEST_F(SheetSizeTest, AskingForTheCurrentSizeChangesNothingAndDoesNotRedraw) {
    Mark(3, 3);
    host.progressValues.clear();
    const int refreshes = host.refreshCalls;
    Ask(50, 30);
    EXPECT_TRUE(host.progressValues.empty());
    EXPECT_EQ(host.refreshCalls, refreshes);
    EXPECT_EQ(gFeldBreite, 50);
}

TEST_F(SheetSizeTest, AShrinkClearsTheUndoHistoryAGrowthKeepsIt) {
    ASSERT_NE(test::PlaceAnd(10, 10), 0);
    ASSERT_FALSE(gUndo.NoUndoData());
    Ask(60, 40);
    EXPECT_FALSE(gUndo.NoUndoData());
    Ask(20, 20);
    EXPECT_EQ(gFeldBreite, 20);
    EXPECT_TRUE(gUndo.NoUndoData());
}

TEST(SheetSizeBox, TheBoxesHoldTenToTwoHundred) {
    const struct {
        double value;
        int size;
    } cases[] = {{5, 10}, {250, 200}, {0, 10}, {17.5, 18}, {16.5, 16}, {200, 200}, {10, 10}};
    for (const auto& c : cases)
        EXPECT_EQ(ClampSheetSize(c.value), c.size) << c.value;
}

} // namespace
} // namespace kardo
