// The main window's view controls offscreen: the scroll bars over a large sheet, scrolling while
// a gesture rests near an edge, the zoom keys, box and menu entries, the sheet-size boxes, the
// side panels and the formula line, the minimum window size and the property panel's labels.
#include "app/main_state.h"
#include "app/settings.h"
#include "editor/gesture_state.h"
#include "editor/overlays.h"
#include "mainwindow/property_panel.h"
#include "mainwindow/worksheet_canvas.h"
#include "mainwindow/zoom_panel.h"
#include "model/grid.h"
#include "model/placement.h"
#include "model/sim_levels.h"
#include "model/utilities.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "render/view.h"
#include "render/zoom.h"
#include "support/qt/user_input.h"
#include "support/qt/worksheet_session.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class ViewPanels : public test::WorksheetSession {
  protected:
    void SetUp() override {
        WorksheetSession::SetUp();
        if (HasFatalFailure())
            return;
        // Settle the layout: the viewport's size reaches the view.
        ResizeWorksheet();
        QApplication::processEvents();
        if (const char* shot = std::getenv("KARDO_VIEW_SHOT"))
            W().grab().save(shot);
    }
    void Trigger(const char* name) {
        auto* a = qobject_cast<QAction*>(W().FindControl(name));
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
        QApplication::processEvents();
    }
    QLineEdit* Box(const char* name) { return W().findChild<QLineEdit*>(name); }
    // Clicks a box, types a text over what it holds and presses Enter.
    void Enter(QLineEdit* box, const QString& text) {
        test::UserClick(box);
        test::UserPresses(Qt::Key_A, Qt::ControlModifier);
        test::UserTypes(text + '\r');
    }
    QScrollBar* Bar(const char* name) { return W().findChild<QScrollBar*>(name); }
    ZoomPanel& Zoom() { return *W().findChild<ZoomPanel*>("ZoomPanel"); }
    QComboBox* ZoomBox() { return W().findChild<QComboBox*>("cmbZoom"); }
    // A larger sheet through the size boxes, their panel shown first.
    void SheetOf(int w, int h) {
        if (!Box("txtX")->isVisible())
            Trigger("mPanel_2");
        Enter(Box("txtX"), QString::number(w));
        Enter(Box("txtY"), QString::number(h));
        ASSERT_EQ(gFeldBreite, w);
        ASSERT_EQ(gFeldHoehe, h);
    }
};

TEST_F(ViewPanels, TheScrollBarsAppearForALargeSheetAndCountCells) {
    EXPECT_TRUE(Bar("HScroll")->isHidden());
    EXPECT_TRUE(Bar("VScroll")->isHidden());
    SheetOf(200, 150);
    ASSERT_FALSE(Bar("HScroll")->isHidden());
    ASSERT_FALSE(Bar("VScroll")->isHidden());
    EXPECT_EQ(Bar("HScroll")->maximum(), 200 - GetVisibleArea(1) + 3);
    EXPECT_EQ(Bar("VScroll")->maximum(), 150 - GetVisibleArea(2) + 3);
    EXPECT_EQ(GetVisibleArea(1), static_cast<int>(std::lround(canvas->width() / 14.0)));

    // The user moves the bars: the canvas shows the sheet from there, and a move over it names
    // the cell under the pointer.
    Bar("HScroll")->setValue(40);
    Bar("VScroll")->setValue(25);
    QApplication::processEvents();
    EXPECT_EQ(gHScroll.Value, 40);
    EXPECT_EQ(gGrafik.VStartY, 25);
    EXPECT_TRUE(picture.Kept().Contains({40 * 14, 25 * 14, canvas->width(), canvas->height()}));
    QTest::mouseMove(canvas, QPoint(7 + 3 * 14, 7 + 2 * 14));
    QApplication::processEvents();
    EXPECT_EQ(gCursorX, 43);
    EXPECT_EQ(gCursorY, 27);
    // The picture holds the viewport and its margin, not the sheet.
    EXPECT_LE(picture.Image().width(), canvas->width() + 2 * kPictureMargin);
    EXPECT_EQ(picture.Width(), 201 * 14);
}

