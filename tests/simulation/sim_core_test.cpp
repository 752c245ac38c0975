// The event queues, the pass loop and the dispatcher's level rules on hand-filled level grids.
#include "model/clock_tables.h"
#include "model/codes.h"
#include "sim_test_util.h"
#include "simulation/loop_watch.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"

#include <limits>
#include <string_view>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::Ev;
using SimCoreTest = test::SimFixture;

const char* const kAbortText = "Die Ausführung wurde abgebrochen!\r\n\r\nÜberprüfen Sie, ob Ihre "
                               "Schaltung Endlosschleifen\r\nenthält.";

TEST_F(SimCoreTest, AddEventStoresTruthValues) {
    AddEvent(3, 4, kRight, 1, 0);
    AddEvent(3, 4, kLeft, 0, 0);
    AddEvent(3, 4, kUp, 7, 2);
    EXPECT_EQ(test::NextEvents(),
              (std::vector<Ev>{{3, 4, kRight, kTrue}, {3, 4, kLeft, 0}, {3, 4, kUp, kTrue}}));
    EXPECT_EQ(gNextEventQueue[2].Ebene, 2);
    EXPECT_EQ(QueueCount(2), 3);
    EXPECT_EQ(QueueCount(1), 0);
    EXPECT_EQ(QueueCount(0), 0);
    EXPECT_EQ(QueueCount(3), 0);
}

TEST_F(SimCoreTest, ClearEventQueuesEmptiesBothAndEndsTheRun) {
    AddEvent(1, 1, kRight, 1, 0);
    gEventQueue.push_back(SimEvent{});
    gRechnet = true;
    ClearEventQueues();
    EXPECT_EQ(QueueCount(1), 0);
    EXPECT_EQ(QueueCount(2), 0);
    EXPECT_FALSE(gRechnet);
}

TEST_F(SimCoreTest, RunWithNothingQueuedEndsAtOnce) {
    HandLevel(10, 10);
    for (const bool pauseCaption : {true, false}) {
        host.SetCaption("cmdPause", pauseCaption ? "&Pause" : "&Fortfahren");
        host.SetEnabled("cmdPause", true);
        host.SetEnabled("cmdStop", true);
        gRunden = 4;
        RunSimulation();
        EXPECT_FALSE(gRechnet);
        EXPECT_EQ(gRunden, 5);
        EXPECT_FALSE(host.IsEnabled("cmdStop"));
        EXPECT_EQ(host.IsEnabled("cmdPause"), !pauseCaption);
    }
}

TEST_F(SimCoreTest, LevelTravelsAlongAWireOneCellPerPass) {
    HandLevel(10, 10);
    for (int x = 2; x <= 6; ++x)
        Wire(x, 3, x == 2 ? "R" : x == 6 ? "L" : "LR");
    AddEvent(2, 3, kRight, 1, 0);
    gRunden = 0;
    RunSimulation();
    for (int x = 2; x <= 6; ++x) {
        EXPECT_EQ(Cell(x, 3).Pegel, kTrue) << x;
        EXPECT_EQ(Cell(x, 3).PegelH, kTrue) << x;
        EXPECT_EQ(Cell(x, 3).PegelV, 0) << x;
    }
    EXPECT_EQ(gRunden, 6); // five cells, then the empty pass
    AddEvent(2, 3, kRight, 0, 0);
    RunSimulation();
    for (int x = 2; x <= 6; ++x)
        EXPECT_EQ(Cell(x, 3).Pegel, 0) << x;
}

TEST_F(SimCoreTest, HighArrivingAtAHighPlainCellEndsThere) {
    HandLevel(10, 10);
    Wire(3, 3, "LR").Pegel = kTrue;
    Wire(4, 3, "LR");
    screen.ClearLog();
    AddEvent(3, 3, kRight, 1, 0);
    RunSimulation();
    EXPECT_EQ(Cell(4, 3).Pegel, 0);
    EXPECT_TRUE(screen.CallsOf(DrawOp::Polyline).empty());
}

