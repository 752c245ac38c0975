// Block elements and clocks: footprint, pin order and undo texts per kind and orientation, the
// removal rectangle, and the undo round trips of placing and removing.
#include "model/clock_tables.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/placement.h"
#include "model/undo.h"
#include "render/grafik.h"
#include "support/block_builder.h"
#include "support/core_fixture.h"

#include <string>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using BlockLayoutTest = test::CoreFixture;

struct LayoutCase {
    std::uint8_t typ;
    std::uint8_t orientation;
    int x, y;     // cursor cell
    bool clocked; // decoder with the clock input T
    Footprint f;  // cells covered
    const char* in;
    const char* out;
    const char* setText;
    const char* removeText;
};

constexpr const char* kHA = "Halbaddierer setzen";
constexpr const char* kVA = "Volladdierer setzen";
constexpr const char* kHAVAx = "HA oder VA löschen";
constexpr const char* kDec = "Decoder setzen";
constexpr const char* kDecX = "Decoder löschen";
constexpr const char* kMux = "Multiplexer setzen";
constexpr const char* kMuxX = "Multiplexer löschen";
constexpr const char* kFF = "FlipFlop setzen";
constexpr const char* kFFx = "FlipFlop löschen";
constexpr const char* kSR = "Schieberegister setzen";
constexpr const char* kSRx = "Schieberegister löschen";
constexpr const char* kZA = "Ziffernanzeige setzen";
constexpr const char* kZAx = "Ziffernanzeige löschen";
constexpr const char* kClk = "Taktgeber setzen";
constexpr const char* kClkX = "Taktgeber löschen";

