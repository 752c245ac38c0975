// The main toolbar and the clock toolbar: keys, tooltips, actions, quick-help mode, the keys of
// functions not built yet, the flat look and the clock keys by the clock's run state.
#include "app/main_state.h"
#include "app/recent_files.h"
#include "app/settings.h"
#include "mainwindow/tool_icons.h"
#include "mainwindow/tool_table.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/sim_levels.h"
#include "model/utilities.h"
#include "render/view.h"
#include "support/block_builder.h"
#include "support/qt/main_window_fixture.h"

#include <QAction>
#include <QImage>
#include <QPushButton>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class MainToolbarTest : public test::MainWindowFixture {
  protected:
    void SetUp() override { ASSERT_TRUE(LoadWindow()); }
    QAction* Action(std::string_view name) {
        auto* a = qobject_cast<QAction*>(W().FindControl(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    void Click(std::string_view name) { Action(name)->trigger(); }
};

TEST_F(MainToolbarTest, EveryKeyWithItsTooltipInToolbarOrder) {
    const std::pair<const char*, const char*> keys[] = {{"cmdNew", "Neue Datei anlegen"},
                                                        {"cmdOpen", "Datei öffnen"},
                                                        {"cmdSave", "Datei sichern"},
                                                        {"cmdPrint", "Drucken"},
                                                        {"cmdCut", "Ausschneiden"},
                                                        {"cmdCopy", "Kopieren"},
                                                        {"cmdPaste", "Einfügen"},
                                                        {"cmdUndo", "Rückgängig"},
                                                        {"cmdUndoList", "Annullierungsliste"},
                                                        {"cmdSynthese", "Schaltungssynthese"},
                                                        {"cmdTabelle", "Wertetabelle"},
                                                        {"cmdICView", "IC definieren"},
                                                        {"cmdICAuswahl", "IC-Auswahl"},
                                                        {"cmdEinstellungen", "Einstellungen"},
                                                        {"cmdRaster", "Raster anzeigen"},
                                                        {"cmdPanel0", "Panel: Power"},
                                                        {"cmdPanel1", "Panel: Eigenschaften"},
                                                        {"cmdPanel2", "Panel: Arbeitsfeld"},
                                                        {"cmdPanel3", "Panel: Zoom"},
                                                        {"cmdPanel4", "Panel: Ebenen"},
                                                        {"cmdPanel5", "Panel: Eingabezeile"},
                                                        {"cmdQuickHelp", "Direkthilfe"}};
    std::vector<std::string> order;
    for (QAction* a : W().findChild<QToolBar*>("Toolbar")->actions())
        if (!a->isSeparator())
            order.push_back(a->objectName().toStdString());
    ASSERT_EQ(order.size(), std::size(keys));
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(order[i], keys[i].first);
        EXPECT_EQ(Action(keys[i].first)->toolTip().toStdString(), keys[i].second);
    }
    // Buttons 1 to 10 as the mode switch counts them: a separator at 8.
    EXPECT_EQ(W().FindControl("Toolbar_9"), W().FindControl("cmdUndo"));
    EXPECT_EQ(W().FindControl("Toolbar_10"), W().FindControl("cmdUndoList"));
    for (const char* twoState : {"cmdICAuswahl", "cmdRaster", "cmdPanel5", "cmdQuickHelp"})
        EXPECT_TRUE(Action(twoState)->isCheckable()) << twoState;
}

TEST_F(MainToolbarTest, ElementAndClockKeysWithTheirTooltips) {
    const std::pair<const char*, const char*> keys[] = {
        {"cmdText", "Text"},
        {"cmdLeitungen", "Leitungen ziehen"},
        {"cmdDiode", "LED"},
        {"cmdKomplex", "Komplexes Element"},
        {"cmdDecoderT", "Decoder mit Takteingang"},
        {"cmdDauertakt", "Dauertakt"},
        {"cmdEinzeltakt", "Einzeltakt"},
        {"Toolbar3/cmdStop", "Stromfluß unterbrechen"},
        {"cmdFullStop", "Alles stoppen"}};
    for (const auto& [key, tip] : keys)
        EXPECT_EQ(Action(key)->toolTip().toStdString(), tip);
    for (std::size_t i = 0; i < kToolbar2Keys.size(); ++i)
        EXPECT_EQ(W().FindControl("Toolbar2_" + std::to_string(i + 1)),
                  W().FindControl(kToolbar2Keys[i]));
    EXPECT_EQ(W().FindControl("tlbOrientation_2"), W().FindControl("cmdLinks"));
}

TEST_F(MainToolbarTest, KeysOfFunctionsNotBuiltYetArePresentButDisabled) {
    for (const char* key : {"cmdCut", "cmdCopy", "cmdPaste"}) {
        ASSERT_NE(W().FindControl(key), nullptr) << key;
        EXPECT_FALSE(W().IsEnabled(key)) << key;
        W().SetEnabled(key, true);
        EXPECT_FALSE(W().IsEnabled(key)) << key;
    }
}

TEST_F(MainToolbarTest, TheGridKeyAndTheMenuEntryShowAndHideTheGridDots) {
    ASSERT_EQ(picture.PixelAt(7, 7), 0x808080);
    Click("cmdRaster");
    EXPECT_FALSE(gShowGrid);
    EXPECT_FALSE(W().IsChecked("mAnsichtItem_3"));
    EXPECT_EQ(picture.PixelAt(7, 7), 0xFFFFFF);
    Click("mAnsichtItem_3");
    EXPECT_TRUE(gShowGrid);
    EXPECT_TRUE(W().IsChecked("cmdRaster"));
    EXPECT_EQ(picture.PixelAt(7, 7), 0x808080);
    Click("mAnsichtItem_3");
    Click("mAnsichtItem_3");
    EXPECT_TRUE(gShowGrid);
    EXPECT_TRUE(W().IsChecked("cmdRaster"));
    EXPECT_EQ(W().MousePointer(), kPointerDefault);
}

TEST_F(MainToolbarTest, PanelKeysToggleTheirPanels) {
    const char* panels[] = {"picEinAus", "picEigenschaften", "picSize", "picZoom", "picIC"};
    for (int i = 0; i < 5; ++i) {
        const std::string key = "cmdPanel" + std::to_string(i);
        const std::int16_t before = gPanelVisible[static_cast<std::size_t>(i)];
        Click(key);
        const std::int16_t after = gPanelVisible[static_cast<std::size_t>(i)];
        EXPECT_EQ(after, before == 0 ? -1 : 0) << key;
        EXPECT_EQ(W().IsVisible(panels[i]), after != 0) << key;
        EXPECT_EQ(W().IsChecked(key), after != 0) << key;
        EXPECT_EQ(W().IsChecked("mPanel_" + std::to_string(i)), after != 0) << key;
    }
}

TEST_F(MainToolbarTest, ACollapsedPropertyPanelIsHiddenAndThenShownExpanded) {
    W().findChild<QToolButton*>("cmdMin_0")->click();
    ASSERT_EQ(gPanelVisible[1], 1);
    Click("cmdPanel1");
    EXPECT_EQ(gPanelVisible[1], 0);
    EXPECT_FALSE(W().IsVisible("picEigenschaften"));
    Click("cmdPanel1");
    EXPECT_EQ(gPanelVisible[1], -1);
    EXPECT_TRUE(W().IsVisible("SSPanel2"));
}

TEST_F(MainToolbarTest, ClosingEveryPanelHidesTheColumn) {
    for (int i = 0; i < 5; ++i)
        if (gPanelVisible[static_cast<std::size_t>(i)] != 0)
            Click("cmdPanel" + std::to_string(i));
    EXPECT_FALSE(W().IsVisible("picPropContainer"));
    Click("mPanel_0");
    EXPECT_TRUE(W().IsVisible("picPropContainer"));
    EXPECT_EQ(gPanelVisible[0], -1);
}

TEST_F(MainToolbarTest, QuickHelpModeShowsHelpAndChangesNothing) {
    Click("cmdUND");
    Click("cmdQuickHelp");
    EXPECT_EQ(gMouseMode, kToolQuickHelp);
    EXPECT_EQ(W().MousePointer(), kPointerArrowQuestion);
    EXPECT_FALSE(W().IsEnabled("mBauelemente"));
    const std::int16_t zoom = gPanelVisible[3];
    Click("cmdPanel3");
    EXPECT_EQ(gPanelVisible[3], zoom);
    EXPECT_EQ(W().IsChecked("cmdPanel3"), zoom != 0);
    Click("cmdRaster");
    EXPECT_TRUE(gShowGrid);
    EXPECT_TRUE(W().IsChecked("cmdRaster"));
    Click("cmdQuickHelp");
    EXPECT_EQ(gMouseMode, 6);
    EXPECT_TRUE(W().IsChecked("cmdUND"));
    EXPECT_TRUE(W().IsEnabled("mBauelemente"));
}

// Quick help used while the circuit was on overwrote the tool state saved at power-on, so that
// switching off returned to the powered tool instead of the editing tool.
TEST_F(MainToolbarTest, QuickHelpWhilePoweredKeepsTheToolSavedAtPowerOn) {
    Click("cmdUND");
    W().findChild<QPushButton*>("cmdOn")->click();
    ASSERT_TRUE(gPowerOn);
    Click("cmdQuickHelp");
    Click("cmdQuickHelp");
    EXPECT_EQ(gMouseMode, kToolPowered);
    W().findChild<QPushButton*>("cmdOff")->click();
    ASSERT_FALSE(gPowerOn);
    EXPECT_EQ(gMouseMode, 6);
    EXPECT_TRUE(W().IsChecked("cmdUND"));
}

TEST_F(MainToolbarTest, InQuickHelpModeThePowerButtonsExplainThemselves) {
    Click("cmdQuickHelp");
    W().findChild<QPushButton*>("cmdOn")->click();
    EXPECT_FALSE(gPowerOn);
    EXPECT_TRUE(W().IsChecked("cmdOff"));
    Click("cmdQuickHelp");
}

TEST_F(MainToolbarTest, TheToolbarsAreFlatAfterTheLoadAndASecondCallUndoesIt) {
    auto buttons = [&](const char* bar) {
        return W().findChild<QToolBar*>(bar)->findChildren<QToolButton*>();
    };
    for (const char* bar : {"Toolbar", "Toolbar2", "tlbOrientation", "Toolbar3"})
        for (QToolButton* b : buttons(bar))
            EXPECT_TRUE(b->autoRaise()) << bar;
    W().ChangeToolbarStyle();
    for (QToolButton* b : buttons("Toolbar"))
        EXPECT_FALSE(b->autoRaise());
}

TEST_F(MainToolbarTest, SaveAsAndNotSaveHasTheCtrlSKey) {
    EXPECT_EQ(Action("mSaveAs")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_TRUE(Action("mSave")->shortcut().isEmpty());
    EXPECT_EQ(Action("mOnOff")->shortcut(), QKeySequence("F12"));
}

TEST_F(MainToolbarTest, SavingANewCircuitAsksForTheFile) {
    paths = {std::nullopt};
    Click("cmdSave");
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].title, "Datei speichern unter");
    EXPECT_EQ(dialogs[0].initialFolder, gVerzeichnisse[0]);
}

