// Loading and saving circuit files through the host: the golden example, dialogs, messages,
// atomic saving, refusal of malformed files, and what a load and a save leave behind.
#include "app/file_object.h"
#include "app/main_state.h"
#include "app/settings.h"
#include "app/startup.h"
#include "editor/line_runs.h"
#include "files/atomic_file.h"
#include "files/circuit_file.h"
#include "files/new_circuit.h"
#include "model/basic_elements.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/utilities.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace kardo {
namespace {

// Everything of the circuit a refused load must leave as it was.
struct CircuitSnapshot {
    std::int16_t w = 0;
    std::int16_t h = 0;
    Grid grid;
    std::vector<ElementRecord> elements;
    std::int16_t count = 0;
    std::vector<std::int16_t> taktElement;
    std::vector<std::int16_t> taktZeit1;
    std::uint8_t anzTaktgeber = 0;
    int timers = 0;
    std::string fileName;
    std::string filePath;
    std::uint8_t analysisPoints = 0;
    bool operator==(const CircuitSnapshot&) const = default;
};

CircuitSnapshot Snapshot() {
    return {gFeldBreite,      gFeldHoehe,     gGrid,          gElements,
            gAnzElemente,     gTaktElement,   gTaktZeit1,     gAnzTaktgeber,
            Timer2().Count(), gFile.FileName, gFile.FilePath, gAnzAnalysepunkte};
}

class CircuitFileTest : public test::CoreFixture {
  protected:
    CircuitFileTest() { gAktiviert = 1; }

    // The sheet of the example: 40 x 25 cells right after a new sheet, one horizontal wire
    // from (5,6) to (12,6) and a branch from (9,6) down to (9,10), joined by a point.
    void BuildExample() {
        CreateNewWorksheet(40, 25);
        test::LayWire(5, 6, 12, 6);
        test::LayWire(9, 6, 9, 10);
        ASSERT_TRUE(test::SetPoint(9, 6));
    }

    // A small circuit of its own: a switch, an AND gate, an LED and a clock.
    void BuildSomething() {
        CreateNewWorksheet(30, 20);
        test::LayWire(2, 3, 6, 3);
        test::PlaceSwitch(2, 3);
        test::PlaceAnd(8, 8);
        test::PlaceLed(20, 3, 0x00FF00);
        PlaceClockAt(12, 14);
    }

    static void PlaceClockAt(int x, int y) {
        gCursorX = static_cast<std::int16_t>(x);
        gCursorY = static_cast<std::int16_t>(y);
        SetTimer();
    }

