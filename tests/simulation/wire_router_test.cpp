// The junction tables of the wire router, row by row, and the level helpers.
#include "model/codes.h"
#include "sim_test_util.h"
#include "simulation/wire_router.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::Ev;
using WireRouterTest = test::SimFixture;

constexpr int kX = 5;
constexpr int kY = 5;

// Where a continuation letter leads from (kX, kY): A ahead, U up, D down, L left, R right.
Ev Expected(char c, int richtung) {
    const int dir = c == 'A'   ? richtung
                    : c == 'U' ? kUp
                    : c == 'D' ? kDown
                    : c == 'L' ? kLeft
                               : kRight;
    const Step s = StepOf(dir);
    return {kX + s.dx, kY + s.dy, dir, kTrue};
}

struct Row {
    bool ahead;
    bool side1;                      // up for horizontal travel, left for vertical travel
    bool side2;                      // down for horizontal travel, right for vertical travel
    std::vector<std::int16_t> marks; // point marks this row is checked with
    const char* first;               // continuations for travel left (1) or up (3)
    const char* second;              // continuations for travel right (2) or down (4)
};

constexpr std::int16_t N = kPointNone;
constexpr std::int16_t P = kPointConnection;
constexpr std::int16_t D = kPointDiode;

// Horizontal travel: a connection point and a coupling diode both count as a mark.
const Row kHorizontal[] = {
    {true, false, false, {N, P, D}, "A", "A"}, {false, true, false, {N, P, D}, "U", "U"},
    {false, false, true, {N, P, D}, "D", "D"}, {false, true, true, {N}, "", ""},
    {false, true, true, {P, D}, "UD", "UD"},   {true, true, false, {N}, "A", "A"},
    {true, true, false, {P, D}, "AU", "AU"},   {true, false, true, {N}, "A", "A"},
    {true, false, true, {P, D}, "AD", "AD"},   {true, true, true, {N}, "A", "A"},
    {true, true, true, {P, D}, "AUD", "AUD"},  {false, false, false, {N, P, D}, "", ""},
};

// Vertical travel: only a connection point counts; a coupling diode acts as no mark.
const Row kVertical[] = {
    {true, false, false, {N, P, D}, "A", "A"}, {false, true, false, {N, P, D}, "L", "L"},
    {false, false, true, {N, P, D}, "R", "R"}, {false, true, true, {N, D}, "", ""},
    {false, true, true, {P}, "LR", "LR"},      {true, true, false, {N, D}, "A", "A"},
    {true, true, false, {P}, "AL", "AL"},      {true, false, true, {N, D}, "A", "A"},
    {true, false, true, {P}, "AR", "RA"},      {true, true, true, {N, D}, "A", "A"},
    {true, true, true, {P}, "LRA", "LRA"},     {false, false, false, {N, P, D}, "", ""},
};

// Builds the junction cell for travel in richtung: the wire behind (where the level came from)
// always exists, the others as the row says.
void MakeCell(CellRecord& c, int richtung, const Row& row, std::int16_t mark) {
    c = CellRecord{};
    c.Typ = kTypeWire;
    c.Punkt = mark;
    const std::int16_t t = kTrue;
    switch (richtung) {
    case kLeft: // came from the right
        c.Rechts = t, c.Links = row.ahead ? t : 0, c.Oben = row.side1 ? t : 0,
        c.Unten = row.side2 ? t : 0;
        break;
    case kRight:
        c.Links = t, c.Rechts = row.ahead ? t : 0, c.Oben = row.side1 ? t : 0,
        c.Unten = row.side2 ? t : 0;
        break;
    case kUp: // came from below
        c.Unten = t, c.Oben = row.ahead ? t : 0, c.Links = row.side1 ? t : 0,
        c.Rechts = row.side2 ? t : 0;
        break;
    case kDown:
        c.Oben = t, c.Unten = row.ahead ? t : 0, c.Links = row.side1 ? t : 0,
        c.Rechts = row.side2 ? t : 0;
        break;
    }
}

void CheckTable(const Row* rows, std::size_t count, int first, int second) {
    for (std::size_t r = 0; r < count; ++r) {
        const Row& row = rows[r];
        for (const std::int16_t mark : row.marks) {
            for (const int richtung : {first, second}) {
                const char* letters = richtung == first ? row.first : row.second;
                CellRecord& c = gLevels[0].Feld(kX, kY);
                MakeCell(c, richtung, row, mark);
                gNextEventQueue.clear();
                PropagateJunction(kX, kY, richtung, 1, 0);
                std::vector<Ev> expected;
                bool side = false;
                for (const char* p = letters; *p; ++p) {
                    expected.push_back(Expected(*p, richtung));
                    side |= *p != 'A';
                }
                const std::vector<Ev> got = test::NextEvents();
                EXPECT_EQ(got, expected) << "row " << r + 1 << " mark " << mark << " richtung "
                                         << richtung << ": " << test::ToString(got);
                // The side wire of the cell follows the level exactly when a side continuation
                // was queued.
                const bool horizontal = richtung == kLeft || richtung == kRight;
                const std::int16_t sideLevel = horizontal ? c.PegelV : c.PegelH;
                EXPECT_EQ(sideLevel, side ? kTrue : kFalse) << "row " << r + 1 << " mark " << mark;
            }
        }
    }
}

