// End-to-end tests: the program under the X server named by KARDO_E2E_DISPLAY (else skipped) with a
// window manager, driven by real X events (xdotool), stacking read from _NET_CLIENT_LIST_STACKING.
// A failing test leaves a screenshot e2e-<test>.png in the working folder.
#include "app/settings.h"
#include "files/circuit_file.h"
#include "ic/qt/frm_ic.h"
#include "ic/qt/frm_ic_auswahl.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "platform/qt/german_texts.h"
#include "render/grafik.h"
#include "render/view.h"
#include "simulation/circuit_test_util.h"
#include "simulation/qt/analyser_windows.h"
#include "simulation/qt/analysis_window.h"
#include "simulation/qt/graph_window.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/qt/main_window_fixture.h"

#include <cstdlib>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
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

// What xdotool with these arguments prints, without the blanks around it.
QString XdoOutput(const QStringList& arguments) {
    QProcess xdotool;
    xdotool.start("xdotool", arguments);
    xdotool.waitForFinished();
    return QString::fromLatin1(xdotool.readAllStandardOutput()).trimmed();
}

// "x y" of a point on the screen, for xdotool; the centre of a widget.
QString At(QPoint p) { return QString("%1 %2").arg(p.x()).arg(p.y()); }
QPoint Centre(const QWidget* w) { return w->mapToGlobal(w->rect().center()); }
void Click(QPoint p) { Xdo("mousemove " + At(p) + " click 1"); }
void Drag(QPoint from, QPoint to) {
    Xdo("mousemove " + At(from) + " mousedown 1 mousemove " + At((from + to) / 2) +
        " sleep 0.1 mousemove " + At(to) + " mouseup 1");
}
// Waits until window is shown, then gives the window manager time to frame, place and stack it.
bool Settled(QWidget* window) {
    const bool shown = QTest::qWaitFor([window] { return window->isVisible(); }, kWait) &&
                       QTest::qWaitForWindowExposed(window);
    QTest::qWait(300);
    return shown;
}

// The slider's own style options, which QScrollBar keeps protected.
struct OpenScrollBar : QScrollBar {
    using QScrollBar::initStyleOption;
};

class EndToEnd : public test::MainWindowFixture {
  protected:
    void SetUp() override {
        if (Display() == nullptr)
            GTEST_SKIP() << "KARDO_E2E_DISPLAY names no X display";
        ASSERT_TRUE(LoadWindow());
        ASSERT_TRUE(Settled(&W()));
    }
    void TearDown() override {
        const char* test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        if (HasFailure() && Display() != nullptr)
            QGuiApplication::primaryScreen()->grabWindow(0).save(QString("e2e-%1.png").arg(test));
    }
    template <class T> T* Get(const char* name) { return W().findChild<T*>(name); }
    void Trigger(const char* name) { qobject_cast<QAction*>(W().FindControl(name))->trigger(); }
    // Whether, after time to restack, tool is above the main window (the list runs bottom up).
    bool InFront(const QWidget* tool) {
        QTest::qWait(300);
        QProcess xprop;
        xprop.start("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"});
        xprop.waitForFinished();
        const QString stack = QString::fromLatin1(xprop.readAllStandardOutput());
        const auto at = [&stack](const QWidget* w) {
            return stack.indexOf(QRegularExpression(QString("0x%1\\b").arg(w->winId(), 0, 16)));
        };
        return at(&W()) >= 0 && at(tool) > at(&W());
    }
    // Expects tool in front of the main window and wholly on its screen.
    void ExpectInFrontOnTheScreen(const QWidget* tool) {
        SCOPED_TRACE(tool->objectName().toStdString());
        EXPECT_TRUE(InFront(tool));
        EXPECT_TRUE(tool->isVisible() &&
                    W().screen()->availableGeometry().contains(tool->frameGeometry()));
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
        Click(Centre(Get<QWidget>(box)));
        for (const char* keys : {"key ctrl+a", "type --delay 20 150", "key Return"})
            Xdo(keys);
    }
    ASSERT_TRUE(QTest::qWaitFor([] { return gFeldBreite == 150 && gFeldHoehe == 150; }, kWait));
    for (const char* name : {"HScroll", "VScroll"}) {
        auto* bar = Get<QScrollBar>(name);
        ASSERT_TRUE(bar->isVisible()) << name;
        const auto handle = [bar] {
            QStyleOptionSlider o;
            (bar->*&OpenScrollBar::initStyleOption)(&o);
            const QRect r = bar->style()->subControlRect(QStyle::CC_ScrollBar, &o,
                                                         QStyle::SC_ScrollBarSlider, bar);
            return bar->mapToGlobal(r.center());
        };
        // Past each end of the bar: its centre plus or minus half its length and 20 pixels.
        const QPoint c = bar->rect().center();
        const QPoint d =
            bar->orientation() == Qt::Horizontal ? QPoint(c.x() + 20, 0) : QPoint(0, c.y() + 20);
        for (const auto& [to, value] : {std::pair{c + d, bar->maximum()}, {c - d, 0}}) {
            Drag(handle(), bar->mapToGlobal(to));
            EXPECT_TRUE(QTest::qWaitFor([&] { return bar->value() == value; }, kWait)) << name;
        }
    }
    EXPECT_EQ(std::pair(PictureLeft(), PictureTop()), std::pair(0, 0));
}

