// The definition file of the IC being defined: the box of the sheet it is cut from, the text
// of its ten sections, and the definition state taken from an opened file.
#include "app/main_state.h"
#include "files/circuit_reader.h"
#include "files/ic_definition.h"
#include "files/ic_definition_file.h"
#include "files/ic_size.h"
#include "model/codes.h"
#include "support/builder.h"
#include "support/core_fixture.h"
#include "support/ic_circuits.h"

#include <functional>

namespace kardo::test {
namespace {

class ICDefinitionFileTest : public CoreFixture {
  protected:
    // Pin k on the wire end (x, y), placed at (a, b) (a < 0: no place).
    void Pin(int x, int y, const std::string& name, int a = -1, int b = -1) {
        const int k = ++gAnzICAnschluesse;
        gGrid(x, y).ICPin = static_cast<std::uint8_t>(k);
        gICAnschlussZellen.push_back(std::to_string(x) + ";" + std::to_string(y) + ";" + name +
                                     ";");
        gICAnschluesse.push_back(a < 0 ? std::string() : ICPlaceLine(a, b, name));
        gTags.emplace_back();
    }
    // The text of the definition named name with a package of w x h cells.
    std::string Text(const std::string& name, int w, int h) {
        gICName = name;
        gICBreite = static_cast<std::int16_t>(w);
        gICHoehe = static_cast<std::int16_t>(h);
        EXPECT_TRUE(BuildICPinLists());
        std::string out;
        WriteICDefinitionText(out);
        return out;
    }
};

struct BoxCase {
    int x1, y1, x2, y2;         // a wire from (x1, y1) to (x2, y2) on a 20 x 10 sheet
    int minX, maxX, minY, maxY; // the box
};

TEST_F(ICDefinitionFileTest, TheBoxIsTheUsedAreaWithTwoCellsOfMargin) {
    const BoxCase cases[] = {
        {5, 4, 9, 4, 3, 11, 2, 6},    // inside: two cells on every side
        {1, 4, 9, 4, -1, 11, 2, 6},   // column 1: the left margin goes below 0
        {0, 0, 3, 0, -2, 5, -2, 2},   // the top left corner
        {5, 4, 18, 4, 3, 20, 2, 6},   // column W - 2: the right margin reaches W
        {5, 4, 19, 4, 3, 19, 2, 6},   // column W - 1: no right margin
        {5, 9, 9, 9, 3, 11, 7, 11},   // row H - 1: the bottom margin passes row H
        {5, 10, 9, 10, 3, 11, 8, 10}, // row H: no bottom margin
    };
    for (const BoxCase& c : cases) {
        FreshSheet(20, 10);
        LayWire(c.x1, c.y1, c.x2, c.y2);
        ASSERT_TRUE(BuildICPinLists());
        EXPECT_EQ(gICBoxMinX, c.minX) << c.x1 << "," << c.y1;
        EXPECT_EQ(gICBoxMaxX, c.maxX) << c.x1 << "," << c.y1;
        EXPECT_EQ(gICBoxMinY, c.minY) << c.x1 << "," << c.y1;
        EXPECT_EQ(gICBoxMaxY, c.maxY) << c.x1 << "," << c.y1;
    }
    FreshSheet(20, 10);
    EXPECT_FALSE(BuildICPinLists()) << "an empty sheet has no box";
}

TEST_F(ICDefinitionFileTest, TheTenSectionsComeInOrderWithCrLfAndBoxRelativeCells) {
    FreshSheet(20, 10);
    LayWire(1, 4, 6, 4);
    Pin(1, 4, "A", 0, 1);
    Pin(6, 4, "B");
    gTags[1] = "t";
    gICNotizen = "eins\r\nzwei";
    const std::string text = Text("W", 7, 4);
    const std::string expected = "[Name]\r\nW\r\n"
                                 "[Feld]\r\n9;4;\r\n"
                                 "[Punkte]\r\n"
                                 "2;2;1;0;-1;0;0;0;0;1;0;\r\n"
                                 "3;2;1;-1;-1;0;0;0;0;0;0;\r\n"
                                 "4;2;1;-1;-1;0;0;0;0;0;0;\r\n"
                                 "5;2;1;-1;-1;0;0;0;0;0;0;\r\n"
                                 "6;2;1;-1;-1;0;0;0;0;0;0;\r\n"
                                 "7;2;1;-1;0;0;0;0;0;2;0;\r\n"
                                 "[Elemente]\r\n"
                                 "[Anschlüsse]\r\n2;2;A;\r\n7;2;B;\r\n"
                                 "[Maße]\r\nX7\r\nY4\r\n"
                                 "[Graphische Anschlüsse]\r\n0;1;A;\r\n\r\n"
                                 "[IC]\r\n"
                                 "[Tags]\r\nt\r\n\r\n"
                                 "[Notizen]\r\neins\r\nzwei\r\n";
    EXPECT_EQ(text, expected);
    // The pin lines of the worksheet are not touched.
    EXPECT_EQ(gICAnschlussZellen[1], "1;4;A;");
}

TEST_F(ICDefinitionFileTest, ElementPinListsAreWrittenRelativeToTheBoxAndReadBack) {
    FreshSheet(30, 12);
    ASSERT_NE(PlaceAnd(10, 6), 0);
    LayWire(4, 5, 10, 5);
    LayWire(4, 7, 10, 7);
    LayWire(12, 6, 16, 6);
    Pin(4, 5, "A", 0, 1);
    Pin(4, 7, "B", 0, 3);
    Pin(16, 6, "Q", 4, 2);
    const std::string text = Text("UND", 4, 4);
    EXPECT_EQ(gElements[1].Eingaenge.Text(), "X10Y5:X10Y7:") << "the sheet keeps its cells";
    ICDefinition def;
    ReadProblem problem;
    ASSERT_TRUE(ReadICDefinitionText(text, def, problem)) << problem.Line << " " << problem.Text;
    EXPECT_EQ(def.FeldBreite, 16);
    EXPECT_EQ(def.Elements[1].Eingaenge.Text(), "X8Y2:X8Y4:");
    EXPECT_EQ(def.Elements[1].Ausgaenge.Text(), "X10Y3:");
    EXPECT_EQ(def.PinCells[3], (GridPoint{14, 3}));
    EXPECT_EQ(def.Cells(8, 2).Typ, kTypeAnd);
    EXPECT_EQ(def.Places[3], (ICPinPlace{true, 4, 2}));
    EXPECT_TRUE(def.Nested.empty());
}

TEST_F(ICDefinitionFileTest, ADefinitionWithoutElementsHasEmptyElementAndICSections) {
    FreshSheet(10, 10);
    LayWire(3, 3, 5, 3);
    Pin(3, 3, "A", 0, 0);
    Pin(5, 3, "B", 1, 0);
    const std::string text = Text("Draht", 1, 1);
    EXPECT_NE(text.find("[Elemente]\r\n[Anschlüsse]"), std::string::npos);
    EXPECT_NE(text.find("[IC]\r\n[Tags]"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 13), "\r\n[Notizen]\r\n") << "no notes, no line";
}

TEST_F(ICDefinitionFileTest, SavableNamesArePlainFileNamesAFileCanHold) {
    const std::pair<const char*, bool> cases[] = {
        {"Addierer 4", true}, {"Zähler", true}, {"", false},       {"a/b", false},
        {"..", false},        {"x\\y", false},  {"IC-Neu", false}, {"<Name>", false},
        {"[IC]", false},      {" lead", false}, {"Ω", false},      {"a;b", false},
    };
    for (const auto& [name, ok] : cases) {
        std::string reason;
        EXPECT_EQ(IsSavableICName(name, reason), ok) << name;
        EXPECT_EQ(reason.empty(), ok) << name;
    }
}

TEST_F(ICDefinitionFileTest, AnOpenedDefinitionKeepsOnlyPlacesOnTheOutlineAndOnePinAPlace) {
    CircuitDocument doc;
    doc.Reset(10, 10);
    doc.Cells.Create(11, 11);
    doc.ICName = "X";
    doc.ICBreite = 3;
    doc.ICHoehe = 2;
    for (int k = 1; k <= 5; ++k) {
        doc.Cells(k, 1).ICPin = static_cast<std::uint8_t>(k);
        doc.ICAnschlussZellen.push_back(std::to_string(k) + ";1;P" + std::to_string(k) + ";");
    }
    doc.ICAnschluesse = {"0;1;P1;", "1;1;P2;", "0;1;P3;", "9;9;P4;"}; // P5 has no line
    doc.Tags = {"a"};
    doc.ICNotizen = "n";
    ReadProblem problem;
    ASSERT_TRUE(CheckICDefinitionSections(doc, problem)) << problem.Text;
    TakeICDefinition(doc);
    EXPECT_EQ(gICName, "X");
    EXPECT_EQ(gICBreite, 3);
    EXPECT_EQ(gAnzICAnschluesse, 5);
    EXPECT_EQ(gICAnschluesse[1], "0;1;P1;");
    EXPECT_EQ(gICAnschluesse[2], "") << "inside the package";
    EXPECT_EQ(gICAnschluesse[3], "") << "P1 holds it";
    EXPECT_EQ(gICAnschluesse[4], "") << "off the package";
    EXPECT_EQ(gICAnschluesse[5], "");
    EXPECT_EQ(gTags.size(), 6u);
    EXPECT_EQ(gTags[1], "a");
    EXPECT_EQ(gICNotizen, "n");
}

TEST_F(ICDefinitionFileTest, DefinitionSectionsThatDoNotFitTheSheetAreRefused) {
    const auto check = [](const std::function<void(CircuitDocument&)>& change) {
        CircuitDocument doc;
        doc.Reset(10, 10);
        doc.Cells.Create(11, 11);
        doc.ICName = "X";
        doc.ICBreite = 3;
        doc.ICHoehe = 2;
        doc.Cells(2, 2).ICPin = 1;
        doc.ICAnschlussZellen = {"2;2;A;"};
        change(doc);
        ReadProblem problem;
        const bool ok = CheckICDefinitionSections(doc, problem);
        return ok ? std::string() : problem.Text;
    };
    EXPECT_EQ(check([](CircuitDocument&) {}), "");
    EXPECT_NE(check([](CircuitDocument& d) { d.ICName = "a/b"; }).find("kein einfacher"),
              std::string::npos);
    EXPECT_NE(check([](CircuitDocument& d) { d.ICHoehe = 0; }).find("Gehäusegröße"),
              std::string::npos);
    EXPECT_EQ(check([](CircuitDocument& d) {
                  d.ICName = "IC-Neu";
                  d.ICHoehe = 0;
              }),
              "")
        << "a plain sheet needs no package";
    EXPECT_NE(check([](CircuitDocument& d) {
                  d.ICAnschlussZellen = {"12;2;A;"};
              }).find("trägt diese Anschlussnummer nicht"),
              std::string::npos);
    EXPECT_NE(check([](CircuitDocument& d) { d.ICAnschlussZellen = {"2;A;"}; }).find("unlesbar"),
              std::string::npos);
    EXPECT_NE(check([](CircuitDocument& d) { d.Cells(2, 2).ICPin = 2; }).find("Anschluss 1 (A)"),
              std::string::npos);
}

} // namespace
} // namespace kardo::test
