// The 16-bit ripple counter (ripple_counter.h) as a user runs it: the real main window, loaded
// and shown offscreen, draws into the program's own worksheet picture (PictureTarget, which
// keeps the part the viewport shows); the counter is saved to a file and opened through the
// window's open key, switched on with the power button and clocked by mouse clicks on the
// switch sent to the worksheet widget. Each iteration is one input clock cycle (two clicks); the
// count the flip-flops show is checked at the end. The window's event loop does not run between
// clicks: the figure is the work of the clicks, not of the screen's repaints.
//   QT_QPA_PLATFORM=offscreen build-release-gui/kardo_gui_bench
#include "../ripple_counter.h"
#include "app/main_state.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "files/circuit_file.h"
#include "mainwindow/main_window.h"
#include "model/clocks.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "platform/platform.h"
#include "platform/qt/picture_target.h"
#include "platform/virtual_clock.h"
#include "render/view.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"
#include "support/fake_settings.h"
#include "support/temp_home.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

void Require(bool ok, const char* what) {
    if (!ok)
        throw std::runtime_error(what);
}

// The main window with its services as the program starts it, except for a settings store in
// memory, a temporary home folder, virtual timers and stand-ins that answer its dialogs.
class WindowSession {
  public:
    WindowSession() {
        m_home.MakeFolder("Documents");
        m_window = std::make_unique<frmKardo>(m_picture);
        m_window->SetDialogStandIns(
            [](std::string_view, MsgButtons, MsgIcon, std::string_view) { return MsgResult::No; },
            [this](const FileDialogRequest&) { return m_openPath; },
            [](const FileDialogRequest&) { return std::optional<std::string>(); });
        m_platform.screen = &m_picture;
        m_platform.timers = &m_clock;
        m_platform.pump = &m_pump;
        m_platform.host = m_window.get();
        m_platform.settings = &m_settings;
        m_scope = std::make_unique<PlatformScope>(m_platform);
        gRegRoot = SettingsRoot::User;
        LadeDatei.clear();
        ResetPermissions();
        m_settings.Set(SettingsRoot::User, "Permissions", "B:11111111111111;F:1111111;P:");
        Require(m_window->Form_Load([](std::string_view) {}), "window loaded");
        m_window->Form_Activate();
        m_window->show();
        QApplication::processEvents();
    }
    ~WindowSession() {
        if (gPowerOn)
            PowerOnOff();
        ResetClockTimers();
        m_window.reset();
        m_scope.reset();
    }
    WindowSession(const WindowSession&) = delete;
    WindowSession& operator=(const WindowSession&) = delete;

    frmKardo& Window() { return *m_window; }
    std::string Home() const { return m_home.Path(); }
    // Opens the file through the main toolbar's open key, the open dialog answering path.
    void Open(const std::string& path) {
        m_openPath = path;
        m_window->Toolbar_ButtonClick("cmdOpen");
        m_openPath.reset();
    }

  private:
    test::TempHome m_home{"kardo-bench-"};
    PictureTarget m_picture; // the worksheet picture
    VirtualClock m_clock;
    VirtualPump m_pump{m_clock};
    test::FakeSettings m_settings;
    std::unique_ptr<frmKardo> m_window;
    Platform m_platform;
    std::unique_ptr<PlatformScope> m_scope;
    std::optional<std::string> m_openPath; // what the open dialog answers
};

// A left click at a pixel of the worksheet widget, as the window system delivers it.
void ClickAt(QWidget& canvas, const QPointF& pos) {
    const QPointF global = canvas.mapToGlobal(pos);
    QMouseEvent press(QEvent::MouseButtonPress, pos, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&canvas, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&canvas, &release);
}

void BM_RippleCounter16InTheMainWindow(benchmark::State& state) {
    WindowSession session;
    CreateWorksheet(kCounterSheetW, kCounterSheetH);
    const RippleCounter counter = BuildRippleCounter();
    const std::string path = session.Home() + "/counter.kdx";
    Require(SaveFileTo(path) == FileOutcome::Success, "counter saved");
    CreateWorksheet(kCounterSheetW, kCounterSheetH);
    session.Open(path);
    Require(gDateiPfad == path, "counter opened");

    session.Window().findChild<QPushButton*>("cmdOn")->click();
    Require(gPowerOn && !gAbgebrochen, "switched on");
    auto* canvas = session.Window().findChild<QWidget*>("picGrid");
    Require(canvas != nullptr, "worksheet widget");
    // The widget shows the sheet from its scrolled part on.
    const QPointF sw(GridToPixel(counter.sw.x) + PictureLeft(),
                     GridToPixel(counter.sw.y) + PictureTop());
    QMouseEvent move(QEvent::MouseMove, sw, canvas->mapToGlobal(sw), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);

    for (auto _ : state) {
        ClickAt(*canvas, sw);
        ClickAt(*canvas, sw);
    }

    Require(!gAbgebrochen, "aborted");
    Require(CounterReading(counter) == static_cast<std::uint32_t>(state.iterations()) % 65536U,
            "counter reading");
    state.counters["input_cycles_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    QApplication::processEvents();
}
BENCHMARK(BM_RippleCounter16InTheMainWindow)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kardo::bench
