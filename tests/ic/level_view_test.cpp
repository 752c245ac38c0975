// Looking into ICs while powered: a level takes the worksheet's place with its pin marks and
// names and the circuit comes back exactly; the level tree's nodes and clicks; runs read each
// level's own elements and draw nothing over a shown level; clocks pause meanwhile.
#include "app/settings.h"
#include "ic/ic_view.h"
#include "ic/level_tree.h"
#include "ic/levels.h"
#include "ic/pin_labels.h"
#include "model/clock_tables.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/sim_levels.h"
#include "platform/recording_target.h"
#include "render/redraw.h"
#include "simulation/clock_run.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"
#include "simulation/user_interaction.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"
#include "support/ic_circuits.h"
#include "support/ic_files.h"
#include "support/mouse_driver.h"
#include "support/sim_blocks.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace kardo::test {
namespace {

class LevelViewTest : public CoreFixture {
  protected:
    void SetUp() override {
        gVerzeichnisse[1] = dir.Path() + "/";
        for (const char* n : {"inv", "inv2"})
            WriteBytes(dir.File(std::string(n) + ".icd"),
                       ReadBytes(DataFile(std::string(n) + ".icd")));
        FreshSheet(40, 20);
        // Switch -> inv -> inv2 -> LED; inv at 1, inv2 at 2 with its two inv at 3 and 4.
        ASSERT_NE(PlaceIC("inv", 6, 4), 0);
        ASSERT_NE(PlaceIC("inv2", 14, 4), 0);
        LayWire(2, 5, 6, 5);
        sw = GridPoint{2, 5};
        ASSERT_NE(PlaceSwitch(2, 5), 0);
        LayWire(8, 5, 14, 5);
        LayWire(16, 5, 20, 5);
        led = GridPoint{20, 5};
        ASSERT_NE(PlaceLed(20, 5), 0);
    }
    TempDir dir;
    GridPoint sw;
    GridPoint led;
};

TEST_F(LevelViewTest, GoingBackRestoresTheCircuitViewExactly) {
    PowerOnOff();
    ASSERT_TRUE(gPowerOn);
    EXPECT_EQ(LiveAt(led), 1) << "inverted three times";
    ClickCell(sw);
    EXPECT_EQ(LiveAt(led), 0);
    RedrawAllElements(0); // the worksheet takes the live levels
    const Grid grid = gGrid;
    const std::vector<ElementRecord> elements = gElements;
    const std::int16_t w = gFeldBreite;

    ShowLevel(2);
    EXPECT_TRUE(gInLevel);
    EXPECT_EQ(gCurLevel, 2);
    EXPECT_EQ(gFeldBreite, 12);
    EXPECT_EQ(gAnzElemente, 2);
    ShowLevel(3);
    EXPECT_EQ(gFeldBreite, 7);
    ShowLevel(0);
    EXPECT_FALSE(gInLevel);
    EXPECT_EQ(gCurLevel, 0);
    EXPECT_EQ(gFeldBreite, w);
    EXPECT_EQ(gGrid, grid);
    EXPECT_EQ(gElements, elements);
    EXPECT_FALSE(gCircuitView.Held);
    ClickCell(sw);
    EXPECT_EQ(LiveAt(led), 1);
}

TEST_F(LevelViewTest, AShownLevelHasItsPinMarksAndNames) {
    PowerOnOff();
    screen.ClearLog();
    ShowLevel(2);
    ASSERT_EQ(gICPinLabels.size(), 3u);
    EXPECT_EQ(gICPinLabels[1].Caption, "[E]");
    EXPECT_EQ(gICPinLabels[2].Caption, "[A]");
    EXPECT_TRUE(gICPinLabels[1].Visible);
    // E's wire leaves to the right: its name stands left of the pin.
    EXPECT_LT(gICPinLabels[1].Left + screen.TextWidth("[E]"), GridToPixel(1));
    EXPECT_GT(gICPinLabels[2].Left, GridToPixel(11));
    // The names are labels over the picture, handed to the window, not printed into it.
    for (const DrawCall& c : screen.CallsOf(DrawOp::Print))
        EXPECT_NE(c.text, "[E]");
    EXPECT_NE(std::find(host.log.begin(), host.log.end(), "RefreshICPinLabels()"), host.log.end());
    int marks = 0;
    for (const DrawCall& c : screen.CallsOf(DrawOp::Circle))
        marks += c.fillColor == Rgb(0, 0, 255) ? 1 : 0;
    EXPECT_EQ(marks, 2);
    ShowLevel(0);
    EXPECT_EQ(gICPinLabels.size(), 1u) << "the circuit has no pin labels";
}

TEST_F(LevelViewTest, TheTreeHoldsTheRootAndEveryInstanceUnderItsContainer) {
    const std::vector<LevelNode> nodes = BuildLevelTree();
    const std::vector<LevelNode> expected = {{"L_0", "Grundebene", ""},
                                             {"L_1", "inv", "L_0"},
                                             {"L_2", "inv2", "L_0"},
                                             {"L_3", "inv", "L_2"},
                                             {"L_4", "inv", "L_2"}};
    EXPECT_EQ(nodes, expected);
    EXPECT_EQ(LevelOfKey("L_12"), 12);
    EXPECT_EQ(LevelOfKey("L_"), 0);
    FreshSheet(10, 10);
    EXPECT_EQ(BuildLevelTree(), (std::vector<LevelNode>{{"L_0", "Grundebene", ""}}));
}

TEST_F(LevelViewTest, ANodeClickShowsItsLevelOnlyWhilePoweredAndIdle) {
    tvwLevel_NodeClick("L_2");
    EXPECT_FALSE(gInLevel) << "not while editing";
    PowerOnOff();
    // Regression: the tree showed a level while a step-delayed run was waiting, which then ran
    // on with the level's elements and painted the circuit's wire steps over it.
    gRechnet = true;
    tvwLevel_NodeClick("L_2");
    EXPECT_FALSE(gInLevel);
    gRechnet = false;
    tvwLevel_NodeClick("L_2");
    EXPECT_EQ(gCurLevel, 2);
    tvwLevel_NodeClick("L_0");
    EXPECT_FALSE(gInLevel);
}

// Regression: while an IC level was shown, the evaluators of every level read the shown level's
// element list, and wire steps of the circuit were painted over the level.
TEST_F(LevelViewTest, ARunReadsEachLevelsOwnElementsAndLeavesAShownLevelAlone) {
    PowerOnOff();
    ASSERT_EQ(gLevels[0].Feld(led.x, led.y).Pegel, kTrue);
    ShowLevel(2); // its elements are ICs, where the other levels have inverters
    screen.ClearLog();
    // The switch goes high on the circuit behind the shown level.
    CellRecord& s = gLevels[0].Feld(sw.x, sw.y);
    s.Pegel = kTrue;
    AddEvent(sw.x + 1, sw.y, kRight, 1, 0);
    gRechnet = true;
    RunSimulation();
    gRechnet = false;
    EXPECT_EQ(gLevels[0].Feld(led.x, led.y).Pegel, kFalse) << "inverted three times";
    EXPECT_TRUE(screen.CallsOf(DrawOp::Polyline).empty());
    EXPECT_TRUE(screen.CallsOf(DrawOp::Line).empty());
    EXPECT_EQ(gCurLevel, 2);
}

// Fault: a paused run let an IC level be shown; continuing drew the circuit's flip-flop outside it.
TEST_F(LevelViewTest, APausedRunKeepsTheCircuitShown) {
    const GridPoint c = SwitchInto(InPin(PlaceBlockKind(kTypeFlipFlop, 30, 14), 1), kLeft, 5);
    PowerOnOff();
    ClickCell(c); // the clock input high; the falling edge below sets the flip-flop's state
    gVerzoegerung = 11;
    pump.PostAt(clock.Now() + 250, [] { cmdPause_Click(); });
    ClickCell(c);
    Click(6, 4);
    tvwLevel_NodeClick("L_4");
    Click(3, 2, kButtonRight);
    EXPECT_EQ(gCurLevel, 0);
    cmdPause_Click();
    EXPECT_EQ(QueueCount(2), 0);
}

TEST_F(LevelViewTest, ClocksPauseWhileALevelIsShown) {
    ASSERT_NE(PlaceClock(10, 15, kRight), 0);
    PowerOnOff();
    ShowLevel(1);
    Timer2_Timer(1);
    EXPECT_TRUE(std::all_of(gTaktFlag.begin(), gTaktFlag.end(), [](auto f) { return f == 0; }));
    ShowLevel(0);
    Timer2_Timer(1);
    EXPECT_TRUE(std::any_of(gTaktFlag.begin(), gTaktFlag.end(), [](auto f) { return f != 0; }));
}

TEST_F(LevelViewTest, SwitchingOffFromALevelBringsTheCircuitBack) {
    const Grid grid = gGrid;
    PowerOnOff();
    ShowLevel(4);
    PowerOnOff();
    EXPECT_FALSE(gInLevel);
    EXPECT_EQ(gGrid, grid);
    // The levels of the ICs keep their circuits, cleared.
    EXPECT_EQ(gLevels[4].Feld(3, 2).Pegel, 0);
    EXPECT_EQ(gLevels[4].Feld(3, 2).Typ, kTypeInverter);
}

} // namespace
} // namespace kardo::test
