// Switch and LED placing and removing, with their 3 x 3 undo steps.
#include "model/basic_elements.h"
#include "model/placement.h"
#include "model/undo.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using SwitchLedTest = test::CoreFixture;

struct SwitchCase {
    const char* what;
    int wireFromX, wireFromY, wireToX, wireToY; // wire laid first (from == to: bare cell)
    int x, y;                                   // switch cell
    bool placed;
};

TEST_F(SwitchLedTest, SwitchOnlyOnAWireEndOrBareWireCell) {
    const SwitchCase cases[] = {
        {"wire end", 5, 5, 9, 5, 5, 5, true},       {"other wire end", 5, 5, 9, 5, 9, 5, true},
        {"bare wire cell", 5, 5, 5, 5, 5, 5, true}, {"middle of a wire", 5, 5, 9, 5, 7, 5, false},
        {"corner", 5, 5, 9, 9, 9, 5, false},        {"empty cell", 5, 5, 9, 5, 5, 8, false},
        {"column 0", 0, 5, 3, 5, 0, 5, false},      {"row 0", 5, 0, 5, 3, 5, 0, false},
        {"column W", 47, 5, 50, 5, 50, 5, false},   {"row H", 5, 27, 5, 30, 5, 30, false},
    };
    for (const SwitchCase& c : cases) {
        InitProgramState();
        test::LayWire(c.wireFromX, c.wireFromY, c.wireToX, c.wireToY);
        const test::SheetState before = test::CaptureSheet();
        gOrientierung = kUp;
        const std::int16_t n = test::PlaceSwitch(c.x, c.y);
        EXPECT_EQ(n != 0, c.placed) << c.what;
        if (!c.placed) {
            EXPECT_EQ(test::CaptureSheet(), before) << c.what;
            EXPECT_TRUE(gUndo.NoUndoData()) << c.what;
            continue;
        }
        const ElementRecord& e = gElements[static_cast<std::size_t>(n)];
        const std::string pin = PinEntry(c.x, c.y);
        EXPECT_EQ(e.Typ, kTypeSwitch);
        EXPECT_EQ(e.Richtung, kRight) << "a switch is always orientation 2";
        EXPECT_EQ(e.Eingaenge.Text(), pin);
        EXPECT_EQ(e.Ausgaenge.Text(), pin);
        EXPECT_EQ(gGrid(c.x, c.y).Typ, kTypeSwitch);
        EXPECT_EQ(gGrid(c.x, c.y).ElementNr, n);
        const UndoStep& s = gUndo.Step(1);
        EXPECT_EQ(s.Description, "Schalter setzen");
        EXPECT_EQ(s.X1, c.x - 1);
        EXPECT_EQ(s.Y2, c.y + 1);
    }
}

TEST_F(SwitchLedTest, RemovingASwitchLeavesTheWireEnd) {
    test::LayWire(5, 5, 9, 5);
    test::PlaceSwitch(5, 5);
    const test::SheetState placed = test::CaptureSheet();
    test::RemoveAt(5, 5);
    EXPECT_EQ(gAnzElemente, 0);
    EXPECT_EQ(gGrid(5, 5).Typ, kTypeWire);
    EXPECT_EQ(gGrid(5, 5).Rechts, kTrue);
    EXPECT_EQ(gUndo.Step(1).Description, "Schalter löschen");
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), placed);
}

TEST_F(SwitchLedTest, LedRecordCellAndColour) {
    gFarbe = Rgb(0, 255, 0);
    const std::int16_t n = test::PlaceLed(10, 10, Rgb(0, 255, 0));
    ASSERT_EQ(n, 1);
    const ElementRecord& e = gElements[1];
    EXPECT_EQ(e.Typ, kTypeLed);
    EXPECT_EQ(e.Richtung, 0);
    EXPECT_EQ(e.Eingaenge.Text(), "X10Y10:");
    EXPECT_EQ(e.Ausgaenge.Text(), "");
    EXPECT_EQ(e.Farbe, Rgb(0, 255, 0));
    EXPECT_EQ(gGrid(10, 10).Punkt, kPointConnection);
    EXPECT_EQ(gUndo.Step(1).Description, "Diode setzen");
    gFarbe = Rgb(0, 0, 255); // changing the panel later does not change the LED
    EXPECT_EQ(gElements[1].Farbe, Rgb(0, 255, 0));
}

TEST_F(SwitchLedTest, LedAcceptsEmptyWireAndLedCellsOnly) {
    test::LayWire(5, 5, 9, 5);
    EXPECT_NE(test::PlaceLed(7, 5), 0);   // wire
    EXPECT_NE(test::PlaceLed(12, 12), 0); // empty
    EXPECT_EQ(test::PlaceLed(0, 12), 0);  // column 0
    EXPECT_EQ(test::PlaceLed(12, 30), 0); // row H
    test::PlaceAnd(20, 10);
    const test::SheetState before = test::CaptureSheet();
    EXPECT_EQ(test::PlaceLed(20, 10), 0); // gate cell
    EXPECT_EQ(test::CaptureSheet(), before);
}

