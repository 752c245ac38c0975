// Half adder symbol: body, stubs and labels in every orientation, wired pins and the printer.
#include "model/codes.h"
#include "model/grid.h"
#include "render/grafik.h"
#include "support/block_symbols.h"
#include "support/core_fixture.h"

namespace kardo::test {
namespace {

constexpr double kR = 14; // zoomed cell size at zoom 1.0
double P(int i) { return 14.0 * i + 7; }

struct Layout {
    Prim body;
    std::vector<Prim> stubs; // inputs, sum, carry
    Prim ha, s, c;
};

// The geometry table of the symbol, anchor (x, y), zoom 1.0.
Layout Expected(std::uint8_t o, int x, int y) {
    const double h = kR / 2;
    switch (o) {
    case kRight:
        return {BoxP(P(x), P(y - 1) - kR / 4, P(x + 3), P(y + 1) + kR / 4),
                {LineP(P(x) - h, P(y - 1), P(x), P(y - 1)),
                 LineP(P(x) - h, P(y + 1), P(x), P(y + 1)),
                 LineP(P(x + 3), P(y - 1), P(x + 3) + h, P(y - 1)),
                 LineP(P(x + 3), P(y + 1), P(x + 3) + h, P(y + 1))},
                TextP(P(x + 1) - kR / 8, P(y - 1) + kR / 2, "HA"),
                TextP(P(x + 2) + kR / 2, P(y - 1) - kR / 3, "s"),
                TextP(P(x + 2) + kR / 2, P(y + 1) - kR / 1.5, "ü")};
    case kLeft:
        return {BoxP(P(x - 3), P(y - 1) - kR / 4, P(x), P(y + 1) + kR / 4),
                {LineP(P(x), P(y - 1), P(x) + h, P(y - 1)),
                 LineP(P(x), P(y + 1), P(x) + h, P(y + 1)),
                 LineP(P(x - 3) - h, P(y - 1), P(x - 3), P(y - 1)),
                 LineP(P(x - 3) - h, P(y + 1), P(x - 3), P(y + 1))},
                TextP(P(x - 2) - kR / 8, P(y - 1) + kR / 2, "HA"),
                TextP(P(x - 3) + kR / 5, P(y - 1) - kR / 3, "s"),
                TextP(P(x - 3) + kR / 5, P(y + 1) - kR / 1.5, "ü")};
    case kDown:
        return {BoxP(P(x - 1) - kR / 4, P(y), P(x + 1) + kR / 4, P(y + 3)),
                {LineP(P(x - 1), P(y), P(x - 1), P(y) - h),
                 LineP(P(x + 1), P(y), P(x + 1), P(y) - h),
                 LineP(P(x + 1), P(y + 3), P(x + 1), P(y + 3) + h),
                 LineP(P(x - 1), P(y + 3), P(x - 1), P(y + 3) + h)},
                TextP(P(x - 1) + kR / 3, P(y) + kR, "HA"),
                TextP(P(x) + kR / 1.3, P(y + 2) + kR / 10, "s"),
                TextP(P(x - 1) - kR / 10, P(y + 2) + kR / 10, "ü")};
    default: // kUp
        return {BoxP(P(x - 1) - kR / 4, P(y - 3), P(x + 1) + kR / 4, P(y)),
                {LineP(P(x - 1), P(y), P(x - 1), P(y) + h),
                 LineP(P(x + 1), P(y), P(x + 1), P(y) + h),
                 LineP(P(x + 1), P(y - 3), P(x + 1), P(y - 3) - h),
                 LineP(P(x - 1), P(y - 3), P(x - 1), P(y - 3) - h)},
                TextP(P(x - 1) + kR / 3, P(y - 3) + kR, "HA"),
                TextP(P(x) + kR / 1.3, P(y - 3) - kR / 10, "s"),
                TextP(P(x - 1) - kR / 10, P(y - 3) - kR / 10, "ü")};
    }
}

// The whole picture; skip names a stub left out (index into Layout::stubs, -1 none).
std::vector<Prim> Picture(const Layout& l, int skip = -1) {
    std::vector<Prim> e{l.body};
    for (std::size_t i = 0; i < l.stubs.size(); ++i)
        if (static_cast<int>(i) != skip)
            e.push_back(l.stubs[i]);
    e.insert(e.end(), {l.ha, l.s, l.c});
    return e;
}

// The sum pin and the side its stub points to.
struct SumPin {
    int x, y;
    std::uint8_t side;
};
SumPin Sum(std::uint8_t o, int x, int y) {
    switch (o) {
    case kRight:
        return {x + 3, y - 1, kRight};
    case kLeft:
        return {x - 3, y - 1, kLeft};
    case kDown:
        return {x + 1, y + 3, kDown};
    default:
        return {x + 1, y - 3, kUp};
    }
}

void SetFlag(int x, int y, std::uint8_t side) {
    CellRecord& c = gGrid(x, y);
    (side == kLeft ? c.Links : side == kRight ? c.Rechts : side == kUp ? c.Oben : c.Unten) = kTrue;
}

class DrawHalfAdderTest : public CoreFixture, public ::testing::WithParamInterface<std::uint8_t> {
  protected:
    static constexpr int kX = 20, kY = 12;
    void SetUp() override { PutHalfAdder(kX, kY, GetParam()); }
    void Draw() {
        gGrafik.Orientation = GetParam();
        gGrafik.DrawHA(kX, kY);
    }
};

TEST_P(DrawHalfAdderTest, RecordsTheSymbolOfItsOrientation) {
    Draw();
    EXPECT_TRUE(SamePrimitives(Primitives(screen), Picture(Expected(GetParam(), kX, kY))));
    const DrawCall body = screen.CallsOf(DrawOp::Box).at(0);
    EXPECT_EQ(body.fillColor, Rgb(255, 255, 192));
    EXPECT_EQ(body.fillStyle, FillMode::Solid);
    const std::vector<DrawCall> prints = screen.CallsOf(DrawOp::Print);
    ASSERT_EQ(prints.size(), 3u);
    EXPECT_DOUBLE_EQ(prints[0].fontSize, 10.0);
    EXPECT_DOUBLE_EQ(prints[1].fontSize, 8.0);
    EXPECT_DOUBLE_EQ(prints[2].fontSize, 8.0);
    EXPECT_DOUBLE_EQ(screen.FontSize, 8.0); // left at the pin-label size
}

TEST_P(DrawHalfAdderTest, AWireOnTheSumOutputSuppressesOnlyThatStub) {
    const SumPin s = Sum(GetParam(), kX, kY);
    SetFlag(s.x, s.y, s.side);
    Draw();
    EXPECT_TRUE(SamePrimitives(Primitives(screen), Picture(Expected(GetParam(), kX, kY), 2)));
}

TEST_P(DrawHalfAdderTest, AWireOnTheInnerSideOfAPinKeepsItsStub) {
    const SumPin s = Sum(GetParam(), kX, kY);
    const std::uint8_t inner = s.side == kLeft    ? kRight
                               : s.side == kRight ? kLeft
                               : s.side == kUp    ? kDown
                                                  : kUp;
    SetFlag(s.x, s.y, inner);
    Draw();
    EXPECT_TRUE(SamePrimitives(Primitives(screen), Picture(Expected(GetParam(), kX, kY))));
}

TEST_P(DrawHalfAdderTest, PrinterBodyIsWhiteAndItsOutlineDrawnTwice) {
    gGrafik.Device = &printer;
    Draw();
    std::vector<Prim> expected = Picture(Expected(GetParam(), kX, kY));
    expected.push_back(expected.front());
    EXPECT_TRUE(SamePrimitives(Primitives(printer), expected));
    const std::vector<DrawCall> boxes = printer.CallsOf(DrawOp::Box);
    EXPECT_EQ(boxes.at(0).fillColor, Rgb(255, 255, 255));
    EXPECT_EQ(boxes.at(1).fillStyle, FillMode::Transparent);
    const std::vector<DrawCall> prints = printer.CallsOf(DrawOp::Print);
    EXPECT_NEAR(prints.at(0).fontSize, 1.2, 1e-6);
    EXPECT_NEAR(prints.at(1).fontSize, 0.96, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Orientations, DrawHalfAdderTest,
                         ::testing::Values(kRight, kLeft, kDown, kUp));

using DrawHalfAdderOther = CoreFixture;

TEST_F(DrawHalfAdderOther, AnOrientationOutsideOneToFourDrawsNothing) {
    PutHalfAdder(20, 12, kRight);
    gGrafik.Orientation = 0;
    gGrafik.DrawHA(20, 12);
    EXPECT_TRUE(Primitives(screen).empty());
}

TEST_F(DrawHalfAdderOther, SizesFollowTheZoom) {
    gGrafik.GridMode = 0.6f; // zoomed cell 8 pixels
    PutHalfAdder(20, 12, kRight);
    gGrafik.Orientation = kRight;
    gGrafik.DrawHA(20, 12);
    const DrawCall body = screen.CallsOf(DrawOp::Box).at(0);
    EXPECT_DOUBLE_EQ(body.y1, GridToPixel(11) - 2.0);
    EXPECT_DOUBLE_EQ(body.x2, GridToPixel(23));
    const DrawCall stub = screen.CallsOf(DrawOp::Line).at(0);
    EXPECT_DOUBLE_EQ(stub.x2 - stub.x1, 4.0);
    EXPECT_NEAR(screen.CallsOf(DrawOp::Print).at(0).fontSize, 6.0, 1e-6);
}

} // namespace
} // namespace kardo::test
