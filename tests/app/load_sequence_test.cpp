// The program start without windows: the settings root, the start values and the folders.
#include "app/file_object.h"
#include "app/load_sequence.h"
#include "app/main_state.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "app/system_info.h"
#include "editor/wire_tool.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/placement.h"
#include "model/utilities.h"
#include "render/view.h"
#include "simulation/sim_core.h"
#include "support/app_fixture.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <gtest/gtest.h>

namespace kardo {
namespace {

namespace fs = std::filesystem;
using LoadSequenceTest = test::AppFixture;

TEST_F(LoadSequenceTest, PrefersThePerUserRoot) {
    settings.CreateKey(SettingsRoot::User);
    settings.CreateKey(SettingsRoot::System);
    EXPECT_EQ(ChooseSettingsRoot(), RootChoice::User);
    EXPECT_EQ(gRegRoot, SettingsRoot::User);
}

TEST_F(LoadSequenceTest, FallsBackToTheSystemWideRoot) {
    settings.CreateKey(SettingsRoot::System);
    EXPECT_EQ(ChooseSettingsRoot(), RootChoice::System);
    EXPECT_EQ(gRegRoot, SettingsRoot::System);
    gRegRoot = SettingsRoot::User;
    EXPECT_TRUE(host.messages.empty());
}

// Fault: the start ended with a request to reinstall when neither root held the program key,
// so a fresh machine could never start the program.
TEST_F(LoadSequenceTest, AFirstStartCreatesTheKeyWithEverythingPermitted) {
    gBauteilRechte.fill(false);
    gPasswort = "alt";
    EXPECT_EQ(ChooseSettingsRoot(), RootChoice::CreatedUser);
    EXPECT_EQ(gRegRoot, SettingsRoot::User);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(settings.KeyExists(SettingsRoot::User));
    EXPECT_EQ(settings.Flushed(SettingsRoot::User).at("Permissions"),
              "B:11111111111111;F:1111111;P:");
    ResetPermissions();
    gBauteilRechte.fill(false);
    EXPECT_TRUE(ReadPermissions());
    for (bool b : gBauteilRechte)
        EXPECT_TRUE(b);
    EXPECT_EQ(gPasswort, "");
}

TEST_F(LoadSequenceTest, StartValues) {
    InitObjects();
    EXPECT_EQ(gAktiviert, 0);
    EXPECT_EQ(gFeldBreite, 50);
    EXPECT_EQ(gFeldHoehe, 30);
    // Whatever the objects' reset left, stage 2 sets the start values itself.
    gMouseMode = 6;
    gOrientierung = 4;
    gMaxRunden = 300;
    gUnveraendert = false;
    gScroll = false;
    gAnzImpulse = 3;
    gAutoVerbindung = kFalse;
    gCurLevel = 2;
    AssignStartValues();
    EXPECT_EQ(gMouseMode, 1);
    EXPECT_EQ(gOrientierung, 2);
    EXPECT_EQ(gMaxRunden, 1000);
    EXPECT_TRUE(gUnveraendert);
    EXPECT_TRUE(gScroll);
    EXPECT_EQ(gAnzImpulse, 50);
    EXPECT_EQ(gAutoVerbindung, kTrue);
    EXPECT_EQ(gCurLevel, 0);
}

// The default folders of a sheet's working folders: base + "Kardo/" + the slot's subfolder.
std::array<std::string, 3> Defaults(const std::string& base) {
    return {base + "/Kardo/Schaltungen/", base + "/Kardo/ICs/", base + "/Kardo/Bilder/"};
}

TEST_F(LoadSequenceTest, AFirstStartUsesTheDefaultFoldersWithoutAMessageAndCreatesThem) {
    const std::string docs = MakeFolder("Dokumente");
    MakeFolder(".config");
    std::ofstream(home + "/.config/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
    PrepareDirectories();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(gBasisPersoenlich, docs + "/");
    EXPECT_EQ(gStandardVerzeichnis, docs + "/Kardo/");
    EXPECT_EQ(gVerzeichnisse, Defaults(docs));
    for (const std::string& f : gVerzeichnisse)
        EXPECT_TRUE(fs::is_directory(f)) << f;
    EXPECT_EQ(gFile.FilePath, docs + "/Kardo/Schaltungen/");
}

TEST_F(LoadSequenceTest, FollowsTheXdgDocumentsFolder) {
    const std::string docs = MakeFolder("Dokumente");
    MakeFolder("Documents");
    MakeFolder(".config");
    std::ofstream(home + "/.config/user-dirs.dirs")
        << "# "
           "comment\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\nXDG_DOCUMENTS_DIR=\"$HOME/"
           "Dokumente\"\n";
    EXPECT_EQ(GetSpecialFolder(kFolderPersonalDocuments), docs);
    PrepareDirectories();
    EXPECT_EQ(gStandardVerzeichnis, docs + "/Kardo/");
    // A documents folder that the file names but that is not there counts as none.
    fs::remove_all(docs);
    EXPECT_EQ(GetSpecialFolder(kFolderPersonalDocuments), "");
}

// Without a documents folder the defaults pointed into a "Kardo/" folder beside the program that
// was never created, and every later start showed three "konnte nicht gefunden werden" messages.
TEST_F(LoadSequenceTest, WithoutADocumentsFolderTheHomeFolderServesAndLaterStartsAreQuiet) {
    PrepareDirectories();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(gBasisPersoenlich, home + "/");
    EXPECT_EQ(gVerzeichnisse, Defaults(home));
    ASSERT_TRUE(SaveSettings());
    for (int start = 0; start < 2; ++start) {
        InitObjects();
        PrepareDirectories();
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(gVerzeichnisse, Defaults(home));
    }
}

TEST_F(LoadSequenceTest, TheSystemWideRootUsesTheUsersFoldersToo) {
    gRegRoot = SettingsRoot::System;
    settings.CreateKey(SettingsRoot::System);
    PrepareDirectories();
    gRegRoot = SettingsRoot::User;
    EXPECT_EQ(gBasisGemeinsam, home + "/");
    EXPECT_EQ(gBasisPersoenlich, "");
    EXPECT_EQ(gVerzeichnisse, Defaults(home));
}

TEST_F(LoadSequenceTest, ADeletedFolderIsNamedOnceAndItsFallbackIsKept) {
    const std::string ics = MakeFolder("ICs");
    settings.Set(SettingsRoot::User, "Verzeichnis0", home + "/gelöscht/");
    settings.Set(SettingsRoot::User, "Verzeichnis1", ics);
    settings.Set(SettingsRoot::User, "Verzeichnis2", "");
    PrepareDirectories();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Das Verzeichnis\n" + home +
                                         "/gelöscht/\nkonnte nicht gefunden werden!\n"
                                         "Es wird das Standardverzeichnis verwendet!");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(host.messages[0].title, "Kardo Meldung");
    EXPECT_EQ(gVerzeichnisse[0], Defaults(home)[0]);
    EXPECT_EQ(gVerzeichnisse[1], ics + "/");
    EXPECT_EQ(gVerzeichnisse[2], Defaults(home)[2]);
    EXPECT_TRUE(fs::is_directory(gVerzeichnisse[0]));
    EXPECT_EQ(gFile.FilePath, Defaults(home)[0]);
    // The fallback is what the settings keep: the next start says nothing.
    ASSERT_TRUE(SaveSettings());
    host.messages.clear();
    InitObjects();
    PrepareDirectories();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(gVerzeichnisse[0], Defaults(home)[0]);
}

TEST_F(LoadSequenceTest, AFolderThatCannotBeMadeLeavesTheBaseFolder) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into any folder; needs an ordinary user";
    fs::permissions(home, fs::perms::owner_read | fs::perms::owner_exec);
    PrepareDirectories();
    fs::permissions(home, fs::perms::owner_all);
    EXPECT_TRUE(host.messages.empty());
    for (const std::string& f : gVerzeichnisse)
        EXPECT_EQ(f, home + "/");
}

TEST_F(LoadSequenceTest, AStoredHiddenGridIsShownAnywayAndViewDefaultsApply) {
    settings.Set(SettingsRoot::User, "ShowGrid", "0");
    settings.Set(SettingsRoot::User, "DummyUndo", "25");
    gFarbe = 0x00FF00;
    gRaster = 20;
    PrepareDirectories();
    EXPECT_TRUE(gShowGrid);
    EXPECT_EQ(gFarbe, 255);
    EXPECT_EQ(gRaster, 14);
    EXPECT_EQ(gUndoSteps, 25);
}

TEST(SystemInfoTest, NamesTheOperatingSystem) {
    const std::string name = GetOSName();
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name, gOSName);
    EXPECT_EQ(GetSpecialFolder(kFolderCommonDocuments), "");
    EXPECT_EQ(ProgramFolder().back(), '/');
}

TEST(FileObjectTest, ExistFile) {
    clsFile f;
    EXPECT_FALSE(f.ExistFile(""));
    EXPECT_FALSE(f.ExistFile("/nonexistent/kardo/x.kdx"));
    const std::string path = (fs::temp_directory_path() / "kardo-exist-test.kdx").string();
    std::ofstream(path) << "x";
    EXPECT_TRUE(f.ExistFile(path));
    fs::remove(path);
}

} // namespace
} // namespace kardo
