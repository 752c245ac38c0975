// Test fixture for sessions on the worksheet of the real main window (offscreen): the window
// loaded, shown and exposed, with helpers that click and drag on cells with real mouse events
// and trigger actions by object name.
#pragma once

#include "mainwindow/worksheet_canvas.h"
#include "model/grid.h"
#include "render/view.h"
#include "support/qt/main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QTest>

namespace kardo::test {

class WorksheetSession : public MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadWindow());
        canvas = ShowWindow();
        ASSERT_NE(canvas, nullptr);
        QApplication::processEvents();
    }
    QAction* Action(const char* name) { return qobject_cast<QAction*>(W().FindControl(name)); }
    void Key(const char* key) { Action(key)->trigger(); }
    // The centre of cell (x, y) on the canvas, which shows the sheet from its scrolled part on.
    static QPoint Centre(int x, int y) {
        return {GridToPixel(x) + PictureLeft(), GridToPixel(y) + PictureTop()};
    }
    void ClickAt(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseMove(canvas, Centre(x, y));
        QTest::mouseClick(canvas, b, {}, Centre(x, y));
        QApplication::processEvents();
    }
    // Presses at (x1, y1), moves through the middle to (x2, y2) and releases there.
    void Drag(int x1, int y1, int x2, int y2) {
        QTest::mouseMove(canvas, Centre(x1, y1));
        QTest::mousePress(canvas, Qt::LeftButton, {}, Centre(x1, y1));
        QTest::mouseMove(canvas, Centre((x1 + x2) / 2, (y1 + y2) / 2));
        QTest::mouseMove(canvas, Centre(x2, y2));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, Centre(x2, y2));
        QApplication::processEvents();
    }

    WorksheetCanvas* canvas = nullptr; // picGrid
};

} // namespace kardo::test
