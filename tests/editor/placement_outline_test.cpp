// The placement outline under the cursor: its geometry per kind and orientation at three zooms,
// the gate outline's input count, the IC and number-display outlines, the decoder trapezoid,
// the marker square, the show and hide rules and the tools that outline nothing.
#include "editor/mouse_dispatch.h"
#include "editor/overlays.h"
#include "editor/placement_outline.h"
#include "files/ic_size.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/placement.h"
#include "model/utilities.h"
#include "render/grafik.h"
#include "support/builder.h"
#include "support/core_fixture.h"
#include "support/mouse_driver.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

class PlacementOutlineTest : public test::CoreFixture {
  protected:
    PlacementOutlineTest() {
        ResetMouseDispatch();
        host.SetCaption("txtAnschlüsse", "3");
    }

    // The outline of tool at cursor cell (20, 15) in orientation o.
    static const OverlayShape& Outline(std::uint8_t tool, std::uint8_t o) {
        gMouseMode = tool;
        gOrientierung = o;
        gCursorX = 20;
        gCursorY = 15;
        ShowBorder();
        return gOverlays.picRahmen;
    }
};

struct FrameCase {
    std::uint8_t tool;
    std::uint8_t orientation;
    int left, top, width, height;
};

void ExpectFrames(float zoom, std::initializer_list<FrameCase> cases) {
    gGrafik.GridMode = zoom;
    for (const FrameCase& c : cases) {
        gMouseMode = c.tool;
        gOrientierung = c.orientation;
        gCursorX = 20;
        gCursorY = 15;
        ShowBorder();
        const OverlayShape& f = gOverlays.picRahmen;
        const std::string what = "zoom " + std::to_string(zoom) + " tool " +
                                 std::to_string(c.tool) + " orientation " +
                                 std::to_string(c.orientation);
        EXPECT_EQ(f.Left, c.left) << what;
        EXPECT_EQ(f.Top, c.top) << what;
        EXPECT_EQ(f.Width, c.width) << what;
        EXPECT_EQ(f.Height, c.height) << what;
        EXPECT_TRUE(f.Visible) << what;
        EXPECT_EQ(f.BorderColor, 0x808080) << what;
        EXPECT_EQ(f.BorderStyle, kBorderSolid) << what;
    }
}

TEST_F(PlacementOutlineTest, RectanglesPerKindAndOrientationAtZoomOne) {
    ExpectFrames(1.0f, {
                           {kTypeAnd, 1, 259, 200, 29, 35},
                           {kTypeAnd, 2, 287, 200, 29, 35},
                           {kTypeAnd, 3, 270, 189, 36, 28},
                           {kTypeAnd, 4, 270, 217, 36, 28},
                           {kTypeOr, 2, 287, 200, 29, 35},
                           {kTypeXor, 3, 270, 189, 36, 28},
                           {kTypeTriState, 4, 270, 217, 36, 28},
                           {kTypeInverter, 1, 264, 212, 24, 10},
                           {kTypeInverter, 2, 287, 212, 24, 10},
                           {kTypeInverter, 3, 282, 194, 9, 23},
                           {kTypeInverter, 4, 282, 217, 9, 23},
                           {kTypeClock, 1, 245, 200, 42, 35},
                           {kTypeClock, 2, 287, 200, 42, 35},
                           {kTypeClock, 3, 270, 175, 35, 42},
                           {kTypeClock, 4, 270, 217, 35, 42},
                           {kTypeHalfAdder, 2, 287, 200, 42, 35},
                           {kTypeFullAdder, 3, 270, 175, 35, 42},
                           {kTypeShiftRegister, 1, 175, 200, 112, 35},
                           {kTypeShiftRegister, 2, 287, 200, 112, 35},
                           {kTypeShiftRegister, 3, 270, 105, 35, 112},
                           {kTypeShiftRegister, 4, 270, 217, 35, 112},
                           {kTypeMultiplexer, 1, 231, 189, 56, 61},
                           {kTypeMultiplexer, 2, 287, 189, 56, 61},
                           {kTypeMultiplexer, 3, 254, 161, 61, 56},
                           {kTypeMultiplexer, 4, 254, 217, 61, 56},
                           {kTypeFlipFlop, 1, 217, 196, 71, 42},
                           {kTypeFlipFlop, 2, 287, 196, 71, 42},
                           {kTypeFlipFlop, 3, 266, 147, 42, 70},
                           {kTypeFlipFlop, 4, 266, 217, 42, 70},
                           // The number display is 4 x 4 cells from two rows above the cursor, in
                           // every orientation.
                           {kTypeNumberDisplay, 1, 287, 189, 57, 57},
                           {kTypeNumberDisplay, 3, 287, 189, 57, 57},
                       });
}

