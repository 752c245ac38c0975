// Undo history: recording, capacity, the linear history, renumbering, the menu entries.
#include "app/main_state.h"
#include "model/basic_elements.h"
#include "model/ic_instances.h"
#include "model/placement.h"
#include "model/undo.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using UndoTest = test::CoreFixture;

std::vector<std::string> Listed() {
    std::vector<std::string> lines;
    gUndo.ListUndos(lines);
    return lines;
}

bool EntriesEnabled(const test::FakeHost& host) {
    return host.IsEnabled("mUndo") && host.IsEnabled("mUndoList") && host.IsEnabled("cmdUndo") &&
           host.IsEnabled("cmdUndoList");
}
bool EntriesDisabled(const test::FakeHost& host) {
    return !host.IsEnabled("mUndo") && !host.IsEnabled("mUndoList") && !host.IsEnabled("cmdUndo") &&
           !host.IsEnabled("cmdUndoList");
}

TEST_F(UndoTest, CapacityThreeKeepsTheLastThreeSteps) {
    gUndo.SetUndos(3);
    const test::SheetState afterTwo = [] {
        test::PlaceAnd(5, 5);
        test::PlaceAnd(10, 5);
        return test::CaptureSheet();
    }();
    test::PlaceAnd(15, 5);
    test::PlaceAnd(20, 5);
    test::PlaceAnd(25, 5);
    ASSERT_EQ(gAnzElemente, 5);
    gUndo.Undo();
    gUndo.Undo();
    EXPECT_TRUE(EntriesEnabled(host));
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), afterTwo);
    EXPECT_TRUE(EntriesDisabled(host));
    EXPECT_EQ(host.Caption("mUndo"), "&Rückgängig: Nicht möglich");
    gUndo.Undo(); // nothing left
    EXPECT_EQ(test::CaptureSheet(), afterTwo);
}

TEST_F(UndoTest, RecordingAfterAnUndoThrowsTheHistoryAway) {
    test::PlaceAnd(5, 5);  // A
    test::PlaceAnd(10, 5); // B
    gUndo.Undo();          // B disappears
    EXPECT_EQ(gAnzElemente, 1);
    test::PlaceOr(15, 5); // C
    EXPECT_EQ(Listed(), std::vector<std::string>{"UND/ODER/X-ODER setzen (15,4 - 17,6)"});
    gUndo.Undo();
    EXPECT_EQ(gAnzElemente, 1);
    gUndo.Undo(); // A can no longer be taken back
    EXPECT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gElements[1].Typ, kTypeAnd);
}

// Only a mouse press marked the circuit changed, so a change made without one (or undone) could
// be lost at exit without the save question.
TEST_F(UndoTest, RecordingAndTakingBackAStepMarkTheCircuitChanged) {
    gUnveraendert = true;
    test::PlaceAnd(5, 5);
    EXPECT_FALSE(gUnveraendert);
    gUnveraendert = true;
    gUndo.Undo();
    EXPECT_FALSE(gUnveraendert);
    gUnveraendert = true;
    gUndo.Undo(); // nothing left to take back: nothing changes
    EXPECT_TRUE(gUnveraendert);
}

TEST_F(UndoTest, UndoOfARemovalPutsTheElementBackUnderItsOldNumber) {
    test::PlaceAnd(5, 5);  // 1
    test::PlaceOr(10, 5);  // 2
    test::PlaceXor(15, 5); // 3
    test::PlaceAnd(20, 5); // 4
    // An IC placed in the circuit refers to element 4, a nested one to its own level's element 4.
    gICInstances.resize(3);
    gICInstanceMax = 2;
    gICInstances[1].ElementNr = 4;
    gICInstances[1].Tiefe = 0;
    gICInstances[2].ElementNr = 4;
    gICInstances[2].Tiefe = 1;
    const test::SheetState before = test::CaptureSheet();

    test::RemoveAt(10, 5);
    EXPECT_EQ(gGrid(20, 5).ElementNr, 3);
    EXPECT_EQ(gICInstances[1].ElementNr, 3);
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), before);
    EXPECT_EQ(gElements[2].Typ, kTypeOr);
    EXPECT_EQ(gGrid(20, 5).ElementNr, 4);
    EXPECT_EQ(gGrid(15, 5).ElementNr, 3);
    EXPECT_EQ(gICInstances[1].ElementNr, 4);
    EXPECT_EQ(gICInstances[2].ElementNr, 4);
}

