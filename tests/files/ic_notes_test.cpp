// The notes section of an IC definition file rewritten from the notes box: the lines up to the
// section stay, the rest is replaced, a file without the section gets it appended, the file's
// character set and line ends are kept, and a failed write leaves the file as it was.
#include "files/atomic_file.h"
#include "files/ic_definition.h"
#include "files/ic_notes.h"
#include "files/working_folders.h"
#include "ic/ic_library.h"
#include "support/core_fixture.h"
#include "support/ic_circuits.h"
#include "support/temp_home.h"

#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace kardo {
namespace {

TEST(ICNotes, TheSectionIsReplacedOrAppended) {
    const struct {
        const char* what;
        std::string file;
        std::string notes;
        std::string result;
    } cases[] = {
        {"section at the end", "[IC]\r\nName\r\n[Notizen]\r\nalt\r\nalt 2\r\n", "neu",
         "[IC]\r\nName\r\n[Notizen]\r\nneu\r\n"},
        {"lines after the section dropped", "[Notizen]\r\nalt\r\n[Rest]\r\nx\r\n", "a\nb",
         "[Notizen]\r\na\r\nb\r\n"},
        {"no section: appended", "[IC]\r\nName\r\n", "Hinweis",
         "[IC]\r\nName\r\n[Notizen]\r\nHinweis\r\n"},
        {"no line end at the end", "[IC]\r\nName", "x", "[IC]\r\nName\r\n[Notizen]\r\nx\r\n"},
        {"section line without line end", "[IC]\r\n[Notizen]", "x", "[IC]\r\n[Notizen]\r\nx\r\n"},
        {"line feeds only", "[IC]\nName\n[Notizen]\nalt\n", "neu\r\nzwei",
         "[IC]\nName\n[Notizen]\nneu\nzwei\n"},
        {"umlauts in Windows-1252", "[IC]\r\n[Notizen]\r\n", "Zähler",
         "[IC]\r\n[Notizen]\r\nZ\xE4hler\r\n"},
        {"a UTF-8 file stays UTF-8",
         "[IC]\r\nGr\xC3\xB6\xC3\x9F"
         "e\r\n[Notizen]\r\n",
         "Zähler",
         "[IC]\r\nGr\xC3\xB6\xC3\x9F"
         "e\r\n[Notizen]\r\nZähler\r\n"},
        {"empty notes", "[Notizen]\r\nalt\r\n", "", "[Notizen]\r\n\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceICNotes(c.file, c.notes), c.result) << c.what;
}

class ICNotesFile : public test::CoreFixture {
  protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = folder + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    test::TempHome home{"kardo-notes-"};
    std::string folder = home.MakeFolder("ICs");
};

TEST_F(ICNotesFile, TheNotesAreWrittenIntoTheFile) {
    const std::string path = Write("Zaehler.icd", "[IC]\r\nZaehler\r\n");
    EXPECT_TRUE(SaveICNotes(path, "Vier Bit"));
    EXPECT_EQ(Read(path), "[IC]\r\nZaehler\r\n[Notizen]\r\nVier Bit\r\n");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ICNotesFile, NothingIsWrittenForAMissingFileAnEmptyPathOrTheSectionName) {
    const std::string path = Write("Zaehler.icd", "[IC]\r\n");
    EXPECT_TRUE(SaveICNotes(path, "[Notizen]"));
    EXPECT_TRUE(SaveICNotes("", "x"));
    EXPECT_TRUE(SaveICNotes(folder + "/Fehlt.icd", "x"));
    EXPECT_EQ(Read(path), "[IC]\r\n");
    EXPECT_FALSE(std::ifstream(folder + "/Fehlt.icd").good());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ICNotesFile, AFailedWriteLeavesTheFileAndSaysSo) {
    const std::string before = "[IC]\r\nZaehler\r\n[Notizen]\r\nalt\r\n";
    const std::string path = Write("Zaehler.icd", before);
    for (const AtomicWriteFault fault :
         {AtomicWriteFault::AfterWrite, AtomicWriteFault::AfterFlush}) {
        host.messages.clear();
        EXPECT_FALSE(SaveICNotes(path, "neu", fault));
        EXPECT_EQ(Read(path), before);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].title, "Dateifehler");
        EXPECT_NE(host.messages[0].text.find("Die Datei bleibt unverändert."), std::string::npos);
    }
}

// Fault: header-like note lines (also as an item after a comma or in quotes) broke the IC or
// vanished, "kΩ" was written as "k?", indents lost.
TEST_F(ICNotesFile, NotesComeBackAsTypedOrAreRefusedAndTheICReadsUnchanged) {
    gVerzeichnisse[1] = folder + "/";
    test::WriteInverterICs(gVerzeichnisse[1]);
    const std::string before = Read(folder + "/inv.icd");
    ICDefinition original, def;
    ReadProblem problem;
    ASSERT_TRUE(ReadICDefinitionFile(folder + "/inv.icd", original, problem));
    // Notes typed, notes read back ("" when refused).
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"Belegung:\n[Anschlüsse]\nE = Eingang", ""}, {"[IC]", ""}, {"a\n\t[Feld] ", ""},
        {"[Maße]\nX9", ""}, {"a\n[Notizen]\nb", ""}, {"[Links]", ""}, {"\"[IC]\"", ""},
        {"Pins: E, [Feld]", ""}, {"a, \"[Tags]\" b", ""}, {"a, \"b,[IC]\"", "a, \"b,[IC]\""},
        {"a\n[Wichtig]\nb", "a\r\n[Wichtig]\r\nb"}, {"\n1 kΩ → 5 V\n", "\r\n1 kΩ → 5 V\r\n"},
        {"  E = Eingang\n\tA", "  E = Eingang\r\n\tA"}};
    // clang-format on
    for (const auto& [notes, readBack] : cases) {
        host.messages.clear();
        const std::string path = Write("inv.icd", before);
        EXPECT_EQ(SaveICNotes(path, notes), !readBack.empty()) << notes;
        EXPECT_EQ(host.messages.size(), readBack.empty() ? 1u : 0u) << notes;
        EXPECT_EQ(readBack.empty() ? Read(path) : ReadICNotes(path),
                  readBack.empty() ? before : readBack);
        ASSERT_TRUE(ReadICDefinitionFile(path, def, problem)) << notes << problem.Text;
        EXPECT_TRUE(def.PinLines == original.PinLines && def.Breite == original.Breite) << notes;
    }
}

} // namespace
} // namespace kardo
