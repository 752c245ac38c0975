// Benchmarks of user-defined ICs. A 16-bit ripple counter of eight "2-bit counter" ICs, each
// holding two "1-bit counter" ICs, clocked from a switch: input cycles per second headless
// (argument 0, every drawing call made on a target that draws nothing) and without any picture
// (argument 2, the simulation alone), to set beside BM_RippleCounter16 of the same run and
// argument (target: at least half its rate without a picture). Its wires inside and between the
// packages are longer than the flat counter's: it processes about 5 times the events per cycle.
// A circuit of 85 ICs holding two ICs each (255 instances): the whole load (target under 50 ms),
// and removing or placing one IC in it (target under 5 ms each).
#include "app/settings.h"
#include "bench_support.h"
#include "files/circuit_file.h"
#include "ic/ic_choice.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/place_ic.h"
#include "model/sim_levels.h"
#include "simulation/sim_core.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/ic_circuits.h"
#include "support/ic_files.h"
#include "support/sim_blocks.h"

#include <cstdint>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

void BM_NestedICCounter16(benchmark::State& state) {
    BenchPlatform env(state.range(0), 75, 20);
    test::TempDir dir;
    gVerzeichnisse[1] = dir.Path() + "/";
    const test::ICCircuit c = test::BuildNestedCounter16(gVerzeichnisse[1]);
    Require(gICInstanceMax == 24, "24 instances");
    env.PowerOn();
    Require(gPowerOn && !gAbgebrochen, "switched on");
    for (auto _ : state) {
        test::ClickCell(c.inputs[0]);
        test::ClickCell(c.inputs[0]);
    }
    Require(!gAbgebrochen, "aborted");
    Require(test::ReadOutputs(c) == static_cast<std::uint32_t>(state.iterations()) % 65536U,
            "counter reading");
    state.counters["input_cycles_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_NestedICCounter16)->Arg(kHeadless)->Arg(kNoPicture)->Unit(benchmark::kNanosecond);

constexpr int kICs = 85; // each brings two nested ICs: 255 instances

// 85 ICs "inv2" in rows, saved; returns the circuit file.
std::string Build255(const test::TempDir& dir) {
    gVerzeichnisse[1] = dir.Path() + "/";
    test::WriteInverterICs(gVerzeichnisse[1]);
    test::FreshSheet(75, 25);
    for (int i = 0; i < kICs; ++i)
        Require(test::PlaceIC("inv2", 2 + 4 * (i % 17), 2 + 4 * (i / 17)) != 0, "IC placed");
    Require(gICInstanceMax == 255, "255 instances");
    const std::string file = dir.File("viele.kdx");
    Require(SaveFileTo(file) == FileOutcome::Success, "saved");
    return file;
}

void BM_LoadCircuitOf255ICs(benchmark::State& state) {
    BenchPlatform env(kHeadless, 75, 25);
    test::TempDir dir;
    const std::string file = Build255(dir);
    for (auto _ : state)
        Require(LoadFile(file) == FileOutcome::Success && gICInstanceMax == 255, "loaded");
}
BENCHMARK(BM_LoadCircuitOf255ICs)->Unit(benchmark::kMillisecond);

// Removing the first IC of the full list (every instance above moves down) and placing it
// again at the end of the list.
void BM_RemoveICAmong255(benchmark::State& state) {
    BenchPlatform env(kHeadless, 75, 25);
    test::TempDir dir;
    Require(LoadFile(Build255(dir)) == FileOutcome::Success, "loaded");
    ChooseIC("inv2");
    for (auto _ : state) {
        gCursorX = 2;
        gCursorY = 3;
        RemoveIC();
        state.PauseTiming();
        Require(gICInstanceMax == 252, "removed");
        SetIC();
        Require(gICInstanceMax == 255, "placed again");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RemoveICAmong255)->Unit(benchmark::kMillisecond);

void BM_PlaceICAmong255(benchmark::State& state) {
    BenchPlatform env(kHeadless, 75, 25);
    test::TempDir dir;
    Require(LoadFile(Build255(dir)) == FileOutcome::Success, "loaded");
    ChooseIC("inv2");
    for (auto _ : state) {
        state.PauseTiming();
        gCursorX = 2;
        gCursorY = 3;
        RemoveIC();
        Require(gICInstanceMax == 252, "removed");
        state.ResumeTiming();
        SetIC();
        Require(gICInstanceMax == 255, "placed again");
    }
}
BENCHMARK(BM_PlaceICAmong255)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kardo::bench
