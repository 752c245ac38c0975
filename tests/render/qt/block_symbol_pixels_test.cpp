// Body fill colours of the decoder, number display, flip-flop, half adder, multiplexer and shift
// register on the worksheet picture, sampled inside each body away from labels and lines.
#include "model/codes.h"
#include "model/grid.h"
#include "render/grafik.h"
#include "support/block_symbols.h"
#include "support/qt/image_fixture.h"

namespace kardo::test {
namespace {

constexpr Color kYellow = Rgb(255, 255, 192);
constexpr Color kCyan = Rgb(192, 255, 255);
constexpr Color kGreyWindow = Rgb(224, 224, 224);
constexpr Color kWhite = Rgb(255, 255, 255);

// Every symbol is drawn facing right at zoom 1.0.
using BlockSymbolPixelTest = ImageFixture;

TEST_F(BlockSymbolPixelTest, BodiesAreFilledWithTheirColours) {
    const auto decoder = [](bool onlyBorder) {
        return [onlyBorder] {
            PutDecoder(10, 12, kRight, true);
            gGrafik.Orientation = kRight;
            gGrafik.DrawDecoder(10, 12, onlyBorder);
        };
    };
    const auto display = [] {
        PutNumberDisplay(10, 10);
        gGrafik.DrawZAnzeige(10, 10);
    };
    const auto flipFlop = [](bool onlyBorder) {
        return [onlyBorder] {
            PutFlipFlop(10, 10, kRight);
            gGrafik.Orientation = kRight;
            gGrafik.DrawFlipFlop(10, 10, onlyBorder, false);
        };
    };
    const FillCase cases[] = {
        // Trapezoid from (147, 133)-(175, 77) to (175, 231)-(147, 203).
        {"decoder", decoder(false), 161, 120, kYellow},
        {"decoder outline", decoder(true), 161, 120, kWhite},
        // Frame (147, 119)-(203, 175), window (161, 133)-(196, 168).
        {"display frame", display, 150, 172, kYellow},
        {"display window", display, 165, 137, kGreyWindow},
        // Body (147, 127)-(217, 167).
        {"flip-flop", flipFlop(false), 197, 156, kCyan},
        {"flip-flop outline", flipFlop(true), 197, 156, kWhite},
        {"half adder",
         [] {
             PutHalfAdder(10, 12, kRight);
             gGrafik.Orientation = kRight;
             gGrafik.DrawHA(10, 12);
         },
         152, 162, kYellow},
        {"multiplexer",
         [] {
             PutMultiplexer(10, 12, kRight);
             gGrafik.Orientation = kRight;
             gGrafik.DrawMultiplexer(10, 12);
         },
         165, 170, kCyan},
        {"shift register",
         [] {
             PutShiftRegister(10, 12, kRight);
             gGrafik.Orientation = kRight;
             gGrafik.DrawSRegister(10, 12);
         },
         171, 184, kYellow},
    };
    ExpectFills(cases);
}

TEST_F(BlockSymbolPixelTest, FlipFlopMiddleLineIsDottedGrey) {
    PutFlipFlop(10, 10, kRight);
    gGrafik.Orientation = kRight;
    gGrafik.DrawFlipFlop(10, 10, false, false);
    // From (175, 147) to (217, 147): every other pixel grey, the ones between body colour.
    EXPECT_EQ(image.PixelAt(185, 147), Rgb(128, 128, 128));
    EXPECT_EQ(image.PixelAt(186, 147), kCyan);
}

} // namespace
} // namespace kardo::test
