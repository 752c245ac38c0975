// A 16-bit ripple counter of JK flip-flops (J and K open, Q of each wired to the clock input of
// the next) clocked from a switch that the benchmark toggles directly, without timers. Reports
// input clock cycles per second, headless (argument 0: a target that draws nothing, every
// drawing call still made), drawing into an in-memory worksheet image (argument 1), and without
// any worksheet picture (argument 2: the simulation alone, no drawing calls at all).
#include "bench_support.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"
#include "simulation/user_interaction.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/sim_blocks.h"

#include <cstdint>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

constexpr int kBits = 16;
constexpr int kX0 = 5;
constexpr int kY0 = 20;

void BM_RippleCounter16(benchmark::State& state) {
    BenchPlatform env(state.range(0), 130, 30);
    // A falling stair of flip-flops: Q of each reaches the clock input of the next, a row
    // higher, through one wire cell.
    std::int16_t ff[kBits] = {};
    for (int i = 0; i < kBits; ++i) {
        ff[i] = test::PlaceBlockKind(kTypeFlipFlop, kX0 + 7 * i, kY0 - i, kRight);
        Require(ff[i] != 0, "flip-flop");
        if (i > 0) {
            const GridPoint q = test::OutPin(ff[i - 1], 0);
            const GridPoint c = test::InPin(ff[i], 1);
            test::LayWire(q.x, q.y, c.x, c.y);
        }
    }
    const GridPoint sw = test::SwitchInto(test::InPin(ff[0], 1), kLeft, 3);
    env.PowerOn();
    Require(gPowerOn && !gAbgebrochen, "switched on");

    for (auto _ : state) {
        test::ClickCell(sw);
        test::ClickCell(sw);
    }

    Require(!gAbgebrochen, "aborted");
    std::uint32_t count = 0;
    for (int i = 0; i < kBits; ++i)
        count |= static_cast<std::uint32_t>(test::LiveAt(test::OutPin(ff[i], 0))) << i;
    Require(count == static_cast<std::uint32_t>(state.iterations()) % 65536U, "counter reading");
    state.counters["input_cycles_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RippleCounter16)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kNanosecond);

} // namespace
} // namespace kardo::bench
