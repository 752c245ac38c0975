// A gallery of the basic symbols in every orientation, drawn offscreen into one PNG so that
// anyone can look at them. Runs only when KARDO_SYMBOL_GALLERY names the PNG to write:
//   KARDO_SYMBOL_GALLERY=/tmp/symbols.png kardo_gui_tests --gtest_filter='SymbolGallery*'
#include "model/codes.h"
#include "model/grid.h"
#include "render/grafik.h"
#include "support/qt/image_fixture.h"
#include "support/render_symbols.h"

#include <QString>

namespace kardo::test {
namespace {

using SymbolGallery = GalleryFixture;

std::int16_t s16(int v) { return static_cast<std::int16_t>(v); }

TEST_F(SymbolGallery, DrawsEveryBasicSymbolInEveryOrientation) {
    // One band of 12 rows per orientation; symbols side by side, 8 columns apart.
    StartSheet(80, 52);

    const std::uint8_t orientations[] = {kRight, kLeft, kDown, kUp};
    for (int band = 0; band < 4; ++band) {
        const std::uint8_t o = orientations[band];
        const int y = 3 + 12 * band + (o == kUp ? 4 : 0);
        const int shiftLeft = o == kLeft ? 3 : 0;
        gGrafik.Orientation = o;
        PutGate(kTypeAnd, 2 + shiftLeft, y, o, 3);
        gGrid(2 + shiftLeft, y).Punkt = kPointConnection; // a negated input
        gGrafik.DrawUnd(s16(2 + shiftLeft), s16(y), false);
        PutGate(kTypeOr, 10 + shiftLeft, y, o, 2);
        gGrafik.DrawOder(s16(10 + shiftLeft), s16(y), false);
        PutGate(kTypeXor, 18 + shiftLeft, y, o, 4);
        gGrafik.DrawXOder(s16(18 + shiftLeft), s16(y));
        PutInverter(26 + shiftLeft, y, o);
        gGrafik.DrawInverter(s16(26 + shiftLeft), s16(y));
        PutTriState(33 + shiftLeft, y, o);
        gGrafik.DrawTriState(s16(33 + shiftLeft), s16(y));
        PutFullAdder(41 + shiftLeft, y, o);
        gGrafik.DrawVA(s16(41 + shiftLeft), s16(y));
        PutClock(50 + shiftLeft, y, o);
        gGrafik.DrawTimer(s16(50 + shiftLeft), s16(y), band == 1);
        gGrafik.Orientation = o;
    }
    // The one-cell symbols and wires in the last band.
    const int y = 50;
    PutWire(2, y, 12, y);
    gGrid(4, y).PegelH = gGrid(8, y).PegelH = kTrue;
    gGrafik.PaintLine(2, s16(y), 4, s16(y), false);
    gGrafik.PaintLine(4, s16(y), 8, s16(y), false);
    gGrafik.PaintLine(8, s16(y), 12, s16(y), false);
    PutSwitch(2, y);
    gGrafik.DrawSwitch(2, s16(y));
    PutLed(12, y, Rgb(0, 160, 0));
    gGrid(12, y).Pegel = kTrue;
    gGrafik.DrawDiode(12, s16(y));
    PutLed(14, y, Rgb(0, 160, 0));
    gGrafik.DrawDiode(14, s16(y));
    PutAnalysisPoint(16, y, "3");
    gGrafik.DrawAnalysepunkt(16, s16(y));

    ASSERT_TRUE(image.Image().save(QString::fromLocal8Bit(path.c_str())));
}

} // namespace
} // namespace kardo::test
