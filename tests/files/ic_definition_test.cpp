// Reading IC definition files: the sections of a sound definition, and every refusal of a
// faulty one, each with its fixture, line and message.
#include "files/ic_definition.h"
#include "files/text_codec.h"
#include "model/codes.h"
#include "support/circuit_files.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

ICDefinition Read(std::string_view file) {
    ICDefinition def;
    ReadProblem problem;
    EXPECT_TRUE(ReadICDefinitionFile(test::DataFile(file), def, problem))
        << file << ": " << problem.Line << " " << problem.Text;
    return def;
}

TEST(ICDefinitionTest, TheInverterICReadsWithPinsPackageAndNotes) {
    const ICDefinition def = Read("inv.icd");
    EXPECT_EQ(def.LevelName, "inv");
    EXPECT_EQ(def.FeldBreite, 7);
    EXPECT_EQ(def.FeldHoehe, 4);
    EXPECT_EQ(def.Cells.UBoundX(), 8) << "the grid has its guard column";
    ASSERT_EQ(def.Elements.size(), 2u);
    EXPECT_EQ(def.Elements[1].Typ, kTypeInverter);
    EXPECT_EQ(def.Breite, 2);
    EXPECT_EQ(def.Hoehe, 2);
    ASSERT_EQ(def.PinCount(), 2);
    EXPECT_EQ(def.PinCells[1], (GridPoint{1, 2}));
    EXPECT_EQ(def.PinCells[2], (GridPoint{6, 2}));
    EXPECT_EQ(def.PinName(1), "E");
    EXPECT_EQ(def.PinName(2), "A");
    EXPECT_EQ(def.Places[1], (ICPinPlace{true, 0, 1}));
    EXPECT_EQ(def.Places[2], (ICPinPlace{true, 2, 1}));
    EXPECT_EQ(def.PlacedPins, 2);
    EXPECT_EQ(def.PinListIndex[2], 1);
    EXPECT_TRUE(def.Nested.empty());
    EXPECT_EQ(def.Notizen, "Ein Inverter");
}

TEST(ICDefinitionTest, NestedICsAndMultiLineNotesRunTogether) {
    const ICDefinition def = Read("inv2.icd");
    ASSERT_EQ(def.Nested.size(), 2u);
    EXPECT_EQ(def.Nested[0], (ICLine{"inv", 1}));
    EXPECT_EQ(def.Nested[1], (ICLine{"inv", 2}));
    EXPECT_EQ(def.Notizen, "Zwei Inverterin Reihe");
    // Pin cells of the nested ICs keep their level numbers for the loader.
    EXPECT_EQ(def.Cells(2, 2).ICLevel, 1);
    EXPECT_EQ(def.Cells(7, 2).ICLevel, 2);
}

// The sections may come in another order; [Graphische Anschlüsse] ends at the next header, and
// lines of [IC] and [Notizen] beginning with X or Y are not taken for the package size.
TEST(ICDefinitionTest, SectionOrderAndLookalikeLinesDoNotMatter) {
    const std::string base = DecodeFileText(test::ReadBytes(test::DataFile("inv.icd")));
    std::string moved = base;
    const std::size_t masse = moved.find("[Maße]");
    const std::string masseText = moved.substr(masse, std::string("[Maße]\r\nX2\r\nY2\r\n").size());
    moved.erase(masse, masseText.size());
    moved.insert(moved.find("[Anschlüsse]"), masseText);
    moved += "X99\r\nY99\r\n";
    ICDefinition a;
    ICDefinition b;
    ReadProblem problem;
    ASSERT_TRUE(ReadICDefinitionText(base, a, problem)) << problem.Text;
    ASSERT_TRUE(ReadICDefinitionText(moved, b, problem)) << problem.Line << problem.Text;
    EXPECT_EQ(b.Breite, 2);
    EXPECT_EQ(b.Hoehe, 2);
    EXPECT_EQ(b.PlaceLines, a.PlaceLines) << "the place lines stop at [IC]";
    EXPECT_EQ(b.PinLines, a.PinLines);
    EXPECT_EQ(b.Notizen, "Ein InverterX99Y99");
}

TEST(ICDefinitionTest, APinWithoutAPlaceHasNoEntryInThePinList) {
    std::string text = DecodeFileText(test::ReadBytes(test::DataFile("inv.icd")));
    text.replace(text.find("0;1;E;\r\n"), 8, "\r\n");
    ICDefinition def;
    ReadProblem problem;
    ASSERT_TRUE(ReadICDefinitionText(text, def, problem)) << problem.Text;
    EXPECT_FALSE(def.Places[1].Placed);
    EXPECT_EQ(def.PinListIndex[1], -1);
    EXPECT_EQ(def.PinListIndex[2], 0);
    EXPECT_EQ(def.PlacedPins, 1);
}

