// The wire-run list: runs found at their first cell, visited marks, and runs kept by the update.
#include "editor/line_runs.h"
#include "model/grid.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

class LineRunsTest : public test::CoreFixture {};

TEST_F(LineRunsTest, OneHorizontalWire) {
    test::LayWire(3, 4, 9, 4);
    AnalysiereLeitungen();
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y) {
            const LineRunRecord& r = gLineRuns(x, y);
            EXPECT_EQ(r.EndX, x == 3 && y == 4 ? 9 : 0) << x << "," << y;
            EXPECT_EQ(r.EndY, 0);
            EXPECT_EQ(r.VisitedH != 0, y == 4 && x >= 3 && x <= 9) << x << "," << y;
        }
    }
}

TEST_F(LineRunsTest, RunsOfAnLAndACrossingStartAtTheirFirstCells) {
    test::LayWire(2, 5, 6, 8);  // row 5 from 2 to 6, then column 6 from 5 to 8
    test::LayWire(4, 1, 4, 10); // a vertical wire crossing row 5
    AnalysiereLeitungen();
    EXPECT_EQ(gLineRuns(2, 5).EndX, 6);
    EXPECT_EQ(gLineRuns(6, 5).EndY, 8);
    EXPECT_EQ(gLineRuns(4, 1).EndY, 10);
    EXPECT_EQ(gLineRuns(4, 5).EndX, 0);
    EXPECT_EQ(gLineRuns(4, 5).EndY, 0);
}

TEST_F(LineRunsTest, ARunReachingTheLastColumnEndsThere) {
    test::LayWire(gFeldBreite - 3, 2, gFeldBreite, 2);
    AnalysiereLeitungen();
    EXPECT_EQ(gLineRuns(gFeldBreite - 3, 2).EndX, gFeldBreite);
}

TEST_F(LineRunsTest, TheUpdateKeepsRecordedRunsAndAddsNewOnes) {
    test::LayWire(3, 4, 9, 4);
    AnalysiereLeitungen();
    test::LayWire(3, 7, 5, 7);
    UpdateLineRuns();
    EXPECT_EQ(gLineRuns(3, 4).EndX, 9);
    EXPECT_EQ(gLineRuns(3, 7).EndX, 5);
    // The full analysis clears first: a run no longer there is gone.
    for (int x = 3; x <= 9; ++x)
        gGrid(x, 4) = CellRecord{};
    AnalysiereLeitungen();
    EXPECT_EQ(gLineRuns(3, 4).EndX, 0);
    EXPECT_EQ(gLineRuns(3, 7).EndX, 5);
}

} // namespace
} // namespace kardo
