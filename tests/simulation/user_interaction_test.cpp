// Switch clicks, the step delay, pause and stop on the virtual clock: clicks and button presses
// are posted into the waits of a delayed run.
#include "circuit_test_util.h"
#include "model/block_elements.h"
#include "model/codes.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"
#include "simulation/user_interaction.h"
#include "support/hang_guard.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::LayWire;
using test::LedLine;
using test::SwitchLine;
using InteractionTest = test::CircuitFixture;

// Line A: switch (2, 5), wire to an LED at (22, 5). Line B: switch (2, 9), LED at (6, 9).
constexpr int kLedA = 22;
constexpr int kLedB = 6;

class DelayedRunTest : public InteractionTest {
  protected:
    void SetUp() override {
        SwitchLine(2, 5, kLedA);
        ASSERT_NE(test::PlaceLed(kLedA, 5), 0);
        SwitchLine(2, 9, kLedB);
        ASSERT_NE(test::PlaceLed(kLedB, 9), 0);
        PowerOn();
        // 11 / 110 s: every pass that touches the circuit waits 100 ms on the virtual clock.
        gVerzoegerung = 11;
    }
    // Virtual time after n delayed passes from now, inside the next pass's wait.
    std::int64_t AfterPasses(int n) const { return clock.Now() + n * 101 + 50; }
};

TEST_F(InteractionTest, ClickOnASwitchWithTwoWiresIsRefused) {
    LayWire(2, 5, 8, 5);
    ASSERT_NE(test::PlaceSwitch(2, 5), 0);
    // A second wire into the switch cell: it is no longer a wire end.
    LayWire(2, 5, 2, 8);
    PowerOn();
    Click(2, 5);
    EXPECT_EQ(host.statusTexts[2], "Bitte klicken Sie auf ein Leitungsende.");
    EXPECT_EQ(Live(2, 5), 0);
    EXPECT_EQ(Live(3, 5), 0);
    EXPECT_EQ(QueueCount(2), 0);
}

TEST_F(InteractionTest, ClickTogglesTheSwitchOnLevelZeroAndTheWorksheet) {
    SwitchLine(2, 5, 8);
    ASSERT_NE(test::PlaceLed(8, 5), 0);
    PowerOn();
    const int pumped = pump.DoEventsCalls();
    Click(2, 5);
    EXPECT_EQ(gLevels[0].Feld(2, 5).Pegel, kTrue);
    EXPECT_EQ(gLevels[0].Feld(2, 5).PegelH, kTrue);
    EXPECT_EQ(gGrid(2, 5).Pegel, kTrue);
    EXPECT_EQ(Live(8, 5), 1);
    EXPECT_EQ(host.Caption("lblTime"), "0");
    EXPECT_FALSE(host.IsEnabled("cmdStop"));
    EXPECT_FALSE(gRechnet);
    // Without a step delay the window never ran its messages.
    EXPECT_EQ(pump.DoEventsCalls(), pumped);
    Click(2, 5);
    EXPECT_EQ(gGrid(2, 5).Pegel, 0);
    EXPECT_EQ(Live(8, 5), 0);
}

TEST_F(InteractionTest, SwitchOnAnyWireSideSendsItsLevelThatWay) {
    struct Case {
        int wx, wy; // the wire's far end
        int nx, ny; // the first wire cell
    };
    for (const Case c :
         {Case{16, 10, 11, 10}, Case{3, 10, 9, 10}, Case{10, 3, 10, 9}, Case{10, 16, 10, 11}}) {
        InitProgramState();
        LayWire(10, 10, c.wx, c.wy);
        ASSERT_NE(test::PlaceSwitch(10, 10), 0);
        PowerOn();
        Click(10, 10);
        EXPECT_EQ(Live(c.nx, c.ny), 1) << c.wx << "," << c.wy;
        EXPECT_EQ(Live(c.wx, c.wy), 1) << c.wx << "," << c.wy;
        PowerOff();
    }
}