TEST_F(SimCoreTest, HighPassesAgainAtAConnectionPointOrDiode) {
    for (const std::int16_t mark : {kPointConnection, kPointDiode}) {
        HandLevel(10, 10);
        Wire(3, 3, "LR", mark).Pegel = kTrue;
        Wire(4, 3, "L");
        AddEvent(3, 3, kRight, 1, 0);
        RunSimulation();
        EXPECT_EQ(Cell(4, 3).Pegel, kTrue) << mark;
    }
}

TEST_F(SimCoreTest, HighTravellingLeftIntoAVerticalOnlyWireIsSwallowed) {
    HandLevel(10, 10);
    Wire(3, 3, "OU");
    Wire(3, 2, "U");
    Wire(3, 4, "O");
    AddEvent(3, 3, kLeft, 1, 0);
    RunSimulation();
    EXPECT_EQ(Cell(3, 3).Pegel, 0);
    EXPECT_EQ(Cell(3, 2).Pegel, 0);
    EXPECT_EQ(Cell(3, 4).Pegel, 0);
}

TEST_F(SimCoreTest, LowCrossingAWireCrossingLeavesTheOtherWire) {
    HandLevel(10, 10);
    CellRecord& x = Wire(4, 4, "LORU");
    x.Pegel = x.PegelH = x.PegelV = kTrue;
    Wire(5, 4, "L").Pegel = kTrue;
    AddEvent(4, 4, kRight, 0, 0);
    RunSimulation();
    EXPECT_EQ(x.PegelH, 0);
    EXPECT_EQ(x.PegelV, kTrue);
    EXPECT_EQ(x.Pegel, kTrue);
    EXPECT_EQ(Cell(5, 4).Pegel, 0);
    // With the vertical wire low as well the cell goes low.
    x.PegelH = kTrue;
    x.PegelV = 0;
    AddEvent(4, 4, kLeft, 0, 0);
    RunSimulation();
    EXPECT_EQ(x.Pegel, 0);
    EXPECT_EQ(x.PegelH, 0);
}

TEST_F(SimCoreTest, LowAtATJunctionOrConnectionPointClearsEveryWire) {
    for (const std::int16_t mark : {kPointNone, kPointConnection}) {
        HandLevel(10, 10);
        CellRecord& t = Wire(4, 4, "LRU", mark);
        t.Pegel = t.PegelH = t.PegelV = kTrue;
        AddEvent(4, 4, kRight, 0, 0);
        RunSimulation();
        EXPECT_EQ(t.Pegel, 0) << mark;
        EXPECT_EQ(t.PegelH, 0) << mark;
        EXPECT_EQ(t.PegelV, 0) << mark;
    }
}

TEST_F(SimCoreTest, CouplingDiodeHoldsTheVerticalWireWhileBothSidesAreHigh) {
    struct Case {
        int richtung;
        bool left;
        bool right;
        bool keeps;
    };
    const Case cases[] = {{kDown, true, true, true},   {kDown, true, false, false},
                          {kDown, false, true, false}, {kUp, true, true, true},
                          {kRight, true, true, false}, {kLeft, true, true, false}};
    for (const Case& c : cases) {
        HandLevel(10, 10);
        CellRecord& d = Wire(4, 4, "LORU", kPointDiode);
        d.Pegel = d.PegelH = d.PegelV = kTrue;
        Cell(3, 4).Pegel = c.left ? kTrue : 0;
        Cell(5, 4).Pegel = c.right ? kTrue : 0;
        gNextEventQueue.clear();
        Propagate(4, 4, c.richtung, 0, 0);
        EXPECT_EQ(d.Pegel, c.keeps ? kTrue : 0) << c.richtung << c.left << c.right;
        EXPECT_EQ(d.PegelV, c.keeps ? kTrue : 0) << c.richtung << c.left << c.right;
        ASSERT_FALSE(gNextEventQueue.empty());
        if (c.keeps) {
            // The held diode sends its high level back where the low level came from.
            const int back = c.richtung == kDown ? kUp : kDown;
            EXPECT_EQ(test::NextEvents(), (std::vector<Ev>{{4, 4 + StepOf(back).dy, back, kTrue}}));
        } else {
            EXPECT_EQ(gNextEventQueue[0].Pegel, 0);
        }
    }
}

