// Loads and saves that never lose data: what is no circuit file is refused and named, a save
// writes where the user meant (links, hidden and long names) or says why not.
#include "app/file_object.h"
#include "app/main_state.h"
#include "app/settings.h"
#include "files/atomic_file.h"
#include "files/circuit_file.h"
#include "files/new_circuit.h"
#include "model/elements.h"
#include "model/grid.h"
#include "platform/file_errors.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"

#include <cerrno>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace kardo {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class FileSafetyTest : public test::CoreFixture {
  protected:
    FileSafetyTest() {
        gAktiviert = 1;
        // The IC check copies IC definitions it finds beside a circuit into the IC folder.
        gVerzeichnisse = {dir.Path() + "/", icDir.Path() + "/", dir.Path() + "/"};
        CreateNewWorksheet(30, 20);
        test::LayWire(2, 3, 6, 3);
        test::PlaceSwitch(2, 3);
        test::PlaceAnd(8, 8);
    }

    // The circuit and the file it belongs to, as a refused load must leave them.
    struct State {
        Grid grid;
        std::int16_t count;
        std::string fileName;
        std::string caption;
        bool operator==(const State&) const = default;
    };
    State Now() const { return {gGrid, gAnzElemente, gFile.FileName, host.Caption("frmKardo")}; }

    // A save of the current circuit into path: its outcome and the one message it showed.
    FileOutcome Save(const std::string& path) {
        host.messages.clear();
        gUnveraendert = false;
        return SaveFileTo(path);
    }

    test::TempDir dir;   // files of the test
    test::TempDir icDir; // the IC folder
};

TEST_F(FileSafetyTest, FoldersPipesAndDevicesAreNamedAndNotReportedMissing) {
    fs::create_directory(dir.File("ordner.kdx"));
    ASSERT_EQ(::mkfifo(dir.File("rohr.kdx").c_str(), 0600), 0);
    struct Case {
        std::string path;
        const char* what;
    };
    const Case cases[] = {{dir.File("ordner.kdx"), "ein Ordner"},
                          {dir.File("rohr.kdx"), "eine benannte Pipe (FIFO)"},
                          {"/dev/null", "ein Gerät"}};
    const State before = Now();
    for (const Case& c : cases) {
        host.messages.clear();
        EXPECT_EQ(LoadFile(c.path), FileOutcome::Failed) << c.path;
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].title, "Dateifehler");
        EXPECT_EQ(host.messages[0].text, "Die Datei\r\n" + c.path +
                                             "\r\nkann nicht geladen werden: an dieser Stelle "
                                             "steht " +
                                             c.what + ", keine Datei.");
        EXPECT_EQ(Now(), before) << c.path;
    }
}

// A picture or another file opened by mistake loaded as an empty sheet, took the caption and the
// remembered name, and the next Save wrote a circuit over it.
TEST_F(FileSafetyTest, FilesThatAreNoCircuitsAreRefusedAndNeverSavedOver) {
    const std::string own = dir.File("eigen.kdx");
    ASSERT_EQ(SaveFileTo(own), FileOutcome::Success);
    const std::string caption = host.Caption("frmKardo");
    std::string utf16 = "\xff\xfe"s;
    for (const char c : "[Feld]\r\n10;10;\r\n"s)
        utf16 += std::string{c, '\0'};
    const std::string contents[] = {"\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10"s, utf16,
                                    "\x7f"
                                    "ELF\x02\x01\x01\0\0\0"s,
                                    "Liebe Eltern,\r\nam Freitag ...\r\n"s, "[Links]\r\n"s};
    int i = 0;
    for (const std::string& bytes : contents) {
        const std::string path = dir.File("fremd" + std::to_string(i++) + ".kdx");
        test::WriteBytes(path, bytes);
        const State before = Now();
        host.messages.clear();
        EXPECT_EQ(LoadFile(path), FileOutcome::Failed);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, "Falsches Dateiformat oder Datei nicht gefunden!");
        EXPECT_EQ(Now(), before);
        EXPECT_EQ(host.Caption("frmKardo"), caption);
        // Save writes into the circuit's own file, not over the one refused.
        gUnveraendert = false;
        ASSERT_EQ(SaveFile(true), FileOutcome::Success);
        EXPECT_EQ(test::ReadBytes(path), bytes);
        EXPECT_EQ(gFile.FileName, own);
    }
}

