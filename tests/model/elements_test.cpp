// Element list: pin-list texts and the renumbering on removal.
#include "model/clock_tables.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/pin_points.h"
#include "model/sim_levels.h"
#include "support/core_fixture.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using ElementsTest = test::CoreFixture;

TEST(PinListTest, EntryText) {
    EXPECT_EQ(PinEntry(0, 5), "X0Y5:");
    EXPECT_EQ(PinEntry(12, 7) + PinEntry(12, 9), "X12Y7:X12Y9:");
}

struct ParseCase {
    const char* text;
    std::vector<GridPoint> points;
};

TEST(PinListTest, Parse) {
    const ParseCase cases[] = {
        {"", {}},
        {"X3Y4", {}},
        {"X12Y5:X12Y7:X15Y6:", {{12, 5}, {12, 7}, {15, 6}}},
        {"  X1Y2:  ", {{1, 2}}},
        {"X1Y2:X9", {{1, 2}}},
        {"X250Y0:", {{250, 0}}},
    };
    for (const auto& c : cases) {
        PinList list(c.text);
        EXPECT_EQ(std::vector<GridPoint>(list.Points().begin(), list.Points().end()), c.points)
            << c.text;
        EXPECT_EQ(list.Text(), c.text);
    }
}

TEST(PinListTest, AppendReparses) {
    PinList list;
    list += PinEntry(1, 1);
    list += PinEntry(2, 3);
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.Points()[1], (GridPoint{2, 3}));
}

void Place(std::uint8_t typ, int x, int y) {
    ElementRecord& e = AppendElement(typ);
    e.Eingaenge = PinEntry(x, y);
    gGrid(x, y).Typ = typ;
    gGrid(x, y).ElementNr = e.Nr;
}

TEST_F(ElementsTest, RemovingTheLastElementOnlyShortensTheList) {
    for (int i = 1; i <= 3; ++i)
        Place(kTypeSwitch, i * 3, 2);
    DeleteElementRecord(3);
    EXPECT_EQ(gAnzElemente, 2);
    EXPECT_EQ(gElements.size(), 3u);
    EXPECT_EQ(gGrid(3, 2).ElementNr, 1);
    EXPECT_EQ(gGrid(6, 2).ElementNr, 2);
    EXPECT_EQ(gGrid(9, 2).ElementNr, 3); // the caller clears the removed element's cells
}

TEST_F(ElementsTest, RemovingAMiddleElementRenumbersRecordsCellsAndPlacedIcs) {
    for (int i = 1; i <= 5; ++i)
        Place(i == 4 ? kTypeIC : kTypeSwitch, i * 3, 2);
    gICInstances.resize(3);
    gICInstanceMax = 2, gAnzICInstances = 2;
    gICInstances[1].ElementNr = 4, gICInstances[1].Tiefe = 0, gICInstances[1].Name = "A";
    gICInstances[2].ElementNr = 5, gICInstances[2].Tiefe = 1, gICInstances[2].Name = "B";

    ClearCell(9, 2);
    DeleteElementRecord(3);
    ASSERT_EQ(gAnzElemente, 4);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(gElements[static_cast<std::size_t>(i)].Nr, i);
    EXPECT_EQ(gElements[3].Typ, kTypeIC);
    EXPECT_EQ(gGrid(12, 2).ElementNr, 3);
    EXPECT_EQ(gGrid(15, 2).ElementNr, 4);
    EXPECT_EQ(gICInstances[1].ElementNr, 3);
    EXPECT_EQ(gICInstances[2].ElementNr, 5); // nested: refers to its own level
}

TEST_F(ElementsTest, RemovingBelowAClockRenumbersItsTableEntry) {
    Place(kTypeSwitch, 3, 2);
    Place(kTypeClock, 6, 2);
    ResizeClockTables(1);
    gTaktElement[1] = 2;
    DeleteElementRecord(1);
    EXPECT_EQ(gTaktElement[1], 1);

    // A clock removed below another clock leaves the table to the clock removal.
    Place(kTypeClock, 9, 2);
    ResizeClockTables(2);
    gTaktElement[2] = 2;
    DeleteElementRecord(1);
    EXPECT_EQ(gTaktElement[1], 1);
    EXPECT_EQ(gTaktElement[2], 2);
}

TEST_F(ElementsTest, PinPointsComeFromTheWorksheetOrTheLevel) {
    Place(kTypeSwitch, 3, 2);
    GetInputPoints(1, 0);
    ASSERT_EQ(gAnzEingangsPunkte, 1);
    EXPECT_EQ(gEingangsPunkte[0], (GridPoint{3, 2}));
    EXPECT_EQ(gEingangsPunkte[20], (GridPoint{}));

    // Element 0 leaves the list as it was.
    GetInputPoints(0, 0);
    EXPECT_EQ(gAnzEingangsPunkte, 1);

    // Powered: level 1's own element 1 is read.
    gPowerOn = true;
    gLevels.resize(2);
    gLevels[1].Elemente.resize(2);
    gLevels[1].Elemente[1].Eingaenge = PinEntry(7, 8) + PinEntry(7, 9);
    GetInputPoints(1, 1);
    ASSERT_EQ(gAnzEingangsPunkte, 2);
    EXPECT_EQ(gEingangsPunkte[1], (GridPoint{7, 9}));
}

TEST_F(ElementsTest, PinListsHoldMoreThanTwentyOnePoints) {
    ElementRecord& e = AppendElement(kTypeIC);
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += PinEntry(i, 1);
    e.Eingaenge = text;
    GetInputPoints(e.Nr, 0);
    ASSERT_EQ(gAnzEingangsPunkte, 30);
    EXPECT_EQ(gEingangsPunkte[29], (GridPoint{29, 1}));
}

} // namespace
} // namespace kardo
