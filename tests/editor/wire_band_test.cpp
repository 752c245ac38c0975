// The wire band: which legs it shows while the mouse moves, and where elements stop it.
#include "editor/gesture_state.h"
#include "editor/mouse_dispatch.h"
#include "editor/overlays.h"
#include "editor/wire_tool.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/utilities.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

struct Cell {
    int x = 0;
    int y = 0;
};

// A band leg in cells.
struct Seg {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool visible = false;
    bool operator==(const Seg&) const = default;
};

Seg CellsOf(const OverlayLine& l) {
    return {PixelToGrid(l.X1), PixelToGrid(l.Y1), PixelToGrid(l.X2), PixelToGrid(l.Y2), l.Visible};
}

void PrintTo(const Seg& s, std::ostream* os) {
    *os << "(" << s.x1 << "," << s.y1 << ")-(" << s.x2 << "," << s.y2 << ")"
        << (s.visible ? " shown" : " hidden");
}

class WireBandTest : public test::CoreFixture {
  protected:
    WireBandTest() {
        ResetMouseDispatch();
        gMouseMode = kToolWire;
    }
    void Start(Cell c) {
        gCursorX = static_cast<std::int16_t>(c.x);
        gCursorY = static_cast<std::int16_t>(c.y);
        ShowLines();
    }
    void Follow(const std::vector<Cell>& moves) {
        for (const Cell& m : moves)
            ShowTempLines(static_cast<std::int16_t>(m.x), static_cast<std::int16_t>(m.y));
    }
};

struct BandCase {
    const char* name;
    Cell start;
    std::vector<Cell> moves;
    Seg h; // LeitungH in cells
    Seg v; // LeitungV in cells
    bool pullH;
    bool pullV;
};

TEST_F(WireBandTest, LegsFollowTheMouseOnAnEmptySheet) {
    const std::vector<BandCase> cases = {
        {"along the row", {5, 5}, {{9, 5}}, {5, 5, 9, 5, true}, {5, 5, 5, 5, false}, true, false},
        {"along the column",
         {5, 5},
         {{5, 8}},
         {5, 5, 5, 5, false},
         {5, 5, 5, 8, true},
         false,
         true},
        {"row then down",
         {5, 5},
         {{9, 5}, {9, 8}},
         {5, 5, 9, 5, true},
         {9, 5, 9, 8, true},
         true,
         false},
        {"row then up",
         {5, 5},
         {{9, 5}, {9, 2}},
         {5, 5, 9, 5, true},
         {9, 5, 9, 2, true},
         true,
         false},
        {"column then right",
         {5, 5},
         {{5, 8}, {9, 8}},
         {5, 8, 9, 8, true},
         {5, 5, 5, 8, true},
         false,
         true},
        {"column then left",
         {5, 5},
         {{5, 8}, {1, 8}},
         {5, 8, 1, 8, true},
         {5, 5, 5, 8, true},
         false,
         true},
        {"diagonal first move shows nothing",
         {5, 5},
         {{7, 7}},
         {5, 5, 5, 5, true},
         {5, 5, 5, 5, true},
         false,
         false},
        {"back on the start collapses",
         {5, 5},
         {{9, 5}, {5, 5}},
         {5, 5, 5, 5, true},
         {5, 5, 5, 5, false},
         true,
         false},
        {"horizontal first holds on the start column",
         {5, 5},
         {{7, 5}, {5, 8}},
         {5, 5, 5, 5, true},
         {5, 5, 5, 8, true},
         true,
         false},
        {"to column 0", {5, 5}, {{0, 5}}, {5, 5, 0, 5, true}, {5, 5, 5, 5, false}, true, false},
    };
    for (const BandCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetMouseDispatch();
        Start(c.start);
        Follow(c.moves);
        EXPECT_EQ(CellsOf(gOverlays.LeitungH), c.h);
        EXPECT_EQ(CellsOf(gOverlays.LeitungV), c.v);
        EXPECT_EQ(gGesture.PullH, c.pullH);
        EXPECT_EQ(gGesture.PullV, c.pullV);
    }
}

