// A run with a step delay in the real window: the delay keys act from the next pass, and on the
// program's own pump the pause, continue and stop keys act during the waits, which sleep between
// events.
#include "mainwindow/worksheet_canvas.h"
#include "model/sim_levels.h"
#include "platform/qt/qt_timer.h"
#include "simulation/sim_core.h"
#include "support/builder.h"
#include "support/qt/main_window_fixture.h"

#include <set>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace kardo {
namespace {

// The program's pump, noting its turns and the waits they belong to.
class CountingPump : public QtPump {
  public:
    void DoEvents() override {
        ++turns;
        QtPump::DoEvents();
    }
    void WaitForEvents(std::int64_t deadlineMs) override {
        ++turns;
        deadlines.insert(deadlineMs);
        QtPump::WaitForEvents(deadlineMs);
    }
    int turns = 0;                    // DoEvents and WaitForEvents calls
    std::set<std::int64_t> deadlines; // one per wait: every wait ends later than the one before
};

class WindowDelayedRunTest : public test::MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadWindow());
        W().resize(1200, 800);
        W().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&W()));
        canvas = W().findChild<WorksheetCanvas*>("picGrid");
        ASSERT_NE(canvas, nullptr);
        // A switch at (2, 5) with a wire of twenty cells to an LED.
        test::LayWire(2, 5, 22, 5);
        ASSERT_NE(test::PlaceSwitch(2, 5), 0);
        ASSERT_NE(test::PlaceLed(22, 5), 0);
        Button("cmdOn")->click();
        QApplication::processEvents();
        ASSERT_TRUE(gPowerOn);
    }
    void TearDown() override { platform.pump = &pump; }

    QPushButton* Button(const char* name) { return W().findChild<QPushButton*>(name); }
    void ClickSwitch() {
        const QPoint p(GridToPixel(2), GridToPixel(5));
        QTest::mouseMove(canvas, p);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, p);
    }
    // Clicks the switch; about 35 ms into the run on the program's pump, clicks the key.
    void ClickSwitchAndSoonAfter(const char* key) {
        QTimer::singleShot(35, Button(key), [this, key] { Button(key)->click(); });
        ClickSwitch();
    }
    int Live(int x, int y) const { return gLevels.at(0).Feld(x, y).Pegel != 0 ? 1 : 0; }

    WorksheetCanvas* canvas = nullptr; // picGrid
    CountingPump qtPump;               // the program's pump, for the runs in real time
};

TEST_F(WindowDelayedRunTest, DelayKeysDuringTheRunActFromTheNextPass) {
    gVerzoegerung = 11; // 100 ms, each wait lasting 101 ms on the virtual clock
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
    pump.PostAt(clock.Now() + 3 * 101 + 50, [spin] {
        for (int i = 0; i < 11; ++i)
            spin->stepUp();
    });
    start = clock.Now();
    waits = pump.WaitCalls();
    ClickSwitch();
    EXPECT_EQ(Live(22, 5), 0);
    EXPECT_EQ(gVerzoegerung, 22);
    EXPECT_EQ(W().findChild<QLineEdit*>("txtVerzögerung")->text(), "22ms");
    EXPECT_EQ(pump.WaitCalls() - waits, passes + 1);
    EXPECT_EQ(clock.Now() - start, 4 * 101 + (passes - 4) * 201);
}

TEST_F(WindowDelayedRunTest, PauseAndContinueOnTheProgramsPumpFinishTheRun) {
    platform.pump = &qtPump;
    gVerzoegerung = 1; // about 10 ms per pass
    ClickSwitchAndSoonAfter("cmdPause");
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
    const int waits = static_cast<int>(qtPump.deadlines.size());
    EXPECT_GE(waits, 20);
    EXPECT_LE(qtPump.turns, 10 * waits);
}

TEST_F(WindowDelayedRunTest, StopOnTheProgramsPumpEndsTheRunWithTheLevelsReached) {
    gVerzoegerung = 0;
    ClickSwitch();
    ASSERT_EQ(Live(22, 5), 1);
    platform.pump = &qtPump;
    gVerzoegerung = 1;
    ClickSwitchAndSoonAfter("cmdStop");
    EXPECT_FALSE(gRechnet);
    EXPECT_EQ(QueueCount(2), 0);
    EXPECT_EQ(Live(3, 5), 0);
    EXPECT_EQ(Live(22, 5), 1);
    EXPECT_FALSE(Button("cmdStop")->isEnabled());
    EXPECT_EQ(W().Caption("lblOnOff"), "Bereit");
}

} // namespace
} // namespace kardo
