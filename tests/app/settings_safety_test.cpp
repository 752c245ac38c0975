// Settings that never lose a teacher's values: settings that exist but cannot be read are
// reported and never written over, the function lock fails closed, and writes that fail say so.
#include "app/load_sequence.h"
#include "app/password.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "app/startup.h"
#include "platform/ini_settings_store.h"
#include "support/app_fixture.h"
#include "support/circuit_files.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace kardo {
namespace {

namespace fs = std::filesystem;
using SettingsSafetyTest = test::AppFixture;

const std::string kLockMessage = "Die Einstellungen der Funktionssperre fehlen oder sind "
                                 "beschädigt.\r\nBitte installieren Sie Kardo neu.";

TEST_F(SettingsSafetyTest, UnreadableSettingsAreReportedTheDefaultsServeAndTheLockStaysClosed) {
    settings.MakeUnreadable(SettingsRoot::User, "Zeile 3: unvollständige Abschnittsüberschrift");
    settings.Set(SettingsRoot::System, "Permissions", "B:11111111111111;F:1111111;P:");
    EXPECT_EQ(ChooseSettingsRoot(), RootChoice::User); // the file is there: no first start
    EXPECT_EQ(settings.flushes, 0);
    gUndoSteps = 33;
    LoadSettings();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Die Einstellungen in der Datei\r\n/home/anna/.config/Quentar/Kardo.ini\r\n"
              "können nicht gelesen werden: Zeile 3: unvollständige Abschnittsüberschrift.\r\n"
              "Kardo verwendet in dieser Sitzung die Standardeinstellungen und überschreibt die "
              "Datei nicht.");
    EXPECT_EQ(host.messages[0].title, "Kardo Meldung");
    EXPECT_EQ(gUndoSteps, 33); // nothing read
    EXPECT_FALSE(ReadPermissions());
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text, kLockMessage);
}

// A broken section header in a restricted installation's settings made the key count as absent:
// the program started as on a first start, fully unlocked, and wrote new settings.
TEST_F(SettingsSafetyTest, ABrokenSystemWideFileKeepsTheRestrictedInstallationLocked) {
    test::TempDir dir;
    const SettingsPaths paths{dir.File("user/Kardo.ini"), dir.File("etc/Kardo.ini")};
    fs::create_directories(dir.File("etc"));
    const std::string text = "[Software\\Quentar\\Kardo\\1.0\r\nPermissions=B:00000000000000;"
                             "F:0000000;P:2B\r\n";
    test::WriteBytes(paths.system, text);
    IniSettingsStore store(paths);
    platform.settings = &store;

    EXPECT_EQ(ChooseSettingsRoot(), RootChoice::System);
    LoadSettings();
    EXPECT_FALSE(ReadPermissions());
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_NE(host.messages[0].text.find(paths.system), std::string::npos);
    EXPECT_NE(host.messages[0].text.find("unvollständige Abschnittsüberschrift"),
              std::string::npos);
    EXPECT_EQ(host.messages[1].text, kLockMessage);
    // Nothing was written, neither over the file nor beside it.
    EXPECT_FALSE(SaveSettings());
    EXPECT_NE(store.FlushProblem().find("wird nicht überschrieben"), std::string::npos);
    EXPECT_EQ(test::ReadBytes(paths.system), text);
    EXPECT_FALSE(fs::exists(paths.user));
    gRegRoot = SettingsRoot::User;
}

TEST_F(SettingsSafetyTest, AUTF16UserFileIsNotTakenForAFirstStart) {
    test::TempDir dir;
    const SettingsPaths paths{dir.File("Kardo.ini"), dir.File("etc/Kardo.ini")};
    std::string utf16 = "\xff\xfe";
    for (const char c : std::string("[Software\\Quentar\\Kardo\\1.0]\r\nPermissions=B:0\r\n"))
        utf16 += std::string{c, '\0'};
    test::WriteBytes(paths.user, utf16);
    IniSettingsStore store(paths);
    platform.settings = &store;
    EXPECT_EQ(ChooseSettingsRoot(), RootChoice::User);
    LoadSettings();
    EXPECT_FALSE(ReadPermissions());
    EXPECT_EQ(test::ReadBytes(paths.user), utf16);
}