TEST_F(DelayedRunTest, DelayedRunShowsItsStateAndWaitsPerPass) {
    struct Seen {
        std::string label;
        bool red = false;
        bool stop = false;
        bool rechnet = false;
    } seen;
    pump.PostAt(AfterPasses(2), [&] {
        seen = {host.Caption("lblOnOff"), host.IsVisible("picRot") && !host.IsVisible("picGrün"),
                host.IsEnabled("cmdStop"), gRechnet};
    });
    const std::int64_t start = clock.Now();
    Click(2, 5);
    EXPECT_EQ(seen.label, "Zustand wird berechnet ...");
    EXPECT_TRUE(seen.red);
    EXPECT_TRUE(seen.stop);
    EXPECT_TRUE(seen.rechnet);
    EXPECT_EQ(Live(kLedA, 5), 1);
    // Twenty cells, each pass waiting more than 100 ms.
    EXPECT_GE(clock.Now() - start, 20 * 100);
    EXPECT_EQ(host.Caption("lblOnOff"), "Bereit");
    EXPECT_TRUE(host.IsVisible("picGrün"));
    EXPECT_FALSE(host.IsVisible("picRot"));
    EXPECT_FALSE(host.IsEnabled("cmdStop"));
    EXPECT_EQ(host.Caption("lblTime"), "0");
    EXPECT_FALSE(gRechnet);
}

TEST_F(DelayedRunTest, EachDelayedPassSleepsThroughItsWaitInOneTurn) {
    const int turns = pump.DoEventsCalls();
    const int waits = pump.WaitCalls();
    std::int64_t start = clock.Now();
    Click(2, 5);
    EXPECT_EQ(Live(kLedA, 5), 1);
    const int passes = pump.WaitCalls() - waits;
    EXPECT_GE(passes, 20);
    // Nothing happened meanwhile: one turn of the loop per wait, each lasting its 101 ms.
    EXPECT_EQ(pump.DoEventsCalls() - turns, passes);
    EXPECT_EQ(clock.Now() - start, passes * 101);

    // An event wakes the wait it falls into once more; the run keeps its steps and its time.
    bool ranInRun = false;
    pump.PostAt(AfterPasses(3), [&] { ranInRun = gRechnet; });
    start = clock.Now();
    const int waitsBack = pump.WaitCalls();
    Click(2, 5);
    EXPECT_TRUE(ranInRun);
    EXPECT_EQ(Live(kLedA, 5), 0);
    EXPECT_EQ(pump.WaitCalls() - waitsBack, passes + 1);
    EXPECT_EQ(clock.Now() - start, passes * 101);
}

TEST_F(DelayedRunTest, ClickDuringADelayedRunJoinsTheRunInsteadOfStartingOne) {
    struct Seen {
        int queued = -1;
        int ledA = -1;
        int firstB = -1;
        bool rechnet = false;
    } seen;
    int before = -1;
    pump.PostAt(AfterPasses(3), [&] {
        before = QueueCount(2);
        Click(2, 9);
        // Only queued: a run of its own would have finished both lines here.
        seen = {QueueCount(2), Live(kLedA, 5), Live(3, 9), gRechnet};
    });
    Click(2, 5);
    EXPECT_EQ(seen.queued, before + 1);
    EXPECT_EQ(seen.ledA, 0);
    EXPECT_EQ(seen.firstB, 0);
    EXPECT_TRUE(seen.rechnet);
    EXPECT_EQ(Live(2, 9), 1);
    // The one run took both lines to their ends.
    EXPECT_EQ(Live(kLedA, 5), 1);
    EXPECT_EQ(Live(kLedB, 9), 1);
    EXPECT_FALSE(gRechnet);
}

