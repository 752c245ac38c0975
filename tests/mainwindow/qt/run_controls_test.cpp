// Keys of the main window that must act when clicked or stay disabled while they cannot: the
// power panel's pause/continue and stop buttons during a delayed run (also on the program's own
// pump, whose waits sleep between events), the delay keys during a run, and the undo keys with
// an empty history.
#include "app/main_state.h"
#include "mainwindow/worksheet_canvas.h"
#include "model/clocks.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "simulation/circuit_test_util.h"
#include "simulation/sim_core.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/hang_guard.h"
#include "support/qt/counting_pump.h"
#include "support/qt/main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class RunControlsTest : public test::MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadWindow());
        canvas = ShowWindow();
        ASSERT_NE(canvas, nullptr);
    }
    void TearDown() override { platform.pump = &pump; }
    // A switch at (2, 5) with a wire of twenty cells to an LED, switched on with a step delay
    // of about 100 ms per pass.
    void BuildAndPowerOn() {
        test::LayWire(2, 5, 22, 5);
        ASSERT_NE(test::PlaceSwitch(2, 5), 0);
        ASSERT_NE(test::PlaceLed(22, 5), 0);
        Button("cmdOn")->click();
        QApplication::processEvents();
        ASSERT_TRUE(gPowerOn);
        gVerzoegerung = 11;
    }
    QPushButton* Button(const char* name) { return W().findChild<QPushButton*>(name); }
    void ClickSwitch() {
        const QPoint p(GridToPixel(2), GridToPixel(5));
        QTest::mouseMove(canvas, p);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, p);
        QApplication::processEvents();
    }
    // Clicks the switch; during the run, after about three delayed passes, does what.
    void ClickSwitchAndDuringTheRun(std::function<void()> what) {
        pump.PostAt(clock.Now() + 3 * 101 + 50, std::move(what));
        ClickSwitch();
    }
    // On the program's pump with a delay of about 10 ms per pass: clicks the switch and, about
    // 35 ms into the run, the key.
    void ClickSwitchAndSoonAfterOnTheProgramsPump(const char* key) {
        platform.pump = &qtPump;
        gVerzoegerung = 1;
        QTimer::singleShot(35, Button(key), [this, key] { Button(key)->click(); });
        ClickSwitch();
    }
    int Live(int x, int y) const { return gLevels.at(0).Feld(x, y).Pegel != 0 ? 1 : 0; }

    WorksheetCanvas* canvas = nullptr; // picGrid
    test::CountingPump qtPump;         // the program's pump, for runs in real time
};

// Fault: the "&Pause"/"&Fortfahren" button did nothing when clicked (only the space key
// paused the run).
TEST_F(RunControlsTest, PauseButtonPausesAndContinuesTheRun) {
    BuildAndPowerOn();
    bool enabled = false;
    ClickSwitchAndDuringTheRun([&] {
        enabled = Button("cmdPause")->isEnabled();
        Button("cmdPause")->click();
    });
    EXPECT_TRUE(enabled);
    EXPECT_TRUE(gPaused);
    EXPECT_EQ(Button("cmdPause")->text().toStdString(), "&Fortfahren");
    EXPECT_TRUE(Button("cmdPause")->isEnabled());
    EXPECT_FALSE(Button("cmdStop")->isEnabled());
    EXPECT_EQ(W().Caption("lblOnOff"), "Angehalten");
    EXPECT_EQ(Live(22, 5), 0);

    Button("cmdPause")->click();
    EXPECT_FALSE(gPaused);
    EXPECT_EQ(Live(22, 5), 1);
    EXPECT_EQ(Button("cmdPause")->text().toStdString(), "&Pause");
    EXPECT_EQ(W().Caption("lblOnOff"), "Bereit");
    EXPECT_FALSE(Button("cmdPause")->isEnabled());
    EXPECT_FALSE(Button("cmdStop")->isEnabled());
}

// Fault: a clock tick during a paused run showed "Bereit" and the green lamp by "&Fortfahren".
TEST_F(RunControlsTest, ClockTicksWhilePausedKeepThePauseShown) {
    ASSERT_NE(test::PlaceClock(10, 10), 0);
    BuildAndPowerOn();
    qobject_cast<QAction*>(W().FindControl("cmdDauertakt"))->trigger();
    ClickSwitchAndDuringTheRun([&] { Button("cmdPause")->click(); });
    clock.Advance(2500);
    EXPECT_EQ(W().Caption("lblOnOff"), "Angehalten");
    EXPECT_EQ(Button("cmdPause")->text().toStdString(), "&Fortfahren");
    EXPECT_TRUE(W().IsVisible("picRot"));
    Button("cmdPause")->click();
    EXPECT_EQ(Live(22, 5), 1);
    EXPECT_EQ(W().Caption("lblOnOff"), "Bereit");
}

