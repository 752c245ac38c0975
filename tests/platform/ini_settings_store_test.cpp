// The INI settings store: both roots, escaping, case of names, atomic rewrite, foreign sections.
#include "platform/ini_settings_store.h"
#include "support/circuit_files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

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
             "[software\\quentar\\kardo\\1.0]\r\n  Permissions = B:1\r\n; comment\r\n\r\n");
    IniSettingsStore store(paths);
    EXPECT_TRUE(store.KeyExists(SettingsRoot::System));
    EXPECT_EQ(store.Get(SettingsRoot::System, "Permissions"), "B:1");
    EXPECT_FALSE(store.Get(SettingsRoot::System, "x").has_value());

    store.Set(SettingsRoot::System, "Scroll", "0");
    ASSERT_TRUE(store.Flush());
    const std::string text = ReadAll(paths.system);
    EXPECT_NE(text.find("[Other]\r\nx=1\r\n"), std::string::npos); // as it was
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
    EXPECT_EQ(store.FlushProblem(), "an dieser Stelle steht ein Ordner");
    EXPECT_TRUE(fs::is_directory(paths.user));
    int entries = 0;
    for ([[maybe_unused]] const auto& e :
         fs::directory_iterator(fs::path(paths.user).parent_path()))
        ++entries;
    EXPECT_EQ(entries, 1);
    // The value stays pending and is written once the place is free again.
    fs::remove(paths.user);
    EXPECT_TRUE(store.Flush());
    EXPECT_EQ(store.FlushProblem(), "");
    EXPECT_EQ(IniSettingsStore(paths).Get(SettingsRoot::User, "Scroll"), "0");
}

// A broken section header made the file count as absent: a first start created the key afresh,
// fully unlocked, and wrote it over the settings. UTF-16 and unreadable files went the same way.
TEST_F(IniSettingsStoreTest, AFileThatCannotBeReadIsAKeyWithoutValuesAndIsNeverWrittenOver) {
    using namespace std::string_literals;
    std::string utf16 = "\xff\xfe"s;
    for (const char c : "[Software\\Quentar\\Kardo\\1.0]\r\nPermissions=B:0\r\n"s)
        utf16 += std::string{c, '\0'};
    struct Case {
        std::string text;
        const char* problem;
    };
    const Case cases[] = {
        {"[Software\\Quentar\\Kardo\\1.0\nPermissions=B:0\n",
         "Zeile 1: unvollständige Abschnittsüberschrift"},
        {"[Other]\nx=1\n[\n", "Zeile 3: unvollständige Abschnittsüberschrift"},
        {utf16, "die Datei ist in UTF-16 gespeichert, nicht als Text in UTF-8"},
        {"[Software\\Quentar\\Kardo\\1.0]\nScroll=0\0\n"s,
         "Zeile 2: Steuerzeichen; die Datei ist keine Textdatei"},
        {"[Software\\Quentar\\Kardo\\1.0]\nScroll 0\n", "Zeile 2: kein Eintrag der Form Name=Wert"},
        {"[Software\\Quentar\\Kardo\\1.0]\n=0\n", "Zeile 2: kein Eintrag der Form Name=Wert"},
        {std::string(kMaxSettingsBytes + 1, '#'), "die Datei ist zu groß"},
    };
    for (const Case& c : cases) {
        WriteAll(paths.user, c.text);
        IniSettingsStore store(paths);
        EXPECT_EQ(store.LoadProblem(SettingsRoot::User), c.problem);
        EXPECT_TRUE(store.KeyExists(SettingsRoot::User));
        EXPECT_FALSE(store.Get(SettingsRoot::User, "Permissions").has_value());
        EXPECT_EQ(store.LoadProblem(SettingsRoot::System), "");
        // The session may set values; they are never written over the file.
        store.Set(SettingsRoot::User, "Scroll", "-1");
        EXPECT_EQ(store.Get(SettingsRoot::User, "Scroll"), "-1");
        EXPECT_FALSE(store.Flush());
        EXPECT_NE(store.FlushProblem().find("wird nicht überschrieben"), std::string::npos);
        EXPECT_EQ(ReadAll(paths.user), c.text);
    }
}

TEST_F(IniSettingsStoreTest, AFileWithoutReadPermissionIsNeverWrittenOver) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser reads any file; needs an ordinary user";
    WriteAll(paths.user, "[Software\\Quentar\\Kardo\\1.0]\nPermissions=B:0\n");
    fs::permissions(paths.user, fs::perms::owner_write);
    IniSettingsStore store(paths);
    EXPECT_EQ(store.LoadProblem(SettingsRoot::User), "Zugriff verweigert");
    EXPECT_TRUE(store.KeyExists(SettingsRoot::User));
    store.Set(SettingsRoot::User, "Scroll", "-1");
    EXPECT_FALSE(store.Flush());
    fs::permissions(paths.user, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadAll(paths.user), "[Software\\Quentar\\Kardo\\1.0]\nPermissions=B:0\n");
}