TEST_F(MainToolbarTest, RecentFilesFillTheFileMenu) {
    gLastFiles = {"/x/a.kdx", "", "", ""};
    BuildRecentFilesMenu();
    EXPECT_TRUE(W().IsVisible("mUsedFiles_0"));
    EXPECT_EQ(W().Caption("mUsedFiles_0"), "&1 /x/a.kdx");
    EXPECT_FALSE(W().IsVisible("mUsedFiles_1"));
    EXPECT_TRUE(W().IsVisible("mUsedFilesLine"));
}

// A recent file whose path held "&" lost it in the file menu and underlined the next letter.
TEST_F(MainToolbarTest, ARecentFileWithAnAmpersandShowsItsPath) {
    gLastFiles = {"/x/Tom & Jerry.kdx", "/y/a&&b.kdx", "", ""};
    BuildRecentFilesMenu();
    EXPECT_EQ(W().Caption("mUsedFiles_0"), "&1 /x/Tom && Jerry.kdx");
    EXPECT_EQ(W().Caption("mUsedFiles_1"), "&2 /y/a&&&&b.kdx");
    EXPECT_EQ(gLastFiles[0], "/x/Tom & Jerry.kdx") << "the path itself is kept";
}

struct ClockKeyCase {
    const char* tag;   // Timer2(n).Tag
    bool output;       // gTaktAusgang(n)
    const char* stop;  // expected cmdStop: "1" enabled, "0" disabled, "-" unchanged
    const char* start; // expected cmdDauertakt and cmdEinzeltakt
};