// A hidden name counted as missing: the circuit saved as ".versteckt.kdx" could not be opened
// again, neither by name nor from the recent-file list.
TEST_F(FileSafetyTest, AHiddenNameSavesAndLoadsAgain) {
    const std::string path = dir.File(".versteckt.kdx");
    ASSERT_EQ(Save(path), FileOutcome::Success);
    ASSERT_EQ(Save(path), FileOutcome::Success); // the second save replaces an existing file
    EXPECT_EQ(gLastFiles[0], path);
    const Grid saved = gGrid;
    CreateNewWorksheet(50, 30);
    host.messages.clear();
    ASSERT_EQ(LoadFile(gLastFiles[0]), FileOutcome::Success);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(gGrid, saved);
    EXPECT_EQ(host.Caption("frmKardo"), ".versteckt.kdx");
    EXPECT_EQ(test::CountEntries(dir.Path()), 1); // no temporary file left
}

// The atomic rename replaced a write-protected file without a word.
TEST_F(FileSafetyTest, AWriteProtectedFileIsNotReplaced) {
    const std::string path = dir.File("geschuetzt.kdx");
    test::WriteBytes(path, "[Feld]\r\n10;10;\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(Save(path), FileOutcome::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "Dateifehler");
    EXPECT_EQ(host.messages[0].text, "Die Datei\r\n" + path +
                                         "\r\nkonnte nicht gespeichert werden: die Datei ist "
                                         "schreibgeschützt.\r\nDie bisherige Datei bleibt "
                                         "unverändert.");
    EXPECT_EQ(test::ReadBytes(path), "[Feld]\r\n10;10;\r\n");
    EXPECT_FALSE(gUnveraendert);
    EXPECT_EQ(test::CountEntries(dir.Path()), 1);
}

// The rename of a save replaced a named pipe by a file without a word.
TEST_F(FileSafetyTest, AFolderOrPipeAtTheTargetIsNotReplaced) {
    fs::create_directory(dir.File("ordner.kdx"));
    ASSERT_EQ(::mkfifo(dir.File("rohr.kdx").c_str(), 0600), 0);
    const std::pair<const char*, const char*> cases[] = {
        {"ordner.kdx", "an dieser Stelle steht ein Ordner"},
        {"rohr.kdx", "an dieser Stelle steht keine Datei"}};
    for (const auto& [name, reason] : cases) {
        EXPECT_EQ(Save(dir.File(name)), FileOutcome::Failed) << name;
        ASSERT_EQ(host.messages.size(), 1u) << name;
        EXPECT_NE(host.messages[0].text.find(reason), std::string::npos) << name;
    }
    EXPECT_TRUE(fs::is_directory(dir.File("ordner.kdx")));
    EXPECT_TRUE(fs::is_fifo(dir.File("rohr.kdx")));
    EXPECT_EQ(test::CountEntries(dir.Path()), 2);
}

TEST_F(FileSafetyTest, AFolderWithoutWritePermissionIsReported) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into any folder; needs an ordinary user";
    fs::create_directory(dir.File("zu"));
    ASSERT_EQ(::chmod(dir.File("zu").c_str(), 0555), 0);
    EXPECT_EQ(Save(dir.File("zu/x.kdx")), FileOutcome::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("Zugriff verweigert"), std::string::npos);
    ::chmod(dir.File("zu").c_str(), 0755);
}

