// Sessions on the worksheet canvas with real mouse events (offscreen): placing a gate by click,
// dragging a wire to its input, undoing, switching on and clicking switches until the LED
// lights; what a move repaints; the pointer and the space key.
#include "app/startup.h"
#include "editor/mouse_dispatch.h"
#include "editor/overlays.h"
#include "mainwindow/worksheet_canvas.h"
#include "model/clocks.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/placement.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "platform/platform.h"
#include "platform/qt/image_target.h"
#include "platform/virtual_clock.h"
#include "render/redraw.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"
#include "support/builder.h"
#include "support/fake_host.h"

#include <QApplication>
#include <QBackingStore>
#include <QTest>

#include <gtest/gtest.h>

namespace kardo {
namespace {

constexpr Color kGrey = 0x808080;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBodyYellow = Rgb(255, 255, 192);

class CanvasSession : public ::testing::Test {
  protected:
    CanvasSession() : pump(clock) {
        platform.screen = &picture;
        platform.timers = &clock;
        platform.pump = &pump;
        platform.host = &host;
        InitProgramState();
        ResetMouseDispatch();
        RedrawAllElements(0);
        canvas = new WorksheetCanvas(picture, &viewport);
        canvas->setGeometry(0, 0, 800, 500);
        viewport.resize(800, 500);
        viewport.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&viewport));
        QApplication::processEvents();
    }
    // The clock timers belong to this fixture's virtual clock and must go before it does.
    ~CanvasSession() override {
        if (gPowerOn)
            PowerOnOff();
        ResetClockTimers();
    }

    static QPoint Centre(int x, int y) { return {GridToPixel(x), GridToPixel(y)}; }
    void ClickAt(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseMove(canvas, Centre(x, y));
        QTest::mouseClick(canvas, b, {}, Centre(x, y));
        QApplication::processEvents();
    }
    void DoubleClickAt(int x, int y) {
        QTest::mouseMove(canvas, Centre(x, y));
        QTest::mouseDClick(canvas, Qt::LeftButton, {}, Centre(x, y));
        QApplication::processEvents();
    }
    // Presses at the first cell, moves through the others with the button held, releases.
    void DragThrough(std::initializer_list<QPoint> cells, Qt::MouseButton b = Qt::LeftButton) {
        const QPoint first = *cells.begin();
        QTest::mouseMove(canvas, Centre(first.x(), first.y()));
        QTest::mousePress(canvas, b, {}, Centre(first.x(), first.y()));
        QPoint last = first;
        for (const QPoint& c : cells) {
            QTest::mouseMove(canvas, Centre(c.x(), c.y()));
            last = c;
        }
        QTest::mouseRelease(canvas, b, {}, Centre(last.x(), last.y()));
        QApplication::processEvents();
    }
    Color Shown(int px, int py) {
        const QImage shot = canvas->grab().toImage();
        const QRgb c = shot.pixel(px, py);
        return Rgb(qRed(c), qGreen(c), qBlue(c));
    }

    ImageTarget picture;
    VirtualClock clock;
    VirtualPump pump;
    test::FakeHost host;
    Platform platform;
    PlatformScope scope{platform};
    QWidget viewport; // the canvas's parent; the fake host reports no viewport, so no scrolling
    WorksheetCanvas* canvas = nullptr; // owned by the viewport
};

