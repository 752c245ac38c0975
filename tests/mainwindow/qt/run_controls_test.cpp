// Keys of the main window that must act when clicked or stay disabled while they cannot: the
// power panel's pause/continue and stop buttons during a delayed run, and the undo keys with
// an empty history.
#include "app/main_state.h"
#include "mainwindow/worksheet_canvas.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "simulation/sim_core.h"
#include "support/builder.h"
#include "support/qt/main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class RunControlsTest : public test::MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadWindow());
        W().resize(1200, 800);
        W().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&W()));
        canvas = W().findChild<WorksheetCanvas*>("picGrid");
        ASSERT_NE(canvas, nullptr);
    }
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
    // Clicks the switch; during the run, after about three delayed passes, does what.
    void ClickSwitchAndDuringTheRun(std::function<void()> what) {
        pump.PostAt(clock.Now() + 3 * 101 + 50, std::move(what));
        const QPoint p(GridToPixel(2), GridToPixel(5));
        QTest::mouseMove(canvas, p);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, p);
        QApplication::processEvents();
    }
    int Live(int x, int y) const { return gLevels.at(0).Feld(x, y).Pegel != 0 ? 1 : 0; }

    WorksheetCanvas* canvas = nullptr; // picGrid
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