TEST_F(ViewPanels, AGestureRestingNearTheEdgeGoesOnScrolling) {
    SheetOf(200, 150);
    Trigger("cmdLeitungen");
    const QPoint start(GridToPixel(5), GridToPixel(5));
    QTest::mouseMove(canvas, start);
    QTest::mousePress(canvas, Qt::LeftButton, {}, start);
    const QPoint edge(canvas->width() - 8, GridToPixel(5));
    QTest::mouseMove(canvas, edge);
    QApplication::processEvents();
    EXPECT_EQ(gHScroll.Value, 1);
    EXPECT_TRUE(canvas->AutoScrollPending());
    // The timer repeats the move while the mouse rests: one cell each time, the band follows.
    canvas->AutoScrollTick();
    canvas->AutoScrollTick();
    EXPECT_EQ(gHScroll.Value, 3);
    EXPECT_EQ(gCursorX, PixelToGrid(canvas->SheetPoint(edge).x()));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, edge);
    QApplication::processEvents();
    EXPECT_FALSE(canvas->AutoScrollPending());
    EXPECT_EQ(gGrid(gCursorX, 5).Typ, kTypeWire);
}

TEST_F(ViewPanels, ZoomKeysWithTheirTooltipsStepAndFit) {
    const struct {
        const char* toolbar;
        const char* key;
        const char* tooltip;
    } keys[] = {{"tlbZoom", "cmdZoom100", "Originalgröße"},
                {"tlbZoom", "cmdZoomFull", "Auf Arbeitsfläche zoomen"},
                {"tlbZoom", "cmdZoomHeight", "Auf Höhe zoomen"},
                {"tlbZoom", "cmdZoomWidth", "Auf Breite zoomen"},
                {"tlbZoomInOut", "cmdZoomIn", "Vergrößern"},
                {"tlbZoomInOut", "cmdZoomOut", "Verkleinern"}};
    for (const auto& k : keys) {
        auto* bar = W().findChild<QToolBar*>(k.toolbar);
        ASSERT_NE(bar, nullptr) << k.toolbar;
        auto* a = bar->findChild<QAction*>(k.key);
        ASSERT_NE(a, nullptr) << k.key;
        EXPECT_EQ(a->toolTip().toStdString(), k.tooltip);
        EXPECT_TRUE(a->isEnabled()) << k.key;
    }
    EXPECT_EQ(ZoomBox()->currentText().toStdString(), "100%");
    Trigger("tlbZoomInOut/cmdZoomIn");
    EXPECT_FLOAT_EQ(gGrafik.GridMode, 1.2f);
    EXPECT_EQ(ZoomBox()->currentText().toStdString(), "120%");
    Trigger("tlbZoomInOut/cmdZoomOut");
    Trigger("tlbZoomInOut/cmdZoomOut");
    EXPECT_EQ(ZoomBox()->currentText().toStdString(), "80%");
    Trigger("tlbZoom/cmdZoomHeight");
    const float height = static_cast<float>(canvas->height()) / (32 * 14);
    EXPECT_FLOAT_EQ(gGrafik.GridMode, std::max(height, 0.6f));
    EXPECT_EQ(ZoomBox()->currentText().toStdString(), ZoomPercentText(gGrafik.GridMode));
    Trigger("tlbZoom/cmdZoom100");
    EXPECT_EQ(gGrafik.GridMode, 1.0f);
}

TEST_F(ViewPanels, TheZoomMenuEntriesActWithTheirKeys) {
    const struct {
        const char* entry;
        const char* keys;
    } entries[] = {{"mZoomOut", "F3"}, {"mZoomIn", "F4"}, {"mZoom_0", "F5"},
                   {"mZoom_1", "F6"},  {"mZoom_2", "F7"}, {"mZoom_3", "F8"}};
    for (const auto& e : entries) {
        auto* a = qobject_cast<QAction*>(W().FindControl(e.entry));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->shortcut().toString().toStdString(), e.keys);
        EXPECT_TRUE(a->isEnabled()) << e.entry;
    }
    Trigger("mZoomIn");
    EXPECT_EQ(ZoomBox()->currentText().toStdString(), "120%");
    Trigger("mZoom_0");
    EXPECT_EQ(ZoomBox()->currentText().toStdString(), "100%");
    Trigger("mZoomOut");
    EXPECT_EQ(ZoomBox()->currentText().toStdString(), "80%");
}