// Fault: the "&Stop" button did nothing when clicked.
TEST_F(RunControlsTest, StopButtonEndsTheRunAndKeepsTheLevelsReached) {
    BuildAndPowerOn();
    ClickSwitchAndDuringTheRun([&] { Button("cmdStop")->click(); });
    EXPECT_FALSE(gRechnet);
    EXPECT_EQ(QueueCount(2), 0);
    EXPECT_EQ(Live(3, 5), 1);
    EXPECT_EQ(Live(22, 5), 0);
    EXPECT_FALSE(Button("cmdStop")->isEnabled());
    EXPECT_FALSE(Button("cmdPause")->isEnabled());
    EXPECT_EQ(W().Caption("lblOnOff"), "Bereit");
}

TEST_F(RunControlsTest, AusDuringADelayedRunDisablesPauseAndStop) {
    BuildAndPowerOn();
    ClickSwitchAndDuringTheRun([&] { Button("cmdOff")->click(); });
    EXPECT_FALSE(gPowerOn);
    EXPECT_FALSE(Button("cmdPause")->isEnabled());
    EXPECT_FALSE(Button("cmdStop")->isEnabled());
}

// Fault: the power key pressed twice during a delayed run switched on inside the switch-off (its
// change of the window lets events through), which then cleared the new session's levels.
TEST_F(RunControlsTest, APowerKeyDuringTheSwitchOffSwitchesOnOnceItHasFinished) {
    const test::HangGuard bound;
    const std::int16_t inverter = test::PlaceInverter(5, 10); // its input open
    ASSERT_NE(inverter, 0);
    BuildAndPowerOn();
    auto* power = qobject_cast<QAction*>(W().FindControl("mOnOff"));
    ClickSwitchAndDuringTheRun([this, power] {
        pump.Post([power] { power->trigger(); }); // runs as the switch-off lets events through
        power->trigger();
    });
    EXPECT_TRUE(gPowerOn);
    EXPECT_EQ(gMouseMode, kToolPowered);
    EXPECT_EQ(W().Caption("mOnOff"), "&Ausschalten");
    const GridPoint out = gElements[inverter].Ausgaenge.Points()[0];
    ASSERT_TRUE(gLevels.at(0).Feld.Contains(out.x, out.y));
    EXPECT_EQ(Live(out.x, out.y), 1);
}

// Fault: "Dauertakt" clicked while the switch-off changed the window back to editing (the key
// still enabled) started the clock with the circuit off; it gave edges at once after "Ein".
TEST_F(RunControlsTest, AClockKeyDuringTheSwitchOffStartsNoClock) {
    ASSERT_NE(test::PlaceClock(10, 10), 0);
    BuildAndPowerOn();
    auto* dauertakt = qobject_cast<QAction*>(W().FindControl("cmdDauertakt"));
    bool handled = false;
    pump.Post([&handled, dauertakt] { // runs as the switch-off lets events through
        handled = dauertakt->isEnabled();
        dauertakt->trigger();
    });
    Button("cmdOff")->click();
    ASSERT_TRUE(handled);
    EXPECT_FALSE(Timer2()[0].Enabled());
    Button("cmdOn")->click();
    ASSERT_TRUE(gPowerOn);
    const std::uint32_t ticks = gTaktTicks;
    clock.Advance(3000);
    EXPECT_EQ(gTaktTicks, ticks);
    EXPECT_TRUE(dauertakt->isEnabled());
}

