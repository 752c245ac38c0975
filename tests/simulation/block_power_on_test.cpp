// Power-on checks that meet inputs an earlier check has already raised, and the runtime state
// that a new power cycle must not inherit.
#include "block_test_util.h"
#include "support/block_builder.h"

namespace kardo::test {
namespace {

using PowerOnChecks = BlockCircuit;

// Fault: the decoder's check drove output 1 from input 1 alone, as if every input were still
// low; with an input raised by an earlier check two outputs ended high.
TEST_F(PowerOnChecks, DecoderCheckTakesTheAddressOfAllThreeInputs) {
    const std::int16_t nr = PlaceDecoder(10, 10, kRight, false);
    ASSERT_NE(nr, 0);
    // An inverter with an open input, checked before the decoder (a column further left),
    // raises input 2.
    ASSERT_NE(PlaceInverter(5, 9, kRight), 0);
    LayWire(6, 9, 10, 9);
    for (int k = 0; k < 8; ++k)
        LayWire(OutPin(nr, k).x, OutPin(nr, k).y, OutPin(nr, k).x + 2, OutPin(nr, k).y);
    PowerOn();
    ASSERT_EQ(LiveAt(InPin(nr, 1)), 1);
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(LiveAt(Away(OutPin(nr, k), kRight, 1)), k == 2 ? 1 : 0) << "output " << k + 1;
}

// Fault: the flip-flop's check raised inverted Q whatever Q was; a flip-flop set by an earlier
// check ended with both outputs high.
TEST_F(PowerOnChecks, InvertedQIsTheInverseOfQ) {
    const std::int16_t nr = PlaceBlockKind(kTypeFlipFlop, 10, 10, kRight);
    ASSERT_NE(nr, 0);
    // An inverter with an open input above the set input (column 12, before the outputs'
    // column 15) sets the flip-flop.
    ASSERT_NE(PlaceInverter(12, 5, kDown), 0);
    LayWire(12, 6, 12, 9);
    const GridPoint q = LedFrom(OutPin(nr, 0), kRight, 4);
    const GridPoint qBar = LedFrom(OutPin(nr, 1), kRight, 4);
    PowerOn();
    EXPECT_EQ(LiveAt(q), 1);
    EXPECT_EQ(LiveAt(qBar), 0);
    EXPECT_EQ(LiveAt(OutPin(nr, 1)), 0);
    EXPECT_EQ(gLevels[0].Elemente[static_cast<std::size_t>(nr)].Zustand[12], kTrue);
}

// Fault: the inverter's check toggled its output cell; an inverter whose input an earlier check
// had raised ended with a high output cell and a low output wire.
TEST_F(PowerOnChecks, InverterCheckSetsTheOutputFromTheInput) {
    ASSERT_NE(PlaceInverter(5, 10, kRight), 0);
    LayWire(6, 10, 8, 10);
    ASSERT_NE(PlaceInverter(8, 10, kRight), 0);
    const GridPoint led = LedFrom({9, 10}, kRight, 4);
    PowerOn();
    EXPECT_EQ(LiveAt({6, 10}), 1);
    EXPECT_EQ(LiveAt({8, 10}), 1);
    EXPECT_EQ(LiveAt({9, 10}), 0) << "the second inverter's output cell";
    EXPECT_EQ(LiveAt(led), 0);
}

// Fault: state slots and delay counts came into a new power cycle from the last one (IC levels
// keep their records between cycles, and the worksheet's own records and cells are copied).
TEST_F(PowerOnChecks, APowerCycleStartsWithoutLatchesStagesOrHeldEvents) {
    const std::int16_t ff = PlaceBlockKind(kTypeFlipFlop, 10, 10, kRight);
    const std::int16_t sr = PlaceBlockKind(kTypeShiftRegister, 10, 20, kRight);
    ASSERT_NE(ff, 0);
    ASSERT_NE(sr, 0);
    gElements[static_cast<std::size_t>(ff)].Zustand[12] = kTrue;
    gElements[static_cast<std::size_t>(sr)].Zustand[5] = kTrue;
    gGrid(16, 9).Typ = kTypeWire;
    gGrid(16, 9).Verzoegerung = 7;
    // An IC instance level with state from an earlier cycle.
    gLevels.resize(2);
    gLevels[1].Name = "Zaehler";
    gLevels[1].Feld.Create(5, 5);
    gLevels[1].Feld(2, 2).Verzoegerung = 20;
    gLevels[1].Elemente.assign(2, ElementRecord{});
    gLevels[1].Elemente[1].Zustand[1] = kTrue;

    PowerOn();
    EXPECT_EQ(gLevels[0].Elemente[static_cast<std::size_t>(ff)].Zustand[12], kFalse);
    EXPECT_EQ(gLevels[0].Elemente[static_cast<std::size_t>(sr)].Zustand[5], kFalse);
    EXPECT_EQ(gLevels[0].Feld(16, 9).Verzoegerung, 0);
    EXPECT_EQ(gLevels[1].Feld(2, 2).Verzoegerung, 0);
    EXPECT_EQ(gLevels[1].Elemente[1].Zustand[1], kFalse);
    EXPECT_EQ(LiveAt(OutPin(ff, 0)), 0);
}

TEST_F(PowerOnChecks, ClockedDecoderStartsOnOutputOne) {
    const std::int16_t nr = PlaceDecoder(10, 10, kRight, true);
    ASSERT_NE(nr, 0);
    ASSERT_NE(PlaceInverter(5, 8, kRight), 0);
    LayWire(6, 8, 10, 8);
    LayWire(OutPin(nr, 0).x, OutPin(nr, 0).y, OutPin(nr, 0).x + 2, OutPin(nr, 0).y);
    LayWire(OutPin(nr, 1).x, OutPin(nr, 1).y, OutPin(nr, 1).x + 2, OutPin(nr, 1).y);
    PowerOn();
    ASSERT_EQ(LiveAt(InPin(nr, 0)), 1) << "input 1 raised, but no clock edge yet";
    EXPECT_EQ(LiveAt(Away(OutPin(nr, 0), kRight, 1)), 1);
    EXPECT_EQ(LiveAt(Away(OutPin(nr, 1), kRight, 1)), 0);
}

} // namespace
} // namespace kardo::test
