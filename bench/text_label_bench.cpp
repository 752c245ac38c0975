// Benchmarks of the label editor on a full 200 x 200 sheet of gates and wires: one key press,
// Backspace (measure and area redraw under the box) and a letter (measure and the stop rule),
// headless and into an in-memory pixel picture. Target: a key press under one frame (16 ms).
#include "bench_support.h"
#include "editor/mouse_dispatch.h"
#include "editor/text_labels.h"
#include "editor/text_labels_internal.h"
#include "model/codes.h"
#include "model/elements.h"
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

// The editor is still open on its label with the label's text, as wide as key says: after
// Backspace the text and half a cell, after a letter (with room to grow) the text and 1.3 cells.
void RequireEditorAfter(int key) {
    const LabelEditBox& box = gTxtBeschriftung;
    const double cs = LabelCellSize();
    const double text = MeasureLabelText(box.Text).Width;
    const double width = key == 8 ? text + cs / 2 : 1.3 * cs + text;
    const ElementRecord* label = box.ElementNr >= 1 && box.ElementNr <= gAnzElemente
                                     ? &gElements[static_cast<std::size_t>(box.ElementNr)]
                                     : nullptr;
    Require(BeschriftungEditorVisible() && box.Edit && label && label->Text == "Eingang A" &&
                box.Text == label->Text && box.Width == width && box.MaxLength == 0,
            "label editor");
}

void BM_LabelKeyBackspace(benchmark::State& state) {
    LabelBenchEnv env(state.range(0));
    for (auto _ : state) {
        int key = 8;
        txtBeschriftung_KeyPress(key);
    }
    RequireEditorAfter(8);
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
    RequireEditorAfter('A');
    state.counters["gates"] = env.Gates();
}
BENCHMARK(BM_LabelKeyLetter)->Arg(kHeadless)->Arg(kPixels)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kardo::bench
