// The editing and powered modes of the main window: the state of every control the switch
// touches, as a table, and the switch through the power buttons.
#include "app/permissions.h"
#include "app/recent_files.h"
#include "app/settings.h"
#include "mainwindow/tool_table.h"
#include "model/clock_tables.h"
#include "model/codes.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "render/view.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/qt/main_window_fixture.h"

#include <QAction>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace kardo {
namespace {

enum class Prop { Enabled, Visible, Checked, Caption };

struct ModeRow {
    const char* control; // object name
    Prop prop;           // property checked
    const char* editing; // expected in editing mode: "1"/"0" or a caption
    const char* powered; // expected in powered mode
};

// Controls whose state both modes set; the grid is shown and the sheet-size panel open.
const ModeRow kModeRows[] = {
    {"cmdNew", Prop::Enabled, "1", "0"},
    {"cmdOpen", Prop::Enabled, "1", "0"},
    {"cmdSave", Prop::Enabled, "1", "0"},
    {"cmdPrint", Prop::Enabled, "1", "0"},
    {"cmdCut", Prop::Enabled, "1", "0"},
    {"cmdCopy", Prop::Enabled, "1", "0"},
    {"cmdPaste", Prop::Enabled, "1", "0"},
    {"cmdRaster", Prop::Enabled, "1", "0"},
    {"cmdRaster", Prop::Checked, "1", "0"},
    {"cmdICView", Prop::Enabled, "1", "0"},
    {"mDefIC", Prop::Enabled, "1", "0"},
    {"cmdICAuswahl", Prop::Enabled, "1", "0"},
    {"mICAuswahl", Prop::Enabled, "1", "0"},
    {"mUsedFiles_0", Prop::Enabled, "1", "0"},
    {"mUsedFiles_1", Prop::Enabled, "1", "0"},
    {"mUsedFiles_2", Prop::Enabled, "1", "0"},
    {"mUsedFiles_3", Prop::Enabled, "1", "0"},
    {"mNeu", Prop::Enabled, "1", "0"},
    {"mOpen", Prop::Enabled, "1", "0"},
    {"mSave", Prop::Enabled, "1", "0"},
    {"mSaveAs", Prop::Enabled, "1", "0"},
    {"mPrint", Prop::Enabled, "1", "0"},
    {"mDelete", Prop::Enabled, "1", "0"},
    {"mBauelemente", Prop::Visible, "1", "0"},
    {"mBearbeiten", Prop::Visible, "1", "0"},
    {"mOptionen", Prop::Visible, "1", "0"},
    {"mOnOff", Prop::Caption, "&Einschalten", "&Ausschalten"},
    {"mAnsichtItem_3", Prop::Enabled, "1", "0"},
    {"mAnsichtItem_3", Prop::Checked, "1", "0"},
    {"Toolbar2", Prop::Visible, "1", "0"},
    {"picOnOff", Prop::Visible, "0", "1"},
    {"picSize", Prop::Visible, "1", "0"},
    {"txtX", Prop::Enabled, "1", "0"},
    {"txtY", Prop::Enabled, "1", "0"},
    {"updSizeX", Prop::Enabled, "1", "0"},
    {"updSizeY", Prop::Enabled, "1", "0"},
    {"picEigenschaft_3", Prop::Visible, "0", "1"},
    {"Toolbar3_1", Prop::Enabled, "0", "0"},
    {"Toolbar3_2", Prop::Enabled, "0", "0"},
    {"Toolbar3_3", Prop::Enabled, "0", "0"},
    {"Toolbar3_4", Prop::Enabled, "0", "0"},
    {"SSTab1", Prop::Visible, "0", "0"},
    {"lblAllgemein_2", Prop::Caption, "Auswahl:", "Auswahl:"},
    {"lblAktElement", Prop::Caption, "Leitungen", "Eingeschaltet"},
};

// Controls only the powered mode sets.
const ModeRow kPoweredOnlyRows[] = {
    {"picRot", Prop::Visible, "", "1"},
    {"picGrün", Prop::Visible, "", "0"},
    {"lblOnOff", Prop::Caption, "", "Anfangszustand wird berechnet ..."},
    {"picOrientation", Prop::Visible, "", "0"},
    {"picAnschlüsse", Prop::Visible, "", "0"},
    {"picKomplex", Prop::Visible, "", "0"},
    {"picEigenschaft_0", Prop::Visible, "", "0"},
    {"picEigenschaft_1", Prop::Visible, "", "0"},
    {"picEigenschaft_2", Prop::Visible, "", "0"},
    {"lblTaktgeber", Prop::Visible, "", "0"},
    {"txtAnzTakte", Prop::Enabled, "", "0"},
    {"cmdAnzTakte", Prop::Enabled, "", "0"},
};

// Controls neither mode touches.
const char* const kUntouched[] = {
    "mSaveBitmap",   "mBeenden",          "mZoomIn",        "mZoomOut",  "mZoom_0",
    "mPanel_0",      "mPanel_4",          "mAnsichtItem_2", "mSynthese", "mBoolean",
    "mTermCreation", "mNumberConversion", "mHelp",          "mInfo",     "cmdSynthese",
    "cmdTabelle",    "cmdEinstellungen",  "cmdPanel0",      "cmdPanel3", "cmdPanel5",
    "cmdQuickHelp"};

class WindowModesTest : public test::MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadWindow());
        // Recent files make their entries visible (hidden menu entries report disabled).
        gLastFiles = {"/a/1.kdx", "/a/2.kdx", "/a/3.kdx", "/a/4.kdx"};
        BuildRecentFilesMenu();
        // The table checks the switching itself: every function counts as built.
        for (const ModeRow& r : kModeRows)
            W().SetBuilt(r.control, true);
        for (const char* c : {"cmdDauertakt", "cmdEinzeltakt", "cmdFullStop"})
            W().SetBuilt(c, true);
    }

    std::string Value(const char* control, Prop prop) {
        switch (prop) {
        case Prop::Enabled:
            return W().IsEnabled(control) ? "1" : "0";
        case Prop::Visible:
            return W().IsVisible(control) ? "1" : "0";
        case Prop::Checked:
            return W().IsChecked(control) ? "1" : "0";
        case Prop::Caption:
            return W().Caption(control);
        }
        return {};
    }
    struct Snapshot {
        std::vector<std::string> values; // enabled, visible, checked per untouched control
    };
    Snapshot Untouched() {
        Snapshot s;
        for (const char* c : kUntouched)
            s.values.push_back(Value(c, Prop::Enabled) + Value(c, Prop::Visible) +
                               Value(c, Prop::Checked));
        return s;
    }
    void PowerButton(const char* name) { W().findChild<QPushButton*>(name)->click(); }
};

