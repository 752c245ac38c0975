// The analyser with both windows loaded and shown offscreen: 1,000,008 events at nine analysis
// points per iteration, then one round of the event loop, in which the table takes up the new
// rows and scrolls to the newest and the strips repaint. Reports the time per event (windows
// included) and the memory per table row: the core's table and the growth of the whole process
// while the rows were recorded and shown.
//   QT_QPA_PLATFORM=offscreen build-release-gui/kardo_gui_bench
#include "../analysis_line.h"
#include "app/startup.h"
#include "mainwindow/main_window.h"
#include "model/clocks.h"
#include "model/grid.h"
#include "platform/platform.h"
#include "platform/qt/image_target.h"
#include "platform/recording_port.h"
#include "platform/recording_target.h"
#include "platform/virtual_clock.h"
#include "simulation/analysis.h"
#include "simulation/port_access.h"
#include "simulation/power.h"
#include "simulation/qt/analyser_windows.h"
#include "simulation/qt/analysis_window.h"
#include "simulation/qt/graph_window.h"
#include "support/fake_host.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include <QApplication>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

// Resident memory of the process in bytes.
double ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// The host of the first benchmark: the recording stand-in of the tests, with the analysis hooks
// served by the analyser's windows, as the main window serves them.
class AnalyserHost : public test::FakeHost {
  public:
    void RefreshAnalysisList() override { windows->RefreshAnalysisList(); }
    void AddGraph(int nr) override { windows->AddGraph(nr); }
    void RemoveGraph(int nr) override { windows->RemoveGraph(nr); }
    void ClearGraphs() override { windows->ClearGraphs(); }
    void AnalysisChanged() override { windows->AnalysisChanged(); }
    AnalyserWindows* windows = nullptr; // the windows served
};

// Records and shows 9 * kAnalysisClicks events per iteration: the switch toggled, then one round
// of the event loop. Throws when the table did not take up every row.
void RunAndShow(benchmark::State& state, AnalyserWindows& analyser) {
    analyser.Graph().show();
    analyser.Table().show();
    PowerOnOff();
    QApplication::processEvents();
    std::int64_t events = 0;
    double rssPerRow = 0;
    for (auto _ : state) {
        state.PauseTiming();
        analyser.Table().cmdLoeschen_Click();
        QApplication::processEvents();
        const double before = ResidentBytes();
        state.ResumeTiming();
        events += ToggleAnalysisLine(kAnalysisClicks);
        QApplication::processEvents();
        state.PauseTiming();
        // The first iteration grows the table from nothing; later ones reuse freed memory.
        if (events == 9 * kAnalysisClicks)
            rssPerRow = (ResidentBytes() - before) / static_cast<double>(9 * kAnalysisClicks);
        if (analyser.Table().Model().rowCount() != 9 * kAnalysisClicks ||
            analyser.Table().List().CurrentRow() != 9 * kAnalysisClicks - 1)
            throw std::runtime_error("the table did not take up the rows");
        state.ResumeTiming();
    }
    state.counters["per_event"] = benchmark::Counter(
        static_cast<double>(events), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["bytes_per_row"] = static_cast<double>(gAnalyseTabelle.RowBytes()) /
                                      static_cast<double>(gAnalyseTabelle.RowCount());
    state.counters["rss_per_row"] = rssPerRow;
    PowerOnOff();
}

// Platform services of one benchmark with the host given; the port only counts its bytes.
struct BenchServices {
    explicit BenchServices(HostWindow& host) {
        platform.screen = &screen;
        platform.timers = &clock;
        platform.pump = &pump;
        platform.host = &host;
        platform.port = &port;
        port.recordOnly = true;
    }
    ~BenchServices() { ResetClockTimers(); }
    RecordingPort port{};
    NullTarget screen; // the worksheet's drawing is not what is measured here
    VirtualClock clock;
    VirtualPump pump{clock};
    Platform platform;
};

// A fresh program state with the benchmark circuit and port output switched on.
void PrepareSheet() {
    InitProgramState();
    CreateWorksheet(40, 20);
    gPortAccess.SetEnabled(true);
    BuildAnalysisLine();
}

// The analyser's windows, loaded and shown, on a stand-in host.
void BM_AnalysisEventsWithWindows(benchmark::State& state) {
    QWidget owner;
    AnalyserHost host;
    AnalyserWindows analyser(&owner, host);
    host.windows = &analyser;
    BenchServices services(host);
    PlatformScope scope(services.platform);
    PrepareSheet();
    RunAndShow(state, analyser);
}
BENCHMARK(BM_AnalysisEventsWithWindows)->Iterations(5)->Unit(benchmark::kMillisecond);

// The same in the real main window, whose run-state controls are set through the host once per
// toggle (by name, through the window's whole tree of controls): that share is the main
// window's, not the analyser's.
void BM_AnalysisEventsInTheMainWindow(benchmark::State& state) {
    ImageTarget picture;
    frmKardo window(picture);
    BenchServices services(window);
    PlatformScope scope(services.platform);
    PrepareSheet();
    RunAndShow(state, window.Analyser());
}
BENCHMARK(BM_AnalysisEventsInTheMainWindow)->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kardo::bench

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