TEST_F(SimCoreTest, DelayCountHoldsAnEventBackOnePassPerCount) {
    HandLevel(10, 10);
    Wire(3, 3, "L");
    AddEvent(3, 3, kRight, 1, 0);
    gRunden = 0;
    RunSimulation();
    const int plain = gRunden;

    HandLevel(10, 10);
    Wire(3, 3, "L").Verzoegerung = 3;
    AddEvent(3, 3, kRight, 1, 0);
    gRunden = 0;
    RunSimulation();
    EXPECT_EQ(gRunden, plain + 3);
    EXPECT_EQ(Cell(3, 3).Verzoegerung, 0);
    EXPECT_EQ(Cell(3, 3).Pegel, kTrue);
}

// Fault: events for cells outside a level's grid (or for a level that does not exist) were
// processed on whatever memory lay there.
TEST_F(SimCoreTest, EventsOutsideTheLevelGridAreDropped) {
    HandLevel(10, 10);
    AddEvent(-1, 3, kLeft, 1, 0);
    AddEvent(3, -1, kUp, 1, 0);
    AddEvent(12, 3, kRight, 1, 0);
    AddEvent(3, 300, kDown, 1, 0);
    AddEvent(300, 3, kRight, 1, 0);
    AddEvent(3, 3, kRight, 1, 9);
    RunSimulation();
    EXPECT_FALSE(gRechnet);
    EXPECT_TRUE(host.messages.empty());
    // A wide sheet keeps columns above 255 apart from low ones.
    HandLevel(300, 5);
    Wire(270, 2, "LR");
    Wire(270 - 256, 2, "LR");
    AddEvent(270, 2, kRight, 1, 0);
    RunSimulation();
    EXPECT_EQ(Cell(270, 2).Pegel, kTrue);
    EXPECT_EQ(Cell(270 - 256, 2).Pegel, 0);
}

// A 2 x 2 ring of connection points: a level keeps circling, one event per pass.
void MakePointRing(Grid& g) {
    auto set = [&](int x, int y, bool l, bool o, bool r, bool u) {
        CellRecord& c = g(x, y);
        c.Typ = kTypeWire, c.Punkt = kPointConnection;
        c.Links = l ? kTrue : 0, c.Oben = o ? kTrue : 0, c.Rechts = r ? kTrue : 0,
        c.Unten = u ? kTrue : 0;
    };
    set(3, 3, false, false, true, true);
    set(4, 3, true, false, false, true);
    set(3, 4, false, true, true, false);
    set(4, 4, true, true, false, false);
}

TEST_F(SimCoreTest, EndlessLoopIsAbortedAfterThePassLimit) {
    HandLevel(10, 10);
    MakePointRing(gLevels[0].Feld);
    gMaxRunden = 50;
    AddEvent(3, 3, kRight, 1, 0);
    gRunden = 0;
    RunSimulation();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kAbortText);
    EXPECT_EQ(host.messages[0].title, "Abbruch");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(host.Caption("lblOnOff"), "Ausführung unterbrochen");
    EXPECT_TRUE(gAbgebrochen);
    EXPECT_FALSE(gRechnet);
    EXPECT_EQ(gRunden, 0);
    EXPECT_EQ(QueueCount(1), 0);
    EXPECT_EQ(QueueCount(2), 0);
}

