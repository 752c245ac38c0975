// The second sheet of the symbol gallery: decoders, multiplexers, flip-flops, shift registers,
// half adders and the number display in every orientation, offscreen into one PNG. Runs only
// when KARDO_SYMBOL_GALLERY names the gallery PNG; this sheet goes next to it as *_blocks.png:
//   KARDO_SYMBOL_GALLERY=/tmp/symbols.png kardo_gui_tests --gtest_filter='*Gallery*'
#include "model/codes.h"
#include "model/grid.h"
#include "render/grafik.h"
#include "support/block_symbols.h"
#include "support/qt/image_fixture.h"

#include <string>

#include <QString>

namespace kardo::test {
namespace {

using BlockSymbolGallery = GalleryFixture;

std::int16_t s16(int v) { return static_cast<std::int16_t>(v); }

// "/tmp/symbols.png" -> "/tmp/symbols_blocks.png".
std::string BlocksPath(std::string path) { return GalleryPath(std::move(path), "_blocks"); }

TEST_F(BlockSymbolGallery, DrawsEveryBlockSymbolInEveryOrientation) {
    // Bands of 14 rows for the horizontal orientations, 12 for the vertical ones.
    StartSheet(86, 58);

    struct Band {
        std::uint8_t o;
        int y; // anchor row of the band
    };
    const Band bands[] = {{kRight, 7}, {kLeft, 21}, {kDown, 31}, {kUp, 53}};
    for (const Band& b : bands) {
        const bool horizontal = b.o == kLeft || b.o == kRight;
        const int y = b.y;
        gGrafik.Orientation = b.o;
        int left = 2; // first free column of the band
        // Anchor column of a symbol whose footprint starts at column left: hw columns wide lying
        // down, vw wide standing up with the anchor voff columns in.
        const auto anchor = [&](int hw, int vw, int voff) {
            const int a = horizontal ? (b.o == kLeft ? left + hw - 1 : left) : left + voff;
            left += (horizontal ? hw : vw) + 2;
            return a;
        };

        int a = anchor(3, 10, 4);
        PutDecoder(a, y, b.o, true);
        gGrafik.DrawDecoder(s16(a), s16(y), false);

        a = anchor(5, 5, 2);
        PutMultiplexer(a, y, b.o);
        gGrafik.DrawMultiplexer(s16(a), s16(y));

        a = anchor(6, 3, 1);
        const std::int16_t ff = PutFlipFlop(a, y, b.o);
        gElements[static_cast<std::size_t>(ff)].Zustand[12] = b.o == kRight ? kTrue : kFalse;
        gGrid(horizontal ? a : a + 1, horizontal ? y - 1 : y).Punkt = kPointConnection; // J
        gGrafik.DrawFlipFlop(s16(a), s16(y), false, false);

        a = anchor(9, 3, 1);
        const std::int16_t sr = PutShiftRegister(a, y, b.o);
        gElements[static_cast<std::size_t>(sr)].Zustand[2] = kTrue;
        gElements[static_cast<std::size_t>(sr)].Zustand[8] = kTrue;
        gGrafik.DrawSRegister(s16(a), s16(y));

        a = anchor(4, 3, 1);
        PutHalfAdder(a, y, b.o);
        gGrafik.DrawHA(s16(a), s16(y));

        // The outline views next to the full ones.
        a = anchor(6, 3, 1);
        PutFlipFlop(a, y, b.o);
        gGrafik.DrawFlipFlop(s16(a), s16(y), true, false);
        a = anchor(3, 10, 4);
        PutDecoder(a, y, b.o, false);
        gGrafik.DrawDecoder(s16(a), s16(y), true);
    }

    // The number display, once (it has one shape), showing 63 and 9.
    for (const int x : {70, 77}) {
        PutNumberDisplay(x, 8);
        const int value = x == 70 ? 63 : 9;
        const int cells[6][2] = {{x + 3, 6}, {x + 2, 6}, {x + 1, 6}, {x, 7}, {x, 8}, {x, 9}};
        for (int k = 0; k < 6; ++k)
            gGrid(cells[k][0], cells[k][1]).Pegel = (value >> k) & 1 ? kTrue : kFalse;
        gGrafik.DrawZAnzeige(s16(x), 8);
    }

    ASSERT_TRUE(image.Image().save(QString::fromStdString(BlocksPath(path))));
}

} // namespace
} // namespace kardo::test
