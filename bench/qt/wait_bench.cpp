// A step-delay wait on the program's own pump: real time is the delay, processor time is what
// the wait costs while nothing happens (a wait that asked for events all the time would use the
// whole delay). Turns per wait count the loop's wake-ups.
#include "model/utilities.h"
#include "platform/platform.h"
#include "support/qt/counting_pump.h"

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

// The wait of one delayed pass at the longest step delay (100 / 110 s) and at the shortest.
void BM_StepDelayWaitOnTheProgramsPump(benchmark::State& state) {
    test::CountingPump pump;
    Platform platform;
    platform.pump = &pump;
    PlatformScope scope(platform);
    const double seconds = static_cast<double>(state.range(0)) / 110.0;
    for (auto _ : state)
        Wait(seconds, false);
    state.counters["turns_per_wait"] =
        static_cast<double>(pump.turns) / static_cast<double>(state.iterations());
    if (pump.turns < state.iterations())
        state.SkipWithError("the wait never asked for events");
}
BENCHMARK(BM_StepDelayWaitOnTheProgramsPump)
    ->Arg(1)
    ->Arg(100)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kardo::bench
