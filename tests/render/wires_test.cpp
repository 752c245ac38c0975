// Wire painting on the recording target: the raw lines of a wire step in its level colour with
// the white side lines stopping short of crossing wires, whole runs, erasing, the printer and
// the wire-end searches.
#include "model/codes.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "render/grafik.h"
#include "support/core_fixture.h"
#include "support/render_symbols.h"

#include <vector>

namespace kardo::test {
namespace {

constexpr Color kRed = Rgb(255, 0, 0);
constexpr Color kGrey = Rgb(128, 128, 128);
constexpr Color kWhite = Rgb(255, 255, 255);

// One expected Polyline from (x1, y1) to (x2, y2) in a pen colour.
struct Raw {
    int x1, y1, x2, y2;
    Color pen;
};

::testing::AssertionResult SameRawLines(const RecordingTarget& target,
                                        const std::vector<Raw>& expected) {
    const auto lines = target.CallsOf(DrawOp::Polyline);
    if (lines.size() != expected.size())
        return ::testing::AssertionFailure()
               << lines.size() << " polylines, expected " << expected.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Raw& e = expected[i];
        const std::vector<PolyPoint> points = {{e.x1, e.y1}, {e.x2, e.y2}};
        if (lines[i].points != points || lines[i].color != e.pen) {
            const auto& p = lines[i].points;
            return ::testing::AssertionFailure()
                   << "polyline " << i << ": got (" << p.at(0).x << ", " << p.at(0).y << ")-("
                   << p.at(1).x << ", " << p.at(1).y << ") pen " << lines[i].color << ", expected ("
                   << e.x1 << ", " << e.y1 << ")-(" << e.x2 << ", " << e.y2 << ") pen " << e.pen;
        }
    }
    return ::testing::AssertionSuccess();
}

class WireDrawTest : public CoreFixture {
  protected:
    // A switched-on circuit: level 0 is a copy of the worksheet.
    void PowerOn() {
        gLevels.at(0).Feld = gGrid;
        gLevels.at(0).Elemente = gElements;
        gLevels.at(0).AnzElemente = gAnzElemente;
        gPowerOn = true;
    }
    CellRecord& Level(int x, int y) { return gLevels.at(0).Feld(x, y); }
};

TEST_F(WireDrawTest, HighStepIsAThreePixelBandFromNeighbourToCell) {
    const struct {
        int x, y;
        std::int16_t richtung;
        std::vector<Raw> lines;
    } cases[] = {
        {5, 5, 1, {{91, 78, 76, 78, kRed}, {91, 77, 76, 77, kRed}, {91, 76, 76, 76, kRed}}},
        {6, 5, 2, {{77, 76, 92, 76, kRed}, {77, 77, 92, 77, kRed}, {77, 78, 92, 78, kRed}}},
        {5, 5, 3, {{78, 91, 78, 76, kRed}, {77, 91, 77, 76, kRed}, {76, 91, 76, 76, kRed}}},
        {5, 6, 4, {{76, 77, 76, 92, kRed}, {77, 77, 77, 92, kRed}, {78, 77, 78, 92, kRed}}},
    };
    PutWire(3, 5, 8, 5);
    PutWire(5, 3, 5, 8);
    PowerOn();
    for (const auto& c : cases) {
        screen.ClearLog();
        gGrafik.DrawLines(static_cast<std::int16_t>(c.x), static_cast<std::int16_t>(c.y),
                          c.richtung, 1);
        EXPECT_TRUE(SameRawLines(screen, c.lines)) << "Richtung " << c.richtung;
    }
}

TEST_F(WireDrawTest, LowStepIsAGreyLineBetweenWhiteSideLines) {
    PutWire(3, 5, 8, 5);
    PowerOn();
    gGrafik.DrawLines(5, 5, 1, 0);
    EXPECT_TRUE(SameRawLines(
        screen, {{91, 77, 76, 77, kGrey}, {91, 76, 76, 76, kWhite}, {91, 78, 76, 78, kWhite}}));
}

TEST_F(WireDrawTest, SideLinesStopShortOfCrossingWires) {
    struct Case {
        const char* name;
        int x, y;
        std::int16_t richtung;
        int crossX, crossY; // cell whose flag marks the crossing wire
        std::uint8_t flag;  // that flag
        int levelX, levelY; // end cell whose level decides 1 or 2 pixels
        bool high;          // that end cell is high
        std::vector<Raw> lines;
    };
    const Case cases[] = {
        {"own end, crossing wire from above, low",
         5,
         5,
         1,
         5,
         4,
         kDown,
         5,
         5,
         false,
         {{91, 77, 76, 77, kGrey}, {91, 76, 77, 76, kWhite}, {91, 78, 76, 78, kWhite}}},
        {"own end, crossing wire from above, high",
         5,
         5,
         1,
         5,
         4,
         kDown,
         5,
         5,
         true,
         {{91, 77, 76, 77, kGrey}, {91, 76, 78, 76, kWhite}, {91, 78, 76, 78, kWhite}}},
        {"neighbour end, crossing wire from below, high",
         6,
         5,
         2,
         5,
         6,
         kUp,
         5,
         5,
         true,
         {{77, 77, 92, 77, kGrey}, {77, 76, 92, 76, kWhite}, {79, 78, 92, 78, kWhite}}},
        {"own end of a downward step, crossing wire from the right",
         5,
         5,
         3,
         6,
         5,
         kLeft,
         5,
         5,
         false,
         {{77, 91, 77, 76, kGrey}, {76, 91, 76, 76, kWhite}, {78, 91, 78, 77, kWhite}}},
        {"neighbour end of an upward step, crossing wire from the left",
         5,
         6,
         4,
         4,
         5,
         kRight,
         5,
         5,
         false,
         {{77, 77, 77, 92, kGrey}, {76, 78, 76, 92, kWhite}, {78, 77, 78, 92, kWhite}}},
    };
    for (const Case& c : cases) {
        InitProgramState();
        screen.ClearLog();
        if (c.richtung <= 2)
            PutWire(3, 5, 8, 5);
        else
            PutWire(5, 3, 5, 8);
        SetWireFlag(c.crossX, c.crossY, c.flag);
        PowerOn();
        Level(c.levelX, c.levelY).Pegel = TruthValue(c.high);
        gGrafik.DrawLines(static_cast<std::int16_t>(c.x), static_cast<std::int16_t>(c.y),
                          c.richtung, 0);
        EXPECT_TRUE(SameRawLines(screen, c.lines)) << c.name;
    }
}

TEST_F(WireDrawTest, StepOnTheTopRowReadsNoRowAbove) {
    PutWire(3, 0, 8, 0);
    PowerOn();
    gGrafik.DrawLines(5, 0, 1, 0);
    EXPECT_TRUE(SameRawLines(
        screen, {{91, 7, 76, 7, kGrey}, {91, 6, 76, 6, kWhite}, {91, 8, 76, 8, kWhite}}));
}

TEST_F(WireDrawTest, StepWithAnEmptyEndPaintsNothing) {
    PutWire(3, 5, 5, 5);
    PowerOn();
    gGrafik.DrawLines(5, 5, 1, 1); // (6, 5) is empty
    gGrafik.DrawLines(9, 9, 2, 1); // both empty
    EXPECT_TRUE(screen.Calls().empty());
}

TEST_F(WireDrawTest, OtherStatusPaintsNothingAndResetsTheShownLevel) {
    PutWire(3, 5, 8, 5);
    PowerOn();
    gCurLevel = 3;
    gGrafik.DrawLines(5, 5, 1, 7);
    EXPECT_TRUE(screen.CallsOf(DrawOp::Polyline).empty());
    EXPECT_EQ(gCurLevel, 0);
}

TEST_F(WireDrawTest, DirectionOutsideOneToFourGivesZeroLengthLines) {
    PutWire(3, 5, 8, 5);
    PowerOn();
    gGrafik.DrawLines(5, 5, 0, 1);
    for (const DrawCall& c : screen.CallsOf(DrawOp::Polyline))
        EXPECT_EQ(c.points.at(0), c.points.at(1));
}

TEST_F(WireDrawTest, StepRepaintsConnectionDotsAtEitherEnd) {
    PutWire(3, 5, 8, 5);
    PutWire(5, 5, 5, 8); // a T junction at (5, 5)
    gGrid(5, 5).Punkt = kPointConnection;
    PowerOn();
    for (const int x : {5, 4}) { // the dot at the step's own cell, then at its neighbour
        screen.ClearLog();
        gGrafik.DrawLines(static_cast<std::int16_t>(x), 5, 1, 1);
        ASSERT_FALSE(screen.Calls().empty());
        const DrawCall& dot = screen.Calls().back();
        EXPECT_EQ(dot.op, DrawOp::Box) << x;
        EXPECT_DOUBLE_EQ(dot.x1, 75);
        EXPECT_DOUBLE_EQ(dot.x2, 79);
        EXPECT_DOUBLE_EQ(dot.y1, 75);
        EXPECT_DOUBLE_EQ(dot.y2, 79);
    }
    EXPECT_EQ(Level(5, 5).Punkt, kPointConnection);
}

// Fault pinned: a wire step repainted next to a connection point while the circuit was off (its
// level grid still held) recorded an undo step "Verbindungspunkt setzen".
TEST_F(WireDrawTest, RepaintingADotRecordsNoUndoStep) {
    PutWire(3, 5, 8, 5);
    PutWire(5, 5, 5, 8);
    gGrid(5, 5).Punkt = kPointConnection;
    PowerOn();
    gPowerOn = false; // switched off; the level grid is still there
    const auto recorded = gUndo.Recorded();
    gGrafik.DrawLines(5, 5, 1, 0);
    EXPECT_EQ(gUndo.Recorded(), recorded);
    EXPECT_EQ(screen.CallsOf(DrawOp::Box).size(), 1u); // the dot is still drawn
}

TEST_F(WireDrawTest, StepRepaintsACouplingDiode) {
    PutWire(3, 5, 8, 5);
    PutWire(5, 5, 5, 8);
    gGrid(5, 5).Punkt = kPointDiode;
    PowerOn();
    gGrafik.DrawLines(5, 5, 2, 0);
    EXPECT_EQ(screen.CallsOf(DrawOp::Polygon).size(), 1u);
}

TEST_F(WireDrawTest, StepIntoAnElementPinRedrawsItsOutline) {
    PutGate(kTypeAnd, 10, 10, kRight, 3);
    PutWire(7, 9, 10, 9); // into the first input pin
    PowerOn();
    gGrafik.DrawLines(9, 9, 1, 1);
    const auto boxes = screen.CallsOf(DrawOp::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].fillStyle, FillMode::Transparent);
    EXPECT_DOUBLE_EQ(boxes[0].x1, 147);
    EXPECT_TRUE(screen.CallsOf(DrawOp::Print).empty());
}

