// Analysis point placing and removing, their numbers, count and the analyser menu entry.
#include "model/basic_elements.h"
#include "model/undo.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class AnalysisPointTest : public test::CoreFixture {
  protected:
    AnalysisPointTest() { test::LayWire(2, 10, 30, 10); }
    bool Logged(const std::string& line) const {
        return std::find(host.log.begin(), host.log.end(), line) != host.log.end();
    }
    static int NumberAt(int x, int y) {
        return std::stoi(gElements[static_cast<std::size_t>(gGrid(x, y).ElementNr)].Text);
    }
};

TEST_F(AnalysisPointTest, PointRecordAndCell) {
    const std::int16_t n = test::PlaceAnalysisPoint(5, 10);
    ASSERT_EQ(n, 1);
    const ElementRecord& e = gElements[1];
    EXPECT_EQ(e.Typ, kTypeAnalysisPoint);
    EXPECT_EQ(e.Richtung, 0);
    EXPECT_EQ(e.Eingaenge.Text(), "X5Y10:");
    EXPECT_EQ(e.Ausgaenge.Text(), "X5Y10:");
    EXPECT_EQ(e.Text, "1");
    EXPECT_EQ(gGrid(5, 10).Typ, kTypeAnalysisPoint);
    EXPECT_EQ(gGrid(5, 10).Rechts, kTrue) << "the wire runs through";
    EXPECT_EQ(gAnzAnalysepunkte, 1);
    EXPECT_EQ(gUndo.Step(1).Description, "Analysepunkt setzen");
    EXPECT_TRUE(Logged("AddGraph(1)"));
    EXPECT_TRUE(Logged("RefreshAnalysisList()"));
    EXPECT_TRUE(host.IsEnabled("mAnsichtItem_2"));
}

TEST_F(AnalysisPointTest, OnlyOnAWireCellWithoutPointMark) {
    test::LayWire(15, 5, 15, 15); // crosses the wire at (15, 10)
    gGrid(15, 10).Punkt = kPointConnection;
    test::PlaceAnd(40, 20);
    const test::SheetState before = test::CaptureSheet();
    EXPECT_EQ(test::PlaceAnalysisPoint(5, 20), 0);  // empty
    EXPECT_EQ(test::PlaceAnalysisPoint(40, 20), 0); // element
    EXPECT_EQ(test::PlaceAnalysisPoint(15, 10), 0); // junction with a connection point
    EXPECT_EQ(test::CaptureSheet(), before);
    EXPECT_EQ(gUndo.Step(1).Description, "UND/ODER/X-ODER setzen");
}

TEST_F(AnalysisPointTest, LowestFreeNumberIsTaken) {
    for (int x : {3, 4, 5, 6})
        test::PlaceAnalysisPoint(x, 10); // 1, 2, 3, 4
    test::RemoveAt(5, 10);               // 3 is free again
    EXPECT_EQ(GetFreeAnalysepunktNr(), 3);
    test::PlaceAnalysisPoint(8, 10);
    EXPECT_EQ(NumberAt(8, 10), 3);
    test::PlaceAnalysisPoint(9, 10);
    EXPECT_EQ(NumberAt(9, 10), 5);
}

TEST_F(AnalysisPointTest, TheTenthPointIsRefusedWithAMessage) {
    for (int x = 3; x < 12; ++x)
        ASSERT_NE(test::PlaceAnalysisPoint(x, 10), 0);
    EXPECT_EQ(GetFreeAnalysepunktNr(), 0);
    const test::SheetState before = test::CaptureSheet();
    EXPECT_EQ(test::PlaceAnalysisPoint(20, 10), 0);
    EXPECT_EQ(test::CaptureSheet(), before);
    EXPECT_EQ(gAnzAnalysepunkte, 9);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Es können maximal 9 Analysepunkte gesetzt werden!");
    EXPECT_EQ(host.messages[0].title, "Analysepunkt");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
}

