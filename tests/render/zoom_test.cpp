// Zoom: the steps, the fits, the percentage box's reading and text, the picture budget, and the
// scroll values that survive a zoom.
#include "model/grid.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "render/view.h"
#include "render/zoom.h"
#include "support/core_fixture.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class ZoomTest : public test::CoreFixture {
  protected:
    ZoomTest() { host.viewport = {714, 434, 0}; }
};

TEST(ZoomSteps, StepsInAndOutStayWithinTheirRange) {
    std::vector<std::string> up;
    float z = 1.0f;
    for (int i = 0; i < 9; ++i) {
        z = ZoomStepIn(z);
        up.push_back(ZoomPercentText(z));
    }
    EXPECT_EQ(up, (std::vector<std::string>{"120%", "140%", "160%", "180%", "200%", "220%", "240%",
                                            "250%", "250%"}));
    std::vector<std::string> down;
    z = 1.0f;
    for (int i = 0; i < 3; ++i) {
        z = ZoomStepOut(z);
        down.push_back(ZoomPercentText(z));
    }
    EXPECT_EQ(down, (std::vector<std::string>{"80%", "60%", "60%"}));
    // From a fit above the range: one step in is exactly 2.5, one step out 0.2 less.
    EXPECT_EQ(ZoomStepIn(3.1f), 2.5f);
    EXPECT_EQ(ZoomStepOut(3.1f), 3.1f - 0.2f);
}

TEST(ZoomBox, ThePercentageTextIsCutDownToAWholeNumber) {
    const struct {
        float zoom;
        const char* text;
    } cases[] = {{1.0f, "100%"}, {0.8734f, "87%"}, {0.6f, "60%"}, {2.5f, "250%"}, {1.2f, "120%"}};
    for (const auto& c : cases)
        EXPECT_EQ(ZoomPercentText(c.zoom), c.text) << c.zoom;
}

TEST(ZoomBox, ChoosingOrEnteringAPercentage) {
    const struct {
        const char* typed;
        float current;
        bool enter;
        const char* text;
        float zoom;
        bool change;
    } cases[] = {
        {"300", 1.0f, true, "250%", 2.5f, true},       // above the range
        {"abc", 1.0f, true, "60%", 0.6f, true},        // letters read as 0
        {"80", 0.8f, true, "80%", 0.8f, false},        // the zoom in force: nothing to do
        {"87%", 0.8734f, true, "87%", 0.87f, false},   // Enter on the shown text keeps 87.34 %
        {"87%", 0.8734f, false, "87%", 0.87f, true},   // a list entry compares uncut
        {" 125 % ", 1.0f, false, "125%", 1.25f, true}, // blanks skipped, "%" ends the number
        {"87.5", 1.0f, true, "87.5%", 0.875f, true},   // a fraction stays
        {"59.9%", 1.0f, true, "60%", 0.6f, true},      // below the range
    };
    for (const auto& c : cases) {
        const ZoomBoxChoice r = ZoomBoxChoose(c.typed, c.current, c.enter);
        EXPECT_EQ(r.text, c.text) << c.typed;
        EXPECT_EQ(r.zoom, c.zoom) << c.typed;
        EXPECT_EQ(r.change, c.change) << c.typed;
    }
}

TEST(ZoomBox, LeavingTheBoxWithoutEnterShowsTheZoomInForce) {
    EXPECT_EQ(ZoomBoxLeave("90", 0.8734f), "87.34%");
    EXPECT_EQ(ZoomBoxLeave("87", 0.8734f), "87%");
    EXPECT_EQ(ZoomBoxLeave("120%", 1.2f), "120%");
    EXPECT_EQ(ZoomBoxLeave("", 1.0f), "100%");
}

