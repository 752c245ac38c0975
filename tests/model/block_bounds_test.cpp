// Block elements and clocks: the cursor range in which each kind and orientation may be placed
// on a 50 x 30 sheet; one cell beyond it is refused without change and without an undo step.
#include "model/elements.h"
#include "model/grid.h"
#include "model/undo.h"
#include "support/block_builder.h"
#include "support/core_fixture.h"

#include <string>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using BlockBoundsTest = test::CoreFixture;

struct BoundsCase {
    std::uint8_t typ;
    std::uint8_t orientation;
    int xMin, xMax; // accepted cursor columns
    int yMin, yMax; // accepted cursor rows
};

// W = 50, H = 30.
const BoundsCase kBounds[] = {
    {kTypeHalfAdder, kRight, 1, 46, 2, 28},
    {kTypeHalfAdder, kLeft, 4, 49, 2, 28},
    {kTypeFullAdder, kUp, 2, 48, 4, 29},
    {kTypeFullAdder, kDown, 2, 48, 1, 26},
    {kTypeDecoder, kRight, 1, 47, 6, 25},
    {kTypeDecoder, kLeft, 3, 49, 6, 25},
    {kTypeDecoder, kDown, 5, 44, 1, 27},
    {kTypeDecoder, kUp, 5, 44, 3, 29},
    {kTypeMultiplexer, kRight, 1, 45, 3, 27},
    {kTypeMultiplexer, kLeft, 5, 49, 3, 27},
    {kTypeMultiplexer, kDown, 3, 47, 1, 25},
    {kTypeMultiplexer, kUp, 3, 47, 5, 29},
    {kTypeFlipFlop, kRight, 1, 44, 2, 28},
    {kTypeFlipFlop, kLeft, 6, 49, 2, 28},
    {kTypeFlipFlop, kDown, 2, 48, 1, 24},
    {kTypeFlipFlop, kUp, 2, 48, 6, 29},
    {kTypeShiftRegister, kRight, 1, 41, 2, 28},
    {kTypeShiftRegister, kLeft, 9, 49, 2, 28},
    {kTypeShiftRegister, kDown, 2, 48, 1, 21},
    {kTypeShiftRegister, kUp, 2, 48, 9, 29},
    // The display's bottom row may reach row H.
    {kTypeNumberDisplay, kRight, 1, 45, 3, 28},
    {kTypeNumberDisplay, kUp, 1, 45, 3, 28},
    {kTypeClock, kRight, 1, 46, 2, 28},
    {kTypeClock, kLeft, 4, 49, 2, 28},
    {kTypeClock, kUp, 2, 48, 4, 29},
    {kTypeClock, kDown, 2, 48, 1, 26},
};

TEST_F(BlockBoundsTest, AcceptedCursorRangePerOrientation) {
    for (const auto& c : kBounds) {
        const int xMid = (c.xMin + c.xMax) / 2;
        const int yMid = (c.yMin + c.yMax) / 2;
        const struct {
            int x, y;
            bool accepted;
        } probes[] = {
            {c.xMin, yMid, true},      {c.xMin - 1, yMid, false}, {c.xMax, yMid, true},
            {c.xMax + 1, yMid, false}, {xMid, c.yMin, true},      {xMid, c.yMin - 1, false},
            {xMid, c.yMax, true},      {xMid, c.yMax + 1, false},
        };
        for (const auto& p : probes) {
            SCOPED_TRACE("type " + std::to_string(c.typ) + " orientation " +
                         std::to_string(c.orientation) + " at " + std::to_string(p.x) + "," +
                         std::to_string(p.y));
            InitProgramState();
            const Grid empty = gGrid;
            const std::int16_t n = test::PlaceBlockKind(c.typ, p.x, p.y, c.orientation);
            if (p.accepted) {
                EXPECT_EQ(n, 1);
                EXPECT_FALSE(gUndo.NoUndoData());
            } else {
                EXPECT_EQ(n, 0);
                EXPECT_EQ(gGrid, empty);
                EXPECT_EQ(gUndo.CurrentIndex(), 0) << "no undo step recorded";
            }
        }
    }
}

TEST_F(BlockBoundsTest, CollisionRefusesWithoutUndoStep) {
    const std::uint8_t kinds[] = {kTypeHalfAdder,     kTypeFullAdder, kTypeDecoder,
                                  kTypeMultiplexer,   kTypeFlipFlop,  kTypeShiftRegister,
                                  kTypeNumberDisplay, kTypeClock};
    for (std::uint8_t typ : kinds) {
        SCOPED_TRACE("type " + std::to_string(typ));
        InitProgramState();
        // A flip-flop whose right edge lies in column 21 overlaps every kind placed at (20, 12).
        ASSERT_EQ(test::PlaceBlockKind(kTypeFlipFlop, 16, 12), 1);
        const Grid before = gGrid;
        const std::int16_t steps = gUndo.CurrentIndex();
        EXPECT_EQ(test::PlaceBlockKind(typ, 21, 12), 0);
        EXPECT_EQ(gGrid, before);
        EXPECT_EQ(gAnzElemente, 1);
        EXPECT_EQ(gUndo.CurrentIndex(), steps);
        EXPECT_EQ(gUndo.Step(1).Description, "FlipFlop setzen");
    }
}

} // namespace
} // namespace kardo
