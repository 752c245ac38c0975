// Selecting and moving in the main window with real mouse events (offscreen): an element
// selected by click and dragged, an area framed and dragged, the selection deleted with
// "Löschen" in the context menu, and everything taken back with undo.
#include "editor/area_select.h"
#include "editor/selection.h"
#include "editor/selection_overlays.h"
#include "mainwindow/worksheet_canvas.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "support/builder.h"
#include "support/qt/worksheet_session.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using SelectionSession = test::WorksheetSession;

TEST_F(SelectionSession, SelectDragFrameMoveDeleteAndUndo) {
    Key("cmdUND");
    ClickAt(10, 10); // inputs (10, 9) and (10, 11), output (12, 10)
    Key("cmdDiode");
    ClickAt(20, 10);
    ASSERT_EQ(gAnzElemente, 2);
    const test::SheetState placed = test::CaptureSheet();

    // Select the gate by click; its corner markers show.
    Key("cmdSelect");
    ASSERT_EQ(gMouseMode, kToolSelect);
    ClickAt(11, 10);
    EXPECT_EQ(gSelection, "1;");
    ASSERT_GE(gSelOverlays.PObj.size(), 2u);
    EXPECT_TRUE(gSelOverlays.PObj[1][0].Visible);
    EXPECT_TRUE(Action("mDelete")->isEnabled());

    // Drag it three columns right and two rows down.
    Drag(11, 10, 14, 12);
    EXPECT_EQ(gGrid(14, 12).ElementNr, 1);
    EXPECT_EQ(gElements[1].Eingaenge.Text(), "X13Y11:X13Y13:");
    EXPECT_EQ(Action("mUndo")->text().toStdString(), "&Rückgängig: Objekt(e) verschieben");

    // Frame the gate and the LED, then drag the area five rows down.
    Drag(8, 6, 23, 16);
    ASSERT_TRUE(gAreaMarked);
    EXPECT_EQ(gSelection, "1;2;");
    Drag(15, 12, 15, 17);
    EXPECT_FALSE(gAreaMarked);
    EXPECT_EQ(gGrid(14, 17).ElementNr, 1);
    EXPECT_EQ(gGrid(20, 15).ElementNr, 2);
    EXPECT_EQ(Action("mUndo")->text().toStdString(), "&Rückgängig: Bereich verschieben");

    // The context menu on the LED: "Löschen" removes it.
    ClickAt(20, 15, Qt::RightButton);
    EXPECT_EQ(gMouseMode, kToolContextMenu);
    auto* menu = W().findChild<QMenu*>("mPopupMenu");
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(Action("mPopup_3")->text().toStdString(), "Löschen");
    Action("mPopup_3")->trigger();
    menu->hide();
    QApplication::processEvents();
    EXPECT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gMouseMode, kToolSelect);
    EXPECT_EQ(gSelection, "");

    // Three undos: the deletion, the area move, the object move.
    for (int i = 0; i < 3; ++i)
        Key("mUndo");
    EXPECT_EQ(test::CaptureSheet(), placed);
}

TEST_F(SelectionSession, DelDeletesTheMarkedAreaAndADragRepaintsOnlyWhatMoved) {
    Key("cmdDiode");
    ClickAt(10, 10);
    ClickAt(30, 20);
    Key("cmdSelect");
    Drag(8, 8, 12, 12);
    ASSERT_TRUE(gAreaMarked);
    // Pressing inside and moving: the outline and the frame follow, the rest stays unpainted.
    QTest::mouseMove(canvas, Centre(10, 10));
    QTest::mousePress(canvas, Qt::LeftButton, {}, Centre(10, 10));
    QApplication::processEvents();
    QTest::mouseMove(canvas, Centre(11, 10));
    QApplication::processEvents();
    const QRegion painted = canvas->PaintedRegion();
    EXPECT_FALSE(painted.isEmpty());
    EXPECT_FALSE(painted.contains(Centre(30, 20)));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, Centre(11, 10));
    QApplication::processEvents();
    EXPECT_EQ(gGrid(11, 10).ElementNr, 1);
    // Mark again and delete with the edit menu's "Löschen".
    Drag(9, 8, 13, 12);
    ASSERT_TRUE(gAreaMarked);
    Key("mDelete");
    EXPECT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gGrid(30, 20).ElementNr, 1);
    EXPECT_FALSE(Action("mDelete")->isEnabled());
}

} // namespace
} // namespace kardo
