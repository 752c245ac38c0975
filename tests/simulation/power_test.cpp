// Switching on and off: level 0, the power-on checks, the reset of every level, the clocks, and
// switching during a step-delayed check pass.
#include "circuit_test_util.h"
#include "ic/levels.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/ic_instances.h"
#include "model/utilities.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"
#include "support/block_builder.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::LayWire;
using test::LedLine;
using test::SwitchLine;
using PowerTest = test::CircuitFixture;

bool AllSheetLevelsLow() {
    for (int x = 0; x <= gGrid.UBoundX(); ++x)
        for (int y = 0; y <= gGrid.UBoundY(); ++y) {
            const CellRecord& c = gGrid(x, y);
            if (c.Pegel != 0 || c.PegelH != 0 || c.PegelV != 0)
                return false;
        }
    return true;
}

TEST_F(PowerTest, SwitchingOnCopiesTheWorksheetIntoLevelZero) {
    SwitchLine(2, 5, 6);
    ASSERT_NE(test::PlaceAnd(6, 6), 0);
    LedLine(8, 6, 11);
    const Grid sheet = gGrid;
    PowerOn();
    const SimLevelRecord& l0 = gLevels[0];
    EXPECT_EQ(l0.MaxX, gFeldBreite);
    EXPECT_EQ(l0.MaxY, gFeldHoehe);
    EXPECT_EQ(l0.Feld.UBoundX(), gFeldBreite + 1);
    EXPECT_EQ(l0.Feld.UBoundY(), gFeldHoehe + 1);
    EXPECT_EQ(l0.AnzElemente, gAnzElemente);
    ASSERT_EQ(l0.Elemente.size(), gElements.size());
    for (std::size_t i = 1; i < gElements.size(); ++i)
        EXPECT_EQ(l0.Elemente[i], gElements[i]);
    for (int x = 0; x <= gFeldBreite; ++x)
        for (int y = 0; y <= gFeldHoehe; ++y) {
            CellRecord live = l0.Feld(x, y);
            live.Pegel = live.PegelH = live.PegelV = 0;
            EXPECT_EQ(live, sheet(x, y)) << x << "," << y;
        }
    EXPECT_TRUE(gPowerOn);
    EXPECT_EQ(gMouseMode, kToolPowered);
    EXPECT_EQ(host.pointer, kPointerCustom);
    EXPECT_EQ(host.changeGuiCalls, std::vector<bool>{false});
    EXPECT_EQ(host.Caption("cmdPause"), "&Pause");
    EXPECT_EQ(host.Caption("lblOnOff"), "Bereit");
    EXPECT_TRUE(host.IsVisible("picGrün"));
    EXPECT_FALSE(host.IsVisible("picRot"));
    EXPECT_EQ(gCurLevel, 0);
    EXPECT_EQ(gSimLevel, 0);
}

TEST_F(PowerTest, EmptyCellsGetAWhiteCentrePixel) {
    PowerOn();
    int white = 0;
    for (const DrawCall& c : screen.CallsOf(DrawOp::PSet))
        if (c.color == Rgb(255, 255, 255))
            ++white;
    EXPECT_EQ(white, (gFeldBreite + 1) * (gFeldHoehe + 1));
}

TEST_F(PowerTest, InverterWithAnOpenInputDrivesItsOutputHigh) {
    ASSERT_NE(test::PlaceInverter(4, 5), 0);
    LedLine(5, 5, 9);
    PowerOn();
    EXPECT_EQ(Live(5, 5), 1);
    EXPECT_EQ(gLevels[0].Feld(5, 5).PegelH, kTrue);
    EXPECT_EQ(Live(9, 5), 1);
}

TEST_F(PowerTest, GateWithANegatedOutputAndOpenInputsIsHigh) {
    for (const std::uint8_t typ : {kTypeAnd, kTypeOr, kTypeXor}) {
        InitProgramState();
        ASSERT_NE(test::PlaceGate(typ, 6, 6, kRight, 2), 0);
        ASSERT_TRUE(test::Negate(8, 6));
        LedLine(8, 6, 12);
        PowerOn();
        EXPECT_EQ(Live(12, 6), 1) << int{typ};
        PowerOff();
    }
}

TEST_F(PowerTest, NandFeedingNandSettles) {
    ASSERT_NE(test::PlaceAnd(6, 6), 0);
    ASSERT_TRUE(test::Negate(8, 6));
    ASSERT_NE(test::PlaceAnd(12, 6), 0);
    ASSERT_TRUE(test::Negate(14, 6));
    LayWire(8, 6, 10, 6);
    LayWire(10, 6, 10, 5);
    LayWire(10, 5, 12, 5);
    ASSERT_TRUE(test::Negate(12, 7)); // the second input open but negated: high
    LedLine(14, 6, 18);
    PowerOn();
    // The first NAND's open inputs give high; the second gets high and high and gives low.
    EXPECT_EQ(Live(8, 6), 1);
    EXPECT_EQ(Live(12, 5), 1);
    EXPECT_EQ(Live(18, 6), 0);
}

