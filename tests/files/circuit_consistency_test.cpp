// Consistency of a read circuit: every kind placed by its placing operation passes and owns
// exactly the footprint worked out from its pins; a consistent element loaded at any place of the
// sheet, edges included, can be drawn, simulated, removed and restored.
#include "app/main_state.h"
#include "files/circuit_consistency.h"
#include "files/circuit_file.h"
#include "files/circuit_reader.h"
#include "files/circuit_writer.h"
#include "files/new_circuit.h"
#include "model/clock_tables.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/undo.h"
#include "render/redraw.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"
#include "simulation/user_interaction.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"

#include <string>

#include <gtest/gtest.h>

namespace kardo {
namespace {

struct KindCase {
    std::uint8_t typ; // element type
    std::uint8_t o;   // orientation
    int variant;      // gate inputs, or 1 for a clocked decoder
};

std::string Name(const KindCase& c) {
    return std::string(TypeName(c.typ)) + " o" + std::to_string(c.o) + " v" +
           std::to_string(c.variant);
}

// Every kind that a circuit file holds without ICs and labels, in every orientation it has.
std::vector<KindCase> AllKinds() {
    std::vector<KindCase> cases;
    for (std::uint8_t o = kLeft; o <= kDown; ++o) {
        for (std::uint8_t typ : {kTypeAnd, kTypeOr, kTypeXor})
            for (int inputs : {2, 3, 5})
                cases.push_back({typ, o, inputs});
        for (std::uint8_t typ :
             {kTypeInverter, kTypeTriState, kTypeClock, kTypeHalfAdder, kTypeFullAdder,
              kTypeMultiplexer, kTypeFlipFlop, kTypeShiftRegister})
            cases.push_back({typ, o, 0});
        cases.push_back({kTypeDecoder, o, 0});
        cases.push_back({kTypeDecoder, o, 1});
    }
    for (std::uint8_t typ : {kTypeSwitch, kTypeLed, kTypeAnalysisPoint, kTypeNumberDisplay})
        cases.push_back({typ, kRight, 0});
    return cases;
}

// Places the case's element with its cursor cell at (x, y) on the current sheet.
std::int16_t Place(const KindCase& c, int x, int y) {
    switch (c.typ) {
    case kTypeAnd:
    case kTypeOr:
    case kTypeXor:
        return test::PlaceGate(c.typ, x, y, c.o, c.variant);
    case kTypeInverter:
        return test::PlaceInverter(x, y, c.o);
    case kTypeTriState:
        return test::PlaceTriState(x, y, c.o);
    case kTypeSwitch:
        test::LayWire(x - 3, y, x, y);
        return test::PlaceSwitch(x, y);
    case kTypeLed:
        return test::PlaceLed(x, y);
    case kTypeAnalysisPoint:
        test::LayWire(x - 3, y, x + 3, y);
        return test::PlaceAnalysisPoint(x, y);
    case kTypeDecoder:
        return test::PlaceDecoder(x, y, c.o, c.variant == 1);
    default:
        return test::PlaceBlockKind(c.typ, x, y, c.o);
    }
}

// The bounding rectangle of the cells naming element n.
Footprint CellsOf(std::int16_t n, int& count) {
    Footprint f{32767, 32767, -1, -1};
    count = 0;
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y) {
            if (gGrid(x, y).ElementNr != n)
                continue;
            ++count;
            f.X1 = std::min<std::int16_t>(f.X1, static_cast<std::int16_t>(x));
            f.Y1 = std::min<std::int16_t>(f.Y1, static_cast<std::int16_t>(y));
            f.X2 = std::max<std::int16_t>(f.X2, static_cast<std::int16_t>(x));
            f.Y2 = std::max<std::int16_t>(f.Y2, static_cast<std::int16_t>(y));
        }
    }
    return f;
}

class ConsistencyTest : public test::CoreFixture {
  protected:
    ConsistencyTest() { gAktiviert = 1; }
    test::TempDir dir; // files of the test
};

