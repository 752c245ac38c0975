// The worksheet mouse dispatcher: cursor cell and status text, placing by tool, removing with
// the right button, double click, the space key, the pointer by tool, and the guard against a
// second button during a gesture.
#include "app/main_state.h"
#include "app/startup.h"
#include "editor/gesture_state.h"
#include "editor/line_runs.h"
#include "editor/mouse_dispatch.h"
#include "editor/overlays.h"
#include "editor/selection.h"
#include "editor/wire_tool.h"
#include "model/clock_tables.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/placement.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/core_fixture.h"
#include "support/mouse_driver.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::Click;
using test::Drag;
using test::MoveTo;

class MouseDispatchTest : public test::CoreFixture {
  protected:
    MouseDispatchTest() {
        ResetMouseDispatch();
        gMouseMode = kToolWire;
    }
};

TEST_F(MouseDispatchTest, CursorCellFollowsEveryMoveAndParksOutsideTheSheet) {
    const struct {
        double x, y;
        int cx, cy;
    } cases[] = {
        {77, 49, 5, 3},            // cell centres
        {0, 0, 0, 0},              // the top-left pixel
        {13.9, 14.1, 0, 1},        // a cell's last and next cell's first pixel
        {-5, 100, 0, 0},           // left of column 0 parks at (0, 0)
        {100, -1, 0, 0},           // above row 0 likewise
        {51 * 14 + 3, 40, 50, 30}, // beyond the last column parks at (W, H)
        {40, 31 * 14 + 3, 50, 30}, // below the last row likewise
    };
    for (const auto& c : cases) {
        picGrid_MouseMove(0, 0, c.x, c.y);
        EXPECT_EQ(gCursorX, c.cx) << c.x << "," << c.y;
        EXPECT_EQ(gCursorY, c.cy) << c.x << "," << c.y;
    }
}

TEST_F(MouseDispatchTest, StatusPanelOneShowsTheCursorCell) {
    host.SetStatusText(2, "Leitungen werden gezeichnet ...");
    MoveTo(5, 3);
    EXPECT_EQ(host.statusTexts[1], "X: 5  Y: 3");
    EXPECT_EQ(host.statusTexts[2], "");
    MoveTo(12, 27);
    EXPECT_EQ(host.statusTexts[1], "X: 12  Y: 27");
    EXPECT_EQ(host.Caption("lblTime"), "1");
}

TEST_F(MouseDispatchTest, APressOnAParkedCursorActsOnThatCell) {
    picGrid_MouseMove(0, 0, 9999, 9999);
    picGrid_MouseDown(kButtonLeft, 0, 9999, 9999);
    EXPECT_EQ(gGesture.LineStartX, gFeldBreite);
    EXPECT_EQ(gGesture.LineStartY, gFeldHoehe);
    picGrid_MouseUp(kButtonLeft, 0, 9999, 9999);
}

TEST_F(MouseDispatchTest, AReleaseWithoutAPressDoesNothing) {
    const test::SheetState before = test::CaptureSheet();
    gOverlays.LeitungH.Visible = true;
    picGrid_MouseUp(kButtonLeft, 0, 70, 70);
    picGrid_MouseUp(kButtonRight, 0, 70, 70);
    EXPECT_EQ(test::CaptureSheet(), before);
    EXPECT_TRUE(gOverlays.LeitungH.Visible);
}

TEST_F(MouseDispatchTest, AClickPlacesTheElementOfTheTool) {
    const struct {
        std::uint8_t tool;
        bool onWire; // the kind sits on a wire end
    } cases[] = {
        {kTypeLed, false},          {kTypeSwitch, true},         {kTypeAnd, false},
        {kTypeOr, false},           {kTypeXor, false},           {kTypeInverter, false},
        {kTypeClock, false},        {kTypeHalfAdder, false},     {kTypeFullAdder, false},
        {kTypeTriState, false},     {kTypeMultiplexer, false},   {kTypeDecoder, false},
        {kTypeFlipFlop, false},     {kTypeShiftRegister, false}, {kTypeNumberDisplay, false},
        {kTypeAnalysisPoint, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.tool));
        InitProgramState();
        ResetMouseDispatch();
        if (c.onWire)
            test::LayWire(14, 15, 20, 15);
        gMouseMode = c.tool;
        Click(20, 15);
        ASSERT_EQ(gAnzElemente, 1);
        EXPECT_EQ(gElements[1].Typ, c.tool);
        // The element's cells now block the cell: a second click there places nothing more.
        Click(20, 15);
        EXPECT_EQ(gAnzElemente, 1);
    }
}