TEST_F(PowerTest, CircuitWithoutIcsIsOneSweep) {
    EXPECT_EQ(LowestLevel(), 1);
    gICInstances.resize(4);
    gICInstanceMax = 3;
    gICInstances[1].Tiefe = 0;
    gICInstances[2].Tiefe = 2;
    gICInstances[3].Tiefe = 1;
    EXPECT_EQ(LowestLevel(), 3);
}

TEST_F(PowerTest, SwitchingOffClearsEveryLevelAndStopsTheClocks) {
    ASSERT_NE(test::PlaceClock(20, 10), 0);
    ASSERT_NE(test::PlaceClock(20, 20), 0);
    SwitchLine(2, 5, 9);
    ASSERT_NE(test::PlaceLed(9, 5), 0);
    PowerOn();
    Click(2, 5);
    for (int i = 0; i <= Timer2().UBound(); ++i) {
        Timer2()[i].SetInterval(100);
        Timer2()[i].SetEnabled(true);
        Timer2()[i].Tag = "Dauertakt";
    }
    ASSERT_EQ(gGrid(2, 5).Pegel, kTrue); // the click also marks the worksheet's switch
    PowerOff();
    EXPECT_FALSE(gPowerOn);
    EXPECT_TRUE(AllSheetLevelsLow());
    ASSERT_EQ(Timer2().UBound(), 1);
    for (int i = 0; i <= Timer2().UBound(); ++i) {
        EXPECT_FALSE(Timer2()[i].Enabled()) << i;
        EXPECT_EQ(Timer2()[i].Tag, "Stop") << i;
    }
    EXPECT_EQ(gLevels[0].Feld.UBoundX(), 0);
    EXPECT_EQ(gLevels[0].Feld.UBoundY(), 0);
    EXPECT_EQ(gLevels[0].Elemente.size(), 1u);
    EXPECT_EQ(gMouseMode, kToolSelect);
    EXPECT_EQ(host.pointer, 1);
    EXPECT_EQ(host.changeGuiCalls, (std::vector<bool>{false, true}));
    EXPECT_FALSE(gAusschalten);
    EXPECT_EQ(QueueCount(1) + QueueCount(2), 0);
}

TEST_F(PowerTest, SwitchingOffClearsTheLevelsOfIcInstancesAndTrimsTheirPins) {
    PowerOn();
    gLevels.resize(2);
    SimLevelRecord& ic = gLevels[1];
    ic.Name = "Zaehler.icd";
    ic.Feld.Create(6, 6);
    ic.MaxX = ic.MaxY = 5;
    ic.Feld(3, 3).Pegel = ic.Feld(3, 3).PegelH = ic.Feld(3, 3).PegelV = kTrue;
    ic.Feld(3, 3).Verzoegerung = 4;
    gICInstances.resize(2);
    gICInstanceMax = 1;
    gICInstances[1].Name = "Zaehler.icd";
    gICInstances[1].AnzAnschluesse = 2;
    gICInstances[1].Anschluesse = {"", "3;4;A;0;-1;", "5;1;B;0;"};
    PowerOff();
    EXPECT_EQ(ic.Feld(3, 3).Pegel, 0);
    EXPECT_EQ(ic.Feld(3, 3).PegelH, 0);
    EXPECT_EQ(ic.Feld(3, 3).PegelV, 0);
    EXPECT_EQ(ic.Feld(3, 3).Verzoegerung, 0);
    EXPECT_EQ(gICInstances[1].Anschluesse[1], "3;4;A;");
    EXPECT_EQ(gICInstances[1].Anschluesse[2], "5;1;B;");
}

// Fault: an edge flag raised before the switch-off survived it and made an edge at the first
// pass after the next switch-on, with no clock running.
TEST_F(PowerTest, ClockFlagsDoNotOutliveTheSwitchOff) {
    const std::int16_t clockNr = test::PlaceClock(6, 10);
    ASSERT_NE(clockNr, 0);
    const GridPoint out = gElements[static_cast<std::size_t>(clockNr)].Ausgaenge.Points()[0];
    LedLine(out.x, out.y, out.x + 4);
    SwitchLine(2, 4, 8);
    PowerOn();
    gTaktFlag.assign(1, kTrue); // a tick that no pass took up yet
    PowerOff();
    for (const std::int16_t f : gTaktFlag)
        EXPECT_EQ(f, 0);
    PowerOn();
    Click(2, 4); // any run makes the pending edges first
    EXPECT_EQ(Live(out.x + 4, out.y), 0);
    EXPECT_EQ(gTaktAusgang[0], 0);
}