TEST_F(PlacementOutlineTest, RectanglesPerKindAndOrientationAtZoomTwoAndAHalf) {
    ExpectFrames(2.5f, {
                           {kTypeAnd, 1, 648, 499, 71, 88},
                           {kTypeAnd, 2, 718, 499, 71, 88},
                           {kTypeAnd, 3, 673, 472, 88, 70},
                           {kTypeAnd, 4, 673, 542, 88, 70},
                           {kTypeInverter, 1, 660, 530, 60, 27},
                           {kTypeInverter, 2, 718, 530, 60, 27},
                           {kTypeInverter, 3, 706, 484, 23, 58},
                           {kTypeInverter, 4, 706, 542, 23, 58},
                           {kTypeClock, 1, 612, 499, 105, 88},
                           {kTypeClock, 2, 718, 499, 105, 88},
                           {kTypeClock, 3, 673, 438, 88, 105},
                           {kTypeClock, 4, 673, 542, 88, 105},
                           {kTypeShiftRegister, 1, 438, 499, 280, 88},
                           {kTypeShiftRegister, 2, 718, 499, 280, 88},
                           {kTypeShiftRegister, 3, 673, 262, 88, 280},
                           {kTypeShiftRegister, 4, 673, 542, 88, 280},
                           {kTypeMultiplexer, 1, 578, 472, 140, 152},
                           {kTypeMultiplexer, 2, 718, 472, 140, 152},
                           {kTypeMultiplexer, 3, 636, 402, 152, 140},
                           {kTypeMultiplexer, 4, 636, 542, 152, 140},
                           {kTypeFlipFlop, 1, 542, 490, 177, 105},
                           {kTypeFlipFlop, 2, 718, 490, 177, 105},
                           {kTypeFlipFlop, 3, 664, 368, 105, 175},
                           {kTypeFlipFlop, 4, 664, 542, 105, 175},
                           {kTypeNumberDisplay, 1, 718, 472, 141, 141},
                           {kTypeNumberDisplay, 3, 718, 472, 141, 141},
                       });
}

// At zoom 1.5 the gate outline's height is 42 + 10.5 pixels: a half, which goes to the even 52.
TEST_F(PlacementOutlineTest, GateOutlineRoundsHalvesToEven) {
    ExpectFrames(1.5f, {{kTypeAnd, 2, 430, 299, 43, 52}});
}

// Fault pinned: the outline read the input-count box as it stood, so a half-typed or cleared box
// gave the gate outline no or a negative height.
TEST_F(PlacementOutlineTest, GateOutlineTakesTheInputCountThePlacingTakes) {
    const struct {
        const char* box;
        int height;     // orientation 2 at zoom 1: rows cy - 1 .. cy + n - 2
        int width3;     // orientation 3
        bool twoInputs; // gZweiEingaenge afterwards
    } cases[] = {
        {"2", 35, 36, true},                              // two inputs: a body of three cells
        {"3", 35, 36, false},    {"5", 63, 64, false},    // rows cy - 1 .. cy + 3
        {"15", 203, 204, false}, {"99", 203, 204, false}, // more than the placing takes: 15
        {"", 35, 36, true}, // a half-typed box: 2, never a negative size
        {"-4", 35, 36, true},    {"1", 35, 36, true},
    };
    for (const auto& c : cases) {
        host.SetCaption("txtAnschlüsse", c.box);
        gZweiEingaenge = TruthValue(!c.twoInputs);
        EXPECT_EQ(Outline(kTypeAnd, kRight).Height, c.height) << c.box;
        EXPECT_EQ(gZweiEingaenge, TruthValue(c.twoInputs)) << c.box;
        EXPECT_EQ(Outline(kTypeOr, kUp).Width, c.width3) << c.box;
    }
}

