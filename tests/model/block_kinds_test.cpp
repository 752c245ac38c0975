// Block elements: the special rules of single kinds (point marks under decoders and flip-flops,
// shift-register stages, the number display's fixed orientation and reach, wires ending at
// pins, text-label removal).
#include "model/block_elements.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/placement.h"
#include "model/undo.h"
#include "support/block_builder.h"
#include "support/core_fixture.h"

#include <string>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using BlockKindsTest = test::CoreFixture;

// A wire from (x1, y) to (x2, y), x1 < x2, with answered flags between its cells; the end cell
// (x2, y) carries only its flag towards x1.
void HorizontalWire(int x1, int x2, int y) {
    for (int x = x1; x <= x2; ++x) {
        CellRecord& c = gGrid(x, y);
        c.Typ = kTypeWire;
        c.Links = TruthValue(x > x1);
        c.Rechts = TruthValue(x < x2);
    }
}

TEST_F(BlockKindsTest, WireEndingAtAPinSurvivesTheRemoval) {
    const std::uint8_t kinds[] = {kTypeHalfAdder,     kTypeDecoder,       kTypeFlipFlop,
                                  kTypeShiftRegister, kTypeNumberDisplay, kTypeClock};
    for (std::uint8_t typ : kinds) {
        SCOPED_TRACE("type " + std::to_string(typ));
        InitProgramState();
        // Ends on the cursor cell (20, 12) of an element facing right: an input or body cell of
        // its left column.
        HorizontalWire(16, 20, 12);
        ASSERT_EQ(test::PlaceBlockKind(typ, 20, 12), 1);
        EXPECT_EQ(gGrid(20, 12).Typ, typ);
        EXPECT_EQ(gGrid(20, 12).Links, kTrue);
        ASSERT_TRUE(test::RemoveBlockAt(21, 12));
        EXPECT_EQ(gGrid(20, 12).Typ, kTypeWire) << "the wire keeps its end";
        EXPECT_EQ(gGrid(20, 12).Links, kTrue);
        EXPECT_EQ(gGrid(20, 12).ElementNr, 0);
        EXPECT_EQ(gGrid(21, 12).Typ, kTypeEmpty);
    }
}

TEST_F(BlockKindsTest, DecoderAndFlipFlopClearPointMarksUnderTheBlock) {
    const std::uint8_t kinds[] = {kTypeDecoder, kTypeFlipFlop};
    for (std::uint8_t typ : kinds) {
        SCOPED_TRACE("type " + std::to_string(typ));
        InitProgramState();
        gGrid(20, 11).Punkt = kPointConnection; // J of the flip-flop, input 2 of the decoder
        gGrid(21, 12).Punkt = kPointDiode;
        ASSERT_EQ(test::PlaceBlockKind(typ, 20, 12), 1);
        for (int x = 0; x <= gFeldBreite; ++x) {
            for (int y = 0; y <= gFeldHoehe; ++y)
                EXPECT_EQ(gGrid(x, y).Punkt, 0) << x << "," << y;
        }
    }
}

TEST_F(BlockKindsTest, ShiftRegisterStartsWithEveryStageLow) {
    ASSERT_EQ(test::PlaceBlockKind(kTypeShiftRegister, 5, 5, kDown), 1);
    for (int slot = 1; slot <= 13; ++slot)
        EXPECT_EQ(gElements[1].Zustand[slot], 0) << slot;
}

TEST_F(BlockKindsTest, NumberDisplayTurnsTheOrientationRightEvenWhenRefused) {
    gCursorX = 1;
    gCursorY = 1; // refused: the top row would be -1
    gOrientierung = kUp;
    SetZAnzeige();
    EXPECT_EQ(gAnzElemente, 0);
    EXPECT_EQ(gOrientierung, kRight);

    // The next element is placed facing right until an orientation is chosen again.
    gCursorX = 10;
    gCursorY = 10;
    SetFlipFlop();
    ASSERT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gElements[1].Richtung, kRight);
}

TEST_F(BlockKindsTest, NumberDisplayMayReachTheLastRow) {
    const int h = gFeldHoehe;
    ASSERT_EQ(test::PlaceBlockKind(kTypeNumberDisplay, 10, h - 2), 1);
    for (int x = 10; x <= 14; ++x)
        EXPECT_EQ(gGrid(x, h).Typ, kTypeNumberDisplay) << x;
    EXPECT_EQ(gElements[1].Richtung, kRight);
    EXPECT_EQ(test::PlaceBlockKind(kTypeNumberDisplay, 20, h - 1), 0);
}

// A text label as the editor writes it: a run of cells on the anchor row.
std::int16_t Label(int x0, int y0, int length, const char* text) {
    ElementRecord& e = AppendElement(kTypeText);
    e.Richtung = kRight;
    e.Eingaenge = PinEntry(x0, y0);
    e.Text = text;
    for (int x = x0; x < x0 + length; ++x) {
        gGrid(x, y0).Typ = kTypeText;
        gGrid(x, y0).ElementNr = e.Nr;
    }
    return e.Nr;
}

TEST_F(BlockKindsTest, RemovingATextLabelClearsExactlyItsRun) {
    Label(5, 7, 4, "Takt");
    Label(9, 7, 3, "Ein"); // starts right behind the first
    Label(5, 8, 6, "Ausgang");
    const Grid before = gGrid;
    const std::vector<ElementRecord> records = gElements;

    ASSERT_TRUE(test::RemoveBlockAt(7, 7)); // any cell of the label
    for (int x = 5; x <= 8; ++x)
        EXPECT_EQ(gGrid(x, 7), CellRecord{}) << x;
    for (int x = 9; x <= 11; ++x) {
        EXPECT_EQ(gGrid(x, 7).Typ, kTypeText) << x;
        EXPECT_EQ(gGrid(x, 7).ElementNr, 1) << x;
    }
    EXPECT_EQ(gGrid(5, 8).ElementNr, 2);
    EXPECT_EQ(gAnzElemente, 2);
    const UndoStep& step = gUndo.Step(1);
    EXPECT_EQ(step.Description, "Text löschen");
    EXPECT_EQ((Footprint{step.X1, step.Y1, step.X2, step.Y2}), (Footprint{5, 7, 8, 7}));

    gUndo.Undo();
    EXPECT_EQ(gGrid, before);
    EXPECT_EQ(gElements, records);
}

TEST_F(BlockKindsTest, StartUpResetDropsTheDecoderClockInput) {
    gTakteingang = kTrue;
    InitProgramState();
    EXPECT_EQ(gTakteingang, kFalse);
    ASSERT_EQ(test::PlaceBlockKind(kTypeDecoder, 20, 12), 1);
    EXPECT_EQ(gElements[1].Eingaenge.Count(), 3u);
}

TEST_F(BlockKindsTest, RemovingANonElementCellDoesNothing) {
    EXPECT_FALSE(test::RemoveBlockAt(10, 10));
    gCursorX = 10;
    gCursorY = 10;
    RemoveHAVA();
    RemoveDecoder();
    RemoveMultiplexer();
    RemoveFlipFlop();
    RemoveSRegister();
    RemoveZAnzeige();
    RemoveText();
    EXPECT_EQ(gUndo.CurrentIndex(), 0);
}

} // namespace
} // namespace kardo
