// Number display symbol: frame, window, stubs and labels, the value of the six inputs from the
// worksheet or the shown simulation level, and the printer variant.
#include "ic/ic_view.h"
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

// The display's six input cells for a display placed at (x, y), in pin order.
std::vector<GridPoint> Inputs(int x, int y) {
    auto pt = [](int a, int b) {
        return GridPoint{static_cast<std::int16_t>(a), static_cast<std::int16_t>(b)};
    };
    return {pt(x + 3, y - 2), pt(x + 2, y - 2), pt(x + 1, y - 2),
            pt(x, y - 1),     pt(x, y),         pt(x, y + 1)};
}

// The picture of a display placed at (x, y) showing text, at zoom 1.0.
std::vector<Prim> Expected(int x, int y, const std::string& text, bool twoDigits) {
    const double xl = P(x), yt = P(y - 2), xr = P(x + 4), yb = P(y + 2);
    std::vector<Prim> e{BoxP(xl, yt, xr, yb), BoxP(xl + kR, yt + kR, xr - kR / 2, yb - kR / 2)};
    for (int i = y - 1; i <= y + 1; ++i) {
        e.push_back(LineP(xl, P(i), xl - kR / 2, P(i)));
        e.push_back(TextP(xl + kR / 4, P(i) - kR / 2, std::to_string(i - y + 4)));
    }
    for (const int col : {x + 2, x + 3, x + 1})
        e.push_back(LineP(P(col), yt, P(col), yt - kR / 2));
    e.push_back(TextP(P(x + 1) - kR / 6, yt, "2"));
    e.push_back(TextP(P(x + 2) - kR / 6, yt, "1"));
    e.push_back(TextP(P(x + 3) - kR / 6, yt, "0"));
    e.push_back(TextP(P(x + 1) + kR / 1.5 - (twoDigits ? kR / 2.1 : 0), P(y - 1) + kR / 1.5, text));
    return e;
}

class DrawNumberDisplayTest : public CoreFixture {
  protected:
    void SetUp() override { PutNumberDisplay(10, 10); }
    void Draw(int x = 12, int y = 10) {
        gGrafik.Orientation = kRight;
        gGrafik.DrawZAnzeige(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    }
    // Text of the value print (the last Print of the drawing).
    std::string Shown(const RecordingTarget& target) const {
        return target.CallsOf(DrawOp::Print).back().text;
    }
};

TEST_F(DrawNumberDisplayTest, RecordsFrameWindowStubsAndLabels) {
    Draw();
    EXPECT_TRUE(SamePrimitives(Primitives(screen), Expected(10, 10, " 0", false)));
    const std::vector<DrawCall> boxes = screen.CallsOf(DrawOp::Box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].fillColor, Rgb(255, 255, 192));
    EXPECT_EQ(boxes[0].fillStyle, FillMode::Solid);
    EXPECT_EQ(boxes[1].fillColor, Rgb(224, 224, 224));
    EXPECT_EQ(boxes[1].fillStyle, FillMode::Solid);
    const std::vector<DrawCall> prints = screen.CallsOf(DrawOp::Print);
    for (std::size_t i = 0; i + 1 < prints.size(); ++i)
        EXPECT_DOUBLE_EQ(prints[i].fontSize, 8.0);
    EXPECT_DOUBLE_EQ(prints.back().fontSize, 13.0);
    EXPECT_EQ(screen.FillStyle, FillMode::Transparent);
}

struct ValueCase {
    std::vector<int> high; // indexes 0..5 of the input points that are high
    const char* shown;
};

class DrawNumberDisplayValue : public DrawNumberDisplayTest,
                               public ::testing::WithParamInterface<ValueCase> {};

TEST_P(DrawNumberDisplayValue, ShowsTheWeightedSumOfTheHighInputs) {
    const std::vector<GridPoint> in = Inputs(10, 10);
    for (const int k : GetParam().high)
        gGrid(in[static_cast<std::size_t>(k)].x, in[static_cast<std::size_t>(k)].y).Pegel = kTrue;
    Draw();
    const std::string shown = GetParam().shown;
    EXPECT_TRUE(SamePrimitives(Primitives(screen), Expected(10, 10, shown, shown.size() == 3)));
}

INSTANTIATE_TEST_SUITE_P(Values, DrawNumberDisplayValue,
                         ::testing::Values(ValueCase{{}, " 0"}, ValueCase{{0}, " 1"},
                                           ValueCase{{5}, " 32"}, ValueCase{{2, 3}, " 12"},
                                           ValueCase{{0, 3}, " 9"}, ValueCase{{1, 3}, " 10"},
                                           ValueCase{{0, 1, 2, 3, 4, 5}, " 63"}));

TEST_F(DrawNumberDisplayTest, AnyCellOfTheDisplayGivesTheSamePicture) {
    Draw(10, 8);
    const std::vector<DrawCall> first = Primitives(screen);
    screen.ClearLog();
    Draw(14, 12);
    EXPECT_TRUE(SamePrimitives(Primitives(screen), ToPrims(first)));
}

TEST_F(DrawNumberDisplayTest, PoweredShowsTheLevelsOfTheShownLevel) {
    const std::vector<GridPoint> in = Inputs(10, 10);
    gGrid(in[0].x, in[0].y).Pegel = kTrue; // the worksheet's own levels are not used
    gLevels.resize(2);
    for (SimLevelRecord& level : gLevels) {
        level.Feld = gGrid;
        level.Elemente = gElements;
    }
    gLevels[0].Feld(in[0].x, in[0].y).Pegel = kFalse;
    gLevels[0].Feld(in[4].x, in[4].y).Pegel = kTrue;
    gLevels[1].Feld(in[5].x, in[5].y).Pegel = kTrue;
    gPowerOn = true;
    Draw();
    EXPECT_EQ(Shown(screen), " 16");
    gCurLevel = 1; // IC level 1 is shown
    gInLevel = true;
    Draw();
    EXPECT_EQ(Shown(screen), " 33");
    gPowerOn = false;
    Draw();
    EXPECT_EQ(Shown(screen), " 1");
}

TEST_F(DrawNumberDisplayTest, PrinterBodiesAreWhiteAndTheFrameIsDrawnAgain) {
    gGrafik.Device = &printer;
    for (const int k : {0, 1, 2, 3, 4, 5})
        gGrid(Inputs(10, 10)[static_cast<std::size_t>(k)].x,
              Inputs(10, 10)[static_cast<std::size_t>(k)].y)
            .Pegel = kTrue;
    Draw();
    std::vector<Prim> expected = Expected(10, 10, " 63", true);
    expected.push_back(expected.front());
    EXPECT_TRUE(SamePrimitives(Primitives(printer), expected));
    const std::vector<DrawCall> boxes = printer.CallsOf(DrawOp::Box);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].fillColor, Rgb(255, 255, 255));
    EXPECT_EQ(boxes[1].fillColor, Rgb(255, 255, 255));
    EXPECT_EQ(boxes[2].fillStyle, FillMode::Transparent);
    const std::vector<DrawCall> prints = printer.CallsOf(DrawOp::Print);
    EXPECT_NEAR(prints.front().fontSize, 0.96, 1e-6);
    EXPECT_NEAR(prints.back().fontSize, 1.56, 1e-6);
    EXPECT_TRUE(screen.Calls().empty());
}

} // namespace
} // namespace kardo::test