TEST_F(PlacementOutlineTest, IcOutlineStartsIntOfHalfItsHeightAboveTheCursor) {
    const struct {
        std::int16_t w, h;
        int top, width, height;
    } cases[] = {
        {7, 4, GridToPixel(13), 99, 57}, // rows 13 .. 17
        {7, 5, GridToPixel(13), 99, 71}, // Int(5 / 2) = 2
        {3, 1, GridToPixel(15), 43, 15}, // Int(1 / 2) = 0: the cursor row
    };
    for (const auto& c : cases) {
        gICBreite = c.w;
        gICHoehe = c.h;
        for (std::uint8_t o = kLeft; o <= kDown; ++o) {
            const OverlayShape& f = Outline(kTypeIC, o);
            EXPECT_EQ(f.Left, GridToPixel(20)) << c.h;
            EXPECT_EQ(f.Top, c.top) << c.h;
            EXPECT_EQ(f.Width, c.width) << c.h;
            EXPECT_EQ(f.Height, c.height) << c.h;
        }
        EXPECT_EQ(PixelToGrid(gOverlays.picRahmen.Top), ICTopRow(15, c.h)) << c.h;
    }
}

TEST_F(PlacementOutlineTest, DecoderTrapezoidPerOrientation) {
    struct L {
        int x1, y1, x2, y2;
    };
    const struct {
        std::uint8_t o;
        L lines[4]; // in cells
    } cases[] = {
        {kRight, {{20, 12, 20, 17}, {22, 10, 22, 19}, {20, 12, 22, 10}, {20, 17, 22, 19}}},
        {kLeft, {{20, 12, 20, 17}, {18, 10, 18, 19}, {20, 12, 18, 10}, {20, 17, 18, 19}}},
        {kUp, {{18, 15, 23, 15}, {16, 13, 25, 13}, {18, 15, 16, 13}, {23, 15, 25, 13}}},
        {kDown, {{18, 15, 23, 15}, {16, 17, 25, 17}, {18, 15, 16, 17}, {23, 15, 25, 17}}},
    };
    for (const auto& c : cases) {
        ResetMouseDispatch();
        Outline(kTypeDecoder, c.o);
        for (int i = 0; i < 4; ++i) {
            const OverlayLine& l = gOverlays.LineRahmen[static_cast<std::size_t>(i + 1)];
            const L& e = c.lines[i];
            EXPECT_EQ(l.X1, GridToPixel(e.x1)) << int(c.o) << " line " << i + 1;
            EXPECT_EQ(l.Y1, GridToPixel(e.y1)) << int(c.o) << " line " << i + 1;
            EXPECT_EQ(l.X2, GridToPixel(e.x2)) << int(c.o) << " line " << i + 1;
            EXPECT_EQ(l.Y2, GridToPixel(e.y2)) << int(c.o) << " line " << i + 1;
            EXPECT_TRUE(l.Visible);
            EXPECT_EQ(l.BorderColor, 0xC0C0C0);
        }
        EXPECT_FALSE(gOverlays.picRahmen.Visible);
    }
}

