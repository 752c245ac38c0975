// The analyser without windows: 1,000,008 events at nine analysis points per iteration, each
// appending a table row and nine trace steps and refreshing the port byte (a recording port,
// output enabled). Reports the time per event and the bytes the table holds per row. The share
// of the windows is measured by kardo_gui_bench (bench/qt).
#include "analysis_line.h"
#include "bench_support.h"
#include "platform/recording_port.h"
#include "simulation/analysis.h"
#include "simulation/port_access.h"
#include "simulation/sim_core.h"

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

void BM_AnalysisEvents(benchmark::State& state) {
    RecordingPort port; // outlives the platform, whose end switches the circuit off
    port.recordOnly = true;
    BenchPlatform bench(kHeadless, 40, 20);
    gPlatform->port = &port;
    gPortAccess.SetEnabled(true);
    BuildAnalysisLine();
    bench.PowerOn();
    std::int64_t events = 0;
    double bytesPerRow = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ClearAnalysisRecord();
        state.ResumeTiming();
        events += ToggleAnalysisLine(kAnalysisClicks);
        bytesPerRow = static_cast<double>(gAnalyseTabelle.RowBytes()) /
                      static_cast<double>(gAnalyseTabelle.RowCount());
    }
    Require(gAnalyseTabelle.RowCount() == 9u * kAnalysisClicks, "one row per event");
    Require(port.writeCount > 0, "port written");
    state.counters["per_event"] = benchmark::Counter(
        static_cast<double>(events), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["bytes_per_row"] = bytesPerRow;
    gPlatform->port = nullptr;
}
BENCHMARK(BM_AnalysisEvents)->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kardo::bench