TEST_F(MainToolbarTest, ClockKeysFollowTheRunStateOfTheSelectedClock) {
    for (const char* c : {"cmdDauertakt", "cmdEinzeltakt", "Toolbar3_3", "cmdFullStop"})
        W().SetBuilt(c, true);
    test::PlaceClock(10, 10);
    gAktTakt = 0;
    const ClockKeyCase cases[] = {{"Dauertakt", false, "1", "0"}, {"Dauertakt", true, "1", "0"},
                                  {"Einzeltakt", true, "1", "0"}, {"Einzeltakt", false, "0", "1"},
                                  {"Stop", true, "0", "1"},       {"", false, "0", "1"},
                                  {"Unbekannt", false, "-", "-"}};
    for (const ClockKeyCase& c : cases) {
        // A state the case must change (or keep, for "-").
        W().SetEnabled("Toolbar3_3", true);
        W().SetEnabled("cmdDauertakt", false);
        W().SetEnabled("cmdEinzeltakt", false);
        W().SetEnabled("cmdFullStop", true);
        Timer2()[0].Tag = c.tag;
        gTaktAusgang[0] = c.output ? -1 : 0;
        W().ChangeToolbar3();
        const std::string stop = c.stop == std::string("-") ? "1" : c.stop;
        const std::string start = c.start == std::string("-") ? "0" : c.start;
        EXPECT_EQ(W().IsEnabled("Toolbar3_3") ? "1" : "0", stop) << c.tag;
        EXPECT_EQ(W().IsEnabled("cmdDauertakt") ? "1" : "0", start) << c.tag;
        EXPECT_EQ(W().IsEnabled("cmdEinzeltakt") ? "1" : "0", start) << c.tag;
        EXPECT_TRUE(W().IsEnabled("cmdFullStop")) << c.tag;
    }
}

