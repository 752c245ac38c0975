// Clock generators running on the virtual clock while powered: exact edge times of continuous
// runs and bursts, the stop key and the stop input, the shortest interval, the run timer, edge
// flags of removed clocks and of ticks after switch-off, and burst counts beyond a byte.
#include "block_test_util.h"
#include "ic/ic_view.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/undo.h"
#include "simulation/clock_run.h"
#include "simulation/power.h"
#include "support/block_builder.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace kardo::test {
namespace {

// (time in ms, new level) of one change of the clock's output wire.
using Edge = std::pair<std::int64_t, int>;

class ClockRun : public BlockCircuit {
  protected:
    // A clock facing right with its cursor at (10, 10): output (13, 10) with a wire to the
    // right, a switch on the stop input (12, 11) from below.
    void Build() {
        nr = PlaceClock(10, 10, kRight);
        ASSERT_NE(nr, 0);
        LayWire(13, 10, 18, 10);
        probe = {15, 10};
        stop = SwitchInto(InPin(nr, 0), kDown, 3);
        PowerOn();
    }
    // Advances the virtual clock by ms, one millisecond at a time, and returns the changes of
    // the output wire on the way.
    std::vector<Edge> Run(std::int64_t ms) {
        std::vector<Edge> edges;
        int level = LiveAt(probe);
        for (std::int64_t t = 0; t < ms; ++t) {
            clock.Advance(1);
            if (LiveAt(probe) != level) {
                level = LiveAt(probe);
                edges.emplace_back(clock.Now() - start, level);
            }
        }
        return edges;
    }
    void Press(std::string_view key) {
        start = clock.Now();
        Toolbar3_ButtonClick(key);
    }
    static int Rising(const std::vector<Edge>& edges) {
        return static_cast<int>(
            std::count_if(edges.begin(), edges.end(), [](const Edge& e) { return e.second == 1; }));
    }