TEST_F(CanvasSession, PlaceWireUndoPowerOnAndLightTheLed) {
    // An AND gate by click.
    gOrientierung = kRight;
    host.SetCaption("txtAnschlüsse", "2");
    gMouseMode = kTypeAnd;
    ClickAt(20, 10);
    ASSERT_EQ(gAnzElemente, 1);
    const GridPoint in0 = gElements[1].Eingaenge.Points()[0];
    const GridPoint in1 = gElements[1].Eingaenge.Points()[1];
    const GridPoint out = gElements[1].Ausgaenge.Points()[0];
    // Body fill below the "&" of the body centre.
    EXPECT_EQ(picture.PixelAt(GridToPixel(21), GridToPixel(10) + 10), kBodyYellow);
    EXPECT_EQ(Shown(GridToPixel(21), GridToPixel(10) + 10), kBodyYellow);
    EXPECT_EQ(host.statusTexts[1], "X: 20  Y: 10");

    // A wire dragged to its first input.
    gMouseMode = kToolWire;
    const int between = GridToPixel(in0.x - 4) + 7;
    EXPECT_EQ(picture.PixelAt(between, GridToPixel(in0.y)), kWhite);
    DragThrough({{in0.x - 6, in0.y}, {in0.x - 3, in0.y}, {in0.x + 2, in0.y}});
    EXPECT_EQ(gGrid(in0.x, in0.y).Links, kTrue);
    EXPECT_EQ(gGrid(in0.x - 6, in0.y).Rechts, kTrue);
    EXPECT_EQ(picture.PixelAt(between, GridToPixel(in0.y)), kGrey);
    EXPECT_EQ(Shown(between, GridToPixel(in0.y)), kGrey);
    EXPECT_FALSE(gOverlays.LeitungH.Visible);

    // Undo takes it back.
    gUndo.Undo();
    QApplication::processEvents();
    EXPECT_EQ(gGrid(in0.x - 3, in0.y).Typ, kTypeEmpty);
    EXPECT_EQ(gGrid(in0.x, in0.y).Links, kFalse);
    EXPECT_EQ(picture.PixelAt(between, GridToPixel(in0.y)), kWhite);

    // Both inputs wired to switches (double click on a wire end), the output to an LED.
    DragThrough({{in0.x - 6, in0.y}, {in0.x, in0.y}});
    DragThrough({{in1.x - 6, in1.y}, {in1.x, in1.y}});
    DragThrough({{out.x, out.y}, {out.x + 5, out.y}});
    DoubleClickAt(in0.x - 6, in0.y);
    DoubleClickAt(in1.x - 6, in1.y);
    gMouseMode = kTypeLed;
    ClickAt(out.x + 5, out.y);
    ASSERT_EQ(gAnzElemente, 4);
    const Color ledOff = picture.PixelAt(GridToPixel(out.x + 5), GridToPixel(out.y));
    // The LED tool's marker follows the mouse, which goes on towards the power key.
    QTest::mouseMove(canvas, Centre(30, 20));
    QApplication::processEvents();

    PowerOnOff();
    ASSERT_TRUE(gPowerOn);
    ClickAt(in0.x - 6, in0.y);
    EXPECT_EQ(gLevels.at(0).Feld(out.x + 5, out.y).Pegel, kFalse);
    ClickAt(in1.x - 6, in1.y);
    EXPECT_NE(gLevels.at(0).Feld(out.x + 5, out.y).Pegel, kFalse);
    const Color ledOn = picture.PixelAt(GridToPixel(out.x + 5), GridToPixel(out.y));
    EXPECT_EQ(ledOn, Rgb(255, 0, 0));
    EXPECT_NE(ledOn, ledOff);
    EXPECT_EQ(Shown(GridToPixel(out.x + 5), GridToPixel(out.y)), ledOn);
    // A click beside the switches changes nothing.
    ClickAt(30, 20);
    EXPECT_NE(gLevels.at(0).Feld(out.x + 5, out.y).Pegel, kFalse);
    ClickAt(in1.x - 6, in1.y);
    EXPECT_EQ(gLevels.at(0).Feld(out.x + 5, out.y).Pegel, kFalse);
}

// Fault: every click repainted the whole viewport, though a switch click changes a few symbols.
TEST_F(CanvasSession, AClickRepaintsWhatItChangedAndTheWindowShowsTheWholePicture) {
    test::LayWire(4, 6, 20, 6);
    ASSERT_NE(test::PlaceSwitch(4, 6), 0);
    ASSERT_NE(test::PlaceLed(20, 6), 0);
    RedrawAllElements(0);
    PowerOnOff();
    ASSERT_TRUE(gPowerOn);
    // The first click also makes the window the active one, which repaints it whole.
    ClickAt(4, 6);
    for (int k = 0; k < 3; ++k) {
        // The window shows the click's changes before the click returns to the event loop.
        QTest::mouseClick(canvas, Qt::LeftButton, {}, Centre(4, 6));
        const QRegion painted = canvas->PaintedRegion();
        EXPECT_TRUE(painted.contains(Centre(4, 6))) << k;
        EXPECT_TRUE(painted.contains(Centre(20, 6))) << k;
        EXPECT_FALSE(painted.contains(Centre(30, 20))) << k;
        // The canvas's part of the window's pixels (an image offscreen), as the screen shows them.
        const auto* window = static_cast<const QImage*>(viewport.backingStore()->paintDevice());
        EXPECT_EQ(window->copy(canvas->geometry()).convertToFormat(QImage::Format_RGB32),
                  canvas->grab().toImage().convertToFormat(QImage::Format_RGB32))
            << k;
    }
}

TEST_F(CanvasSession, AMoveRepaintsOnlyTheBand) {
    gMouseMode = kToolWire;
    QTest::mouseMove(canvas, Centre(5, 5));
    QTest::mousePress(canvas, Qt::LeftButton, {}, Centre(5, 5));
    QApplication::processEvents();
    QTest::mouseMove(canvas, Centre(9, 5));
    QApplication::processEvents();
    const QRect painted = canvas->PaintedRegion().boundingRect();
    EXPECT_FALSE(painted.isEmpty());
    EXPECT_LE(painted.height(), 5);
    EXPECT_LE(painted.width(), GridToPixel(9) - GridToPixel(5) + 5);
    EXPECT_TRUE(painted.contains(Centre(7, 5)));
    // The band is painted over the image, not into it.
    EXPECT_EQ(Shown(GridToPixel(7) + 3, GridToPixel(5)), Rgb(255, 0, 0));
    EXPECT_EQ(picture.PixelAt(GridToPixel(7) + 3, GridToPixel(5)), kWhite);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, Centre(9, 5));
    QApplication::processEvents();
    EXPECT_EQ(gGrid(7, 5).Typ, kTypeWire);
}