TEST_F(MouseDispatchTest, PointToolsMarkJunctions) {
    test::LayWire(5, 5, 12, 5);
    test::LayWire(8, 2, 8, 5);
    gMouseMode = kToolConnectionPoint;
    Click(8, 5);
    EXPECT_EQ(gGrid(8, 5).Punkt, kPointConnection);
    test::LayWire(10, 5, 10, 9);
    gMouseMode = kToolCouplingDiode;
    Click(10, 5);
    EXPECT_EQ(gGrid(10, 5).Punkt, kPointDiode);
}

TEST_F(MouseDispatchTest, AnyPressWhileEditingMarksTheCircuitChanged) {
    gUnveraendert = true;
    Click(3, 3, kButtonRight);
    EXPECT_FALSE(gUnveraendert);
    gUnveraendert = true;
    gMouseMode = kToolPowered;
    Click(3, 3);
    EXPECT_TRUE(gUnveraendert);
}

TEST_F(MouseDispatchTest, DraggingWithTheWireToolLaysAWire) {
    Drag({{2, 5}, {4, 5}, {6, 5}, {6, 7}, {6, 8}});
    EXPECT_EQ(gGrid(2, 5).Rechts, kTrue);
    EXPECT_EQ(gGrid(6, 5).Unten, kTrue);
    EXPECT_EQ(gGrid(6, 8).Oben, kTrue);
    EXPECT_EQ(gGrid(6, 8).Typ, kTypeWire);
    EXPECT_FALSE(gGesture.LineActive);
    EXPECT_FALSE(gOverlays.LeitungH.Visible);
    EXPECT_FALSE(gOverlays.LeitungV.Visible);
    EXPECT_EQ(gUndo.Step(1).Description, "Leitung(en) ziehen");
}

TEST_F(MouseDispatchTest, RightButtonBandDeletesWires) {
    test::LayWire(2, 5, 12, 5);
    Drag({{5, 5}, {8, 5}}, kButtonRight);
    EXPECT_EQ(gGrid(6, 5).Typ, kTypeEmpty);
    EXPECT_EQ(gGrid(5, 5).Links, kTrue);
    EXPECT_EQ(gGrid(5, 5).Rechts, kFalse);
    EXPECT_EQ(gUndo.Step(1).Description, "Leitung(en) löschen");
}

TEST_F(MouseDispatchTest, RightClickWithTheWireTool) {
    test::LayWire(2, 5, 12, 5);
    test::LayWire(6, 2, 6, 5);
    ASSERT_TRUE(test::SetPoint(6, 5));
    const test::SheetState before = test::CaptureSheet();
    // On a plain wire cell without dragging: nothing.
    Click(4, 5, kButtonRight);
    EXPECT_EQ(test::CaptureSheet(), before);
    // On a connection point: the point goes at the press.
    MoveTo(6, 5);
    picGrid_MouseDown(kButtonRight, 0, test::CentreX(6), test::CentreY(5));
    EXPECT_EQ(gGrid(6, 5).Punkt, kPointNone);
    picGrid_MouseUp(kButtonRight, 0, test::CentreX(6), test::CentreY(5));
    EXPECT_EQ(gGrid(6, 5).Typ, kTypeWire);
}

TEST_F(MouseDispatchTest, RightPressRemovesElementsButNotThroughGatePins) {
    const std::int16_t gate = test::PlaceAnd(20, 10, kRight, 3);
    ASSERT_NE(gate, 0);
    const GridPoint pin = gElements[gate].Eingaenge.Points()[0];
    const GridPoint body{static_cast<std::int16_t>(pin.x + 1), pin.y};
    const struct {
        std::uint8_t tool;
        GridPoint at;
        bool removed;
    } cases[] = {
        {kTypeAnd, pin, false},     // a pin of a gate: nothing
        {kTypeLed, pin, false},     // with any other element tool too
        {kTypeAnd, body, true},     // the body: removed
        {kToolWire, body, true},    // the wire tool on the body: removed
        {kToolSelect, body, false}, // the select tool opens the context menu instead
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.tool) + " at " + std::to_string(c.at.x));
        InitProgramState();
        ResetMouseDispatch();
        ASSERT_EQ(test::PlaceAnd(20, 10, kRight, 3), 1);
        gMouseMode = c.tool;
        Click(c.at.x, c.at.y, kButtonRight);
        EXPECT_EQ(gAnzElemente, c.removed ? 0 : 1);
    }
    // The context menu state ends at the next press.
    EXPECT_EQ(gMouseMode, kToolContextMenu);
    EXPECT_EQ(gSelection, "1;");
    Click(2, 2);
    EXPECT_EQ(gMouseMode, kToolSelect);
}

