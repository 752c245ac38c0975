// Benchmarks of the worksheet view on a 100 x 100 sheet full of gates and wires, built through
// the placing operations: the full redraw, an area redraw after a placing, and the mouse moves
// of a wire band. Each once headless (a target that draws nothing) and once into an in-memory
// pixel picture. Target: the full redraw under one frame (16 ms).
#include "bench_support.h"
#include "editor/mouse_dispatch.h"
#include "model/grid.h"
#include "model/utilities.h"
#include "render/redraw.h"
#include "support/builder.h"

#include <cstdint>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

// Fake platform services and the full sheet; target 0 draws nothing, 1 draws into pixels.
class RedrawBenchEnv {
  public:
    explicit RedrawBenchEnv(std::int64_t target) : m_platform(target, 100, 100) {
        ResetMouseDispatch();
        m_elements = BuildGateGrid(94);
        RedrawAllElements(0);
    }

    int Elements() const { return m_elements; }
    int DoEventsCalls() const { return m_platform.DoEventsCalls(); }

  private:
    BenchPlatform m_platform; // services and the sheet
    int m_elements = 0;       // elements on the sheet
};

void BM_RedrawAllElements(benchmark::State& state) {
    RedrawBenchEnv env(state.range(0));
    for (auto _ : state)
        RedrawAllElements(0);
    if (env.DoEventsCalls() != 0)
        state.SkipWithError("the full redraw yielded");
    state.counters["elements"] = env.Elements();
    state.counters["cells"] = 101.0 * 101.0;
}
BENCHMARK(BM_RedrawAllElements)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The area a placing redraws: a gate's footprint grown by one cell, in the middle of the sheet.
void BM_RedrawAreaOfAGate(benchmark::State& state) {
    RedrawBenchEnv env(state.range(0));
    for (auto _ : state) {
        std::int16_t x1 = 49, y1 = 49, x2 = 53, y2 = 53;
        RedrawArea(x1, y1, x2, y2, false);
    }
    if (env.DoEventsCalls() != 0)
        state.SkipWithError("the area redraw yielded");
}
BENCHMARK(BM_RedrawAreaOfAGate)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Mouse moves of a wire band dragged back and forth across the full sheet.
void BM_WireBandMoves(benchmark::State& state) {
    RedrawBenchEnv env(state.range(0));
    gMouseMode = kToolWire;
    const double y = GridToPixel(1);
    picGrid_MouseMove(0, 0, GridToPixel(1), y);
    picGrid_MouseDown(kButtonLeft, 0, GridToPixel(1), y);
    int x = 1;
    int step = 1;
    for (auto _ : state) {
        x += step;
        if (x == 99 || x == 1)
            step = -step;
        picGrid_MouseMove(kButtonLeft, 0, GridToPixel(x), GridToPixel(x % 7 == 0 ? 60 : 1));
    }
    ForgetReleasedButtons(0);
}
BENCHMARK(BM_WireBandMoves)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kardo::bench
