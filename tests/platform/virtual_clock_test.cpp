// Timer semantics on the virtual clock, the timer array and the virtual pump.
#include "platform/timer.h"
#include "platform/virtual_clock.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

TEST(VirtualClockTest, TimerFiresEveryIntervalWhileEnabled) {
    VirtualClock clock;
    auto t = clock.CreateTimer();
    std::vector<std::int64_t> ticks;
    t->SetOnTick([&] { ticks.push_back(clock.Now()); });
    t->SetInterval(100);
    clock.Advance(250);
    EXPECT_TRUE(ticks.empty()); // not enabled
    t->SetEnabled(true);
    clock.Advance(250);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{350, 450}));
    t->SetEnabled(false);
    clock.Advance(500);
    EXPECT_EQ(ticks.size(), 2u);
}

TEST(VirtualClockTest, IntervalZeroNeverFires) {
    VirtualClock clock;
    auto t = clock.CreateTimer();
    int ticks = 0;
    t->SetOnTick([&] { ++ticks; });
    t->SetEnabled(true);
    clock.Advance(10000);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST(VirtualClockTest, SettingTheIntervalRestartsTheCount) {
    VirtualClock clock;
    auto t = clock.CreateTimer();
    std::vector<std::int64_t> ticks;
    t->SetOnTick([&] { ticks.push_back(clock.Now()); });
    t->SetInterval(100);
    t->SetEnabled(true);
    clock.Advance(80);
    t->SetInterval(100);
    clock.Advance(100);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{180}));
}

TEST(VirtualClockTest, DueTimersFireInTimeOrderThenCreationOrder) {
    VirtualClock clock;
    auto a = clock.CreateTimer();
    auto b = clock.CreateTimer();
    std::vector<char> order;
    a->SetOnTick([&] { order.push_back('a'); });
    b->SetOnTick([&] { order.push_back('b'); });
    a->SetInterval(30);
    b->SetInterval(20);
    a->SetEnabled(true);
    b->SetEnabled(true);
    clock.Advance(60);
    // b 20, a 30, b 40, then both at 60: a was created first.
    EXPECT_EQ(order, (std::vector<char>{'b', 'a', 'b', 'a', 'b'}));
}

TEST(TimerArrayTest, ElementZeroAlwaysExists) {
    VirtualClock clock;
    TimerArray timers(clock);
    std::vector<int> fired;
    timers.SetOnTick([&](int i) { fired.push_back(i); });
    EXPECT_EQ(timers.UBound(), 0);
    timers.UnloadLast();
    EXPECT_EQ(timers.Count(), 1);
    timers.LoadNext();
    timers.LoadNext();
    EXPECT_EQ(timers.UBound(), 2);
    timers[2].SetInterval(10);
    timers[2].SetEnabled(true);
    clock.Advance(10);
    EXPECT_EQ(fired, (std::vector<int>{2}));
    timers.Reset();
    EXPECT_EQ(timers.UBound(), 0);
    EXPECT_FALSE(timers[0].Enabled());
}

TEST(VirtualPumpTest, RunsPostedActionsAndAdvancesTime) {
    VirtualClock clock;
    VirtualPump pump(clock, 5);
    int ran = 0;
    pump.Post([&] { ++ran; });
    pump.PostAt(12, [&] { ran += 10; });
    pump.DoEvents();
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(pump.NowMs(), 5);
    pump.DoEvents();
    pump.DoEvents();
    EXPECT_EQ(ran, 1);
    pump.DoEvents(); // now 15 >= 12
    EXPECT_EQ(ran, 11);
}

struct WaitCase {
    const char* what;
    std::vector<std::int64_t> postedAt; // actions posted for these times
    int tickEvery;                      // interval of a running timer; 0: none
    std::vector<std::int64_t> wakes;    // clock after each WaitForEvents until the deadline
    std::vector<std::string> seen;      // what ran, with the time it ran at
};

TEST(VirtualPumpTest, WaitForEventsSleepsUntilTheNextEventOrTheDeadline) {
    const WaitCase cases[] = {
        {"nothing pending", {}, 0, {100}, {}},
        {"an action later", {30}, 0, {30, 100}, {"post@30"}},
        {"an action due now", {0}, 0, {0, 100}, {"post@0"}},
        {"an action beyond the deadline", {150}, 0, {100}, {}},
        {"a timer", {}, 40, {40, 80, 100}, {"tick@40", "tick@80"}},
        {"a tick and an action at one time",
         {40},
         40,
         {40, 80, 100},
         {"tick@40", "post@40", "tick@80"}},
    };
    for (const WaitCase& c : cases) {
        VirtualClock clock;
        VirtualPump pump(clock);
        std::vector<std::string> seen;
        auto note = [&](const char* what) {
            seen.push_back(std::string(what) + "@" + std::to_string(clock.Now()));
        };
        for (const std::int64_t at : c.postedAt)
            pump.PostAt(at, [&] { note("post"); });
        auto timer = clock.CreateTimer();
        timer->SetOnTick([&] { note("tick"); });
        timer->SetInterval(c.tickEvery);
        timer->SetEnabled(c.tickEvery > 0);
        std::vector<std::int64_t> wakes;
        while (clock.Now() < 100) {
            pump.WaitForEvents(100);
            wakes.push_back(clock.Now());
        }
        EXPECT_EQ(wakes, c.wakes) << c.what;
        EXPECT_EQ(seen, c.seen) << c.what;
        EXPECT_EQ(pump.WaitCalls(), static_cast<int>(c.wakes.size())) << c.what;
        EXPECT_EQ(pump.DoEventsCalls(), pump.WaitCalls()) << c.what;
    }
}

TEST(VirtualPumpTest, WaitPastItsDeadlineRunsOnlyWhatIsOverdue) {
    VirtualClock clock;
    VirtualPump pump(clock);
    std::vector<std::int64_t> ticks;
    auto timer = clock.CreateTimer();
    timer->SetOnTick([&] { ticks.push_back(clock.Now()); });
    timer->SetInterval(40);
    timer->SetEnabled(true);
    clock.Skip(50);
    pump.WaitForEvents(30);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{50}));
    EXPECT_EQ(clock.Now(), 50);
    pump.WaitForEvents(30);
    EXPECT_EQ(ticks.size(), 1u);
    EXPECT_EQ(clock.Now(), 50);
}

} // namespace
} // namespace kardo
