// Commands that change the grid or the selection while objects or an area are dragged cancel
// the drag first: the select tool returns, the outlines go, and the release pastes nothing.
#include "editor/area_select.h"
#include "editor/mouse_dispatch.h"
#include "editor/object_select.h"
#include "editor/overlays.h"
#include "editor/selection.h"
#include "editor/selection_overlays.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "support/builder.h"
#include "support/editor_fixture.h"
#include "support/mouse_driver.h"

#include <functional>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::Drag;
using test::MoveTo;

// Cells covered by element n.
int CellsOf(std::int16_t n) {
    int count = 0;
    for (int x = 0; x <= gFeldBreite; ++x)
        for (int y = 0; y <= gFeldHoehe; ++y)
            count += gGrid(x, y).ElementNr == n ? 1 : 0;
    return count;
}

class DragCancelTest : public test::EditorFixture {
  protected:
    static void Press(int x, int y) {
        MoveTo(x, y);
        picGrid_MouseDown(kButtonLeft, 0, test::CentreX(x), test::CentreY(y));
    }
    static void Release(int x, int y) {
        picGrid_MouseUp(kButtonLeft, 0, test::CentreX(x), test::CentreY(y));
    }
};

// After Ctrl+Z during a drag the release pasted the buffer's cells of elements still present,
// unchecked: the element then covered its old and its new cells.
TEST_F(DragCancelTest, CommandsDuringAnObjectDragCancelIt) {
    const struct {
        const char* command;
        std::function<void()> run;
        int ledsLeft;
    } cases[] = {
        {"undo", [] { gUndo.Undo(); }, 1},
        {"zoom (full redraw)",
         [] {
             gGrafik.GridMode = 1.5f;
             RedrawAllElements(0);
         },
         2},
        {"delete", [] { LoescheBereich(); }, 1},
        {"lost release", [] { ForgetReleasedButtons(0); }, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        Fresh();
        ASSERT_EQ(test::PlaceLed(10, 10), 1);
        ASSERT_EQ(test::PlaceLed(20, 10), 2);
        Press(10, 10);
        MoveTo(15, 15, kButtonLeft);
        ASSERT_EQ(gMouseMode, kToolDragObjects);
        ASSERT_TRUE(gSelOverlays.picBorder.at(1).Visible);
        c.run();
        EXPECT_EQ(gMouseMode, kToolSelect);
        EXPECT_TRUE(gSelOverlays.picBorder.size() <= 1 || !gSelOverlays.picBorder[1].Visible);
        MoveTo(16, 16, kButtonLeft);
        Release(16, 16);
        EXPECT_EQ(gAnzElemente, c.ledsLeft);
        for (std::int16_t n = 1; n <= gAnzElemente; ++n)
            EXPECT_EQ(CellsOf(n), 1) << n;
        EXPECT_EQ(gGrid(16, 16).Typ, kTypeEmpty);
        EXPECT_EQ(gGrid(15, 15).Typ, kTypeEmpty);
    }
}

TEST_F(DragCancelTest, CommandsDuringAnAreaDragCancelIt) {
    const struct {
        const char* command;
        std::function<void()> run;
        bool marked;
    } cases[] = {
        {"undo", [] { gUndo.Undo(); }, false},
        {"lost release", [] { ForgetReleasedButtons(0); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        Fresh();
        ASSERT_EQ(test::PlaceLed(7, 7), 1);
        ASSERT_EQ(test::PlaceLed(30, 30), 2);
        Drag({{5, 5}, {10, 10}});
        ASSERT_TRUE(gAreaMarked);
        Press(7, 7);
        MoveTo(7, 20, kButtonLeft);
        ASSERT_EQ(gMouseMode, kToolDragArea);
        c.run();
        EXPECT_EQ(gMouseMode, kToolSelect);
        EXPECT_EQ(gAreaMarked, c.marked);
        if (c.marked) {
            // The frame and the markers are back at the area's place.
            EXPECT_EQ(gOverlays.picRahmen.Top, GridToPixel(5));
            EXPECT_TRUE(gOverlays.picRahmen.Visible);
            EXPECT_EQ(gSelOverlays.PObj.size(), 2u);
        }
        MoveTo(7, 21, kButtonLeft);
        Release(7, 21);
        EXPECT_EQ(gGrid(7, 7).ElementNr, 1);
        EXPECT_EQ(CellsOf(1), 1);
        EXPECT_EQ(gElements[1].Eingaenge.Text(), "X7Y7:");
    }
}

// With a placing tool the frame is that tool's outline, and after an object move the area
// corners hold the move's bounding box: Del deleted that box, cutting what else lay in it.
TEST_F(DragCancelTest, DelWhileAPlacingOutlineShowsDeletesOnlyTheSelectedObjects) {
    ASSERT_EQ(test::PlaceLed(10, 10), 1);
    ASSERT_EQ(test::PlaceLed(14, 14), 2);
    test::LayWire(11, 12, 13, 12);
    test::Click(10, 10);
    test::Click(14, 14, kButtonLeft, kCtrlKey);
    Drag({{10, 10}, {11, 10}}); // both one column right: the box is now (11, 10)-(15, 14)
    ASSERT_EQ(gGrid(11, 10).ElementNr, 1);
    gMouseMode = kTypeAnd;
    MoveTo(30, 30);
    gOverlays.picRahmen.Visible = true; // the AND outline under the cursor
    LoescheBereich();
    EXPECT_EQ(gAnzElemente, 0);
    EXPECT_EQ(gGrid(12, 12).Typ, kTypeWire);
    EXPECT_NE(gGrid(12, 12).Links, 0);
}

TEST_F(DragCancelTest, AnotherToolOverTheSheetEndsTheMarkingButKeepsTheSelection) {
    ASSERT_EQ(test::PlaceLed(7, 7), 1);
    Drag({{5, 5}, {10, 10}});
    ASSERT_TRUE(gAreaMarked);
    gMouseMode = kTypeOr;
    MoveTo(30, 30);
    EXPECT_FALSE(gAreaMarked);
    EXPECT_EQ(gSelection, "1;");
    // A right press inside the old area with that tool deletes nothing.
    test::Click(8, 8, kButtonRight);
    EXPECT_EQ(gAnzElemente, 1);
}

} // namespace
} // namespace kardo
