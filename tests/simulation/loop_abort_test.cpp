// The endless-loop abort on whole circuits built through the placing operations: long
// loop-free nets run to their end whatever the pass limit, a ring of inverters is still stopped
// close to the limit.
#include "circuit_test_util.h"
#include "model/grid.h"
#include "simulation/sim_core.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::LayWire;

class LoopAbortTest : public test::CircuitFixture {
  protected:
    void ExpectNoAbort() {
        EXPECT_FALSE(gAbgebrochen);
        EXPECT_TRUE(gPowerOn);
        EXPECT_TRUE(host.messages.empty());
    }
};

// Fault: a switch, a winding wire of about 1,150 cells and an LED on a 100 x 70 sheet were
// aborted as an endless loop, because every cell costs a pass and the limit is 1000 passes.
TEST_F(LoopAbortTest, WindingWireOfAThousandCellsLightsItsLed) {
    CreateWorksheet(100, 70);
    // Rows 2, 6, 10, ..., 46 from column 2 to 98, joined at alternate ends.
    int y = 2;
    LayWire(2, y, 98, y);
    bool atRight = true;
    for (; y + 4 <= 46; y += 4) {
        const int x = atRight ? 98 : 2;
        LayWire(x, y, x, y + 4);
        LayWire(x, y + 4, atRight ? 2 : 98, y + 4);
        atRight = !atRight;
    }
    const int endX = atRight ? 98 : 2;
    ASSERT_NE(test::PlaceSwitch(2, 2), 0);
    ASSERT_NE(test::PlaceLed(endX, y), 0);
    int cells = 0;
    for (int cx = 0; cx <= gFeldBreite; ++cx)
        for (int cy = 0; cy <= gFeldHoehe; ++cy)
            cells += gGrid(cx, cy).Typ != kTypeEmpty;
    ASSERT_GT(cells, 1100);
    ASSERT_EQ(gMaxRunden, 1000);

    PowerOn();
    Click(2, 2);
    ExpectNoAbort();
    EXPECT_EQ(Live(endX, y), 1);
    EXPECT_GT(gRunden, 1100);
    Click(2, 2);
    ExpectNoAbort();
    EXPECT_EQ(Live(endX, y), 0);
}

// Fault: a bus fanning out to some 500 LEDs on a large sheet was aborted as an endless loop.
TEST_F(LoopAbortTest, BusFanningOutToFiveHundredLedsLightsThemAll) {
    CreateWorksheet(250, 100);
    // Nine bus rows 2, 12, ..., 82 joined at alternate ends; from every row a branch down at
    // every fourth column, through a connection point, to an LED four cells below.
    std::vector<std::pair<int, int>> leds;
    bool atRight = true;
    for (int row = 0; row < 9; ++row) {
        const int y = 2 + 10 * row;
        LayWire(2, y, 246, y);
        if (row < 8) {
            const int x = atRight ? 246 : 2;
            LayWire(x, y, x, y + 10);
            atRight = !atRight;
        }
        for (int x = 6; x <= 242; x += 4) {
            LayWire(x, y, x, y + 4);
            ASSERT_TRUE(test::SetPoint(x, y)) << x << "," << y;
            ASSERT_NE(test::PlaceLed(x, y + 4), 0) << x << "," << y + 4;
            leds.emplace_back(x, y + 4);
        }
    }
    ASSERT_GE(leds.size(), 500u);
    ASSERT_NE(test::PlaceSwitch(2, 2), 0);

    PowerOn();
    Click(2, 2);
    ExpectNoAbort();
    int lit = 0;
    for (const auto& [x, y] : leds)
        lit += Live(x, y);
    EXPECT_EQ(lit, static_cast<int>(leds.size()));
    Click(2, 2);
    ExpectNoAbort();
    EXPECT_EQ(Live(leds.back().first, leds.back().second), 0);
}

// The ring of three inverters is stopped with the same message, within one round of its level
// after the pass limit (a plain pass count would stop it at limit + 1).
TEST_F(LoopAbortTest, RingOfInvertersIsStoppedCloseToThePassLimit) {
    for (const int limit : {250, 1000, 5000}) {
        InitProgramState();
        host.messages.clear();
        test::PassAtAbortHost counting;
        platform.host = &counting;
        gMaxRunden = static_cast<std::int16_t>(limit);
        test::BuildOddRing();
        PowerOn();
        platform.host = &host;
        ASSERT_EQ(counting.messages.size(), 1u) << limit;
        EXPECT_EQ(counting.messages[0].title, "Abbruch");
        EXPECT_TRUE(gAbgebrochen);
        EXPECT_FALSE(gPowerOn);
        // The ring's level needs some 40 passes to go round.
        EXPECT_GT(counting.passes, limit) << limit;
        EXPECT_LE(counting.passes, limit + 100) << limit;
    }
}

// The same ring on a big sheet beside a long loop-free wire: the wire gets no extra passes
// from its length, and the ring is stopped as soon as nothing else spreads.
TEST_F(LoopAbortTest, RingBesideALongWireIsStillStopped) {
    CreateWorksheet(100, 70);
    test::BuildOddRing();
    LayWire(2, 20, 98, 20);
    LayWire(98, 20, 98, 60);
    LayWire(98, 60, 2, 60);
    ASSERT_NE(test::PlaceSwitch(2, 20), 0);
    ASSERT_NE(test::PlaceLed(2, 60), 0);
    PowerOn();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "Abbruch");
    EXPECT_FALSE(gPowerOn);
}

// Fault: a 2 x 2 block of LEDs fed by one wire ended in the endless-loop abort at the first
// click: the joined LEDs passed a level round their marked cells for ever.
TEST_F(LoopAbortTest, BlockOfLedsLightsTogetherAndTheRunEnds) {
    test::SwitchLine(2, 5, 6);
    for (const auto& [x, y] : {std::pair{6, 5}, {7, 5}, {6, 6}, {7, 6}})
        ASSERT_NE(test::PlaceLed(x, y), 0) << x << "," << y;
    PowerOn();
    for (const int level : {1, 0, 1}) {
        Click(2, 5);
        ExpectNoAbort();
        EXPECT_FALSE(gRechnet);
        for (const auto& [x, y] : {std::pair{6, 5}, {7, 5}, {6, 6}, {7, 6}})
            EXPECT_EQ(Live(x, y), level) << x << "," << y;
    }
}

// A row of three LEDs at the end of a wire passes the level on and back without a loop.
TEST_F(LoopAbortTest, RowOfLedsFollowsItsWire) {
    test::SwitchLine(2, 5, 6);
    for (const int x : {6, 7, 8})
        ASSERT_NE(test::PlaceLed(x, 5), 0);
    PowerOn();
    Click(2, 5);
    for (const int x : {6, 7, 8})
        EXPECT_EQ(Live(x, 5), 1) << x;
    Click(2, 5);
    ExpectNoAbort();
    for (const int x : {6, 7, 8})
        EXPECT_EQ(Live(x, 5), 0) << x;
}

} // namespace
} // namespace kardo
