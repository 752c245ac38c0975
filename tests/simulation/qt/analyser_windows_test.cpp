// The logic analyser's windows in the main window, offscreen: the View entry and both close
// handlers, the table taking up a run's rows once per round of the event loop, the clear
// button, the strips following the points, and clearing the circuit.
#include "app/main_state.h"
#include "files/new_circuit.h"
#include "model/grid.h"
#include "model/utilities.h"
#include "simulation/analysis.h"
#include "simulation/power.h"
#include "simulation/qt/analyser_windows.h"
#include "simulation/qt/analysis_window.h"
#include "simulation/qt/graph_window.h"
#include "simulation/user_interaction.h"
#include "support/builder.h"
#include "support/qt/main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class AnalyserWindowsTest : public test::MainWindowFixture {
  protected:
    void SetUp() override { ASSERT_TRUE(LoadWindow()); }

    AnalyserWindows& A() { return W().Analyser(); }
    frmAnalyse& Table() { return A().Table(); }
    frmAnalyse2& Graph() { return A().Graph(); }
    QAction& MenuEntry() { return *qobject_cast<QAction*>(W().FindControl("mAnsichtItem_2")); }

    // Switches at (2, y), y = 3, 5, 7, ..., each wired to (14, y) with analysis point k at
    // (8, y); point k is toggled by the switch of row 2k + 1.
    void Lines(int count) {
        for (int k = 1; k <= count; ++k) {
            const int y = 2 * k + 1;
            test::LayWire(2, y, 14, y);
            ASSERT_NE(test::PlaceSwitch(2, y), 0);
            ASSERT_NE(test::PlaceAnalysisPoint(8, y), 0);
        }
    }
    void Toggle(int point) {
        gCursorX = 2;
        gCursorY = static_cast<std::int16_t>(2 * point + 1);
        InitSwitchOn();
    }
};

TEST_F(AnalyserWindowsTest, TheViewEntryStaysCheckedWhileEitherWindowIsInSight) {
    EXPECT_FALSE(MenuEntry().isEnabled());
    Lines(1);
    ASSERT_TRUE(MenuEntry().isEnabled());

    MenuEntry().trigger();
    EXPECT_TRUE(Graph().isVisible());
    EXPECT_FALSE(Table().isVisible());
    EXPECT_TRUE(MenuEntry().isChecked());

    Graph().findChild<QPushButton*>("cmdAnalyseTabelle")->click();
    EXPECT_TRUE(Table().isVisible());

    Graph().close();
    EXPECT_FALSE(Graph().isVisible());
    EXPECT_TRUE(MenuEntry().isChecked()) << "the table is still in sight";
    Table().close();
    EXPECT_FALSE(Table().isVisible());
    EXPECT_FALSE(MenuEntry().isChecked());

    // Checked, the entry hides both windows.
    MenuEntry().trigger();
    Graph().findChild<QPushButton*>("cmdAnalyseTabelle")->click();
    ASSERT_TRUE(Table().isVisible());
    MenuEntry().trigger();
    EXPECT_FALSE(Graph().isVisible());
    EXPECT_FALSE(Table().isVisible());
    EXPECT_FALSE(MenuEntry().isChecked());
}

TEST_F(AnalyserWindowsTest, ARunsRowsAreTakenUpOnceAndTheNewestIsShown) {
    Lines(3);
    MenuEntry().trigger();
    Graph().findChild<QPushButton*>("cmdAnalyseTabelle")->click();
    PowerOnOff();
    QApplication::processEvents();
    for (int i = 0; i < 40; ++i)
        Toggle(1 + i % 3);
    ASSERT_EQ(gAnalyseTabelle.RowCount(), 40u);
    EXPECT_EQ(Table().Model().rowCount(), 0) << "nothing is shown in the middle of a run";
    QApplication::processEvents();
    EXPECT_EQ(Table().Model().rowCount(), 40);
    EXPECT_EQ(Table().Model().columnCount(), 3);
    EXPECT_EQ(Table().Model().headerData(2, Qt::Horizontal).toString(), "3");
    EXPECT_EQ(Table().List().CurrentRow(), 39);
    const int visible = Table().List().TopRow();
    EXPECT_GT(visible, 0) << "scrolled to the newest row";
    // Row 40 (index 39): points 1, 2, 3 each toggled 14, 13, 13 times.
    EXPECT_EQ(Table().Model().index(39, 0).data().toString(), "0");
    EXPECT_EQ(Table().Model().index(39, 1).data().toString(), "1");
    EXPECT_EQ(Table().Model().index(39, 2).data().toString(), "1");
    EXPECT_FALSE(gAnalyseNeu);
    PowerOnOff();
}

