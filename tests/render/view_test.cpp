// The worksheet view: scroll bars in cells, the visible window, automatic scrolling near the
// edges, the right-button grab of the sheet, and 32-bit pixel positions.
#include "app/settings.h"
#include "editor/area_select.h"
#include "editor/gesture_state.h"
#include "editor/mouse_dispatch.h"
#include "editor/overlays.h"
#include "model/grid.h"
#include "model/utilities.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "render/view.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

class ViewTest : public test::CoreFixture {
  protected:
    // A viewport of w x h pixels over the default 50 x 30 sheet (714 x 434 pixels at 100 %).
    void Viewport(int w, int h) {
        host.viewport = {w, h, 0};
        RedrawAllElements(0);
    }
};

TEST_F(ViewTest, ASheetWithThreeCellsToSpareShowsNoScrollBars) {
    // Picture plus three cells: 714 + 42 = 756 across, 434 + 42 = 476 down.
    Viewport(756, 476);
    EXPECT_FALSE(gHScroll.Visible);
    EXPECT_FALSE(gVScroll.Visible);
    EXPECT_EQ(PictureLeft(), 0);
    EXPECT_EQ(PictureTop(), 0);
    // One pixel less each way: the bars are needed.
    Viewport(755, 475);
    EXPECT_TRUE(gHScroll.Visible);
    EXPECT_TRUE(gVScroll.Visible);
}

TEST_F(ViewTest, ScrollBarsCountCellsUpToTheSheetMinusTheVisibleCellsPlusThree) {
    Viewport(30 * 14, 20 * 14);
    EXPECT_EQ(GetVisibleArea(1), 30);
    EXPECT_EQ(GetVisibleArea(2), 20);
    EXPECT_EQ(GetVisibleArea(3), 0);
    EXPECT_EQ(gHScroll.Max, 23);
    EXPECT_EQ(gVScroll.Max, 13);
    SetHScrollValue(99);
    EXPECT_EQ(gHScroll.Value, 23);
    SetVScrollValue(-4);
    EXPECT_EQ(gVScroll.Value, 0);
    SetHScrollValue(3);
    EXPECT_EQ(PictureLeft(), -42);
    EXPECT_EQ(ShownPart(), (PixelBox{42, 0, 420, 280}));
}

TEST_F(ViewTest, TheMaximumNeverFallsBelowZero) {
    // A sheet far smaller than the viewport down but wider across: the vertical bar is hidden,
    // and a bar that is needed by a hair still has a maximum of at least 0.
    CreateWorksheet(200, 10);
    Viewport(300, 2000);
    EXPECT_FALSE(gVScroll.Visible);
    EXPECT_TRUE(gHScroll.Visible);
    EXPECT_GE(gHScroll.Max, 0);
    gGrafik.GridMode = 0.6f;
    CreateWorksheet(10, 10);
    Viewport(100, 100);
    EXPECT_TRUE(gHScroll.Visible);
    EXPECT_GE(gHScroll.Max, 0);
}

TEST_F(ViewTest, TheVisibleWindowNeverEndsBeyondTheSheet) {
    Viewport(30 * 14, 20 * 14);
    SetHScrollValue(gHScroll.Max);
    SetVScrollValue(gVScroll.Max);
    EXPECT_EQ(gGrafik.VStartX, 23);
    EXPECT_EQ(gGrafik.VEndX, 50);
    EXPECT_EQ(gGrafik.VStartY, 13);
    EXPECT_EQ(gGrafik.VEndY, 30);
    // A viewport wider than the sheet.
    Viewport(2000, 1500);
    EXPECT_EQ(gGrafik.VStartX, 0);
    EXPECT_EQ(gGrafik.VEndX, 50);
    EXPECT_EQ(gGrafik.VEndY, 30);
}

TEST_F(ViewTest, AMinimisedWindowLeavesTheBarsAsTheyAre) {
    Viewport(30 * 14, 20 * 14);
    SetHScrollValue(7);
    const ScrollBarState h = gHScroll;
    host.viewport = {2000, 2000, 1};
    ResizeWorksheet();
    EXPECT_EQ(gHScroll, h);
}

