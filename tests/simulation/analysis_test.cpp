// Analysis points while the circuit runs: the table's columns and rows, the trace steps with
// their scrolling, and what clearing, power-on and the clear button keep.
#include "circuit_test_util.h"
#include "files/new_circuit.h"
#include "model/basic_elements.h"
#include "model/codes.h"
#include "simulation/analysis.h"
#include "simulation/port_access.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::LayWire;
using test::PlaceAnalysisPoint;

class AnalysisTest : public test::CircuitFixture {
  protected:
    // A switch at (2, 5) and a wire to an LED at (20, 5), with analysis points at the columns
    // given (numbered 1, 2, 3, ... in that order).
    void Line(std::initializer_list<int> points) {
        test::SwitchLine(2, 5, 20);
        ASSERT_NE(test::PlaceLed(20, 5), 0);
        for (int x : points)
            ASSERT_NE(PlaceAnalysisPoint(x, 5), 0) << x;
    }
    // The table as text: one line per row, cells separated by "|", an empty cell as ".".
    static std::vector<std::string> Rows() {
        std::vector<std::string> out;
        const AnalysisTable& t = gAnalyseTabelle;
        for (std::size_t r = 0; r < t.RowCount(); ++r) {
            std::string line;
            for (int c = 0; c < t.ColumnCount(); ++c) {
                const char v = t.Cell(r, c);
                line += (c ? "|" : "") + std::string(1, v == '\0' ? '.' : v);
            }
            out.push_back(line);
        }
        return out;
    }
    static std::vector<std::string> Columns() {
        std::vector<std::string> out;
        for (int c = 0; c < gAnalyseTabelle.ColumnCount(); ++c)
            out.push_back(gAnalyseTabelle.ColumnKey(c));
        return out;
    }
    // The steps of strip i as "x0:H" / "x0:L", an edge marked with "|" before, newest first.
    static std::string Steps(int strip) {
        std::string s;
        for (const VisibleStep& v : VisibleSteps(strip))
            s += std::string(v.edge ? "|" : "") + std::to_string(v.x0) + (v.high ? ":H " : ":L ");
        return s;
    }
};

TEST_F(AnalysisTest, WithoutColumnsEventsAddNoRowAndNoStep) {
    Line({5});
    gAnalyseTabelle.SetColumns({}); // as a table window whose list was never prepared
    PowerOn();
    Click(2, 5);
    EXPECT_EQ(gAnalyseTabelle.RowCount(), 0u);
    EXPECT_EQ(gAnalyseX[0], 0);
    EXPECT_EQ(gAnalyseSpuren[0].Steps(), 0);
    EXPECT_EQ(gLevels[0].Elemente[static_cast<std::size_t>(gGrid(5, 5).ElementNr)].Zustand[12],
              kTrue)
        << "the point's level is stored all the same";
}

TEST_F(AnalysisTest, PointsOneAndThreeGiveTwoColumnsPointOneFirst) {
    Line({9, 5, 12}); // 1 at 9, 2 at 5, 3 at 12
    ASSERT_TRUE(test::RemoveAt(5, 5));
    EXPECT_EQ(Columns(), (std::vector<std::string>{"1S", "3S"}));
    PowerOn();
    Click(2, 5);
    // The level reaches point 1 (column 9) first, then point 3 (column 12).
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1|0", "1|1"}));
    Click(2, 5);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1|0", "1|1", "0|1", "0|0"}));
}

TEST_F(AnalysisTest, TheTableReadsTheRunningLevelNotTheWorksheet) {
    Line({5});
    PowerOn();
    Click(2, 5);
    const auto nr = static_cast<std::size_t>(gGrid(5, 5).ElementNr);
    EXPECT_EQ(gLevels[0].Elemente[nr].Zustand[12], kTrue);
    EXPECT_EQ(gElements[nr].Zustand[12], 0) << "the worksheet's copy is never written";
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1"}));
}

TEST_F(AnalysisTest, TwoEventsAtPointsInOnePassGiveTwoRows) {
    LayWire(2, 5, 12, 5);
    ASSERT_NE(PlaceAnalysisPoint(4, 5), 0);
    ASSERT_NE(PlaceAnalysisPoint(9, 5), 0);
    PowerOn();
    // Both events in the same pass; the levels they leave travel on along plain wire.
    AddEvent(4, 5, kRight, 1, 0);
    AddEvent(9, 5, kRight, 1, 0);
    gRechnet = true;
    RunSimulation();
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1|0", "1|1"}));
}

TEST_F(AnalysisTest, ARowIsWrittenAlsoWhenNoLevelChanged) {
    // A point on a crossing without a junction: an event that finds the level already high
    // still reaches the point.
    LayWire(2, 5, 12, 5);
    LayWire(7, 2, 7, 9);
    ASSERT_NE(PlaceAnalysisPoint(7, 5), 0);
    PowerOn();
    for (int i = 0; i < 2; ++i) {
        AddEvent(7, 5, kRight, 1, 0);
        gRechnet = true;
        RunSimulation();
    }
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1", "1"}));
    EXPECT_EQ(gAnalyseSpuren[0].Steps(), 2);
}

