// One-cell symbols: LED fill by level, device and power; analysis point disc and number, absent on
// the printer; switch square with the digit of its level.
#include "ic/ic_view.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "render/grafik.h"
#include "support/block_symbols.h"
#include "support/core_fixture.h"
#include "support/render_symbols.h"

namespace kardo::test {
namespace {

using PointSymbolTest = CoreFixture;

constexpr Color kLedRed = Rgb(255, 0, 0);
constexpr Color kLedBlue = Rgb(0, 0, 255);

// Powers the circuit on with level 0 a copy of the worksheet.
void PowerOnWithCopy() {
    gLevels.at(0).Feld = gGrid;
    gLevels.at(0).Elemente = gElements;
    gLevels.at(0).AnzElemente = gAnzElemente;
    gPowerOn = true;
}

TEST_F(PointSymbolTest, LedFillFollowsLevelDeviceAndPower) {
    const struct {
        bool printer;
        bool powered;
        bool worksheetHigh;
        bool levelHigh;
        Color fill;
    } cases[] = {
        {false, false, false, false, Rgb(224, 224, 224)}, {false, false, true, false, kLedBlue},
        {true, false, false, false, Rgb(255, 255, 255)},  {true, false, true, false, kLedBlue},
        {false, true, true, false, Rgb(224, 224, 224)},   {false, true, false, true, kLedBlue},
        {true, true, false, false, Rgb(224, 224, 224)},   {true, true, false, true, kLedBlue},
    };
    for (const auto& c : cases) {
        InitProgramState();
        screen.ClearLog();
        printer.ClearLog();
        PutLed(6, 4, kLedBlue);
        gGrid(6, 4).Pegel = TruthValue(c.worksheetHigh);
        if (c.powered) {
            PowerOnWithCopy();
            gLevels[0].Feld(6, 4).Pegel = TruthValue(c.levelHigh);
        }
        RecordingTarget& target = c.printer ? printer : screen;
        gGrafik.Device = &target;
        gGrafik.DrawDiode(6, 4);
        EXPECT_TRUE(SamePrimitives(Primitives(target), {CircleP(91, 63, 6)}));
        EXPECT_EQ(target.Calls().at(0).fillColor, c.fill)
            << c.printer << c.powered << c.worksheetHigh << c.levelHigh;
        EXPECT_EQ(target.Calls().at(0).fillStyle, FillMode::Solid);
    }
}

TEST_F(PointSymbolTest, LedWhilePoweredFollowsTheShownLevel) {
    PutLed(6, 4, kLedRed);
    PowerOnWithCopy();
    gLevels.emplace_back(gLevels[0]);
    gLevels[1].Feld(6, 4).Pegel = kTrue;
    gCurLevel = 1; // IC level 1 is shown
    gInLevel = true;
    gGrafik.DrawDiode(6, 4);
    EXPECT_EQ(screen.Calls().at(0).fillColor, kLedRed);
}

TEST_F(PointSymbolTest, LedRadiusScalesWithTheZoom) {
    gGrafik.GridMode = 2.0f;
    PutLed(6, 4, kLedRed);
    gGrafik.DrawDiode(6, 4);
    EXPECT_TRUE(SamePrimitives(Primitives(screen), {CircleP(182, 126, 12)}));
}

TEST_F(PointSymbolTest, AnalysisPointIsACyanDiscWithItsNumber) {
    PutAnalysisPoint(3, 5, "4");
    gGrafik.DrawAnalysepunkt(3, 5);
    EXPECT_TRUE(SamePrimitives(Primitives(screen), {CircleP(49, 77, 6), TextP(47, 72, "4")}));
    EXPECT_EQ(screen.Calls().at(0).fillColor, Rgb(192, 255, 255));
    EXPECT_EQ(screen.Calls().at(1).fontName, "Arial");
    EXPECT_DOUBLE_EQ(screen.Calls().at(1).fontSize, 7.0);
    EXPECT_EQ(screen.Calls().at(1).foreColor, 0);
}

TEST_F(PointSymbolTest, AnalysisPointAtZoomTwo) {
    gGrafik.GridMode = 2.0f;
    PutAnalysisPoint(3, 5, "9");
    gGrafik.DrawAnalysepunkt(3, 5);
    EXPECT_TRUE(SamePrimitives(Primitives(screen), {CircleP(98, 154, 12), TextP(94, 144, "9")}));
    EXPECT_DOUBLE_EQ(screen.Calls().at(1).fontSize, 14.0);
}

TEST_F(PointSymbolTest, AnalysisPointIsNotPrinted) {
    gGrafik.Device = &printer;
    PutAnalysisPoint(3, 5, "1");
    gGrafik.DrawAnalysepunkt(3, 5);
    EXPECT_TRUE(printer.Calls().empty());
}

TEST_F(PointSymbolTest, SwitchShowsTheDigitOfItsLevel) {
    const struct {
        std::int16_t level;
        const char* digit; // nullptr: nothing printed
    } cases[] = {{kFalse, "0"}, {kTrue, "1"}, {1, nullptr}};
    for (const auto& c : cases) {
        InitProgramState();
        screen.ClearLog();
        PutWire(1, 2, 2, 2);
        PutSwitch(1, 2);
        gGrid(1, 2).Pegel = c.level;
        gGrafik.DrawSwitch(1, 2);
        std::vector<Prim> expected = {
            BoxP(21 - 14.0 / 3, 35 - 14.0 / 3, 21 + 14.0 / 3, 35 + 14.0 / 3)};
        if (c.digit)
            expected.push_back(TextP(21 - 14.0 / 5, 35 - 14.0 / 2.75, c.digit));
        EXPECT_TRUE(SamePrimitives(Primitives(screen), expected)) << c.level;
        EXPECT_EQ(screen.Calls().at(0).fillColor, Rgb(192, 192, 192));
        EXPECT_EQ(screen.Calls().at(0).fillStyle, FillMode::Solid);
        EXPECT_EQ(screen.FillStyle, FillMode::Transparent);
    }
    EXPECT_DOUBLE_EQ(screen.FontSize, 7.0);
}

TEST_F(PointSymbolTest, SwitchWhilePoweredShowsTheShownLevel) {
    PutSwitch(1, 2);
    PowerOnWithCopy();
    gLevels[0].Feld(1, 2).Pegel = kTrue;
    gGrafik.DrawSwitch(1, 2);
    EXPECT_EQ(Prints(screen, "1").size(), 1u);
}

TEST_F(PointSymbolTest, PrintedSwitchIsWhiteWithItsOutlineDrawnTwice) {
    gGrafik.Device = &printer;
    PutSwitch(1, 2);
    gGrafik.DrawSwitch(1, 2);
    const auto boxes = printer.CallsOf(DrawOp::Box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].fillColor, Rgb(255, 255, 255));
    EXPECT_EQ(boxes[1].fillStyle, FillMode::Transparent);
    EXPECT_DOUBLE_EQ(printer.CallsOf(DrawOp::Print).at(0).fontSize, 0.74);
}

} // namespace
} // namespace kardo::test