const LayoutCase kLayouts[] = {
    // Adders: the two outer cells of the input side, then the middle; sum and carry.
    {kTypeFullAdder,
     kRight,
     10,
     8,
     false,
     {10, 7, 13, 9},
     "X10Y7:X10Y9:X10Y8:",
     "X13Y7:X13Y9:",
     kVA,
     kHAVAx},
    {kTypeHalfAdder,
     kUp,
     10,
     8,
     false,
     {9, 5, 11, 8},
     "X11Y8:X9Y8:X10Y8:",
     "X11Y5:X9Y5:",
     kHA,
     kHAVAx},
    {kTypeHalfAdder,
     kRight,
     20,
     12,
     false,
     {20, 11, 23, 13},
     "X20Y11:X20Y13:X20Y12:",
     "X23Y11:X23Y13:",
     kHA,
     kHAVAx},
    {kTypeHalfAdder,
     kLeft,
     20,
     12,
     false,
     {17, 11, 20, 13},
     "X20Y11:X20Y13:X20Y12:",
     "X17Y11:X17Y13:",
     kHA,
     kHAVAx},
    {kTypeFullAdder,
     kUp,
     20,
     12,
     false,
     {19, 9, 21, 12},
     "X21Y12:X19Y12:X20Y12:",
     "X21Y9:X19Y9:",
     kVA,
     kHAVAx},
    {kTypeFullAdder,
     kDown,
     20,
     12,
     false,
     {19, 12, 21, 15},
     "X21Y12:X19Y12:X20Y12:",
     "X21Y15:X19Y15:",
     kVA,
     kHAVAx},
    // Decoders: inputs of weight 1, 2, 4 (the cursor cell third), T fourth; outputs 0..7.
    {kTypeDecoder,
     kRight,
     20,
     12,
     false,
     {20, 7, 22, 16},
     "X20Y10:X20Y11:X20Y12:",
     "X22Y8:X22Y9:X22Y10:X22Y11:X22Y12:X22Y13:X22Y14:X22Y15:",
     kDec,
     kDecX},
    {kTypeDecoder,
     kRight,
     20,
     12,
     true,
     {20, 7, 22, 16},
     "X20Y10:X20Y11:X20Y12:X20Y13:",
     "X22Y8:X22Y9:X22Y10:X22Y11:X22Y12:X22Y13:X22Y14:X22Y15:",
     kDec,
     kDecX},
    {kTypeDecoder,
     kLeft,
     20,
     12,
     true,
     {18, 7, 20, 16},
     "X20Y10:X20Y11:X20Y12:X20Y13:",
     "X18Y8:X18Y9:X18Y10:X18Y11:X18Y12:X18Y13:X18Y14:X18Y15:",
     kDec,
     kDecX},
    {kTypeDecoder,
     kDown,
     20,
     12,
     false,
     {16, 12, 25, 14},
     "X22Y12:X21Y12:X20Y12:",
     "X24Y14:X23Y14:X22Y14:X21Y14:X20Y14:X19Y14:X18Y14:X17Y14:",
     kDec,
     kDecX},
    {kTypeDecoder,
     kUp,
     20,
     12,
     true,
     {16, 10, 25, 12},
     "X22Y12:X21Y12:X20Y12:X19Y12:",
     "X24Y10:X23Y10:X22Y10:X21Y10:X20Y10:X19Y10:X18Y10:X17Y10:",
     kDec,
     kDecX},
    // Multiplexers: four data inputs, then the two select inputs; one output.
    {kTypeMultiplexer,
     kRight,
     20,
     12,
     false,
     {20, 10, 24, 14},
     "X20Y14:X20Y13:X20Y12:X20Y11:X22Y10:X23Y10:",
     "X24Y13:",
     kMux,
     kMuxX},
    {kTypeMultiplexer,
     kLeft,
     20,
     12,
     false,
     {16, 10, 20, 14},
     "X20Y14:X20Y13:X20Y12:X20Y11:X17Y10:X18Y10:",
     "X16Y13:",
     kMux,
     kMuxX},
    {kTypeMultiplexer,
     kDown,
     20,
     12,
     false,
     {18, 12, 22, 16},
     "X21Y12:X20Y12:X19Y12:X18Y12:X22Y14:X22Y15:",
     "X19Y16:",
     kMux,
     kMuxX},
    {kTypeMultiplexer,
     kUp,
     20,
     12,
     false,
     {18, 8, 22, 12},
     "X21Y12:X20Y12:X19Y12:X18Y12:X22Y9:X22Y10:",
     "X19Y8:",
     kMux,
     kMuxX},
    // Flip-flops: J, clock, K, set, reset; Q and not Q.
    {kTypeFlipFlop,
     kRight,
     20,
     12,
     false,
     {20, 11, 25, 13},
     "X20Y11:X20Y12:X20Y13:X22Y11:X22Y13:",
     "X25Y11:X25Y13:",
     kFF,
     kFFx},
    {kTypeFlipFlop,
     kLeft,
     20,
     12,
     false,
     {15, 11, 20, 13},
     "X20Y11:X20Y12:X20Y13:X17Y11:X17Y13:",
     "X15Y11:X15Y13:",
     kFF,
     kFFx},
    {kTypeFlipFlop,
     kDown,
     20,
     12,
     false,
     {19, 12, 21, 17},
     "X21Y12:X20Y12:X19Y12:X21Y14:X19Y14:",
     "X21Y17:X19Y17:",
     kFF,
     kFFx},
    {kTypeFlipFlop,
     kUp,
     20,
     12,
     false,
     {19, 7, 21, 12},
     "X21Y12:X20Y12:X19Y12:X21Y9:X19Y9:",
     "X21Y7:X19Y7:",
     kFF,
     kFFx},
    // Shift registers: the two outer cells of the input side, then the middle; two outputs.
    {kTypeShiftRegister,
     kRight,
     20,
     12,
     false,
     {20, 11, 28, 13},
     "X20Y11:X20Y13:X20Y12:",
     "X28Y11:X28Y13:",
     kSR,
     kSRx},
    {kTypeShiftRegister,
     kLeft,
     20,
     12,
     false,
     {12, 11, 20, 13},
     "X20Y11:X20Y13:X20Y12:",
     "X12Y11:X12Y13:",
     kSR,
     kSRx},
    {kTypeShiftRegister,
     kDown,
     20,
     12,
     false,
     {19, 12, 21, 20},
     "X21Y12:X19Y12:X20Y12:",
     "X21Y20:X19Y20:",
     kSR,
     kSRx},
    {kTypeShiftRegister,
     kUp,
     20,
     12,
     false,
     {19, 4, 21, 12},
     "X21Y12:X19Y12:X20Y12:",
     "X21Y4:X19Y4:",
     kSR,
     kSRx},
    // Number display: top row right to left, then the left column top to bottom; faces right.
    {kTypeNumberDisplay,
     kRight,
     20,
     12,
     false,
     {20, 10, 24, 14},
     "X23Y10:X22Y10:X21Y10:X20Y11:X20Y12:X20Y13:",
     "",
     kZA,
     kZAx},
    // Clocks: input point, output point.
    {kTypeClock, kRight, 20, 12, false, {20, 11, 23, 13}, "X22Y13:", "X23Y12:", kClk, kClkX},
    {kTypeClock, kLeft, 20, 12, false, {17, 11, 20, 13}, "X18Y13:", "X17Y12:", kClk, kClkX},
    {kTypeClock, kUp, 20, 12, false, {19, 9, 21, 12}, "X21Y11:", "X20Y9:", kClk, kClkX},
    {kTypeClock, kDown, 20, 12, false, {19, 12, 21, 15}, "X21Y13:", "X20Y15:", kClk, kClkX},
};