TEST_F(WireBandTest, BlockingRuleTable) {
    const std::int16_t gate = test::PlaceAnd(12, 10, kRight, 3);
    ASSERT_NE(gate, 0);
    const GridPoint in0 = gElements[gate].Eingaenge.Points()[0];
    const GridPoint out = gElements[gate].Ausgaenge.Points()[0];
    const auto x = [](int v) { return static_cast<std::int16_t>(v); };
    // Free path towards the gate's first input from the left: stops on the pin.
    EXPECT_EQ(BlockedH(x(in0.x - 6), x(in0.y), x(in0.x + 4)), in0.x);
    // Moving away from the gate: free.
    EXPECT_EQ(BlockedH(x(in0.x - 6), x(in0.y), x(in0.x - 1)), kNotBlocked);
    // From the input pin into the gate: the pin's neighbour is the gate itself.
    EXPECT_EQ(BlockedH(x(in0.x), x(in0.y), x(in0.x + 3)), in0.x);
    // From the input pin away from the gate: free.
    EXPECT_EQ(BlockedH(x(in0.x), x(in0.y), x(in0.x - 5)), kNotBlocked);
    // From the output pin out to the right: free; back into the body: stops on the pin.
    EXPECT_EQ(BlockedH(x(out.x), x(out.y), x(out.x + 5)), kNotBlocked);
    EXPECT_EQ(BlockedH(x(out.x), x(out.y), x(out.x - 3)), out.x);
    // Vertically through the gate's column from above: stops on its first body cell.
    const int top = SearchElementStartY(gate);
    EXPECT_EQ(BlockedV(x(top - 4), x(in0.x + 1), x(top + 2)), top);
    EXPECT_EQ(BlockedV(x(top - 4), x(in0.x + 1), x(top - 1)), kNotBlocked);
    // Starting inside the body (not a pin): the leg cannot leave its start.
    EXPECT_EQ(BlockedV(x(top), x(in0.x + 1), x(top - 3)), top);
}

