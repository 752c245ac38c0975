// Clock generator and full adder: recorded primitives in every orientation, the selected clock's
// body, the clock's own orientation, wired pins and the printer variants.
#include "model/codes.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "render/grafik.h"
#include "support/block_symbols.h"
#include "support/core_fixture.h"
#include "support/render_symbols.h"

namespace kardo::test {
namespace {

constexpr double kR = 14;
constexpr double kH = 7;
constexpr double kQ = 3.5;
constexpr Color kGrey = Rgb(128, 128, 128);
double P(int i) { return 14.0 * i + 7; }

const std::uint8_t kOrientations[] = {kLeft, kRight, kUp, kDown};

// The clock placed with the cursor at (x, y), at zoom 1.0 on the worksheet.
std::vector<Prim> ExpectedClock(std::uint8_t o, int x, int y) {
    switch (o) {
    case kRight:
        return {BoxP(P(x), P(y - 1) - kQ, P(x + 3), P(y + 1) + kQ),
                LineP(P(x + 3), P(y), P(x + 3) + kH, P(y)),
                TextP(P(x + 1) + kQ, P(y - 1) + kH, "T"),
                LineP(P(x + 2), P(y + 1), P(x + 2), P(y + 1) + 3 * kR / 4, kGrey),
                TextP(P(x + 1) - kH, P(y) + kR / 2.5, "Stop")};
    case kLeft:
        return {BoxP(P(x), P(y - 1) - kQ, P(x - 3), P(y + 1) + kQ),
                LineP(P(x - 3), P(y), P(x - 3) - kH, P(y)),
                TextP(P(x - 1) - 3 * kR / 4, P(y - 1) + kH, "T"),
                LineP(P(x - 2), P(y + 1), P(x - 2), P(y + 1) + 3 * kR / 4, kGrey),
                TextP(P(x - 2) + kR / 6, P(y) + kR / 2.5, "Stop")};
    case kDown:
        return {BoxP(P(x - 1) - kQ, P(y), P(x + 1) + kQ, P(y + 3)),
                LineP(P(x), P(y + 3), P(x), P(y + 3) + kH),
                TextP(P(x - 1) + 3 * kR / 4, P(y + 1), "T"),
                LineP(P(x + 1), P(y + 1), P(x + 1) + 3 * kR / 4, P(y + 1), kGrey),
                TextP(P(x) - kR / 3.5, P(y) + kQ, "Stop")};
    default:
        return {BoxP(P(x - 1) - kQ, P(y), P(x + 1) + kQ, P(y - 3)),
                LineP(P(x), P(y - 3), P(x), P(y - 3) - kH),
                TextP(P(x - 1) + 3 * kR / 4, P(y - 2), "T"),
                LineP(P(x + 1), P(y - 1), P(x + 1) + 3 * kR / 4, P(y - 1), kGrey),
                TextP(P(x) - kR / 3, P(y - 1), "Stop")};
    }
}

using BlockSymbolTest = CoreFixture;

TEST_F(BlockSymbolTest, ClockInEveryOrientationTakesItsOwnOrientation) {
    for (const std::uint8_t o : kOrientations) {
        InitProgramState();
        screen.ClearLog();
        PutClock(10, 10, o);
        gGrafik.Orientation = o == kRight ? kLeft : kRight; // overwritten from the record
        gGrafik.DrawTimer(10, 10, false);
        EXPECT_EQ(gGrafik.Orientation, o);
        EXPECT_TRUE(SamePrimitives(Primitives(screen), ExpectedClock(o, 10, 10)))
            << "orientation " << int(o);
        const auto prints = screen.CallsOf(DrawOp::Print);
        EXPECT_DOUBLE_EQ(prints.at(0).fontSize, 10.0);
        EXPECT_DOUBLE_EQ(prints.at(1).fontSize, 7.0);
    }
}

TEST_F(BlockSymbolTest, ClockFacingRightMatchesTheWorkedExample) {
    PutClock(10, 10, kRight);
    gGrafik.DrawTimer(10, 10, false);
    const auto box = screen.CallsOf(DrawOp::Box).at(0);
    EXPECT_DOUBLE_EQ(box.x1, P(10));
    EXPECT_DOUBLE_EQ(box.x2, P(13));
    const auto lines = screen.CallsOf(DrawOp::Line);
    EXPECT_DOUBLE_EQ(lines.at(0).x1, P(13));       // output stub right of cell (13, 10)
    EXPECT_DOUBLE_EQ(lines.at(1).y1, P(11));       // input stub down from the centre of (12, 11)
    EXPECT_DOUBLE_EQ(lines.at(1).y2, box.y2 + kH); // half a cell below the box
}

TEST_F(BlockSymbolTest, ClockBodyShowsTheSelection) {
    const struct {
        bool printer;
        bool border;
        Color fill;
    } cases[] = {{false, false, Rgb(255, 255, 192)},
                 {false, true, Rgb(255, 224, 192)},
                 {true, false, Rgb(255, 255, 255)},
                 {true, true, Rgb(255, 255, 255)}};
    PutClock(10, 10, kDown);
    for (const auto& c : cases) {
        RecordingTarget& target = c.printer ? printer : screen;
        target.ClearLog();
        gGrafik.Device = &target;
        gGrafik.DrawTimer(10, 10, c.border);
        EXPECT_EQ(target.CallsOf(DrawOp::Box).at(0).fillColor, c.fill) << c.printer << c.border;
    }
}

TEST_F(BlockSymbolTest, PrintedClockHasABlackStopStubAndSmallerFonts) {
    gGrafik.Device = &printer;
    PutClock(10, 10, kLeft);
    gGrafik.DrawTimer(10, 10, false);
    const auto lines = printer.CallsOf(DrawOp::Line);
    EXPECT_EQ(lines.at(0).color, 0);
    EXPECT_EQ(lines.at(1).color, 0);
    const auto prints = printer.CallsOf(DrawOp::Print);
    EXPECT_DOUBLE_EQ(prints.at(0).fontSize, 1.2);
    EXPECT_DOUBLE_EQ(prints.at(1).fontSize, 0.84);
}

TEST_F(BlockSymbolTest, ClockOutputStubIsDrawnEvenWithAWire) {
    PutClock(10, 10, kRight);
    SetWireFlag(13, 10, kRight);
    gGrafik.DrawTimer(10, 10, false);
    EXPECT_TRUE(SamePrimitives(Primitives(screen), ExpectedClock(kRight, 10, 10)));
}

TEST_F(BlockSymbolTest, ClockWhilePoweredReadsTheShownLevel) {
    PutClock(10, 10, kRight);
    gLevels[0].Feld = gGrid;
    gLevels[0].Elemente = gElements;
    gLevels[0].Elemente[1].Richtung = kUp; // differs from the worksheet on purpose
    gPowerOn = true;
    gGrafik.DrawTimer(10, 10, true);
    EXPECT_EQ(gGrafik.Orientation, kUp);
}

// The full adder with the middle of its input side at (x, y), unwired, at zoom 1.0.
std::vector<Prim> ExpectedAdder(std::uint8_t o, int x, int y) {
    switch (o) {
    case kRight:
        return {BoxP(P(x), P(y - 1) - kQ, P(x + 3), P(y + 1) + kQ),
                LineP(P(x) - kH, P(y - 1), P(x), P(y - 1)),
                LineP(P(x) - kH, P(y), P(x), P(y)),
                LineP(P(x) - kH, P(y + 1), P(x), P(y + 1)),
                LineP(P(x + 3), P(y - 1), P(x + 3) + kH, P(y - 1)),
                LineP(P(x + 3), P(y + 1), P(x + 3) + kH, P(y + 1)),
                TextP(P(x + 1) - kR / 8, P(y - 1) + kH, "VA"),
                TextP(P(x + 2) + kH, P(y - 1) - kR / 3, "s"),
                TextP(P(x + 2) + kH, P(y + 1) - kR / 1.5, "ü")};
    case kLeft:
        return {BoxP(P(x - 3), P(y - 1) - kQ, P(x), P(y + 1) + kQ),
                LineP(P(x) + kH, P(y - 1), P(x), P(y - 1)),
                LineP(P(x) + kH, P(y), P(x), P(y)),
                LineP(P(x) + kH, P(y + 1), P(x), P(y + 1)),
                LineP(P(x - 3), P(y - 1), P(x - 3) - kH, P(y - 1)),
                LineP(P(x - 3), P(y + 1), P(x - 3) - kH, P(y + 1)),
                TextP(P(x - 2) - kR / 8, P(y - 1) + kH, "VA"),
                TextP(P(x - 3) + kR / 5, P(y - 1) - kR / 3, "s"),
                TextP(P(x - 3) + kR / 5, P(y + 1) - kR / 1.5, "ü")};
    case kDown:
        return {BoxP(P(x - 1) - kQ, P(y), P(x + 1) + kQ, P(y + 3)),
                LineP(P(x - 1), P(y), P(x - 1), P(y) - kH),
                LineP(P(x), P(y), P(x), P(y) - kH),
                LineP(P(x + 1), P(y), P(x + 1), P(y) - kH),
                LineP(P(x - 1), P(y + 3), P(x - 1), P(y + 3) + kH),
                LineP(P(x + 1), P(y + 3), P(x + 1), P(y + 3) + kH),
                TextP(P(x - 1) + kR / 3, P(y), "VA"),
                TextP(P(x) + kR / 1.3, P(y + 2) + kR / 10, "s"),
                TextP(P(x - 1) - kR / 10, P(y + 2) + kR / 10, "ü")};
    default:
        return {BoxP(P(x - 1) - kQ, P(y - 3), P(x + 1) + kQ, P(y)),
                LineP(P(x - 1), P(y), P(x - 1), P(y) + kH),
                LineP(P(x), P(y), P(x), P(y) + kH),
                LineP(P(x + 1), P(y), P(x + 1), P(y) + kH),
                LineP(P(x - 1), P(y - 3), P(x - 1), P(y - 3) - kH),
                LineP(P(x + 1), P(y - 3), P(x + 1), P(y - 3) - kH),
                TextP(P(x - 1) + kR / 3, P(y - 3), "VA"),
                TextP(P(x) + kR / 1.3, P(y - 3) - kR / 10, "s"),
                TextP(P(x - 1) - kR / 10, P(y - 3) - kR / 10, "ü")};
    }
}

TEST_F(BlockSymbolTest, FullAdderInEveryOrientation) {
    for (const std::uint8_t o : kOrientations) {
        InitProgramState();
        screen.ClearLog();
        PutFullAdder(5, 5, o);
        gGrafik.Orientation = o;
        gGrafik.DrawVA(5, 5);
        EXPECT_TRUE(SamePrimitives(Primitives(screen), ExpectedAdder(o, 5, 5)))
            << "orientation " << int(o);
        const auto prints = screen.CallsOf(DrawOp::Print);
        EXPECT_DOUBLE_EQ(prints.at(0).fontSize, 10.0);
        EXPECT_DOUBLE_EQ(prints.at(1).fontSize, 8.0);
        EXPECT_EQ(screen.CallsOf(DrawOp::Box).at(0).fillColor, Rgb(255, 255, 192));
    }
}

TEST_F(BlockSymbolTest, FullAdderLeavesOutStubsOfWiredPins) {
    PutFullAdder(5, 5, kRight);
    SetWireFlag(5, 5, kLeft);
    SetWireFlag(8, 6, kRight);
    gGrafik.Orientation = kRight;
    gGrafik.DrawVA(5, 5);
    const auto e = ExpectedAdder(kRight, 5, 5);
    EXPECT_TRUE(SamePrimitives(Primitives(screen), {e[0], e[1], e[3], e[4], e[6], e[7], e[8]}));
}

TEST_F(BlockSymbolTest, PrintedFullAdderIsWhiteWithItsBoxDrawnTwice) {
    gGrafik.Device = &printer;
    PutFullAdder(5, 5, kUp);
    gGrafik.Orientation = kUp;
    gGrafik.DrawVA(5, 5);
    const auto boxes = printer.CallsOf(DrawOp::Box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].fillColor, Rgb(255, 255, 255));
    EXPECT_EQ(boxes[1].fillStyle, FillMode::Transparent);
    const auto prints = printer.CallsOf(DrawOp::Print);
    EXPECT_DOUBLE_EQ(prints.at(0).fontSize, 1.2);
    EXPECT_DOUBLE_EQ(prints.at(2).fontSize, 0.96);
}

TEST_F(BlockSymbolTest, BlocksWithoutOrientationOnlySetTheirFill) {
    gGrafik.Orientation = 0;
    gGrafik.DrawVA(5, 5);
    gGrafik.DrawTimer(5, 5, false); // no clock at the cell: the orientation stays 0
    EXPECT_TRUE(screen.Calls().empty());
    EXPECT_EQ(screen.FillStyle, FillMode::Solid);
}

} // namespace
} // namespace kardo::test