// Saving to a symbolic link replaced the link by a file and left the file it pointed to old.
TEST_F(FileSafetyTest, ASymbolicLinkIsFollowedAndKept) {
    fs::create_directory(dir.File("echt"));
    const std::string target = dir.File("echt/schaltung.kdx");
    test::WriteBytes(target, "alt");
    ASSERT_EQ(::symlink(target.c_str(), dir.File("absolut.kdx").c_str()), 0);
    ASSERT_EQ(::symlink("echt/schaltung.kdx", dir.File("relativ.kdx").c_str()), 0);
    ASSERT_EQ(::symlink("relativ.kdx", dir.File("kette.kdx").c_str()), 0);
    for (const char* link : {"absolut.kdx", "relativ.kdx", "kette.kdx"}) {
        test::WriteBytes(target, "alt");
        ASSERT_EQ(Save(dir.File(link)), FileOutcome::Success) << link;
        EXPECT_TRUE(fs::is_symlink(dir.File(link))) << link;
        EXPECT_NE(test::ReadBytes(target).find("[Feld]\r\n30;20;"), std::string::npos) << link;
        EXPECT_EQ(test::CountEntries(dir.File("echt")), 1) << link; // no temporary file left
        EXPECT_EQ(gFile.FileName, dir.File(link));
    }
    // A link to a file not there yet creates that file.
    ASSERT_EQ(::symlink("echt/neu.kdx", dir.File("neu.kdx").c_str()), 0);
    ASSERT_EQ(Save(dir.File("neu.kdx")), FileOutcome::Success);
    EXPECT_TRUE(fs::is_symlink(dir.File("neu.kdx")));
    EXPECT_TRUE(fs::is_regular_file(dir.File("echt/neu.kdx")));
    // Links in a circle are named as such.
    ASSERT_EQ(::symlink("kreis2.kdx", dir.File("kreis1.kdx").c_str()), 0);
    ASSERT_EQ(::symlink("kreis1.kdx", dir.File("kreis2.kdx").c_str()), 0);
    EXPECT_EQ(Save(dir.File("kreis1.kdx")), FileOutcome::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("die symbolischen Verknüpfungen bilden eine Schleife"),
              std::string::npos);
}

// The temporary name added 8 bytes, so a 248-byte name failed with "Systemfehler 36".
TEST_F(FileSafetyTest, NamesUpToTheFileSystemLimitSave) {
    const long max = ::pathconf(dir.Path().c_str(), _PC_NAME_MAX);
    ASSERT_GT(max, 20);
    for (const long length : {max - 8, max - 7, max}) {
        const std::string name = std::string(static_cast<std::size_t>(length) - 4, 'a') + ".kdx";
        ASSERT_EQ(Save(dir.File(name)), FileOutcome::Success) << length;
        ASSERT_EQ(Save(dir.File(name)), FileOutcome::Success) << length; // and replaces it
        EXPECT_TRUE(host.messages.empty());
    }
    // With umlauts the shortened temporary name still holds whole characters.
    std::string umlauts;
    while (umlauts.size() + 2 + 4 <= static_cast<std::size_t>(max))
        umlauts += "ä";
    ASSERT_EQ(Save(dir.File(umlauts + ".kdx")), FileOutcome::Success);
    EXPECT_EQ(test::CountEntries(dir.Path()), 4);
    const std::string tooLong(static_cast<std::size_t>(max) + 1, 'b');
    EXPECT_EQ(Save(dir.File(tooLong)), FileOutcome::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("der Dateiname oder der Pfad ist zu lang"),
              std::string::npos);
}

// Every fixture: the *_bad files (among them what the fuzzer found) are refused with a message
// and leave the circuit as it was; the others load without one.
TEST_F(FileSafetyTest, EveryFixtureIsRefusedOrLoadedAsItsNameSays) {
    int bad = 0;
    int good = 0;
    for (const auto& entry : fs::directory_iterator(KARDO_TEST_DATA_DIR)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".kdx")
            continue;
        CreateNewWorksheet(30, 20);
        test::PlaceAnd(8, 8);
        const State before = Now();
        host.messages.clear();
        const FileOutcome outcome = LoadFile(entry.path().string());
        if (name.ends_with("_bad.kdx")) {
            ++bad;
            EXPECT_EQ(outcome, FileOutcome::Failed) << name;
            EXPECT_EQ(host.messages.size(), 1u) << name;
            EXPECT_EQ(Now(), before) << name;
        } else {
            ++good;
            EXPECT_EQ(outcome, FileOutcome::Success) << name;
            EXPECT_TRUE(host.messages.empty()) << name;
        }
    }
    // Exact, so that a fixture the loop skipped or lost fails.
    EXPECT_EQ(bad, 46);
    EXPECT_EQ(good, 9);
}

