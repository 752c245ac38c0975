// Multiplexer symbol: body, stubs and labels in every orientation from the pin lists, the same
// picture from any cell, and the printer variant.
#include "model/codes.h"
#include "model/grid.h"
#include "render/grafik.h"
#include "support/block_symbols.h"
#include "support/core_fixture.h"

#include <string>

namespace kardo::test {
namespace {

constexpr double kR = 14; // zoomed cell size at zoom 1.0
double P(int i) { return 14.0 * i + 7; }

// The picture of a multiplexer placed with the cursor at (x, y), zoom 1.0, from the symbol's
// geometry table with the pins the placing stores.
std::vector<Prim> Expected(std::uint8_t o, int x, int y) {
    const double h = kR / 2;
    std::vector<Prim> e;
    switch (o) {
    case kRight:
    case kLeft: {
        const int d = o == kRight ? 1 : -1;
        const int s1 = o == kRight ? x + 2 : x - 3; // column of S1; S0 one to its right
        e.push_back(o == kRight ? BoxP(P(x), P(y - 2), P(x + 4), P(y + 2) + kR / 3)
                                : BoxP(P(x - 4), P(y - 2), P(x), P(y + 2) + kR / 3));
        for (int j = y - 1; j <= y + 2; ++j) {
            e.push_back(LineP(P(x), P(j), P(x) - d * h, P(j)));
            e.push_back(TextP(o == kRight ? P(x) + kR / 4 : P(x) - kR / 1.5, P(j) - h,
                              std::to_string(y - 1 - j + 3)));
        }
        e.push_back(LineP(P(s1), P(y - 2), P(s1), P(y - 2) - h));
        e.push_back(LineP(P(s1 + 1), P(y - 2), P(s1 + 1), P(y - 2) - h));
        e.push_back(LineP(P(x + 4 * d), P(y + 1), P(x + 4 * d) + d * h, P(y + 1)));
        e.push_back(TextP(P(s1) - h, P(y - 2), "S1"));
        e.push_back(TextP(P(s1 + 1) - h, P(y - 2), "S0"));
        e.push_back(TextP(P(s1) - h, P(y) + h, "MUX"));
        break;
    }
    case kDown:
        e.push_back(BoxP(P(x - 2) - kR / 3, P(y), P(x + 2), P(y + 4)));
        for (int i = x - 2; i <= x + 1; ++i) {
            e.push_back(LineP(P(i), P(y), P(i), P(y) - h));
            e.push_back(TextP(P(i) - kR / 8, P(y), std::to_string(x - 2 - i + 3)));
        }
        e.push_back(LineP(P(x + 2), P(y + 2), P(x + 2) + h, P(y + 2)));
        e.push_back(LineP(P(x + 2), P(y + 3), P(x + 2) + h, P(y + 3)));
        e.push_back(LineP(P(x - 1), P(y + 4), P(x - 1), P(y + 4) + h));
        e.push_back(TextP(P(x + 2) - 1.1 * kR, P(y + 2) - h, "S1"));
        e.push_back(TextP(P(x + 2) - 1.1 * kR, P(y + 3) - h, "S0"));
        e.push_back(TextP(P(x - 2), P(y + 2), "MUX"));
        break;
    default: // kUp
        e.push_back(BoxP(P(x - 2) - kR / 3, P(y - 4), P(x + 2), P(y)));
        for (int i = x - 2; i <= x + 1; ++i) {
            e.push_back(LineP(P(i), P(y), P(i), P(y) + h));
            e.push_back(TextP(P(i) - kR / 8, P(y) - kR, std::to_string(x - 2 - i + 3)));
        }
        e.push_back(LineP(P(x + 2), P(y - 3), P(x + 2) + h, P(y - 3)));
        e.push_back(LineP(P(x + 2), P(y - 2), P(x + 2) + h, P(y - 2)));
        e.push_back(LineP(P(x - 1), P(y - 4), P(x - 1), P(y - 4) - h));
        e.push_back(TextP(P(x + 2) - 1.1 * kR, P(y - 3) - h, "S1"));
        e.push_back(TextP(P(x + 2) - 1.1 * kR, P(y - 2) - h, "S0"));
        e.push_back(TextP(P(x - 2), P(y - 3), "MUX"));
        break;
    }
    return e;
}

// The footprint corners of a multiplexer placed at (x, y).
void Footprint(std::uint8_t o, int x, int y, int& x1, int& y1, int& x2, int& y2) {
    x1 = o == kRight ? x : o == kLeft ? x - 4 : x - 2;
    x2 = x1 + 4;
    y1 = o == kDown ? y : o == kUp ? y - 4 : y - 2;
    y2 = y1 + 4;
}

class DrawMultiplexerTest : public CoreFixture, public ::testing::WithParamInterface<std::uint8_t> {
  protected:
    static constexpr int kX = 20, kY = 12;
    void SetUp() override { PutMultiplexer(kX, kY, GetParam()); }
    void Draw(int x = kX, int y = kY) {
        gGrafik.Orientation = GetParam();
        gGrafik.DrawMultiplexer(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    }
};

TEST_P(DrawMultiplexerTest, RecordsTheSymbolOfItsOrientation) {
    Draw();
    EXPECT_TRUE(SamePrimitives(Primitives(screen), Expected(GetParam(), kX, kY)));
    const DrawCall body = screen.CallsOf(DrawOp::Box).at(0);
    EXPECT_EQ(body.fillColor, Rgb(192, 255, 255));
    EXPECT_EQ(body.fillStyle, FillMode::Solid);
    for (const DrawCall& c : screen.CallsOf(DrawOp::Line))
        EXPECT_EQ(c.color, Rgb(0, 0, 0));
    const std::vector<DrawCall> prints = screen.CallsOf(DrawOp::Print);
    ASSERT_EQ(prints.size(), 7u);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(prints[i].fontSize, 8.0);
        EXPECT_FALSE(prints[i].fontBold);
    }
    EXPECT_DOUBLE_EQ(prints[6].fontSize, 10.0);
    EXPECT_TRUE(prints[6].fontBold);
    EXPECT_FALSE(screen.FontBold);
    EXPECT_DOUBLE_EQ(screen.FontSize, 10.0);
}

TEST_P(DrawMultiplexerTest, AnyCellOfTheElementGivesTheSamePicture) {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Footprint(GetParam(), kX, kY, x1, y1, x2, y2);
    const std::vector<Prim> expected = Expected(GetParam(), kX, kY);
    for (int x = x1; x <= x2; ++x) {
        for (int y = y1; y <= y2; ++y) {
            screen.ClearLog();
            Draw(x, y);
            EXPECT_TRUE(SamePrimitives(Primitives(screen), expected)) << x << "," << y;
        }
    }
}

TEST_P(DrawMultiplexerTest, StubsAreDrawnAlsoWhereWiresAreAttached) {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Footprint(GetParam(), kX, kY, x1, y1, x2, y2);
    for (int x = x1; x <= x2; ++x) {
        for (int y = y1; y <= y2; ++y) {
            CellRecord& c = gGrid(x, y);
            c.Links = c.Rechts = c.Oben = c.Unten = kTrue;
        }
    }
    Draw();
    EXPECT_TRUE(SamePrimitives(Primitives(screen), Expected(GetParam(), kX, kY)));
}

TEST_P(DrawMultiplexerTest, PrinterBodyIsWhiteAndItsOutlineDrawnTwice) {
    gGrafik.Device = &printer;
    Draw();
    std::vector<Prim> expected = Expected(GetParam(), kX, kY);
    expected.push_back(expected.front());
    EXPECT_TRUE(SamePrimitives(Primitives(printer), expected));
    const std::vector<DrawCall> boxes = printer.CallsOf(DrawOp::Box);
    EXPECT_EQ(boxes.at(0).fillColor, Rgb(255, 255, 255));
    EXPECT_EQ(boxes.at(1).fillStyle, FillMode::Transparent);
    const std::vector<DrawCall> prints = printer.CallsOf(DrawOp::Print);
    EXPECT_NEAR(prints.at(0).fontSize, 0.96, 1e-6);
    EXPECT_NEAR(prints.at(6).fontSize, 1.2, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Orientations, DrawMultiplexerTest,
                         ::testing::Values(kRight, kLeft, kDown, kUp));

using DrawMultiplexerOther = CoreFixture;

TEST_F(DrawMultiplexerOther, DataNumbersReadThreeToZeroFromTopToBottom) {
    PutMultiplexer(20, 12, kRight);
    gGrafik.Orientation = kRight;
    gGrafik.DrawMultiplexer(20, 12);
    const std::vector<DrawCall> prints = screen.CallsOf(DrawOp::Print);
    ASSERT_GE(prints.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(prints[i].text, std::to_string(3 - i));
        EXPECT_DOUBLE_EQ(prints[i].currentY, 14.0 * (11 + static_cast<int>(i))); // its row's top
    }
}

TEST_F(DrawMultiplexerOther, AnOrientationOutsideOneToFourDrawsNothing) {
    PutMultiplexer(20, 12, kRight);
    gGrafik.Orientation = 7;
    gGrafik.DrawMultiplexer(20, 12);
    EXPECT_TRUE(Primitives(screen).empty());
}

} // namespace
} // namespace kardo::test