TEST_F(ViewTest, AScrollKeepsAndDrawsThePartShown) {
    Viewport(30 * 14, 20 * 14);
    SetHScrollValue(10);
    EXPECT_GT(host.scrollChangedCalls, 0);
    EXPECT_EQ(gGrafik.VStartX, 10);
    EXPECT_EQ(gGrafik.VEndX, 39);
}

TEST_F(ViewTest, ACellCanBeBroughtUnderAViewportPixel) {
    Viewport(30 * 14, 20 * 14);
    ScrollCellTo(30, 15, 100, 50);
    EXPECT_EQ(PixelToGrid(100 - PictureLeft()), 30);
    EXPECT_EQ(PixelToGrid(50 - PictureTop()), 15);
    // Beyond the bars' range the nearest value within it.
    ScrollCellTo(0, 0, 300, 200);
    EXPECT_EQ(gHScroll.Value, 0);
    EXPECT_EQ(gVScroll.Value, 0);
}

class AutoScrollTest : public ViewTest {
  protected:
    AutoScrollTest() {
        gScroll = true;
        Viewport(30 * 14, 20 * 14);
    }
    // AutoScroll at a viewport pixel; the sheet pixel it leaves behind.
    bool At(int vx, int vy, std::int32_t& x, std::int32_t& y) {
        x = vx - PictureLeft();
        y = vy - PictureTop();
        return AutoScroll(x, y);
    }
};

TEST_F(AutoScrollTest, TheMouseNearTheBottomRightCornerMovesBothBarsOneCell) {
    std::int32_t x = 0;
    std::int32_t y = 0;
    ASSERT_TRUE(At(420 - 10, 280 - 10, x, y));
    EXPECT_EQ(gHScroll.Value, 1);
    EXPECT_EQ(gVScroll.Value, 1);
    // The mouse rests: it is now over the sheet pixel one cell further each way.
    EXPECT_EQ(x, 410 + 14);
    EXPECT_EQ(y, 270 + 14);
}

TEST_F(AutoScrollTest, NearTheTopLeftCornerBothBarsMoveBack) {
    SetHScrollValue(5);
    SetVScrollValue(5);
    std::int32_t x = 0;
    std::int32_t y = 0;
    ASSERT_TRUE(At(10, 10, x, y));
    EXPECT_EQ(gHScroll.Value, 4);
    EXPECT_EQ(gVScroll.Value, 4);
    EXPECT_EQ(x, 56 + 10);
}

TEST_F(AutoScrollTest, NothingMovesAwayFromTheEdgesOrAtTheBarsLimits) {
    const struct {
        int vx, vy, h, v;
        const char* what;
    } cases[] = {
        {200, 140, 0, 0, "the middle"},
        {20, 140, 0, 0, "20 pixels from the left edge"},
        {400, 140, 23, 0, "the right edge at the maximum"},
        {10, 10, 0, 0, "the top-left corner at 0"},
    };
    for (const auto& c : cases) {
        SetHScrollValue(c.h);
        SetVScrollValue(c.v);
        std::int32_t x = 0;
        std::int32_t y = 0;
        EXPECT_FALSE(At(c.vx, c.vy, x, y)) << c.what;
        EXPECT_EQ(gHScroll.Value, c.h) << c.what;
        EXPECT_EQ(gVScroll.Value, c.v) << c.what;
    }
}

TEST_F(AutoScrollTest, OffWithoutTheScrollSetting) {
    gScroll = false;
    std::int32_t x = 0;
    std::int32_t y = 0;
    EXPECT_FALSE(At(419, 279, x, y));
    EXPECT_EQ(gHScroll.Value, 0);
    EXPECT_EQ(gVScroll.Value, 0);
}

TEST_F(AutoScrollTest, TheWireBandFollowsTheCellUnderTheRestingMouse) {
    ResetMouseDispatch();
    gMouseMode = kToolWire;
    picGrid_MouseMove(0, 0, GridToPixel(5), GridToPixel(5));
    picGrid_MouseDown(kButtonLeft, 0, GridToPixel(5), GridToPixel(5));
    // Near the right edge: one step, and the band reaches the cell now under the mouse.
    picGrid_MouseMove(kButtonLeft, 0, 412, GridToPixel(5));
    EXPECT_EQ(gHScroll.Value, 1);
    EXPECT_EQ(gCursorX, PixelToGrid(412 + 14));
    EXPECT_EQ(gOverlays.LeitungH.X2, GridToPixel(gCursorX));
    // Each further move (the canvas repeats it while the mouse rests) steps again.
    picGrid_MouseMove(kButtonLeft, 0, gGesture.MouseX, gGesture.MouseY);
    EXPECT_EQ(gHScroll.Value, 2);
    picGrid_MouseUp(kButtonLeft, 0, gGesture.MouseX, gGesture.MouseY);
    EXPECT_EQ(gGrid(gCursorX, 5).Typ, kTypeWire);
}

