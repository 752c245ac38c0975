// The pictures of a sheet with every element kind stay the same pixel for pixel: the whole sheet
// drawn into an image and a screenshot of the whole main window, at every zoom the zoom keys
// reach, and the window while the circuit runs. The expected values are hashes of the pixels
// as the drawing made them before its fast paths were written; any change to what a drawer
// paints shows here. KARDO_PICTURE_DUMP=<folder> writes the pictures as PNG files, for looking
// at a difference. The window's: formula mode key looking pressed, progress bar without text.
#include "model/codes.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "platform/qt/image_target.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "render/zoom.h"
#include "simulation/power.h"
#include "simulation/user_interaction.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/every_kind_sheet.h"
#include "support/qt/main_window_fixture.h"
#include "support/sim_blocks.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>
#include <QCryptographicHash>
#include <QLabel>

#include <gtest/gtest.h>

namespace kardo {
namespace {

// SHA-1 of the pixels, row by row, without the padding at the end of a row.
std::string PixelHash(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int y = 0; y < image.height(); ++y) {
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constScanLine(y)),
                                    static_cast<qsizetype>(image.width()) * 4));
    }
    return hash.result().toHex().left(16).toStdString();
}

void Dump(const QImage& image, const std::string& name) {
    if (const char* folder = std::getenv("KARDO_PICTURE_DUMP"))
        image.save(QString::fromStdString(std::string(folder) + "/" + name + ".png"));
}

// The zooms the zoom keys reach from 100 %: down to 60 % and up to 250 %.
std::vector<float> KeyZooms() {
    std::vector<float> zooms;
    for (float z = 1.0f; zooms.empty() || zooms.front() != kZoomMin; z = ZoomStepOut(z))
        zooms.insert(zooms.begin(), z);
    for (float z = ZoomStepIn(1.0f);; z = ZoomStepIn(z)) {
        zooms.push_back(z);
        if (z == kZoomMax)
            break;
    }
    return zooms;
}

struct Expected {
    const char* sheet;  // whole sheet drawn into an image
    const char* window; // screenshot of the main window
};

class PictureIdentityTest : public test::MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadWindow());
        ASSERT_NE(ShowWindow(), nullptr);
        test::BuildEveryKindSheet(MakeFolder("ICs") + "/");
        gGrafik.GridMode = 1.0f;
        RedrawAllElements(0);
        QApplication::processEvents();
    }
    // The whole sheet drawn at the current zoom into an image of its own.
    QImage WholeSheet() {
        ImageTarget whole(1, 1);
        DrawTarget* const screen = platform.screen;
        DrawTarget* const device = gGrafik.Device;
        platform.screen = gGrafik.Device = &whole;
        RedrawAllElements(0);
        platform.screen = screen;
        gGrafik.Device = device;
        return whole.Image();
    }
    // The main window as the screen shows it; the time display, which shows how long the last
    // redraw took, is set to a fixed text first.
    QImage Window() {
        W().findChild<QLabel*>("lblTime")->setText("0");
        QApplication::processEvents();
        return W().grab().toImage();
    }
    // Prints the table of hashes when KARDO_PICTURE_HASHES is set (to write the expected ones).
    static void Report(const std::string& what, const std::string& hash) {
        if (std::getenv("KARDO_PICTURE_HASHES") != nullptr)
            std::printf("%s %s\n", what.c_str(), hash.c_str());
    }
};

TEST_F(PictureIdentityTest, EveryZoomDrawsTheSamePixels) {
    const std::vector<float> zooms = KeyZooms();
    ASSERT_EQ(zooms.size(), 11u);
    // 60 % to 250 % in the steps of the zoom keys.
    const Expected expected[] = {
        {"5e0637630f502290", "66bd2be5312ea171"}, {"00bd7c8265072d94", "79d9de32267cf089"},
        {"c7abe37101cbd617", "edb09e242466f81c"}, {"3088a93c396c7830", "2c91847af41e340f"},
        {"21ade59a32a64f42", "2b6ffabcc948f174"}, {"2533de289dfbeec5", "826dcb1e45681072"},
        {"32c3085ada26ddfb", "7e6ebdf6fa62b7f4"}, {"fbb92c4b5bcd0fe3", "5950204752e1d940"},
        {"7d2d745c02946a49", "dab9ea5d4fac0fee"}, {"c19bb87e5f54f60d", "b764200852ff04d3"},
        {"cc7102e2487114ca", "a2bd5f065b2f59cd"},
    };
    for (std::size_t i = 0; i < zooms.size(); ++i) {
        SetZoom(zooms[i]);
        QApplication::processEvents();
        const std::string name = "zoom" + std::to_string(static_cast<int>(zooms[i] * 100));
        const QImage sheet = WholeSheet();
        const QImage shot = Window();
        Dump(sheet, name + "_sheet");
        Dump(shot, name + "_window");
        Report(name + " sheet", PixelHash(sheet));
        Report(name + " window", PixelHash(shot));
        EXPECT_EQ(PixelHash(sheet), expected[i].sheet) << name;
        EXPECT_EQ(PixelHash(shot), expected[i].window) << name;
    }
}