std::string Describe(const LayoutCase& c) {
    return "type " + std::to_string(c.typ) + " orientation " + std::to_string(c.orientation) +
           (c.clocked ? " clocked" : "");
}

bool Inside(const Footprint& f, int x, int y) {
    return x >= f.X1 && x <= f.X2 && y >= f.Y1 && y <= f.Y2;
}

std::int16_t Place(const LayoutCase& c) {
    return c.typ == kTypeDecoder ? test::PlaceDecoder(c.x, c.y, c.orientation, c.clocked)
                                 : test::PlaceBlockKind(c.typ, c.x, c.y, c.orientation);
}

TEST_F(BlockLayoutTest, FootprintPinsAndUndoTexts) {
    for (const auto& c : kLayouts) {
        SCOPED_TRACE(Describe(c));
        InitProgramState();
        screen.ClearLog();
        ASSERT_EQ(Place(c), 1);
        for (int x = 0; x <= gFeldBreite + 1; ++x) {
            for (int y = 0; y <= gFeldHoehe + 1; ++y) {
                const CellRecord& cell = gGrid(x, y);
                if (Inside(c.f, x, y)) {
                    EXPECT_EQ(cell.Typ, c.typ) << x << "," << y;
                    EXPECT_EQ(cell.ElementNr, 1) << x << "," << y;
                } else {
                    EXPECT_EQ(cell, CellRecord{}) << x << "," << y;
                }
            }
        }
        const ElementRecord& e = gElements[1];
        EXPECT_EQ(e.Typ, c.typ);
        EXPECT_EQ(e.Nr, 1);
        EXPECT_EQ(e.Richtung, c.orientation);
        EXPECT_EQ(e.Eingaenge.Text(), c.in);
        EXPECT_EQ(e.Ausgaenge.Text(), c.out);
        EXPECT_EQ(e.Text, "");
        EXPECT_EQ(e.Farbe, 0);

        const UndoStep& placed = gUndo.Step(1);
        EXPECT_EQ((Footprint{placed.X1, placed.Y1, placed.X2, placed.Y2}), c.f);
        EXPECT_EQ(placed.Description, c.setText);
        EXPECT_EQ(gGrafik.Orientation, c.orientation);
        EXPECT_FALSE(screen.Calls().empty()) << "the new element is drawn";
    }
}

TEST_F(BlockLayoutTest, RemovalFromAnyCellAndUndoRoundTrips) {
    for (const auto& c : kLayouts) {
        SCOPED_TRACE(Describe(c));
        InitProgramState();
        const Grid empty = gGrid;
        ASSERT_EQ(Place(c), 1);
        const Grid placedGrid = gGrid;
        const std::vector<ElementRecord> placedElements = gElements;

        // Removal from the far corner: the rectangle comes from the pins, not from the cursor.
        ASSERT_TRUE(test::RemoveBlockAt(c.f.X2, c.f.Y2));
        const UndoStep& removed = gUndo.Step(1);
        EXPECT_EQ((Footprint{removed.X1, removed.Y1, removed.X2, removed.Y2}), c.f);
        EXPECT_EQ(removed.Description, c.removeText);
        EXPECT_EQ(gAnzElemente, 0);
        EXPECT_EQ(gGrid, empty);

        gUndo.Undo(); // the removal
        EXPECT_EQ(gGrid, placedGrid);
        ASSERT_EQ(gAnzElemente, 1);
        EXPECT_EQ(gElements, placedElements);

        gUndo.Undo(); // the placing
        EXPECT_EQ(gGrid, empty);
        EXPECT_EQ(gAnzElemente, 0);
    }
}

TEST_F(BlockLayoutTest, RemovalKeepsLaterNumbersInStep) {
    // Three elements; removing the middle one renumbers the last in records and cells, and the
    // undo puts every number back.
    ASSERT_EQ(test::PlaceBlockKind(kTypeHalfAdder, 2, 3), 1);
    ASSERT_EQ(test::PlaceBlockKind(kTypeFlipFlop, 10, 3), 2);
    ASSERT_EQ(test::PlaceBlockKind(kTypeMultiplexer, 20, 4), 3);
    const Grid before = gGrid;
    ASSERT_TRUE(test::RemoveBlockAt(12, 3));
    EXPECT_EQ(gAnzElemente, 2);
    EXPECT_EQ(gElements[2].Typ, kTypeMultiplexer);
    EXPECT_EQ(gGrid(20, 4).ElementNr, 2);
    gUndo.Undo();
    EXPECT_EQ(gGrid, before);
    EXPECT_EQ(gElements[2].Typ, kTypeFlipFlop);
    EXPECT_EQ(gElements[3].Nr, 3);
}

} // namespace
} // namespace kardo