// Fault: closing the window during a delayed run of an oscillating circuit left the program
// running for good: the run never returned to the event loop, which alone ends the program.
TEST_F(RunControlsTest, ClosingDuringADelayedOscillatingRunEndsTheEventLoop) {
    const test::HangGuard bound;
    ASSERT_NO_FATAL_FAILURE(test::BuildOddRing());
    gVerzoegerung = 11;
    gUnveraendert = true;
    bool hung = false;
    QTimer::singleShot(0, &W(), [this, &hung] {
        pump.PostAt(clock.Now() + 1000, [this] { W().close(); });
        pump.PostAt(clock.Now() + 60000, [this, &hung] {
            hung = true;
            Button("cmdOff")->click();
        });
        Button("cmdOn")->click();
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(hung);
    EXPECT_FALSE(gPowerOn);
}

TEST_F(RunControlsTest, DelayKeysDuringTheRunActFromTheNextPass) {
    BuildAndPowerOn(); // 100 ms per pass, each wait lasting 101 ms on the virtual clock
    std::int64_t start = clock.Now();
    int waits = pump.WaitCalls();
    ClickSwitch();
    ASSERT_EQ(Live(22, 5), 1);
    const int passes = pump.WaitCalls() - waits;
    ASSERT_GE(passes, 20);
    EXPECT_EQ(clock.Now() - start, passes * 101);

    // In the fourth wait the up key doubles the delay: from the fifth pass on each waits 201 ms.
    auto* spin = W().findChild<QSpinBox*>("cmdVerzögerung");
    ASSERT_NE(spin, nullptr);
    start = clock.Now();
    waits = pump.WaitCalls();
    ClickSwitchAndDuringTheRun([spin] {
        for (int i = 0; i < 11; ++i)
            spin->stepUp();
    });
    EXPECT_EQ(Live(22, 5), 0);
    EXPECT_EQ(gVerzoegerung, 22);
    EXPECT_EQ(W().findChild<QLineEdit*>("txtVerzögerung")->text(), "22ms");
    EXPECT_EQ(pump.WaitCalls() - waits, passes + 1);
    EXPECT_EQ(clock.Now() - start, 4 * 101 + (passes - 4) * 201);
}

TEST_F(RunControlsTest, PauseAndContinueOnTheProgramsPumpFinishTheRun) {
    BuildAndPowerOn();
    ClickSwitchAndSoonAfterOnTheProgramsPump("cmdPause");
    EXPECT_TRUE(gPaused);
    EXPECT_EQ(Live(3, 5), 1);
    EXPECT_EQ(Live(22, 5), 0);
    EXPECT_EQ(W().Caption("lblOnOff"), "Angehalten");
    EXPECT_EQ(Button("cmdPause")->text().toStdString(), "&Fortfahren");

    Button("cmdPause")->click();
    EXPECT_FALSE(gPaused);
    EXPECT_FALSE(gRechnet);
    EXPECT_EQ(Live(22, 5), 1);
    EXPECT_EQ(W().Caption("lblOnOff"), "Bereit");
    EXPECT_FALSE(Button("cmdPause")->isEnabled());
    EXPECT_FALSE(Button("cmdStop")->isEnabled());
    // The waits slept: a few turns of the loop each, where asking for events all the time
    // turns it hundreds of times in every 10 ms.
    const auto waits = static_cast<std::int64_t>(qtPump.deadlines.size());
    EXPECT_GE(waits, 20);
    EXPECT_LE(qtPump.turns, 10 * waits);
}

TEST_F(RunControlsTest, StopOnTheProgramsPumpEndsTheRunWithTheLevelsReached) {
    BuildAndPowerOn();
    gVerzoegerung = 0;
    ClickSwitch();
    ASSERT_EQ(Live(22, 5), 1);
    ClickSwitchAndSoonAfterOnTheProgramsPump("cmdStop");
    EXPECT_FALSE(gRechnet);
    EXPECT_EQ(QueueCount(2), 0);
    EXPECT_EQ(Live(3, 5), 0);
    EXPECT_EQ(Live(22, 5), 1);
    EXPECT_FALSE(Button("cmdStop")->isEnabled());
    EXPECT_FALSE(Button("cmdPause")->isEnabled());
    EXPECT_EQ(W().Caption("lblOnOff"), "Bereit");
}

// Fault: the undo key of the toolbar started enabled with nothing to undo.
TEST_F(RunControlsTest, UndoKeysStartDisabledAndAnEmptyHistoryChangesNothing) {
    for (const char* c : {"mUndo", "mUndoList", "cmdUndo", "cmdUndoList"})
        EXPECT_FALSE(W().IsEnabled(c)) << c;
    const std::string caption = W().Caption("mUndo");
    gUnveraendert = true;
    W().Toolbar_ButtonClick("cmdUndo");
    qobject_cast<QAction*>(W().FindControl("mUndo"))->trigger();
    EXPECT_TRUE(gUnveraendert);
    EXPECT_EQ(W().Caption("mUndo"), caption);

    // Every step taken back (a history of one step, so the index stands beyond it): still
    // nothing to undo, in editing mode and after a power cycle.
    gUndo.SetUndos(1);
    test::PlaceAnd(10, 10);
    EXPECT_TRUE(W().IsEnabled("cmdUndo"));
    W().Toolbar_ButtonClick("cmdUndo");
    EXPECT_FALSE(W().IsEnabled("cmdUndo"));
    gUnveraendert = true;
    W().Toolbar_ButtonClick("cmdUndo");
    EXPECT_TRUE(gUnveraendert);
    Button("cmdOn")->click();
    Button("cmdOff")->click();
    QApplication::processEvents();
    EXPECT_FALSE(gPowerOn);
    for (const char* c : {"mUndo", "mUndoList", "cmdUndo", "cmdUndoList"})
        EXPECT_FALSE(W().IsEnabled(c)) << c;
}

} // namespace
} // namespace kardo