// Found by the fuzzer: a Windows-1252 label whose bytes happen to form UTF-8 ("GrÃ¼ÃŸe") was
// saved so that it read back as another text ("Grüße"); characters the code page lacks were
// saved as "?".
TEST_F(FileSafetyTest, EveryLabelTextReadsBackAsItWasSaved) {
    ASSERT_EQ(LoadFile(test::DataFile("labels_utf8_lookalike.kdx")), FileOutcome::Success);
    ASSERT_EQ(gElements[1].Text, "GrÃ¼ÃŸe");
    for (const std::string label : {"GrÃ¼ÃŸe", "x → y ≥ α", "Grüße, 1,5 €"}) {
        gElements[1].Text = label;
        ASSERT_EQ(Save(dir.File("text.kdx")), FileOutcome::Success);
        ASSERT_EQ(LoadFile(dir.File("text.kdx")), FileOutcome::Success);
        EXPECT_EQ(gElements[1].Text, label);
    }
    // A byte-order mark before Windows-1252 bytes: the labels read back as they loaded.
    ASSERT_EQ(LoadFile(test::DataFile("labels_bom_cp1252.kdx")), FileOutcome::Success);
    const std::vector<ElementRecord> loaded = gElements;
    ASSERT_EQ(Save(dir.File("bom.kdx")), FileOutcome::Success);
    ASSERT_EQ(LoadFile(dir.File("bom.kdx")), FileOutcome::Success);
    EXPECT_EQ(gElements, loaded);
    // Text the code page holds and that reads back alike stays in Windows-1252.
    EXPECT_NE(test::ReadBytes(dir.File("text.kdx"))
                  .find("Gr\xfc\xdf"
                        "e, 1,5 \x80"),
              std::string::npos);
}

TEST(FileErrorTextTest, EveryErrorASaveCanMeetHasAGermanText) {
    const int errors[] = {EACCES,  EPERM,  ENOENT,    ENOTDIR,   ENOSPC,       EDQUOT,     EROFS,
                          EISDIR,  EEXIST, EFBIG,     EIO,       ENAMETOOLONG, ELOOP,      EMLINK,
                          ETXTBSY, EBUSY,  EXDEV,     EINVAL,    EAGAIN,       ENOMEM,     EMFILE,
                          ENFILE,  EINTR,  ESTALE,    ENXIO,     ENODEV,       EOPNOTSUPP, ENOLCK,
                          EBADF,   EFAULT, EOVERFLOW, ENOTEMPTY, ETIMEDOUT,    ENOTCONN};
    for (const int err : errors) {
        const std::string text = FileErrorText(err);
        EXPECT_EQ(text.find("Systemfehler"), std::string::npos) << err;
        EXPECT_FALSE(text.empty()) << err;
    }
    EXPECT_EQ(FileErrorText(9999), "unbekannter Systemfehler (Nummer 9999)");
}

// The caption dropped the last four bytes, cutting an umlaut in two.
TEST_F(FileSafetyTest, TheCaptionDropsTheExtensionByCharacters) {
    struct Case {
        const char* name;
        const char* caption;
    };
    const Case cases[] = {{"Schaltung.kdx", "Schaltung"}, {"Grüße.kdx", "Grüße"}, {"Grüße", "G"},
                          {"Maßstäbe", "Maßs"},           {"äöü", "vorher"},      {"abcd", ""}};
    for (const Case& c : cases) {
        host.SetCaption("frmKardo", "vorher");
        ASSERT_EQ(Save(dir.File(c.name)), FileOutcome::Success) << c.name;
        EXPECT_EQ(host.Caption("frmKardo"), c.caption) << c.name;
    }
}

} // namespace
} // namespace kardo
