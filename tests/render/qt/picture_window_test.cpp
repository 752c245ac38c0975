// The worksheet picture keeps only the part the viewport shows: whatever part is shown, its
// pixels are those of the whole sheet drawn at once (the screenshot comparison), at every zoom,
// switched off and on; and its memory stays bounded on a sheet of 1000 x 1000 cells.
#include "app/settings.h"
#include "editor/text_labels.h"
#include "ic/levels.h"
#include "model/block_elements.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/pin_points.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "model/wire_points.h"
#include "platform/qt/image_target.h"
#include "platform/qt/picture_target.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "render/view.h"
#include "render/zoom.h"
#include "simulation/power.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"
#include "support/ic_files.h"
#include "support/mouse_driver.h"

#include <QImage>

#include <gtest/gtest.h>

namespace kardo::test {
namespace {

constexpr int kSlot = 12; // cells per slot of the rich sheet, each way

class PictureWindowTest : public CoreFixture {
  protected:
    PictureWindowTest() {
        gVerzeichnisse[1] = icFolder.Path() + "/";
        for (const char* n : {"inv", "inv2"})
            WriteBytes(icFolder.File(std::string(n) + ".icd"),
                       ReadBytes(DataFile(std::string(n) + ".icd")));
    }

    // A sheet of 8 x 6 slots: every kind of element in every orientation, one per slot, two
    // ICs, a text label, and long wires between the slots that cross, join at connection points and
    // pass coupling diodes. Placed through the placing operations on the recording screen.
    void BuildRichSheet() {
        CreateWorksheet(8 * kSlot, 6 * kSlot);
        const std::uint8_t orientations[] = {kRight, kLeft, kUp, kDown};
        int slot = 0;
        int placed = 0;
        auto next = [&slot](int& x, int& y) {
            x = (slot % 8) * kSlot + kSlot / 2;
            y = (slot / 8) * kSlot + kSlot / 2;
            ++slot;
        };
        int x = 0;
        int y = 0;
        for (const std::uint8_t o : orientations) {
            next(x, y);
            placed += PlaceGate(kTypeAnd, x, y, o, 3) != 0;
            next(x, y);
            placed += PlaceGate(kTypeOr + (o == kLeft || o == kUp ? 1 : 0), x, y, o, 2) != 0;
            next(x, y);
            placed += PlaceInverter(x, y, o) != 0;
            next(x, y);
            placed += PlaceTriState(x, y, o) != 0;
            for (const std::uint8_t typ : {kTypeHalfAdder, kTypeFullAdder, kTypeMultiplexer,
                                           kTypeFlipFlop, kTypeShiftRegister, kTypeClock}) {
                if (slot >= 36)
                    break;
                next(x, y);
                placed += PlaceBlockKind(typ, x, y, o) != 0;
            }
        }
        next(x, y);
        placed += PlaceDecoder(x, y, kRight, true) != 0;
        next(x, y);
        placed += PlaceBlockKind(kTypeNumberDisplay, x, y, kRight) != 0;
        next(x, y);
        placed += PlaceLed(x, y, Rgb(0, 160, 0)) != 0;
        placed += PlaceLed(x + 2, y, Rgb(0, 0, 255)) != 0;
        next(x, y);
        LayWire(x - 3, y, x, y);
        placed += PlaceSwitch(x - 3, y) != 0;
        placed += PlaceAnalysisPoint(x - 1, y) != 0;
        ASSERT_NE(InitTextBox(static_cast<std::int16_t>(7 * kSlot + 2),
                              static_cast<std::int16_t>(5 * kSlot + 4), "Zähler 4 Bit"),
                  0);
        ASSERT_NE(PlaceIC("inv", 2 * kSlot + 3, 5 * kSlot + 3), 0);
        ASSERT_NE(PlaceIC("inv2", 5 * kSlot + 3, 5 * kSlot + 3), 0);
        ASSERT_GE(placed, 36);
        // Wires along the slot borders, crossing each other.
        for (int r = 0; r <= 5 * kSlot; r += kSlot)
            LayWire(0, r, 8 * kSlot, r);
        for (int c = 0; c <= 8 * kSlot; c += kSlot)
            LayWire(c, 1, c, 6 * kSlot);
        for (int c = kSlot; c < 8 * kSlot; c += 2 * kSlot) {
            SetPoint(c, kSlot);
            SetCouplingDiode(c, 2 * kSlot);
        }
        gCurLevel = 0; // the circuit itself is shown
    }

    // The whole sheet (or the IC level shown) drawn at once into an image of its own.
    QImage DrawWhole() {
        ImageTarget whole;
        platform.screen = &whole;
        gGrafik.Device = &whole;
        host.viewport = {};
        RedrawAllElements(gCurLevel);
        return whole.Image().copy();
    }

