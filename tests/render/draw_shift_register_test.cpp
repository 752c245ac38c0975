// Shift register symbol: body, stubs, dividers, clock triangle and the eight stage digits in
// every orientation, wired pins, stage values from the worksheet or the shown level, printer.
#include "ic/ic_view.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "render/grafik.h"
#include "support/block_symbols.h"
#include "support/core_fixture.h"

#include <array>
#include <string>

namespace kardo::test {
namespace {

constexpr double kR = 14; // zoomed cell size at zoom 1.0
double P(int i) { return 14.0 * i + 7; }

// Digit texts of the eight stages, first register then second.
using Digits = std::array<const char*, 8>;
constexpr Digits kAllZero{"0", "0", "0", "0", "0", "0", "0", "0"};

// The picture of the shift register with its clock input at (x, y), zoom 1.0, from the
// symbol's geometry table. skip leaves out stub number skip (inputs 0..2 in the order of the
// input side, outputs 3..4), -1 none.
std::vector<Prim> Expected(std::uint8_t o, int x, int y, const Digits& digits, int skip = -1) {
    const double h = kR / 2, q = kR / 4, t = kR / 1.5;
    const bool horizontal = o == kLeft || o == kRight;
    const int d = (o == kRight || o == kDown) ? 1 : -1;
    std::vector<Prim> e;
    std::vector<Prim> stubs;
    if (horizontal) {
        e.push_back(BoxP(P(x), P(y - 1) - q, P(x + 8 * d), P(y + 1) + q));
        for (const int py : {y - 1, y, y + 1})
            stubs.push_back(LineP(P(x), P(py), P(x) - d * h, P(py)));
        for (const int py : {y - 1, y + 1})
            stubs.push_back(LineP(P(x + 8 * d) + d * h, P(py), P(x + 8 * d), P(py)));
    } else {
        e.push_back(BoxP(P(x - 1) - q, P(y), P(x + 1) + q, P(y + 8 * d)));
        for (const int px : {x - 1, x, x + 1})
            stubs.push_back(LineP(P(px), P(y), P(px), P(y) - d * h));
        for (const int px : {x - 1, x + 1})
            stubs.push_back(LineP(P(px), P(y + 8 * d) + d * h, P(px), P(y + 8 * d)));
    }
    for (std::size_t i = 0; i < stubs.size(); ++i)
        if (static_cast<int>(i) != skip)
            e.push_back(stubs[i]);
    for (const int k : {2, 4, 6}) {
        if (horizontal)
            e.push_back(LineP(P(x + k * d), P(y - 1) - q, P(x + k * d), P(y + 1) + q));
        else
            e.push_back(LineP(P(x - 1) - q, P(y + k * d), P(x + 1) + q, P(y + k * d)));
    }
    if (horizontal) {
        e.push_back(LineP(P(x) + d * t, P(y), P(x + 8 * d), P(y)));
        e.push_back(LineP(P(x), P(y) - t, P(x) + d * t, P(y)));
        e.push_back(LineP(P(x), P(y) + t, P(x) + d * t, P(y)));
    } else {
        e.push_back(LineP(P(x), P(y) + d * t, P(x), P(y + 8 * d)));
        e.push_back(LineP(P(x) - t, P(y), P(x), P(y) + d * t));
        e.push_back(LineP(P(x) + t, P(y), P(x), P(y) + d * t));
    }
    for (int reg = 0; reg < 2; ++reg) {
        for (int s = 1; s <= 4; ++s) {
            const int m = 2 * s - 1;
            const char* text = digits[static_cast<std::size_t>(4 * reg + s - 1)];
            switch (o) {
            case kRight:
            case kLeft:
                e.push_back(TextP(P(x + m * d) - kR / 5,
                                  reg == 0 ? P(y - 1) - kR / 5 : P(y) + kR / 6, text));
                break;
            case kDown:
                e.push_back(
                    TextP(reg == 0 ? P(x) + kR / 2.5 : P(x - 1) + kR / 6, P(y + m) - kR / 3, text));
                break;
            default:
                e.push_back(
                    TextP(reg == 0 ? P(x) + kR / 2.5 : P(x - 1) + kR / 6, P(y - m) - kR / 2, text));
                break;
            }
        }
    }
    return e;
}

class DrawShiftRegisterTest : public CoreFixture,
                              public ::testing::WithParamInterface<std::uint8_t> {
  protected:
    static constexpr int kX = 20, kY = 12;
    void SetUp() override { m_nr = PutShiftRegister(kX, kY, GetParam()); }
    void Draw() {
        gGrafik.Orientation = GetParam();
        gGrafik.DrawSRegister(kX, kY);
    }
    std::int16_t m_nr = 0; // the register's element number
};

TEST_P(DrawShiftRegisterTest, FreshRegisterShowsEightZeros) {
    Draw();
    EXPECT_TRUE(SamePrimitives(Primitives(screen), Expected(GetParam(), kX, kY, kAllZero)));
    const DrawCall body = screen.CallsOf(DrawOp::Box).at(0);
    EXPECT_EQ(body.fillColor, Rgb(255, 255, 192));
    EXPECT_EQ(body.fillStyle, FillMode::Solid);
    for (const DrawCall& c : screen.CallsOf(DrawOp::Print)) {
        EXPECT_DOUBLE_EQ(c.fontSize, 10.0);
        EXPECT_EQ(c.color, Rgb(0, 0, 0));
    }
}

TEST_P(DrawShiftRegisterTest, EachStageSlotHasItsOwnDigit) {
    // Slots 2..5 are the first register's stages, 6..9 the second's.
    for (int slot = 2; slot <= 9; ++slot) {
        ElementRecord& e = gElements[static_cast<std::size_t>(m_nr)];
        e.Zustand.fill(kFalse);
        e.Zustand[static_cast<std::size_t>(slot)] = kTrue;
        screen.ClearLog();
        Draw();
        Digits digits = kAllZero;
        digits[static_cast<std::size_t>(slot - 2)] = "1";
        EXPECT_TRUE(SamePrimitives(Primitives(screen), Expected(GetParam(), kX, kY, digits)))
            << "slot " << slot;
    }
}

TEST_P(DrawShiftRegisterTest, AWireOnTheClockInputSuppressesOnlyTheClockStub) {
    const std::uint8_t o = GetParam();
    CellRecord& clockCell = gGrid(kX, kY);
    (o == kRight  ? clockCell.Links
     : o == kLeft ? clockCell.Rechts
     : o == kDown ? clockCell.Oben
                  : clockCell.Unten) = kTrue;
    Draw();
    EXPECT_TRUE(SamePrimitives(Primitives(screen), Expected(o, kX, kY, kAllZero, 1)));
}

TEST_P(DrawShiftRegisterTest, AWireOnAnOutputSuppressesItsStub) {
    const std::uint8_t o = GetParam();
    // The second output stub: (x+8, y+1), (x-8, y+1), (x+1, y+8) or (x+1, y-8).
    const bool horizontal = o == kLeft || o == kRight;
    const int d = (o == kRight || o == kDown) ? 1 : -1;
    CellRecord& out = horizontal ? gGrid(kX + 8 * d, kY + 1) : gGrid(kX + 1, kY + 8 * d);
    (o == kRight ? out.Rechts : o == kLeft ? out.Links : o == kDown ? out.Unten : out.Oben) = kTrue;
    Draw();
    EXPECT_TRUE(SamePrimitives(Primitives(screen), Expected(o, kX, kY, kAllZero, 4)));
}

TEST_P(DrawShiftRegisterTest, PrinterBodyIsWhiteWithLargerDigitsAndNoSecondOutline) {
    gGrafik.Device = &printer;
    Draw();
    EXPECT_TRUE(SamePrimitives(Primitives(printer), Expected(GetParam(), kX, kY, kAllZero)));
    EXPECT_EQ(printer.CallsOf(DrawOp::Box).at(0).fillColor, Rgb(255, 255, 255));
    for (const DrawCall& c : printer.CallsOf(DrawOp::Print))
        EXPECT_NEAR(c.fontSize, 1.2, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Orientations, DrawShiftRegisterTest,
                         ::testing::Values(kRight, kLeft, kDown, kUp));

using DrawShiftRegisterOther = CoreFixture;

TEST_F(DrawShiftRegisterOther, StageOneOfTheFirstRegisterStandsAtCellXPlusOne) {
    const std::int16_t nr = PutShiftRegister(20, 12, kRight);
    gElements[static_cast<std::size_t>(nr)].Zustand[2] = kTrue;
    gGrafik.Orientation = kRight;
    gGrafik.DrawSRegister(20, 12);
    const std::vector<DrawCall> ones = Prints(screen, "1");
    ASSERT_EQ(ones.size(), 1u);
    EXPECT_DOUBLE_EQ(ones[0].currentX, 14.0 * 21 + 7 - 14.0 / 5);
    EXPECT_DOUBLE_EQ(ones[0].currentY, 14.0 * 11 + 7 - 14.0 / 5);
    EXPECT_EQ(Prints(screen, "0").size(), 7u);
}

TEST_F(DrawShiftRegisterOther, PoweredShowsTheStagesOfTheShownLevel) {
    const std::int16_t nr = PutShiftRegister(20, 12, kRight);
    gElements[static_cast<std::size_t>(nr)].Zustand[3] = kTrue; // not shown while powered
    gLevels.resize(2);
    for (SimLevelRecord& level : gLevels) {
        level.Feld = gGrid;
        level.Elemente = gElements;
        level.Elemente[static_cast<std::size_t>(nr)].Zustand[3] = kFalse;
    }
    gLevels[0].Elemente[static_cast<std::size_t>(nr)].Zustand[9] = kTrue;
    gLevels[1].Elemente[static_cast<std::size_t>(nr)].Zustand[6] = kTrue;
    gPowerOn = true;
    gGrafik.Orientation = kRight;
    gGrafik.DrawSRegister(20, 12);
    Digits level0 = kAllZero;
    level0[7] = "1";
    EXPECT_TRUE(SamePrimitives(Primitives(screen), Expected(kRight, 20, 12, level0)));
    screen.ClearLog();
    gCurLevel = 1; // IC level 1 is shown
    gInLevel = true;
    gGrafik.DrawSRegister(20, 12);
    Digits level1 = kAllZero;
    level1[4] = "1";
    EXPECT_TRUE(SamePrimitives(Primitives(screen), Expected(kRight, 20, 12, level1)));
    gPowerOn = false;
}

TEST_F(DrawShiftRegisterOther, AnOrientationOutsideOneToFourDrawsNothing) {
    PutShiftRegister(20, 12, kRight);
    gGrafik.Orientation = 5;
    gGrafik.DrawSRegister(20, 12);
    EXPECT_TRUE(Primitives(screen).empty());
}

} // namespace
} // namespace kardo::test
