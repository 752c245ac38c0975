// Decoder symbol: the recorded trapezoid, stubs and labels in every orientation, the clock input,
// wired pins, the outline view and the printer variant.
#include "model/codes.h"
#include "model/grid.h"
#include "model/pin_points.h"
#include "render/grafik.h"
#include "support/block_symbols.h"
#include "support/core_fixture.h"

#include <string>

namespace kardo::test {
namespace {

constexpr double kR = 14; // zoomed cell size at zoom 1.0
double P(int i) { return 14.0 * i + 7; }
PolyPoint Px(int x, int y) { return {14 * x + 7, 14 * y + 7}; }

// The picture the decoder with the input of weight 4 at (x, y) must leave at zoom 1.0 on the
// worksheet, built from the symbol's geometry table.
std::vector<Prim> Expected(std::uint8_t o, int x, int y, bool clocked) {
    std::vector<Prim> e;
    const double h = kR / 2;
    switch (o) {
    case kRight:
        e.push_back(PolygonP({Px(x, y - 3), Px(x + 2, y - 5), Px(x + 2, y + 4), Px(x, y + 2)}));
        for (int row = y - 2; row <= y + (clocked ? 1 : 0); ++row)
            e.push_back(LineP(P(x) - h, P(row), P(x), P(row)));
        for (int j = 0; j < 8; ++j)
            e.push_back(LineP(P(x + 2), P(y - 4 + j), P(x + 2) + h, P(y - 4 + j)));
        for (int k = -3; k <= -1; ++k) {
            e.push_back(TextP(P(x) + kR / 1.7, P(y + k) + kR / 5, std::to_string(k + 3)));
            e.push_back(TextP(P(x) + kR / 5, P(y + k) + kR / 2, "2"));
        }
        if (clocked)
            e.push_back(TextP(P(x) + kR / 5, P(y) + kR / 2, "T"));
        for (int j = 0; j < 8; ++j)
            e.push_back(TextP(P(x + 1) + kR / 2.1, P(y + j - 5) + kR / 2, std::to_string(j)));
        break;
    case kLeft:
        e.push_back(PolygonP({Px(x, y - 3), Px(x - 2, y - 5), Px(x - 2, y + 4), Px(x, y + 2)}));
        for (int row = y - 2; row <= y + (clocked ? 1 : 0); ++row)
            e.push_back(LineP(P(x) + h, P(row), P(x), P(row)));
        for (int j = 0; j < 8; ++j)
            e.push_back(LineP(P(x - 2), P(y - 4 + j), P(x - 2) - h, P(y - 4 + j)));
        for (int k = -3; k <= -1; ++k) {
            e.push_back(TextP(P(x - 1) + kR / 1.6, P(y + k) + kR / 3, std::to_string(k + 3)));
            e.push_back(TextP(P(x - 1) + kR / 5, P(y + k) + kR / 2, "2"));
        }
        if (clocked)
            e.push_back(TextP(P(x - 1) + kR / 5, P(y) + kR / 2, "T"));
        for (int j = 0; j < 8; ++j)
            e.push_back(TextP(P(x - 2) + kR / 5, P(y + j - 5) + kR / 2, std::to_string(j)));
        break;
    case kDown:
        e.push_back(PolygonP({Px(x - 2, y), Px(x - 4, y + 2), Px(x + 5, y + 2), Px(x + 3, y)}));
        for (int col = x; col <= x + 2; ++col)
            e.push_back(LineP(P(col), P(y), P(col), P(y) - h));
        if (clocked)
            e.push_back(LineP(P(x - 1), P(y), P(x - 1), P(y) - h));
        for (int j = 0; j < 8; ++j)
            e.push_back(LineP(P(x + 4 - j), P(y + 2), P(x + 4 - j), P(y + 2) + h));
        for (int k = 0; k <= 2; ++k) {
            e.push_back(TextP(P(x + k) + kR / 5, P(y), std::to_string(2 - k)));
            e.push_back(TextP(P(x + k) - kR / 5, P(y) + kR / 6, "2"));
        }
        if (clocked)
            e.push_back(TextP(P(x - 1) - kR / 5, P(y) + kR / 6, "T"));
        for (int k = -3; k <= 4; ++k)
            e.push_back(TextP(P(x + k) - kR / 5.6, P(y + 1) + kR / 8, std::to_string(4 - k)));
        break;
    case kUp:
        e.push_back(PolygonP({Px(x - 2, y), Px(x - 4, y - 2), Px(x + 5, y - 2), Px(x + 3, y)}));
        for (int col = x; col <= x + 2; ++col)
            e.push_back(LineP(P(col), P(y), P(col), P(y) + h));
        if (clocked)
            e.push_back(LineP(P(x - 1), P(y), P(x - 1), P(y) + h));
        for (int j = 0; j < 8; ++j)
            e.push_back(LineP(P(x + 4 - j), P(y - 2), P(x + 4 - j), P(y - 2) - h));
        for (int k = 0; k <= 2; ++k) {
            e.push_back(TextP(P(x + k) + kR / 4, P(y - 1), std::to_string(2 - k)));
            e.push_back(TextP(P(x + k) - kR / 6, P(y - 1) + kR / 8, "2"));
        }
        if (clocked)
            e.push_back(TextP(P(x - 1) - kR / 6, P(y - 1) + kR / 8, "T"));
        for (int k = -3; k <= 4; ++k)
            e.push_back(TextP(P(x + k) - kR / 6, P(y - 2), std::to_string(4 - k)));
        break;
    default:
        break;
    }
    return e;
}

struct Case {
    std::uint8_t orientation;
    int x, y;
    bool clocked;
};

class DrawDecoderCase : public CoreFixture {
  protected:
    void Draw(int x, int y, std::uint8_t o, bool onlyBorder = false) {
        gGrafik.Orientation = o;
        gGrafik.DrawDecoder(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), onlyBorder);
    }
};

class DrawDecoderTest : public DrawDecoderCase, public ::testing::WithParamInterface<Case> {};

TEST_P(DrawDecoderTest, RecordsTheSymbolOfItsOrientation) {
    const Case c = GetParam();
    PutDecoder(c.x, c.y, c.orientation, c.clocked);
    screen.ClearLog();
    Draw(c.x, c.y, c.orientation);
    EXPECT_TRUE(SamePrimitives(Primitives(screen), Expected(c.orientation, c.x, c.y, c.clocked)));
    const std::vector<DrawCall> body = screen.CallsOf(DrawOp::Polygon);
    ASSERT_EQ(body.size(), 1u);
    EXPECT_EQ(body[0].fillStyle, FillMode::Solid);
    EXPECT_EQ(body[0].fillColor, Rgb(255, 255, 192));
    EXPECT_EQ(body[0].foreColor, Rgb(0, 0, 0));
    // Each weight is a small exponent followed by the base "2"; everything else in label size.
    const std::vector<DrawCall> prints = screen.CallsOf(DrawOp::Print);
    ASSERT_GE(prints.size(), 6u);
    for (std::size_t i = 0; i < prints.size(); ++i) {
        EXPECT_EQ(prints[i].fontName, "Arial");
        EXPECT_FALSE(prints[i].fontBold);
        EXPECT_DOUBLE_EQ(prints[i].fontSize, i < 6 && i % 2 == 0 ? 6.0 : 8.0) << prints[i].text;
    }
}

INSTANTIATE_TEST_SUITE_P(Orientations, DrawDecoderTest,
                         ::testing::Values(Case{kRight, 10, 12, false}, Case{kRight, 10, 12, true},
                                           Case{kLeft, 20, 12, false}, Case{kLeft, 20, 12, true},
                                           Case{kDown, 10, 5, false}, Case{kDown, 10, 5, true},
                                           Case{kUp, 10, 20, false}, Case{kUp, 10, 20, true}));

TEST_F(DrawDecoderCase, WiredPinsGetNoStubButKeepTheirLabels) {
    PutDecoder(10, 12, kRight, true);
    gGrid(10, 11).Links = kTrue;  // input of weight 2
    gGrid(12, 8).Rechts = kTrue;  // output 0
    gGrid(10, 13).Rechts = kTrue; // clock input wired on its inner side: stub stays
    Draw(10, 12, kRight);
    std::vector<Prim> expected = Expected(kRight, 10, 12, true);
    std::erase_if(expected, [](const Prim& p) {
        return p.op == DrawOp::Line &&
               ((p.y1 == P(11) && p.x2 == P(10)) || (p.y1 == P(8) && p.x1 == P(12)));
    });
    EXPECT_TRUE(SamePrimitives(Primitives(screen), expected));
    EXPECT_EQ(Prints(screen, "0").size(), 2u); // exponent of weight 1 and output 0
}

TEST_F(DrawDecoderCase, WithoutClockInputThereIsNoTAndNoStubAtItsCell) {
    PutDecoder(10, 12, kDown, false);
    Draw(10, 12, kDown);
    EXPECT_TRUE(Prints(screen, "T").empty());
    for (const DrawCall& c : screen.CallsOf(DrawOp::Line))
        EXPECT_FALSE(c.x1 == P(9) && c.y1 == P(12)) << "stub at the clock cell";
    EXPECT_EQ(screen.CallsOf(DrawOp::Line).size(), 3u + 8u);
}

TEST_F(DrawDecoderCase, OutputZeroAndSevenStandNextToTheirPins) {
    PutDecoder(10, 12, kRight, false);
    Draw(10, 12, kRight);
    ASSERT_EQ(Prints(screen, "7").size(), 1u);
    EXPECT_DOUBLE_EQ(Prints(screen, "7")[0].currentY, 14.0 * (12 + 3)); // top of row y + 3
    PutDecoder(30, 12, kUp, false);
    screen.ClearLog();
    Draw(30, 12, kUp);
    ASSERT_EQ(Prints(screen, "0").size(), 2u); // the exponent of weight 1, then output 0
    EXPECT_DOUBLE_EQ(Prints(screen, "0")[1].currentX, P(34) - kR / 6); // column x + 4
}

TEST_F(DrawDecoderCase, OutlineViewIsTheTransparentTrapezoidOnly) {
    for (const std::uint8_t o : {kLeft, kRight, kUp, kDown}) {
        InitProgramState();
        PutDecoder(20, 12, o, true);
        screen.ClearLog();
        Draw(20, 12, o, true);
        const std::vector<DrawCall> calls = Primitives(screen);
        ASSERT_EQ(calls.size(), 1u) << int(o);
        EXPECT_EQ(calls[0].op, DrawOp::Polygon);
        EXPECT_EQ(calls[0].fillStyle, FillMode::Transparent);
        EXPECT_TRUE(SamePrimitives(calls, {Expected(o, 20, 12, true)[0]}));
    }
}

TEST_F(DrawDecoderCase, PrinterDrawsTheOutlineAsLinesBeforeAndAfterTheLabels) {
    for (const bool onlyBorder : {false, true}) {
        InitProgramState();
        gGrafik.Device = &printer;
        PutDecoder(10, 12, kRight, false);
        printer.ClearLog();
        Draw(10, 12, kRight, onlyBorder);
        EXPECT_TRUE(printer.CallsOf(DrawOp::Polygon).empty());
        std::vector<Prim> expected = Expected(kRight, 10, 12, false);
        const std::vector<PolyPoint> q = expected[0].points;
        std::vector<Prim> outline;
        for (std::size_t i = 0; i < 4; ++i)
            outline.push_back(LineP(q[i].x, q[i].y, q[(i + 1) % 4].x, q[(i + 1) % 4].y));
        expected.erase(expected.begin());
        expected.insert(expected.begin(), outline.begin(), outline.end());
        expected.insert(expected.end(), outline.begin(), outline.end());
        EXPECT_TRUE(SamePrimitives(Primitives(printer), expected)) << onlyBorder;
        const std::vector<DrawCall> prints = printer.CallsOf(DrawOp::Print);
        ASSERT_FALSE(prints.empty());
        EXPECT_NEAR(prints[0].fontSize, 0.72, 1e-6);
        EXPECT_NEAR(prints[1].fontSize, 0.96, 1e-6);
        EXPECT_NEAR(prints.back().fontSize, 0.96, 1e-6);
    }
}

TEST_F(DrawDecoderCase, SizesFollowTheZoom) {
    gGrafik.GridMode = 2.5f; // zoomed cell 35 pixels
    PutDecoder(10, 12, kRight, false);
    Draw(10, 12, kRight);
    const std::vector<DrawCall> lines = screen.CallsOf(DrawOp::Line);
    ASSERT_FALSE(lines.empty());
    EXPECT_DOUBLE_EQ(lines[0].x2 - lines[0].x1, 17.5);
    EXPECT_DOUBLE_EQ(lines[0].x2, GridToPixel(10));
    EXPECT_DOUBLE_EQ(screen.CallsOf(DrawOp::Print).back().fontSize, 20.0);
}

} // namespace
} // namespace kardo::test
