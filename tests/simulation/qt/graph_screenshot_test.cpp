// Screenshot of the timing diagram: three analysis points toggled by a script, one step more
// than a strip holds, so that every strip has scrolled once. The lines, the background, the
// edges and the area freed by the scroll are checked pixel by pixel; with KARDO_SYMBOL_GALLERY
// set the window is also written next to the gallery as *_analyser.png:
//   KARDO_SYMBOL_GALLERY=/tmp/symbols.png kardo_gui_tests --gtest_filter='GraphScreenshot*'
#include "model/grid.h"
#include "simulation/analysis.h"
#include "simulation/power.h"
#include "simulation/qt/analyser_windows.h"
#include "simulation/qt/graph_window.h"
#include "simulation/user_interaction.h"
#include "support/builder.h"
#include "support/gallery_path.h"
#include "support/qt/main_window_fixture.h"

#include <cstdlib>
#include <string>

#include <QApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

namespace kardo {
namespace {

const QColor kBlue(0, 0, 128);
const QColor kWhite(255, 255, 255);

class GraphScreenshot : public test::MainWindowFixture {
  protected:
    // Which of the rows 0..20 of column x are white, as a string of '#' (white) and '.'
    // (background); any other colour shows as '?'.
    static std::string Column(const QImage& img, int x) {
        std::string s;
        for (int y = 0; y < kTraceStripHeight; ++y) {
            const QColor c = img.pixelColor(x, y);
            s += c == kWhite ? '#' : c == kBlue ? '.' : '?';
        }
        return s;
    }
    // Row y from column 0 to width - 1 in the same letters.
    static std::string Row(const QImage& img, int y) {
        std::string s;
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            s += c == kWhite ? '#' : c == kBlue ? '.' : '?';
        }
        return s;
    }
};

TEST_F(GraphScreenshot, ThreeTracesAfterOneScroll) {
    ASSERT_TRUE(LoadWindow());
    for (int k = 1; k <= 3; ++k) {
        const int y = 2 * k + 1;
        test::LayWire(2, y, 14, y);
        ASSERT_NE(test::PlaceSwitch(2, y), 0);
        ASSERT_NE(test::PlaceAnalysisPoint(8, y), 0);
    }
    frmAnalyse2& graph = W().Analyser().Graph();
    // Five steps and three pixels to spare.
    const int stripWidth = 5 * kTraceStep + 3;
    graph.resize(frmAnalyse2::kStripLeft + stripWidth + frmAnalyse2::kRightMargin, graph.height());
    graph.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph));
    ASSERT_EQ(graph.Strip(0).width(), stripWidth);
    ASSERT_EQ(gAnalyseBreite, stripWidth);

    PowerOnOff();
    // Six events, each one step on all three strips: after them the levels of points 1, 2, 3
    // were 100, 110, 111, 011, 001, 101.
    for (int point : {1, 2, 3, 1, 2, 1}) {
        gCursorX = 2;
        gCursorY = static_cast<std::int16_t>(2 * point + 1);
        InitSwitchOn();
    }
    QApplication::processEvents();
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(gAnalyseX[static_cast<std::size_t>(i)], 5 * kTraceStep) << "scrolled once";

    const QImage shot = graph.grab().toImage();
    if (const char* p = std::getenv("KARDO_SYMBOL_GALLERY"); p && *p) {
        ASSERT_TRUE(shot.save(QString::fromStdString(test::GalleryPath(p, "_analyser"))));
    }

    const std::string blank(kTraceStripHeight, '.');
    const std::string edge = "." + std::string(19, '#') + ".";
    const std::string high = ".#" + std::string(19, '.');
    const std::string low = std::string(19, '.') + "#.";
    const std::string freed(stripWidth - 5 * kTraceStep, '.');
    auto run = [](char c, int n) { return std::string(static_cast<std::size_t>(n), c); };

    // Point 1: H H H L L H; the first H scrolled out. Edges at 26 (fall) and 52 (rise).
    const QImage s0 = graph.Strip(0).grab().toImage();
    ASSERT_EQ(s0.width(), stripWidth);
    EXPECT_EQ(Row(s0, 0), run('.', stripWidth)) << "row 0 stays background";
    EXPECT_EQ(Row(s0, kTraceHighY), run('#', 27) + run('.', 25) + run('#', 13) + freed);
    EXPECT_EQ(Row(s0, kTraceLowY), run('.', 26) + run('#', 27) + run('.', 12) + freed);
    EXPECT_EQ(Row(s0, 20), run('.', stripWidth));
    EXPECT_EQ(Column(s0, 0), high) << "no edge where the trace stays high";
    EXPECT_EQ(Column(s0, 26), edge);
    EXPECT_EQ(Column(s0, 52), edge);
    EXPECT_EQ(Column(s0, 30), low) << "inside a low step";

    // Point 2: L H H H L L; the edge of the step at 0 survives the scroll.
    const QImage s1 = graph.Strip(1).grab().toImage();
    EXPECT_EQ(Column(s1, 0), edge);
    EXPECT_EQ(Column(s1, 39), edge);
    EXPECT_EQ(Row(s1, kTraceHighY), run('#', 40) + run('.', 25) + freed);

    // Point 3: L L H H H H; one rise at 13.
    const QImage s2 = graph.Strip(2).grab().toImage();
    EXPECT_EQ(Column(s2, 13), edge);
    EXPECT_EQ(Row(s2, kTraceLowY), run('#', 14) + run('.', 51) + freed);
    EXPECT_EQ(Row(s2, kTraceHighY), run('.', 13) + run('#', 52) + freed);
    for (int x = 65; x < stripWidth; ++x)
        EXPECT_EQ(Column(s2, x), blank) << "freed by the scroll: x " << x;

    // The strips sit in the window where they belong, the gaps between them are window colour.
    EXPECT_EQ(shot.pixelColor(frmAnalyse2::kStripLeft + 3, frmAnalyse2::kFirstTop),
              s0.pixelColor(3, 0));
    EXPECT_EQ(shot.pixelColor(frmAnalyse2::kStripLeft, frmAnalyse2::kFirstTop + kTraceLowY),
              s0.pixelColor(0, kTraceLowY));
    EXPECT_NE(shot.pixelColor(frmAnalyse2::kStripLeft + 3,
                              frmAnalyse2::kFirstTop + kTraceStripHeight + 2),
              kBlue);
    PowerOnOff();
}

} // namespace
} // namespace kardo