    // The kept part of the picture has the pixels of the whole sheet drawn at once.
    ::testing::AssertionResult KeptMatches(const QImage& whole) const {
        const PixelBox k = picture.Kept();
        if (k.Empty())
            return ::testing::AssertionFailure() << "nothing kept";
        for (int y = k.y; y < k.y + k.h; ++y)
            for (int x = k.x; x < k.x + k.w; ++x) {
                const QRgb w = whole.pixel(x, y);
                if (picture.PixelAt(x, y) != Rgb(qRed(w), qGreen(w), qBlue(w)))
                    return ::testing::AssertionFailure()
                           << "pixel (" << x << ", " << y << ") of the window at (" << k.x << ", "
                           << k.y << ") differs: " << std::hex << picture.PixelAt(x, y) << " vs "
                           << Rgb(qRed(w), qGreen(w), qBlue(w));
            }
        return ::testing::AssertionSuccess();
    }

    // Shows the sheet in a small viewport and scrolls it across in steps of a few cells;
    // every part shown must match the whole sheet.
    void ExpectEveryPartMatches(const QImage& whole, int width = 173, int height = 119,
                                int step = 5) {
        platform.screen = &picture;
        gGrafik.Device = &picture;
        host.viewport = {width, height, 0};
        RedrawAllElements(gCurLevel);
        ASSERT_TRUE(gHScroll.Visible);
        ASSERT_TRUE(gVScroll.Visible);
        EXPECT_TRUE(KeptMatches(whole)) << "after the full redraw";
        int windows = 0;
        for (int v = 0; v <= gVScroll.Max; v += step + 2) {
            SetVScrollValue(v);
            for (int h = 0; h <= gHScroll.Max; h += step) {
                SetHScrollValue(h);
                ++windows;
                EXPECT_TRUE(KeptMatches(whole)) << "scrolled to " << h << ", " << v;
            }
        }
        EXPECT_GT(windows, 10);
    }

