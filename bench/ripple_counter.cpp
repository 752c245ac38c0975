// The ripple counter shared by the headless and the main-window counter benchmarks.
#include "ripple_counter.h"

#include "model/codes.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/sim_blocks.h"

#include <stdexcept>

namespace kardo::bench {

namespace {

constexpr int kX0 = 5;
constexpr int kY0 = 20;

} // namespace

RippleCounter BuildRippleCounter() {
    RippleCounter counter;
    // A falling stair of flip-flops: Q of each reaches the clock input of the next, a row
    // higher, through one wire cell.
    std::int16_t first = 0;
    std::int16_t previous = 0;
    for (int i = 0; i < kCounterBits; ++i) {
        const std::int16_t ff = test::PlaceBlockKind(kTypeFlipFlop, kX0 + 7 * i, kY0 - i, kRight);
        if (ff == 0)
            throw std::runtime_error("flip-flop");
        if (previous != 0) {
            const GridPoint q = test::OutPin(previous, 0);
            const GridPoint c = test::InPin(ff, 1);
            test::LayWire(q.x, q.y, c.x, c.y);
        }
        counter.q[static_cast<std::size_t>(i)] = test::OutPin(ff, 0);
        if (first == 0)
            first = ff;
        previous = ff;
    }
    counter.sw = test::SwitchInto(test::InPin(first, 1), kLeft, 3);
    return counter;
}

std::uint32_t CounterReading(const RippleCounter& counter) {
    std::uint32_t count = 0;
    for (std::size_t i = 0; i < counter.q.size(); ++i)
        count |= static_cast<std::uint32_t>(test::LiveAt(counter.q[i])) << i;
    return count;
}

} // namespace kardo::bench
