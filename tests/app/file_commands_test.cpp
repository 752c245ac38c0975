// The save question before a circuit is closed or replaced, Save into circuit files only, and
// the ".kdx" ending of every saved name.
#include "app/file_commands.h"
#include "app/file_object.h"
#include "app/main_state.h"
#include "app/settings.h"
#include "files/circuit_file.h"
#include "files/new_circuit.h"
#include "files/text_helpers.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class FileCommandsTest : public test::CoreFixture {
  protected:
    FileCommandsTest() {
        gAktiviert = 1;
        gVerzeichnisse[0] = dir.Path() + "/";
        CreateNewWorksheet(20, 10);
        test::LayWire(2, 2, 8, 2);
    }
    test::TempDir dir; // circuits folder
};

TEST(FileNameRules, ExtensionsCompareWithoutCaseAndAreAppendedOnce) {
    struct Case {
        const char* path;
        bool hasKdx;
        const char* withKdx;
    };
    const Case cases[] = {
        {"/a/b.kdx", true, "/a/b.kdx"},
        {"/a/b.KDX", true, "/a/b.KDX"},
        {"/a/b.Kdx", true, "/a/b.Kdx"},
        {"/a/b", false, "/a/b.kdx"},
        {"/a/b.icd", false, "/a/b.icd.kdx"},
        {"/a/b.kdx.txt", false, "/a/b.kdx.txt.kdx"},
        {"/a.kdx/b", false, "/a.kdx/b.kdx"},
        {"/a/.kdx", false, "/a/.kdx.kdx"},
        {"", false, ".kdx"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HasExtension(c.path, ".kdx"), c.hasKdx) << c.path;
        EXPECT_EQ(WithExtension(c.path, ".kdx"), c.withKdx) << c.path;
    }
}

TEST_F(FileCommandsTest, AnUnchangedCircuitAsksNothing) {
    gUnveraendert = true;
    EXPECT_TRUE(AskToSaveChanges());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FileCommandsTest, TheQuestionNamesTheFileOrTheNewCircuit) {
    gUnveraendert = false;
    host.messageAnswers = {MsgResult::No, MsgResult::No};
    EXPECT_TRUE(AskToSaveChanges());
    gFile.FileName = "/x/schaltung.kdx";
    EXPECT_TRUE(AskToSaveChanges());
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text,
              "Sie haben die neu erstellte Schaltung\rnoch nicht gesichert.\r\rJetzt speichern?");
    EXPECT_EQ(host.messages[1].text,
              "/x/schaltung.kdx\rwurde geändert.\r\rMöchten Sie die Änderungen speichern?");
    EXPECT_EQ(host.messages[1].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(host.messages[1].title, "Kardo");
    EXPECT_FALSE(gUnveraendert);
}

TEST_F(FileCommandsTest, CancelStopsTheCaller) {
    gUnveraendert = false;
    host.messageAnswers = {MsgResult::Cancel};
    EXPECT_FALSE(AskToSaveChanges());
    EXPECT_TRUE(host.dialogs.empty());
}

TEST_F(FileCommandsTest, YesSavesAndGoesOnOnlyWhenTheSaveSucceeded) {
    gUnveraendert = false;
    // The save dialog is cancelled: nothing was saved, so the caller must stop.
    host.messageAnswers = {MsgResult::Yes};
    EXPECT_FALSE(AskToSaveChanges());
    EXPECT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(test::CountEntries(dir.Path()), 0);

    host.messageAnswers = {MsgResult::Yes};
    host.dialogAnswers = {dir.File("gesichert")};
    EXPECT_TRUE(AskToSaveChanges());
    EXPECT_TRUE(gUnveraendert);
    EXPECT_FALSE(test::ReadBytes(dir.File("gesichert.kdx")).empty());
}