TEST_F(MouseDispatchTest, RightPressOnAnLedPinRemovesIt) {
    gMouseMode = kTypeLed;
    Click(10, 10);
    ASSERT_EQ(gAnzElemente, 1);
    gMouseMode = kTypeAnd;
    Click(10, 10, kButtonRight);
    EXPECT_EQ(gAnzElemente, 0);
}

TEST_F(MouseDispatchTest, RightPressRemovesANegationPoint) {
    const std::int16_t gate = test::PlaceAnd(20, 10, kRight, 3);
    const GridPoint pin = gElements[gate].Eingaenge.Points()[0];
    ASSERT_TRUE(test::Negate(pin.x, pin.y));
    gMouseMode = kTypeAnd;
    Click(pin.x, pin.y, kButtonRight);
    EXPECT_EQ(gGrid(pin.x, pin.y).Punkt, kPointNone);
    EXPECT_EQ(gAnzElemente, 1);
}

TEST_F(MouseDispatchTest, MiddleButtonWithTheWireToolSetsAConnectionPoint) {
    test::LayWire(2, 5, 12, 5);
    test::LayWire(6, 2, 6, 5);
    Click(6, 5, kButtonMiddle);
    EXPECT_EQ(gGrid(6, 5).Punkt, kPointConnection);
}

TEST_F(MouseDispatchTest, DoubleClickWithTheWireTool) {
    test::LayWire(2, 5, 12, 5);
    test::LayWire(6, 2, 6, 5);
    test::DoubleClick(12, 5);
    ASSERT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gElements[1].Typ, kTypeSwitch);
    test::DoubleClick(6, 5);
    EXPECT_EQ(gGrid(6, 5).Punkt, kPointConnection);
    const std::int16_t gate = test::PlaceAnd(20, 10, kRight, 3);
    const GridPoint pin = gElements[gate].Eingaenge.Points()[0];
    test::DoubleClick(pin.x, pin.y);
    EXPECT_EQ(gGrid(pin.x, pin.y).Punkt, kPointConnection);
}

TEST_F(MouseDispatchTest, ADoubleClickIsNoSecondPress) {
    gMouseMode = kTypeLed;
    test::DoubleClick(10, 10);
    EXPECT_EQ(gAnzElemente, 1);
    gMouseMode = kTypeAnd;
    test::DoubleClick(20, 10);
    EXPECT_EQ(gAnzElemente, 2);
}

// Fault pinned: a second button pressed while the first was held started a gesture inside the
// running one, and its release ended the first gesture with the wrong button.
TEST_F(MouseDispatchTest, ASecondButtonDuringAGestureIsIgnored) {
    test::LayWire(2, 9, 12, 9);
    MoveTo(3, 5);
    picGrid_MouseDown(kButtonLeft, 0, test::CentreX(3), test::CentreY(5));
    MoveTo(6, 5, kButtonLeft);
    MoveTo(8, 5, kButtonLeft | kButtonRight);
    picGrid_MouseDown(kButtonRight, 0, test::CentreX(8), test::CentreY(5));
    EXPECT_TRUE(gOverlays.LeitungH.Visible);
    MoveTo(8, 5, kButtonLeft | kButtonRight);
    picGrid_MouseUp(kButtonRight, 0, test::CentreX(8), test::CentreY(5));
    EXPECT_TRUE(gGesture.LineActive);
    picGrid_MouseUp(kButtonLeft, 0, test::CentreX(8), test::CentreY(5));
    for (int x = 3; x <= 8; ++x)
        EXPECT_EQ(gGrid(x, 5).Typ, kTypeWire) << x;
    EXPECT_EQ(gGrid(9, 5).Typ, kTypeEmpty);

    // The same with the right button first: the left press must not lay a wire.
    MoveTo(5, 9);
    picGrid_MouseDown(kButtonRight, 0, test::CentreX(5), test::CentreY(9));
    MoveTo(7, 9, kButtonRight);
    picGrid_MouseDown(kButtonLeft, 0, test::CentreX(7), test::CentreY(9));
    picGrid_MouseUp(kButtonLeft, 0, test::CentreX(7), test::CentreY(9));
    picGrid_MouseUp(kButtonRight, 0, test::CentreX(7), test::CentreY(9));
    EXPECT_EQ(gGrid(6, 9).Typ, kTypeEmpty);
    EXPECT_EQ(gGrid(4, 9).Typ, kTypeWire);
}

