// Start-up and shutdown of the main window: the four load stages, the start state, the missing
// function lock, the first activation, the question on closing and its answers, and settings
// that survive a restart.
#include "app/file_object.h"
#include "app/load_sequence.h"
#include "app/main_state.h"
#include "app/permissions.h"
#include "app/recent_files.h"
#include "app/settings.h"
#include "ic/qt/frm_ic_auswahl.h"
#include "model/codes.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "platform/ini_settings_store.h"
#include "render/view.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/qt/main_window_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QProgressBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace kardo {
namespace {

namespace fs = std::filesystem;
using StartupTest = test::MainWindowFixture;

TEST_F(StartupTest, TheLoadReportsItsFourStagesAndStartsWithTheWireTool) {
    ASSERT_TRUE(LoadWindow());
    EXPECT_EQ(stages, (std::vector<std::string>{"Objekte initialisieren...", "Werte zuweisen...",
                                                "Verzeichnisse vorbereiten...",
                                                "Programmoberfläche vorbereiten..."}));
    EXPECT_EQ(W().Caption("frmKardo"), "Neue Schaltung - Kardo");
    EXPECT_EQ(gMouseMode, kToolWire);
    EXPECT_TRUE(W().IsChecked("cmdLeitungen"));
    EXPECT_TRUE(W().IsChecked("mBauteil_1"));
    EXPECT_EQ(W().Caption("lblAktElement"), "Leitungen");
    EXPECT_EQ(gAktiviert, 1);
    EXPECT_TRUE(gUnveraendert);
    EXPECT_TRUE(boxes.empty());
    // Fault: the status bar's progress bar showed the text "0%".
    EXPECT_FALSE(W().findChild<QProgressBar*>("ProgressBar")->isTextVisible());
    // A first start: the working folders are the default folders, created below the home
    // folder when no documents folder is set up.
    EXPECT_EQ(gVerzeichnisse,
              (std::array<std::string, 3>{home + "/Kardo/Schaltungen/", home + "/Kardo/ICs/",
                                          home + "/Kardo/Bilder/"}));
    // The file commands stay enabled throughout.
    for (const char* c : {"mSave", "mSaveAs", "cmdSave"})
        EXPECT_TRUE(W().IsEnabled(c)) << c;
}

TEST_F(StartupTest, TheGridIsShownWhateverWasStored) {
    settings.Set(SettingsRoot::User, "ShowGrid", "0");
    ASSERT_TRUE(LoadWindow());
    EXPECT_TRUE(gShowGrid);
    EXPECT_TRUE(W().IsChecked("mAnsichtItem_3"));
    EXPECT_TRUE(W().IsChecked("cmdRaster"));
}

TEST_F(StartupTest, TheICLibraryKeyFollowsTheStoredWindowState) {
    settings.Set(SettingsRoot::User, "frmICAuswahlVisible", "-1");
    ASSERT_TRUE(LoadWindow());
    EXPECT_TRUE(W().IsChecked("cmdICAuswahl"));
}

TEST_F(StartupTest, TheUndoDepthComesFromTheSettingsAtTheFirstActivation) {
    settings.Set(SettingsRoot::User, "DummyUndo", "33");
    ASSERT_TRUE(LoadWindow());
    EXPECT_EQ(gUndo.Undos(), 33);
}

TEST_F(StartupTest, PanelStatesComeFromTheSettings) {
    settings.Set(SettingsRoot::User, "PanelVisible1", "1");
    settings.Set(SettingsRoot::User, "PanelVisible3", "0");
    settings.Set(SettingsRoot::User, "PanelVisible4", "-1");
    ASSERT_TRUE(LoadWindow());
    EXPECT_TRUE(W().IsVisible("picEigenschaften"));
    EXPECT_TRUE(W().IsChecked("cmdMin_0"));
    EXPECT_FALSE(W().IsVisible("picZoom"));
    EXPECT_TRUE(W().IsVisible("picIC"));
    EXPECT_TRUE(W().IsChecked("cmdPanel4"));
    EXPECT_FALSE(W().IsChecked("mPanel_3"));
}

TEST_F(StartupTest, AMissingFunctionLockEndsTheStart) {
    settings.Erase(SettingsRoot::User, "Permissions");
    EXPECT_FALSE(LoadWindow());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].icon, MsgIcon::Critical);
}

