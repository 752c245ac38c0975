// The clock edge made inside a pass: rising and falling edges, the stop input and the end of a
// burst.
#include "circuit_test_util.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/elements.h"
#include "simulation/clock_tick.h"
#include "simulation/sim_core.h"
#include "support/block_builder.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::Ev;

class ClockTickTest : public test::CircuitFixture {
  protected:
    void SetUp() override {
        const std::int16_t nr = test::PlaceClock(6, 10);
        ASSERT_NE(nr, 0);
        const ElementRecord& e = gElements[static_cast<std::size_t>(nr)];
        out = e.Ausgaenge.Points()[0];
        stop = e.Eingaenge.Points()[0];
        richtung = e.Richtung;
        PowerOn();
    }
    GridPoint out;
    GridPoint stop;
    int richtung = 0;
};

TEST_F(ClockTickTest, RisingThenFallingEdge) {
    gTaktZeit1[0] = 250;
    gTaktZeit0[0] = 750;
    const Step s = StepOf(richtung);
    ClockTick(0);
    EXPECT_EQ(gTaktAusgang[0], kTrue);
    EXPECT_EQ(Timer2()[0].Interval(), 250);
    EXPECT_EQ(test::NextEvents(), (std::vector<Ev>{{out.x, out.y, richtung, kTrue},
                                                   {out.x + s.dx, out.y + s.dy, richtung, kTrue}}));
    gRunden = 9;
    RunSimulation();
    ASSERT_EQ(Live(out.x, out.y), 1);
    ClockTick(0);
    EXPECT_EQ(gTaktAusgang[0], 0);
    EXPECT_EQ(gRunden, 0);
    EXPECT_EQ(Timer2()[0].Interval(), 750);
    EXPECT_EQ(test::NextEvents(), (std::vector<Ev>{{out.x, out.y, richtung, 0},
                                                   {out.x + s.dx, out.y + s.dy, richtung, 0}}));
    EXPECT_FALSE(host.IsEnabled("cmdStop"));
}

TEST_F(ClockTickTest, HighStopInputHoldsTheOutputLow) {
    gLevels[0].Feld(stop.x, stop.y).Pegel = kTrue;
    ClockTick(0);
    EXPECT_EQ(gTaktAusgang[0], kTrue);
    EXPECT_TRUE(gNextEventQueue.empty());
    EXPECT_EQ(Live(out.x, out.y), 0);
}

TEST_F(ClockTickTest, BurstEndsAtTheTickThatFindsTheOutputLow) {
    gAnzTakte[0] = 3;
    gTaktZaehler[0] = 1;
    Timer2()[0].SetInterval(100);
    Timer2()[0].SetEnabled(true);
    int rising = 0;
    for (int tick = 0; tick < 12 && gTaktZaehler[0] != 0; ++tick) {
        const bool wasLow = Live(out.x, out.y) == 0;
        ClockTick(0);
        if (wasLow && !gNextEventQueue.empty())
            ++rising;
        RunSimulation();
    }
    EXPECT_EQ(rising, 3);
    EXPECT_EQ(gTaktZaehler[0], 0);
    EXPECT_FALSE(Timer2()[0].Enabled());
    EXPECT_EQ(Live(out.x, out.y), 0);
    EXPECT_TRUE(host.IsEnabled("cmdDauertakt"));
    EXPECT_TRUE(host.IsEnabled("cmdEinzeltakt"));
}

TEST_F(ClockTickTest, ClockWithoutATableEntryIsIgnored) {
    ClockTick(5);
    ClockTick(-1);
    EXPECT_TRUE(gNextEventQueue.empty());
}

} // namespace
} // namespace kardo
