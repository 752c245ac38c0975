// Benchmarks of the worksheet view through the program's own picture (PictureTarget, drawn with
// Qt): scrolling a sheet of 1000 x 1000 cells full of gates and wires by a screen, and a zoom
// step of the same full sheet (picture resized, full redraw into pixels) at every zoom from
// 60 % to 250 %. Targets: both under one frame (16 ms); the resident memory of the large sheet
// under 200 MB (counter rss_mb). After timing each checks that the part of the picture kept
// shows what drawing the whole sheet gives there. Part of kardo_gui_bench (make bench-gui).
#include "app/startup.h"
#include "model/clocks.h"
#include "model/grid.h"
#include "platform/platform.h"
#include "platform/qt/image_target.h"
#include "platform/qt/picture_target.h"
#include "platform/recording_target.h"
#include "platform/virtual_clock.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "render/view.h"
#include "render/zoom.h"
#include "support/builder.h"
#include "support/fake_host.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

// The picture draws text and shapes through QPainter, which needs an application object.
std::unique_ptr<QGuiApplication> gApp; // created by the first benchmark that needs it
int gArgc = 1;
char gArg0[] = "kardo_bench";
char* gArgv[] = {gArg0, nullptr};

void NeedApplication() {
    if (QCoreApplication::instance() != nullptr)
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    gApp = std::make_unique<QGuiApplication>(gArgc, gArgv);
}

// Stops a benchmark whose sheet could not be built.
void Require(bool ok, const char* what) {
    if (!ok)
        throw std::runtime_error(what);
}

// Resident memory of this process in MB.
double ResidentMb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kb = 0;
            status >> kb;
            return kb / 1024.0;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

// The reference for the picture: a surface of the whole sheet whose every part counts as kept,
// so that a full redraw draws every element and wire of the sheet, but which holds the pixels
// of one window only (the part the picture keeps).
class WholeSheetWindow : public ImageTarget {
  public:
    WholeSheetWindow(int width, int height, const PixelBox& window)
        : m_width(width), m_height(height) {
        NewImage(window.w, window.h, window.x, window.y);
    }
    void Resize(int width, int height) override {
        m_width = width;
        m_height = height;
    }
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }

  private:
    int m_width;  // surface width in pixels
    int m_height; // surface height in pixels
};

// A viewport of a usual window and a sheet of w x h cells filled with three-input gates four
// cells apart across and rowStep cells apart down, each output wired round the corner to the
// next gate's first input, and with long wires across the whole sheet between the rows of gates
// when those are further apart; built on a headless picture, then drawn once into the program's
// picture. (Element numbers are 16-bit: a sheet holds at most 32,767 elements.)
class ViewBenchEnv {
  public:
    ViewBenchEnv(int w, int h, int rowStep = 4) : m_pump(m_clock) {
        NeedApplication();
        m_platform.screen = &m_null;
        m_platform.printer = &m_printer;
        m_platform.timers = &m_clock;
        m_platform.pump = &m_pump;
        m_platform.host = &m_host;
        m_host.viewport = {1280, 800, 0};
        InitProgramState();
        CreateWorksheet(static_cast<std::int16_t>(w), static_cast<std::int16_t>(h));
        for (int r = 2; r <= h - 6; r += rowStep) {
            if (rowStep > 4)
                test::LayWire(0, r + 3, w, r + 3);
            for (int c = 2; c <= w - 6; c += 4) {
                const int k = (c + r) / 4 % 3;
                const std::uint8_t typ = k == 0 ? kTypeAnd : k == 1 ? kTypeOr : kTypeXor;
                Require(test::PlaceGate(typ, c, r, kRight, 3) != 0, "gate");
                ++m_elements;
                if (c + 4 <= w - 6) {
                    test::LayWire(c + 2, r, c + 3, r - 1);
                    test::LayWire(c + 3, r - 1, c + 4, r - 1);
                }
            }
        }
        m_platform.screen = &m_picture;
        gGrafik.Device = &m_picture;
        RedrawAllElements(0);
    }
    ~ViewBenchEnv() { ResetClockTimers(); }
    ViewBenchEnv(const ViewBenchEnv&) = delete;
    ViewBenchEnv& operator=(const ViewBenchEnv&) = delete;