TEST_F(PowerTest, PendingClockEdgeRisesAndFallsInTheNextRun) {
    const std::int16_t clockNr = test::PlaceClock(6, 10);
    ASSERT_NE(clockNr, 0);
    const GridPoint out = gElements[static_cast<std::size_t>(clockNr)].Ausgaenge.Points()[0];
    LedLine(out.x, out.y, out.x + 4);
    SwitchLine(2, 4, 8);
    PowerOn();
    gTaktZeit1[0] = 300;
    gTaktZeit0[0] = 700;
    gTaktFlag.assign(1, kTrue);
    Click(2, 4);
    EXPECT_EQ(Live(out.x + 4, out.y), 1);
    EXPECT_EQ(gTaktAusgang[0], kTrue);
    EXPECT_EQ(Timer2()[0].Interval(), 300);
    gTaktFlag.assign(1, kTrue);
    Click(2, 4);
    EXPECT_EQ(Live(out.x + 4, out.y), 0);
    EXPECT_EQ(gTaktAusgang[0], 0);
    EXPECT_EQ(Timer2()[0].Interval(), 700);
}

// Three inverters in a row: their checks run passes, each waiting with a step delay.
void BuildInverterRow() {
    for (const int x : {4, 7, 10})
        ASSERT_NE(test::PlaceInverter(x, 5), 0);
    SwitchLine(2, 5, 4);
    LayWire(5, 5, 7, 5);
    LayWire(8, 5, 10, 5);
    LedLine(11, 5, 14);
}

TEST_F(PowerTest, SwitchingOffDuringADelayedCheckPassEndsTheSequence) {
    BuildInverterRow();
    gVerzoegerung = 11;
    pump.PostAt(50, [] { PowerOnOff(); });
    PowerOnOff();
    EXPECT_FALSE(gPowerOn);
    EXPECT_TRUE(AllSheetLevelsLow());
    EXPECT_EQ(gLevels[0].Feld.UBoundX(), 0);
    EXPECT_EQ(host.changeGuiCalls, (std::vector<bool>{false, true}));
    EXPECT_FALSE(gRechnet);
    // The sequence ended with the first check's pass: no more waits ran.
    EXPECT_LT(pump.DoEventsCalls(), 300);
}

// Fault: switching on again while the switched-off sequence still waited inside its check pass
// ran a second sequence inside the first, which then went on checking the new circuit.
TEST_F(PowerTest, SwitchingOnAgainDuringTheOldSequencesWaitIsRefused) {
    BuildInverterRow();
    gVerzoegerung = 11;
    pump.PostAt(50, [] { PowerOnOff(); }); // off
    pump.PostAt(60, [] { PowerOnOff(); }); // on again, still inside the old wait
    PowerOnOff();
    EXPECT_FALSE(gPowerOn);
    EXPECT_EQ(host.changeGuiCalls, (std::vector<bool>{false, true}));
    EXPECT_TRUE(AllSheetLevelsLow());
    EXPECT_FALSE(gPowerOnRunning);
    // Once the old sequence is gone, switching on works as ever.
    gVerzoegerung = 0;
    PowerOn();
    EXPECT_TRUE(gPowerOn);
    EXPECT_EQ(Live(14, 5), 1); // three inverters of an open input
    EXPECT_EQ(host.changeGuiCalls, (std::vector<bool>{false, true, false}));
}

TEST_F(PowerTest, AbortDuringAPowerOnCheckSwitchesOffAndEndsTheSequence) {
    ASSERT_NO_FATAL_FAILURE(test::BuildOddRing());
    // A later element whose check would run if the sequence went on after the abort.
    ASSERT_NE(test::PlaceInverter(30, 20), 0);
    LedLine(31, 20, 35);
    PowerOnOff();
    EXPECT_FALSE(gPowerOn);
    EXPECT_TRUE(gAbgebrochen);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.changeGuiCalls, (std::vector<bool>{false, true}));
    EXPECT_EQ(host.log.back().rfind("MessageBox(", 0), 0u);
    EXPECT_EQ(gGrid(35, 20).Pegel, 0);
    // The next switch-on starts clean.
    host.messages.clear();
    test::RemoveAt(4, 5);
    PowerOn();
    EXPECT_FALSE(gAbgebrochen);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(Live(35, 20), 1);
}

} // namespace
} // namespace kardo