    std::int16_t nr = 0;
    GridPoint probe, stop;
    std::int64_t start = 0;
};

TEST_F(ClockRun, ContinuousRunKeepsTheHighAndLowTimes) {
    Build();
    gTaktZeit0[0] = 1000;
    gTaktZeit1[0] = 500;
    Press("cmdDauertakt");
    EXPECT_EQ(Timer2()[0].Tag, "Dauertakt");
    EXPECT_FALSE(host.IsEnabled(kKeyDauertakt));
    EXPECT_FALSE(host.IsEnabled(kKeyEinzeltakt));
    EXPECT_TRUE(host.IsEnabled(kKeyClockStop));
    EXPECT_TRUE(host.IsEnabled(kKeyFullStop));
    // Each edge is made by the run that the tick starts one millisecond later; the phases keep
    // their lengths exactly, however long the runs take.
    const std::vector<Edge> expected = {{1001, 1}, {1501, 0}, {2501, 1}, {3001, 0},
                                        {4001, 1}, {4501, 0}, {5501, 1}};
    EXPECT_EQ(Run(5600), expected);
    EXPECT_FALSE(gRechnet);
    EXPECT_FALSE(Timer1().Enabled());
}

TEST_F(ClockRun, BurstGivesExactlyItsPulsesThenStops) {
    Build();
    gTaktZeit0[0] = 300;
    gTaktZeit1[0] = 200;
    for (const int pulses : {1, 3, 5}) {
        gAnzTakte[0] = static_cast<std::uint8_t>(pulses);
        Press("cmdEinzeltakt");
        EXPECT_EQ(gTaktZaehler[0], 1);
        EXPECT_EQ(Timer2()[0].Tag, "Einzeltakt");
        // Low 300 ms, high 200 ms, each edge one millisecond after its tick.
        std::vector<Edge> expected;
        for (int k = 0; k < pulses; ++k) {
            expected.emplace_back(301 + 500 * k, 1);
            expected.emplace_back(501 + 500 * k, 0);
        }
        EXPECT_EQ(Run(4000), expected) << pulses << " pulses";
        EXPECT_FALSE(Timer2()[0].Enabled()) << pulses << " pulses";
        EXPECT_EQ(gTaktZaehler[0], 0);
        EXPECT_TRUE(host.IsEnabled(kKeyDauertakt));
        EXPECT_TRUE(host.IsEnabled(kKeyEinzeltakt));
        EXPECT_FALSE(host.IsEnabled(kKeyClockStop));
    }
}

TEST_F(ClockRun, StopDuringAHighPhaseLetsThePhaseEnd) {
    Build();
    gTaktZeit0[0] = 400;
    gTaktZeit1[0] = 400;
    Press("cmdDauertakt");
    std::vector<Edge> edges = Run(500);
    ASSERT_EQ(edges, (std::vector<Edge>{{401, 1}}));
    Toolbar3_ButtonClick("cmdStop");
    EXPECT_EQ(Timer2()[0].Tag, "Stop");
    EXPECT_TRUE(host.IsEnabled(kKeyDauertakt));
    EXPECT_FALSE(host.IsEnabled(kKeyClockStop));
    EXPECT_FALSE(host.IsEnabled(kKeyFullStop)) << "no clock runs any more";
    EXPECT_TRUE(Timer2()[0].Enabled()) << "the high phase runs to its end";
    edges = Run(1500);
    EXPECT_EQ(edges, (std::vector<Edge>{{801, 0}}));
    EXPECT_FALSE(Timer2()[0].Enabled());
}

// Fault: a start right after a stop kept the stop's burst counter, so the continuous run ended
// at its first tick with the output low.
TEST_F(ClockRun, ContinuousRunAfterAStopKeepsRunning) {
    Build();
    gTaktZeit0[0] = 100;
    gTaktZeit1[0] = 100;
    Press("cmdDauertakt");
    Run(50);
    Toolbar3_ButtonClick("cmdStop");
    Press("cmdDauertakt");
    EXPECT_EQ(Rising(Run(1000)), 5);
    EXPECT_TRUE(Timer2()[0].Enabled());
}

TEST_F(ClockRun, AHighStopInputHoldsTheOutputLowWhileTheBurstCounts) {
    Build();
    Set(stop, 1);
    gTaktZeit0[0] = 100;
    gTaktZeit1[0] = 100;
    gAnzTakte[0] = 2;
    Press("cmdEinzeltakt");
    EXPECT_TRUE(Run(2000).empty());
    EXPECT_FALSE(Timer2()[0].Enabled()) << "the burst counted its ticks and ended";
}

TEST_F(ClockRun, FullStopStopsEveryClock) {
    Build();
    ASSERT_NE(PlaceClock(30, 10, kRight), 0);
    ASSERT_EQ(Timer2().UBound(), 1);
    PowerOff();
    PowerOn();
    for (int s = 0; s < 2; ++s) {
        gAktTakt = static_cast<std::int16_t>(s);
        gTaktZeit0[static_cast<std::size_t>(s)] = 100;
        gTaktZeit1[static_cast<std::size_t>(s)] = 100;
        Press("cmdDauertakt");
    }
    Run(150);
    Toolbar3_ButtonClick("cmdFullStop");
    EXPECT_EQ(Timer2()[0].Tag, "Stop");
    EXPECT_EQ(Timer2()[1].Tag, "Stop");
    EXPECT_FALSE(host.IsEnabled(kKeyFullStop));
    Run(1000);
    EXPECT_FALSE(Timer2()[0].Enabled());
    EXPECT_FALSE(Timer2()[1].Enabled());
    EXPECT_EQ(LiveAt(probe), 0);
}

// Fault: a time of 0 ms gave the timer an interval of 0, which never fires: the clock stalled.
TEST_F(ClockRun, ZeroTimesRunAtTheShortestInterval) {
    Build();
    gTaktZeit0[0] = 0;
    gTaktZeit1[0] = 0;
    Press("cmdDauertakt");
    EXPECT_EQ(Timer2()[0].Interval(), kMinClockIntervalMs);
    const std::vector<Edge> edges = Run(1005);
    // One edge per interval, each made one millisecond after its tick.
    EXPECT_EQ(Rising(edges), 1000 / (2 * kMinClockIntervalMs));
    ASSERT_FALSE(edges.empty());
    EXPECT_EQ(edges.front(), (Edge{kMinClockIntervalMs + 1, 1}));
    EXPECT_EQ(clock.ActiveTimers(), 1) << "the clock's timer runs, the run timer rests";
}

TEST_F(ClockRun, ATickDuringARunOnlyRaisesTheFlag) {
    Build();
    HookClockTimers();
    gRechnet = true;
    Timer2_Timer(0);
    EXPECT_EQ(gTaktFlag.at(0), kTrue);
    EXPECT_FALSE(Timer1().Enabled());
    gRechnet = false;
    Timer2_Timer(0);
    EXPECT_TRUE(Timer1().Enabled());
    clock.Advance(1);
    EXPECT_EQ(gTaktFlag.at(0), kFalse) << "the run made the edge";
    EXPECT_EQ(LiveAt(probe), 1);
    EXPECT_FALSE(Timer1().Enabled());
}

TEST_F(ClockRun, NoEdgeWhileAnIcLevelIsShown) {
    Build();
    gInLevel = true;
    Timer2_Timer(0);
    gInLevel = false;
    EXPECT_TRUE(std::none_of(gTaktFlag.begin(), gTaktFlag.end(), [](auto f) { return f != 0; }));
}

// Fault: a tick that arrived after the switch-off raised an edge flag that fired in the next
// power cycle.
TEST_F(ClockRun, ATickAfterSwitchOffRaisesNoFlag) {
    Build();
    PowerOff();
    Timer2_Timer(0);
    EXPECT_TRUE(std::none_of(gTaktFlag.begin(), gTaktFlag.end(), [](auto f) { return f != 0; }));
    PowerOn();
    gRechnet = true;
    RunSimulation();
    gRechnet = false;
    EXPECT_EQ(LiveAt(probe), 0) << "no edge from the last power cycle";
}

// Fault: a clock key handled while the circuit was off, or while a switch-on prepared its levels,
// started the clock, which then gave edges from the next switch-on on.
TEST_F(ClockRun, ClockKeysStartNothingWhileThePowerIsOffOrBeingSwitched) {
    Build();
    PowerOff();
    Press("cmdEinzeltakt");
    PowerOn();
    gPowerSettingUp = true;
    Press("cmdDauertakt");
    gPowerSettingUp = false;
    EXPECT_TRUE(Run(3000).empty());
    EXPECT_FALSE(Timer2()[0].Enabled());
}

// Fault: a removed clock's pending edge flag stayed at its index and fired for the clock that
// moved into it.
TEST_F(ClockRun, ARemovedClocksFlagGoesWithIt) {
    ASSERT_NE(PlaceClock(10, 10, kRight), 0);
    ASSERT_NE(PlaceClock(20, 10, kRight), 0);
    ASSERT_NE(PlaceClock(30, 10, kRight), 0);
    gTaktFlag = {kFalse, kTrue, kFalse};
    ASSERT_TRUE(RemoveBlockAt(21, 10));
    EXPECT_EQ(gTaktFlag, (std::vector<std::int16_t>{kFalse, kFalse}));
    gTaktFlag = {kFalse, kTrue};
    ASSERT_TRUE(RemoveBlockAt(31, 10) || RemoveBlockAt(30, 10));
    EXPECT_EQ(gTaktFlag, (std::vector<std::int16_t>{kFalse}));
}

TEST_F(ClockRun, AClockBroughtBackByUndoHasNoPendingEdge) {
    ASSERT_NE(PlaceClock(10, 10, kRight), 0);
    ASSERT_NE(PlaceClock(20, 10, kRight), 0);
    ASSERT_NE(PlaceClock(30, 10, kRight), 0);
    ASSERT_TRUE(RemoveBlockAt(20, 10));
    gTaktFlag = {kFalse, kTrue};
    gUndo.Undo();
    ASSERT_EQ(Timer2().UBound(), 2);
    EXPECT_EQ(gTaktFlag, (std::vector<std::int16_t>{kFalse, kFalse, kTrue}))
        << "the flag of the clock that moved up moves with it";
}

// Fault: the burst counter is a byte; with more than 126 pulses per burst its end count lay
// beyond 255, the counter never reached it and the burst never ended.
TEST_F(ClockRun, ABurstLongerThanAByteCanCountStopsAfterTheLongestBurst) {
    Build();
    gTaktZeit0[0] = 10;
    gTaktZeit1[0] = 10;
    gAnzTakte[0] = 200;
    EXPECT_EQ(BurstEndCount(0), 202);
    Press("cmdEinzeltakt");
    EXPECT_EQ(Rising(Run(5000)), 100);
    EXPECT_FALSE(Timer2()[0].Enabled());
    Toolbar3_ButtonClick("cmdStop");
    EXPECT_EQ(gTaktZaehler[0], 202);
}

// Fault: a clock tick in the wait in which a delayed run was stopped started a run inside it.
TEST_F(ClockRun, ATickAfterStopRunsOnlyOnceTheStoppedRunHasReturned) {
    Build();
    gVerzoegerung = 11;
    gTaktZeit1[0] = 300;
    Press("cmdDauertakt"); // the rising edge's run waits 101 ms a pass from 1001 ms on
    pump.PostAt(start + 1250, [] { cmdStop_Click(); });
    pump.PostAt(start + 1302, [&] { EXPECT_EQ(LiveAt(OutPin(nr, 0)), 1) << "in the wait"; });
    clock.Advance(1400);
    EXPECT_EQ(LiveAt(OutPin(nr, 0)), 0);
}

} // namespace
} // namespace kardo::test