TEST_F(ZoomTest, FitsUseTheViewportAndTheSheetWithItsBorderCells) {
    // 50 x 30 cells: 52 x 14 = 728 pixels across, 32 x 14 = 448 down.
    host.viewport = {728 * 2, 448, 0};
    gGrafik.ZoomHeight();
    EXPECT_FLOAT_EQ(gGrafik.GridMode, 1.0f);
    gGrafik.ZoomWidth();
    EXPECT_FLOAT_EQ(gGrafik.GridMode, 2.0f);
    // The direction with less room per cell decides.
    gGrafik.ZoomFull();
    EXPECT_FLOAT_EQ(gGrafik.GridMode, 1.0f);
    host.viewport = {728, 448 * 3, 0};
    gGrafik.ZoomFull();
    EXPECT_FLOAT_EQ(gGrafik.GridMode, 1.0f);
    gGrafik.Zoom100();
    EXPECT_EQ(gGrafik.GridMode, 1.0f);
}

TEST_F(ZoomTest, ATieOfTheFitsGoesToTheHeight) {
    // Room per cell: 500 / 50 = 10 across and 300 / 30 = 10 down.
    host.viewport = {500, 300, 0};
    gGrafik.ZoomFull();
    EXPECT_FLOAT_EQ(gGrafik.GridMode, 300.0f / (32 * 14));
}

TEST_F(ZoomTest, FitsStayAtSixtyPercentOrAboveWithoutAnUpperLimit) {
    CreateWorksheet(200, 200);
    host.viewport = {500, 300, 0};
    gGrafik.ZoomFull();
    EXPECT_EQ(gGrafik.GridMode, 0.6f);
    EXPECT_TRUE(gHScroll.Visible); // the scroll bars take over
    CreateWorksheet(10, 10);
    host.viewport = {1000, 800, 0};
    gGrafik.ZoomHeight();
    EXPECT_FLOAT_EQ(gGrafik.GridMode, 800.0f / (12 * 14));
    EXPECT_GT(gGrafik.GridMode, kZoomMax);
}

TEST_F(ZoomTest, EveryZoomRedrawsAndKeepsTheScrollValuesInCells) {
    host.viewport = {300, 200, 0};
    RedrawAllElements(0);
    SetHScrollValue(12);
    SetVScrollValue(7);
    host.progressValues.clear();
    SetZoom(ZoomStepIn(gGrafik.GridMode));
    EXPECT_FALSE(host.progressValues.empty());
    EXPECT_EQ(gHScroll.Value, 12);
    EXPECT_EQ(gVScroll.Value, 7);
    EXPECT_EQ(PictureLeft(), -static_cast<int>(std::ceil(12 * 14 * 1.2f)));
    // Zoomed out so far that fewer cells are scrolled away at most: held to the new maximum.
    SetZoom(kZoomMin);
    EXPECT_LE(gHScroll.Value, gHScroll.Max);
}

TEST_F(ZoomTest, EveryZoomOfA200By200SheetWorks) {
    CreateWorksheet(200, 200);
    host.viewport = {1280, 800, 0};
    for (float z = kZoomMin;; z = ZoomStepIn(z)) {
        SetZoom(z);
        EXPECT_EQ(gGrafik.GridMode, z);
        if (z == kZoomMax)
            break;
    }
    EXPECT_EQ(screen.Width(), 7035);
}

TEST_F(ZoomTest, ThePictureBudgetHoldsTheZoomBelowIt) {
    // Only a viewport beyond any screen can make the picture reach the budget: 20,000 pixels a
    // side holds a 300 x 300 sheet of 301 x 14 x zoom pixels up to a zoom of 1.66.
    CreateWorksheet(300, 300);
    host.viewport = {20000, 20000, 0};
    SetZoom(2.5f);
    EXPECT_EQ(gGrafik.GridMode, 1.66f);
    EXPECT_EQ(ZoomWithinBudget(1.2f), 1.2f);
    // A 200 x 200 sheet at 250 % fits exactly.
    CreateWorksheet(200, 200);
    EXPECT_EQ(ZoomWithinBudget(2.5f), 2.5f);
}

} // namespace
} // namespace kardo