TEST_F(WindowModesTest, EveryControlInBothModes) {
    gPanelVisible[2] = -1;
    W().ResizeProperties(false);
    const Snapshot before = Untouched();
    SaveToolState();
    W().ChangeGUI(false);
    for (const ModeRow& r : kModeRows)
        EXPECT_EQ(Value(r.control, r.prop), r.powered) << r.control << " powered";
    for (const ModeRow& r : kPoweredOnlyRows)
        EXPECT_EQ(Value(r.control, r.prop), r.powered) << r.control << " powered";
    EXPECT_EQ(Untouched().values, before.values);

    W().ChangeGUI(true);
    for (const ModeRow& r : kModeRows)
        EXPECT_EQ(Value(r.control, r.prop), r.editing) << r.control << " editing";
    EXPECT_EQ(Untouched().values, before.values);
}

TEST_F(WindowModesTest, ControlsOfLaterPartsStayDisabledInEditingMode) {
    W().SetBuilt("cmdPrint", false);
    W().SetBuilt("mDefIC", false);
    W().ChangeGUI(false);
    W().ChangeGUI(true);
    EXPECT_FALSE(W().IsEnabled("cmdPrint"));
    EXPECT_FALSE(W().IsEnabled("mDefIC"));
    EXPECT_TRUE(W().IsEnabled("cmdSave"));
}