    test::TempDir dir; // files of the test
};

TEST_F(CircuitFileTest, TheExampleIsWrittenByteForByte) {
    BuildExample();
    ASSERT_EQ(SaveFileTo(dir.File("beispiel.kdx")), FileOutcome::Success);
    EXPECT_EQ(test::ReadBytes(dir.File("beispiel.kdx")),
              test::ReadBytes(test::DataFile("example_40x25.kdx")));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(CircuitFileTest, TheExampleLoadsIntoItsWireCells) {
    BuildExample();
    const Grid built = gGrid;
    CreateNewWorksheet(50, 30);
    ASSERT_EQ(LoadFile(test::DataFile("example_40x25.kdx")), FileOutcome::Success);
    EXPECT_EQ(gFeldBreite, 40);
    EXPECT_EQ(gFeldHoehe, 25);
    EXPECT_EQ(gGrid, built);
    EXPECT_EQ(gGrid(5, 6).Typ, kTypeWire);
    EXPECT_EQ(gGrid(5, 6).Links, kFalse);
    EXPECT_EQ(gGrid(5, 6).Rechts, kTrue);
    EXPECT_EQ(gGrid(9, 10).Oben, kTrue);
    EXPECT_EQ(gGrid(9, 10).Unten, kFalse);
    // Saved again, the file is the same.
    ASSERT_EQ(SaveFileTo(dir.File("wieder.kdx")), FileOutcome::Success);
    EXPECT_EQ(test::ReadBytes(dir.File("wieder.kdx")),
              test::ReadBytes(test::DataFile("example_40x25.kdx")));
}

TEST_F(CircuitFileTest, ALoadSetsTheFileTheCaptionAndTheSizeBoxes) {
    const std::string path = dir.File("beispiel.kdx");
    test::WriteBytes(path, test::ReadBytes(test::DataFile("example_40x25.kdx")));
    ASSERT_EQ(LoadFile(path), FileOutcome::Success);
    EXPECT_EQ(gFile.FileName, path);
    EXPECT_EQ(gFile.FilePath, dir.Path() + "/");
    EXPECT_EQ(gDateiPfad, path);
    EXPECT_EQ(host.Caption("frmKardo"), "beispiel.kdx");
    EXPECT_EQ(host.Caption("txtX"), "40");
    EXPECT_EQ(host.Caption("txtY"), "25");
    EXPECT_EQ(host.pointer, kPointerCross);
    EXPECT_EQ(host.statusTexts[2], "");
    EXPECT_EQ(gLastFiles[0], path);
    EXPECT_EQ(host.Caption("mUsedFiles_0"), "&1 " + path);
    // A load does not change the unchanged mark.
    gUnveraendert = false;
    ASSERT_EQ(LoadFile(path), FileOutcome::Success);
    EXPECT_FALSE(gUnveraendert);
}

TEST_F(CircuitFileTest, TheOpenDialogAsksForTheFile) {
    gFile.FilePath = dir.Path() + "/";
    EXPECT_EQ(LoadFile(""), FileOutcome::Cancelled);
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].title, "Datei öffnen");
    EXPECT_EQ(host.dialogs[0].filter, "*.KDX (Kardo-Datei)|*.kdx|*.* (Alle Dateien)|*.*");
    EXPECT_EQ(host.dialogs[0].initialFolder, dir.Path() + "/");

    host.dialogAnswers.push_back(test::DataFile("example_40x25.kdx"));
    EXPECT_EQ(LoadFile(""), FileOutcome::Success);
    EXPECT_EQ(gFeldBreite, 40);
}

