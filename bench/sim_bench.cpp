// Benchmarks of the simulation core on circuits built through the placing operations: a long
// serpentine wire, a comb of branches, a chain of 300 inverters and a 100 x 100 sheet full of
// gates. Each runs headless (argument 0: a target that draws nothing, every drawing call still
// made), drawing into the benchmarks' own rasteriser (argument 1, the variants named
// bench_pixel_target; pixel_target.h, not the program's picture), and for the wire and gate runs
// without any worksheet picture (argument 2: the simulation alone, no drawing calls at all).
#include "bench_support.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"
#include "simulation/user_interaction.h"
#include "support/builder.h"

#include <cstdint>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

using test::LayWire;

// Fake platform services and a fresh worksheet of w x h cells for one benchmark, with no limit
// on the rounds of a run that a long net or chain could reach.
class BenchEnv : public BenchPlatform {
  public:
    BenchEnv(std::int64_t target, int w, int h) : BenchPlatform(target, w, h) {
        gMaxRunden = 32767;
    }
};

void Click(int x, int y) {
    gCursorX = static_cast<std::int16_t>(x);
    gCursorY = static_cast<std::int16_t>(y);
    InitSwitchOn();
}

// Wire and LED cells of the sheet: each gets one event when the switch toggles a plain net.
std::int64_t NetCells() {
    std::int64_t n = 0;
    for (int x = 0; x <= gFeldBreite; ++x)
        for (int y = 0; y <= gFeldHoehe; ++y) {
            const std::uint8_t t = gGrid(x, y).Typ;
            n += t == kTypeWire || t == kTypeLed;
        }
    return n;
}

// Toggles the switch at (x, y) once per iteration and reports wire events per second.
void ToggleNet(benchmark::State& state, BenchEnv& env, int sx, int sy, int probeX, int probeY) {
    const std::int64_t events = NetCells();
    env.PowerOn();
    int expected = 0;
    for (auto _ : state) {
        Click(sx, sy);
        expected ^= 1;
    }
    Require(!gAbgebrochen, "aborted");
    Require((gLevels[0].Feld(probeX, probeY).Pegel != 0) == (expected == 1), "far end level");
    state.counters["wire_events_per_s"] = benchmark::Counter(
        static_cast<double>(events * state.iterations()), benchmark::Counter::kIsRate);
    state.counters["events_per_toggle"] = static_cast<double>(events);
}

// A wire that runs back and forth over the whole 200 x 200 sheet, a switch at its start and an
// LED at its end.
void BM_SerpentineWire(benchmark::State& state) {
    BenchEnv env(state.range(0), 200, 200);
    const int left = 1;
    const int right = 198;
    int y = 2;
    LayWire(left, y, right, y);
    bool atRight = true;
    for (; y + 2 <= 198; y += 2) {
        const int x = atRight ? right : left + 1;
        LayWire(x, y, x, y + 2);
        LayWire(x, y + 2, atRight ? left + 1 : right, y + 2);
        atRight = !atRight;
    }
    const int endX = atRight ? right : left + 1;
    Require(test::PlaceSwitch(left, 2) != 0, "switch");
    Require(test::PlaceLed(endX, y) != 0, "LED");
    ToggleNet(state, env, left, 2, endX, y);
}
BENCHMARK(BM_SerpentineWire)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SerpentineWire)->ArgName("bench_pixel_target")->Arg(1)->Unit(benchmark::kMillisecond);

// A spine along row 2 with a tooth down to row 197 at every second column, joined by
// connection points.
void BM_CombOfBranches(benchmark::State& state) {
    BenchEnv env(state.range(0), 200, 200);
    LayWire(1, 2, 198, 2);
    for (int x = 3; x <= 197; x += 2) {
        LayWire(x, 2, x, 197);
        Require(test::SetPoint(x, 2), "connection point");
    }
    Require(test::PlaceSwitch(1, 2) != 0, "switch");
    Require(test::PlaceLed(197, 197) != 0, "LED");
    ToggleNet(state, env, 1, 2, 197, 197);
}
BENCHMARK(BM_CombOfBranches)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CombOfBranches)->ArgName("bench_pixel_target")->Arg(1)->Unit(benchmark::kMillisecond);