TEST_F(CanvasSession, AMoveRepaintsOnlyTheOldAndTheNewOutline) {
    gMouseMode = kTypeAnd;
    gOrientierung = kRight;
    host.SetCaption("txtAnschlüsse", "3");
    QTest::mouseMove(canvas, Centre(4, 4));
    QTest::mouseMove(canvas, Centre(6, 6));
    QApplication::processEvents();
    const OverlayShape before = gOverlays.picRahmen;
    ASSERT_TRUE(before.Visible);
    QTest::mouseMove(canvas, Centre(20, 12));
    QApplication::processEvents();
    const OverlayShape after = gOverlays.picRahmen;
    const QRect oldRect = QRect(before.Left, before.Top, before.Width, before.Height);
    const QRect newRect = QRect(after.Left, after.Top, after.Width, after.Height);
    const QRegion painted = canvas->PaintedRegion();
    EXPECT_TRUE(painted.intersects(oldRect));
    EXPECT_TRUE(painted.intersects(newRect));
    // Nothing far from both outlines, such as the cells between them.
    EXPECT_FALSE(painted.contains(Centre(13, 9)));
    EXPECT_LE(painted.boundingRect().width(), newRect.right() - oldRect.left() + 3);
    // The outline is painted over the image in grey, not into it.
    EXPECT_EQ(Shown(after.Left, after.Top + 10), kGrey);
    EXPECT_EQ(picture.PixelAt(after.Left, after.Top + 10), kWhite);
}

TEST_F(CanvasSession, ImageChangesMadeOutsideItsEventsAreShown) {
    gMouseMode = kToolWire;
    QTest::mouseMove(canvas, Centre(5, 5));
    QTest::mousePress(canvas, Qt::LeftButton, {}, Centre(5, 5));
    QApplication::processEvents();
    QTest::mouseMove(canvas, Centre(8, 5));
    QApplication::processEvents();
    // Nothing changed in the image: the band alone was repainted, and stays so.
    canvas->RepaintChanges();
    QApplication::processEvents();
    EXPECT_LE(canvas->PaintedRegion().boundingRect().height(), 5);
    // The simulation draws into the image from a timer: that pixel alone is painted again.
    picture.SetPixel(GridToPixel(30) + 3, GridToPixel(20), Rgb(255, 0, 0));
    canvas->RepaintChanges();
    QApplication::processEvents();
    EXPECT_EQ(canvas->PaintedRegion(), QRegion(GridToPixel(30) + 3, GridToPixel(20), 1, 1));
    EXPECT_EQ(Shown(GridToPixel(30) + 3, GridToPixel(20)), Rgb(255, 0, 0));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, Centre(8, 5));
}

TEST_F(CanvasSession, APointerAskedForAgainStaysAndAnotherCustomIconReplacesIt) {
    canvas->ApplyPointer(kPointerCross);
    canvas->ApplyPointer(kPointerCross);
    EXPECT_EQ(canvas->cursor().shape(), Qt::CrossCursor);
    gPointerIcon = PointerIcon::SwitchHand;
    canvas->ApplyPointer(kPointerCustom);
    EXPECT_EQ(canvas->cursor().shape(), Qt::PointingHandCursor);
    gPointerIcon = PointerIcon::PinMark;
    canvas->ApplyPointer(kPointerCustom);
    EXPECT_NE(canvas->cursor().shape(), Qt::PointingHandCursor);
    canvas->ApplyPointer(kPointerArrow);
    EXPECT_EQ(canvas->cursor().shape(), Qt::ArrowCursor);
    gPointerIcon = PointerIcon::None;
}

TEST_F(CanvasSession, PointerFollowsTheTool) {
    gMouseMode = kToolWire;
    QTest::mouseMove(canvas, Centre(4, 4));
    EXPECT_EQ(canvas->cursor().shape(), Qt::CrossCursor);
    gMouseMode = kToolSelect;
    QTest::mouseMove(canvas, Centre(5, 4));
    EXPECT_EQ(canvas->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(CanvasSession, SpacePausesWhilePowered) {
    PowerOnOff();
    ASSERT_TRUE(gPowerOn);
    gRechnet = true;
    QTest::keyClick(canvas, Qt::Key_Space);
    EXPECT_TRUE(gPaused);
    gRechnet = false;
}

} // namespace
} // namespace kardo