// Fault: zoom keys kept the cell under the pointer; F6 over the sheet cut off part of the sheet.
TEST_F(ViewPanels, ZoomKeysWithThePointerOverTheSheetActAsThePanelKeys) {
    SheetOf(80, 50);
    test::UserClick(canvas);
    QCursor::setPos(canvas->mapToGlobal(QPoint(canvas->width() - 30, canvas->height() - 30)));
    test::UserPresses(Qt::Key_F4);
    EXPECT_FLOAT_EQ(gGrafik.GridMode, 1.2f);
    EXPECT_EQ(gHScroll.Value, 0);
    EXPECT_EQ(gVScroll.Value, 0);
    test::UserPresses(Qt::Key_F6);
    EXPECT_EQ(ZoomBox()->currentText().toStdString(), ZoomPercentText(gGrafik.GridMode));
    EXPECT_EQ(PictureLeft(), 0);
    EXPECT_EQ(PictureTop(), 0);
}

TEST_F(ViewPanels, ThePercentageBox) {
    QLineEdit* edit = ZoomBox()->lineEdit();
    Enter(edit, "300");
    EXPECT_EQ(gGrafik.GridMode, 2.5f);
    EXPECT_EQ(ZoomBox()->currentText().toStdString(), "250%");
    Enter(edit, "abc");
    EXPECT_EQ(gGrafik.GridMode, 0.6f);
    EXPECT_EQ(ZoomBox()->currentText().toStdString(), "60%");
    // A list entry.
    ZoomBox()->setCurrentIndex(7);
    Zoom().BoxChosen(7);
    EXPECT_EQ(gGrafik.GridMode, 1.5f);
    // Enter on the shown text of a zoom between whole percents keeps it; leaving after typing
    // another value shows the zoom in force.
    SetZoom(0.8734f);
    Zoom().ShowZoom();
    EXPECT_EQ(ZoomBox()->currentText().toStdString(), "87%");
    Enter(edit, "87%");
    EXPECT_EQ(gGrafik.GridMode, 0.8734f);
    ZoomBox()->setEditText("90");
    Zoom().BoxLeft();
    EXPECT_EQ(ZoomBox()->currentText().toStdString(), "87.34%");
    EXPECT_EQ(gGrafik.GridMode, 0.8734f);
}

// Enter typed into the zoom box changed nothing: the keys reach the combo box, not its line edit.
TEST_F(ViewPanels, EnterTypedIntoTheZoomBoxWhereItsKeysArriveSetsTheZoom) {
    QComboBox* box = ZoomBox();
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, "75");
    QTest::keyClick(box, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(gGrafik.GridMode, 0.75f);
    EXPECT_EQ(box->currentText().toStdString(), "75%");
    // What is typed counts, not a list entry it begins: 20 is below the least zoom, not 200 %.
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, "20");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(gGrafik.GridMode, 0.6f);
    EXPECT_EQ(box->currentText().toStdString(), "60%");
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, "75");
    QTest::keyClick(box, Qt::Key_Return);
    // Leaving the box after typing without Enter shows the zoom in force again.
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, "90");
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &out);
    EXPECT_EQ(box->currentText().toStdString(), "75%");
    EXPECT_EQ(gGrafik.GridMode, 0.75f);
}

TEST_F(ViewPanels, AZoomDuringADragEndsTheDragFirst) {
    Trigger("cmdLeitungen");
    const QPoint a(GridToPixel(5), GridToPixel(5));
    const QPoint b(GridToPixel(9), GridToPixel(5));
    QTest::mouseMove(canvas, a);
    QTest::mousePress(canvas, Qt::LeftButton, {}, a);
    QTest::mouseMove(canvas, b);
    Trigger("tlbZoomInOut/cmdZoomIn");
    EXPECT_FALSE(gGesture.LineActive);
    EXPECT_EQ(gGrid(9, 5).Typ, kTypeWire);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, b);
}

