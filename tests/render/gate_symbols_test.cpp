// Gate symbols AND, OR and XOR: recorded box, stubs and label in every orientation, the
// two-input and four-input gates, wired pins, the outline view, the printer and negation marks.
#include "model/codes.h"
#include "model/grid.h"
#include "model/pin_points.h"
#include "render/grafik.h"
#include "support/block_symbols.h"
#include "support/core_fixture.h"
#include "support/render_symbols.h"

#include <string>
#include <tuple>

namespace kardo::test {
namespace {

constexpr double kR = 14;  // zoomed cell size at zoom 1.0
constexpr double kH = 7;   // half a cell
constexpr double kQ = 3.5; // a quarter cell
double P(int i) { return 14.0 * i + 7; }

struct Label {
    std::string horizontal;
    std::string vertical;
    double shift; // share of a cell the vertical label starts left of the anchor's centre
};

Label LabelOf(std::uint8_t typ) {
    if (typ == kTypeAnd)
        return {" &", "&", 0.25};
    if (typ == kTypeOr)
        return {"≥1", "≥1", 1.0 / 3.0};
    return {"=1", "=1", 1.0 / 3.0};
}

// The full drawing of an unwired gate anchored at (x, y) with n pin positions (3 for the
// two-input gate, whose middle position has no stub), from the symbol's geometry table.
std::vector<Prim> ExpectedGate(std::uint8_t typ, std::uint8_t o, int x, int y, int n, bool two) {
    std::vector<Prim> e;
    const Label label = LabelOf(typ);
    const int yo = y - 1 + n / 2;
    const int xo = x - 1 + n / 2;
    switch (o) {
    case kRight:
        e.push_back(BoxP(P(x), P(y - 1) - kQ, P(x + 2), P(y + n - 2) + kQ));
        for (int r = y - 1; r <= y + n - 2; ++r)
            if (!two || r != y)
                e.push_back(LineP(P(x) - kH, P(r), P(x), P(r)));
        e.push_back(LineP(P(x + 2), P(yo), P(x + 2) + kH, P(yo)));
        e.push_back(TextP(P(x) + kH, P(y - 1) + (n - 2) * kH, label.horizontal));
        break;
    case kLeft:
        e.push_back(BoxP(P(x), P(y - 1) - kQ, P(x - 2), P(y + n - 2) + kQ));
        for (int r = y - 1; r <= y + n - 2; ++r)
            if (!two || r != y)
                e.push_back(LineP(P(x) + kH, P(r), P(x), P(r)));
        e.push_back(LineP(P(x - 2), P(yo), P(x - 2) - kH, P(yo)));
        e.push_back(TextP(P(x - 1) - kH, P(y - 1) + (n - 2) * kH, label.horizontal));
        break;
    case kDown:
        e.push_back(BoxP(P(x - 1) - kQ, P(y), P(x + n - 2) + kQ, P(y + 2)));
        for (int c = x - 1; c <= x + n - 2; ++c)
            if (!two || c != x)
                e.push_back(LineP(P(c), P(y), P(c), P(y) - kH));
        e.push_back(LineP(P(xo), P(y + 2), P(xo), P(y + 2) + kH));
        e.push_back(TextP(P(x) - kR * label.shift + (n - 3) * kH, P(y) + kH, label.vertical));
        break;
    case kUp:
        e.push_back(BoxP(P(x - 1) - kQ, P(y), P(x + n - 2) + kQ, P(y - 2)));
        for (int c = x - 1; c <= x + n - 2; ++c)
            if (!two || c != x)
                e.push_back(LineP(P(c), P(y), P(c), P(y) + kH));
        e.push_back(LineP(P(xo), P(y - 2), P(xo), P(y - 2) - kH));
        e.push_back(TextP(P(x) - kR * label.shift + (n - 3) * kH, P(y - 1) - kH, label.vertical));
        break;
    default:
        break;
    }
    return e;
}

void Draw(std::uint8_t typ, int x, int y, bool onlyBorder = false) {
    const auto sx = static_cast<std::int16_t>(x);
    const auto sy = static_cast<std::int16_t>(y);
    if (typ == kTypeAnd)
        gGrafik.DrawUnd(sx, sy, onlyBorder);
    if (typ == kTypeOr)
        gGrafik.DrawOder(sx, sy, onlyBorder);
    if (typ == kTypeXor)
        gGrafik.DrawXOder(sx, sy);
}

const std::uint8_t kOrientations[] = {kLeft, kRight, kUp, kDown};
const std::uint8_t kGates[] = {kTypeAnd, kTypeOr, kTypeXor};

class GateSymbolTest : public CoreFixture,
                       public ::testing::WithParamInterface<std::tuple<std::uint8_t, int>> {};

TEST_P(GateSymbolTest, DrawsBoxStubsAndLabelInEveryOrientation) {
    const auto [typ, inputs] = GetParam();
    for (const std::uint8_t o : kOrientations) {
        InitProgramState();
        screen.ClearLog();
        PutGate(typ, 10, 10, o, inputs);
        gGrafik.Orientation = o;
        Draw(typ, 10, 10);
        const int n = inputs == 2 ? 3 : inputs;
        EXPECT_TRUE(
            SamePrimitives(Primitives(screen), ExpectedGate(typ, o, 10, 10, n, inputs == 2)))
            << "type " << int(typ) << " orientation " << int(o) << " inputs " << inputs;
        const DrawCall box = screen.CallsOf(DrawOp::Box).at(0);
        EXPECT_EQ(box.fillStyle, FillMode::Solid);
        EXPECT_EQ(box.fillColor, Rgb(255, 255, 192));
        const DrawCall label = screen.CallsOf(DrawOp::Print).at(0);
        EXPECT_EQ(label.fontName, "Arial");
        EXPECT_DOUBLE_EQ(label.fontSize, 10.0);
        EXPECT_EQ(label.foreColor, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(AllGates, GateSymbolTest,
                         ::testing::Combine(::testing::ValuesIn(kGates),
                                            ::testing::Values(2, 3, 4, 5)));

using GateDrawTest = CoreFixture;

TEST_F(GateDrawTest, ThreeInputAndFacingRightMatchesTheWorkedExample) {
    PutGate(kTypeAnd, 10, 10, kRight, 3);
    gGrafik.Orientation = kRight;
    gGrafik.DrawUnd(10, 10, false);
    EXPECT_TRUE(
        SamePrimitives(Primitives(screen), {BoxP(147, 129.5, 175, 164.5), LineP(140, 133, 147, 133),
                                            LineP(140, 147, 147, 147), LineP(140, 161, 147, 161),
                                            LineP(175, 147, 182, 147), TextP(154, 140, " &")}));
}

TEST_F(GateDrawTest, TwoInputGateCountsThreePinPositions) {
    PutGate(kTypeOr, 10, 10, kDown, 2);
    gGrafik.Orientation = kDown;
    gGrafik.DrawOder(10, 10, false);
    EXPECT_EQ(gAnzEingangsPunkte, 3);
    EXPECT_EQ(screen.CallsOf(DrawOp::Line).size(), 3u); // two input stubs and the output stub
}

TEST_F(GateDrawTest, FourInputGateHasItsOutputAtTheThirdRow) {
    PutGate(kTypeXor, 10, 10, kRight, 4);
    gGrafik.Orientation = kRight;
    gGrafik.DrawXOder(10, 10);
    const auto lines = screen.CallsOf(DrawOp::Line);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_DOUBLE_EQ(lines[4].y1, P(11));
    EXPECT_DOUBLE_EQ(screen.CallsOf(DrawOp::Print).at(0).currentY, P(9) + kR);
}

TEST_F(GateDrawTest, WiredPinsGetNoStub) {
    for (const std::uint8_t typ : kGates) {
        InitProgramState();
        screen.ClearLog();
        PutGate(typ, 10, 10, kRight, 3);
        SetWireFlag(10, 9, kLeft);   // wire into the first input
        SetWireFlag(12, 10, kRight); // wire out of the output
        SetWireFlag(10, 11, kRight); // a flag on the inner side does not count
        gGrafik.Orientation = kRight;
        Draw(typ, 10, 10);
        EXPECT_TRUE(
            SamePrimitives(Primitives(screen),
                           {BoxP(147, 129.5, 175, 164.5), LineP(140, 147, 147, 147),
                            LineP(140, 161, 147, 161), TextP(154, 140, LabelOf(typ).horizontal)}))
            << "type " << int(typ);
    }
}

TEST_F(GateDrawTest, OnlyBorderDrawsTheUnfilledBoxAndTheNegationMarks) {
    for (const std::uint8_t typ : {kTypeAnd, kTypeOr}) {
        InitProgramState();
        screen.ClearLog();
        PutGate(typ, 10, 10, kUp, 3);
        gGrid(9, 10).Punkt = kPointConnection; // first input
        gGrid(10, 8).Punkt = kPointConnection; // output
        gGrafik.Orientation = kUp;
        Draw(typ, 10, 10, true);
        EXPECT_TRUE(SamePrimitives(Primitives(screen),
                                   {BoxP(P(9) - kQ, P(10), P(11) + kQ, P(8)),
                                    CircleP(P(9), P(10) + 4, 3), CircleP(P(10), P(8) - 4, 3)}))
            << "type " << int(typ);
        EXPECT_EQ(screen.CallsOf(DrawOp::Box).at(0).fillStyle, FillMode::Transparent);
    }
}

TEST_F(GateDrawTest, NegationMarksFollowTheFullDrawing) {
    PutGate(kTypeXor, 10, 10, kLeft, 3);
    gGrid(10, 11).Punkt = kPointConnection;
    gGrid(8, 10).Punkt = kPointConnection;
    gGrafik.Orientation = kLeft;
    gGrafik.DrawXOder(10, 10);
    const auto circles = screen.CallsOf(DrawOp::Circle);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_DOUBLE_EQ(circles[0].x1, P(10) + 4); // input of a gate facing left: to the right
    EXPECT_DOUBLE_EQ(circles[0].y1, P(11));
    EXPECT_DOUBLE_EQ(circles[1].x1, P(8) - 4); // output: further left
    EXPECT_EQ(screen.Calls().back().op, DrawOp::Circle);
}

TEST_F(GateDrawTest, PrinterBodiesAreWhiteWithTheSmallerFont) {
    gGrafik.Device = &printer;
    for (const std::uint8_t typ : kGates) {
        printer.ClearLog();
        PutGate(typ, 10, 10, kRight, 3);
        gGrafik.Orientation = kRight;
        Draw(typ, 10, 10);
        EXPECT_EQ(printer.CallsOf(DrawOp::Box).at(0).fillColor, Rgb(255, 255, 255));
        EXPECT_DOUBLE_EQ(printer.CallsOf(DrawOp::Print).at(0).fontSize, 1.2);
    }
    EXPECT_TRUE(screen.Calls().empty());
}

TEST_F(GateDrawTest, LabelSizeScalesWithTheZoom) {
    gGrafik.GridMode = 2.5f;
    PutGate(kTypeAnd, 10, 10, kDown, 3);
    gGrafik.Orientation = kDown;
    gGrafik.DrawUnd(10, 10, false);
    const DrawCall label = screen.CallsOf(DrawOp::Print).at(0);
    EXPECT_DOUBLE_EQ(label.fontSize, 25.0);
    // Z = 35 at zoom 2.5: the label starts a quarter cell left of the anchor's centre.
    EXPECT_DOUBLE_EQ(label.currentX, GridToPixel(10) - 35.0 / 4);
    EXPECT_DOUBLE_EQ(label.currentY, GridToPixel(10) + 17.5);
}

TEST_F(GateDrawTest, OrientationOutsideOneToFourDrawsNothing) {
    for (const std::uint8_t typ : kGates) {
        InitProgramState();
        screen.ClearLog();
        PutGate(typ, 10, 10, kRight, 3);
        gGrid(10, 9).Punkt = kPointConnection;
        gGrafik.Orientation = 0;
        Draw(typ, 10, 10);
        EXPECT_TRUE(Primitives(screen).empty()) << "type " << int(typ);
        EXPECT_DOUBLE_EQ(screen.FontSize, 10.0); // the font was set before the test
    }
}

} // namespace
} // namespace kardo::test