TEST_F(MainToolbarTest, TheClockKeysRunAndStopTheSelectedClock) {
    test::PlaceClock(10, 10);
    W().findChild<QPushButton*>("cmdOn")->click();
    ASSERT_TRUE(gPowerOn);
    ASSERT_TRUE(W().IsEnabled("Toolbar3_1"));
    Click("Toolbar3_1");
    EXPECT_EQ(Timer2()[0].Tag, "Dauertakt");
    EXPECT_FALSE(W().IsEnabled("cmdDauertakt"));
    EXPECT_TRUE(W().IsEnabled("Toolbar3/cmdStop"));
    Click("Toolbar3_3");
    EXPECT_EQ(Timer2()[0].Tag, "Stop");
    EXPECT_TRUE(W().IsEnabled("cmdDauertakt"));
    W().findChild<QPushButton*>("cmdOff")->click();
    EXPECT_FALSE(gPowerOn);
}

TEST_F(MainToolbarTest, TheClockAndDelayControlsOfTheWindowReachTheirHandlers) {
    test::PlaceClock(10, 10);
    gAktTakt = 0;
    W().findChild<QSlider*>("Slider1")->setValue(10000 - 2500);
    EXPECT_EQ(gTaktZeit1[0], 2500);
    EXPECT_EQ(W().Caption("lbl1"), "2.5s");
    EXPECT_EQ(W().Caption("txtVerzögerung"), "Aus");
    W().findChild<QSlider*>("sldDelay")->setValue(1);
    EXPECT_EQ(W().Caption("lblDelay"), "1 Zyklus");
    // A tool change switches the delay off again.
    W().Toolbar2_ButtonClick("cmdUND");
    EXPECT_EQ(W().findChild<QSlider*>("sldDelay")->value(), 0);
    EXPECT_EQ(W().Caption("lblDelay"), "[Aus]");
}

TEST_F(MainToolbarTest, TheClockPanelShowsTheSelectedClock) {
    test::PlaceClock(10, 10);
    test::PlaceClock(20, 10);
    gAktTakt = 1;
    gTaktZeit1[1] = 1550;
    gTaktZeit0[1] = 999;
    gAnzTakte[1] = 7;
    W().ChangeToolbar3();
    EXPECT_EQ(W().findChild<QSlider*>("Slider1")->value(), 10000 - 1550);
    EXPECT_EQ(W().findChild<QSlider*>("Slider0")->value(), 10000 - 999);
    EXPECT_EQ(W().Caption("lbl1"), "1.5s");
    EXPECT_EQ(W().Caption("lbl0"), "0.9s");
    EXPECT_EQ(W().Caption("txtAnzTakte"), "7");
    EXPECT_EQ(W().Caption("lblTaktgeber"), "Taktgeber: 2");
}

// Every key and tool has a picture of its own, not the first three letters of a key without one.
TEST_F(MainToolbarTest, EveryKeyAndToolHasAPictureOfItsOwn) {
    const auto lettered = [](std::string_view key) {
        return KeyIcon(key.substr(0, 3)).pixmap(24, 24).toImage();
    };
    int keys = 0;
    for (const QToolBar* bar : W().findChildren<QToolBar*>())
        for (const QAction* a : bar->actions()) {
            const std::string key = a->objectName().toStdString();
            if (key.empty() || a->icon().isNull())
                continue;
            ++keys;
            EXPECT_NE(a->icon().pixmap(24, 24).toImage(), lettered(key)) << key;
        }
    EXPECT_GE(keys, 50);
    for (const ToolChoice& c : kToolChoices)
        EXPECT_NE(ToolPicture(c.tool).toImage(), lettered(c.komplex.empty() ? c.key : c.komplex))
            << c.key << " " << c.komplex;
}

} // namespace
} // namespace kardo