TEST_F(ViewPanels, TheSizeBoxesResizeTheSheet) {
    SheetOf(50, 30);
    Enter(Box("txtX"), "5");
    EXPECT_EQ(Box("txtX")->text().toStdString(), "10");
    EXPECT_EQ(gFeldBreite, 10);
    Enter(Box("txtX"), "250");
    EXPECT_EQ(Box("txtX")->text().toStdString(), "200");
    EXPECT_EQ(gFeldBreite, 200);
    Enter(Box("txtY"), "40");
    EXPECT_EQ(gFeldHoehe, 40);
    // The spin keys: plus or minus five, then as Enter; 10 - 5 is held at 10.
    auto* spinX = W().findChild<UpDownKeys*>("updSizeX");
    auto* spinY = W().findChild<UpDownKeys*>("updSizeY");
    spinY->stepUp();
    EXPECT_EQ(gFeldHoehe, 45);
    EXPECT_EQ(Box("txtY")->text().toStdString(), "45");
    Enter(Box("txtX"), "10");
    spinX->stepDown();
    EXPECT_EQ(Box("txtX")->text().toStdString(), "10");
    EXPECT_EQ(gFeldBreite, 10);
    spinX->stepUp();
    EXPECT_EQ(gFeldBreite, 15);
}

// Regression: the focus passing through a size box cut a sheet wider than the boxes allow (a
// file's 500-wide sheet became 200 wide).
TEST_F(ViewPanels, LeavingAnUneditedSizeBoxChangesNothing) {
    CreateWorksheet(500, 30);
    RedrawAllElements(0);
    QApplication::processEvents();
    EXPECT_EQ(Box("txtX")->text().toStdString(), "500");
    Box("txtX")->setFocus();
    QApplication::processEvents();
    canvas->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(gFeldBreite, 500);
    EXPECT_EQ(Box("txtX")->text().toStdString(), "500");
    // An edited box acts when it is left.
    Box("txtY")->setFocus();
    Box("txtY")->selectAll();
    QTest::keyClicks(Box("txtY"), "60");
    canvas->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(gFeldHoehe, 60);
    EXPECT_EQ(gFeldBreite, 500);
}

TEST_F(ViewPanels, PanelsCloseCollapseAndComeBack) {
    auto* column = W().findChild<QWidget*>("picPropContainer");
    for (int i = 0; i < 5; ++i)
        if (gPanelVisible[static_cast<std::size_t>(i)] != 0)
            Trigger(("mPanel_" + std::to_string(i)).c_str());
    EXPECT_TRUE(column->isHidden());
    EXPECT_EQ(gPanelVisible, (std::array<std::int16_t, 5>{0, 0, 0, 0, 0}));
    // The power panel comes back at the top of the column, expanded.
    Trigger("mPanel_0");
    EXPECT_FALSE(column->isHidden());
    EXPECT_FALSE(W().findChild<QWidget*>("picEinAus")->isHidden());
    EXPECT_EQ(gPanelVisible[0], -1);
    EXPECT_TRUE(W().IsChecked("mPanel_0"));
    EXPECT_TRUE(W().IsChecked("cmdPanel0"));
    Trigger("mPanel_0");
    // The levels panel alone, collapsed: the column stays with its title.
    Trigger("mPanel_4");
    auto* levels = W().findChild<QFrame*>("picIC");
    W().findChild<QToolButton*>("cmdMin_2")->click();
    QApplication::processEvents();
    EXPECT_EQ(gPanelVisible[4], 1);
    EXPECT_FALSE(column->isHidden());
    EXPECT_FALSE(levels->isHidden());
    EXPECT_TRUE(W().findChild<QWidget*>("tvwLevel")->isHidden() ||
                !W().findChild<QWidget*>("tvwLevel")->isVisibleTo(levels));
    // Expanded, it fills the column below the other panels.
    W().findChild<QToolButton*>("cmdMin_2")->click();
    Trigger("mPanel_0");
    QApplication::processEvents();
    EXPECT_GE(levels->geometry().bottom(), column->height() - 20);
}

