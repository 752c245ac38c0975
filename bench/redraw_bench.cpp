// Benchmarks of the worksheet view on a 100 x 100 sheet full of gates and wires, built through
// the placing operations: the full redraw, an area redraw after a placing, and the mouse moves
// of a wire band. Each once headless (a target that draws nothing but counts the calls) and once
// into the benchmarks' own rasteriser (pixel_target.h; the variants named bench_pixel_target).
// Each checks what it produced. Target: the full redraw under one frame (16 ms).
#include "bench_support.h"
#include "editor/gesture_state.h"
#include "editor/mouse_dispatch.h"
#include "editor/overlays.h"
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
    std::int64_t DrawCalls() const { return m_platform.DrawCalls(); }
    // The picture equals a full redraw of the sheet into a fresh one (the pixel variants; the
    // headless one has no pixels to compare).
    bool PictureIsAFullRedraw() { return m_platform.PictureIsAFullRedraw(); }

  private:
    BenchPlatform m_platform; // services and the sheet
    int m_elements = 0;       // elements on the sheet
};

// Drawing calls of one redraw on the headless picture (0 on the pixel one), checked to be the
// same every time.
template <typename F>
std::int64_t CallsPerRun(benchmark::State& state, const RedrawBenchEnv& env, F&& run) {
    std::int64_t before = env.DrawCalls();
    run();
    const std::int64_t once = env.DrawCalls() - before;
    before = env.DrawCalls();
    for (auto _ : state)
        run();
    Require(env.DrawCalls() - before == once * state.iterations(), "same calls every time");
    return once;
}

void BM_RedrawAllElements(benchmark::State& state) {
    RedrawBenchEnv env(state.range(0));
    const std::int64_t calls = CallsPerRun(state, env, [] { RedrawAllElements(0); });
    if (env.DoEventsCalls() != 0)
        state.SkipWithError("the full redraw yielded");
    // Headless, every element and wire run draws several calls; in pixels, the picture is that
    // of one redraw.
    Require(state.range(0) != kHeadless || calls > 4 * env.Elements(), "the sheet was drawn");
    Require(env.PictureIsAFullRedraw(), "picture of the sheet");
    state.counters["elements"] = env.Elements();
    state.counters["cells"] = 101.0 * 101.0;
}
BENCHMARK(BM_RedrawAllElements)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawAllElements)
    ->ArgName("bench_pixel_target")
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// The area a placing redraws: a gate's footprint grown by one cell, in the middle of the sheet.
void BM_RedrawAreaOfAGate(benchmark::State& state) {
    RedrawBenchEnv env(state.range(0));
    const std::int64_t calls = CallsPerRun(state, env, [] {
        std::int16_t x1 = 49, y1 = 49, x2 = 53, y2 = 53;
        RedrawArea(x1, y1, x2, y2, false);
    });
    if (env.DoEventsCalls() != 0)
        state.SkipWithError("the area redraw yielded");
    // The area holds gates and wires; redrawing it leaves the picture of the whole sheet.
    Require(state.range(0) != kHeadless || calls > 4, "the area was drawn");
    Require(env.PictureIsAFullRedraw(), "picture of the sheet");
}
BENCHMARK(BM_RedrawAreaOfAGate)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawAreaOfAGate)
    ->ArgName("bench_pixel_target")
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

// Mouse moves of a wire band dragged back and forth across the full sheet.
void BM_WireBandMoves(benchmark::State& state) {
    RedrawBenchEnv env(state.range(0));
    gMouseMode = kToolWire;
    picGrid_MouseMove(0, 0, GridToPixel(1), GridToPixel(1));
    picGrid_MouseDown(kButtonLeft, 0, GridToPixel(1), GridToPixel(1));
    int x = 1;
    int y = 1;
    int step = 1;
    for (auto _ : state) {
        x += step;
        if (x == 99 || x == 1)
            step = -step;
        y = x % 7 == 0 ? 60 : 1;
        picGrid_MouseMove(kButtonLeft, 0, GridToPixel(x), GridToPixel(y));
    }
    // The band follows the mouse: the cursor is the last cell moved to; the horizontal leg runs
    // along row 1 from the start towards the mouse's column (stopping where a wire or element
    // is in its way), and the vertical leg turns at its end.
    const OverlayLine& h = gOverlays.LeitungH;
    const OverlayLine& v = gOverlays.LeitungV;
    const int start = GridToPixel(1);
    Require(gGesture.LineActive && gCursorX == x && gCursorY == y, "the band follows the mouse");
    Require(h.Visible && h.X1 == start && h.Y1 == start && h.Y2 == start && h.X2 >= start &&
                h.X2 <= GridToPixel(x),
            "the horizontal leg runs towards the mouse");
    Require(!v.Visible || (v.X1 == h.X2 && v.Y1 == start), "the legs meet");
    ForgetReleasedButtons(0);
}
BENCHMARK(BM_WireBandMoves)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kardo::bench
