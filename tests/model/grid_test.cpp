// Grid coordinate rules, cell clearing, extent searches and connection counts.
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/sim_levels.h"
#include "render/grafik.h"
#include "support/core_fixture.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using GridTest = test::CoreFixture;

struct PixelCase {
    float zoom;
    int cell;
    int pixel;
};

TEST_F(GridTest, GridToPixelRoundsHalfToEven) {
    const PixelCase cases[] = {
        {1.0f, 0, 7},  {1.0f, 3, 49}, {2.0f, 0, 14}, {0.6f, 0, 4}, // 4.2 -> 4
        {0.6f, 1, 13},                                             // 12.6 -> 13
        {2.5f, 0, 18},                                             // 17.5 -> 18 (even)
        {2.5f, 1, 52},                                             // 52.5 -> 52 (even)
        {1.5f, 0, 10},                                             // 10.5 -> 10 (even)
    };
    for (const auto& c : cases) {
        gGrafik.GridMode = c.zoom;
        EXPECT_EQ(GridToPixel(c.cell), c.pixel) << "zoom " << c.zoom << " cell " << c.cell;
    }
}

TEST_F(GridTest, PixelToGridAtZoomOne) {
    const std::pair<int, int> cases[] = {{0, 0},  {6, 0},  {13, 0}, {14, 0}, {21, 1},
                                         {28, 2}, {35, 2}, {42, 2}, {49, 3}};
    for (auto [pixel, cell] : cases)
        EXPECT_EQ(PixelToGrid(pixel), cell) << "pixel " << pixel;
}

TEST_F(GridTest, WorksheetHasGuardFrame) {
    EXPECT_EQ(gFeldBreite, 50);
    EXPECT_EQ(gFeldHoehe, 30);
    EXPECT_EQ(gGrid.UBoundX(), 51);
    EXPECT_EQ(gGrid.UBoundY(), 31);
    CreateWorksheet(7, 4);
    EXPECT_EQ(gGrid.UBoundX(), 8);
    EXPECT_EQ(gGrid.UBoundY(), 5);
}

TEST_F(GridTest, ClearCellKeepsLevelsAndClearsIcFieldsOnlyOnIcPins) {
    CellRecord full;
    full.Pegel = -1, full.Typ = 20, full.Links = full.Oben = full.Rechts = full.Unten = -1;
    full.Punkt = -1, full.ICPin = 3, full.ElementNr = 4, full.ICLevel = 2;
    full.PegelH = -1, full.PegelV = -1, full.Verzoegerung = 5;
    gGrid(3, 3) = full;
    ClearCell(3, 3);
    CellRecord expected;
    expected.Pegel = -1, expected.PegelH = -1, expected.PegelV = -1, expected.Verzoegerung = 5;
    EXPECT_EQ(gGrid(3, 3), expected);

    // Not an IC pin (ICLevel 0): a stray pin number stays.
    gGrid(4, 4).ICPin = 7;
    gGrid(4, 4).Typ = 1;
    ClearCell(4, 4);
    EXPECT_EQ(gGrid(4, 4).ICPin, 7);
    EXPECT_EQ(gGrid(4, 4).Typ, 0);
}

// Lays element n of type t over the columns x1..x2 of row y with its first input at (x1, y).
void PlaceBar(int x1, int x2, int y) {
    ElementRecord& e = AppendElement(kTypeAnd);
    e.Eingaenge = PinEntry(x1, y);
    for (int x = x1; x <= x2; ++x) {
        gGrid(x, y).Typ = kTypeAnd;
        gGrid(x, y).ElementNr = e.Nr;
    }
}

TEST_F(GridTest, ExtentSearches) {
    PlaceBar(5, 8, 10);
    EXPECT_EQ(SearchElementStartX(1), 5);
    EXPECT_EQ(SearchElementEndX(1), 8);
    EXPECT_EQ(SearchElementStartY(1), 10);
    EXPECT_EQ(SearchElementEndY(1), 10);
    gCursorX = 17, gCursorY = 9;
    EXPECT_EQ(SearchElementStartX(0), 17);
    EXPECT_EQ(SearchElementEndX(0), 17);
    EXPECT_EQ(SearchElementStartY(0), 9);
    EXPECT_EQ(SearchElementEndY(0), 9);
}

TEST_F(GridTest, ExtentSearchAtTheSheetEdges) {
    PlaceBar(0, 2, 3);
    EXPECT_EQ(SearchElementStartX(1), 0);
    // Regression: an element reaching column W used to give an end column of 0.
    PlaceBar(gFeldBreite, gFeldBreite, 5);
    EXPECT_EQ(SearchElementEndX(2), gFeldBreite);
    EXPECT_EQ(SearchElementStartX(2), gFeldBreite);
}

TEST_F(GridTest, IsElementConnectionFindsInputsAndOutputs) {
    ElementRecord& e = AppendElement(kTypeInverter);
    e.Eingaenge = PinEntry(4, 4);
    e.Ausgaenge = PinEntry(6, 4);
    for (int x = 4; x <= 6; ++x)
        gGrid(x, 4).ElementNr = e.Nr, gGrid(x, 4).Typ = kTypeInverter;
    EXPECT_TRUE(IsElementConnection(4, 4));
    EXPECT_FALSE(IsElementConnection(5, 4));
    EXPECT_TRUE(IsElementConnection(6, 4));
    EXPECT_FALSE(IsElementConnection(9, 9));
}

TEST_F(GridTest, CountConnections) {
    gGrid(2, 2).Links = gGrid(2, 2).Rechts = -1;
    EXPECT_EQ(CountConnections(2, 2), 2);
    gGrid(2, 2).Oben = gGrid(2, 2).Unten = -1;
    EXPECT_EQ(CountConnections(2, 2), 4);

    gPowerOn = true;
    gLevels.resize(2);
    gLevels[1].MaxX = 3, gLevels[1].MaxY = 3;
    gLevels[1].Feld.Create(4, 4);
    gLevels[1].Feld(1, 1).Links = -1;
    EXPECT_EQ(CountConnections(1, 1, 1), 1);
    EXPECT_EQ(CountConnections(4, 1, 1), 0); // beyond the level's width
    EXPECT_EQ(CountConnections(1, 9, 1), 0);
}

} // namespace
} // namespace kardo