TEST_F(UndoTest, UndoOfAPlacingRemovesTheElement) {
    test::PlaceAnd(5, 5);
    const test::SheetState before = test::CaptureSheet();
    test::PlaceOr(10, 5);
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), before);
}

TEST_F(UndoTest, StepIsClampedToTheSheetInPlace) {
    std::int16_t x1 = -2, y1 = -1, x2 = 3, y2 = 4;
    gUndo.NewUndo(x1, y1, x2, y2, "Leitung(en) ziehen");
    EXPECT_EQ(x1, 0);
    EXPECT_EQ(y1, 0);
    EXPECT_EQ(x2, 3);
    EXPECT_EQ(y2, 4);
    const UndoStep& s = gUndo.Step(1);
    EXPECT_EQ(s.X1, 0);
    EXPECT_EQ(s.Y1, 0);
    EXPECT_EQ(s.Cells.UBoundX(), 3);
    EXPECT_EQ(s.Cells.UBoundY(), 4);
    std::int16_t a = 45, b = 25, c = 60, d = 40;
    gUndo.NewUndo(a, b, c, d, "x");
    EXPECT_EQ(c, 50);
    EXPECT_EQ(d, 30);
}

TEST_F(UndoTest, ReversedOrOutsideRectanglesAreNotRecorded) {
    gUndo.NoObjects = true;
    gUndo.NewUndoValue(5, 5, 4, 6, "x");
    EXPECT_TRUE(gUndo.NoUndoData());
    // Fault pinned: a flag set for a step that was not recorded must not reach the next step.
    EXPECT_FALSE(gUndo.NoObjects);
    // Fault pinned: a rectangle wholly left of the sheet became reversed after clamping and
    // gave a cell array of negative size.
    gUndo.NewUndoValue(-5, 2, -3, 4, "x");
    EXPECT_TRUE(gUndo.NoUndoData());
    gUndo.NewUndoValue(55, 2, 60, 4, "x");
    EXPECT_TRUE(gUndo.NoUndoData());
}

TEST_F(UndoTest, WholeFieldStepKeepsTheSheetAndListsIt) {
    test::PlaceAnd(5, 5);
    test::PlaceOr(30, 20);
    const test::SheetState before = test::CaptureSheet();
    std::int16_t x1 = 4, y1 = 3, x2 = 8, y2 = 7;
    gUndo.Delete = true;
    gUndo.NewUndo(x1, y1, x2, y2, "Bereich löschen");
    EXPECT_EQ(x1, 0);
    EXPECT_EQ(y1, 0);
    EXPECT_EQ(x2, 50);
    EXPECT_EQ(y2, 30);
    const UndoStep& s = gUndo.Step(1);
    EXPECT_EQ(s.Kind, kUndoWholeField);
    EXPECT_EQ(s.ReqX1, 4);
    EXPECT_EQ(s.ReqY2, 7);
    EXPECT_EQ(s.ElementCount, 2);
    EXPECT_EQ(Listed().front(), "Bereich löschen (0,0 - 50,30)");
    EXPECT_FALSE(gUndo.Delete);

    // The editor's area deletion: clear the gate in the area.
    ClearArea(5, 4, 7, 6);
    DeleteElementRecord(1);
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), before);
}

TEST_F(UndoTest, StepKindsAndCellsOnlySteps) {
    test::PlaceAnd(5, 5);
    gUndo.Move = true;
    gUndo.NewUndoValue(5, 4, 7, 6, "Objekt(e) verschieben");
    EXPECT_EQ(gUndo.Step(1).Kind, kUndoMove);
    EXPECT_EQ(gUndo.Step(1).ElementCount, 1);
    gUndo.Move = true;
    gUndo.Delete = true;
    gUndo.NewUndoValue(5, 4, 7, 6, "x");
    EXPECT_EQ(gUndo.Step(1).Kind, kUndoWholeField);
    gUndo.NoObjects = true;
    gUndo.NewUndoValue(5, 4, 7, 6, "Leitung(en) ziehen");
    EXPECT_EQ(gUndo.Step(1).Kind, kUndoNormal);
    EXPECT_EQ(gUndo.Step(1).ElementCount, 0);
    EXPECT_FALSE(gUndo.NoObjects || gUndo.Move || gUndo.Delete);
}