TEST_F(AnalyserWindowsTest, TheClearButtonEmptiesRowsAndStripsAndKeepsTheColumns) {
    Lines(2);
    PowerOnOff();
    Toggle(1);
    Toggle(2);
    QApplication::processEvents();
    ASSERT_EQ(Table().Model().rowCount(), 2);
    Table().findChild<QPushButton*>(QString::fromUtf8("cmdLöschen"))->click();
    EXPECT_EQ(Table().Model().rowCount(), 0);
    EXPECT_EQ(Table().Model().columnCount(), 2);
    EXPECT_EQ(gAnalyseX[0], 0);
    const QImage strip = Graph().Strip(0).grab().toImage();
    EXPECT_EQ(strip.pixelColor(0, kTraceHighY), QColor(0, 0, 128));
    PowerOnOff();
}

TEST_F(AnalyserWindowsTest, StripsFollowThePoints) {
    Lines(3);
    EXPECT_EQ(Graph().HighestStrip(), 2);
    EXPECT_EQ(Graph().Label(2).text(), "3");
    EXPECT_EQ(Graph().Strip(2).y(), frmAnalyse2::kFirstTop + 2 * 28);
    EXPECT_EQ(Graph().height(), frmAnalyse2::kFirstTop + 2 * 28 + 21 + frmAnalyse2::kBottom);

    // Removing a middle point keeps its strip; removing the last one unloads it.
    ASSERT_TRUE(test::RemoveAt(8, 5));
    EXPECT_EQ(Graph().HighestStrip(), 2);
    ASSERT_TRUE(test::RemoveAt(8, 7));
    EXPECT_EQ(Graph().HighestStrip(), 1);
    EXPECT_EQ(Graph().height(), frmAnalyse2::kFirstTop + 28 + 21 + frmAnalyse2::kBottom);

    // A point that comes before the lower ones (as in a file) brings every strip below it.
    W().AddGraph(6);
    EXPECT_EQ(Graph().HighestStrip(), 5);
    EXPECT_EQ(Graph().Label(4).text(), "5");
}

TEST_F(AnalyserWindowsTest, ClearingTheCircuitLeavesStripZeroAlone) {
    Lines(3);
    ASSERT_TRUE(test::RemoveAt(8, 5)); // strips 0..2 stay
    NewCircuit(true);
    EXPECT_EQ(Graph().HighestStrip(), 0);
    EXPECT_EQ(Graph().height(), frmAnalyse2::kClearedHeight);
    EXPECT_EQ(Table().Model().columnCount(), 0);
}

TEST_F(AnalyserWindowsTest, HidingAndShowingKeepsTheTraces) {
    Lines(1);
    MenuEntry().trigger();
    PowerOnOff();
    Toggle(1);
    Toggle(1);
    QApplication::processEvents();
    const QImage before = Graph().Strip(0).grab().toImage();
    Graph().close();
    MenuEntry().trigger();
    ASSERT_TRUE(Graph().isVisible());
    EXPECT_EQ(Graph().Strip(0).grab().toImage(), before);
    EXPECT_EQ(before.pixelColor(0, kTraceHighY), QColor(255, 255, 255));
    PowerOnOff();
}

// Fault pinned: the strip of the last point, removed and loaded again, showed its old trace.
TEST_F(AnalyserWindowsTest, AStripRemovedAndLoadedAgainStartsBlank) {
    Lines(2);
    PowerOnOff();
    Toggle(2);
    PowerOnOff();
    ASSERT_TRUE(test::RemoveAt(8, 5));
    ASSERT_NE(test::PlaceAnalysisPoint(8, 5), 0);
    EXPECT_TRUE(VisibleSteps(1).empty());
    EXPECT_FALSE(VisibleSteps(0).empty()) << "strip 0 is never unloaded and keeps its trace";
}

TEST_F(AnalyserWindowsTest, ClosingTheMainWindowEndsTheProgramWhateverTheyShow) {
    Lines(1);
    W().show();
    MenuEntry().trigger();
    Graph().findChild<QPushButton*>("cmdAnalyseTabelle")->click();
    ASSERT_TRUE(Graph().isVisible() && Table().isVisible());
    gUnveraendert = true;
    // The program's event loop ends when its last primary window closes; a loop that is still
    // running after three seconds ends with 1.
    QTimer::singleShot(0, &W(), [this] { W().close(); });
    QTimer::singleShot(3000, qApp, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(W().isVisible());
    EXPECT_FALSE(Graph().isVisible());
    EXPECT_FALSE(Table().isVisible());
}

} // namespace
} // namespace kardo