TEST_F(EndToEnd, F6WithThePointerOverTheSheetShowsTheWholeSheet) {
    const QWidget* sheet = Get<QWidget>("picGrid");
    Click(sheet->mapToGlobal(QPoint(sheet->width() - 40, sheet->height() - 40)));
    Xdo("key F6");
    EXPECT_TRUE(QTest::qWaitFor([] { return gGrafik.GridMode != 1.0f; }, kWait));
    EXPECT_EQ(std::pair(PictureLeft(), PictureTop()), std::pair(0, 0));
}

TEST_F(EndToEnd, AClickOnTheWorksheetLeavesTheICEditorInFront) {
    Trigger("mDefIC");
    ASSERT_TRUE(W().ICEditor() != nullptr && Settled(W().ICEditor()));
    Click(Get<QWidget>("picGrid")->mapToGlobal(QPoint(30, 30)));
    ExpectInFrontOnTheScreen(W().ICEditor());
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
    ExpectInFrontOnTheScreen(&graph);
    ExpectInFrontOnTheScreen(&W().Analyser().Table());
    Click(Centre(Get<QPushButton>("cmdOn")));
    ASSERT_TRUE(QTest::qWaitFor([] { return gPowerOn; }, kWait));
    EXPECT_TRUE(InFront(&graph));
    EXPECT_TRUE(InFront(&W().Analyser().Table()));
}

// Fault: Alt+F4 during a delayed run of an oscillating circuit closed the window, but the process
// stayed for good. The program as a user starts it, on a ring of three inverters, its window laid
// out as this test's own (the reference for the places to click).
TEST_F(EndToEnd, AltF4DuringADelayedOscillatingRunEndsTheProgram) {
    ASSERT_NO_FATAL_FAILURE(test::BuildOddRing());
    test::TempDir folder; // the program's home
    ASSERT_EQ(SaveFileTo(folder.File("ring.kdx")), FileOutcome::Success);
    auto* delay = Get<QSpinBox>("cmdVerzögerung");
    const QPoint up = delay->mapTo(&W(), QPoint(delay->width() - 4, 4)); // its up arrow
    const QSize size = W().size();
    W().hide();
    QProcess kardo; // its home the folder, so its settings are fresh
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("XDG_CONFIG_HOME");
    env.insert("HOME", QString::fromStdString(folder.Path()));
    // Under LeakSanitizer libdbus's allocation (see the end of this file) would fail the exit.
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
    kardo.setProcessEnvironment(env);
    kardo.start(KARDO_PROGRAM, {QString::fromStdString(folder.File("ring.kdx"))});
    // The main window, once the splash has gone: the one window of the program on the screen.
    QString id; // the X window
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            id =
                XdoOutput({"search", "--onlyvisible", "--pid", QString::number(kardo.processId())});
            return !id.contains('\n') && XdoOutput({"getwindowname", id}).startsWith("ring");
        },
        20000));
    Xdo(QString("windowsize %1 %2 %3").arg(id).arg(size.width()).arg(size.height()));
    QTest::qWait(500);
    Xdo(QString("mousemove --window %1 %2 %3 click 1").arg(id).arg(up.x()).arg(up.y()));
    Xdo("key F12");
    QTest::qWait(1000);
    EXPECT_EQ(kardo.state(), QProcess::Running);
    Xdo("key alt+F4");
    EXPECT_TRUE(kardo.waitForFinished(2000));
    EXPECT_EQ(kardo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(kardo.exitCode(), 0);
    kardo.kill();
    kardo.waitForFinished();
}

// The IC library open at the last exit, at a place that no longer fits the screen. Fault pinned
// by the height: a window as tall as the screen ran 15 pixels past its lower edge.
class EndToEndLibraryAtStart : public EndToEnd {
  protected:
    void SetUp() override {
        const char* stored[][2] = {
            {"Visible", "-1"}, {"X", "1400"}, {"Y", "900"}, {"Width", "620"}, {"Height", "990"}};
        for (const auto& [key, value] : stored)
            settings.Set(SettingsRoot::User, std::string("frmICAuswahl") + key, value);
        EndToEnd::SetUp();
    }
};

TEST_F(EndToEndLibraryAtStart, ItOpensOnTheScreenAndStaysInFrontOfTheMainWindow) {
    ASSERT_TRUE(QTest::qWaitFor([this] { return W().ICAuswahl() != nullptr; }, kWait));
    ASSERT_TRUE(Settled(W().ICAuswahl()));
    Click(Centre(Get<QWidget>("lblAktElement")));
    ExpectInFrontOnTheScreen(W().ICAuswahl());
}

} // namespace
} // namespace kardo

// Under LeakSanitizer: libdbus keeps an allocation when Qt looks for the session bus on X.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

// With a display the X platform; without one offscreen, so that the tests can be listed.
int main(int argc, char** argv) {
    if (const char* display = kardo::Display())
        setenv("DISPLAY", display, 1);
    setenv("QT_QPA_PLATFORM", kardo::Display() != nullptr ? "xcb" : "offscreen", 1);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    kardo::InstallGermanQtTexts(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
