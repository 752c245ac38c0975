// Flip-flop symbol: the recorded picture in every orientation, the outline view, the state digit
// beside Q, the negation points of J, C and K, the powered reads and the printer variant.
#include "model/codes.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "render/grafik.h"
#include "support/block_symbols.h"
#include "support/core_fixture.h"

#include <string>

namespace kardo::test {
namespace {

constexpr double kR = 14; // zoomed cell size at zoom 1.0
double P(int i) { return 14.0 * i + 7; }
constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kGrey = Rgb(128, 128, 128);

struct Options {
    bool onlyBorder = false;
    bool printer = false;
    std::string state = "0";
};

// The picture of the flip-flop with its clock input at (x, y), zoom 1.0, without negation
// points, step by step as the symbol is built.
std::vector<Prim> Expected(std::uint8_t o, int x, int y, const Options& opt) {
    const Color detail = opt.printer ? kBlack : kGrey;
    std::vector<Prim> e;
    if (o == kLeft || o == kRight) {
        const int d = o == kRight ? 1 : -1;
        const double xi = P(x), xo = P(x + 5 * d), xs = P(o == kRight ? x + 2 : x - 3);
        const double yt = P(y - 1), ym = P(y), yb = P(y + 1);
        for (int r = y - 1; r <= y + 1; ++r)
            e.push_back(LineP(xi, P(r), xi - d * kR / 3, P(r)));
        e.push_back(BoxP(xi, yt - kR / 2.25, xo, yb + kR / 2.25));
        if (opt.onlyBorder)
            return e;
        e.push_back(LineP(xo, yt, xo + d * kR / 3, yt));
        e.push_back(LineP(xo, yb, xo + d * kR / 3, yb));
        e.push_back(LineP(xs, yt - 3 * kR / 4, xs, yt, detail));
        e.push_back(LineP(xs, yb, xs, yb + 3 * kR / 4, detail));
        e.push_back(TextP(d > 0 ? P(x) + 1.2 * kR : P(x) - 1.7 * kR, P(y) - kR / 2, "C"));
        e.push_back(LineP(xi, yt + 2 * kR / 3, xi + d * kR, ym));
        e.push_back(LineP(xi, yb - 2 * kR / 3, xi + d * kR, ym));
        e.push_back(LineP(P(x + 2 * d), ym, xo, ym, detail));
        e.push_back(TextP(xi + d * kR / 2 - kR / 4, yt - kR / 2.5, "J"));
        e.push_back(TextP(xi + d * kR / 2 - kR / 4, yb - kR / 2, "K"));
        e.push_back(TextP(xs + kR / 4, yt, "S"));
        e.push_back(TextP(xs + kR / 4, yb - 3 * kR / 4, "R"));
        e.push_back(TextP(d > 0 ? xo - kR : xo + kR / 2, yt - kR / 3, opt.state));
        return e;
    }
    if (o == kUp || o == kDown) {
        const int d = o == kDown ? 1 : -1;
        const int sy = o == kDown ? y + 2 : y - 3; // row of S and R
        const double yi = P(y), yo = P(y + 5 * d), xr = P(x + 1), xc = P(x), xl = P(x - 1);
        for (int c = x - 1; c <= x + 1; ++c)
            e.push_back(LineP(P(c), yi, P(c), yi - d * kR / 2));
        e.push_back(LineP(xl, yo, xl, yo + d * kR / 2));
        e.push_back(LineP(xr, yo, xr, yo + d * kR / 2));
        e.push_back(BoxP(xl - kR / 2, yi, xr + kR / 2, yo));
        if (opt.onlyBorder)
            return e;
        e.push_back(LineP(xl, P(sy), xl - kR, P(sy), detail));
        e.push_back(LineP(xr, P(sy), xr + kR, P(sy), detail));
        e.push_back(TextP(xc - kR / 4, d > 0 ? yi + kR : yi - 1.8 * kR, "C"));
        e.push_back(LineP(xl + 2 * kR / 3, yi, xc, yi + d * kR));
        e.push_back(LineP(xr - 2 * kR / 3, yi, xc, yi + d * kR));
        e.push_back(LineP(xc, P(y + 2 * d), xc, yo, detail));
        e.push_back(TextP(xr - kR / 4, d > 0 ? yi : yi - kR, "J"));
        e.push_back(TextP(xl - kR / 4, d > 0 ? yi : yi - kR, "K"));
        e.push_back(TextP(P(x + 1) - kR / 4, P(sy) + kR / 4, "S"));
        e.push_back(TextP(P(x - 1), P(sy) + kR / 4, "R"));
        e.push_back(TextP(P(x + 1) - kR / 4, d > 0 ? yo - 1.3 * kR : yo + kR / 4, opt.state));
        if (opt.printer)
            e.push_back(BoxP(xl - kR / 2, yi, xr + kR / 2, yo));
    }
    return e;
}

// The negation point of input pin (px, py) of a flip-flop facing o, zoom 1.0.
Prim Negation(std::uint8_t o, int px, int py) {
    const double dx = o == kRight ? -4 : o == kLeft ? 4 : 0;
    const double dy = o == kDown ? -4 : o == kUp ? 4 : 0;
    return CircleP(P(px) + dx, P(py) + dy, 3.0, kBlack);
}

// The cells J, C, K of a flip-flop with its clock input at (x, y).
std::vector<GridPoint> Jck(std::uint8_t o, int x, int y) {
    auto pt = [](int a, int b) {
        return GridPoint{static_cast<std::int16_t>(a), static_cast<std::int16_t>(b)};
    };
    if (o == kLeft || o == kRight)
        return {pt(x, y - 1), pt(x, y), pt(x, y + 1)};
    return {pt(x + 1, y), pt(x, y), pt(x - 1, y)};
}

// The footprint corners of the flip-flop.
void Footprint(std::uint8_t o, int x, int y, int& x1, int& y1, int& x2, int& y2) {
    x1 = o == kRight ? x : o == kLeft ? x - 5 : x - 1;
    x2 = (o == kRight || o == kLeft) ? x1 + 5 : x1 + 2;
    y1 = o == kDown ? y : o == kUp ? y - 5 : y - 1;
    y2 = (o == kDown || o == kUp) ? y1 + 5 : y1 + 2;
}

class DrawFlipFlopTest : public CoreFixture, public ::testing::WithParamInterface<std::uint8_t> {
  protected:
    static constexpr int kX = 20, kY = 12;
    void SetUp() override { m_nr = PutFlipFlop(kX, kY, GetParam()); }
    void Draw(bool onlyBorder = false, bool onlyNumber = false, int x = kX, int y = kY) {
        gGrafik.Orientation = GetParam();
        gGrafik.DrawFlipFlop(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), onlyBorder,
                             onlyNumber);
    }
    std::int16_t m_nr = 0; // the flip-flop's element number
};

TEST_P(DrawFlipFlopTest, RecordsTheSymbolOfItsOrientation) {
    Draw();
    EXPECT_TRUE(SamePrimitives(Primitives(screen), Expected(GetParam(), kX, kY, {})));
    const DrawCall body = screen.CallsOf(DrawOp::Box).at(0);
    EXPECT_EQ(body.fillColor, Rgb(192, 255, 255));
    EXPECT_EQ(body.fillStyle, FillMode::Solid);
    // The middle line is the only dotted one.
    int dotted = 0;
    for (const DrawCall& c : screen.CallsOf(DrawOp::Line)) {
        if (c.drawStyle == LineStyle::Dotted) {
            ++dotted;
            EXPECT_EQ(c.color, kGrey);
        }
    }
    EXPECT_EQ(dotted, 1);
    EXPECT_EQ(screen.DrawStyle, LineStyle::Solid);
    // C, J, K bold in 8; S, R plain in 6; the digit bold in 10 and red.
    const std::vector<DrawCall> p = screen.CallsOf(DrawOp::Print);
    ASSERT_EQ(p.size(), 6u);
    for (const std::size_t i : {0u, 1u, 2u}) {
        EXPECT_DOUBLE_EQ(p[i].fontSize, 8.0) << p[i].text;
        EXPECT_TRUE(p[i].fontBold) << p[i].text;
        EXPECT_EQ(p[i].color, kBlack);
    }
    for (const std::size_t i : {3u, 4u}) {
        EXPECT_DOUBLE_EQ(p[i].fontSize, 6.0) << p[i].text;
        EXPECT_FALSE(p[i].fontBold) << p[i].text;
    }
    EXPECT_DOUBLE_EQ(p[5].fontSize, 10.0);
    EXPECT_TRUE(p[5].fontBold);
    EXPECT_EQ(p[5].color, Rgb(255, 0, 0));
    EXPECT_FALSE(screen.FontBold);
    EXPECT_EQ(screen.ForeColor, Rgb(255, 0, 0)); // the pen stays red after the digit
}

TEST_P(DrawFlipFlopTest, OutlineViewHasStubsAndTheUnfilledBodyOnly) {
    Draw(true);
    EXPECT_TRUE(SamePrimitives(Primitives(screen), Expected(GetParam(), kX, kY, {true})));
    EXPECT_EQ(screen.CallsOf(DrawOp::Box).at(0).fillStyle, FillMode::Transparent);
}

TEST_P(DrawFlipFlopTest, OnlyNumberChangesNothing) {
    Draw(false, false);
    const std::vector<Prim> plain = ToPrims(Primitives(screen));
    screen.ClearLog();
    Draw(false, true);
    EXPECT_TRUE(SamePrimitives(Primitives(screen), plain));
}

TEST_P(DrawFlipFlopTest, AnyCellOfTheFlipFlopGivesTheSamePicture) {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Footprint(GetParam(), kX, kY, x1, y1, x2, y2);
    const std::vector<Prim> expected = Expected(GetParam(), kX, kY, {});
    for (int x = x1; x <= x2; ++x) {
        for (int y = y1; y <= y2; ++y) {
            screen.ClearLog();
            Draw(false, false, x, y);
            EXPECT_TRUE(SamePrimitives(Primitives(screen), expected)) << x << "," << y;
        }
    }
}

TEST_P(DrawFlipFlopTest, StateTrueShowsOne) {
    gElements[static_cast<std::size_t>(m_nr)].Zustand[12] = kTrue;
    Draw();
    EXPECT_TRUE(
        SamePrimitives(Primitives(screen), Expected(GetParam(), kX, kY, {false, false, "1"})));
}

TEST_P(DrawFlipFlopTest, PrinterVariant) {
    gGrafik.Device = &printer;
    gElements[static_cast<std::size_t>(m_nr)].Zustand[12] = kTrue;
    Draw();
    EXPECT_TRUE(
        SamePrimitives(Primitives(printer), Expected(GetParam(), kX, kY, {false, true, "1"})));
    const std::vector<DrawCall> boxes = printer.CallsOf(DrawOp::Box);
    EXPECT_EQ(boxes.at(0).fillColor, Rgb(255, 255, 255));
    if (boxes.size() > 1) {
        EXPECT_EQ(boxes[1].fillStyle, FillMode::Transparent);
    }
    for (const DrawCall& c : printer.CallsOf(DrawOp::Line))
        EXPECT_EQ(c.drawStyle, LineStyle::Solid);
    const std::vector<DrawCall> p = printer.CallsOf(DrawOp::Print);
    ASSERT_EQ(p.size(), 6u);
    EXPECT_NEAR(p[0].fontSize, 0.96, 1e-6);
    EXPECT_NEAR(p[3].fontSize, 0.72, 1e-6);
    EXPECT_NEAR(p[5].fontSize, 1.2, 1e-6);
    EXPECT_EQ(p[5].text, "1");
    EXPECT_EQ(p[5].color, kBlack);
}

TEST_P(DrawFlipFlopTest, NegatedJckGetTheirPointsInEveryMode) {
    const std::uint8_t o = GetParam();
    const std::vector<GridPoint> jck = Jck(o, kX, kY);
    for (const GridPoint& p : jck)
        gGrid(p.x, p.y).Punkt = kPointConnection;
    for (const bool onlyBorder : {false, true}) {
        screen.ClearLog();
        Draw(onlyBorder);
        std::vector<Prim> expected = Expected(o, kX, kY, {onlyBorder});
        for (const GridPoint& p : jck)
            expected.push_back(Negation(o, p.x, p.y));
        EXPECT_TRUE(SamePrimitives(Primitives(screen), expected)) << onlyBorder;
    }
}

TEST_P(DrawFlipFlopTest, PoweredReadsStateAndMarksFromTheShownLevel) {
    const std::uint8_t o = GetParam();
    const std::vector<GridPoint> jck = Jck(o, kX, kY);
    gGrid(jck[0].x, jck[0].y).Punkt = kPointConnection; // worksheet marks J
    gLevels.resize(1);
    gLevels[0].Feld = gGrid;
    gLevels[0].Elemente = gElements;
    gLevels[0].Feld(jck[0].x, jck[0].y).Punkt = kPointNone;
    gLevels[0].Feld(jck[2].x, jck[2].y).Punkt = kPointConnection; // the level marks K
    gLevels[0].Elemente[static_cast<std::size_t>(m_nr)].Zustand[12] = kTrue;
    gPowerOn = true;
    Draw();
    std::vector<Prim> expected = Expected(o, kX, kY, {false, false, "1"});
    expected.push_back(Negation(o, jck[2].x, jck[2].y));
    EXPECT_TRUE(SamePrimitives(Primitives(screen), expected));
    gPowerOn = false;
}

INSTANTIATE_TEST_SUITE_P(Orientations, DrawFlipFlopTest,
                         ::testing::Values(kRight, kLeft, kDown, kUp));

using DrawFlipFlopOther = CoreFixture;

TEST_F(DrawFlipFlopOther, OrientationRightMatchesThePictureInCellUnits) {
    PutFlipFlop(10, 10, kRight);
    gGrafik.Orientation = kRight;
    gGrafik.DrawFlipFlop(10, 10, false, false);
    auto u = [](double c) { return 14.0 * c + 7; }; // cell units to pixels
    const DrawCall body = screen.CallsOf(DrawOp::Box).at(0);
    EXPECT_NEAR(body.x1, u(10), 0.01);
    EXPECT_NEAR(body.y1, u(10 - 1.444), 0.01);
    EXPECT_NEAR(body.x2, u(15), 0.01);
    EXPECT_NEAR(body.y2, u(10 + 1.444), 0.01);
    const DrawCall digit = screen.CallsOf(DrawOp::Print).back();
    EXPECT_NEAR(digit.currentX, u(14), 0.01);
    EXPECT_NEAR(digit.currentY, u(10 - 1.333), 0.01);
    const DrawCall s = Prints(screen, "S").at(0);
    EXPECT_NEAR(s.currentX, u(12.25), 0.01);
    EXPECT_NEAR(s.currentY, u(9), 0.01);
}

TEST_F(DrawFlipFlopOther, AnOrientationOutsideOneToFourDrawsOnlyTheNegationPoints) {
    PutFlipFlop(10, 10, kRight);
    gGrid(10, 9).Punkt = kPointConnection;
    gGrafik.Orientation = 0;
    gGrafik.DrawFlipFlop(10, 10, false, false);
    const std::vector<DrawCall> calls = Primitives(screen);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].op, DrawOp::Circle);
    EXPECT_FALSE(screen.FontBold);
}

} // namespace
} // namespace kardo::test