TEST_F(UndoTest, MoveStepWritesRecordsBackInPlace) {
    test::PlaceAnd(5, 5);
    const test::SheetState before = test::CaptureSheet();
    gUndo.Move = true;
    gUndo.NewUndoValue(5, 4, 10, 6, "Objekt(e) verschieben");
    // The editor moves the gate three columns to the right.
    ClearArea(5, 4, 7, 6);
    MarkArea({8, 4, 10, 6}, kTypeAnd, 1);
    gElements[1].Eingaenge = "X8Y4:X8Y6:";
    gElements[1].Ausgaenge = "X10Y5:";
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), before);
}

TEST_F(UndoTest, UndosIsKeptWithinOneAndTwoHundred) {
    gUndo.SetUndos(0);
    EXPECT_EQ(gUndo.Undos(), 1);
    gUndo.SetUndos(500);
    EXPECT_EQ(gUndo.Undos(), 200);
    gUndo.SetUndos(201);
    EXPECT_EQ(gUndo.Undos(), 200);
    gUndo.SetUndos(37);
    EXPECT_EQ(gUndo.Undos(), 37);
}

TEST_F(UndoTest, ShrinkingTheDepthBelowTheCurrentStepDoesNotReadPastTheHistory) {
    // Fault pinned: with the current index beyond the new capacity, Undo and NoUndoData read
    // steps past the end of the history.
    for (int i = 0; i < 5; ++i)
        test::PlaceAnd(5 + 5 * i, 5);
    for (int i = 0; i < 4; ++i)
        gUndo.Undo();
    ASSERT_EQ(gUndo.CurrentIndex(), 5);
    gUndo.SetUndos(2);
    EXPECT_EQ(gUndo.CurrentIndex(), 3);
    EXPECT_FALSE(gUndo.NoUndoData());
    const test::SheetState before = test::CaptureSheet();
    gUndo.Undo();
    EXPECT_EQ(test::CaptureSheet(), before);
    EXPECT_TRUE(EntriesDisabled(host));
    EXPECT_TRUE(Listed().empty());
    // Growing again keeps what fits; a new step starts a fresh history.
    gUndo.SetUndos(10);
    test::PlaceOr(5, 20);
    EXPECT_EQ(Listed().size(), 1u);
}

TEST_F(UndoTest, AStepAtCellZeroZeroIsARealStep) {
    // Fault pinned: the rectangle 0,0-0,0 was taken as the mark of an empty step, so a step
    // for cell (0, 0) could not be taken back.
    gGrid(0, 0).Typ = kTypeWire;
    gGrid(0, 0).Rechts = kTrue;
    gUndo.NoObjects = true;
    gUndo.NewUndoValue(0, 0, 0, 0, "Leitung(en) löschen");
    gGrid(0, 0) = CellRecord{};
    EXPECT_FALSE(gUndo.NoUndoData());
    EXPECT_EQ(Listed(), std::vector<std::string>{"Leitung(en) löschen (0,0 - 0,0)"});
    gUndo.Undo();
    EXPECT_EQ(gGrid(0, 0).Typ, kTypeWire);
    EXPECT_EQ(gGrid(0, 0).Rechts, kTrue);
}

TEST_F(UndoTest, ListUndosFromTheCurrentStepNewestFirst) {
    std::int16_t x1 = 4, y1 = 5, x2 = 7, y2 = 7;
    gUndo.NewUndo(x1, y1, x2, y2, "Halbaddierer setzen");
    EXPECT_EQ(Listed(), std::vector<std::string>{"Halbaddierer setzen (4,5 - 7,7)"});
    gUndo.NewUndoValue(1, 2, 3, 4, "Diode setzen");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Diode setzen (1,2 - 3,4)",
                                                  "Halbaddierer setzen (4,5 - 7,7)"}));
    gUndo.Undo();
    EXPECT_EQ(Listed(), std::vector<std::string>{"Halbaddierer setzen (4,5 - 7,7)"});
}