// A named pipe at the settings path held the start until something wrote into it.
TEST_F(IniSettingsStoreTest, APipeInPlaceOfTheFileNeitherBlocksNorIsReplaced) {
    fs::create_directories(fs::path(paths.user).parent_path());
    ASSERT_EQ(::mkfifo(paths.user.c_str(), 0600), 0);
    IniSettingsStore store(paths);
    EXPECT_FALSE(store.KeyExists(SettingsRoot::User));
    EXPECT_EQ(store.LoadProblem(SettingsRoot::User), "");
    store.Set(SettingsRoot::User, "Scroll", "0");
    EXPECT_FALSE(store.Flush());
    EXPECT_EQ(store.FlushProblem(), "an dieser Stelle steht keine Datei");
    EXPECT_TRUE(fs::is_fifo(paths.user));
}

TEST_F(IniSettingsStoreTest, AnUnwritableFolderIsReported) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into any folder; needs an ordinary user";
    fs::create_directories(fs::path(paths.user).parent_path());
    fs::permissions(fs::path(paths.user).parent_path(),
                    fs::perms::owner_read | fs::perms::owner_exec);
    IniSettingsStore store(paths);
    store.Set(SettingsRoot::User, "Scroll", "0");
    EXPECT_FALSE(store.Flush());
    EXPECT_EQ(store.FlushProblem(), "Zugriff verweigert");
    fs::permissions(fs::path(paths.user).parent_path(), fs::perms::owner_all);
}

// A settings folder on a file system that stores no modes (FAT, FUSE) failed every save.
TEST_F(IniSettingsStoreTest, ASaveGoesOnWhereTheFileSystemStoresNoModes) {
    test::FakeFileCalls fat{0, 0, ENOSYS};
    FileCallsScope installed(fat);
    IniSettingsStore store(paths);
    store.Set(SettingsRoot::User, "Scroll", "0");
    EXPECT_TRUE(store.Flush()) << store.FlushProblem();
}

// Lines before the first header were written after the program's section, where the next read
// took them for its values.
TEST_F(IniSettingsStoreTest, LinesOutsideTheSectionStayWhereTheyBelong) {
    WriteAll(paths.user,
             "\xEF\xBB\xBFx=1\n[Other]\ny=2\n[Software\\Quentar\\Kardo\\1.0]\nScroll=0\n");
    {
        IniSettingsStore store(paths);
        EXPECT_EQ(store.LoadProblem(SettingsRoot::User), "");
        EXPECT_EQ(store.Get(SettingsRoot::User, "Scroll"), "0");
        store.Set(SettingsRoot::User, "Scroll", "-1");
        ASSERT_TRUE(store.Flush());
    }
    EXPECT_EQ(ReadAll(paths.user),
              "\xEF\xBB\xBFx=1\n[Other]\ny=2\n[Software\\Quentar\\Kardo\\1.0]\nScroll=-1\n");
    IniSettingsStore again(paths);
    EXPECT_FALSE(again.Get(SettingsRoot::User, "x").has_value());
    EXPECT_FALSE(again.Get(SettingsRoot::User, "y").has_value());
}

TEST_F(IniSettingsStoreTest, ALinkedSettingsFileStaysALink) {
    WriteAll(m_dir + "/dotfiles/Kardo.ini", "[Software\\Quentar\\Kardo\\1.0]\nScroll=0\n");
    fs::create_directories(fs::path(paths.user).parent_path());
    fs::create_symlink(m_dir + "/dotfiles/Kardo.ini", paths.user);
    IniSettingsStore store(paths);
    store.Set(SettingsRoot::User, "Scroll", "-1");
    ASSERT_TRUE(store.Flush());
    EXPECT_TRUE(fs::is_symlink(paths.user));
    EXPECT_NE(ReadAll(m_dir + "/dotfiles/Kardo.ini").find("Scroll=-1"), std::string::npos);
}

// Found by the fuzzer: a line outside the section that ended in two carriage returns lost one
// each time the file was written.
TEST(IniTextTest, LinesOutsideTheSectionKeepTheirLineEnds) {
    const std::string text = "; kopf\r\r\nx=1\r\n[A]\r\nk=v\n";
    const IniContent read = ParseIniText(text);
    ASSERT_EQ(read.problem, "");
    EXPECT_EQ(read.otherSections, text);
    EXPECT_EQ(ParseIniText(FormatIniText(read)).otherSections, text);
    // A second byte-order mark (found by the fuzzer too) is a character of the first line.
    for (const char* file : {"foreign_lines.ini", "double_bom.ini"}) {
        const std::string found =
            test::ReadBytes(std::string(KARDO_TEST_DATA_DIR) + "/settings/" + file);
        const IniContent fuzzed = ParseIniText(found);
        ASSERT_EQ(fuzzed.problem, "") << file;
        const IniContent again = ParseIniText(FormatIniText(fuzzed));
        EXPECT_EQ(again.otherSections, fuzzed.otherSections) << file;
        EXPECT_EQ(again.values, fuzzed.values) << file;
    }
}

TEST(IniTextTest, FormattedTextParsesToTheSameContent) {
    const IniContent read = ParseIniText("; kopf\n[A]\nk=v\n[software\\quentar\\kardo\\1.0]\n"
                                         " Name = Wert \nLeer=\nZeilen=a\\nb\n");
    ASSERT_EQ(read.problem, "");
    EXPECT_TRUE(read.hasSection);
    const IniContent again = ParseIniText(FormatIniText(read));
    EXPECT_EQ(again.problem, "");
    EXPECT_EQ(again.values, read.values);
    EXPECT_EQ(again.otherSections, read.otherSections);
    EXPECT_EQ(read.values.at("name"), "Wert");
    EXPECT_EQ(read.values.at("Zeilen"), "a\nb");
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