// While the circuit runs, a wire step that ends at a pin paints the element as a full redraw
// does (the flip-flops' output stubs over the wire, their set and reset stubs over the body's
// border), and switching on keeps the ends of the upright flip-flop's set and reset stubs: these
// two pictures differ from the ones before those mends in those twelve pixels.
TEST_F(PictureIdentityTest, TheRunningCircuitShowsTheSamePixels) {
    PowerOnOff();
    ASSERT_TRUE(gPowerOn);
    const QImage on = Window();
    gCursorX = 2;
    gCursorY = 2;
    InitSwitchOn();
    const QImage clicked = Window();
    Dump(on, "powered");
    Dump(clicked, "clicked");
    Report("powered", PixelHash(on));
    Report("clicked", PixelHash(clicked));
    EXPECT_EQ(PixelHash(on), "cb6d3199bc7033cd");
    EXPECT_EQ(PixelHash(clicked), "a9cf4f5f8695aedd");
    PowerOnOff();
}

// The picture the running circuit leaves, compared with a full redraw of the same levels.
class RunningPictureTest : public test::MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadWindow());
        ASSERT_NE(ShowWindow(), nullptr);
    }
    void Click(GridPoint p) {
        gCursorX = p.x;
        gCursorY = p.y;
        InitSwitchOn();
    }
    // The kept part of the picture now, and after a full redraw from the live levels.
    void ExpectSameAsAFullRedraw(const char* name) {
        const QImage running = picture.Image().copy();
        RedrawAllElements(0);
        const QImage redrawn = picture.Image().copy();
        Dump(running, std::string(name) + "_running");
        Dump(redrawn, std::string(name) + "_redrawn");
        ASSERT_EQ(running.size(), redrawn.size());
        int differ = 0;
        std::string first; // the first differing pixels: kept-part position, colours
        for (int y = 0; y < running.height(); ++y) {
            for (int x = 0; x < running.width(); ++x) {
                if (running.pixel(x, y) == redrawn.pixel(x, y))
                    continue;
                if (++differ <= 12) {
                    first += " (" + std::to_string(x + picture.Kept().x) + "," +
                             std::to_string(y + picture.Kept().y) + ") " +
                             QString::number(running.pixel(x, y) & 0xFFFFFF, 16).toStdString() +
                             "/" +
                             QString::number(redrawn.pixel(x, y) & 0xFFFFFF, 16).toStdString();
                }
            }
        }
        EXPECT_EQ(differ, 0) << name << first;
    }
};

// Fault: while the circuit ran, a wire step at a pin repainted only the element's outline, so
// the output stubs stayed under the wire and the border lay over the set and reset stubs.
TEST_F(RunningPictureTest, ACountingRippleCounterLooksAsRedrawn) {
    // Six flip-flops in a falling stair, Q of each clocking the next, clocked by a switch.
    CreateWorksheet(60, 16);
    std::int16_t previous = 0;
    std::int16_t first = 0;
    for (int i = 0; i < 6; ++i) {
        const std::int16_t ff = test::PlaceBlockKind(kTypeFlipFlop, 5 + 7 * i, 10 - i, kRight);
        ASSERT_NE(ff, 0);
        if (previous != 0) {
            const GridPoint q = test::OutPin(previous, 0);
            const GridPoint c = test::InPin(ff, 1);
            test::LayWire(q.x, q.y, c.x, c.y);
        }
        first = first == 0 ? ff : first;
        previous = ff;
    }
    const GridPoint sw = test::SwitchInto(test::InPin(first, 1), kLeft, 3);
    RedrawAllElements(0);
    PowerOnOff();
    ASSERT_TRUE(gPowerOn);
    for (int k = 0; k < 2 * 37; ++k)
        Click(sw);
    ExpectSameAsAFullRedraw("counter");
    PowerOnOff();
}