TEST_F(ViewPanels, TheFormulaLineShowsAndClosesFromItsKeyAndItsMenuEntry) {
    // The line shows at start; its key closes it first.
    EXPECT_TRUE(W().IsVisible("cmdCloseFormel"));
    Trigger("cmdPanel5");
    QApplication::processEvents();
    EXPECT_FALSE(W().IsVisible("cmdCloseFormel"));
    const int before = canvas->height();
    Trigger("cmdPanel5");
    EXPECT_TRUE(W().IsVisible("cmdCloseFormel"));
    EXPECT_TRUE(W().IsVisible("cmbFormel"));
    EXPECT_TRUE(W().IsChecked("cmdPanel5"));
    EXPECT_TRUE(W().IsChecked("mPanel_5"));
    QApplication::processEvents();
    EXPECT_LT(canvas->height(), before);
    W().findChild<QToolButton*>("cmdCloseFormel")->click();
    QApplication::processEvents();
    EXPECT_FALSE(W().IsVisible("cmdCloseFormel"));
    EXPECT_FALSE(W().IsChecked("cmdPanel5"));
    EXPECT_FALSE(W().IsChecked("mPanel_5"));
    EXPECT_EQ(canvas->height(), before);
    Trigger("mPanel_5");
    EXPECT_TRUE(W().IsVisible("cmdCloseFormel"));
    EXPECT_TRUE(W().IsChecked("mPanel_5"));
    Trigger("mPanel_5");
    EXPECT_FALSE(W().IsVisible("cmdCloseFormel"));
    EXPECT_FALSE(W().IsChecked("mPanel_5"));
}

// At start the keyboard was with the power panel's first key: the first Space switched the
// circuit on (or closed the panel).
TEST_F(ViewPanels, AtStartTheKeyboardIsWithTheWorksheet) {
    QApplication::setActiveWindow(&W());
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), canvas);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QApplication::processEvents();
    EXPECT_FALSE(gPowerOn);
    EXPECT_EQ(gPanelVisible[0], -1);
}

// The panels' title keys took the keyboard: Tab (or a closing label editor) could leave the
// focus on "x" or "_", and Space then closed or collapsed a panel.
TEST_F(ViewPanels, TabNeverStopsOnAPanelsTitleKeys) {
    QApplication::setActiveWindow(&W());
    canvas->setFocus();
    QApplication::processEvents();
    for (int i = 0; i < 60; ++i) {
        QWidget* at = QApplication::focusWidget();
        ASSERT_NE(at, nullptr);
        const QString name = at->objectName();
        EXPECT_FALSE(name.startsWith("cmdClose_") || name.startsWith("cmdMin_")) << i;
        QTest::keyClick(at, Qt::Key_Tab);
        QApplication::processEvents();
    }
    for (QToolButton* key : W().findChildren<QToolButton*>()) {
        if (key->objectName().startsWith("cmdClose_") || key->objectName().startsWith("cmdMin_")) {
            EXPECT_EQ(key->focusPolicy(), Qt::NoFocus) << key->objectName().toStdString();
        }
    }
}

TEST_F(ViewPanels, TheWindowKeepsItsMinimumSize) {
    EXPECT_EQ(W().minimumSize(), QSize(393, 209));
    W().resize(100, 100);
    QApplication::processEvents();
    EXPECT_GE(W().width(), 393);
    EXPECT_GE(W().height(), 209);
}

TEST_F(ViewPanels, BeyondThePictureTheMouseIsOverTheViewport) {
    Trigger("cmdLeitungen");
    ASSERT_GT(canvas->width(), picture.Width() + 20);
    const int cx = 10 * 14 + 7;
    QTest::mouseMove(canvas, QPoint(cx, 7));
    gOverlays.picRahmen.Visible = true;
    gOverlays.picBox.Visible = true;
    // The empty part of the viewport right of the sheet: the viewport's hover reset hides the
    // frame and the marker; the cursor cell stays.
    QTest::mouseMove(canvas, QPoint(picture.Width() + 10, 7));
    QApplication::processEvents();
    EXPECT_FALSE(gOverlays.picRahmen.Visible);
    EXPECT_FALSE(gOverlays.picBox.Visible);
    EXPECT_EQ(gCursorX, 10);
}