// Switching back to editing enabled the menu entries and keys of functions that the function
// lock had switched off.
TEST_F(WindowModesTest, ALockedFunctionStaysLockedAfterThePowerIsOff) {
    gFunktionRechte[kRechtICDefinieren] = false;
    gFunktionRechte[kRechtDrucken] = false;
    W().ApplyFunktionRechte();
    W().ChangeGUI(false);
    W().ChangeGUI(true);
    EXPECT_FALSE(W().IsEnabled("mDefIC"));
    EXPECT_FALSE(W().IsEnabled("cmdICView"));
    EXPECT_FALSE(W().IsEnabled("mPrint"));
    EXPECT_TRUE(W().IsEnabled("mICAuswahl"));
}

TEST_F(WindowModesTest, WithAClockTheClockPanelOffersItsKeysAndSelectsClockZero) {
    test::PlaceClock(10, 10);
    test::PlaceClock(20, 20);
    gAktTakt = 1;
    W().ChangeGUI(false);
    EXPECT_TRUE(W().IsEnabled("Toolbar3_1"));
    EXPECT_TRUE(W().IsEnabled("Toolbar3_2"));
    EXPECT_EQ(gAktTakt, 0);
    EXPECT_FALSE(gPowerOn);
    EXPECT_TRUE(W().IsVisible("SSTab1"));
    EXPECT_TRUE(W().IsVisible("lblTaktgeber"));
    EXPECT_TRUE(W().IsEnabled("txtAnzTakte"));
    EXPECT_TRUE(W().findChild<QTabWidget*>("SSTab1")->isTabEnabled(1));
    EXPECT_EQ(W().Caption("lblTaktgeber"), "Taktgeber: 1");
    W().ChangeGUI(true);
    EXPECT_EQ(W().Caption("lblTaktgeber"), "");
    EXPECT_FALSE(W().IsEnabled("Toolbar3_1"));
}

TEST_F(WindowModesTest, WithoutAClockTheClockPanelShowsButOffersNothing) {
    W().ChangeGUI(false);
    EXPECT_TRUE(W().IsVisible("picEigenschaft_3"));
    EXPECT_FALSE(W().IsVisible("SSTab1"));
    EXPECT_FALSE(W().IsVisible("lblTaktgeber"));
    EXPECT_FALSE(W().IsEnabled("txtAnzTakte"));
    EXPECT_FALSE(W().IsEnabled("cmdAnzTakte"));
    EXPECT_FALSE(W().findChild<QTabWidget*>("SSTab1")->isTabEnabled(1));
    for (int i = 1; i <= 4; ++i)
        EXPECT_FALSE(W().IsEnabled("Toolbar3_" + std::to_string(i)));
}

TEST_F(WindowModesTest, UndoEntriesFollowTheHistoryWhenEditingResumes) {
    W().ChangeGUI(false);
    W().ChangeGUI(true);
    for (const char* c : {"mUndo", "mUndoList", "cmdUndo", "cmdUndoList"})
        EXPECT_FALSE(W().IsEnabled(c)) << c;

    test::PlaceAnd(10, 10);
    ASSERT_FALSE(gUndo.NoUndoData());
    W().ChangeGUI(false);
    for (const char* c : {"mUndo", "mUndoList", "cmdUndo", "cmdUndoList"})
        EXPECT_FALSE(W().IsEnabled(c)) << c;
    W().ChangeGUI(true);
    for (const char* c : {"mUndo", "mUndoList", "cmdUndo", "cmdUndoList"})
        EXPECT_TRUE(W().IsEnabled(c)) << c;
}