// Fault: every cell of a wire costs a pass, and a wire longer than the pass limit was aborted
// as an endless loop though it has no loop.
TEST_F(SimCoreTest, WireLongerThanThePassLimitRunsToItsEnd) {
    for (const int limit : {10, 59, 60, 1000}) {
        HandLevel(70, 5);
        for (int x = 1; x <= 60; ++x)
            Wire(x, 2, x == 1 ? "R" : x == 60 ? "L" : "LR");
        gMaxRunden = static_cast<std::int16_t>(limit);
        AddEvent(1, 2, kRight, 1, 0);
        gRunden = 0;
        RunSimulation();
        EXPECT_FALSE(gAbgebrochen) << limit;
        EXPECT_TRUE(host.messages.empty()) << limit;
        EXPECT_EQ(Cell(60, 2).Pegel, kTrue) << limit;
        EXPECT_EQ(gRunden, 61) << limit; // sixty cells, then the empty pass
        AddEvent(1, 2, kRight, 0, 0);
        gRunden = 0;
        RunSimulation();
        EXPECT_FALSE(gAbgebrochen) << limit;
        EXPECT_EQ(Cell(60, 2).Pegel, 0) << limit;
    }
}

TEST_F(SimCoreTest, PassLimitCountsThePassesWithoutProgress) {
    // The ring changes its four cells in the first three passes; from the fourth pass on its
    // events only circle, and the limit strikes at the top of pass limit + 4.
    for (const int limit : {50, 250}) {
        HandLevel(10, 10);
        gAbgebrochen = false;
        test::PassAtAbortHost counting;
        platform.host = &counting;
        MakePointRing(gLevels[0].Feld);
        gMaxRunden = static_cast<std::int16_t>(limit);
        AddEvent(3, 3, kRight, 1, 0);
        gRunden = 0;
        RunSimulation();
        platform.host = &host;
        EXPECT_TRUE(gAbgebrochen) << limit;
        EXPECT_EQ(counting.passes, limit + 4);
        EXPECT_EQ(gStillRunden, 0);
        gPowerOn = true;
    }
}

TEST_F(SimCoreTest, ChangesCountOnlyWithinTheirWindow) {
    // Each run begun with gRunden at 0 is a window of its own: a cell that changed in earlier
    // runs changes for the first time in this one.
    HandLevel(10, 5);
    const std::size_t kCols = 12; // columns 0..11 with the guard frame
    ASSERT_EQ(gLevels[0].Feld.UBoundX() + 1, 12);
    for (int x = 1; x <= 5; ++x)
        Wire(x, 2, x == 1 ? "R" : x == 5 ? "L" : "LR");
    // Cells of the level that changed in the window in progress.
    const auto changed = [&] {
        std::size_t n = 0;
        for (std::size_t i = 0; i < kCols * 7u; ++i)
            n += LevelChangeCount(0, i) > 0 ? 1 : 0;
        return n;
    };
    for (int run = 0; run < 4; ++run) {
        AddEvent(1, 2, kRight, run % 2 == 0 ? 1 : 0, 0);
        gRunden = 0;
        RunSimulation();
        ASSERT_EQ(gLevelChanges.size(), 1u);
        ASSERT_EQ(gLevelChanges[0].size(), kCols * 7u);
        EXPECT_EQ(changed(), 5u) << run;
        for (int x = 1; x <= 5; ++x)
            EXPECT_EQ(LevelChangeCount(0, 2 * kCols + static_cast<std::size_t>(x)), 1) << run;
    }
    // A run continued without a new window keeps counting, up to two changes a cell.
    for (int more = 0; more < 3; ++more) {
        AddEvent(1, 2, kRight, more % 2 == 0 ? 1 : 0, 0);
        RunSimulation();
    }
    EXPECT_EQ(changed(), 5u);
    EXPECT_EQ(LevelChangeCount(0, 2 * kCols + 3), kSpreadingChanges);
}