    int Elements() const { return m_elements; }
    const PictureTarget& Picture() const { return m_picture; }

    // The part the picture keeps has the pixels that a full redraw of every element and wire
    // of the sheet gives there.
    bool KeptIsTheWholeSheetDrawn() {
        const PixelBox kept = m_picture.Kept();
        if (kept.Empty())
            return false;
        WholeSheetWindow whole(m_picture.Width(), m_picture.Height(), kept);
        m_platform.screen = gGrafik.Device = &whole;
        RedrawAllElements(0);
        m_platform.screen = gGrafik.Device = &m_picture;
        for (int y = kept.y; y < kept.y + kept.h; ++y)
            for (int x = kept.x; x < kept.x + kept.w; ++x)
                if (whole.PixelAt(x, y) != m_picture.PixelAt(x, y))
                    return false;
        return true;
    }

  private:
    PictureTarget m_picture;                   // the program's worksheet picture
    NullTarget m_null;                         // headless picture while building
    NullTarget m_printer{DeviceKind::Printer}; // printer page
    VirtualClock m_clock;
    VirtualPump m_pump;
    test::FakeHost m_host;
    Platform m_platform;
    PlatformScope m_scope{m_platform};
    int m_elements = 0;
};

// Scrolls the full 1000 x 1000 sheet by a screen across, back and forth along a row of
// screens: every step shows a part not drawn before.
void BM_ScrollFullSheetByAScreen(benchmark::State& state) {
    ViewBenchEnv env(1000, 1000, 8);
    const int screen = GetVisibleArea(1);
    SetVScrollValue(gVScroll.Max / 2);
    int value = 0;
    int step = screen;
    for (auto _ : state) {
        if (value + step < 0 || value + step > gHScroll.Max)
            step = -step;
        value += step;
        SetHScrollValue(value);
    }
    Require(env.KeptIsTheWholeSheetDrawn(), "picture after scrolling");
    state.counters["elements"] = env.Elements();
    state.counters["held_px"] =
        static_cast<double>(env.Picture().Image().width()) * env.Picture().Image().height();
    state.counters["rss_mb"] = ResidentMb();
}
BENCHMARK(BM_ScrollFullSheetByAScreen)->Unit(benchmark::kMillisecond);

// One zoom step of the full 1000 x 1000 sheet to the zoom given in percent, scrolled to its
// middle: the picture resized and the sheet drawn again (two zooms alternate, so every step
// changes the zoom).
void BM_ZoomStepFullSheet(benchmark::State& state) {
    ViewBenchEnv env(1000, 1000, 8);
    SetHScrollValue(gHScroll.Max / 2);
    SetVScrollValue(gVScroll.Max / 2);
    const float zoom = static_cast<float>(state.range(0)) / 100.0f;
    const float other = zoom > 1.0f ? zoom - 0.2f : zoom + 0.2f;
    bool flip = false;
    for (auto _ : state) {
        SetZoom(flip ? other : zoom);
        flip = !flip;
    }
    Require(env.KeptIsTheWholeSheetDrawn(), "picture after the zoom step");
    state.counters["elements"] = env.Elements();
}
BENCHMARK(BM_ZoomStepFullSheet)->DenseRange(60, 240, 20)->Arg(250)->Unit(benchmark::kMillisecond);

constexpr double kMemoryTargetMb = 200; // resident memory the large sheet may take

// The large sheet opened (built and drawn), scrolled to its far corner and zoomed through every
// step: the memory it holds.
void BM_LargeSheetMemory(benchmark::State& state) {
    ViewBenchEnv env(1000, 1000, 8);
    for (auto _ : state) {
        SetHScrollValue(gHScroll.Max);
        SetVScrollValue(gVScroll.Max);
        for (float z = kZoomMin; z <= kZoomMax; z = ZoomStepIn(z)) {
            SetZoom(z);
            if (z == kZoomMax)
                break;
        }
        SetZoom(1.0f);
    }
    const double rss = ResidentMb();
    Require(rss < kMemoryTargetMb, "resident memory of the large sheet");
    state.counters["rss_mb"] = rss;
}
BENCHMARK(BM_LargeSheetMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kardo::bench