// 300 inverters in a row, toggled at the input.
void BM_InverterChain300(benchmark::State& state) {
    constexpr int kCount = 300;
    BenchEnv env(state.range(0), 3 * kCount + 10, 6);
    for (int k = 0; k < kCount; ++k)
        Require(test::PlaceInverter(4 + 3 * k, 3) != 0, "inverter");
    LayWire(2, 3, 4, 3);
    Require(test::PlaceSwitch(2, 3) != 0, "switch");
    for (int k = 0; k + 1 < kCount; ++k)
        LayWire(5 + 3 * k, 3, 4 + 3 * (k + 1), 3);
    const int out = 5 + 3 * (kCount - 1);
    LayWire(out, 3, out + 3, 3);
    Require(test::PlaceLed(out + 3, 3) != 0, "LED");
    env.PowerOn();
    Require(gLevels[0].Feld(out + 3, 3).Pegel == 0, "even chain of an open input is low");
    int input = 0;
    for (auto _ : state) {
        Click(2, 3);
        input ^= 1;
    }
    Require(!gAbgebrochen, "aborted");
    Require((gLevels[0].Feld(out + 3, 3).Pegel != 0) == (input == 1), "chain output");
    state.counters["gate_evals_per_s"] = benchmark::Counter(
        static_cast<double>(kCount * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_InverterChain300)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InverterChain300)
    ->ArgName("bench_pixel_target")
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

// A 100 x 100 sheet full of two-input gates: 25 rows of 19 gates, each gate fed on both inputs
// by the one before it through a connection point, the first by a switch, the last driving an
// LED. Gate kinds cycle through AND, OR, XOR, NAND and NOR.
int BuildGateSheet() {
    int gates = 0;
    for (int r = 2; r <= 98; r += 4) {
        int source = 1;
        LayWire(source, r, 3, r);
        Require(test::PlaceSwitch(source, r) != 0, "switch");
        for (int k = 0; k < 19; ++k) {
            const int c = 4 + 5 * k;
            const int kind = (k + r) % 5;
            const std::uint8_t typ = kind == 1   ? kTypeOr
                                     : kind == 2 ? kTypeXor
                                     : kind == 4 ? kTypeOr
                                                 : kTypeAnd;
            Require(test::PlaceGate(typ, c, r, kRight, 2) != 0, "gate");
            if (kind >= 3)
                Require(test::Negate(c + 2, r), "negated output");
            FeedBothInputs(c, r, k > 0);
            ++gates;
        }
        LayWire(96, r, 98, r);
        Require(test::PlaceLed(98, r) != 0, "LED");
    }
    return gates;
}

bool RowOutput(int r, bool in);

void BM_GateSheetPowerOn(benchmark::State& state) {
    BenchEnv env(state.range(0), 100, 100);
    const int gates = BuildGateSheet();
    for (auto _ : state) {
        PowerOnOff();
        state.PauseTiming();
        Require(gPowerOn && !gAbgebrochen, "switched on");
        // Every switch starts low: each row's LED shows what its chain of gates makes of that.
        for (int r = 2; r <= 98; r += 4)
            Require((gLevels[0].Feld(98, r).Pegel != 0) == RowOutput(r, false), "row output");
        PowerOnOff();
        state.ResumeTiming();
    }
    state.counters["gates"] = gates;
}
BENCHMARK(BM_GateSheetPowerOn)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GateSheetPowerOn)
    ->ArgName("bench_pixel_target")
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// Toggles the switches of all 25 rows of the gate sheet one after the other.
// The level the LED at the end of row r shows with the row's switch at `in`: each gate gets
// the level before it on both inputs, so AND and OR pass it on, XOR gives low, NAND and NOR
// invert it.
bool RowOutput(int r, bool in) {
    bool level = in;
    for (int k = 0; k < 19; ++k) {
        const int kind = (k + r) % 5;
        level = kind == 2 ? false : kind >= 3 ? !level : level;
    }
    return level;
}

void BM_GateSheetToggleRows(benchmark::State& state) {
    BenchEnv env(state.range(0), 100, 100);
    BuildGateSheet();
    PowerOnOff();
    bool in = false;
    for (auto _ : state) {
        for (int r = 2; r <= 98; r += 4)
            Click(1, r);
        in = !in;
    }
    Require(!gAbgebrochen, "aborted");
    for (int r = 2; r <= 98; r += 4)
        Require((gLevels[0].Feld(98, r).Pegel != 0) == RowOutput(r, in), "row output");
    state.counters["row_toggles_per_s"] = benchmark::Counter(
        static_cast<double>(25 * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GateSheetToggleRows)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GateSheetToggleRows)
    ->ArgName("bench_pixel_target")
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kardo::bench
