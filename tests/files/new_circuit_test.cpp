// Clearing the circuit and starting a new sheet.
#include "app/file_object.h"
#include "app/main_state.h"
#include "files/new_circuit.h"
#include "model/basic_elements.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "simulation/analysis.h"
#include "simulation/power.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class NewCircuitTest : public test::CoreFixture {
  protected:
    NewCircuitTest() { gAktiviert = 1; }

    // Two clocks, an analysis point, an AND gate; a remembered file; an undo step.
    void Fill() {
        CreateWorksheet(40, 30);
        gUndo.DeleteUndoData(false);
        for (int x : {5, 15}) {
            gCursorX = static_cast<std::int16_t>(x);
            gCursorY = 5;
            SetTimer();
        }
        gTaktZeit1[0] = 300;
        test::LayWire(2, 20, 30, 20);
        test::PlaceAnalysisPoint(4, 20);
        test::PlaceAnd(10, 12);
        gFile.FileName = "/tmp/x.kdx";
        gFile.FilePath = "/tmp/";
        ASSERT_EQ(gAnzTaktgeber, 2);
        ASSERT_EQ(Timer2().Count(), 2);
        ASSERT_FALSE(gUndo.NoUndoData());
    }
};

TEST_F(NewCircuitTest, ClearingEmptiesTheCircuitAndKeepsTheSize) {
    Fill();
    host.log.clear();
    ClearCircuit();
    EXPECT_EQ(gFeldBreite, 40);
    EXPECT_EQ(gFeldHoehe, 30);
    EXPECT_EQ(gGrid.UBoundX(), 41);
    EXPECT_EQ(gGrid(10, 12), CellRecord{});
    EXPECT_EQ(gAnzElemente, 0);
    EXPECT_EQ(gElements.size(), 1u);
    EXPECT_EQ(gLevels.size(), 1u);
    EXPECT_EQ(gICInstances.size(), 1u);
    EXPECT_EQ(gAnzICInstances, 0);
    EXPECT_EQ(gICInstanceMax, 0);
    EXPECT_EQ(gFile.FileName, "");
    EXPECT_EQ(gFile.FilePath, "");
    // Exactly one clock timer remains; entry 0 emptied, one pulse, linked.
    EXPECT_EQ(Timer2().Count(), 1);
    EXPECT_EQ(gAnzTaktgeber, 0);
    EXPECT_EQ(gAktTakt, 0);
    EXPECT_EQ(gTaktElement, (std::vector<std::int16_t>{0}));
    EXPECT_EQ(gTaktZeit1, (std::vector<std::int16_t>{0}));
    EXPECT_EQ(gTaktZeit0, (std::vector<std::int16_t>{0}));
    EXPECT_EQ(gTaktLink, (std::vector<std::int16_t>{kTrue}));
    EXPECT_EQ(gAnzTakte, (std::vector<std::uint8_t>{1}));
    EXPECT_TRUE(gUndo.NoUndoData());
    EXPECT_EQ(gAnzAnalysepunkte, 0);
    EXPECT_NE(std::find(host.log.begin(), host.log.end(), "ClearGraphs()"), host.log.end());
    EXPECT_NE(std::find(host.log.begin(), host.log.end(), "RefreshAnalysisList()"), host.log.end());
    EXPECT_EQ(gAnalyseTabelle.ColumnCount(), 0) << "the table is rebuilt from the emptied list";
}

TEST_F(NewCircuitTest, WhileTheWindowIsStillLoadingTheUndoHistoryIsKept) {
    Fill();
    gAktiviert = 0;
    ClearCircuit();
    EXPECT_FALSE(gUndo.NoUndoData());
}

TEST_F(NewCircuitTest, ANewSheetShowsItsSizeAndCaption) {
    Fill();
    host.SetEnabled("mAnsichtItem_2", true);
    host.SetEnabled("mUndoList", true);
    NewCircuit(true);
    EXPECT_EQ(host.Caption("txtX"), "40");
    EXPECT_EQ(host.Caption("txtY"), "30");
    EXPECT_FALSE(host.IsEnabled("mAnsichtItem_2"));
    EXPECT_FALSE(host.IsEnabled("mUndoList"));
    EXPECT_EQ(host.Caption("frmKardo"), "Neue Schaltung");
    EXPECT_EQ(gAnzElemente, 0);
}

TEST_F(NewCircuitTest, ANewSheetLeavesTheICTool) {
    gMouseMode = kTypeIC;
    host.SetChecked("cmdIC", true);
    host.SetChecked("mBauteil_22", true);
    NewCircuit(true);
    EXPECT_EQ(gMouseMode, kToolWire);
    EXPECT_FALSE(host.IsChecked("cmdIC"));
    EXPECT_TRUE(host.IsChecked("cmdLeitungen"));
    EXPECT_TRUE(host.IsChecked("mBauteil_1"));
    EXPECT_FALSE(host.IsChecked("mBauteil_22"));
    ASSERT_FALSE(host.selPictures.empty());
    EXPECT_EQ(host.selPictures.back(), kToolWire);
}

TEST_F(NewCircuitTest, AnotherToolStaysWhenANewSheetIsMade) {
    gMouseMode = kTypeAnd;
    NewCircuit(true);
    EXPECT_EQ(gMouseMode, kTypeAnd);
    EXPECT_TRUE(host.selPictures.empty());
}

TEST_F(NewCircuitTest, ANewSheetRedrawsUnlessAskedNotTo) {
    const int before = host.refreshCalls;
    NewCircuit(true);
    EXPECT_EQ(host.refreshCalls, before);
    NewCircuit(false);
    EXPECT_GT(host.refreshCalls, before);
}

TEST_F(NewCircuitTest, ANewSheetOfAChosenSize) {
    Fill();
    CreateNewWorksheet(70, 45);
    EXPECT_EQ(gFeldBreite, 70);
    EXPECT_EQ(gFeldHoehe, 45);
    EXPECT_EQ(gGrid.UBoundX(), 71);
    EXPECT_EQ(gGrid.UBoundY(), 46);
    EXPECT_EQ(host.Caption("txtX"), "70");
    EXPECT_EQ(host.Caption("txtY"), "45");
}

TEST_F(NewCircuitTest, ARunningCircuitIsSwitchedOffFirst) {
    CreateWorksheet(30, 20);
    test::LayWire(3, 3, 10, 3);
    test::PlaceSwitch(3, 3);
    test::PlaceLed(10, 3);
    PowerOnOff();
    ASSERT_TRUE(gPowerOn);
    // A larger sheet: the switch-off must still redraw the old one.
    CreateNewWorksheet(60, 40);
    EXPECT_FALSE(gPowerOn);
    EXPECT_EQ(gFeldBreite, 60);
    EXPECT_EQ(gAnzElemente, 0);
}

} // namespace
} // namespace kardo