TEST_F(DelayedRunTest, PauseStopsAtTheNextPassAndContinueFinishesTheRun) {
    pump.PostAt(AfterPasses(3), [] { cmdPause_Click(); });
    Click(2, 5);
    EXPECT_TRUE(gPaused);
    EXPECT_GT(QueueCount(2), 0);
    EXPECT_EQ(Live(kLedA, 5), 0);
    EXPECT_EQ(Live(4, 5), 1);
    EXPECT_EQ(host.Caption("lblOnOff"), "Angehalten");
    EXPECT_EQ(host.Caption("cmdPause"), "&Fortfahren");
    EXPECT_TRUE(host.IsEnabled("cmdPause"));
    EXPECT_FALSE(host.IsEnabled("cmdStop"));

    cmdPause_Click();
    EXPECT_FALSE(gPaused);
    EXPECT_EQ(Live(kLedA, 5), 1);
    EXPECT_EQ(QueueCount(2), 0);
    EXPECT_EQ(host.Caption("lblOnOff"), "Bereit");
    EXPECT_EQ(host.Caption("cmdPause"), "&Pause");
    EXPECT_TRUE(host.IsVisible("picGrün"));
    EXPECT_FALSE(host.IsVisible("picRot"));
}

TEST_F(InteractionTest, PauseWithNothingQueuedAndNoRunDoesNothing) {
    PowerOn();
    host.SetCaption("lblOnOff", "Bereit");
    Pause();
    EXPECT_FALSE(gPaused);
    EXPECT_EQ(host.Caption("lblOnOff"), "Bereit");
    EXPECT_EQ(host.Caption("cmdPause"), "&Pause");
}

TEST_F(DelayedRunTest, StopEmptiesTheQueueAndKeepsTheLevelsReached) {
    pump.PostAt(AfterPasses(4), [] { cmdStop_Click(); });
    Click(2, 5);
    EXPECT_EQ(QueueCount(1) + QueueCount(2), 0);
    EXPECT_FALSE(gRechnet);
    EXPECT_EQ(Live(3, 5), 1);
    EXPECT_EQ(Live(kLedA, 5), 0);
    EXPECT_FALSE(host.IsEnabled("cmdStop"));
    EXPECT_FALSE(host.IsEnabled("cmdPause"));
    EXPECT_EQ(host.Caption("cmdPause"), "&Pause");
    EXPECT_EQ(host.Caption("lblOnOff"), "Bereit");
    // The circuit still runs: the next click starts a new run.
    gVerzoegerung = 0;
    Click(2, 9);
    EXPECT_EQ(Live(kLedB, 9), 1);
}

TEST_F(DelayedRunTest, DelayChangedDuringAWaitActsFromTheNextPass) {
    pump.PostAt(AfterPasses(2), [] { gVerzoegerung = 0; });
    const std::int64_t start = clock.Now();
    Click(2, 5);
    EXPECT_EQ(Live(kLedA, 5), 1);
    EXPECT_LT(clock.Now() - start, 5 * 101);
}

// Fault: switching off during the wait of a delayed run let the run and the click handler go on
// afterwards, painting levels and writing the run controls of a circuit already switched off.
TEST_F(DelayedRunTest, NothingRunsOnAfterASwitchOffDuringTheWait) {
    std::size_t drawnAtOff = 0;
    pump.PostAt(AfterPasses(3), [&] {
        PowerOnOff();
        drawnAtOff = screen.Calls().size();
    });
    Click(2, 5);
    EXPECT_FALSE(gPowerOn);
    EXPECT_FALSE(gRechnet);
    EXPECT_EQ(screen.Calls().size(), drawnAtOff);
    EXPECT_EQ(host.Caption("lblTime"), "");
    EXPECT_EQ(QueueCount(1) + QueueCount(2), 0);
    for (int x = 0; x <= gFeldBreite; ++x)
        EXPECT_EQ(gGrid(x, 5).Pegel, 0) << x;
}

TEST_F(DelayedRunTest, WithAStepDelayThePassLimitNeverStrikes) {
    const test::HangGuard bound;
    // A ring of four connection points on level 0 keeps a level circling, one event per pass.
    auto ring = [](int x, int y, const char* flags) {
        CellRecord& c = gLevels[0].Feld(x, y);
        c.Typ = kTypeWire;
        c.Punkt = kPointConnection;
        c.Links = std::string_view(flags).find('L') != std::string_view::npos ? kTrue : 0;
        c.Oben = std::string_view(flags).find('O') != std::string_view::npos ? kTrue : 0;
        c.Rechts = std::string_view(flags).find('R') != std::string_view::npos ? kTrue : 0;
        c.Unten = std::string_view(flags).find('U') != std::string_view::npos ? kTrue : 0;
    };
    ring(30, 20, "RU");
    ring(31, 20, "LU");
    ring(31, 21, "LO");
    ring(30, 21, "RO");
    gMaxRunden = 250;
    gVerzoegerung = 1;
    pump.PostAt(clock.Now() + 400 * 10, [] { cmdStop_Click(); });
    AddEvent(31, 20, kRight, 1, 0);
    gRechnet = true;
    gRunden = 0;
    RunSimulation();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(gAbgebrochen);
    EXPECT_GT(gRunden, 300);
    EXPECT_TRUE(gPowerOn);
    EXPECT_FALSE(gRechnet);
}