TEST_F(MouseDispatchTest, AGestureWhoseReleaseWasLostIsDropped) {
    MoveTo(3, 5);
    picGrid_MouseDown(kButtonLeft, 0, test::CentreX(3), test::CentreY(5));
    ForgetReleasedButtons(0);
    EXPECT_FALSE(gGesture.LineActive);
    gMouseMode = kTypeLed;
    Click(10, 10);
    EXPECT_EQ(gAnzElemente, 1);
}

TEST_F(MouseDispatchTest, PointerByTool) {
    test::LayWire(2, 5, 12, 5);
    test::LayWire(6, 2, 6, 5);
    ASSERT_NE(test::PlaceSwitch(12, 5), 0);
    const struct {
        std::uint8_t tool;
        int held;
        int x, y;
        int before;
        int pointer;
        PointerIcon icon;
    } cases[] = {
        {kToolSelect, 0, 3, 3, 0, kPointerArrow, PointerIcon::None},
        {kToolSelect, kButtonRight, 3, 3, 0, kPointerSize, PointerIcon::None},
        {kToolWire, 0, 3, 3, 0, kPointerCross, PointerIcon::None},
        {kTypeAnd, 0, 3, 3, 0, kPointerCross, PointerIcon::None},
        {kTypeText, 0, 3, 3, 0, kPointerCross, PointerIcon::None},
        {kToolDragObjects, 0, 3, 3, 0, kPointerSizeAll, PointerIcon::None},
        {kTypeAnalysisPoint, 0, 3, 3, 7, 7, PointerIcon::None},
        {kToolContextMenu, 0, 3, 3, 7, 7, PointerIcon::None},
        {kToolQuickHelp, 0, 3, 3, 7, 7, PointerIcon::None},
        {kToolPowered, 0, 12, 5, 0, kPointerCustom, PointerIcon::SwitchHand},
        {kToolPowered, 0, 2, 5, 0, kPointerCustom, PointerIcon::SwitchHand},
        {kToolPowered, 0, 6, 5, kPointerCustom, kPointerArrow, PointerIcon::None},
        {kToolPowered, 0, 20, 20, kPointerCustom, kPointerArrow, PointerIcon::None},
        {kToolPowered, 0, 4, 5, kPointerCross, kPointerArrow, PointerIcon::None},
        {kToolICView, 0, 2, 5, 0, kPointerCustom, PointerIcon::PinMark},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.tool) + " at " + std::to_string(c.x) + "," +
                     std::to_string(c.y));
        gMouseMode = c.tool;
        host.pointer = c.before;
        gPointerIcon = PointerIcon::None;
        MoveTo(c.x, c.y, c.held);
        EXPECT_EQ(host.pointer, c.pointer);
        EXPECT_EQ(gPointerIcon, c.icon);
    }
}

TEST_F(MouseDispatchTest, TheIcViewMarksWireEndsWithTheBox) {
    test::LayWire(2, 5, 12, 5);
    gMouseMode = kToolICView;
    MoveTo(2, 5);
    EXPECT_TRUE(gOverlays.picBox.Visible);
    EXPECT_EQ(gOverlays.picBox.Left, GridToPixel(2) - 2);
    EXPECT_EQ(gOverlays.picBox.Top, GridToPixel(5) - 2);
    MoveTo(20, 20);
    EXPECT_FALSE(gOverlays.picBox.Visible);
}

TEST_F(MouseDispatchTest, TheSelectToolShowsSizeAllInsideAMarkedArea) {
    gMouseMode = kToolSelect;
    Drag({{4, 4}, {8, 8}, {11, 11}});
    ASSERT_TRUE(gAreaMarked);
    MoveTo(6, 6);
    EXPECT_EQ(host.pointer, kPointerSizeAll);
    MoveTo(20, 20);
    EXPECT_EQ(host.pointer, kPointerArrow);
    // A placement outline left over from another tool is no area frame.
    SelectNone();
    gOverlays.picRahmen = {GridToPixel(4), GridToPixel(4), 100, 100, true, 0x808080, kBorderSolid};
    MoveTo(6, 6);
    EXPECT_EQ(host.pointer, kPointerArrow);
}