    TempDir icFolder;      // the IC folder with the definitions the sheet uses
    PictureTarget picture; // the worksheet picture under test
};

class PictureWindowZoomTest : public PictureWindowTest,
                              public ::testing::WithParamInterface<float> {};

TEST_P(PictureWindowZoomTest, EveryPartShownHasThePixelsOfTheWholeSheet) {
    BuildRichSheet();
    gGrafik.GridMode = GetParam();
    const QImage whole = DrawWhole();
    ExpectEveryPartMatches(whole);
}

INSTANTIATE_TEST_SUITE_P(Zooms, PictureWindowZoomTest,
                         ::testing::Values(0.6f, 1.0f, 1.2f, 1.7434f, 2.5f));

TEST_F(PictureWindowTest, EveryPartShownMatchesAlsoWhileSwitchedOn) {
    BuildRichSheet();
    // The circuit's level grid with some wires high: their red bands cross grey wires.
    gLevels.at(0).Feld = gGrid;
    gLevels[0].Elemente = gElements;
    gLevels[0].AnzElemente = gAnzElemente;
    Grid& live = gLevels[0].Feld;
    for (int x = 0; x <= gFeldBreite; ++x) {
        live(x, kSlot).PegelH = kTrue;
        live(x, kSlot).Pegel = kTrue;
    }
    for (int y = 0; y <= gFeldHoehe; ++y) {
        live(2 * kSlot, y).PegelV = kTrue;
        live(2 * kSlot, y).Pegel = kTrue;
    }
    gPowerOn = true;
    const QImage whole = DrawWhole();
    // Scrolling draws new parts with the live levels, not those the sheet held.
    for (int x = 0; x <= gFeldBreite; ++x)
        gGrid(x, kSlot).PegelH = 0;
    ExpectEveryPartMatches(whole);
    gPowerOn = false;
}

TEST_F(PictureWindowTest, EveryPartOfAShownICLevelMatchesWithItsPinNames) {
    BuildRichSheet();
    PowerOnOff();
    ASSERT_TRUE(gPowerOn);
    // The level of the inner IC of inv2, with its pin marks and names.
    ShowLevel(2);
    ASSERT_NE(gCurLevel, 0);
    const QImage whole = DrawWhole();
    ExpectEveryPartMatches(whole, 45, 31, 1);
    ShowLevel(0);
    PowerOnOff();
}

// The full redraw draws only what reaches the kept part, after what other drawers left: each
// element and mark draws the same pixels whatever pen, fill, font, position, orientation it meets.
TEST_F(PictureWindowTest, EveryElementAndMarkDrawsAloneAsAfterAnyDrawingState) {
    BuildRichSheet();
    const int w = GridToPixel(gFeldBreite + 1), h = GridToPixel(gFeldHoehe + 1);
    ImageTarget plain(w, h), odd(w, h);
    const auto expectSame = [&](const std::string& what, const auto& draw) {
        for (ImageTarget* t : {&plain, &odd}) {
            t->Clear(), gGrafik.Device = platform.screen = t;
            gGrafik.Orientation = t == &odd ? kUp : kRight;
            draw();
        }
        EXPECT_TRUE(plain.Image() == odd.Image()) << what;
    };
    odd.ForeColor = Rgb(0, 255, 0), odd.FillColor = Rgb(0, 255, 255);
    odd.FillStyle = FillMode::Solid, odd.FontName = "Courier";
    odd.FontSize = 23, odd.FontBold = true;
    for (std::int16_t e = 1; e <= gAnzElemente; ++e)
        expectSame("element " + std::to_string(e), [&odd, e] {
            odd.CurrentX = odd.CurrentY = 3 * e;
            GetInputPoints(e, 0);
            DrawElement(gEingangsPunkte[0].x, gEingangsPunkte[0].y, false, false);
        });
    for (std::int16_t x = 0; x <= gFeldBreite; ++x)
        for (std::int16_t y = 0; y <= gFeldHoehe; ++y)
            if (gGrid(x, y).Typ == kTypeWire && gGrid(x, y).Punkt != kPointNone)
                expectSame("mark at " + std::to_string(x) + ", " + std::to_string(y), [x, y] {
                    SetVerbindungspunktAt(x, y, true);
                    SetKoppeldiodeAt(x, y, true);
                });
}

TEST_F(PictureWindowTest, AHugeSheetKeepsOnlyTheViewportAndItsMargin) {
    CreateWorksheet(1000, 1000);
    for (int r = 5; r <= 1000; r += 30)
        LayWire(0, r, 1000, r);
    gGrafik.GridMode = 2.5f;
    platform.screen = &picture;
    gGrafik.Device = &picture;
    host.viewport = {800, 600, 0};
    RedrawAllElements(0);
    EXPECT_EQ(picture.Width(), 35035);
    EXPECT_EQ(picture.Height(), 35035);
    EXPECT_LE(picture.Image().width(), 800 + 2 * kPictureMargin);
    EXPECT_LE(picture.Image().height(), 600 + 2 * kPictureMargin);
    // Scrolled to the far corner, the wires there are drawn.
    SetHScrollValue(gHScroll.Max);
    SetVScrollValue(gVScroll.Max);
    const int y = GridToPixel(995);
    const PixelBox k = picture.Kept();
    ASSERT_TRUE(y >= k.y && y < k.y + k.h);
    EXPECT_EQ(picture.PixelAt(k.x + 1, y), Rgb(128, 128, 128));
    EXPECT_LE(picture.Image().width(), 800 + 2 * kPictureMargin);
}

void MoveLabel() { Drag({{6, 6}, {6, 8}}); }
void MoveArea() { Drag({{3, 4}, {110, 9}}), Drag({{4, 5}, {4, 7}}); }

// Fault: the repaints reached only three cells past what they redrew, so a label's text running
// on over free cells (written at one zoom, shown at another) left fragments or went missing, and
// grid dots were set over its letters.
TEST_F(PictureWindowTest, LabelTextPastItsCellsLooksAsTheWholeSheetDrawsIt) {
    const std::string m = "Mmmmmm Wwwwww Mmmmmm Wwwwww ";
    const auto show = [this](const std::string& text, float written, float shown, int w, int h) {
        CreateWorksheet(120, 24);
        platform.screen = gGrafik.Device = &picture;
        host.viewport = {w, h, 0};
        picture.SetWindow({0, 0, 1, 1}); // the view places it anew
        gGrafik.GridMode = written;
        ASSERT_NE(InitTextBox(6, 6, text), 0); // written at one zoom
        // LEDs next to the moved area, whose cleared box took a pixel row of the one below
        for (const auto& [x, y] : {CellPos{20, 12}, {20, 3}, {2, 7}, {111, 7}})
            ASSERT_NE(PlaceLed(x, y), 0);
        gMouseMode = kToolSelect;
        SetZoom(shown); // and shown at another
    };
    const std::pair<const char*, void (*)()> cases[] = {
        {"object move", MoveLabel},
        {"area move", MoveArea},
        {"undo", [] { MoveLabel(), gUndo.Undo(); }},
        {"move again", [] { MoveLabel(), gUndo.Undo(), MoveLabel(); }},
        {"grid off and on", [] { gShowGrid = false, DrawGrid(), gShowGrid = true, DrawGrid(); }},
    };
    for (const std::string& text : {m + m + m + m + m + m, std::string(130, 'W')}) {
        for (const auto& [written, shown, before] :
             {std::tuple{0.6f, 2.5f, 2.3f}, {2.5f, 0.6f, 0.8f}}) {
            for (const auto& [name, act] : cases) {
                show(text, written, shown, 4400, 1000);
                act();
                EXPECT_TRUE(KeptMatches(DrawWhole())) << name << " at " << shown << ": " << text;
            }
            for (int h = 95; h <= 110; h += 2) { // a zoom step draws only the part kept
                show(text, written, before, 173, 119);
                SetHScrollValue(h);
                SetZoom(shown);
                EXPECT_TRUE(KeptMatches(DrawWhole()))
                    << "zoom step, scrolled " << h << ": " << text;
            }
            show(text, written, shown, 173, 119);
            ExpectEveryPartMatches(DrawWhole(), 173, 119, 3);
        }
    }
}

} // namespace
} // namespace kardo::test
