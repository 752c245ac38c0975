// The quick-help panel of the main window, offscreen: its texts, its place beside the control,
// the edge rules, hiding it, and the keys given back as they were when the mode ends.
#include "app/quick_help.h"
#include "app/settings.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "model/utilities.h"
#include "render/view.h"
#include "support/qt/main_window_fixture.h"
#include "support/qt/user_input.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class QuickHelpPanelTest : public test::MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadWindow());
        W().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&W()));
    }
    QAction* Action(std::string_view name) { return qobject_cast<QAction*>(W().FindControl(name)); }
    void Click(std::string_view name) { Action(name)->trigger(); }
    QFrame* Panel() { return W().findChild<QFrame*>("picQuickHelp"); }
    QString Headline() { return Panel()->findChild<QLabel*>("lblHeadline")->text(); }
    QString Text() { return Panel()->findChild<QLabel*>("lblQText")->text(); }
    QPoint InWindow(const QWidget* w) { return w->mapTo(&W(), QPoint(0, 0)); }
    QWidget* Button(const char* toolbar, const char* key) {
        auto* bar = W().findChild<QToolBar*>(toolbar);
        return bar->widgetForAction(bar->findChild<QAction*>(key));
    }
};

TEST_F(QuickHelpPanelTest, AKeyWithoutARowShowsTheFallbackJustBelowIt) {
    Click("cmdQuickHelp");
    // cmdCut is disabled; the toolbar handler is what its click reaches in the mode.
    W().Toolbar_ButtonClick("cmdCut");
    ASSERT_TRUE(Panel()->isVisible());
    EXPECT_EQ(Headline().toStdString(), "Keine kontextspezifischen Informationen verfügbar");
    EXPECT_EQ(Text().toStdString(),
              "Es existiert kein kontextspezifischer Eintrag für das ausgewählte\n"
              "Element. Bitte rufen Sie die allgemeine Hilfe im Menü Hilfe auf.");
    auto* bar = W().findChild<QToolBar*>("Toolbar");
    EXPECT_EQ(Panel()->x(), InWindow(Button("Toolbar", "cmdCut")).x());
    EXPECT_EQ(Panel()->y(), InWindow(bar).y() + bar->height());
}

TEST_F(QuickHelpPanelTest, AToolKeyExplainsItselfBelowTheToolToolbar) {
    Click("cmdQuickHelp");
    Click("cmdODER");
    EXPECT_EQ(Headline().toStdString(), "ODER-Baustein setzen");
    EXPECT_TRUE(Text().startsWith("Setzen Sie einen ODER-Baustein per Linksklick auf dem\n"));
    auto* bar = W().findChild<QToolBar*>("Toolbar2");
    EXPECT_EQ(Panel()->x(), InWindow(Button("Toolbar2", "cmdODER")).x());
    EXPECT_EQ(Panel()->y(), InWindow(bar).y() + bar->height());
    // Its size follows its labels.
    auto* text = Panel()->findChild<QLabel*>("lblQText");
    EXPECT_EQ(Panel()->height(), text->y() + text->height() + kQuickHelpBottomPad);
}

TEST_F(QuickHelpPanelTest, ThePowerButtonsExplainThemselvesBelowThePowerPanel) {
    Click("cmdQuickHelp");
    auto* on = W().findChild<QPushButton*>("cmdOn");
    EXPECT_TRUE(on->testAttribute(Qt::WA_SetCursor));
    on->click();
    EXPECT_FALSE(gPowerOn);
    EXPECT_EQ(Headline(), "Schaltung anschalten");
    auto* power = W().findChild<QWidget*>("picEinAus");
    EXPECT_EQ(Panel()->x(), InWindow(on).x());
    EXPECT_EQ(Panel()->y(), InWindow(power).y() + power->height());
    Click("cmdQuickHelp");
    EXPECT_FALSE(on->testAttribute(Qt::WA_SetCursor));
    EXPECT_FALSE(Panel()->isVisible());
}

TEST_F(QuickHelpPanelTest, ThePanelStaysInsideTheWindowsRightEdge) {
    W().resize(800, 600);
    QApplication::processEvents();
    Click("cmdQuickHelp");
    // A cell whose centre lies 20 pixels inside the window's right edge.
    const int sheetLeft = InWindow(W().findChild<QWidget*>("picGrid")).x();
    gCursorX = static_cast<std::int16_t>((W().width() - 20 - sheetLeft) / 14);
    gCursorY = 3;
    W().PositionQuickHelp("Das Arbeitsfeld", "Auf diesem Feld können Schaltungen aufgebaut",
                          "picGrid");
    ASSERT_GE(sheetLeft + GridToPixel(gCursorX) + Panel()->width(), W().width());
    EXPECT_EQ(Panel()->x(), W().width() - Panel()->width() - kQuickHelpEdgeGap);
    // A cell further left keeps its place.
    gCursorX = 2;
    W().PositionQuickHelp("Das Arbeitsfeld", "Text", "picGrid");
    EXPECT_EQ(Panel()->x(), sheetLeft + GridToPixel(2));
}