TEST_F(AnalysisTest, APointMissingOnTheShownLevelGetsAnEmptyCellAndNoStep) {
    Line({5, 8, 11});
    PowerOn();
    // An IC level holding only a point "1", shown on the worksheet.
    gLevels.resize(2);
    SimLevelRecord& ic = gLevels[1];
    ic.Elemente.assign(2, ElementRecord{});
    ic.Elemente[1].Typ = kTypeAnalysisPoint;
    ic.Elemente[1].Text = "1";
    ic.Elemente[1].Zustand[12] = kTrue;
    ic.AnzElemente = 1;
    gCurLevel = 1;
    DrawAnalysisTrace();
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1|.|."}));
    EXPECT_EQ(gAnalyseX[0], kTraceStep);
    EXPECT_EQ(gAnalyseX[1], 0);
    EXPECT_EQ(gAnalyseX[2], 0);
    // Back on the circuit all three are there again.
    gCurLevel = 0;
    DrawAnalysisTrace();
    EXPECT_EQ(Rows().back(), "0|0|0");
    EXPECT_EQ(gAnalyseX[2], kTraceStep);
}

TEST_F(AnalysisTest, ALevelRebuiltInPlaceIsLookedUpAgainAtTheNextPowerOn) {
    Line({5});
    PowerOn();
    gLevels.resize(2);
    std::vector<ElementRecord>& inner = gLevels[1].Elemente;
    inner.assign(2, ElementRecord{});
    inner[1].Typ = kTypeLed;
    gCurLevel = 1;
    DrawAnalysisTrace();
    gCurLevel = 0;
    PowerOff();
    // Same list, same place, same size; now it holds point 1.
    inner[1].Typ = kTypeAnalysisPoint;
    inner[1].Text = "1";
    PowerOn();
    inner[1].Zustand[12] = kTrue;
    gCurLevel = 1;
    DrawAnalysisTrace();
    gCurLevel = 0;
    EXPECT_EQ(Rows(), (std::vector<std::string>{".", "1"}));
}

TEST_F(AnalysisTest, APointInsideAnICLevelSetsItsSlotThereAndNoPortBit) {
    Line({5});
    PowerOn();
    gLevels.resize(2);
    std::vector<ElementRecord>& inner = gLevels[1].Elemente;
    inner.assign(2, ElementRecord{});
    inner[1].Typ = kTypeAnalysisPoint;
    inner[1].Text = "1";
    AnalysisPointEvent(inner, 1, 1, 1);
    EXPECT_EQ(inner[1].Zustand[12], kTrue);
    EXPECT_EQ(gAnalyseWerte[0], 0);
    EXPECT_EQ(gAnalyseTabelle.RowCount(), 1u) << "the row is written all the same";
}

TEST_F(AnalysisTest, TraceStepsAndEdges) {
    const struct {
        const char* name;
        std::vector<bool> levels;
        const char* steps; // newest first
    } cases[] = {
        {"starts high: no rising edge at its start", {true}, "0:H "},
        {"starts low", {false}, "0:L "},
        {"rise and fall", {false, true, true, false}, "|39:L 26:H |13:H 0:L "},
        {"steady high", {true, true}, "13:H 0:H "},
    };
    for (const auto& c : cases) {
        ClearAnalysisTraces();
        for (bool l : c.levels)
            TraceStep(1, l);
        EXPECT_EQ(Steps(0), c.steps) << c.name;
        EXPECT_EQ(gAnalyseLetzter[0], TruthValue(c.levels.back())) << c.name;
    }
}

TEST_F(AnalysisTest, TheStripScrollsOnlyWhenTheNextStepWouldPassTheEdge) {
    SetTraceWidth(4 * kTraceStep + 5); // four steps fit, with 5 pixels to spare
    for (bool l : {false, true, false, true})
        TraceStep(2, l);
    EXPECT_EQ(gAnalyseX[1], 4 * kTraceStep) << "the fourth step ends inside: no scroll";
    EXPECT_EQ(Steps(1), "|39:H |26:L |13:H 0:L ");
    TraceStep(2, true);
    EXPECT_EQ(gAnalyseX[1], 4 * kTraceStep) << "the fifth moved the picture one step left";
    // The first step is gone; the one now at 0 keeps the edge from the step before it.
    EXPECT_EQ(Steps(1), "39:H |26:H |13:L |0:H ");

    ClearAnalysisTraces();
    SetTraceWidth(3 * kTraceStep); // exactly three steps
    for (int i = 0; i < 3; ++i)
        TraceStep(1, false);
    EXPECT_EQ(gAnalyseX[0], 3 * kTraceStep) << "ending right at the edge does not scroll";
    TraceStep(1, true);
    EXPECT_EQ(gAnalyseX[0], 3 * kTraceStep);
    EXPECT_EQ(Steps(0), "|26:H 13:L 0:L ");
}