// The write of the lock value on a first start was not checked: a failure went unnoticed.
TEST_F(SettingsSafetyTest, AFirstStartWhoseSettingsCannotBeWrittenSaysSoAndRunsUnlocked) {
    settings.failFlush = true;
    EXPECT_EQ(ChooseSettingsRoot(), RootChoice::CreatedUser);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Die Einstellungen konnten nicht in die Datei\r\n"
              "/home/anna/.config/Quentar/Kardo.ini\r\ngeschrieben werden: Zugriff verweigert.\r\n"
              "Sie gelten nur bis zum Ende dieser Sitzung.");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(ReadPermissions()); // the session keeps the value it could not write
    for (bool b : gBauteilRechte)
        EXPECT_TRUE(b);
}

// A settings save that failed at exit lost every value without a word.
TEST_F(SettingsSafetyTest, AFailedSaveAtExitNamesTheFileAndTheReason) {
    test::TempDir dir;
    const SettingsPaths paths{dir.File("conf/Kardo.ini"), dir.File("etc/Kardo.ini")};
    IniSettingsStore store(paths);
    platform.settings = &store;
    EXPECT_EQ(ChooseSettingsRoot(), RootChoice::CreatedUser);
    ASSERT_TRUE(host.messages.empty());
    // The file's place is taken by a folder while the program runs.
    fs::remove(paths.user);
    fs::create_directories(paths.user);
    gUndoSteps = 42;
    EXPECT_FALSE(SaveSettings());
    EXPECT_EQ(store.FlushProblem(), "an dieser Stelle steht ein Ordner");
    ReportUnwritableSettings("Die Änderungen der Einstellungen gehen verloren.");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Die Einstellungen konnten nicht in die Datei\r\n" +
                                         paths.user +
                                         "\r\ngeschrieben werden: an dieser Stelle steht ein "
                                         "Ordner.\r\nDie Änderungen der Einstellungen gehen "
                                         "verloren.");
}

// The settings fixtures: a restricted installation's file is read with its lock, the others
// (among them what the fuzzer found) without a problem; each *_bad file is refused, keeps the
// lock closed and stays as it was.
TEST_F(SettingsSafetyTest, EverySettingsFixtureIsReadOrRefusedAsItsNameSays) {
    int bad = 0;
    for (const auto& entry :
         fs::directory_iterator(std::string(KARDO_TEST_DATA_DIR) + "/settings")) {
        const std::string name = entry.path().filename().string();
        test::TempDir dir;
        const SettingsPaths paths{dir.File("Kardo.ini"), dir.File("etc/Kardo.ini")};
        const std::string bytes = test::ReadBytes(entry.path().string());
        test::WriteBytes(paths.user, bytes);
        IniSettingsStore store(paths);
        platform.settings = &store;
        InitProgramState();
        host.messages.clear();
        const RootChoice root = ChooseSettingsRoot();
        LoadSettings();
        const bool locked = ReadPermissions();
        if (name.ends_with("_bad.ini")) {
            ++bad;
            EXPECT_FALSE(locked) << name;
            EXPECT_EQ(host.messages.size(), 2u) << name;
            EXPECT_FALSE(SaveSettings()) << name;
            EXPECT_EQ(test::ReadBytes(paths.user), bytes) << name;
            EXPECT_EQ(root, RootChoice::User) << name;
        } else {
            // Read without a problem; what the lock value holds is its own matter.
            EXPECT_EQ(store.LoadProblem(SettingsRoot::User), "") << name;
            if (name != "teacher.ini")
                continue;
            EXPECT_TRUE(locked);
            EXPECT_TRUE(host.messages.empty());
            EXPECT_EQ(root, RootChoice::User) << name;
            EXPECT_EQ(gUndoSteps, 25) << name;
            EXPECT_FALSE(gBauteilRechte[1]) << name;
            EXPECT_FALSE(gFunktionRechte[1]) << name;
            EXPECT_EQ(gPasswort, "Lehrer") << name;
        }
    }
    EXPECT_EQ(bad, 4); // exact, so that a fixture the loop skipped or lost fails
    platform.settings = &settings;
}

} // namespace
} // namespace kardo
