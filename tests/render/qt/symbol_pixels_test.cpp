// Body fill colours of the symbols on the worksheet picture, sampled inside each body away from
// its label, and the colours at LED, analysis point and negation point centres.
#include "model/codes.h"
#include "model/grid.h"
#include "render/grafik.h"
#include "support/qt/image_fixture.h"
#include "support/render_symbols.h"

namespace kardo::test {
namespace {

constexpr Color kYellow = Rgb(255, 255, 192);
constexpr Color kWhite = Rgb(255, 255, 255);

using SymbolPixelTest = ImageFixture;

TEST_F(SymbolPixelTest, BodiesAreFilledWithTheirColours) {
    const auto gate = [](std::uint8_t typ, bool onlyBorder) {
        return [typ, onlyBorder] {
            PutGate(typ, 10, 10, kRight, 3);
            gGrafik.Orientation = kRight;
            if (typ == kTypeAnd)
                gGrafik.DrawUnd(10, 10, onlyBorder);
            if (typ == kTypeOr)
                gGrafik.DrawOder(10, 10, onlyBorder);
            if (typ == kTypeXor)
                gGrafik.DrawXOder(10, 10);
        };
    };
    const FillCase cases[] = {
        // Gate body (147..175, 130..164); the label starts at row 140.
        {"AND", gate(kTypeAnd, false), 161, 134, kYellow},
        {"OR", gate(kTypeOr, false), 161, 134, kYellow},
        {"XOR", gate(kTypeXor, false), 161, 134, kYellow},
        {"AND outline", gate(kTypeAnd, true), 161, 134, kWhite},
        {"OR outline", gate(kTypeOr, true), 161, 147, kWhite},
        {"inverter circle",
         [] {
             PutInverter(10, 10, kRight);
             gGrafik.Orientation = kRight;
             gGrafik.DrawInverter(10, 10);
         },
         161, 147, Rgb(192, 255, 192)},
        {"switch without a digit",
         [] {
             PutSwitch(1, 2);
             gGrid(1, 2).Pegel = 1; // neither 0 nor -1: no digit
             gGrafik.DrawSwitch(1, 2);
         },
         21, 35, Rgb(192, 192, 192)},
        {"tri-state",
         [] {
             PutTriState(10, 10, kRight);
             gGrafik.Orientation = kRight;
             gGrafik.DrawTriState(10, 10);
         },
         170, 134, kYellow},
        {"clock",
         [] {
             PutClock(10, 10, kRight);
             gGrafik.DrawTimer(10, 10, false);
         },
         182, 134, kYellow},
        {"selected clock",
         [] {
             PutClock(10, 10, kRight);
             gGrafik.DrawTimer(10, 10, true);
         },
         182, 134, Rgb(255, 224, 192)},
        {"full adder",
         [] {
             PutFullAdder(5, 5, kRight);
             gGrafik.Orientation = kRight;
             gGrafik.DrawVA(5, 5);
         },
         82, 90, kYellow},
    };
    ExpectFills(cases);
}

TEST_F(SymbolPixelTest, LedCentreShowsItsColourWhenLit) {
    PutLed(6, 4, Rgb(0, 0, 255));
    gGrafik.DrawDiode(6, 4);
    EXPECT_EQ(image.PixelAt(91, 63), Rgb(224, 224, 224));
    EXPECT_EQ(image.PixelAt(91 - 6, 63), 0); // the black border
    gGrid(6, 4).Pegel = kTrue;
    gGrafik.DrawDiode(6, 4);
    EXPECT_EQ(image.PixelAt(91, 63), Rgb(0, 0, 255));
}

TEST_F(SymbolPixelTest, AnalysisPointDiscIsLightCyan) {
    PutAnalysisPoint(6, 4, "1");
    gGrafik.DrawAnalysepunkt(6, 4);
    EXPECT_EQ(image.PixelAt(91 - 4, 63 + 3), Rgb(192, 255, 255)); // below and left of the digit
}

TEST_F(SymbolPixelTest, NegationPointCentreIsLightGrey) {
    PutGate(kTypeAnd, 10, 10, kRight, 3);
    gGrafik.DrawNegationsPunkt(12, 10);
    EXPECT_EQ(image.PixelAt(175 + 4, 147), Rgb(192, 192, 192));
}

} // namespace
} // namespace kardo::test