// Definitions whose pins lie on no wire cell, carry other pin numbers, have no place on the
// outline or share one, and ICs without pins were refused; they read, a pin whose place is off
// the outline or taken by an earlier pin having none.
TEST(ICDefinitionTest, OddPinsReadAndOnlyPinsOnFreePlacesOfTheOutlineArePlaced) {
    const struct {
        const char* file;
        std::vector<std::int16_t> listIndex; // PinListIndex 1..PinCount(), one for each pin
    } cases[] = {{"pin_not_wire.icd", {0, 1}},   {"pin_number.icd", {0, 1}},
                 {"stray_pin.icd", {0, 1}},      {"no_pins.icd", {}},
                 {"place_none.icd", {-1, -1}},   {"place_off_outline.icd", {0, -1}},
                 {"place_outside.icd", {0, -1}}, {"place_twice.icd", {0, -1}}};
    for (const auto& c : cases) {
        const ICDefinition def = Read(c.file);
        EXPECT_EQ(def.PinCount(), static_cast<int>(c.listIndex.size())) << c.file;
        EXPECT_EQ(std::vector<std::int16_t>(def.PinListIndex.begin() + 1, def.PinListIndex.end()),
                  c.listIndex)
            << c.file;
    }
}

TEST(ICDefinitionTest, FaultyDefinitionsAreRefusedWithLineAndReason) {
    struct Case {
        const char* file;
        int line;
        const char* problem;
    };
    const Case cases[] = {
        {"punkte_before_feld_bad.icd", 4, "[Punkte] steht vor [Feld]"},
        {"feld_missing_bad.icd", 0, "der Abschnitt [Feld] fehlt"},
        {"feld_size_bad.icd", 4, "Wert \"1001\" für die Breite außerhalb"},
        {"package_size_bad.icd", 18, "Wert \"1001\" für die Gehäusegröße außerhalb"},
        {"package_missing_bad.icd", 0, "die Gehäusegröße ([Maße] X und Y) fehlt"},
        {"pins_many_bad.icd", 270, "mehr als 255 Anschlüsse"},
        {"pin_outside_bad.icd", 16, "Anschluss 2 (A): Zelle (9, 2) liegt außerhalb"},
        {"place_lines_bad.icd", 0,
         "zu wenige Zeilen in [Graphische Anschlüsse]: 1 für 2 Anschlüsse"},
        {"element_cell_bad.icd", 9, "Zelle verweist auf Element 5, es gibt nur 1"},
        {"nested_name_bad.icd", 42, "IC-Name \"../inv\" ist kein einfacher Dateiname"},
        {"nested_element_bad.icd", 43, "IC \"inv\" verweist auf Element 3"},
    };
    for (const Case& c : cases) {
        ICDefinition def;
        ReadProblem problem;
        EXPECT_FALSE(ReadICDefinitionFile(test::DataFile(c.file), def, problem)) << c.file;
        EXPECT_EQ(problem.Line, c.line) << c.file << ": " << problem.Text;
        EXPECT_NE(problem.Text.find(c.problem), std::string::npos)
            << c.file << ": " << problem.Text;
    }
}

// The two readers read the lines they share differently: an [IC] line with element 0 and a
// package size of 0 passed the circuit reader's parser.
TEST(ICDefinitionTest, TheLinesBothReadersShareReadTheSame) {
    const std::string def = DecodeFileText(test::ReadBytes(test::DataFile("inv.icd")));
    for (const char* lines : {"[IC]\r\ninv;0;\r\n", "[Maße]\r\nX0\r\n", "[Feld]\r\n5;1001;\r\n"}) {
        CircuitDocument doc;
        ICDefinition ic;
        ReadProblem inCircuit, inDefinition;
        EXPECT_FALSE(ReadCircuitText(lines, 10, 10, doc, inCircuit)) << lines;
        EXPECT_FALSE(ReadICDefinitionText(lines + def, ic, inDefinition)) << lines;
        EXPECT_EQ(inCircuit.Text, inDefinition.Text) << lines;
    }
}

TEST(ICDefinitionTest, AnUnreadableFileIsRefused) {
    ICDefinition def;
    ReadProblem problem;
    EXPECT_FALSE(ReadICDefinitionFile(test::DataFile("gibt_es_nicht.icd"), def, problem));
    EXPECT_NE(problem.Text.find("konnte nicht gelesen werden"), std::string::npos);
}

} // namespace
} // namespace kardo