TEST_F(UndoTest, MenuEntriesFollowTheHistory) {
    test::PlaceAnd(5, 5);
    EXPECT_TRUE(EntriesEnabled(host));
    EXPECT_EQ(host.Caption("mUndo"), "&Rückgängig: UND/ODER/X-ODER setzen");
    test::PlaceSwitch(20, 20); // refused: no wire there
    EXPECT_EQ(host.Caption("mUndo"), "&Rückgängig: UND/ODER/X-ODER setzen");
    test::LayWire(20, 20, 22, 20);
    test::PlaceSwitch(20, 20);
    EXPECT_EQ(host.Caption("mUndo"), "&Rückgängig: Schalter setzen");
    gUndo.Undo();
    EXPECT_EQ(host.Caption("mUndo"), "&Rückgängig: UND/ODER/X-ODER setzen");
    EXPECT_TRUE(EntriesEnabled(host));
    gUndo.DeleteUndoData(false);
    EXPECT_TRUE(EntriesDisabled(host));
    EXPECT_EQ(host.Caption("mUndo"), "&Rückgängig: Nicht möglich");
    EXPECT_EQ(gUndo.CurrentIndex(), 0);
    EXPECT_TRUE(gUndo.NoUndoData());
}

TEST_F(UndoTest, UndoClearsTheSelection) {
    test::PlaceAnd(5, 5);
    host.SetEnabled("mDelete", true);
    gUndo.Undo();
    EXPECT_FALSE(host.IsEnabled("mDelete"));
}

TEST_F(UndoTest, DeleteLastUndoDropsTheNewestStep) {
    gUndo.NewUndoValue(1, 1, 2, 2, "eins");
    gUndo.NewUndoValue(1, 1, 2, 2, "zwei");
    gUndo.NewUndoValue(1, 1, 2, 2, "drei");
    gUndo.DeleteLastUndo();
    EXPECT_EQ(Listed(), (std::vector<std::string>{"zwei (1,1 - 2,2)", "eins (1,1 - 2,2)"}));
    EXPECT_EQ(host.Caption("mUndo"), "&Rückgängig: zwei");
    gUndo.DeleteLastUndo();
    gUndo.DeleteLastUndo();
    EXPECT_TRUE(Listed().empty());
    EXPECT_TRUE(EntriesDisabled(host));
}

TEST_F(UndoTest, DeleteAllUndoEmptiesTheHistory) {
    test::PlaceAnd(5, 5);
    gUndo.DeleteAllUndo();
    EXPECT_EQ(gUndo.CurrentIndex(), 1);
    EXPECT_TRUE(gUndo.NoUndoData());
    EXPECT_TRUE(EntriesDisabled(host));
    gUndo.Undo();
    EXPECT_EQ(gAnzElemente, 1);
}

// Stand-in for the IC module's removal: records a step of its own (which must be ignored while
// the undo runs) and deletes the IC under the cursor.
bool gHookSawBusy = false;
void FakeRemoveIC() {
    gHookSawBusy = gUndo.Busy();
    gUndo.NewUndoValue(0, 0, 3, 3, "IC löschen");
    const std::int16_t n = gGrid(gCursorX, gCursorY).ElementNr;
    ClearArea(10, 10, 13, 12);
    DeleteElementRecord(n);
}

TEST_F(UndoTest, AnIcPlacedSinceTheStepGoesThroughTheIcModuleAndRecordsNothing) {
    gUndoRemoveIC = &FakeRemoveIC;
    gHookSawBusy = false;
    const test::SheetState before = test::CaptureSheet();
    ElementRecord* ic = PlaceBlock({10, 10, 13, 12}, kTypeIC, "IC setzen");
    ASSERT_NE(ic, nullptr);
    gUndo.Undo();
    gUndoRemoveIC = nullptr;
    EXPECT_TRUE(gHookSawBusy);
    EXPECT_EQ(test::CaptureSheet(), before);
    EXPECT_TRUE(Listed().empty()) << "the hook's own step was ignored";
}

} // namespace
} // namespace kardo