TEST_F(AnalysisTest, ANarrowerStripKeepsTheNewestStepAtItsEdgeAndAWiderOneAddsRoom) {
    for (int i = 0; i < 10; ++i)
        TraceStep(1, i % 2 == 0);
    EXPECT_EQ(gAnalyseX[0], 10 * kTraceStep);
    SetTraceWidth(4 * kTraceStep + 6);
    EXPECT_EQ(gAnalyseX[0], 4 * kTraceStep);
    EXPECT_EQ(Steps(0), "|39:L |26:H |13:L |0:H ");
    SetTraceWidth(400);
    EXPECT_EQ(gAnalyseX[0], 4 * kTraceStep) << "widening leaves the trace end where it is";
    EXPECT_EQ(VisibleSteps(0).size(), 4u);
}

TEST_F(AnalysisTest, AStripKeepsItsLastStepsForRepainting) {
    SetTraceWidth(kTraceStep * (kTraceRingSteps - 1));
    for (int i = 0; i < 3 * kTraceRingSteps; ++i)
        TraceStep(1, i % 3 == 0);
    const std::vector<VisibleStep> steps = VisibleSteps(0);
    ASSERT_EQ(steps.size(), static_cast<std::size_t>(kTraceRingSteps - 1));
    // Newest first: step 3071 (3071 % 3 != 0: low), 3070 low, 3069 high.
    EXPECT_FALSE(steps[0].high);
    EXPECT_FALSE(steps[1].high);
    EXPECT_TRUE(steps[2].high);
    EXPECT_TRUE(steps[1].edge) << "falls after the high step before it";
    EXPECT_EQ(steps.back().x0, 0);
}

TEST_F(AnalysisTest, TheClearButtonEmptiesRowsAndStripsButKeepsTheColumns) {
    Line({5, 8});
    PowerOn();
    Click(2, 5);
    ASSERT_EQ(gAnalyseTabelle.RowCount(), 2u);
    ClearAnalysisRecord();
    EXPECT_EQ(gAnalyseTabelle.RowCount(), 0u);
    EXPECT_EQ(Columns(), (std::vector<std::string>{"1S", "2S"}));
    EXPECT_EQ(gAnalyseX, (std::array<std::int16_t, kAnalysePunkte>{}));
    EXPECT_EQ(gAnalyseLetzter, (std::array<std::int16_t, kAnalysePunkte>{}));
    EXPECT_TRUE(VisibleSteps(0).empty());
    Click(2, 5);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"0|1", "0|0"}));
}

TEST_F(AnalysisTest, PowerOnClearsTheTracesNotTheTable) {
    Line({5});
    PowerOn();
    Click(2, 5);
    PowerOff();
    ASSERT_EQ(gAnalyseTabelle.RowCount(), 1u);
    ASSERT_EQ(gAnalyseX[0], kTraceStep);
    PowerOn();
    EXPECT_EQ(gAnalyseTabelle.RowCount(), 1u);
    EXPECT_EQ(gAnalyseX[0], 0);
    EXPECT_EQ(gAnalyseSpuren[0].Steps(), 0);
}

TEST_F(AnalysisTest, ClearingTheCircuitDropsColumnsRowsAndStrips) {
    Line({5, 8});
    PowerOn();
    Click(2, 5);
    PowerOff();
    host.log.clear();
    ClearCircuit();
    EXPECT_EQ(gAnalyseTabelle.ColumnCount(), 0);
    EXPECT_EQ(gAnalyseTabelle.RowCount(), 0u);
    EXPECT_EQ(gAnalyseX[1], 0);
    std::vector<std::string> analyserCalls;
    std::copy_if(host.log.begin(), host.log.end(), std::back_inserter(analyserCalls),
                 [](const std::string& call) {
                     return call.find("Graph") != std::string::npos ||
                            call.find("Analysis") != std::string::npos;
                 });
    EXPECT_EQ(analyserCalls, (std::vector<std::string>{"RefreshAnalysisList()", "ClearGraphs()"}))
        << "one hook empties the diagram; no strip is removed one by one";
}

TEST_F(AnalysisTest, TheWindowsAreToldOnceUntilTheyHaveShownIt) {
    Line({5, 8, 11});
    PowerOn();
    AnalysisShown();
    const int before = host.analysisChangedCalls;
    for (int i = 0; i < 50; ++i)
        Click(2, 5);
    EXPECT_EQ(gAnalyseTabelle.RowCount(), 150u);
    EXPECT_EQ(host.analysisChangedCalls, before + 1);
    AnalysisShown();
    Click(2, 5);
    EXPECT_EQ(host.analysisChangedCalls, before + 2);
}

TEST_F(AnalysisTest, ARowTakesLessThanEightBytes) {
    Line({5, 8, 11});
    PowerOn();
    for (int i = 0; i < 100000; ++i)
        DrawAnalysisTrace();
    ASSERT_EQ(gAnalyseTabelle.RowCount(), 100000u);
    EXPECT_LT(gAnalyseTabelle.RowBytes(), 8u * 100000u);
    EXPECT_EQ(gAnalyseTabelle.Cell(99999, 2), '0');
    EXPECT_EQ(gAnalyseTabelle.Cell(100000, 0), '\0') << "beyond the last row";
}

} // namespace
} // namespace kardo
