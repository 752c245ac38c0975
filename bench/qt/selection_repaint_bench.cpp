// The area drag on the worksheet canvas with real mouse events (offscreen): one mouse move moves
// the frame and 1000 outlines and repaints what they covered in a 1200 x 800 viewport over the
// 200 x 200 sheet. Target: under 16 ms a move.
#include "app/startup.h"
#include "bench_support.h"
#include "editor/mouse_dispatch.h"
#include "editor/selection.h"
#include "mainwindow/worksheet_canvas.h"
#include "model/clocks.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/utilities.h"
#include "platform/platform.h"
#include "platform/qt/image_target.h"
#include "platform/virtual_clock.h"
#include "render/redraw.h"
#include "selection_sheet.h"
#include "support/fake_host.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

class CanvasBenchEnv {
  public:
    CanvasBenchEnv() : m_pump(m_clock) {
        m_platform.screen = &m_picture;
        m_platform.timers = &m_clock;
        m_platform.pump = &m_pump;
        m_platform.host = &m_host;
        InitProgramState();
        CreateWorksheet(200, 200);
        ResetMouseDispatch();
        m_elements = BuildSelectionSheet();
        RedrawAllElements(0);
        m_canvas = new WorksheetCanvas(m_picture, &m_viewport);
        m_canvas->setGeometry(0, 0, 1200, 800);
        m_viewport.resize(1200, 800);
        m_viewport.show();
        Require(QTest::qWaitForWindowExposed(&m_viewport), "viewport shown");
        QApplication::processEvents();
    }
    ~CanvasBenchEnv() { ResetClockTimers(); }
    CanvasBenchEnv(const CanvasBenchEnv&) = delete;
    CanvasBenchEnv& operator=(const CanvasBenchEnv&) = delete;

    static QPoint Centre(int x, int y) { return {GridToPixel(x), GridToPixel(y)}; }
    WorksheetCanvas* Canvas() { return m_canvas; }
    int Elements() const { return m_elements; }

  private:
    ImageTarget m_picture; // the worksheet picture
    VirtualClock m_clock;  // timers
    VirtualPump m_pump;    // waits
    test::FakeHost m_host; // main window
    Platform m_platform;   // the services above
    PlatformScope m_scope{m_platform};
    QWidget m_viewport;                  // picContainer; the fake host has none: no scrolling
    WorksheetCanvas* m_canvas = nullptr; // picGrid, owned by the viewport
    int m_elements = 0;                  // gates on the sheet
};

void BM_AreaDragMoveRepaint(benchmark::State& state) {
    CanvasBenchEnv env;
    WorksheetCanvas* canvas = env.Canvas();
    // The frame reaches beyond the viewport, where the window delivers no events: it is drawn
    // through the dispatcher. The press inside comes near the viewport's top-left.
    FrameUpToRelease(0);
    ReleaseFrame(0);
    Require(gAreaMarked, "the area was marked");
    QTest::mouseMove(canvas, env.Centre(10, 10));
    QTest::mousePress(canvas, Qt::LeftButton, {}, env.Centre(10, 10));
    QApplication::processEvents();
    Require(gMouseMode == kToolDragArea, "the drag started");
    const Grid before = gGrid;
    const std::int16_t elements = gAnzElemente;
    int x = 10;
    int step = 1;
    for (auto _ : state) {
        x += step;
        if (x == 30 || x == 10)
            step = -step;
        QTest::mouseMove(canvas, env.Centre(x, 12));
        QApplication::processEvents();
    }
    const QRect painted = canvas->PaintedRegion().boundingRect();
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, env.Centre(x, 12));
    QApplication::processEvents();
    // The moves repainted the canvas, and the release dropped the area where the mouse left it:
    // every cell of it moved by the mouse's way from the press, and no element was lost.
    Require(!painted.isEmpty(), "the moves repainted the canvas");
    bool moved = gAnzElemente == elements;
    for (int cx = kAreaX1; moved && cx <= kAreaX2; ++cx)
        for (int cy = kAreaY1; moved && cy <= kAreaY2; ++cy)
            moved = gGrid(cx + x - 10, cy + 2).Typ == before(cx, cy).Typ;
    Require(moved, "the area moved with the mouse");
    state.counters["outlines"] = env.Elements();
    state.counters["painted_w"] = painted.width();
    state.counters["painted_h"] = painted.height();
}
BENCHMARK(BM_AreaDragMoveRepaint)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kardo::bench
