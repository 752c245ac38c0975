// Draws every symbol in every orientation offscreen into two PNGs, so that anyone can look at
// them: the basic symbols into the file named on the command line, the blocks (decoders,
// multiplexers, flip-flops, shift registers, half adders, the number display) beside it as
// *_blocks.png:
//   build/kardo_symbol_gallery /tmp/symbols.png
#include "app/startup.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "platform/platform.h"
#include "platform/qt/image_target.h"
#include "platform/recording_target.h"
#include "platform/virtual_clock.h"
#include "render/grafik.h"
#include "render/view.h"
#include "support/block_symbols.h"
#include "support/fake_host.h"
#include "support/gallery_path.h"
#include "support/render_symbols.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QGuiApplication>
#include <QString>

namespace kardo::test {
namespace {

std::int16_t s16(int v) { return static_cast<std::int16_t>(v); }

// A fresh worksheet of w x h cells drawn with its grid at zoom 1.5 into image.
void StartSheet(ImageTarget& image, int w, int h) {
    InitProgramState();
    CreateWorksheet(s16(w), s16(h));
    gGrafik.Device = &image;
    gGrafik.GridMode = 1.5f;
    SizeWorksheetPicture();
    DrawGrid();
}

// One band of 12 rows per orientation; symbols side by side, 8 columns apart.
void DrawBasicSymbols(ImageTarget& image) {
    StartSheet(image, 80, 52);
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
}

// Bands of 14 rows for the horizontal orientations, 12 for the vertical ones.
void DrawBlockSymbols(ImageTarget& image) {
    StartSheet(image, 86, 58);
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
}

bool Save(const ImageTarget& image, const std::string& path) {
    if (image.Image().save(QString::fromLocal8Bit(path.c_str())))
        return true;
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
}

} // namespace
} // namespace kardo::test

int main(int argc, char** argv) {
    using namespace kardo;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s GALLERY.png (the blocks go beside it as *_blocks.png)\n",
                     argv[0]);
        return 2;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);

    // The services the placing and drawing reach: the worksheet picture is the image.
    ImageTarget image;
    RecordingTarget printer{DeviceKind::Printer};
    VirtualClock clock;
    VirtualPump pump(clock);
    test::FakeHost host;
    Platform platform;
    platform.screen = &image;
    platform.printer = &printer;
    platform.timers = &clock;
    platform.pump = &pump;
    platform.host = &host;
    PlatformScope scope(platform);

    const std::string path = argv[1];
    test::DrawBasicSymbols(image);
    bool ok = test::Save(image, path);
    test::DrawBlockSymbols(image);
    ok = test::Save(image, test::GalleryPath(path, "_blocks")) && ok;
    // The clock timers belong to the virtual clock and must go before it does.
    ResetClockTimers();
    return ok ? 0 : 1;
}
