// The 16-bit ripple counter (ripple_counter.h) as a user runs it: the main window started by the
// program's own start-up (StartProgram, with the program's Qt timers and event loop) and shown
// offscreen; the counter is saved to a file and opened through the window's open key, switched
// on with the power button and clocked by mouse clicks on the switch sent to the worksheet
// widget. Each iteration is one input clock cycle (two clicks).
//   BM_RippleCounter16InTheMainWindow: after each click the window's events are processed, as
//     the program returns to its event loop, at least once and until the worksheet widget has
//     painted into the window's backing store: what a user gets.
//   BM_RippleCounter16WindowClicksWithoutEventLoop: the clicks alone (the widget paints what a
//     click changed before the click returns), never returning to the event loop.
// The count the flip-flops show is checked after the timing, and for the first that the backing
// store shows what a full repaint of the worksheet widget shows.
//   QT_QPA_PLATFORM=offscreen build-release-gui/kardo_gui_bench
#include "../ripple_counter.h"
#include "app/main_state.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "files/circuit_file.h"
#include "mainwindow/main_window.h"
#include "mainwindow/program_start.h"
#include "model/clocks.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "platform/platform.h"
#include "platform/qt/picture_target.h"
#include "platform/qt/qt_timer.h"
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
#include <QBackingStore>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

void Require(bool ok, const char* what) {
    if (!ok)
        throw std::runtime_error(what);
}

// Input cycles clicked before the timing starts.
constexpr int kWarmUpCycles = 8;

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    int Count() const { return m_count; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return QObject::eventFilter(watched, event);
    }

  private:
    int m_count = 0; // paint events so far
};

// The program as main() starts it, with the program's timers and event loop, except for a
// settings store in memory, a temporary home folder and stand-ins that answer its dialogs.
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
        m_platform.timers = &m_timers;
        m_platform.pump = &m_pump;
        m_platform.host = m_window.get();
        m_platform.settings = &m_settings;
        m_scope = std::make_unique<PlatformScope>(m_platform);
        gRegRoot = SettingsRoot::User;
        LadeDatei.clear();
        ResetPermissions();
        m_settings.Set(SettingsRoot::User, "Permissions", "B:11111111111111;F:1111111;P:");
        Require(StartProgram(*m_window, ""), "program started");
        Require(QTest::qWaitForWindowExposed(m_window.get()), "window shown");
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
    QtTimerService m_timers;
    QtPump m_pump;
    test::FakeSettings m_settings;
    std::unique_ptr<frmKardo> m_window;
    Platform m_platform;
    std::unique_ptr<PlatformScope> m_scope;
    std::optional<std::string> m_openPath; // what the open dialog answers
};

// The counter built, saved, opened through the window and switched on; the mouse rests on its
// switch.
struct CounterInTheWindow {
    RippleCounter counter;
    QWidget* canvas = nullptr; // the worksheet widget picGrid
    QPointF sw;                // the switch's centre on it
};

