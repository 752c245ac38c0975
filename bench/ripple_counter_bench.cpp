// The 16-bit ripple counter (ripple_counter.h) clocked from a switch that the benchmark toggles
// directly, without timers. Reports input clock cycles per second, headless (argument 0: a
// target that draws nothing, every drawing call still made) and without any worksheet picture
// (argument 2: the simulation alone, no drawing calls at all). The variant named
// bench_pixel_target draws into the benchmarks' own rasteriser (pixel_target.h), not into the
// program's picture: the counter through the real window and picture is
// BM_RippleCounter16InTheMainWindow of kardo_gui_bench.
#include "bench_support.h"
#include "model/sim_levels.h"
#include "ripple_counter.h"
#include "simulation/sim_core.h"
#include "support/sim_blocks.h"

#include <cstdint>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

void BM_RippleCounter16(benchmark::State& state) {
    BenchPlatform env(state.range(0), kCounterSheetW, kCounterSheetH);
    const RippleCounter counter = BuildRippleCounter();
    env.PowerOn();
    Require(gPowerOn && !gAbgebrochen, "switched on");

    for (auto _ : state) {
        test::ClickCell(counter.sw);
        test::ClickCell(counter.sw);
    }

    Require(!gAbgebrochen, "aborted");
    Require(CounterReading(counter) == static_cast<std::uint32_t>(state.iterations()) % 65536U,
            "counter reading");
    state.counters["input_cycles_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RippleCounter16)->Arg(kHeadless)->Arg(kNoPicture)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_RippleCounter16)
    ->ArgName("bench_pixel_target")
    ->Arg(kPixels)
    ->Unit(benchmark::kNanosecond);

} // namespace
} // namespace kardo::bench