TEST_F(AnalysisPointTest, RemovalLeavesAPlainWireCell) {
    const CellRecord wire = gGrid(5, 10);
    test::PlaceAnalysisPoint(5, 10);
    test::RemoveAt(5, 10);
    EXPECT_EQ(gGrid(5, 10), wire);
    EXPECT_EQ(gAnzAnalysepunkte, 0);
    EXPECT_EQ(gAnzElemente, 0);
    EXPECT_EQ(gUndo.Step(1).Description, "Analysepunkt löschen");
    EXPECT_TRUE(Logged("RemoveGraph(1)"));
}

TEST_F(AnalysisPointTest, AnalyserMenuFollowsPointOne) {
    test::PlaceAnalysisPoint(5, 10); // 1
    test::PlaceAnalysisPoint(6, 10); // 2
    test::RemoveAt(5, 10);
    EXPECT_FALSE(host.IsEnabled("mAnsichtItem_2"));
    test::PlaceAnalysisPoint(7, 10); // gets 1 again
    EXPECT_TRUE(host.IsEnabled("mAnsichtItem_2"));
}

TEST_F(AnalysisPointTest, AnalyserMenuFollowsPointOneAfterUndo) {
    // Fault pinned: after an undo the menu entry was only disabled when no point at all was
    // left, so it stayed wrong whenever point 1 came or went with other points present.
    test::PlaceAnalysisPoint(5, 10); // 1
    test::PlaceAnalysisPoint(6, 10); // 2
    test::RemoveAt(5, 10);
    ASSERT_FALSE(host.IsEnabled("mAnsichtItem_2"));
    gUndo.Undo(); // point 1 is back
    EXPECT_TRUE(host.IsEnabled("mAnsichtItem_2"));
    EXPECT_EQ(gAnzAnalysepunkte, 2);
    EXPECT_TRUE(Logged("AddGraph(1)"));
    gUndo.Undo(); // takes point 2 away
    EXPECT_TRUE(host.IsEnabled("mAnsichtItem_2"));
    gUndo.Undo(); // takes point 1 away
    EXPECT_FALSE(host.IsEnabled("mAnsichtItem_2"));
    EXPECT_EQ(gAnzAnalysepunkte, 0);

    InitProgramState();
    test::LayWire(2, 10, 30, 10);
    test::PlaceAnalysisPoint(6, 10); // 1
    test::PlaceAnalysisPoint(7, 10); // 2
    test::RemoveAt(6, 10);           // only 2 left
    test::PlaceAnalysisPoint(5, 10); // 1 again
    gUndo.Undo();                    // 1 goes, 2 stays
    EXPECT_FALSE(host.IsEnabled("mAnsichtItem_2"));
}

TEST_F(AnalysisPointTest, UndoKeepsTheCountAndTheTraces) {
    test::PlaceAnalysisPoint(5, 10);
    test::PlaceAnalysisPoint(6, 10);
    host.log.clear();
    gUndo.Undo();
    EXPECT_EQ(gAnzAnalysepunkte, 1);
    EXPECT_TRUE(Logged("RemoveGraph(2)"));
    EXPECT_TRUE(Logged("RefreshAnalysisList()"));
    test::RemoveAt(5, 10);
    EXPECT_EQ(gAnzAnalysepunkte, 0);
    gUndo.Undo();
    EXPECT_EQ(gAnzAnalysepunkte, 1);
    EXPECT_EQ(NumberAt(5, 10), 1);
}

TEST_F(AnalysisPointTest, CountIsRightAfterUndoingAnAreaDeletion) {
    // The count is taken from the element list after every undo, so a step that removed several
    // points at once (the editor's area deletion) brings the count back too.
    test::PlaceAnalysisPoint(5, 10);
    test::PlaceAnalysisPoint(6, 10);
    gUndo.Delete = true;
    gUndo.NewUndoValue(4, 9, 7, 11, "Bereich löschen");
    DeleteElementRecord(2);
    DeleteElementRecord(1);
    gGrid(5, 10).Typ = gGrid(6, 10).Typ = kTypeWire;
    gGrid(5, 10).ElementNr = gGrid(6, 10).ElementNr = 0;
    gAnzAnalysepunkte = 0;
    gUndo.Undo();
    EXPECT_EQ(gAnzAnalysepunkte, 2);
    EXPECT_TRUE(Logged("AddGraph(2)"));
}

} // namespace
} // namespace kardo
