// Benchmarks of selection and areas on a 200 x 200 sheet with 1000 gates (their marked area
// holds all of them): the undo history's element lookup on a whole-sheet step, marking the area
// at the frame's release, a mouse move of the area drag (frame and 1000 outlines), and the
// release of the drag (cut, paste, pin shifts, undo step, redraws), and deleting the area. With
// the headless picture and, where redraws count, with the in-memory pixel picture. Targets: a drag
// move under 16 ms, marking and the release each under 50 ms.
#include "bench_support.h"
#include "editor/area_select.h"
#include "editor/mouse_dispatch.h"
#include "editor/selection.h"
#include "model/grid.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "render/redraw.h"
#include "selection_sheet.h"

#include <cstdint>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

class SelectionBenchEnv {
  public:
    explicit SelectionBenchEnv(std::int64_t target) : m_platform(target, 200, 200) {
        ResetMouseDispatch();
        m_elements = BuildSelectionSheet();
        RedrawAllElements(0);
    }
    int Elements() const { return m_elements; }

  private:
    BenchPlatform m_platform; // services and the sheet
    int m_elements = 0;       // gates on the sheet
};

// A whole-sheet step (as an area deletion records it) recorded and taken back: the history
// keeps the 1000 records the sheet's cells refer to and finds them again when it restores.
void BM_UndoWholeSheetStep(benchmark::State& state) {
    SelectionBenchEnv env(state.range(0));
    for (auto _ : state) {
        gUndo.Delete = true;
        gUndo.NewUndoValue(0, 0, gFeldBreite, gFeldHoehe, "Bereich löschen");
        gUndo.Undo();
    }
    Require(gAnzElemente == env.Elements(), "the sheet came back");
    state.counters["elements"] = env.Elements();
}
BENCHMARK(BM_UndoWholeSheetStep)->Arg(kHeadless)->Arg(kPixels)->Unit(benchmark::kMillisecond);

// The frame's release: outline check, area buffer, 1000 elements selected with their markers.
void BM_MarkArea(benchmark::State& state) {
    SelectionBenchEnv env(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        SelectNone();
        FrameUpToRelease(0);
        state.ResumeTiming();
        ReleaseFrame(0);
    }
    Require(gAreaMarked && gSelCount == env.Elements(), "the area was marked");
    state.counters["elements"] = gSelCount;
}
BENCHMARK(BM_MarkArea)->Arg(kHeadless)->Unit(benchmark::kMillisecond);

// One mouse move of the area drag: the frame and the 1000 outlines follow the cursor.
void BM_AreaDragMove(benchmark::State& state) {
    SelectionBenchEnv env(state.range(0));
    FrameUpToRelease(0);
    ReleaseFrame(0);
    PressInArea(80, 50);
    Require(gMouseMode == kToolDragArea, "the drag started");
    int x = 80;
    int step = 1;
    for (auto _ : state) {
        x += step;
        if (x == 110 || x == 80)
            step = -step;
        picGrid_MouseMove(kButtonLeft, 0, GridToPixel(x), GridToPixel(50));
    }
    ForgetReleasedButtons(0);
    state.counters["outlines"] = env.Elements();
}
BENCHMARK(BM_AreaDragMove)->Arg(kHeadless)->Unit(benchmark::kMicrosecond);

// The release of the area drag ten columns away and back: one undo step, the cut, the paste
// with its collision test, 1000 pin shifts and the redraws of both places.
void BM_AreaDragRelease(benchmark::State& state) {
    SelectionBenchEnv env(state.range(0));
    int dx = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int to = dx == 0 ? 10 : -10;
        FrameUpToRelease(dx);
        ReleaseFrame(dx);
        PressInArea(80 + dx, 50);
        picGrid_MouseMove(kButtonLeft, 0, GridToPixel(80 + dx + to), GridToPixel(50));
        state.ResumeTiming();
        picGrid_MouseUp(kButtonLeft, 0, GridToPixel(80 + dx + to), GridToPixel(50));
        dx += to;
    }
    Require(gGrid(4 + dx, 4).ElementNr != 0, "the area moved");
    state.counters["elements"] = env.Elements();
}
BENCHMARK(BM_AreaDragRelease)->Arg(kHeadless)->Arg(kPixels)->Unit(benchmark::kMillisecond);

// Deleting the marked area: one whole-sheet undo step and 1000 records removed with the
// renumbering of every later reference (taken back between the runs).
void BM_DeleteArea(benchmark::State& state) {
    SelectionBenchEnv env(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        FrameUpToRelease(0);
        ReleaseFrame(0);
        state.ResumeTiming();
        LoescheBereich();
        state.PauseTiming();
        Require(gAnzElemente == 0, "the area was deleted");
        gUndo.Undo();
        state.ResumeTiming();
    }
    state.counters["elements"] = env.Elements();
}
BENCHMARK(BM_DeleteArea)->Arg(kHeadless)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kardo::bench