TEST_F(QuickHelpPanelTest, TheWorksheetCellCountsWithItsScrolledOffset) {
    W().resize(700, 500);
    QApplication::processEvents();
    ResizeWorksheet();
    // The scroll bars count cells.
    W().findChild<QScrollBar*>("HScroll")->setValue(7);
    W().findChild<QScrollBar*>("VScroll")->setValue(3);
    QApplication::processEvents();
    ASSERT_EQ(gHScroll.Value, 7);
    ASSERT_EQ(gVScroll.Value, 3);
    Click("cmdQuickHelp");
    gCursorX = 20;
    gCursorY = 10;
    W().PositionQuickHelp("Das Arbeitsfeld", "Text", "picGrid");
    const QPoint viewport = InWindow(W().findChild<QWidget*>("picGrid"));
    EXPECT_EQ(Panel()->x(), viewport.x() + GridToPixel(20) - 7 * 14);
    EXPECT_EQ(Panel()->y(), viewport.y() + GridToPixel(10) - 3 * 14);
    EXPECT_EQ(Headline(), "Das Arbeitsfeld");
}

// Fault: a help click put the keyboard into the zoom box.
TEST_F(QuickHelpPanelTest, HelpClicksLeaveTheKeyboardWhereItWas) {
    test::UserClick(W().findChild<QWidget*>("picGrid"));
    QWidget* keys = QApplication::focusWidget();
    ASSERT_NE(keys, nullptr);
    for (const char* key : {"cmdQuickHelp", "cmdNew", "cmdOpen"})
        test::UserClick(Button("Toolbar", key));
    EXPECT_TRUE(Panel()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), keys);
}

TEST_F(QuickHelpPanelTest, AKeyOutsideThePlacementTableLeavesThePanelWhereItWas) {
    Click("cmdQuickHelp");
    Click("cmdRaster");
    const QPoint where = Panel()->pos();
    W().ShowQuickHelp("picPanel2");
    EXPECT_TRUE(Panel()->isVisible());
    EXPECT_EQ(Panel()->pos(), where);
    EXPECT_EQ(Headline().toStdString(), "Keine kontextspezifischen Informationen verfügbar");
}

TEST_F(QuickHelpPanelTest, APressOnASidePanelExplainsThePanel) {
    Click("cmdQuickHelp");
    auto* power = W().findChild<QWidget*>("picEinAus");
    auto* properties = W().findChild<QWidget*>("picEigenschaften");
    QTest::mousePress(properties, Qt::LeftButton, {}, QPoint(properties->width() - 3, 30));
    EXPECT_EQ(Headline(), "Eigenschaften-Panel");
    EXPECT_EQ(Panel()->x(), InWindow(power).x());
    EXPECT_EQ(Panel()->y(), InWindow(properties).y() + properties->height());
    QTest::mousePress(power, Qt::LeftButton, {}, QPoint(power->width() - 3, power->height() - 3));
    EXPECT_EQ(Headline(), "Power-Panel");
    EXPECT_EQ(Panel()->x(), InWindow(power).x());
    EXPECT_EQ(Panel()->y(), InWindow(power).y() + power->height());
}

TEST_F(QuickHelpPanelTest, APanelMenuEntryExplainsAndChangesNothing) {
    Click("cmdQuickHelp");
    const std::int16_t zoom = gPanelVisible[3];
    const bool checked = Action("mPanel_3")->isChecked();
    Click("mPanel_3");
    EXPECT_EQ(gPanelVisible[3], zoom);
    EXPECT_EQ(Action("mPanel_3")->isChecked(), checked);
    EXPECT_TRUE(Panel()->isVisible());
    EXPECT_EQ(Headline().toStdString(), "Keine kontextspezifischen Informationen verfügbar");
    Click("mPanel_0");
    EXPECT_EQ(Headline(), "Power-Panel");
}

TEST_F(QuickHelpPanelTest, AClickOnThePanelHidesIt) {
    Click("cmdQuickHelp");
    Click("cmdNew");
    ASSERT_TRUE(Panel()->isVisible());
    QTest::mouseClick(Panel(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(Panel()->isVisible());
}

TEST_F(QuickHelpPanelTest, LeavingRestoresEveryKeyExactlyAfterAnyHelpClicks) {
    Click("cmdUND");
    ASSERT_TRUE(W().IsChecked("cmdUND"));
    Click("cmdQuickHelp");
    for (const char* key : {"cmdRaster", "cmdSelect", "cmdRaster", "cmdODER", "cmdUND",
                            "cmdLeitungen", "cmdPanel1", "cmdRaster"})
        Click(key);
    EXPECT_TRUE(W().IsChecked("cmdRaster"));
    EXPECT_TRUE(W().IsChecked("cmdUND"));
    Click("cmdQuickHelp");
    EXPECT_TRUE(gShowGrid);
    EXPECT_TRUE(W().IsChecked("cmdRaster"));
    EXPECT_FALSE(W().IsChecked("cmdICView"));
    for (std::string_view k : kToolbar2Keys)
        EXPECT_EQ(W().IsChecked(k), k == "cmdUND") << k;
    EXPECT_EQ(gMouseMode, kTypeAnd);

    // With the grid hidden before, it stays hidden.
    Click("cmdRaster");
    ASSERT_FALSE(gShowGrid);
    Click("cmdQuickHelp");
    Click("cmdRaster");
    Click("cmdRaster");
    Click("cmdQuickHelp");
    EXPECT_FALSE(gShowGrid);
    EXPECT_FALSE(W().IsChecked("cmdRaster"));
}

} // namespace
} // namespace kardo