TEST_F(SimCoreTest, ChangesOfEarlierWindowsDoNotCountWhenTheWindowNumberWraps) {
    HandLevel(10, 5);
    const std::size_t kCols = 12;
    Wire(1, 2, "R");
    Wire(2, 2, "L");
    AddEvent(1, 2, kRight, 1, 0);
    gRunden = 0;
    RunSimulation();
    ASSERT_EQ(LevelChangeCount(0, 2 * kCols + 2), 1);
    // The window whose number the cell's old mark carries comes round again after the wrap:
    // the mark must not be read as a change of that new window.
    const std::uint16_t marked = gLoopWindow;
    gLoopWindow = kLastLoopWindow;
    StartLoopWindow();
    EXPECT_EQ(gLoopWindow, 1);
    while (gLoopWindow != marked)
        StartLoopWindow();
    EXPECT_EQ(LevelChangeCount(0, 2 * kCols + 2), 0);
    EXPECT_EQ(LevelChangeCount(0, 2 * kCols + 1), 0);
}

// A 3 x 3 block of connection points joined in every direction: each event at a point feeds
// every other wire of the point, so the events multiply pass by pass.
void MakePointCluster(Grid& g) {
    for (int x = 3; x <= 5; ++x) {
        for (int y = 3; y <= 5; ++y) {
            CellRecord& c = g(x, y);
            c.Typ = kTypeWire, c.Punkt = kPointConnection;
            c.Links = x > 3 ? kTrue : 0, c.Rechts = x < 5 ? kTrue : 0;
            c.Oben = y > 3 ? kTrue : 0, c.Unten = y < 5 ? kTrue : 0;
        }
    }
}

// Fault: a cluster of connection points multiplied its events until memory ran out, long before
// the pass limit (and without end with a step delay).
TEST_F(SimCoreTest, RunawayQueueInAPointClusterIsAnEndlessLoop) {
    HandLevel(10, 10);
    MakePointCluster(gLevels[0].Feld);
    gMaxRunden = 30000;
    AddEvent(3, 3, kRight, 1, 0);
    gRunden = 0;
    RunSimulation();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kAbortText);
    EXPECT_TRUE(gAbgebrochen);
    EXPECT_EQ(QueueCount(2), 0);
    EXPECT_LE(gNextEventQueue.capacity() + gEventQueue.capacity(), 8 * QueueLimit());
}

TEST_F(SimCoreTest, QueueLimitGrowsWithTheCells) {
    HandLevel(10, 10);
    const std::size_t small = QueueLimit();
    EXPECT_GE(small, std::size_t{1} << 16);
    HandLevel(250, 250);
    EXPECT_GE(QueueLimit(), 16u * 251u * 251u);
    EXPECT_GT(QueueLimit(), small);
}

TEST_F(SimCoreTest, PendingClockFlagsAreClearedByThePass) {
    HandLevel(10, 10);
    ResizeClockTables(0);
    gTaktFlag.assign(3, kTrue);
    RunSimulation();
    for (const std::int16_t f : gTaktFlag)
        EXPECT_EQ(f, 0);
}

TEST_F(SimCoreTest, PausedRunReturnsWithItsQueue) {
    HandLevel(10, 10);
    Wire(3, 3, "L");
    AddEvent(3, 3, kRight, 1, 0);
    gPaused = true;
    gRunden = 0;
    RunSimulation();
    EXPECT_TRUE(gRechnet);
    EXPECT_EQ(QueueCount(2), 1);
    EXPECT_EQ(gRunden, 0);
    gPaused = false;
    RunSimulation();
    EXPECT_FALSE(gRechnet);
    EXPECT_EQ(Cell(3, 3).Pegel, kTrue);
}