TEST_F(PlacementOutlineTest, GatesAndInverterHideOverAnElementTheOthersAlwaysShow) {
    gMouseMode = kTypeAnd;
    ASSERT_NE(test::PlaceGate(kTypeOr, 30, 10), 0);
    test::LayWire(5, 20, 9, 20);
    const struct {
        std::uint8_t tool;
        bool overElement; // shown with the cursor on the OR gate
    } cases[] = {
        {kTypeAnd, false},          {kTypeOr, false},           {kTypeXor, false},
        {kTypeTriState, false},     {kTypeInverter, false},     {kTypeClock, true},
        {kTypeHalfAdder, true},     {kTypeMultiplexer, true},   {kTypeFlipFlop, true},
        {kTypeShiftRegister, true}, {kTypeNumberDisplay, true}, {kTypeIC, true},
    };
    for (const auto& c : cases) {
        ResetMouseDispatch();
        gMouseMode = c.tool;
        gOrientierung = kRight;
        test::MoveTo(40, 20); // an empty cell
        EXPECT_TRUE(gOverlays.picRahmen.Visible) << int(c.tool);
        test::MoveTo(31, 10); // the OR gate: moved there in any case
        EXPECT_EQ(gOverlays.picRahmen.Visible, c.overElement) << int(c.tool);
        EXPECT_EQ(gOverlays.picRahmen.Left, GridToPixel(31)) << int(c.tool);
        test::MoveTo(7, 20); // a wire cell shows it again at the new place
        EXPECT_TRUE(gOverlays.picRahmen.Visible) << int(c.tool);
        EXPECT_EQ(gOverlays.picRahmen.Left, GridToPixel(7)) << int(c.tool);
    }
}

TEST_F(PlacementOutlineTest, MarkerSquareOfLedAndSwitchTools) {
    ASSERT_NE(test::PlaceGate(kTypeAnd, 30, 10), 0);
    for (const std::uint8_t tool : {kTypeLed, kTypeSwitch}) {
        ResetMouseDispatch();
        gMouseMode = tool;
        test::MoveTo(31, 10); // over an element first: moved, not shown
        EXPECT_EQ(gOverlays.picBox.Left, GridToPixel(31) - 2);
        EXPECT_EQ(gOverlays.picBox.Top, GridToPixel(10) - 2);
        EXPECT_FALSE(gOverlays.picBox.Visible);
        test::MoveTo(12, 4);
        const OverlayShape& box = gOverlays.picBox;
        EXPECT_TRUE(box.Visible);
        EXPECT_EQ(box.Left, GridToPixel(12) - 2);
        EXPECT_EQ(box.Top, GridToPixel(4) - 2);
        EXPECT_EQ(box.Width, 5);
        EXPECT_EQ(box.Height, 5);
        test::MoveTo(31, 10); // over an element again: moved, left shown
        EXPECT_TRUE(gOverlays.picBox.Visible);
        EXPECT_EQ(gOverlays.picBox.Left, GridToPixel(31) - 2);
        EXPECT_FALSE(gOverlays.picRahmen.Visible);
    }
}

TEST_F(PlacementOutlineTest, OutlineNearTheBorderReachesOutsideAndIsShown) {
    gMouseMode = kTypeMultiplexer;
    gOrientierung = kLeft;
    test::MoveTo(1, 1);
    const OverlayShape& f = gOverlays.picRahmen;
    EXPECT_TRUE(f.Visible);
    EXPECT_LT(f.Left, 0);
    EXPECT_LT(f.Top, 0);
    gMouseMode = kTypeShiftRegister;
    gOrientierung = kRight;
    test::MoveTo(gFeldBreite, gFeldHoehe);
    EXPECT_TRUE(f.Visible);
    EXPECT_GT(f.Left + f.Width, GridToPixel(gFeldBreite + 1));
}

TEST_F(PlacementOutlineTest, OtherToolsOutlineNothing) {
    for (const std::uint8_t tool :
         {kToolSelect, kToolWire, kToolConnectionPoint, kToolNegationPoint, kToolCouplingDiode,
          kTypeText, kTypeAnalysisPoint, kToolContextMenu, kToolPowered, kToolQuickHelp}) {
        ResetMouseDispatch();
        gOverlays.picRahmen.BorderColor = 0xFF0000;
        gOverlays.picRahmen.BorderStyle = kBorderDotted;
        WorksheetOverlays expected = gOverlays;
        if (tool != kToolSelect) {
            // The frame turns grey and solid for any tool but the select tool; nothing moves.
            expected.picRahmen.BorderColor = 0x808080;
            expected.picRahmen.BorderStyle = kBorderSolid;
        }
        gMouseMode = tool;
        gCursorX = 20;
        gCursorY = 15;
        ShowBorder();
        EXPECT_TRUE(gOverlays == expected) << int(tool);
    }
}

} // namespace
} // namespace kardo