TEST_F(ConsistencyTest, EveryPlacedKindPassesAndOwnsTheFootprintOfItsPins) {
    for (const KindCase& c : AllKinds()) {
        CreateNewWorksheet(40, 30);
        const std::int16_t n = Place(c, 20, 15);
        ASSERT_GT(n, 0) << Name(c);
        Footprint f;
        ASSERT_TRUE(ElementFootprint(gElements[static_cast<std::size_t>(n)], f)) << Name(c);
        int count = 0;
        EXPECT_EQ(f, CellsOf(n, count)) << Name(c);
        EXPECT_EQ(count, (f.X2 - f.X1 + 1) * (f.Y2 - f.Y1 + 1)) << Name(c);

        CircuitDocument doc;
        CaptureCircuit(doc);
        ConsistencyProblem problem;
        EXPECT_TRUE(CheckCellsAndElements(doc, problem)) << Name(c) << ": " << problem.Text;
    }
}

// A document holding only the element of the current sheet's element n, moved by (dx, dy) on a
// sheet of the same size; clocks keep their table entry.
CircuitDocument Moved(std::int16_t n, int dx, int dy) {
    CircuitDocument doc;
    doc.Reset(gFeldBreite, gFeldHoehe);
    doc.Cells.Create(gFeldBreite + 1, gFeldHoehe + 1);
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y) {
            CellRecord c = gGrid(x, y);
            if (c.ElementNr != n)
                continue;
            c.ElementNr = 1;
            c.Links = c.Rechts = c.Oben = c.Unten = 0;
            doc.Cells(x + dx, y + dy) = c;
        }
    }
    ElementRecord e = gElements[static_cast<std::size_t>(n)];
    e.Nr = 1;
    auto shift = [&](const PinList& pins) {
        std::string text;
        for (const GridPoint p : pins.Points())
            text += PinEntry(p.x + dx, p.y + dy);
        return text;
    };
    e.Eingaenge = shift(e.Eingaenge);
    e.Ausgaenge = shift(e.Ausgaenge);
    doc.Elements.push_back(e);
    if (e.Typ == kTypeClock) {
        doc.AnzTaktgeber = 1;
        doc.TaktElement = {1};
        doc.Takte = {ClockLine{100, 100, kTrue, 1}};
    }
    return doc;
}

TEST_F(ConsistencyTest, ElementsAtTheEdgesOfTheSheetLoadDrawRunAndCanBeRemovedAndRestored) {
    for (const KindCase& c : AllKinds()) {
        CreateNewWorksheet(40, 30);
        const std::int16_t n = Place(c, 20, 15);
        ASSERT_GT(n, 0) << Name(c);
        Footprint f;
        ASSERT_TRUE(ElementFootprint(gElements[static_cast<std::size_t>(n)], f));
        const int corners[2][2] = {{-f.X1, -f.Y1}, {gFeldBreite - f.X2, gFeldHoehe - f.Y2}};
        for (const auto& d : corners) {
            CreateNewWorksheet(40, 30);
            ASSERT_GT(Place(c, 20, 15), 0);
            const CircuitDocument doc = Moved(n, d[0], d[1]);
            std::string text;
            WriteCircuitText(doc, text);
            const std::string path = dir.File("rand.kdx");
            test::WriteBytes(path, text);
            host.messages.clear();
            ASSERT_EQ(LoadFile(path), FileOutcome::Success) << Name(c) << " " << d[0];
            ASSERT_EQ(gAnzElemente, 1);

            RedrawAllElements(0);
            PowerOnOff();
            if (c.typ == kTypeSwitch) {
                gCursorX = static_cast<std::int16_t>(f.X1 + d[0]);
                gCursorY = static_cast<std::int16_t>(f.Y1 + d[1]);
                InitSwitchOn();
            }
            clock.Advance(500);
            PowerOnOff();

            const Grid loaded = gGrid;
            const int x = f.X1 + d[0];
            const int y = f.Y1 + d[1];
            ASSERT_TRUE(test::RemoveAt(x, y) || test::RemoveBlockAt(x, y)) << Name(c);
            EXPECT_EQ(gAnzElemente, 0) << Name(c) << " " << d[0];
            int count = 0;
            CellsOf(1, count);
            EXPECT_EQ(count, 0) << Name(c) << " " << d[0];
            if (c.typ != kTypeTriState) { // the one kind without undo steps
                gUndo.Undo();
                EXPECT_EQ(gAnzElemente, 1) << Name(c);
                EXPECT_EQ(gGrid, loaded) << Name(c) << " " << d[0];
            }
            RedrawAllElements(0);
        }
    }
}

