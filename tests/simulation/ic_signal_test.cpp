// Crossing an IC package pass by pass: into the instance next to the inner pin cell, out of it
// beyond the package's pin cell; no crossing from a pin cell of the circuit itself or where the
// parent's pin cell has no wire.
#include "app/settings.h"
#include "circuit_test_util.h"
#include "model/ic_instances.h"
#include "simulation/ic_signal.h"
#include "support/circuit_files.h"
#include "support/hang_guard.h"
#include "support/ic_circuits.h"
#include "support/ic_files.h"

namespace kardo::test {
namespace {

class ICSignalTest : public CircuitFixture {
  protected:
    void SetUp() override {
        gVerzeichnisse[1] = dir.Path() + "/";
        WriteBytes(dir.File("inv.icd"), ReadBytes(DataFile("inv.icd")));
        // inv at (10, 4): pin E at (10, 5), pin A at (12, 5); its inner pins at (1, 2), (6, 2).
        ASSERT_NE(PlaceIC("inv", 10, 4), 0);
        LayWire(6, 5, 10, 5);
    }
    // One pass of the pass loop.
    static void RunPass() {
        gEventQueue.swap(gNextEventQueue);
        gNextEventQueue.clear();
        for (std::size_t i = 0; i < gEventQueue.size(); ++i) {
            const SimEvent e = gEventQueue[i];
            if (e.Richtung != 0)
                Propagate(e.X, e.Y, e.Richtung, e.Pegel != 0 ? 1 : 0, e.Ebene);
        }
    }
    static std::vector<std::tuple<int, int, int, int, int>> Next() {
        std::vector<std::tuple<int, int, int, int, int>> out;
        for (const SimEvent& e : gNextEventQueue)
            out.emplace_back(e.X, e.Y, e.Richtung, e.Pegel, e.Ebene);
        return out;
    }
    TempDir dir;
};

TEST_F(ICSignalTest, ALevelEntersNextToTheInnerPinCell) {
    PowerOn();
    gNextEventQueue.clear();
    AddEvent(10, 5, kRight, 1, 0); // reaches the package's pin E
    RunPass();
    EXPECT_EQ(Next(), (std::vector<std::tuple<int, int, int, int, int>>{{2, 2, kRight, -1, 1}}));
    EXPECT_EQ(gLevels[1].Feld(1, 2).Pegel, kTrue) << "the inner pin cell at once";
    EXPECT_EQ(gLevels[1].Feld(1, 2).PegelH, kTrue);
}

TEST_F(ICSignalTest, ALevelLeavesBeyondThePackagesPinCell) {
    LayWire(12, 5, 16, 5);
    PowerOn();
    gNextEventQueue.clear();
    ICSignal(6, 2, 1, 1, kICSignalOutOf); // the inner pin A is reached
    EXPECT_EQ(Next(), (std::vector<std::tuple<int, int, int, int, int>>{{13, 5, kRight, -1, 0}}));
    EXPECT_EQ(gLevels[0].Feld(12, 5).Pegel, kTrue);
    EXPECT_EQ(gLevels[0].Feld(12, 5).PegelH, kTrue);
}

TEST_F(ICSignalTest, WithoutAWireAtThePackagesPinNothingLeaves) {
    PowerOn();
    gNextEventQueue.clear();
    ICSignal(6, 2, 1, 1, kICSignalOutOf);
    ASSERT_EQ(gNextEventQueue.size(), 1u);
    EXPECT_EQ(gNextEventQueue[0].Richtung, 0) << "queued without a direction: never processed";
}

TEST_F(ICSignalTest, APinCellOfTheCircuitItselfPassesNothing) {
    LayWire(20, 10, 25, 10);
    gGrid(20, 10).ICPin = 1; // a pin of an IC being defined on the worksheet
    PowerOn();
    gNextEventQueue.clear();
    AddEvent(20, 10, kLeft, 1, 0);
    RunPass();
    EXPECT_TRUE(Next().empty());
    EXPECT_EQ(gLevels[0].Feld(21, 10).Pegel, 0);
}

TEST_F(ICSignalTest, CellsAndModesThatNameNothingDoNothing) {
    PowerOn();
    gNextEventQueue.clear();
    ICSignal(10, 5, 1, 0, 3);              // no such mode
    ICSignal(11, 5, 1, 0, kICSignalInto);  // a package cell without a pin
    ICSignal(3, 2, 1, 1, kICSignalOutOf);  // not a pin cell
    ICSignal(6, 2, 1, 0, kICSignalOutOf);  // the circuit has no parent
    ICSignal(99, 99, 1, 1, kICSignalInto); // outside the level
    ICSignal(1, 1, 1, 7, kICSignalInto);   // no such level
    EXPECT_TRUE(gNextEventQueue.empty());
}

// Fault: with a step delay an IC oscillating inside froze the window: switching on never returned.
TEST_F(ICSignalTest, StopReachesADelayedRunOscillatingInsideAnIC) {
    const HangGuard bound;
    FreshSheet(14, 11);
    BuildOddRing();
    WriteICDefinition(gVerzeichnisse[1], "ring", {}, 2, 2);
    FreshSheet(20, 10);
    ASSERT_NE(PlaceIC("ring", 5, 5), 0);
    gVerzoegerung = 11;
    pump.SetReadCost(1);          // the passes take time
    for (int ms : {50, 100, 150}) // the next inverter's power-on check may set the ring going
        pump.PostAt(ms, [] { cmdStop_Click(); });
    PowerOn();
    EXPECT_TRUE(gPowerOn);
    EXPECT_GE(clock.Now(), 50);
}

} // namespace
} // namespace kardo::test
