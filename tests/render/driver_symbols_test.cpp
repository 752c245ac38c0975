// Inverter and tri-state driver: recorded primitives in every orientation, zoom roundings, wired
// pins and the printer variants.
#include "model/codes.h"
#include "model/grid.h"
#include "render/grafik.h"
#include "support/block_symbols.h"
#include "support/core_fixture.h"
#include "support/render_symbols.h"

#include <cmath>

namespace kardo::test {
namespace {

constexpr double kR = 14;
constexpr double kH = 7;
double P(int i) { return 14.0 * i + 7; }
double CInt(double v) { return std::nearbyint(v); }

const std::uint8_t kOrientations[] = {kLeft, kRight, kUp, kDown};

// The inverter with its input at (x, y), at zoom 1.0, from the symbol's table.
std::vector<Prim> ExpectedInverter(std::uint8_t o, int x, int y) {
    const double x0 = P(x), y0 = P(y);
    double bx1 = 0, by1 = 0, bx2 = 0, by2 = 0, cx = 0, cy = 0, lx = 0, ly = 0;
    Prim out;
    switch (o) {
    case kRight:
        out = LineP(P(x + 1), y0, P(x + 1) + kR / 1.5, y0);
        bx1 = x0, by1 = CInt(y0 - kR / 3), bx2 = CInt(x0 + 0.75 * kR), by2 = CInt(y0 + kR / 3);
        cx = CInt(bx2 + 3), cy = y0, lx = CInt(x0 + kR / 4), ly = CInt(y0 - kR / 3);
        break;
    case kLeft:
        out = LineP(P(x - 1), y0, P(x - 1) - kR / 1.5, y0);
        bx1 = x0, by1 = CInt(y0 + kR / 3), bx2 = CInt(x0 - 0.75 * kR), by2 = CInt(y0 - kR / 3);
        cx = CInt(bx2 - 3), cy = y0, lx = CInt(x0 - kR / 2), ly = CInt(y0 - kR / 3);
        break;
    case kDown:
        out = LineP(x0, P(y + 1), x0, P(y + 1) + kR / 1.5);
        bx1 = CInt(x0 - kR / 3), by1 = y0, bx2 = CInt(x0 + kR / 3), by2 = CInt(y0 + 0.75 * kR);
        cx = x0, cy = CInt(by2 + 3), lx = CInt(x0 - kR / 8), ly = CInt(y0 + kR / 10);
        break;
    default:
        out = LineP(x0, P(y - 1), x0, P(y - 1) - kR / 1.5);
        bx1 = CInt(x0 + kR / 3), by1 = y0, bx2 = CInt(x0 - kR / 3), by2 = CInt(y0 - 0.75 * kR);
        cx = x0, cy = CInt(by2 - 3), lx = CInt(x0 - kR / 8), ly = CInt(y0 - kR / 1.5);
        break;
    }
    return {out, CircleP(cx, cy, 3), BoxP(bx1, by1, bx2, by2), TextP(lx, ly, "1")};
}

using DriverSymbolTest = CoreFixture;

TEST_F(DriverSymbolTest, InverterInEveryOrientation) {
    for (const std::uint8_t o : kOrientations) {
        InitProgramState();
        screen.ClearLog();
        PutInverter(10, 10, o);
        gGrafik.Orientation = o;
        gGrafik.DrawInverter(10, 10);
        EXPECT_TRUE(SamePrimitives(Primitives(screen), ExpectedInverter(o, 10, 10)))
            << "orientation " << int(o);
        EXPECT_EQ(screen.CallsOf(DrawOp::Box).at(0).fillColor, Rgb(192, 255, 192));
        EXPECT_EQ(screen.CallsOf(DrawOp::Circle).at(0).fillColor, Rgb(192, 255, 192));
        EXPECT_DOUBLE_EQ(screen.CallsOf(DrawOp::Print).at(0).fontSize, 6.0);
    }
}

TEST_F(DriverSymbolTest, InverterFacingRightAtZoomOne) {
    gGrafik.Orientation = kRight;
    gGrafik.DrawInverter(10, 10);
    const DrawCall box = screen.CallsOf(DrawOp::Box).at(0);
    EXPECT_DOUBLE_EQ(box.x1, 147);
    EXPECT_DOUBLE_EQ(box.x2, 147 + 11); // 10.5 rounds to the even neighbour
    EXPECT_DOUBLE_EQ(box.y1, 147 - 5);
    EXPECT_DOUBLE_EQ(box.y2, 147 + 5);
    const DrawCall circle = screen.CallsOf(DrawOp::Circle).at(0);
    EXPECT_DOUBLE_EQ(circle.x1, P(11)); // on the output cell's centre
}

TEST_F(DriverSymbolTest, InverterFacingRightAtZoomPointSix) {
    gGrafik.GridMode = 0.6f;
    gGrafik.Orientation = kRight;
    gGrafik.DrawInverter(10, 10);
    const double x0 = GridToPixel(10);
    EXPECT_DOUBLE_EQ(screen.CallsOf(DrawOp::Box).at(0).x2, x0 + 6);
    const DrawCall circle = screen.CallsOf(DrawOp::Circle).at(0);
    EXPECT_DOUBLE_EQ(circle.x1, x0 + 8);
    EXPECT_NEAR(circle.x2, 1.8, 1e-6);
}

TEST_F(DriverSymbolTest, InverterLooksTheSameWithWiresAttached) {
    PutInverter(10, 10, kRight);
    gGrafik.Orientation = kRight;
    gGrafik.DrawInverter(10, 10);
    const auto bare = Primitives(screen);
    screen.ClearLog();
    SetWireFlag(10, 10, kLeft);
    SetWireFlag(11, 10, kRight);
    gGrafik.DrawInverter(10, 10);
    EXPECT_EQ(Primitives(screen).size(), bare.size());
}

TEST_F(DriverSymbolTest, PrintedInverterIsWhiteWithItsBoxDrawnTwice) {
    gGrafik.Device = &printer;
    gGrafik.Orientation = kDown;
    gGrafik.DrawInverter(10, 10);
    const auto boxes = printer.CallsOf(DrawOp::Box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].fillColor, Rgb(255, 255, 255));
    EXPECT_EQ(boxes[1].fillStyle, FillMode::Transparent);
    EXPECT_EQ(printer.CallsOf(DrawOp::Circle).at(0).fillColor, Rgb(255, 255, 255));
    EXPECT_DOUBLE_EQ(printer.CallsOf(DrawOp::Print).at(0).fontSize, 0.62);
    EXPECT_EQ(printer.Calls().back().op, DrawOp::Box);
}

// Fault pinned: an inverter without a valid orientation painted a circle, a box and "1" at the
// picture's top-left corner.
TEST_F(DriverSymbolTest, InverterWithoutOrientationDrawsNothing) {
    gGrafik.Orientation = 0;
    gGrafik.DrawInverter(10, 10);
    EXPECT_TRUE(Primitives(screen).empty());
}

// The tri-state driver anchored between its inputs at (x, y), unwired, at zoom 1.0.
std::vector<Prim> ExpectedTriState(std::uint8_t o, int x, int y) {
    switch (o) {
    case kRight:
        return {BoxP(P(x), P(y - 1) - kR / 4, P(x + 2), P(y + 1) + kR / 4),
                LineP(P(x) - kH, P(y - 1), P(x), P(y - 1)),
                LineP(P(x) - kH, P(y + 1), P(x), P(y + 1)),
                LineP(P(x + 2), P(y), P(x + 2) + kH, P(y)),
                LineP(P(x) + kH, P(y - 1) + kH, P(x + 1) + kR / 1.7, P(y)),
                LineP(P(x) + kH, P(y + 1) - kH, P(x + 1) + kR / 1.7, P(y)),
                LineP(P(x) + kH, P(y - 1) + kH, P(x) + kH, P(y + 1) - kH),
                TextP(P(x) + kR / 5, P(y) + kH, "s")};
    case kLeft:
        return {BoxP(P(x), P(y - 1) - kR / 4, P(x - 2), P(y + 1) + kR / 4),
                LineP(P(x) + kH, P(y - 1), P(x), P(y - 1)),
                LineP(P(x) + kH, P(y + 1), P(x), P(y + 1)),
                LineP(P(x - 2), P(y), P(x - 2) - kH, P(y)),
                LineP(P(x) - kR / 1.7, P(y - 1) + kH, P(x - 1) - kH, P(y)),
                LineP(P(x) - kR / 1.7, P(y + 1) - kH, P(x - 1) - kH, P(y)),
                LineP(P(x) - kR / 1.7, P(y - 1) + kH, P(x) - kR / 1.7, P(y + 1) - kH),
                TextP(P(x) - kH, P(y + 1) - kH, "s")};
    case kDown:
        return {BoxP(P(x - 1) - kR / 4, P(y), P(x + 1) + kR / 4, P(y + 2)),
                LineP(P(x - 1), P(y), P(x - 1), P(y) - kH),
                LineP(P(x + 1), P(y), P(x + 1), P(y) - kH),
                LineP(P(x), P(y + 2), P(x), P(y + 2) + kH),
                LineP(P(x - 1) + kH, P(y + 1) - kH, P(x), P(y + 1) + kH),
                LineP(P(x) + kH, P(y + 1) - kH, P(x), P(y + 1) + kH),
                LineP(P(x - 1) + kH, P(y + 1) - kH, P(x) + kH, P(y + 1) - kH),
                TextP(P(x + 1) - kR / 4, P(y), "s")};
    default:
        return {BoxP(P(x - 1) - kR / 4, P(y), P(x + 1) + kR / 4, P(y - 2)),
                LineP(P(x - 1), P(y), P(x - 1), P(y) + kH),
                LineP(P(x + 1), P(y), P(x + 1), P(y) + kH),
                LineP(P(x), P(y - 2), P(x), P(y - 2) - kH),
                LineP(P(x - 1) + kH, P(y - 1) + kH, P(x), P(y - 1) - kH),
                LineP(P(x + 1) - kH, P(y - 1) + kH, P(x), P(y - 1) - kH),
                LineP(P(x - 1) + kH, P(y - 1) + kH, P(x + 1) - kH, P(y - 1) + kH),
                TextP(P(x + 1) - kR / 4, P(y - 1) + kR / 5, "s")};
    }
}

TEST_F(DriverSymbolTest, TriStateInEveryOrientation) {
    for (const std::uint8_t o : kOrientations) {
        InitProgramState();
        screen.ClearLog();
        PutTriState(10, 10, o);
        gGrafik.Orientation = o;
        gGrafik.DrawTriState(10, 10);
        EXPECT_TRUE(SamePrimitives(Primitives(screen), ExpectedTriState(o, 10, 10)))
            << "orientation " << int(o);
        const auto tip = screen.CallsOf(DrawOp::PSet);
        ASSERT_EQ(tip.size(), 1u);
        const Prim tipLine = ExpectedTriState(o, 10, 10)[4];
        EXPECT_DOUBLE_EQ(tip[0].x1, tipLine.x2);
        EXPECT_DOUBLE_EQ(tip[0].y1, tipLine.y2);
        EXPECT_EQ(tip[0].color, 0);
        EXPECT_DOUBLE_EQ(screen.CallsOf(DrawOp::Print).at(0).fontSize, 7.0);
    }
}

TEST_F(DriverSymbolTest, TriStateIsYellowAlsoOnThePrinter) {
    gGrafik.Device = &printer;
    PutTriState(10, 10, kRight);
    gGrafik.Orientation = kRight;
    gGrafik.DrawTriState(10, 10);
    EXPECT_EQ(printer.CallsOf(DrawOp::Box).at(0).fillColor, Rgb(255, 255, 192));
    EXPECT_EQ(printer.CallsOf(DrawOp::Box).size(), 1u);
    EXPECT_DOUBLE_EQ(printer.CallsOf(DrawOp::Print).at(0).fontSize, 7.0);
}

TEST_F(DriverSymbolTest, TriStateStubsAreLeftOutWhereWiresLeave) {
    PutTriState(10, 10, kUp);
    SetWireFlag(10, 8, kUp);   // output wire
    SetWireFlag(9, 10, kDown); // first input wire
    gGrafik.Orientation = kUp;
    gGrafik.DrawTriState(10, 10);
    const auto expected = ExpectedTriState(kUp, 10, 10);
    EXPECT_TRUE(SamePrimitives(Primitives(screen), {expected[0], expected[2], expected[4],
                                                    expected[5], expected[6], expected[7]}));
}

TEST_F(DriverSymbolTest, TriStateWithoutOrientationOnlySetsItsFill) {
    gGrafik.Orientation = 9;
    gGrafik.DrawTriState(10, 10);
    EXPECT_TRUE(screen.Calls().empty());
    EXPECT_EQ(screen.FillColor, Rgb(255, 255, 192));
}

} // namespace
} // namespace kardo::test