// Fault: the 16-bit pass counter overflowed on a long run with a step delay, where the limit
// never strikes.
TEST_F(SimCoreTest, PassCounterDoesNotWrapWithAStepDelay) {
    HandLevel(10, 10);
    Wire(3, 3, "L");
    gVerzoegerung = 1;
    gRunden = std::numeric_limits<std::int16_t>::max();
    AddEvent(3, 3, kRight, 1, 0);
    RunSimulation();
    EXPECT_FALSE(gAbgebrochen);
    EXPECT_GT(gRunden, std::numeric_limits<std::int16_t>::max());
    gRunden = std::numeric_limits<std::int32_t>::max();
    AddEvent(3, 3, kRight, 0, 0);
    RunSimulation();
    EXPECT_FALSE(gAbgebrochen);
    EXPECT_EQ(gRunden, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(Cell(3, 3).Pegel, 0);
}

} // namespace
} // namespace kardo

namespace kardo {
namespace {

using EventQueueTest = test::SimFixture;

TEST_F(EventQueueTest, RunsReuseTheQueueSlots) {
    HandLevel(40, 5);
    for (int x = 1; x <= 30; ++x)
        Wire(x, 2, x == 1 ? "R" : x == 30 ? "L" : "LR");
    AddEvent(1, 2, kRight, 1, 0);
    RunSimulation();
    const std::size_t first = gEventQueue.capacity();
    const std::size_t next = gNextEventQueue.capacity();
    EXPECT_GT(first + next, 0u);
    for (const int level : {0, 1, 0}) {
        AddEvent(1, 2, kRight, level, 0);
        RunSimulation();
        EXPECT_EQ(Cell(30, 2).Pegel, level ? kTrue : 0);
    }
    EXPECT_EQ(gEventQueue.capacity(), first);
    EXPECT_EQ(gNextEventQueue.capacity(), next);
}

TEST_F(EventQueueTest, SwapKeepsOrderAndCount) {
    EventQueue a;
    EventQueue b;
    for (int i = 0; i < 3000; ++i)
        a.push_back(SimEvent{static_cast<std::int16_t>(i), 1, 2, 0, -1});
    b.push_back(SimEvent{7, 7, 1, 0, 0});
    a.swap(b);
    ASSERT_EQ(a.size(), 1u);
    ASSERT_EQ(b.size(), 3000u);
    EXPECT_EQ(a[0].X, 7);
    int i = 0;
    for (const SimEvent& e : b)
        EXPECT_EQ(e.X, i++);
    b.clear();
    EXPECT_TRUE(b.empty());
    EXPECT_GE(b.capacity(), 3000u);
}

TEST_F(EventQueueTest, ClearingAfterARunawayGivesTheMemoryBack) {
    for (int i = 0; i < 100000; ++i)
        AddEvent(1, 1, kRight, 1, 0);
    ClearEventQueues();
    EXPECT_EQ(gNextEventQueue.capacity(), 0u);
    AddEvent(1, 1, kRight, 1, 0);
    ClearEventQueues();
    EXPECT_GT(gNextEventQueue.capacity(), 0u); // an ordinary queue keeps its slots
}

} // namespace
} // namespace kardo

namespace kardo {
namespace {

using SimResetTest = test::SimFixture;

TEST_F(SimResetTest, StartUpResetRestoresEverySimulationGlobal) {
    AddEvent(1, 1, kRight, 1, 0);
    gEventQueue.push_back(SimEvent{});
    gRechnet = gPaused = gAbgebrochen = true;
    gRunden = 77;
    gMaxRunden = 300;
    gVerzoegerung = 42;
    gAusschalten = true;
    gSimLevel = 3;
    InitProgramState();
    EXPECT_EQ(QueueCount(1) + QueueCount(2), 0);
    EXPECT_FALSE(gRechnet);
    EXPECT_FALSE(gPaused);
    EXPECT_FALSE(gAbgebrochen);
    EXPECT_EQ(gRunden, 0);
    EXPECT_EQ(gMaxRunden, 1000);
    EXPECT_EQ(gVerzoegerung, 0);
    EXPECT_FALSE(gAusschalten);
    EXPECT_EQ(gSimLevel, 0);
    EXPECT_FALSE(gPowerOnRunning);
}

} // namespace
} // namespace kardo
