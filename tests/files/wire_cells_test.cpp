// RestoreJumps, the wire cells rebuilt from the stored run ends, and the wire cells the writer
// stores itself.
#include "editor/line_runs.h"
#include "files/circuit_document.h"
#include "files/circuit_file.h"
#include "files/circuit_writer.h"
#include "model/grid.h"
#include "support/core_fixture.h"

#include <string>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using RestoreJumpsTest = test::CoreFixture;

// A run whose end is its own first cell is a wire cell of its own: a stored wire end that
// meets an element, without flags towards the neighbours.
TEST_F(RestoreJumpsTest, OneCellRunBecomesAWireCellWithoutFlags) {
    struct Case {
        bool horizontal;
        int x, y;
    };
    for (const Case c : {Case{true, 5, 5}, Case{false, 7, 3}, Case{true, 20, 2}}) {
        CreateWorksheet(20, 10);
        gLineRuns.Dim(gFeldBreite, gFeldHoehe);
        LineRunRecord& run = gLineRuns(c.x, c.y);
        (c.horizontal ? run.EndX : run.EndY) = static_cast<std::int16_t>(c.horizontal ? c.x : c.y);
        RestoreJumps();
        const CellRecord& cell = gGrid(c.x, c.y);
        EXPECT_EQ(cell.Typ, kTypeWire) << c.x << "," << c.y;
        EXPECT_EQ(WireFlagCount(cell), 0) << c.x << "," << c.y;
        EXPECT_EQ(c.horizontal ? gLineRuns(c.x, c.y).VisitedH : gLineRuns(c.x, c.y).VisitedV,
                  kTrue);
    }
}

TEST_F(RestoreJumpsTest, LongerRunsJoinTheirCells) {
    CreateWorksheet(20, 10);
    gLineRuns.Dim(gFeldBreite, gFeldHoehe);
    gLineRuns(2, 4).EndX = 5;
    gLineRuns(8, 1).EndY = 3;
    RestoreJumps();
    EXPECT_EQ(gGrid(2, 4).Rechts, kTrue);
    EXPECT_EQ(gGrid(2, 4).Links, 0);
    EXPECT_EQ(WireFlagCount(gGrid(3, 4)), 2);
    EXPECT_EQ(gGrid(5, 4).Links, kTrue);
    EXPECT_EQ(gGrid(5, 4).Rechts, 0);
    EXPECT_EQ(gGrid(6, 4).Typ, kTypeEmpty);
    EXPECT_EQ(gGrid(8, 1).Unten, kTrue);
    EXPECT_EQ(gGrid(8, 3).Oben, kTrue);
    EXPECT_EQ(gGrid(8, 4).Typ, kTypeEmpty);
}

} // namespace
} // namespace kardo

namespace kardo {
namespace {

// Which cells the writer stores in [Punkte]: elements, marked wire cells and the wire cells of
// an IC's pins (their level names the instance), but not plain wire cells, which the run
// section rebuilds.
TEST(StoredCellTest, WireCellsAreStoredOnlyWithAMarkOrAnICLevel) {
    struct Case {
        const char* name;
        CellRecord cell;
        bool stored;
    };
    CellRecord wire;
    wire.Typ = kTypeWire;
    wire.Links = wire.Rechts = kTrue;
    CellRecord point = wire;
    point.Punkt = kPointConnection;
    CellRecord icLevel = wire;
    icLevel.ICLevel = 2;
    CellRecord icPinOnly = wire;
    icPinOnly.ICPin = 3;
    CellRecord led;
    led.Typ = kTypeLed;
    CellRecord empty;
    const Case cases[] = {{"plain wire", wire, false}, {"connection point", point, true},
                          {"IC level", icLevel, true}, {"IC pin alone", icPinOnly, false},
                          {"element", led, true},      {"empty", empty, false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsStoredCell(c.cell), c.stored) << c.name;

    CircuitDocument doc;
    doc.FeldBreite = 10;
    doc.FeldHoehe = 5;
    doc.Cells.Create(11, 6);
    doc.Elements.assign(1, ElementRecord{});
    doc.Cells(4, 2) = icLevel;
    doc.Cells(5, 2) = wire;
    std::string text;
    WriteCircuitText(doc, text);
    EXPECT_NE(text.find("4;2;1;-1;-1;0;0;0;0;0;2;"), std::string::npos) << text;
    EXPECT_EQ(text.find("5;2;1;"), std::string::npos) << text;
}

} // namespace
} // namespace kardo