TEST_F(InteractionTest, PassesOnIcLevelsOnlyAreNotDelayed) {
    PowerOn();
    gLevels.resize(2);
    SimLevelRecord& ic = gLevels[1];
    ic.Name = "Inner.icd";
    ic.Feld.Create(8, 8);
    ic.MaxX = ic.MaxY = 7;
    for (int x = 1; x <= 5; ++x) {
        CellRecord& c = ic.Feld(x, 3);
        c.Typ = kTypeWire;
        c.Links = x > 1 ? kTrue : 0;
        c.Rechts = x < 5 ? kTrue : 0;
    }
    gVerzoegerung = 100;
    const int pumped = pump.DoEventsCalls();
    AddEvent(1, 3, kRight, 1, 1);
    gRechnet = true;
    RunSimulation();
    EXPECT_EQ(ic.Feld(5, 3).Pegel, kTrue);
    EXPECT_EQ(pump.DoEventsCalls(), pumped);
}

TEST_F(InteractionTest, DecoderClockInputBox) {
    chkTakteingang_Click(1);
    EXPECT_EQ(gTakteingang, kTrue);
    chkTakteingang_Click(0);
    EXPECT_EQ(gTakteingang, 0);
}

} // namespace
} // namespace kardo

namespace kardo {
namespace {

using RunControlTest = DelayedRunTest;

// Fault: after "Aus" during a delayed run the pause and stop buttons stayed enabled, with
// nothing left to pause or stop.
TEST_F(RunControlTest, SwitchingOffDuringADelayedRunDisablesPauseAndStop) {
    bool enabledDuringRun = false;
    pump.PostAt(AfterPasses(3), [&] {
        enabledDuringRun = host.IsEnabled("cmdPause") && host.IsEnabled("cmdStop");
        PressOffButton();
    });
    Click(2, 5);
    EXPECT_TRUE(enabledDuringRun);
    EXPECT_FALSE(gPowerOn);
    EXPECT_FALSE(host.IsEnabled("cmdPause"));
    EXPECT_FALSE(host.IsEnabled("cmdStop"));
    EXPECT_EQ(host.Caption("cmdPause"), "&Pause");
}

// Switching a switch on enables the pause key only while it reads "&Pause"; switching one off
// enables it whatever it reads.
TEST_F(RunControlTest, PauseKeyCaptionRuleOfTheSwitchClick) {
    struct Case {
        const char* caption;
        bool switchOn;
        bool pauseEnabled;
    };
    for (const Case c : {Case{"&Pause", true, true}, Case{"&Fortfahren", true, false},
                         Case{"&Pause", false, true}, Case{"&Fortfahren", false, true}}) {
        if (Live(2, 5) != (c.switchOn ? 0 : 1)) {
            gVerzoegerung = 0;
            Click(2, 5);
            gVerzoegerung = 11;
        }
        ASSERT_EQ(Live(2, 5), c.switchOn ? 0 : 1);
        host.SetCaption("cmdPause", c.caption);
        host.SetEnabled("cmdPause", false);
        bool seen = !c.pauseEnabled;
        pump.PostAt(AfterPasses(2), [&] { seen = host.IsEnabled("cmdPause"); });
        Click(2, 5);
        EXPECT_EQ(seen, c.pauseEnabled) << c.caption << " on " << c.switchOn;
        EXPECT_TRUE(host.IsEnabled("cmdStop") || !gRechnet);
    }
}

} // namespace
} // namespace kardo