TEST_F(SwitchLedTest, NeighbouringLedsAreJoinedWiresAreNot) {
    test::LayWire(8, 10, 9, 10); // a plain wire ending left of the LEDs
    test::PlaceLed(10, 10);
    test::PlaceLed(11, 10);
    test::PlaceLed(11, 11);
    EXPECT_EQ(gGrid(10, 10).Rechts, kTrue);
    EXPECT_EQ(gGrid(11, 10).Links, kTrue);
    EXPECT_EQ(gGrid(11, 10).Unten, kTrue);
    EXPECT_EQ(gGrid(11, 11).Oben, kTrue);
    EXPECT_EQ(gGrid(10, 10).Links, kFalse) << "the wire is not joined by the LED placing";
    EXPECT_EQ(gGrid(9, 10).Rechts, kFalse);
}

TEST_F(SwitchLedTest, SettingAnLedOnAnLedKeepsOneRecord) {
    // Fault pinned: placing an LED on an LED appended a second record and left the first one
    // without any cell.
    test::PlaceLed(10, 10, Rgb(255, 0, 0));
    const test::SheetState before = test::CaptureSheet();
    test::PlaceLed(10, 10, Rgb(0, 0, 255));
    EXPECT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gGrid(10, 10).ElementNr, 1);
    EXPECT_EQ(gElements[1].Farbe, Rgb(0, 0, 255));
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), before);
    EXPECT_EQ(gElements[1].Farbe, Rgb(255, 0, 0));
}

TEST_F(SwitchLedTest, RemovingAnLedEmptiesOrLeavesAWireCell) {
    test::PlaceLed(10, 10);
    test::PlaceLed(11, 10);
    test::RemoveAt(11, 10); // neighbours empty or LEDs: emptied completely
    EXPECT_EQ(gGrid(11, 10), CellRecord{});
    EXPECT_EQ(gUndo.Step(1).Description, "Diode löschen");

    InitProgramState();
    test::LayWire(5, 10, 10, 10);
    test::PlaceLed(10, 10);
    screen.ClearLog();
    test::RemoveAt(10, 10); // a wire neighbour: stays a wire cell without the point
    EXPECT_EQ(gGrid(10, 10).Typ, kTypeWire);
    EXPECT_EQ(gGrid(10, 10).Punkt, 0);
    EXPECT_EQ(gGrid(10, 10).Links, kTrue);
    EXPECT_EQ(gGrid(10, 10).ElementNr, 0);
    // The symbol was painted over with a white box on the worksheet picture.
    const auto boxes = screen.CallsOf(DrawOp::Box);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.front().x1, 147 - 14);
    EXPECT_EQ(boxes.front().x2, 147 + 14);
    EXPECT_EQ(boxes.front().fillColor, Rgb(255, 255, 255));
}

TEST_F(SwitchLedTest, RemovingAnLedLeavesNoFlagIntoAnEmptiedCell) {
    // Fault pinned: removing an LED left its joined LEDs with wire flags into the emptied cell.
    test::PlaceLed(10, 10);
    test::PlaceLed(11, 10);
    test::PlaceLed(11, 11);
    test::RemoveAt(11, 10);
    EXPECT_EQ(gGrid(11, 10), CellRecord{});
    EXPECT_EQ(gGrid(10, 10).Rechts, kFalse);
    EXPECT_EQ(gGrid(11, 11).Oben, kFalse);
    EXPECT_EQ(test::SheetInconsistency(), "");

    // A wire that ends beside the LED without being joined to it does not keep the cell.
    InitProgramState();
    test::LayWire(8, 10, 9, 10);
    test::PlaceLed(10, 10);
    test::PlaceLed(11, 10);
    test::RemoveAt(10, 10);
    EXPECT_EQ(gGrid(10, 10), CellRecord{});
    EXPECT_EQ(gGrid(11, 10).Links, kFalse);
    EXPECT_EQ(test::SheetInconsistency(), "");
    gUndo.Undo();
    EXPECT_EQ(gGrid(10, 10).Typ, kTypeLed);
    EXPECT_EQ(gGrid(11, 10).Links, kTrue);

    // A joined wire keeps the cell as a wire cell; its flag towards the removed LED's
    // unjoined neighbours goes.
    InitProgramState();
    test::LayWire(5, 10, 10, 10);
    test::PlaceLed(10, 10);
    test::PlaceLed(10, 11);
    test::RemoveAt(10, 10);
    EXPECT_EQ(gGrid(10, 10).Typ, kTypeWire);
    EXPECT_EQ(gGrid(10, 10).Links, kTrue);
    EXPECT_EQ(test::SheetInconsistency(), "");
}

TEST_F(SwitchLedTest, UndoingAThreeByThreeStepDoesNotDuplicateNeighbours) {
    // Fault pinned: the 3 x 3 step of a switch, LED or point keeps copies of neighbouring
    // elements; undoing it inserted those copies again as duplicate records.
    test::PlaceAnd(5, 5, kRight, 3); // covers (5,4)-(7,6), output (7,5)
    test::LayWire(8, 5, 12, 5);
    test::PlaceInverter(8, 7, kRight); // (8,7)-(9,7)
    const test::SheetState before = test::CaptureSheet();

    test::PlaceSwitch(8, 5); // its 3 x 3 covers gate and inverter cells
    ASSERT_EQ(gAnzElemente, 3);
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), before);

    test::PlaceLed(8, 6);
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), before);

    test::PlaceSwitch(8, 5);
    const test::SheetState withSwitch = test::CaptureSheet();
    test::RemoveAt(8, 5);
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), withSwitch);
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), before);
}

} // namespace
} // namespace kardo
