// The INI settings store: both roots, escaping, case of names, atomic rewrite, foreign sections.
#include "platform/ini_settings_store.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace kardo {
namespace {

namespace fs = std::filesystem;

class IniSettingsStoreTest : public ::testing::Test {
  protected:
    IniSettingsStoreTest() {
        std::string tmpl = (fs::temp_directory_path() / "kardo-ini-XXXXXX").string();
        m_dir = mkdtemp(tmpl.data());
        paths.user = m_dir + "/home/Quentar/Kardo.ini";
        paths.system = m_dir + "/etc/Quentar/Kardo.ini";
    }
    ~IniSettingsStoreTest() override { fs::remove_all(m_dir); }

    static std::string ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    static void WriteAll(const std::string& path, const std::string& text) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    std::string m_dir;   // temporary folder of the test
    SettingsPaths paths; // the two files inside it
};

TEST_F(IniSettingsStoreTest, NoFilesMeansNoKeyUnderEitherRoot) {
    IniSettingsStore store(paths);
    EXPECT_FALSE(store.KeyExists(SettingsRoot::User));
    EXPECT_FALSE(store.KeyExists(SettingsRoot::System));
    EXPECT_FALSE(store.Get(SettingsRoot::User, "Scroll").has_value());
}

TEST_F(IniSettingsStoreTest, ValuesSurviveARestart) {
    {
        IniSettingsStore store(paths);
        store.Set(SettingsRoot::User, "Scroll", "-1");
        store.Set(SettingsRoot::User, "Verzeichnis0", "/home/anna/Dokumente/Kardo/");
        store.Set(SettingsRoot::User, "LastFile0", "a\\b\nc\rd");
        store.Set(SettingsRoot::User, "LastFile1", " blank at the start");
        ASSERT_TRUE(store.Flush());
    }
    IniSettingsStore again(paths);
    EXPECT_TRUE(again.KeyExists(SettingsRoot::User));
    EXPECT_FALSE(again.KeyExists(SettingsRoot::System));
    EXPECT_EQ(again.Get(SettingsRoot::User, "Scroll"), "-1");
    EXPECT_EQ(again.Get(SettingsRoot::User, "Verzeichnis0"), "/home/anna/Dokumente/Kardo/");
    EXPECT_EQ(again.Get(SettingsRoot::User, "LastFile0"), "a\\b\nc\rd");
    EXPECT_EQ(again.Get(SettingsRoot::User, "LastFile1"), " blank at the start");
    EXPECT_EQ(ReadAll(paths.user).substr(0, 29), "[Software\\Quentar\\Kardo\\1.0]\n");
    // Only the changed root was written.
    EXPECT_FALSE(fs::exists(paths.system));
}

TEST_F(IniSettingsStoreTest, NamesIgnoreCaseAsRegistryValueNamesDo) {
    IniSettingsStore store(paths);
    store.Set(SettingsRoot::User, "PanelVisible0", "1");
    EXPECT_EQ(store.Get(SettingsRoot::User, "panelvisible0"), "1");
    store.Set(SettingsRoot::User, "PANELVISIBLE0", "0");
    EXPECT_EQ(store.Get(SettingsRoot::User, "PanelVisible0"), "0");
}

TEST_F(IniSettingsStoreTest, ReadsTheSystemRootAndKeepsForeignSections) {
    WriteAll(paths.system,
             "; written by the installer\r\n[Other]\r\nx=1\r\n"
             "[software\\quentar\\kardo\\1.0]\r\n  Permissions = B:1\r\nbroken line\r\n");
    IniSettingsStore store(paths);
    EXPECT_TRUE(store.KeyExists(SettingsRoot::System));
    EXPECT_EQ(store.Get(SettingsRoot::System, "Permissions"), "B:1");
    EXPECT_FALSE(store.Get(SettingsRoot::System, "x").has_value());

    store.Set(SettingsRoot::System, "Scroll", "0");
    ASSERT_TRUE(store.Flush());
    const std::string text = ReadAll(paths.system);
    EXPECT_NE(text.find("[Other]\nx=1\n"), std::string::npos);
    EXPECT_NE(text.find("Scroll=0\n"), std::string::npos);
}

TEST_F(IniSettingsStoreTest, AFileWithoutTheSectionIsNoKey) {
    WriteAll(paths.user, "[Other]\nScroll=0\n");
    IniSettingsStore store(paths);
    EXPECT_FALSE(store.KeyExists(SettingsRoot::User));
}

// A write that cannot complete must say so, leave what stood at the file's place untouched
// and leave no temporary file behind.
TEST_F(IniSettingsStoreTest, AFailedWriteIsReportedAndLeavesNothingBehind) {
    // A folder in place of the file: the final rename cannot replace it (even for root).
    fs::create_directories(paths.user);
    IniSettingsStore store(paths);
    store.Set(SettingsRoot::User, "Scroll", "0");
    EXPECT_FALSE(store.Flush());
    EXPECT_TRUE(fs::is_directory(paths.user));
    int entries = 0;
    for ([[maybe_unused]] const auto& e :
         fs::directory_iterator(fs::path(paths.user).parent_path()))
        ++entries;
    EXPECT_EQ(entries, 1);
    // The value stays pending and is written once the place is free again.
    fs::remove(paths.user);
    EXPECT_TRUE(store.Flush());
    EXPECT_EQ(IniSettingsStore(paths).Get(SettingsRoot::User, "Scroll"), "0");
}

TEST(IniEscapeTest, EscapingRoundTrips) {
    for (const std::string v :
         {"", "plain", "C:\\Kardo\\", "two\nlines\r\n", "\\n literal", " both ends\t", "\t"}) {
        EXPECT_EQ(UnescapeIniValue(EscapeIniValue(v)), v) << v;
        EXPECT_EQ(EscapeIniValue(v).find('\n'), std::string::npos);
    }
}

TEST(DefaultSettingsPathsTest, FollowsTheXdgVariables) {
    const char* home = std::getenv("XDG_CONFIG_HOME");
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    const std::string oldHome = home ? home : "";
    const std::string oldDirs = dirs ? dirs : "";
    setenv("XDG_CONFIG_HOME", "/x/config", 1);
    setenv("XDG_CONFIG_DIRS", "/y/xdg:/z/xdg", 1);
    const SettingsPaths p = DefaultSettingsPaths();
    EXPECT_EQ(p.user, "/x/config/Quentar/Kardo.ini");
    EXPECT_EQ(p.system, "/y/xdg/Quentar/Kardo.ini");
    unsetenv("XDG_CONFIG_DIRS");
    EXPECT_EQ(DefaultSettingsPaths().system, "/etc/xdg/Quentar/Kardo.ini");
    home ? setenv("XDG_CONFIG_HOME", oldHome.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    if (dirs)
        setenv("XDG_CONFIG_DIRS", oldDirs.c_str(), 1);
}

} // namespace
} // namespace kardo