TEST_F(StartupTest, TheFunctionLockIsAppliedToKeysMenusAndTheComplexList) {
    settings.Set(SettingsRoot::User, "Permissions", "B:01111010110111;F:1111111;P:");
    ASSERT_TRUE(LoadWindow());
    EXPECT_FALSE(W().IsEnabled("cmdDiode"));
    EXPECT_FALSE(W().IsEnabled("mBauteil_7"));
    EXPECT_FALSE(W().IsEnabled("cmdXODER"));
    EXPECT_TRUE(W().IsEnabled("cmdUND"));
    EXPECT_FALSE(W().IsEnabled("mBauteil_19"));
    EXPECT_FALSE(W().IsEnabled("mBauteil_22"));
    std::vector<std::string> entries;
    auto* list = W().findChild<QComboBox*>("cmbKomplex");
    for (int i = 0; i < list->count(); ++i)
        entries.push_back(list->itemText(i).toStdString());
    EXPECT_EQ(entries, (std::vector<std::string>{"FlipFlop", "Taktgeber", "Ziffernanzeige"}));
}

TEST_F(StartupTest, ACommandLineFileIsOpenedAfterTheEmptySheetIsDrawn) {
    LadeDatei = home + "/gibt-es-nicht.kdx";
    ASSERT_TRUE(LoadWindow());
    // The load was attempted: the missing file is reported.
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Die Datei wurde nicht gefunden.");
}

// A circuit opened from the recent files (or the command line) into an IC folder without its ICs
// loaded with the ICs beside it, but the IC tool stayed disabled and the IC lists empty until the
// window was activated again.
TEST_F(StartupTest, ICsTakenFromBesideAnOpenedCircuitAreListedAtOnce) {
    const std::string stick = MakeFolder("Stick") + "/";
    for (const char* file : {"inv.icd", "inv2.icd", "zwei_ics.kdx"})
        test::WriteBytes(stick + file, test::ReadBytes(test::DataFile(file)));
    settings.Set(SettingsRoot::User, "Verzeichnis1", MakeFolder("ICs") + "/");
    ASSERT_TRUE(LoadWindow());
    W().SetICAuswahlShown(true);
    ASSERT_FALSE(W().IsEnabled("cmdIC"));
    gLastFiles[0] = stick + "zwei_ics.kdx";
    BuildRecentFilesMenu();
    qobject_cast<QAction*>(W().FindControl("mUsedFiles_0"))->trigger();
    EXPECT_TRUE(W().IsEnabled("cmdIC"));
    EXPECT_EQ(W().findChild<QComboBox*>("cmbIC")->count(), 2);
    EXPECT_EQ(W().ICAuswahl()->findChild<QTreeWidget*>("lvwICs")->topLevelItemCount(), 2);
    EXPECT_TRUE(boxes.empty());
}

// Closing the window.
class ShutdownTest : public test::MainWindowFixture {
  protected:
    void SetUp() override { ASSERT_TRUE(LoadWindow()); }
    bool Close() {
        QCloseEvent e;
        QCoreApplication::sendEvent(window.get(), &e);
        return e.isAccepted();
    }
};

TEST_F(ShutdownTest, AnUnchangedCircuitClosesAtOnceAndSavesTheSettings) {
    gPanelVisible[4] = -1;
    EXPECT_TRUE(Close());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(settings.Flushed(SettingsRoot::User).at("PanelVisible4"), "-1");
}

// A settings save that failed at exit lost the values without a word.
TEST_F(ShutdownTest, SettingsThatCannotBeSavedAtExitAreReported) {
    settings.failFlush = true;
    EXPECT_TRUE(Close());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Die Einstellungen konnten nicht in die Datei\r\n"
                             "/home/anna/.config/Quentar/Kardo.ini\r\ngeschrieben werden: "
                             "Zugriff verweigert.\r\nDie Änderungen der Einstellungen gehen "
                             "verloren.");
}

