// A 4-bit ripple counter of JK flip-flops (J and K open) clocked by a clock generator counts
// 0..15 and wraps; the same counter clocked from a switch.
#include "block_test_util.h"
#include "model/clock_tables.h"
#include "simulation/clock_run.h"
#include "support/block_builder.h"

namespace kardo::test {
namespace {

class RippleCounter : public BlockCircuit {
  protected:
    static constexpr int kBits = 4;
    static constexpr int kX0 = 8;
    static constexpr int kY0 = 14;

    // Flip-flops in a falling stair: Q of each drives the clock input of the next one, a row
    // higher, through one wire cell. Returns the cell to drive the first clock input from.
    void Stair() {
        for (int i = 0; i < kBits; ++i) {
            ff[i] = PlaceBlockKind(kTypeFlipFlop, kX0 + 7 * i, kY0 - i, kRight);
            ASSERT_NE(ff[i], 0) << "flip-flop " << i;
            if (i > 0)
                LayWire(OutPin(ff[i - 1], 0).x, OutPin(ff[i - 1], 0).y, InPin(ff[i], 1).x,
                        InPin(ff[i], 1).y);
        }
    }
    int Count() const {
        int v = 0;
        for (int i = 0; i < kBits; ++i)
            v |= LiveAt(OutPin(ff[i], 0)) << i;
        return v;
    }
    std::int16_t ff[kBits] = {};
};

TEST_F(RippleCounter, CountsTheClockGeneratorsPulses) {
    Stair();
    ASSERT_NE(PlaceClock(1, kY0, kRight), 0);
    LayWire(4, kY0, kX0, kY0);
    PowerOn();
    EXPECT_EQ(Count(), 0);
    gTaktZeit0[0] = 100;
    gTaktZeit1[0] = 100;
    Toolbar3_ButtonClick("cmdDauertakt");
    clock.Advance(101);
    EXPECT_EQ(Count(), 0) << "a rising edge does not count";
    for (int k = 1; k <= 20; ++k) {
        clock.Advance(200);
        ASSERT_EQ(Count(), k % 16) << "after pulse " << k;
    }
    EXPECT_FALSE(gAbgebrochen);
}

TEST_F(RippleCounter, CountsSwitchCycles) {
    Stair();
    const GridPoint sw = SwitchInto(InPin(ff[0], 1), kLeft, 3);
    PowerOn();
    for (int k = 1; k <= 17; ++k) {
        Set(sw, 1);
        Set(sw, 0);
        ASSERT_EQ(Count(), k % 16) << "after cycle " << k;
    }
}

} // namespace
} // namespace kardo::test
