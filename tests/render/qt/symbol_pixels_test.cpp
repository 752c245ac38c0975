// Body fill colours of the symbols on the worksheet picture, sampled inside each body away from
// its label, the colours at LED, analysis point and negation point centres, and placed ICs.
#include "files/circuit_file.h"
#include "files/working_folders.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "support/circuit_files.h"
#include "support/qt/image_fixture.h"
#include "support/render_symbols.h"

#include <QPainter>

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

// Regression: an IC whose definition was widened, narrowed or had its pins swapped since the
// circuit was saved was drawn with the definition's size and pin places over its package.
TEST_F(SymbolPixelTest, AChangedICIsDrawnAsTheCircuitPlacedIt) {
    TempDir ics;
    gVerzeichnisse[1] = ics.Path() + "/";
    CopyFixtureICs(gVerzeichnisse[1]);
    std::string narrowed = ReadBytes(DataFile("inv.icd"));
    narrowed.replace(narrowed.find("\nX2"), 3, "\nX1").replace(narrowed.find("2;1;A;"), 1, "1");
    QImage saved; // the sheet with the definition it was saved with: box, stubs and names
    for (const std::string& def :
         {ReadBytes(DataFile("inv.icd")), ReadBytes(DataFile("inv_package_changed.icd")), narrowed,
          ReadBytes(DataFile("inv_pins_changed.icd"))}) {
        WriteBytes(ics.File("inv.icd"), def);
        ASSERT_EQ(LoadFile(DataFile("zwei_ics.kdx")), FileOutcome::Success);
        RedrawAllElements(0);
        QImage with = image.Image().copy();
        saved = saved.isNull() ? with : saved;
        EXPECT_EQ(with, saved);
        gICInstances[gGrid(17, 5).ICLevel].Tiefe = 1; // not drawn: the sheet without the IC
        RedrawAllElements(0);
        QImage without = image.Image().copy();
        for (QImage* picture : {&with, &without}) // its cells 15..17 x 4..6, its stubs' last pixels
            QPainter(picture).fillRect(210, 56, 43, 43, Qt::white);
        EXPECT_EQ(with, without);
    }
}

} // namespace
} // namespace kardo::test