// A leg leaving a pin stops at the pin only when an element cell is the pin's direct neighbour;
// an element further along the leg stops it on that element's first cell.
TEST_F(WireBandTest, ALegLeavingAPinStopsAtItOnlyForADirectNeighbour) {
    const std::int16_t right = test::PlaceAnd(12, 10, kRight, 3);
    const std::int16_t down = test::PlaceAnd(30, 10, kDown, 3);
    ASSERT_NE(right, 0);
    ASSERT_NE(down, 0);
    const auto in = [](std::int16_t n, int k) { return gElements[n].Eingaenge.Points()[k]; };
    const auto out = [](std::int16_t n) { return gElements[n].Ausgaenge.Points()[0]; };
    const auto x = [](int v) { return static_cast<std::int16_t>(v); };
    struct Case {
        const char* name;
        GridPoint pin;
        int dx, dy;   // the leg's direction away from the pin's element
        int distance; // cells from the pin to the LED in the leg's way
    };
    const Case cases[] = {
        {"first input, LED next to it", in(right, 0), -1, 0, 1},
        {"second input, LED two cells away", in(right, 1), -1, 0, 2},
        {"third input, LED four cells away", in(right, 2), -1, 0, 4},
        {"output, LED next to it", out(right), 1, 0, 1},
        {"output, LED three cells away", out(right), 1, 0, 3},
        {"downward output, LED next to it", out(down), 0, 1, 1},
        {"downward output, LED two cells away", out(down), 0, 1, 2},
        {"upward input, LED three cells away", in(down, 0), 0, -1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int lx = c.pin.x + c.dx * c.distance;
        const int ly = c.pin.y + c.dy * c.distance;
        const std::int16_t led = test::PlaceLed(lx, ly);
        ASSERT_NE(led, 0);
        const bool horizontal = c.dy == 0;
        const int start = horizontal ? c.pin.x : c.pin.y;
        const int stop = horizontal ? lx : ly;
        const int target = start + (c.dx + c.dy) * (c.distance + 3);
        const std::int16_t want = x(c.distance == 1 ? start : stop);
        if (horizontal)
            EXPECT_EQ(BlockedH(x(start), c.pin.y, x(target)), want);
        else
            EXPECT_EQ(BlockedV(x(start), c.pin.x, x(target)), want);
        ASSERT_TRUE(test::RemoveAt(lx, ly));
        if (horizontal)
            EXPECT_EQ(BlockedH(x(start), c.pin.y, x(target)), kNotBlocked) << "LED removed";
        else
            EXPECT_EQ(BlockedV(x(start), c.pin.x, x(target)), kNotBlocked) << "LED removed";
    }
}

// Fault pinned: the blocking test answered 0 both for "free" and for "stop at column 0", so a
// leg starting on an element cell in column 0 ran straight through it.
TEST_F(WireBandTest, ElementCellInColumnZeroStopsTheLeg) {
    // Two text labels of two cells each: anchors (0, 5) and (3, 0).
    const auto label = [](int x, int y) {
        ElementRecord& e = AppendElement(kTypeText);
        e.Richtung = kRight;
        e.Eingaenge = PinEntry(x, y);
        e.Text = "A";
        for (int i = 0; i <= 1; ++i) {
            gGrid(x + i, y).Typ = kTypeText;
            gGrid(x + i, y).ElementNr = e.Nr;
        }
    };
    label(0, 5);
    label(3, 0);
    // From the anchor in column 0 towards its own second cell: stops at column 0.
    EXPECT_EQ(BlockedH(0, 5, 6), 0);
    // From the second cell of the label in row 0 (not a pin) downwards: stops at row 0.
    EXPECT_EQ(BlockedV(0, 4, 5), 0);
    // Towards column 0 from the right: stops on the label's second cell.
    EXPECT_EQ(BlockedH(3, 5, 0), 1);
    EXPECT_EQ(BlockedH(3, 6, 0), kNotBlocked);

    Start({0, 5});
    Follow({{6, 5}});
    EXPECT_EQ(CellsOf(gOverlays.LeitungH), (Seg{0, 5, 0, 5, true}));
    Start({4, 0});
    Follow({{4, 5}});
    EXPECT_EQ(CellsOf(gOverlays.LeitungV), (Seg{4, 0, 4, 0, true}));
}

TEST_F(WireBandTest, BandStopsAtTheFirstElementCellInItsWay) {
    const std::int16_t gate = test::PlaceAnd(12, 10, kRight, 3);
    ASSERT_NE(gate, 0);
    const GridPoint in0 = gElements[gate].Eingaenge.Points()[0];
    Start({in0.x - 5, in0.y});
    Follow({{in0.x + 4, in0.y}});
    EXPECT_EQ(CellsOf(gOverlays.LeitungH), (Seg{in0.x - 5, in0.y, in0.x, in0.y, true}));

    // The second leg is dropped when the corner is an element cell.
    Follow({{in0.x + 4, in0.y - 3}});
    EXPECT_EQ(CellsOf(gOverlays.LeitungH), (Seg{in0.x - 5, in0.y, in0.x, in0.y, true}));
    EXPECT_FALSE(gOverlays.LeitungV.Visible);
    EXPECT_EQ(gOverlays.LeitungV.Y1, gOverlays.LeitungV.Y2);
}

TEST_F(WireBandTest, SecondLegStopsAtAnElement) {
    const std::int16_t gate = test::PlaceAnd(12, 10, kRight, 3);
    ASSERT_NE(gate, 0);
    const int top = SearchElementStartY(gate);
    const int column = SearchElementStartX(gate) + 1;
    Start({column - 6, top - 3});
    Follow({{column, top - 3}, {column, top + 2}});
    EXPECT_EQ(CellsOf(gOverlays.LeitungV), (Seg{column, top - 3, column, top, true}));
}

} // namespace
} // namespace kardo
