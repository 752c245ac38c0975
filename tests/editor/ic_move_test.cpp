// ICs moved with the select tool: an IC moved with its area, or by itself, keeps working when
// the circuit is switched on; an area holding an IC is not deleted, and says why.
#include "app/settings.h"
#include "editor/area_select.h"
#include "editor/mouse_dispatch.h"
#include "editor/selection.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "simulation/power.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/editor_fixture.h"
#include "support/ic_files.h"
#include "support/mouse_driver.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::Click;
using test::Drag;

// A switch wired to the input of the IC "inv" (one inverter) and its output wired to an LED:
// switch (5, row), IC package columns 10..12 (pins (10, row) and (12, row)), LED (17, row).
class ICMoveTest : public test::EditorFixture {
  protected:
    ICMoveTest() {
        gVerzeichnisse[1] = dir.Path() + "/";
        test::WriteBytes(dir.File("inv.icd"), test::ReadBytes(test::DataFile("inv.icd")));
        test::LayWire(5, 11, 10, 11);
        EXPECT_NE(test::PlaceSwitch(5, 11), 0);
        EXPECT_NE(test::PlaceIC("inv", 10, 10), 0);
        test::LayWire(12, 11, 17, 11);
        EXPECT_NE(test::PlaceLed(17, 11), 0);
        gMouseMode = kToolSelect;
    }
    ~ICMoveTest() override {
        if (gPowerOn)
            PowerOnOff();
    }
    // Switches on, reads the LED, toggles the switch, reads it again, switches off.
    static std::pair<bool, bool> LedBeforeAndAfterToggle(int row) {
        PowerOnOff();
        const bool before = gLevels.at(0).Feld(17, row).Pegel != 0;
        Click(5, row);
        const bool after = gLevels.at(0).Feld(17, row).Pegel != 0;
        PowerOnOff();
        gMouseMode = kToolSelect;
        return {before, after};
    }
    test::TempDir dir; // the IC folder
};

TEST_F(ICMoveTest, AnICMovedWithItsAreaKeepsWorking) {
    ASSERT_EQ(LedBeforeAndAfterToggle(11), std::make_pair(true, false));
    Drag({{3, 8}, {10, 12}, {19, 14}});
    ASSERT_TRUE(gAreaMarked);
    Drag({{8, 11}, {8, 16}});
    ASSERT_EQ(gGrid(11, 16).Typ, kTypeIC);
    EXPECT_EQ(gGrid(10, 16).ICLevel, 1); // the pin cells keep their instance
    EXPECT_EQ(gGrid(10, 11).ICLevel, 0);
    EXPECT_EQ(LedBeforeAndAfterToggle(16), std::make_pair(true, false));
    // Taken back, it works at its old place again.
    gUndo.Undo();
    EXPECT_EQ(gGrid(11, 11).Typ, kTypeIC);
    EXPECT_EQ(LedBeforeAndAfterToggle(11), std::make_pair(true, false));
}

TEST_F(ICMoveTest, AnICMovedByItselfAndBackKeepsWorking) {
    const test::SheetState before = test::CaptureSheet();
    Drag({{11, 11}, {11, 20}});
    ASSERT_EQ(gGrid(11, 20).Typ, kTypeIC);
    EXPECT_EQ(gGrid(10, 11).Typ, kTypeWire); // the wire ends stay
    Drag({{11, 20}, {11, 11}});
    EXPECT_EQ(gGrid(11, 11).Typ, kTypeIC);
    EXPECT_EQ(LedBeforeAndAfterToggle(11), std::make_pair(true, false));
    gUndo.Undo();
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), before);
}

TEST_F(ICMoveTest, AnAreaWithAnICIsNotDeleted) {
    Drag({{3, 8}, {19, 14}});
    ASSERT_TRUE(gAreaMarked);
    const test::SheetState before = test::CaptureSheet();
    host.statusTexts.clear();
    LoescheBereich();
    EXPECT_EQ(test::CaptureSheet(), before);
    EXPECT_TRUE(gAreaMarked);
    EXPECT_TRUE(host.statusTexts.empty() && host.messages.empty());
}

// Regression: undoing an area deletion left every IC of the sheet with its instance index as
// its text, which the whole-field step keeps in its copy (found by the edit/save property test,
// seed 3).
TEST_F(ICMoveTest, UndoingAnAreaDeletionKeepsTheICsRecordAsItWas) {
    ASSERT_NE(test::PlaceLed(20, 20), 0);
    const test::SheetState before = test::CaptureSheet();
    Drag({{18, 18}, {20, 20}, {22, 22}});
    ASSERT_TRUE(gAreaMarked);
    LoescheBereich();
    ASSERT_EQ(gGrid(20, 20).Typ, kTypeEmpty);
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), before);
}

TEST_F(ICMoveTest, UndoingAnAreaDeletionGivesTheICsInstanceItsNumberBack) {
    // Fault pinned: undoing an area deletion left an IC's instance with the number it had after.
    ASSERT_EQ(gGrid(11, 11).ElementNr, 2);
    Drag({{3, 9}, {5, 11}, {7, 13}}); // the switch, element 1
    ASSERT_TRUE(gAreaMarked);
    LoescheBereich();
    ASSERT_EQ(gGrid(11, 11).ElementNr, 1);
    ASSERT_EQ(gICInstances[1].ElementNr, 1);
    gUndo.Undo();
    EXPECT_EQ(gGrid(11, 11).ElementNr, 2);
    EXPECT_EQ(gICInstances[1].ElementNr, 2);
    EXPECT_EQ(LedBeforeAndAfterToggle(11), std::make_pair(true, false));
}

} // namespace
} // namespace kardo
