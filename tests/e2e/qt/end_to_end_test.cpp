// End-to-end tests: the program as main() starts it, under the X server named by
// KARDO_E2E_DISPLAY with a window manager, driven by real X events (xdotool); window stacking is
// read from the window manager (_NET_CLIENT_LIST_STACKING). Without that variable every test is
// skipped. A failing test leaves a screenshot e2e-<test>.png in the working folder.
#include "app/main_state.h"
#include "app/settings.h"
#include "ic/qt/frm_ic.h"
#include "ic/qt/frm_ic_auswahl.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "model/utilities.h"
#include "platform/qt/german_texts.h"
#include "render/grafik.h"
#include "render/view.h"
#include "simulation/qt/analyser_windows.h"
#include "simulation/qt/analysis_window.h"
#include "simulation/qt/graph_window.h"
#include "support/builder.h"
#include "support/qt/main_window_fixture.h"

#include <cstdlib>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyleOptionSlider>
#include <QTest>

#include <gtest/gtest.h>

namespace kardo {
namespace {

constexpr int kWait = 5000; // ms an X event may take to show its effect

const char* Display() {
    const char* d = std::getenv("KARDO_E2E_DISPLAY");
    return d != nullptr && *d != '\0' ? d : nullptr;
}

// Runs xdotool with the words of command (xdotool's own chaining included).
void Xdo(const QString& command) {
    EXPECT_EQ(QProcess::execute("xdotool", command.split(' ')), 0) << command.toStdString();
}

// "x y" of a point on the screen, for xdotool; the centre of a widget.
QString At(QPoint p) { return QString("%1 %2").arg(p.x()).arg(p.y()); }
QPoint Centre(const QWidget* w) { return w->mapToGlobal(w->rect().center()); }
void Click(QPoint p) { Xdo("mousemove " + At(p) + " click 1"); }
void Drag(QPoint from, QPoint to) {
    Xdo("mousemove " + At(from) + " mousedown 1 mousemove " + At((from + to) / 2) +
        " sleep 0.1 mousemove " + At(to) + " mouseup 1");
}
// Waits until window is shown on the X server, then gives the window manager time to frame,
// place and stack it.
bool Settled(QWidget* window) {
    const bool shown = QTest::qWaitFor([window] { return window->isVisible(); }, kWait) &&
                       QTest::qWaitForWindowExposed(window);
    QTest::qWait(300);
    return shown;
}

class EndToEnd : public test::MainWindowFixture {
  protected:
    void SetUp() override {
        if (Display() == nullptr)
            GTEST_SKIP() << "KARDO_E2E_DISPLAY names no X display";
        ASSERT_TRUE(LoadWindow());
        ASSERT_TRUE(Settled(&W()));
    }
    void TearDown() override {
        if (HasFailure() && Display() != nullptr)
            QGuiApplication::primaryScreen()->grabWindow(0).save(
                QString("e2e-%1.png")
                    .arg(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    }
    template <class T> T* Get(const char* name) { return W().findChild<T*>(name); }
    void Trigger(const char* name) { qobject_cast<QAction*>(W().FindControl(name))->trigger(); }
    // True when the window manager stacks tool above the main window, once it had time to
    // restack them; its list runs from the bottom up.
    bool InFront(const QWidget* tool) {
        QTest::qWait(300);
        QProcess xprop;
        xprop.start("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"});
        xprop.waitForFinished();
        QList<WId> ids;
        for (const auto& m : QRegularExpression("0x[0-9a-f]+")
                                 .globalMatch(QString::fromLatin1(xprop.readAllStandardOutput())))
            ids.append(m.captured().toULongLong(nullptr, 16));
        return ids.indexOf(W().winId()) >= 0 &&
               ids.indexOf(tool->winId()) > ids.indexOf(W().winId());
    }
    bool OnTheScreen(const QWidget* tool) {
        return tool->isVisible() &&
               W().screen()->availableGeometry().contains(tool->frameGeometry());
    }
};

TEST_F(EndToEnd, ATermTypedIntoTheFormulaLineBecomesACircuit) {
    auto* line = Get<QComboBox>("cmbFormel");
    Click(Centre(line));
    Xdo("type --delay 20 a6b");
    Xdo("key Return");
    EXPECT_TRUE(QTest::qWaitFor([] { return gAnzElemente == 6; }, kWait));
    EXPECT_EQ(line->currentText().toStdString(), "A&B");
}

TEST_F(EndToEnd, SizeBoxesAndBothScrollBarsToTheirEndsAndBack) {
    Trigger("mPanel_2");
    for (const char* box : {"txtX", "txtY"}) {
        Click(Centre(Get<QLineEdit>(box)));
        for (const char* keys : {"key ctrl+a", "type --delay 20 150", "key Return"})
            Xdo(keys);
    }
    ASSERT_TRUE(QTest::qWaitFor([] { return gFeldBreite == 150 && gFeldHoehe == 150; }, kWait));
    for (const char* name : {"HScroll", "VScroll"}) {
        auto* bar = Get<QScrollBar>(name);
        ASSERT_TRUE(bar->isVisible()) << name;
        const auto handle = [bar] {
            QStyleOptionSlider o;
            o.initFrom(bar);
            o.orientation = bar->orientation();
            o.minimum = bar->minimum();
            o.maximum = bar->maximum();
            o.sliderPosition = bar->sliderPosition();
            o.pageStep = bar->pageStep();
            const QRect r = bar->style()->subControlRect(QStyle::CC_ScrollBar, &o,
                                                         QStyle::SC_ScrollBarSlider, bar);
            return bar->mapToGlobal(r.center());
        };
        // Past each end of the bar, on the screen.
        const bool across = bar->orientation() == Qt::Horizontal;
        const QPoint end = bar->mapToGlobal(across ? QPoint(bar->width() + 20, bar->height() / 2)
                                                   : QPoint(bar->width() / 2, bar->height() + 20));
        const QPoint start = bar->mapToGlobal(across ? QPoint(-20, bar->height() / 2)
                                                     : QPoint(bar->width() / 2, -20));
        Drag(handle(), end);
        EXPECT_TRUE(QTest::qWaitFor([bar] { return bar->value() == bar->maximum(); }, kWait));
        Drag(handle(), start);
        EXPECT_TRUE(QTest::qWaitFor([bar] { return bar->value() == 0; }, kWait));
    }
    EXPECT_EQ(PictureLeft(), 0);
    EXPECT_EQ(PictureTop(), 0);
}

TEST_F(EndToEnd, F6WithThePointerOverTheSheetShowsTheWholeSheet) {
    const QWidget* sheet = Get<QWidget>("picGrid");
    const QPoint corner = sheet->mapToGlobal(QPoint(sheet->width() - 40, sheet->height() - 40));
    Click(corner);
    Xdo("key F6");
    EXPECT_TRUE(QTest::qWaitFor([] { return gGrafik.GridMode != 1.0f; }, kWait));
    EXPECT_EQ(PictureLeft(), 0);
    EXPECT_EQ(PictureTop(), 0);
}

TEST_F(EndToEnd, AClickOnTheWorksheetLeavesTheICEditorInFront) {
    Trigger("mDefIC");
    ASSERT_TRUE(W().ICEditor() != nullptr && Settled(W().ICEditor()));
    const QWidget* sheet = Get<QWidget>("picGrid");
    Click(sheet->mapToGlobal(QPoint(30, 30)));
    EXPECT_TRUE(InFront(W().ICEditor()));
    EXPECT_TRUE(OnTheScreen(W().ICEditor()));
}

TEST_F(EndToEnd, AnalyserWindowsOpenOnTheScreenAndStayInFrontOfTheMainWindow) {
    test::LayWire(2, 3, 6, 3);
    ASSERT_NE(test::PlaceAnalysisPoint(4, 3), 0);
    const QPoint mainWindow = Centre(Get<QWidget>("lblAktElement")); // no window covers it
    Click(mainWindow);
    Trigger("mAnsichtItem_2");
    frmAnalyse2& graph = W().Analyser().Graph();
    ASSERT_TRUE(Settled(&graph));
    Click(Centre(graph.findChild<QPushButton*>("cmdAnalyseTabelle")));
    ASSERT_TRUE(Settled(&W().Analyser().Table()));
    Click(mainWindow);
    const QList<const QWidget*> tools{&graph, &W().Analyser().Table()};
    for (const QWidget* w : tools) {
        EXPECT_TRUE(InFront(w)) << w->objectName().toStdString();
        EXPECT_TRUE(OnTheScreen(w)) << w->objectName().toStdString();
    }
    Click(Centre(Get<QPushButton>("cmdOn")));
    ASSERT_TRUE(QTest::qWaitFor([] { return gPowerOn; }, kWait));
    EXPECT_TRUE(InFront(&graph));
    EXPECT_TRUE(InFront(&W().Analyser().Table()));
}

// The IC library open at the last exit, at a place that no longer fits the screen.
class EndToEndLibraryAtStart : public EndToEnd {
  protected:
    void SetUp() override {
        for (const auto& [key, value] : {std::pair{"frmICAuswahlVisible", "-1"},
                                         {"frmICAuswahlX", "1400"},
                                         {"frmICAuswahlY", "900"},
                                         {"frmICAuswahlWidth", "620"},
                                         {"frmICAuswahlHeight", "460"}})
            settings.Set(SettingsRoot::User, key, value);
        EndToEnd::SetUp();
    }
};

TEST_F(EndToEndLibraryAtStart, ItOpensOnTheScreenAndStaysInFrontOfTheMainWindow) {
    ASSERT_TRUE(QTest::qWaitFor([this] { return W().ICAuswahl() != nullptr; }, kWait));
    ASSERT_TRUE(Settled(W().ICAuswahl()));
    Click(Centre(Get<QWidget>("lblAktElement")));
    EXPECT_TRUE(InFront(W().ICAuswahl()));
    EXPECT_TRUE(OnTheScreen(W().ICAuswahl()));
}

} // namespace
} // namespace kardo

// Under LeakSanitizer: libdbus keeps an allocation of its own when Qt looks for the session bus
// on X.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

// With a display the window system's own platform; without one offscreen, so that the tests can
// be listed (and skipped).
int main(int argc, char** argv) {
    if (const char* display = kardo::Display()) {
        setenv("DISPLAY", display, 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    } else {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    kardo::InstallGermanQtTexts(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