TEST_F(CircuitFileTest, AMissingFileIsReportedAndNothingChanges) {
    BuildSomething();
    const CircuitSnapshot before = Snapshot();
    EXPECT_EQ(LoadFile(dir.File("gibtsnicht.kdx")), FileOutcome::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Die Datei wurde nicht gefunden.");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(host.messages[0].title, "Dateifehler");
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(CircuitFileTest, AnEmptyFileIsReportedAndNothingChanges) {
    BuildSomething();
    const CircuitSnapshot before = Snapshot();
    test::WriteBytes(dir.File("leer.kdx"), "");
    EXPECT_EQ(LoadFile(dir.File("leer.kdx")), FileOutcome::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Falsches Dateiformat oder Datei nicht gefunden!");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::None);
    EXPECT_EQ(host.messages[0].title, "Kardo");
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(CircuitFileTest, MalformedFilesAreRefusedAndTheCircuitStaysAsItWas) {
    const char* files[] = {"feld_too_large_bad.kdx", "cell_outside_bad.kdx",
                           "element_pins_bad.kdx",   "clock_count_bad.kdx",
                           "ic_name_bad.kdx",        "analysis_duplicate_bad.kdx"};
    BuildSomething();
    ASSERT_EQ(SaveFileTo(dir.File("eigen.kdx")), FileOutcome::Success);
    const CircuitSnapshot before = Snapshot();
    for (const char* f : files) {
        host.messages.clear();
        const std::string path = test::DataFile(f);
        EXPECT_EQ(LoadFile(path), FileOutcome::Failed) << f;
        ASSERT_EQ(host.messages.size(), 1u) << f;
        const test::ShownMessage& m = host.messages[0];
        EXPECT_EQ(m.title, "Dateifehler") << f;
        // The message names the file and the line with its problem.
        EXPECT_NE(m.text.find(path), std::string::npos) << m.text;
        EXPECT_NE(m.text.find("kann nicht geladen werden."), std::string::npos) << m.text;
        EXPECT_NE(m.text.find("Zeile "), std::string::npos) << m.text;
        EXPECT_NE(m.text.find("Die aktuelle Schaltung bleibt unverändert."), std::string::npos);
        EXPECT_EQ(Snapshot(), before) << f;
    }
}

TEST_F(CircuitFileTest, MissingICsAreListedOnceEachAndTheCircuitStays) {
    BuildSomething();
    const CircuitSnapshot before = Snapshot();
    const std::string path = dir.File("mit_ics.kdx");
    test::WriteBytes(path, "[Feld]\r\n40;25;\r\n[Punkte]\r\n10;5;20;0;0;0;0;0;1;1;0;\r\n"
                           "20;5;20;0;0;0;0;0;2;1;0;\r\n30;5;20;0;0;0;0;0;3;1;0;\r\n"
                           "[Elemente]\r\n20;2;X10Y5:;X10Y5:;0;1;;\r\n"
                           "20;2;X20Y5:;X20Y5:;0;2;;\r\n20;2;X30Y5:;X30Y5:;0;3;;\r\n"
                           "[IC]\r\nZaehler;1;\r\nAddierer;2;\r\nZaehler;3;\r\n");
    EXPECT_EQ(LoadFile(path), FileOutcome::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "IC-Fehler");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Critical);
    EXPECT_NE(host.messages[0].text.find(" - Zaehler\r\n - Addierer\r\n"), std::string::npos)
        << host.messages[0].text;
    EXPECT_EQ(host.messages[0].text.find("Zaehler", host.messages[0].text.find("Addierer")),
              std::string::npos); // each name once
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(CircuitFileTest, ASaveMarksTheCircuitSavedAndNamesTheWindow) {
    BuildSomething();
    gUnveraendert = false;
    const std::string path = dir.File("schaltung.kdx");
    ASSERT_EQ(SaveFileTo(path), FileOutcome::Success);
    EXPECT_TRUE(gUnveraendert);
    EXPECT_EQ(gFile.FileName, path);
    EXPECT_EQ(gFile.FilePath, dir.Path() + "/");
    EXPECT_EQ(host.Caption("frmKardo"), "schaltung");
    EXPECT_EQ(gLastFiles[0], path);
    EXPECT_EQ(host.Caption("mUsedFiles_0"), "&1 " + path);
    EXPECT_TRUE(host.IsVisible("mUsedFiles_0"));
    // A title of fewer than four characters leaves the caption as it was.
    ASSERT_EQ(SaveFileTo(dir.File("ab")), FileOutcome::Success);
    EXPECT_EQ(host.Caption("frmKardo"), "schaltung");
}

TEST_F(CircuitFileTest, TheRecentFilesListTakesANewPathOnlyOnce) {
    gLastFiles = {"/a.kdx", "/b.kdx", "/c.kdx", "/d.kdx"};
    AddRecentFile("/e.kdx");
    EXPECT_EQ(gLastFiles, (std::array<std::string, 4>{"/e.kdx", "/a.kdx", "/b.kdx", "/c.kdx"}));
    AddRecentFile("/b.kdx"); // already there: the list stays
    EXPECT_EQ(gLastFiles, (std::array<std::string, 4>{"/e.kdx", "/a.kdx", "/b.kdx", "/c.kdx"}));
}

TEST_F(CircuitFileTest, SaveAndSaveAsDialogs) {
    gVerzeichnisse[0] = dir.Path() + "/";
    // Save without a file of its own asks like Save As; cancelling writes nothing.
    EXPECT_EQ(SaveFile(true), FileOutcome::Cancelled);
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].title, "Datei speichern unter");
    EXPECT_EQ(host.dialogs[0].filter, "*.KDX (Kardo-Datei)|*.kdx");
    EXPECT_EQ(host.dialogs[0].initialFolder, dir.Path() + "/");
    EXPECT_EQ(test::CountEntries(dir.Path()), 0);

    host.dialogAnswers.push_back(dir.File("neu.kdx"));
    EXPECT_EQ(SaveFileAs(), FileOutcome::Success);
    EXPECT_EQ(gFile.FileName, dir.File("neu.kdx"));
    // Save now writes into that file without asking.
    EXPECT_EQ(SaveFile(true), FileOutcome::Success);
    EXPECT_EQ(host.dialogs.size(), 2u);
}

// Fault pinned: a failed save could leave a truncated file behind and mark the circuit saved.
TEST_F(CircuitFileTest, AFailedSaveIsReportedAndTheCircuitStaysChanged) {
    BuildSomething();
    gUnveraendert = false;
    gFile.FileName = dir.File("vorher.kdx");
    // A folder stands where the file should go, so the final rename fails.
    const std::string target = dir.File("ordner.kdx");
    std::filesystem::create_directory(target);
    test::WriteBytes(target + "/inhalt", "x");
    EXPECT_EQ(SaveFileTo(target), FileOutcome::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "Dateifehler");
    EXPECT_NE(host.messages[0].text.find(target), std::string::npos);
    EXPECT_NE(host.messages[0].text.find("konnte nicht gespeichert werden"), std::string::npos);
    EXPECT_FALSE(gUnveraendert);
    EXPECT_EQ(gFile.FileName, dir.File("vorher.kdx"));
    EXPECT_EQ(test::ReadBytes(target + "/inhalt"), "x");
    EXPECT_EQ(test::CountEntries(dir.Path()), 1); // no temporary file left
}

TEST_F(CircuitFileTest, AFailedSaveIntoAMissingFolderIsReported) {
    EXPECT_EQ(SaveFileTo(dir.File("fehlt/x.kdx")), FileOutcome::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("Ordner oder Datei nicht gefunden"), std::string::npos)
        << host.messages[0].text;
    EXPECT_EQ(host.messages[0].text.find("bisherige"), std::string::npos);
}

TEST(AtomicFileTest, AFailureAtAnyStepLeavesTheOldFileAndNoTemporaryFile) {
    const AtomicWriteFault faults[] = {AtomicWriteFault::AfterWrite, AtomicWriteFault::AfterFlush};
    for (const AtomicWriteFault fault : faults) {
        test::TempDir dir;
        const std::string path = dir.File("alt.kdx");
        test::WriteBytes(path, "alter Inhalt");
        std::string reason;
        EXPECT_FALSE(WriteFileAtomically(path, "neuer Inhalt", reason, fault));
        EXPECT_EQ(reason, "Ein-/Ausgabefehler");
        EXPECT_EQ(test::ReadBytes(path), "alter Inhalt");
        EXPECT_EQ(test::CountEntries(dir.Path()), 1);
    }
}

TEST(AtomicFileTest, AReplacedFileKeepsItsPermissions) {
    test::TempDir dir;
    const std::string path = dir.File("rechte.kdx");
    test::WriteBytes(path, "alt");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    std::string reason;
    ASSERT_TRUE(WriteFileAtomically(path, "neu", reason)) << reason;
    EXPECT_EQ(test::ReadBytes(path), "neu");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(test::CountEntries(dir.Path()), 1);
}

TEST(AtomicFileTest, ReadingRefusesFoldersPipesDevicesAndOversizedFiles) {
    test::TempDir dir;
    std::string bytes;
    std::string reason;
    EXPECT_FALSE(ReadWholeFile(dir.Path(), 100, bytes, reason));
    EXPECT_EQ(reason, "an dieser Stelle steht ein Ordner");
    // A pipe or device was refused with the reason of the error an earlier call had left.
    ASSERT_EQ(::mkfifo(dir.File("rohr").c_str(), 0600), 0);
    for (const std::string& path : {dir.File("rohr"), std::string("/dev/null")}) {
        errno = ENOENT;
        EXPECT_FALSE(ReadWholeFile(path, 100, bytes, reason));
        EXPECT_EQ(reason, "an dieser Stelle steht keine Datei") << path;
    }
    test::WriteBytes(dir.File("gross"), std::string(101, 'x'));
    EXPECT_FALSE(ReadWholeFile(dir.File("gross"), 100, bytes, reason));
    EXPECT_EQ(reason, "die Datei ist zu groß");
    EXPECT_TRUE(ReadWholeFile(dir.File("gross"), 101, bytes, reason));
    EXPECT_EQ(bytes.size(), 101u);
}

TEST_F(CircuitFileTest, WireRunsAreAnalysedAfreshAtEverySave) {
    BuildExample();
    // Stale runs in the table must not reach the file.
    gLineRuns.Dim(gFeldBreite + 1, gFeldHoehe + 1);
    gLineRuns(1, 1).EndX = 30;
    gLineRuns(5, 6).VisitedH = kTrue;
    ASSERT_EQ(SaveFileTo(dir.File("x.kdx")), FileOutcome::Success);
    EXPECT_EQ(test::ReadBytes(dir.File("x.kdx")),
              test::ReadBytes(test::DataFile("example_40x25.kdx")));
}

TEST_F(CircuitFileTest, ColoursAreWrittenAsFull32BitValues) {
    CreateNewWorksheet(20, 20);
    const std::int16_t led = test::PlaceLed(5, 5, 0x00C0FFEE);
    ASSERT_GT(led, 0);
    ASSERT_EQ(SaveFileTo(dir.File("farbe.kdx")), FileOutcome::Success);
    EXPECT_NE(test::ReadBytes(dir.File("farbe.kdx")).find(";12648430;"), std::string::npos);
    CreateNewWorksheet(20, 20);
    ASSERT_EQ(LoadFile(dir.File("farbe.kdx")), FileOutcome::Success);
    EXPECT_EQ(gElements[static_cast<std::size_t>(led)].Farbe, 0x00C0FFEE);
}

TEST_F(CircuitFileTest, LabelsWithPunctuationSurviveInEveryEncoding) {
    const char* files[] = {"labels_cp1252.kdx", "labels_utf8.kdx", "labels_utf8_bom_lf.kdx"};
    for (const char* f : files) {
        ASSERT_EQ(LoadFile(test::DataFile(f)), FileOutcome::Success) << f;
        EXPECT_EQ(gElements[1].Text, "Grüße, Welt; ok") << f;
        ASSERT_EQ(SaveFileTo(dir.File("labels.kdx")), FileOutcome::Success) << f;
        // Written back in Windows-1252 with CR LF, whatever the file was.
        EXPECT_EQ(test::ReadBytes(dir.File("labels.kdx")),
                  test::ReadBytes(test::DataFile("labels_cp1252.kdx")))
            << f;
    }
}

TEST_F(CircuitFileTest, ClocksAndAnalysisPointsComeBackWithTheirTimersAndTraces) {
    CreateNewWorksheet(40, 30);
    PlaceClockAt(5, 5);
    PlaceClockAt(15, 5);
    PlaceClockAt(25, 5);
    gTaktZeit1[1] = 250;
    gTaktZeit0[1] = 750;
    gTaktLink[1] = kFalse;
    gAnzTakte[2] = 4;
    test::LayWire(2, 20, 30, 20);
    test::PlaceAnalysisPoint(4, 20);
    test::PlaceAnalysisPoint(8, 20);
    ASSERT_EQ(gAnzTaktgeber, 3);
    const std::vector<std::int16_t> elements = gTaktElement;
    ASSERT_EQ(SaveFileTo(dir.File("takte.kdx")), FileOutcome::Success);

    CreateNewWorksheet(50, 30);
    host.log.clear();
    ASSERT_EQ(LoadFile(dir.File("takte.kdx")), FileOutcome::Success);
    EXPECT_EQ(gAnzTaktgeber, 3);
    EXPECT_EQ(Timer2().Count(), 3);
    EXPECT_EQ(gTaktElement, elements);
    EXPECT_EQ(gTaktZeit1, (std::vector<std::int16_t>{1000, 250, 1000}));
    EXPECT_EQ(gTaktZeit0, (std::vector<std::int16_t>{1000, 750, 1000}));
    EXPECT_EQ(gTaktLink, (std::vector<std::int16_t>{kTrue, kFalse, kTrue}));
    EXPECT_EQ(gAnzTakte, (std::vector<std::uint8_t>{1, 1, 4}));
    EXPECT_EQ(gAnzAnalysepunkte, 2);
    EXPECT_TRUE(host.IsEnabled("mAnsichtItem_2"));
    EXPECT_NE(std::find(host.log.begin(), host.log.end(), "AddGraph(1)"), host.log.end());
    EXPECT_NE(std::find(host.log.begin(), host.log.end(), "AddGraph(2)"), host.log.end());
}

TEST_F(CircuitFileTest, ALoadLeavesTheICTool) {
    gMouseMode = kTypeIC;
    ASSERT_EQ(LoadFile(test::DataFile("example_40x25.kdx")), FileOutcome::Success);
    EXPECT_EQ(gMouseMode, kToolWire);
    EXPECT_TRUE(host.IsChecked("cmdLeitungen"));
    EXPECT_FALSE(host.IsChecked("cmdIC"));
    ASSERT_FALSE(host.selPictures.empty());
    EXPECT_EQ(host.selPictures.back(), kToolWire);
}

TEST_F(CircuitFileTest, TheCommandLineFileIsRedrawnByItsLoad) {
    LadeDatei = test::DataFile("example_40x25.kdx");
    const int refreshes = host.refreshCalls;
    ASSERT_EQ(LoadFile(LadeDatei), FileOutcome::Success);
    EXPECT_TRUE(LadeDatei.empty());
    EXPECT_GT(host.refreshCalls, refreshes);
}

TEST_F(CircuitFileTest, SavingCopiesUsedICsBesideTheCircuitOnlyWhenMissing) {
    test::TempDir icFolder;
    gVerzeichnisse[1] = icFolder.Path() + "/";
    test::WriteBytes(icFolder.File("Zaehler.icd"), "neu");
    test::WriteBytes(icFolder.File("Addierer.icd"), "neu");
    test::WriteBytes(dir.File("Addierer.icd"), "schon da");
    CreateNewWorksheet(20, 20);
    for (const char* name : {"Zaehler", "Addierer"}) {
        ElementRecord& e = AppendElement(kTypeIC);
        e.Richtung = kRight;
        gICInstances.push_back(ICInstanceRecord{});
        gICInstances.back().Name = name;
        gICInstances.back().ElementNr = e.Nr;
        ++gAnzICInstances;
        ++gICInstanceMax;
    }
    gICsMitSpeichern = true;
    ASSERT_EQ(SaveFileTo(dir.File("ics.kdx")), FileOutcome::Success);
    EXPECT_NE(test::ReadBytes(dir.File("ics.kdx")).find("[IC]\r\nZaehler;1;\r\nAddierer;2;\r\n"),
              std::string::npos);
    EXPECT_EQ(test::ReadBytes(dir.File("Zaehler.icd")), "neu");
    EXPECT_EQ(test::ReadBytes(dir.File("Addierer.icd")), "schon da");
}

TEST_F(CircuitFileTest, TheStartUpResetForgetsTheFilePath) {
    ASSERT_EQ(LoadFile(test::DataFile("example_40x25.kdx")), FileOutcome::Success);
    ASSERT_FALSE(gDateiPfad.empty());
    InitProgramState();
    EXPECT_EQ(gDateiPfad, "");
}

} // namespace
} // namespace kardo