CounterInTheWindow OpenAndSwitchOn(WindowSession& session) {
    CounterInTheWindow c;
    CreateWorksheet(kCounterSheetW, kCounterSheetH);
    c.counter = BuildRippleCounter();
    const std::string path = session.Home() + "/counter.kdx";
    Require(SaveFileTo(path) == FileOutcome::Success, "counter saved");
    CreateWorksheet(kCounterSheetW, kCounterSheetH);
    session.Open(path);
    Require(gDateiPfad == path, "counter opened");

    session.Window().findChild<QPushButton*>("cmdOn")->click();
    Require(gPowerOn && !gAbgebrochen, "switched on");
    c.canvas = session.Window().findChild<QWidget*>("picGrid");
    Require(c.canvas != nullptr, "worksheet widget");
    QApplication::processEvents();
    // The widget shows the sheet from its scrolled part on.
    c.sw = QPointF(GridToPixel(c.counter.sw.x) + PictureLeft(),
                   GridToPixel(c.counter.sw.y) + PictureTop());
    Require(c.canvas->rect().contains(c.sw.toPoint()), "switch in view");
    QMouseEvent move(QEvent::MouseMove, c.sw, c.canvas->mapToGlobal(c.sw), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(c.canvas, &move);
    QApplication::processEvents();
    return c;
}

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

// A left click as the window system delivers it, then the window's events processed as the
// program returns to its event loop: at least once, and until the widget has painted since
// before the click (painter counts its paints).
void ClickAndProcess(QWidget& canvas, const QPointF& pos, const PaintCounter& painter) {
    const int before = painter.Count();
    ClickAt(canvas, pos);
    for (int turn = 0; turn == 0 || painter.Count() == before; ++turn) {
        Require(turn < 100000, "the click repainted nothing");
        QApplication::processEvents();
    }
}

// Whether the window's backing store shows at the widget what a full repaint of it gives.
bool BackingStoreShowsTheWidget(QWidget& canvas) {
    QBackingStore* store = canvas.window()->backingStore();
    Require(store != nullptr && store->paintDevice() != nullptr, "backing store");
    Require(store->paintDevice()->devType() == QInternal::Image, "backing store is an image");
    const QImage& shown = *static_cast<const QImage*>(store->paintDevice());
    const QRect at(canvas.mapTo(canvas.window(), QPoint(0, 0)), canvas.size());
    const QImage full = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    return shown.copy(at).convertToFormat(QImage::Format_RGB32) == full;
}

// One input clock cycle as a user clicks it. Kept out of line so that a profiler can count its
// instructions alone: valgrind --tool=callgrind --toggle-collect='*OneInputCycle*'.
[[gnu::noinline]] void OneInputCycle(const CounterInTheWindow& c, const PaintCounter& painter) {
    ClickAndProcess(*c.canvas, c.sw, painter);
    ClickAndProcess(*c.canvas, c.sw, painter);
}

void BM_RippleCounter16InTheMainWindow(benchmark::State& state) {
    WindowSession session;
    CounterInTheWindow c = OpenAndSwitchOn(session);
    PaintCounter painter;
    c.canvas->installEventFilter(&painter);

    // The first clicks after switching on also lay out the side panels once; the figure is
    // that of the clicks that follow.
    for (int i = 0; i < kWarmUpCycles; ++i) {
        ClickAndProcess(*c.canvas, c.sw, painter);
        ClickAndProcess(*c.canvas, c.sw, painter);
    }
    for (auto _ : state)
        OneInputCycle(c, painter);

    c.canvas->removeEventFilter(&painter);
    Require(!gAbgebrochen, "aborted");
    Require(CounterReading(c.counter) ==
                static_cast<std::uint32_t>(state.iterations() + kWarmUpCycles) % 65536U,
            "counter reading");
    Require(painter.Count() >= 2 * (state.iterations() + kWarmUpCycles), "a repaint per click");
    Require(BackingStoreShowsTheWidget(*c.canvas), "backing store shows the worksheet");
    state.counters["input_cycles_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
// Timed by the clock on the wall, as the user waits for the window.
BENCHMARK(BM_RippleCounter16InTheMainWindow)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_RippleCounter16WindowClicksWithoutEventLoop(benchmark::State& state) {
    WindowSession session;
    CounterInTheWindow c = OpenAndSwitchOn(session);

    for (auto _ : state) {
        ClickAt(*c.canvas, c.sw);
        ClickAt(*c.canvas, c.sw);
    }

    Require(!gAbgebrochen, "aborted");
    Require(CounterReading(c.counter) == static_cast<std::uint32_t>(state.iterations()) % 65536U,
            "counter reading");
    state.counters["input_cycles_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    QApplication::processEvents();
}
BENCHMARK(BM_RippleCounter16WindowClicksWithoutEventLoop)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kardo::bench
