// Benchmarks of the label editor on a full 200 x 200 sheet of gates and wires: one key press,
// Backspace (measure and area redraw under the box) and a letter (measure and the stop rule),
// headless and into an in-memory pixel picture. Target: a key press under one frame (16 ms).
#include "bench_support.h"
#include "editor/mouse_dispatch.h"
#include "editor/text_labels.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/utilities.h"
#include "render/redraw.h"

#include <cstdint>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

constexpr int kSheet = 200;

// The full sheet with the editor open on an existing label in its middle (row 100 is free).
class LabelBenchEnv {
  public:
    explicit LabelBenchEnv(std::int64_t target) : m_platform(target, kSheet, kSheet) {
        ResetMouseDispatch();
        m_gates = BuildGateGrid(kSheet - 6);
        RedrawAllElements(0);
        Require(InitTextBox(101, 100, "Eingang A") != 0, "label");
        gMouseMode = kTypeText;
        gCursorX = 102;
        gCursorY = 100;
        ChangeBeschriftung("EDIT");
        Require(BeschriftungEditorVisible(), "editor");
        gTxtBeschriftung.SelLength = 0;
    }
    int Gates() const { return m_gates; }

  private:
    BenchPlatform m_platform; // services and the sheet
    int m_gates = 0;          // gates on the sheet
};

void BM_LabelKeyBackspace(benchmark::State& state) {
    LabelBenchEnv env(state.range(0));
    for (auto _ : state) {
        int key = 8;
        txtBeschriftung_KeyPress(key);
    }
    state.counters["gates"] = env.Gates();
}
BENCHMARK(BM_LabelKeyBackspace)->Arg(kHeadless)->Arg(kPixels)->Unit(benchmark::kMillisecond);

void BM_LabelKeyLetter(benchmark::State& state) {
    LabelBenchEnv env(state.range(0));
    for (auto _ : state) {
        int key = 'A';
        txtBeschriftung_KeyPress(key);
        benchmark::DoNotOptimize(key);
    }
    state.counters["gates"] = env.Gates();
}
BENCHMARK(BM_LabelKeyLetter)->Arg(kHeadless)->Arg(kPixels)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kardo::bench