// Fault pinned: a failed save in the question let the caller replace the unsaved circuit.
TEST_F(FileCommandsTest, AFailedSaveStopsTheCaller) {
    gUnveraendert = false;
    gFile.FileName = dir.File("ordner.kdx");
    std::filesystem::create_directory(gFile.FileName);
    host.messageAnswers = {MsgResult::Yes, MsgResult::Ok};
    EXPECT_FALSE(AskToSaveChanges());
    EXPECT_FALSE(gUnveraendert);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].title, "Dateifehler");
}

// Fault pinned: after an IC definition was opened through "Alle Dateien", Save wrote circuit
// sections into that file.
TEST_F(FileCommandsTest, SaveWritesWithoutDialogOnlyIntoACircuitFile) {
    const std::string icd = dir.File("zaehler.icd");
    test::WriteBytes(icd, "[IC]\r\n");
    gFile.FileName = icd;
    host.dialogAnswers = {dir.File("zaehler.kdx")};
    EXPECT_EQ(SaveCircuit(), FileOutcome::Success);
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].title, "Datei speichern unter");
    EXPECT_EQ(test::ReadBytes(icd), "[IC]\r\n");
    EXPECT_EQ(gFile.FileName, dir.File("zaehler.kdx"));

    // Upper case counts as a circuit file.
    gFile.FileName = dir.File("GROSS.KDX");
    EXPECT_EQ(SaveCircuit(), FileOutcome::Success);
    EXPECT_EQ(host.dialogs.size(), 1u);
    EXPECT_FALSE(test::ReadBytes(dir.File("GROSS.KDX")).empty());
}

// Fault pinned: a name typed without ".kdx" was saved as it was, so the open dialog's filter
// never showed it again.
TEST_F(FileCommandsTest, TheSavedNameAlwaysEndsInKdx) {
    host.dialogAnswers = {dir.File("ohne")};
    EXPECT_EQ(SaveFileAs(), FileOutcome::Success);
    EXPECT_EQ(gFile.FileName, dir.File("ohne.kdx"));
    EXPECT_TRUE(test::ReadBytes(dir.File("ohne")).empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FileCommandsTest, AnAppendedNameThatExistsIsAskedAbout) {
    test::WriteBytes(dir.File("da.kdx"), "alt");
    host.dialogAnswers = {dir.File("da"), dir.File("da")};
    host.messageAnswers = {MsgResult::No, MsgResult::Yes};
    EXPECT_EQ(SaveFileAs(), FileOutcome::Cancelled);
    EXPECT_EQ(test::ReadBytes(dir.File("da.kdx")), "alt");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Die Datei\r\n" + dir.File("da.kdx") +
                                         "\r\nexistiert bereits.\r\nMöchten Sie sie ersetzen?");
    EXPECT_EQ(SaveFileAs(), FileOutcome::Success);
    EXPECT_NE(test::ReadBytes(dir.File("da.kdx")), "alt");
}

TEST_F(FileCommandsTest, AnEmptyNameFromTheDialogWritesNothing) {
    host.dialogAnswers = {std::string()};
    EXPECT_EQ(SaveFileAs(), FileOutcome::Cancelled);
    EXPECT_EQ(test::CountEntries(dir.Path()), 0);
}

// Fault pinned: a circuit opened from the command line counted as never saved, so Save asked
// for a name.
TEST_F(FileCommandsTest, TheCommandLineFileIsTheCurrentFile) {
    const std::string path = dir.File("start.kdx");
    ASSERT_EQ(SaveFileTo(path), FileOutcome::Success);
    CreateNewWorksheet(20, 10);
    ASSERT_TRUE(gFile.FileName.empty());
    LadeDatei = path;
    ASSERT_EQ(LoadFile(LadeDatei), FileOutcome::Success);
    EXPECT_EQ(gFile.FileName, path);
    const std::size_t dialogs = host.dialogs.size();
    EXPECT_EQ(SaveCircuit(), FileOutcome::Success);
    EXPECT_EQ(host.dialogs.size(), dialogs);
}

} // namespace
} // namespace kardo