TEST_F(WireDrawTest, PaintLineRunsInTheirLevelColour) {
    const struct {
        const char* name;
        int x1, y1, x2, y2;
        bool endsHighH[2];
        bool endsHighV[2];
        std::vector<Raw> lines;
    } cases[] = {
        {"low row", 2, 3, 6, 3, {false, false}, {false, false}, {{35, 49, 91, 49, kGrey}}},
        {"row high at one end only",
         2,
         3,
         6,
         3,
         {true, false},
         {true, true},
         {{35, 49, 91, 49, kGrey}}},
        {"high row",
         2,
         3,
         6,
         3,
         {true, true},
         {false, false},
         {{35, 49, 92, 49, kRed}, {35, 50, 92, 50, kRed}, {35, 48, 92, 48, kRed}}},
        {"column high only horizontally",
         2,
         3,
         2,
         6,
         {true, true},
         {false, false},
         {{35, 49, 35, 91, kGrey}}},
        {"high column",
         2,
         3,
         2,
         6,
         {false, false},
         {true, true},
         {{35, 49, 35, 92, kRed}, {36, 49, 36, 92, kRed}, {34, 49, 34, 92, kRed}}},
    };
    for (const auto& c : cases) {
        InitProgramState();
        screen.ClearLog();
        PutWire(c.x1, c.y1, c.x2, c.y2);
        gGrid(c.x1, c.y1).PegelH = TruthValue(c.endsHighH[0]);
        gGrid(c.x2, c.y2).PegelH = TruthValue(c.endsHighH[1]);
        gGrid(c.x1, c.y1).PegelV = TruthValue(c.endsHighV[0]);
        gGrid(c.x2, c.y2).PegelV = TruthValue(c.endsHighV[1]);
        gGrafik.PaintLine(static_cast<std::int16_t>(c.x1), static_cast<std::int16_t>(c.y1),
                          static_cast<std::int16_t>(c.x2), static_cast<std::int16_t>(c.y2), false);
        EXPECT_TRUE(SameRawLines(screen, c.lines)) << c.name;
        ASSERT_FALSE(screen.Calls().empty());
        const DrawCall& last = screen.Calls().back();
        EXPECT_EQ(last.op, DrawOp::PSet) << c.name;
        EXPECT_DOUBLE_EQ(last.x1, -1);
        EXPECT_DOUBLE_EQ(last.y1, -1);
        EXPECT_EQ(last.color, kRed);
    }
}