TEST_F(WindowModesTest, AHiddenGridLeavesTheGridKeyReleasedAndTheEntryUnchecked) {
    gShowGrid = false;
    W().ChangeGUI(false);
    W().ChangeGUI(true);
    EXPECT_FALSE(W().IsChecked("cmdRaster"));
    EXPECT_FALSE(W().IsChecked("mAnsichtItem_3"));
    gShowGrid = true;
    W().ChangeGUI(false);
    W().ChangeGUI(true);
    EXPECT_TRUE(W().IsChecked("cmdRaster"));
    EXPECT_TRUE(W().IsChecked("mAnsichtItem_3"));
}

TEST_F(WindowModesTest, TheSheetSizePanelComesBackInItsFormerState) {
    for (std::int16_t state : {std::int16_t{1}, std::int16_t{0}, std::int16_t{-1}}) {
        gPanelVisible[2] = state;
        W().ResizeProperties(false);
        W().ChangeGUI(false);
        EXPECT_FALSE(W().IsVisible("picSize")) << state;
        EXPECT_EQ(gPanelVisible[2], state);
        W().ChangeGUI(true);
        EXPECT_EQ(W().IsVisible("picSize"), state != 0) << state;
        if (state != 0) {
            EXPECT_EQ(W().IsChecked("cmdMin_1"), state == 1) << state;
        }
        EXPECT_EQ(W().IsChecked("mPanel_2"), state != 0) << state;
    }
}

TEST_F(WindowModesTest, ThePowerButtonsSwitchOnAndOffAndTheToolComesBack) {
    W().Toolbar2_ButtonClick("cmdUND");
    PowerButton("cmdOn");
    EXPECT_TRUE(gPowerOn);
    EXPECT_EQ(gMouseMode, kToolPowered);
    EXPECT_EQ(W().Caption("mOnOff"), "&Ausschalten");
    EXPECT_FALSE(W().IsVisible("Toolbar2"));
    EXPECT_TRUE(W().IsChecked("cmdOn"));
    EXPECT_EQ(W().Caption("lblAktElement"), "Eingeschaltet");

    PowerButton("cmdOff");
    EXPECT_FALSE(gPowerOn);
    EXPECT_EQ(gMouseMode, 6);
    EXPECT_TRUE(W().IsChecked("cmdUND"));
    EXPECT_FALSE(W().IsChecked("cmdLeitungen"));
    EXPECT_EQ(W().Caption("lblAktElement"), "UND");
    EXPECT_EQ(W().Caption("mOnOff"), "&Einschalten");
    EXPECT_TRUE(W().IsVisible("Toolbar2"));
}

TEST_F(WindowModesTest, TheMenuEntrySwitchesThroughTheButtons) {
    auto* onOff = qobject_cast<QAction*>(W().FindControl("mOnOff"));
    onOff->trigger();
    EXPECT_TRUE(gPowerOn);
    EXPECT_TRUE(W().IsChecked("cmdOn"));
    onOff->trigger();
    EXPECT_FALSE(gPowerOn);
    EXPECT_TRUE(W().IsChecked("cmdOff"));
}

TEST_F(WindowModesTest, SettingTheOffButtonInCodeSwitchesOff) {
    PowerButton("cmdOn");
    ASSERT_TRUE(gPowerOn);
    W().SetChecked("cmdOff", true);
    EXPECT_FALSE(gPowerOn);
    EXPECT_EQ(gMouseMode, kToolWire);
}

TEST_F(WindowModesTest, TheRunStopButtonAndTheClockStopKeyAreTwoControls) {
    W().SetEnabled("cmdStop", true);
    EXPECT_TRUE(W().IsEnabled("cmdStop"));
    EXPECT_FALSE(W().IsEnabled("Toolbar3/cmdStop"));
    W().SetEnabled("Toolbar3_3", true);
    EXPECT_TRUE(W().IsEnabled("Toolbar3/cmdStop"));
    EXPECT_NE(W().FindControl("cmdStop"), W().FindControl("Toolbar3_3"));
}

} // namespace
} // namespace kardo