class PoweredClickTest : public test::CoreFixture {
  protected:
    PoweredClickTest() {
        ResetMouseDispatch();
        test::LayWire(5, 5, 12, 5);
        EXPECT_NE(test::PlaceSwitch(5, 5), 0);
        EXPECT_NE(test::PlaceLed(12, 5), 0);
        PowerOnOff();
        EXPECT_TRUE(gPowerOn);
        EXPECT_EQ(gMouseMode, kToolPowered);
    }
    ~PoweredClickTest() override {
        if (gPowerOn)
            PowerOnOff();
    }
    static bool LedLit() { return gLevels.at(0).Feld(12, 5).Pegel != 0; }
};

TEST_F(PoweredClickTest, OnlySwitchCellsToggle) {
    ASSERT_FALSE(LedLit());
    Click(5, 5);
    EXPECT_TRUE(LedLit());
    const Grid levels = gLevels.at(0).Feld;
    const test::SheetState sheet = test::CaptureSheet();
    for (const auto& [x, y] : {std::pair{8, 5}, std::pair{20, 20}, std::pair{12, 5}}) {
        Click(x, y);
        EXPECT_EQ(gLevels.at(0).Feld, levels) << x << "," << y;
        EXPECT_EQ(test::CaptureSheet(), sheet) << x << "," << y;
    }
    EXPECT_TRUE(host.messages.empty());
    // A double click on the switch toggles it once more.
    test::DoubleClick(5, 5);
    EXPECT_TRUE(LedLit());
    Click(5, 5);
    EXPECT_FALSE(LedLit());
}

TEST_F(PoweredClickTest, ARightClickOnAnElementRemovesNothing) {
    Click(12, 5, kButtonRight);
    EXPECT_EQ(gAnzElemente, 2);
}

TEST_F(MouseDispatchTest, APoweredClickOnAClockSelectsIt) {
    const std::int16_t first = test::PlaceClock(10, 10);
    const std::int16_t second = test::PlaceClock(10, 20);
    ASSERT_NE(first * second, 0);
    PowerOnOff();
    ASSERT_TRUE(gPowerOn);
    ASSERT_EQ(gAktTakt, 0);
    const GridPoint cell = gElements[second].Ausgaenge.Points()[0];
    Click(cell.x - 1, cell.y);
    EXPECT_EQ(gTaktElement.at(static_cast<std::size_t>(gAktTakt)), second);
    PowerOnOff();
}

TEST_F(PoweredClickTest, SpaceKeyPausesARunningRecompute) {
    gRechnet = true;
    picGrid_KeyPress(' ');
    EXPECT_TRUE(gPaused);
    picGrid_KeyPress('a');
    EXPECT_TRUE(gPaused);
    gRechnet = false;
}

TEST_F(MouseDispatchTest, SpaceKeyDoesNothingWhileEditing) {
    gRechnet = true;
    picGrid_KeyPress(' ');
    EXPECT_FALSE(gPaused);
    gRechnet = false;
}

TEST(EditorResetTest, StartUpResetsTheEditorGlobals) {
    gGesture.LineActive = true;
    gGesture.GestureButton = kButtonLeft;
    gGesture.PullH = true;
    gOverlays.LeitungH.Visible = true;
    gOverlays.picRahmen.BorderStyle = kBorderDotted;
    gAutoVerbindung = kFalse;
    gPointerIcon = PointerIcon::PinMark;
    gLineRuns.Dim(5, 5);
    InitProgramState();
    EXPECT_FALSE(gGesture.LineActive);
    EXPECT_EQ(gGesture.GestureButton, 0);
    EXPECT_FALSE(gGesture.PullH);
    EXPECT_FALSE(gOverlays.LeitungH.Visible);
    EXPECT_EQ(gOverlays.picRahmen.BorderStyle, kBorderSolid);
    EXPECT_EQ(gAutoVerbindung, kTrue);
    EXPECT_EQ(gPointerIcon, PointerIcon::None);
    EXPECT_EQ(gLineRuns.UBoundX(), -1);
}

} // namespace
} // namespace kardo