TEST_F(WireDrawTest, PrintedLowRunIsABlackLineOfTheTarget) {
    gGrafik.Device = &printer;
    PutWire(2, 3, 6, 3);
    gGrafik.PaintLine(2, 3, 6, 3, false);
    EXPECT_TRUE(printer.CallsOf(DrawOp::Polyline).empty());
    const auto lines = printer.CallsOf(DrawOp::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].color, 0);
    EXPECT_DOUBLE_EQ(lines[0].x1, 35);
    EXPECT_DOUBLE_EQ(lines[0].x2, 91);
}

TEST_F(WireDrawTest, PrintedHighRunStaysRedThroughTheRawLines) {
    gGrafik.Device = &printer;
    PutWire(2, 3, 6, 3);
    gGrid(2, 3).PegelH = kTrue;
    gGrid(6, 3).PegelH = kTrue;
    gGrafik.PaintLine(2, 3, 6, 3, false);
    EXPECT_TRUE(SameRawLines(
        printer, {{35, 49, 92, 49, kRed}, {35, 50, 92, 50, kRed}, {35, 48, 92, 48, kRed}}));
}

TEST_F(WireDrawTest, ErasingPaintsWhiteAndRestoresTheGridDots) {
    const struct {
        int x1, y1, x2, y2;
        int dotX2, dotY2; // the second restored pixel: (p1x, p2y)
    } cases[] = {{2, 3, 6, 3, 35, 49}, {2, 3, 2, 6, 35, 91}};
    for (const auto& c : cases) {
        screen.ClearLog();
        gGrafik.PaintLine(static_cast<std::int16_t>(c.x1), static_cast<std::int16_t>(c.y1),
                          static_cast<std::int16_t>(c.x2), static_cast<std::int16_t>(c.y2), true);
        EXPECT_TRUE(SameRawLines(screen, {{35, 49, GridToPixel(c.x2), GridToPixel(c.y2), kWhite}}));
        const auto dots = screen.CallsOf(DrawOp::SetPixel);
        ASSERT_EQ(dots.size(), 2u);
        EXPECT_DOUBLE_EQ(dots[0].x1, 35);
        EXPECT_DOUBLE_EQ(dots[0].y1, 49);
        EXPECT_DOUBLE_EQ(dots[1].x1, c.dotX2);
        EXPECT_DOUBLE_EQ(dots[1].y1, c.dotY2);
        EXPECT_EQ(dots[1].color, kGrey);
    }
}

