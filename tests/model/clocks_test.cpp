// Clock generators: the clock tables and the timer array Timer2 in step with the element list
// through placing, removing, the kept clock text and undo.
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/placement.h"
#include "model/undo.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using ClocksTest = test::CoreFixture;

// The settings of one clock-table entry and its timer.
struct ClockEntry {
    std::int16_t element;
    std::int16_t high;
    std::int16_t low;
    std::int16_t link;
    std::uint8_t pulses;
    std::int16_t output;
    int interval;
    bool operator==(const ClockEntry&) const = default;
};

std::ostream& operator<<(std::ostream& os, const ClockEntry& e) {
    return os << "{element " << e.element << ", " << e.high << "/" << e.low << " ms, link "
              << e.link << ", pulses " << int{e.pulses} << ", output " << e.output << ", interval "
              << e.interval << "}";
}

std::vector<ClockEntry> Entries() {
    std::vector<ClockEntry> out;
    for (int i = 0; i <= Timer2().UBound(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        out.push_back({gTaktElement.at(at), gTaktZeit1.at(at), gTaktZeit0.at(at), gTaktLink.at(at),
                       gAnzTakte.at(at), gTaktAusgang.at(at), Timer2()[i].Interval()});
    }
    return out;
}

void SetEntry(int i, std::int16_t high, std::int16_t low, bool link, std::uint8_t pulses,
              bool output) {
    const auto at = static_cast<std::size_t>(i);
    gTaktZeit1[at] = high;
    gTaktZeit0[at] = low;
    gTaktLink[at] = TruthValue(link);
    gAnzTakte[at] = pulses;
    gTaktAusgang[at] = TruthValue(output);
    Timer2()[i].SetInterval(high);
}

void ExpectTablesSized(int ub) {
    EXPECT_EQ(Timer2().UBound(), ub);
    const auto n = static_cast<std::size_t>(ub) + 1;
    EXPECT_EQ(gTaktElement.size(), n);
    EXPECT_EQ(gTaktZeit1.size(), n);
    EXPECT_EQ(gTaktZeit0.size(), n);
    EXPECT_EQ(gTaktLink.size(), n);
    EXPECT_EQ(gAnzTakte.size(), n);
    EXPECT_EQ(gTaktZaehler.size(), n);
    EXPECT_EQ(gTaktAusgang.size(), n);
}

TEST_F(ClocksTest, StartState) {
    ExpectTablesSized(0);
    EXPECT_EQ(Entries(), (std::vector<ClockEntry>{{0, 500, 500, kTrue, 1, kFalse, 0}}));
    EXPECT_EQ(gAnzTaktgeber, 0);
}

TEST_F(ClocksTest, FirstClockUsesTimerZeroAndLaterOnesLoadTimers) {
    ASSERT_EQ(test::PlaceClock(5, 5), 1);
    ExpectTablesSized(0);
    EXPECT_EQ(Entries(), (std::vector<ClockEntry>{{1, 1000, 1000, kTrue, 1, kFalse, 0}}));
    EXPECT_EQ(gAnzTaktgeber, 1);

    ASSERT_EQ(test::PlaceBlockKind(kTypeHalfAdder, 12, 5), 2);
    ASSERT_EQ(test::PlaceClock(20, 5, kDown), 3);
    ExpectTablesSized(1);
    EXPECT_EQ(gTaktElement[1], 3);
    EXPECT_EQ(gTaktZeit1[1], 1000);
    EXPECT_EQ(gAnzTakte[1], 1);
    EXPECT_EQ(gAnzTaktgeber, 2);
    EXPECT_EQ(clock.ActiveTimers(), 0) << "placing does not start a timer";
}

TEST_F(ClocksTest, RemovingTheOnlyClockKeepsTimerZeroAndItsEntry) {
    ASSERT_EQ(test::PlaceClock(5, 5), 1);
    SetEntry(0, 300, 700, false, 4, false);
    ASSERT_TRUE(test::RemoveBlockAt(5, 5));
    ExpectTablesSized(0);
    EXPECT_EQ(gAnzTaktgeber, 0);
    EXPECT_EQ(gTaktZeit1[0], 300);
    EXPECT_EQ(gAnzTakte[0], 4);
}

// Builds clocks 0, 1, 2 on elements 5, 8 and 12 with half adders between them, each clock with
// its own settings and timer interval.
void ThreeClocks() {
    int x = 1;
    const auto next = [&x]() {
        const int at = x;
        x += 5;
        return at;
    };
    for (int e = 1; e <= 12; ++e) {
        const int at = next();
        const int y = at > 40 ? 12 : 3;
        const int col = at > 40 ? at - 40 : at;
        const bool clockHere = e == 5 || e == 8 || e == 12;
        ASSERT_EQ(
            clockHere ? test::PlaceClock(col, y) : test::PlaceBlockKind(kTypeHalfAdder, col, y), e);
    }
    SetEntry(0, 100, 100, true, 1, false);
    SetEntry(1, 200, 250, false, 3, true);
    SetEntry(2, 300, 350, true, 7, false);
}

TEST_F(ClocksTest, RemovingAMiddleClockClosesTheGapAndUndoBringsItBack) {
    ThreeClocks();
    const std::vector<ClockEntry> before = Entries();
    ASSERT_EQ(before.size(), 3u);
    ASSERT_EQ(before[1].element, 8);
    const Grid gridBefore = gGrid;
    const std::vector<ElementRecord> elementsBefore = gElements;
    gAktTakt = 2;

    const GridPoint out = gElements[8].Ausgaenge.Points()[0];
    ASSERT_TRUE(test::RemoveBlockAt(out.x, out.y));
    ExpectTablesSized(1);
    EXPECT_EQ(Entries(), (std::vector<ClockEntry>{{5, 100, 100, kTrue, 1, kFalse, 100},
                                                  {11, 300, 350, kTrue, 7, kFalse, 300}}));
    EXPECT_EQ(gElements[11].Typ, kTypeClock);
    EXPECT_EQ(gAnzTaktgeber, 2);
    EXPECT_EQ(gAktTakt, 0);
    // The undo step keeps the record with the kept clock text.
    const UndoStep& step = gUndo.Step(1);
    ASSERT_EQ(step.ElementCount, 1);
    EXPECT_EQ(step.Elements[1].Text, "1;200;250;0;3;-1;200;");

    gUndo.Undo();
    EXPECT_EQ(Entries(), before);
    EXPECT_EQ(gAnzTaktgeber, 3);
    EXPECT_EQ(gGrid, gridBefore);
    EXPECT_EQ(gElements, elementsBefore) << "the kept text is gone once the clock is back";
}

TEST_F(ClocksTest, RemovingAnElementBelowAClockRenumbersItsEntry) {
    ThreeClocks();
    ASSERT_TRUE(test::RemoveBlockAt(1, 3)); // element 1, a half adder
    EXPECT_EQ(gTaktElement, (std::vector<std::int16_t>{4, 7, 11}));
    gUndo.Undo();
    EXPECT_EQ(gTaktElement, (std::vector<std::int16_t>{5, 8, 12}));
}

TEST_F(ClocksTest, AClockBroughtBackAfterATriStateWentKeepsTheTableInStep) {
    // Fault pinned: a clock brought back after a tri-state removal gave two entries one element.
    ASSERT_EQ(test::PlaceTriState(30, 20, kRight), 1);
    ASSERT_EQ(test::PlaceClock(5, 5), 2);
    ASSERT_EQ(test::PlaceClock(5, 12), 3);
    const GridPoint out = gElements[2].Ausgaenge.Points()[0];
    ASSERT_TRUE(test::RemoveBlockAt(out.x, out.y)); // its step keeps it as element 2, clock 0
    ASSERT_TRUE(test::RemoveAt(31, 20));            // no step: the other clock is element 1
    ASSERT_EQ(gTaktElement, (std::vector<std::int16_t>{1}));
    gUndo.Undo();
    EXPECT_EQ(gElements[2].Typ, kTypeClock);
    EXPECT_EQ(gTaktElement, (std::vector<std::int16_t>{1, 2}));
}

TEST_F(ClocksTest, UndoOfAPlacingTakesTheClockAway) {
    ThreeClocks();
    const std::vector<ClockEntry> three = Entries();
    ASSERT_EQ(test::PlaceClock(30, 20, kUp), 13);
    ExpectTablesSized(3);
    gUndo.Undo();
    EXPECT_EQ(gAnzElemente, 12);
    EXPECT_EQ(gAnzTaktgeber, 3);
    EXPECT_EQ(Entries(), three);
}

TEST_F(ClocksTest, KeptClockTextFields) {
    ASSERT_EQ(test::PlaceClock(5, 5), 1);
    ASSERT_EQ(test::PlaceClock(15, 5), 2);
    SetEntry(1, 250, 750, false, 3, true);
    Timer2()[1].SetInterval(750);
    std::int16_t clockNr = 1;
    UnloadTimer(clockNr);
    EXPECT_EQ(gElements[2].Text, "1;250;750;0;3;-1;750;");
    ExpectTablesSized(0);
    EXPECT_EQ(gAnzTaktgeber, 1);

    std::int16_t elementNr = 2;
    LoadTimer(elementNr);
    ExpectTablesSized(1);
    EXPECT_EQ(Entries()[1], (ClockEntry{2, 250, 750, kFalse, 3, kTrue, 750}));
    EXPECT_EQ(gElements[2].Text, "");
    EXPECT_EQ(gAnzTaktgeber, 2);
}

TEST_F(ClocksTest, LoadTimerRoundsTheFields) {
    ASSERT_EQ(test::PlaceClock(5, 5), 1);
    std::int16_t clockNr = 0;
    UnloadTimer(clockNr);
    gElements[1].Text = "0;2.5;3.5;7;300;1;40.5;";
    std::int16_t elementNr = 1;
    LoadTimer(elementNr);
    EXPECT_EQ(Entries()[0], (ClockEntry{1, 2, 4, kTrue, 255, kTrue, 40}));
}

// Undo of an area deletion wrote every clock of the sheet back through LoadTimer although none
// had been taken away, so each clock got a second table entry and timer.
TEST_F(ClocksTest, UndoOfAnAreaDeletionDoesNotDuplicateClocks) {
    ASSERT_EQ(test::PlaceBlockKind(kTypeHalfAdder, 2, 3), 1);
    ASSERT_EQ(test::PlaceClock(10, 3), 2);
    ASSERT_EQ(test::PlaceClock(20, 3), 3);
    // A clock removed and brought back once before, so its record went through LoadTimer.
    ASSERT_TRUE(test::RemoveBlockAt(20, 3));
    gUndo.Undo();
    const std::vector<ClockEntry> before = Entries();
    ASSERT_EQ(before.size(), 2u);

    // The editor's area deletion of the half adder: a whole-field step, then the cut.
    gUndo.Delete = true;
    gUndo.NewUndoValue(1, 1, 6, 5, "Bereich löschen");
    ClearArea(2, 2, 5, 4);
    DeleteElementRecord(1);
    EXPECT_EQ(gTaktElement, (std::vector<std::int16_t>{1, 2}));

    gUndo.Undo();
    EXPECT_EQ(gAnzElemente, 3);
    EXPECT_EQ(gAnzTaktgeber, 2);
    ExpectTablesSized(1);
    EXPECT_EQ(gTaktZeit1, (std::vector<std::int16_t>{1000, 1000}));
}

// Undoing an area deletion restored the element numbers but left the clock table at the
// lowered numbers, so the clocks' entries pointed at the wrong elements.
TEST_F(ClocksTest, UndoOfAnAreaDeletionRestoresTheClockElementNumbers) {
    ASSERT_EQ(test::PlaceBlockKind(kTypeHalfAdder, 2, 3), 1);
    ASSERT_EQ(test::PlaceClock(10, 3), 2);
    ASSERT_EQ(test::PlaceClock(20, 3), 3);
    gUndo.Delete = true;
    gUndo.NewUndoValue(1, 1, 6, 5, "Bereich löschen");
    ClearArea(2, 2, 5, 4);
    DeleteElementRecord(1);
    ASSERT_EQ(gTaktElement, (std::vector<std::int16_t>{1, 2}));

    gUndo.Undo();
    EXPECT_EQ(gTaktElement, (std::vector<std::int16_t>{2, 3}));
    EXPECT_EQ(gElements[2].Typ, kTypeClock);
    EXPECT_EQ(gElements[3].Typ, kTypeClock);
}

// RemoveTimer took clock 0 when no table entry held the clock's element, so removing such a
// clock unloaded another clock's entry and settings.
TEST_F(ClocksTest, RemovingAClockWithoutEntryLeavesTheOthersAlone) {
    ASSERT_EQ(test::PlaceClock(5, 5), 1);
    ASSERT_EQ(test::PlaceClock(15, 5), 2);
    SetEntry(0, 111, 222, false, 5, false);
    SetEntry(1, 333, 444, true, 6, false);
    gTaktElement[1] = 0; // the entry of element 2 is lost
    const std::vector<ClockEntry> before = Entries();

    ASSERT_TRUE(test::RemoveBlockAt(15, 5));
    EXPECT_EQ(gAnzElemente, 1);
    EXPECT_EQ(Entries(), before);
    EXPECT_EQ(gAnzTaktgeber, 2);
    EXPECT_EQ(gElements[1].Text, "");
}

// The only clock's table entry outlives it; a clock placed next inherited its output level and
// burst counter.
TEST_F(ClocksTest, NewClockDoesNotInheritTheLevelOfARemovedOne) {
    ASSERT_EQ(test::PlaceClock(5, 5), 1);
    gTaktAusgang[0] = kTrue;
    gTaktZaehler[0] = 5;
    gTaktFlag.assign(1, kTrue);
    ASSERT_TRUE(test::RemoveBlockAt(5, 5));
    ASSERT_EQ(test::PlaceClock(5, 10), 1);
    EXPECT_EQ(gTaktAusgang[0], kFalse);
    EXPECT_EQ(gTaktZaehler[0], 0);
    EXPECT_EQ(gTaktFlag[0], kFalse);
}

// The clock count is a byte: a 256th clock wrapped it to 0 and left the tables and timers
// behind the count.
TEST_F(ClocksTest, A256thClockIsRefused) {
    CreateWorksheet(200, 40);
    int placed = 0;
    for (int y = 2; y <= 26 && placed < kMaxClocks; y += 4) {
        for (int x = 1; x <= 196 && placed < kMaxClocks; x += 5) {
            ASSERT_EQ(test::PlaceClock(x, y), placed + 1);
            ++placed;
        }
    }
    ASSERT_EQ(gAnzTaktgeber, 255);
    ExpectTablesSized(254);
    const Grid before = gGrid;
    const std::string lastStep = gUndo.Step(1).Description;
    const std::int16_t index = gUndo.CurrentIndex();

    EXPECT_EQ(test::PlaceClock(100, 34), 0);
    EXPECT_EQ(gAnzTaktgeber, 255);
    EXPECT_EQ(gAnzElemente, 255);
    ExpectTablesSized(254);
    EXPECT_EQ(gGrid, before);
    EXPECT_EQ(gUndo.CurrentIndex(), index);

    // Removing one makes room again.
    ASSERT_TRUE(test::RemoveBlockAt(1, 2));
    EXPECT_EQ(test::PlaceClock(100, 34), 255);
    EXPECT_EQ(gAnzTaktgeber, 255);
}

TEST_F(ClocksTest, LoadTimerWithoutKeptTextChangesNothing) {
    ASSERT_EQ(test::PlaceClock(5, 5), 1);
    const std::vector<ClockEntry> before = Entries();
    std::int16_t elementNr = 1;
    LoadTimer(elementNr);
    EXPECT_EQ(Entries(), before);
    EXPECT_EQ(gAnzTaktgeber, 1);
    gElements[1].Text = "0;1;2;"; // not the seven fields
    LoadTimer(elementNr);
    EXPECT_EQ(Entries(), before);
}

TEST_F(ClocksTest, UnloadTimerOfAMissingClockChangesNothing) {
    ASSERT_EQ(test::PlaceClock(5, 5), 1);
    ASSERT_EQ(test::PlaceClock(15, 5), 2);
    const std::vector<ClockEntry> before = Entries();
    std::int16_t clockNr = 2;
    UnloadTimer(clockNr);
    clockNr = -1;
    UnloadTimer(clockNr);
    EXPECT_EQ(Entries(), before);
    EXPECT_EQ(gAnzTaktgeber, 2);
}

TEST_F(ClocksTest, RenumberClockElementsFollowsTheElementList) {
    ThreeClocks();
    const std::vector<ClockEntry> before = Entries();
    gTaktElement = {4, 7, 11}; // as left by a deletion the whole-field undo took back
    RenumberClockElements();
    EXPECT_EQ(Entries(), before);

    // A list that does not hold exactly the counted clocks is left alone.
    gTaktElement = {4, 7, 11};
    gAnzTaktgeber = 2;
    RenumberClockElements();
    EXPECT_EQ(gTaktElement, (std::vector<std::int16_t>{4, 7, 11}));
}

TEST_F(ClocksTest, StartUpResetDropsTheTimers) {
    ASSERT_EQ(test::PlaceClock(5, 5), 1);
    ASSERT_EQ(test::PlaceClock(15, 5), 2);
    Timer2()[1].SetInterval(100);
    Timer2()[1].SetEnabled(true);
    EXPECT_EQ(clock.ActiveTimers(), 1);
    InitProgramState();
    EXPECT_EQ(clock.ActiveTimers(), 0);
    ExpectTablesSized(0);
    EXPECT_EQ(gAnzTaktgeber, 0);
}

} // namespace
} // namespace kardo