TEST(ConsistencyCheckTest, TextLabelsOwnTheRunOfCellsRightOfTheirAnchor) {
    CircuitDocument doc;
    doc.Reset(20, 10);
    doc.Cells.Create(21, 11);
    ElementRecord e;
    e.Typ = kTypeText;
    e.Richtung = kRight;
    e.Nr = 1;
    e.Eingaenge = PinEntry(3, 4);
    e.Text = "Hallo";
    doc.Elements.push_back(e);
    for (int x = 3; x <= 6; ++x) {
        doc.Cells(x, 4).Typ = kTypeText;
        doc.Cells(x, 4).ElementNr = 1;
    }
    ConsistencyProblem problem;
    EXPECT_TRUE(CheckCellsAndElements(doc, problem)) << problem.Text;
    Footprint f;
    ASSERT_TRUE(ElementFootprint(doc.Elements[1], f));
    EXPECT_EQ(f, (Footprint{3, 4, 3, 4}));

    // Found by the fuzzer: a label cell away from the run stayed behind when the label was
    // removed, naming an element that was gone.
    doc.Cells(5, 5).Typ = kTypeText;
    doc.Cells(5, 5).ElementNr = 1;
    EXPECT_FALSE(CheckCellsAndElements(doc, problem));
    EXPECT_EQ(problem.Text,
              "Zelle (5, 5) gehört zu Element 1 (Text), liegt aber außerhalb seiner Fläche");
    doc.Cells(5, 5) = CellRecord{};

    // The anchor cell must be the label's.
    doc.Cells(3, 4) = CellRecord{};
    EXPECT_FALSE(CheckCellsAndElements(doc, problem));
    EXPECT_EQ(problem.Text, "Element 1 (Text): Zelle (3, 4) gehört nicht zu ihm");
    EXPECT_EQ(problem.Element, 1);
    EXPECT_EQ(problem.Cell, (GridPoint{3, 4}));
}

TEST(ConsistencyCheckTest, PinCountsSizesAndOrientations) {
    struct Case {
        const char* element; // [Elemente] line of element 1
        const char* problem; // part of the problem text
    };
    const Case cases[] = {
        {"9;2;X5Y5:;;0;1;;", "Element 1 (Inverter) hat 0 Ausgänge statt 1"},
        {"9;2;X5Y5:;X5Y5:;0;1;;", "Ausgang und Eingang fallen zusammen"},
        {"6;2;X5Y5:;X7Y6:;0;1;;", "Element 1 (UND) hat 1 Eingänge statt 2 bis 15"},
        {"16;2;X5Y5:X5Y6:X5Y7:;X7Y1:;0;1;;", "Element 1 (Decoder) hat 1 Ausgänge statt 8"},
        {"14;2;X5Y9:X5Y8:X5Y7:X5Y6:X7Y5:X8Y5:;X12Y8:;0;1;;",
         "Element 1 (Multiplexer): die Anschlüsse passen nicht zur Richtung und Größe"},
        {"6;1;X5Y5:X5Y7:;X7Y6:;0;1;2;",
         "Element 1 (UND): die Anschlüsse passen nicht zur Richtung und Größe"},
        {"19;2;X8Y3:X7Y3:X6Y3:X5Y4:X5Y5:X5Y6:;X1Y1:;0;1;;",
         "Element 1 (Ziffernanzeige) hat 1 Ausgänge statt 0"},
    };
    for (const Case& c : cases) {
        CircuitDocument doc;
        ReadProblem problem;
        const std::string text = std::string("[Feld]\n20;20;\n[Elemente]\n") + c.element + "\n";
        EXPECT_FALSE(ReadCircuitText(text, 50, 30, doc, problem)) << c.element;
        EXPECT_NE(problem.Text.find(c.problem), std::string::npos)
            << c.element << ": " << problem.Text;
        EXPECT_EQ(problem.Line, 4) << c.element;
    }
}

} // namespace
} // namespace kardo