TEST_F(WireDrawTest, WireLinesShareTheTwoPointList) {
    PutWire(2, 3, 6, 3);
    gGrafik.PaintLine(2, 3, 6, 3, false);
    ASSERT_EQ(gPolyPoints.size(), 2u);
    EXPECT_EQ(gPolyPoints[0], (PolyPoint{35, 49}));
}

TEST_F(WireDrawTest, SearchEndsFindTheLastCellOfAStraightWire) {
    PutWire(3, 4, 7, 4);
    PutWire(6, 2, 6, 9);
    EXPECT_EQ(gGrafik.SearchEndX(3, 4, kRight, 0), 7);
    EXPECT_EQ(gGrafik.SearchEndX(7, 4, kLeft, 0), 3);
    EXPECT_EQ(gGrafik.SearchEndX(5, 4, kRight, 0), 7); // through the crossing at column 6
    EXPECT_EQ(gGrafik.SearchEndY(6, 2, kDown, 0), 9);
    EXPECT_EQ(gGrafik.SearchEndY(6, 9, kUp, 0), 2);
    EXPECT_EQ(gGrafik.SearchEndX(3, 4, kUp, 0), 3);   // a direction of the other axis
    EXPECT_EQ(gGrafik.SearchEndY(6, 2, kLeft, 0), 2); // likewise
    PutWire(45, 4, 50, 4);
    EXPECT_EQ(gGrafik.SearchEndX(45, 4, kRight, 0), 50);
    gGrid(50, 4).Rechts = kTrue; // the wire would go on past the sheet's last column
    EXPECT_EQ(gGrafik.SearchEndX(45, 4, kRight, 0), 0);
}

} // namespace
} // namespace kardo::test