// A flip-flop of each orientation, clocked and fed by switches, its outputs lighting LEDs: at
// every zoom the zoom keys reach, switching on hides the grid marks but not the ends of the
// upright flip-flops' set and reset stubs on their pin cells (that fault erased them), only what
// changed is painted while it counts (the state digits and the pins the wires reach), and the
// picture is the full redraw's.
TEST_F(RunningPictureTest, FlipFlopsOfEveryOrientationLookAsRedrawnAtEveryZoom) {
    CreateWorksheet(40, 30);
    const auto opposite = [](std::uint8_t o) -> std::uint8_t {
        return o == kLeft ? kRight : o == kRight ? kLeft : o == kUp ? kDown : kUp;
    };
    struct Placed {
        std::uint8_t orientation;
        GridPoint at;
    };
    const Placed placed[] = {{kRight, {8, 6}}, {kLeft, {28, 6}}, {kDown, {8, 19}}, {kUp, {28, 21}}};
    std::vector<GridPoint> switches;
    for (const Placed& p : placed) {
        const std::int16_t ff = test::PlaceBlockKind(kTypeFlipFlop, p.at.x, p.at.y, p.orientation);
        ASSERT_NE(ff, 0) << int(p.orientation);
        const std::uint8_t in = opposite(p.orientation);
        switches.push_back(test::SwitchInto(test::InPin(ff, 1), in, 3));
        switches.push_back(test::SwitchInto(test::InPin(ff, 0), in, 3));
        test::LedFrom(test::OutPin(ff, 0), p.orientation, 3);
        test::LedFrom(test::OutPin(ff, 1), p.orientation, 3);
    }
    for (const float zoom : KeyZooms()) {
        SetZoom(zoom);
        PowerOnOff();
        ASSERT_TRUE(gPowerOn);
        ExpectSameAsAFullRedraw(
            ("flip-flops switched on at " + std::to_string(static_cast<int>(zoom * 100)) + " %")
                .c_str());
        for (int k = 0; k < 5; ++k)
            for (const GridPoint sw : switches)
                Click(sw);
        ExpectSameAsAFullRedraw(
            ("flip-flops at " + std::to_string(static_cast<int>(zoom * 100)) + " %").c_str());
        PowerOnOff();
    }
}

TEST_F(RunningPictureTest, GatesOnStraightWiresLookAsRedrawn) {
    // Switch A through an inverter and switch B into an AND; its output and switch C into an OR
    // with a negated input and a negated output, which lights an LED. Straight wires only.
    CreateWorksheet(30, 10);
    test::LayWire(1, 3, 4, 3);
    ASSERT_NE(test::PlaceSwitch(1, 3), 0);
    ASSERT_NE(test::PlaceInverter(4, 3, kRight), 0);
    test::LayWire(5, 3, 9, 3);
    test::LayWire(1, 5, 9, 5);
    ASSERT_NE(test::PlaceSwitch(1, 5), 0);
    ASSERT_NE(test::PlaceGate(kTypeAnd, 9, 4, kRight, 2), 0);
    test::LayWire(11, 4, 15, 4);
    test::LayWire(1, 6, 15, 6);
    ASSERT_NE(test::PlaceSwitch(1, 6), 0);
    ASSERT_NE(test::PlaceGate(kTypeOr, 15, 5, kRight, 2), 0);
    ASSERT_TRUE(test::Negate(15, 6));
    ASSERT_TRUE(test::Negate(17, 5));
    test::LayWire(17, 5, 21, 5);
    ASSERT_NE(test::PlaceLed(21, 5), 0);
    RedrawAllElements(0);
    PowerOnOff();
    ASSERT_TRUE(gPowerOn);
    const GridPoint a{1, 3}, b{1, 5}, c{1, 6};
    for (const GridPoint p : {a, b, c, a, c, b, a, c})
        Click(p);
    ExpectSameAsAFullRedraw("gates");
    PowerOnOff();
}

} // namespace
} // namespace kardo