TEST_F(ViewPanels, TheLabelEditorSitsOverItsCellOfTheScrolledSheet) {
    SheetOf(200, 150);
    Bar("HScroll")->setValue(10);
    Bar("VScroll")->setValue(5);
    QApplication::setActiveWindow(&W());
    Trigger("cmdText");
    auto* editor = canvas->findChild<QLineEdit*>("txtBeschriftung");
    ASSERT_NE(editor, nullptr);
    const auto open = [&](int x, int y) {
        const QPoint cell(GridToPixel(x) + PictureLeft(), GridToPixel(y) + PictureTop());
        QTest::mouseMove(canvas, cell);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, cell);
        QApplication::processEvents();
    };
    open(14, 9);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->x(), GridToPixel(14) - 10 * 14);
    // A scroll bar hands the keyboard back to the worksheet: the edit is accepted.
    test::UserTypes("AB");
    Bar("HScroll")->setValue(12);
    QApplication::processEvents();
    EXPECT_FALSE(editor->isVisible());
    ASSERT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gElements[1].Text, "AB");
    // A zoom accepts an open edit first.
    open(20, 12);
    ASSERT_TRUE(editor->isVisible());
    test::UserTypes("CD");
    Trigger("tlbZoomInOut/cmdZoomIn");
    EXPECT_FALSE(editor->isVisible());
    ASSERT_EQ(gAnzElemente, 2);
    EXPECT_EQ(gElements[2].Text, "CD");
}

TEST_F(ViewPanels, TheDiagnosticLabelStaysHidden) {
    auto* label = W().findChild<QLabel*>("lblTime");
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->isHidden());
    QTest::mouseMove(canvas, QPoint(40, 40));
    QApplication::processEvents();
    EXPECT_TRUE(label->isHidden());
}

TEST_F(ViewPanels, ThePropertyPanelStartsWithItsCountsAndColours) {
    EXPECT_EQ(W().Caption("lblSelElement"), "0");
    EXPECT_EQ(W().Caption("lblRahmen"), "X: 0   Y: 0");
    EXPECT_EQ(gFarbe, 255);
    EXPECT_TRUE(W().IsChecked("cmdColor_0"));
    W().findChild<QToolButton*>("cmdColor_6")->click();
    EXPECT_EQ(gFarbe, 0x0080FF);
    EXPECT_FALSE(W().IsChecked("cmdColor_0"));
    // Fault pinned: a text whose start is a number ("12abc", "15.6") counted as no number.
    QLineEdit* inputs = Box("txtAnschlüsse");
    Trigger("cmdUND"); // the gate tools show the input count
    const char* cases[][2] = {{"1", "2"},     {"99", "15"},    {"x", "2"},     {"7", "7"},
                              {"15.6", "15"}, {"12abc", "12"}, {" 4.5e0", "4"}};
    for (const auto& [typed, shown] : cases) {
        Enter(inputs, typed);
        EXPECT_EQ(inputs->text().toStdString(), shown) << typed;
    }
}

TEST_F(ViewPanels, TheNotesBoxWritesTheChosenICsFile) {
    const std::string path = gVerzeichnisse[1] + "Zaehler.icd";
    std::ofstream(path, std::ios::binary) << "[IC]\r\nZaehler\r\n";
    auto* cmbIC = W().findChild<QComboBox*>("cmbIC");
    cmbIC->addItem("Zaehler");
    cmbIC->setCurrentText("Zaehler");
    auto* notes = W().findChild<QPlainTextEdit*>("txtNotizen");
    ASSERT_NE(notes, nullptr);
    QTest::keyClicks(notes, "Vier Bit");
    W().findChild<PropertyPanel*>("PropertyPanel")->NotesLeft();
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "[IC]\r\nZaehler\r\n[Notizen]\r\nVier Bit\r\n");
}

} // namespace
} // namespace kardo