TEST_F(WireRouterTest, HorizontalJunctionTable) {
    HandLevel(10, 10);
    CheckTable(kHorizontal, std::size(kHorizontal), kLeft, kRight);
}

TEST_F(WireRouterTest, VerticalJunctionTable) {
    HandLevel(10, 10);
    CheckTable(kVertical, std::size(kVertical), kUp, kDown);
}

TEST_F(WireRouterTest, LevelZeroIsRoutedAsZero) {
    HandLevel(10, 10);
    Wire(kX, kY, "LRU", kPointConnection);
    PropagateJunction(kX, kY, kRight, 0, 0);
    EXPECT_EQ(test::NextEvents(),
              (std::vector<Ev>{{kX + 1, kY, kRight, 0}, {kX, kY + 1, kDown, 0}}));
}

TEST_F(WireRouterTest, DirectionOutsideOneToFourQueuesNothing) {
    HandLevel(10, 10);
    Wire(kX, kY, "LORU", kPointConnection);
    PropagateJunction(kX, kY, 0, 1, 0);
    PropagateJunction(kX, kY, 5, 1, 0);
    EXPECT_TRUE(gNextEventQueue.empty());
}

TEST_F(WireRouterTest, NeighbourLevelAtTheEdges) {
    HandLevel(10, 10);
    Cell(0, 3).Pegel = kTrue;
    Cell(1, 3).Pegel = kTrue;
    Cell(3, 1).Pegel = kTrue;
    EXPECT_FALSE(NeighbourLevel(0, 3, kLeft, 0)); // column 0, leftwards: outside
    EXPECT_FALSE(NeighbourLevel(3, 0, kUp, 0));   // row 0, upwards: outside
    EXPECT_TRUE(NeighbourLevel(0, 3, kRight, 0));
    EXPECT_TRUE(NeighbourLevel(3, 0, kDown, 0));
    EXPECT_TRUE(NeighbourLevel(2, 3, kLeft, 0));
    EXPECT_FALSE(NeighbourLevel(2, 3, kRight, 0));
    EXPECT_FALSE(NeighbourLevel(1, 3, 0, 0));
    EXPECT_FALSE(NeighbourLevel(1, 3, 7, 0));
    // The worksheet's size bounds every level: beyond column W is outside.
    HandLevel(60, 10);
    Cell(gFeldBreite + 1, 3).Pegel = kTrue;
    Cell(gFeldBreite - 1, 3).Pegel = kTrue;
    EXPECT_TRUE(NeighbourLevel(gFeldBreite, 3, kLeft, 0));
    EXPECT_FALSE(NeighbourLevel(gFeldBreite, 3, kRight, 0));
}

TEST_F(WireRouterTest, NeighbourLevelOfALevelSmallerThanTheSheet) {
    HandLevel(10, 10);
    gLevels.resize(2);
    gLevels[1].Feld.Create(4, 4);
    gLevels[1].MaxX = gLevels[1].MaxY = 3;
    // Inside the worksheet but outside level 1's grid: no level there, no read past the grid.
    EXPECT_FALSE(NeighbourLevel(4, 2, kRight, 1));
    EXPECT_FALSE(NeighbourLevel(2, 2, kRight, 9));
}

TEST_F(WireRouterTest, SetDirectionLevelPicksTheAxis) {
    HandLevel(10, 10);
    struct Case {
        int richtung;
        std::int16_t h;
        std::int16_t v;
    };
    for (const Case c : {Case{kLeft, kTrue, 0}, Case{kRight, kTrue, 0}, Case{kUp, 0, kTrue},
                         Case{kDown, 0, kTrue}, Case{0, 0, 0}, Case{9, 0, 0}}) {
        Cell(2, 2) = CellRecord{};
        SetDirectionLevel(0, 2, 2, c.richtung, kTrue);
        EXPECT_EQ(Cell(2, 2).PegelH, c.h) << c.richtung;
        EXPECT_EQ(Cell(2, 2).PegelV, c.v) << c.richtung;
        EXPECT_EQ(Cell(2, 2).Pegel, 0);
    }
    SetDirectionLevel(0, 99, 2, kLeft, kTrue); // outside the grid: nothing
    SetDirectionLevel(4, 2, 2, kLeft, kTrue);  // no such level: nothing
}

} // namespace
} // namespace kardo