TEST_F(ShutdownTest, ANeverSavedCircuitIsNamedAsNew) {
    MarkCircuitChanged();
    answers = {MsgResult::No};
    EXPECT_TRUE(Close());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Sie haben die neu erstellte Schaltung\rnoch nicht gesichert.\r\rJetzt speichern?");
    EXPECT_EQ(boxes[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(boxes[0].icon, MsgIcon::Question);
    EXPECT_EQ(settings.flushes, 1);
}

TEST_F(ShutdownTest, ASavedCircuitIsNamedByItsFile) {
    gFile.FileName = home + "/Ampel.kdx";
    MarkCircuitChanged();
    answers = {MsgResult::No};
    EXPECT_TRUE(Close());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              home + "/Ampel.kdx\rwurde geändert.\r\rMöchten Sie die Änderungen speichern?");
}

// Fault: the program ended whatever the answer: Cancel lost the circuit.
TEST_F(ShutdownTest, CancelKeepsTheWindowOpen) {
    MarkCircuitChanged();
    answers = {MsgResult::Cancel};
    EXPECT_FALSE(Close());
    EXPECT_EQ(settings.flushes, 0);
    EXPECT_FALSE(gUnveraendert);
}

// Fault: the window closed after a save whose dialog was cancelled, losing the circuit.
TEST_F(ShutdownTest, ACancelledSaveKeepsTheWindowOpen) {
    MarkCircuitChanged();
    answers = {MsgResult::Yes};
    paths = {std::nullopt};
    EXPECT_FALSE(Close());
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].title, "Datei speichern unter");
    EXPECT_EQ(settings.flushes, 0);
}

// Fault: the window closed after a failed save, losing the circuit.
TEST_F(ShutdownTest, AFailedSaveKeepsTheWindowOpen) {
    MarkCircuitChanged();
    answers = {MsgResult::Yes, MsgResult::Ok};
    paths = {home + "/kein-ordner/x.kdx"};
    EXPECT_FALSE(Close());
    EXPECT_FALSE(gUnveraendert);
    EXPECT_GE(boxes.size(), 2u);
    EXPECT_EQ(settings.flushes, 0);
}

TEST_F(ShutdownTest, ASuccessfulSaveCloses) {
    test::PlaceAnd(10, 10);
    MarkCircuitChanged();
    answers = {MsgResult::Yes};
    paths = {home + "/Neu.kdx"};
    EXPECT_TRUE(Close());
    EXPECT_TRUE(fs::exists(home + "/Neu.kdx"));
    EXPECT_TRUE(gUnveraendert);
    EXPECT_EQ(settings.flushes, 1);
}

TEST_F(ShutdownTest, TheExitEntryTakesTheSamePath) {
    MarkCircuitChanged();
    answers = {MsgResult::Cancel};
    qobject_cast<QAction*>(W().FindControl("mBeenden"))->trigger();
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(settings.flushes, 0);
}

TEST_F(ShutdownTest, UndoMarksTheCircuitChanged) {
    test::PlaceAnd(10, 10);
    gUnveraendert = true;
    qobject_cast<QAction*>(W().FindControl("cmdUndo"))->trigger();
    EXPECT_FALSE(gUnveraendert);
    gUnveraendert = true;
    // Nothing left to undo: nothing changes.
    W().Toolbar_ButtonClick("cmdUndo");
    EXPECT_TRUE(gUnveraendert);
}

// A real restart: the window saves into the INI files on closing, and a new store reads them.
TEST(RestartTest, SettingsSurviveARestart) {
    std::string tmpl = (fs::temp_directory_path() / "kardo-restart-XXXXXX").string();
    const std::string dir = mkdtemp(tmpl.data());
    const SettingsPaths paths{dir + "/user/Quentar/Kardo.ini", dir + "/etc/Quentar/Kardo.ini"};
    {
        IniSettingsStore store(paths);
        Platform platform;
        platform.settings = &store;
        PlatformScope scope(platform);
        gRegRoot = SettingsRoot::User;
        EXPECT_EQ(ChooseSettingsRoot(), RootChoice::CreatedUser);
        gPanelVisible = {0, 1, -1, -1, -1};
        gUndoSteps = 17;
        gLastFiles[0] = dir + "/a.kdx";
        ASSERT_TRUE(SaveSettings());
    }
    ResetSettings();
    IniSettingsStore store(paths);
    Platform platform;
    platform.settings = &store;
    PlatformScope scope(platform);
    EXPECT_EQ(ChooseSettingsRoot(), RootChoice::User);
    LoadSettings();
    EXPECT_EQ(gPanelVisible, (std::array<std::int16_t, 5>{0, 1, -1, -1, -1}));
    EXPECT_EQ(gUndoSteps, 17);
    EXPECT_EQ(gLastFiles[0], dir + "/a.kdx");
    ResetSettings();
    fs::remove_all(dir);
}

} // namespace
} // namespace kardo