// Regression: the right-button drag of the sheet added a pixel distance to a twips position and
// measured from the press, so nothing moved until the pointer was 105 px away (at 100 %), and
// then the sheet jumped a cell on every mouse event.
TEST_F(ViewTest, TheRightButtonGrabsTheSheetWhereItWasPressed) {
    Viewport(30 * 14, 20 * 14);
    SetHScrollValue(10);
    SetVScrollValue(5);
    ResetMouseDispatch();
    gMouseMode = kToolSelect;
    // Press at viewport (200, 100): sheet (340, 170).
    const double px = 200 - PictureLeft();
    const double py = 100 - PictureTop();
    picGrid_MouseMove(0, 0, px, py);
    picGrid_MouseDown(kButtonRight, 0, px, py);
    // Two cells left and one up on the screen: the sheet follows at once.
    picGrid_MouseMove(kButtonRight, 0, 172 - PictureLeft(), 86 - PictureTop());
    EXPECT_EQ(gHScroll.Value, 12);
    EXPECT_EQ(gVScroll.Value, 6);
    EXPECT_EQ(172 - PictureLeft(), 340); // the press pixel is under the pointer again
    // The pointer rests: further events leave the sheet where it is.
    for (int i = 0; i < 5; ++i)
        picGrid_MouseMove(kButtonRight, 0, 172 - PictureLeft(), 86 - PictureTop());
    EXPECT_EQ(gHScroll.Value, 12);
    EXPECT_EQ(gVScroll.Value, 6);
    // Far to the left and down: the bars stop at their limits (no edge scrolling meanwhile).
    picGrid_MouseMove(kButtonRight, 0, 5 - PictureLeft(), 270 - PictureTop());
    EXPECT_EQ(gHScroll.Value, gHScroll.Max);
    EXPECT_EQ(gVScroll.Value, 0);
    picGrid_MouseUp(kButtonRight, 0, 0, 0);
}

TEST_F(ViewTest, AViewCommandEndsTheRunningGestureFirst) {
    Viewport(30 * 14, 20 * 14);
    ResetMouseDispatch();
    gMouseMode = kToolWire;
    picGrid_MouseMove(0, 0, GridToPixel(5), GridToPixel(5));
    picGrid_MouseDown(kButtonLeft, 0, GridToPixel(5), GridToPixel(5));
    picGrid_MouseMove(kButtonLeft, 0, GridToPixel(9), GridToPixel(5));
    EndGestureForView();
    EXPECT_FALSE(gGesture.LineActive);
    EXPECT_EQ(gGesture.GestureButton, 0);
    EXPECT_EQ(gGrid(9, 5).Typ, kTypeWire);
    // The later release of the button finds no gesture.
    picGrid_MouseUp(kButtonLeft, 0, GridToPixel(12), GridToPixel(5));
    EXPECT_EQ(gGrid(12, 5).Typ, kTypeEmpty);
}

// Regression: GridToPixel returned 16 bits and wrapped beyond about column 935 at 250 %.
TEST_F(ViewTest, PixelPositionsOfALargeSheetDoNotWrap) {
    gGrafik.GridMode = 2.5f;
    EXPECT_EQ(GridToPixel(935), 32742);
    EXPECT_EQ(GridToPixel(936), 32778);
    EXPECT_EQ(GridToPixel(1000), 35018);
    EXPECT_EQ(PixelToGrid(GridToPixel(1000)), 1000);
    CreateWorksheet(1000, 1000);
    Viewport(800, 600);
    SetHScrollValue(gHScroll.Max);
    EXPECT_GT(-PictureLeft(), 32767);
}

} // namespace
} // namespace kardo
