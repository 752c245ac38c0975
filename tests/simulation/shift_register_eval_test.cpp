// The double shift register while powered: serial data moving through four stages per clock
// cycle, the latch at the rising edge, two independent registers, and clicks on its stages.
#include "circuit_test_util.h"
#include "simulation/eval_shift_register.h"
#include "support/block_builder.h"
#include "support/sim_blocks.h"

#include <array>

namespace kardo::test {
namespace {

class ShiftRegisterCircuit : public CircuitFixture {
  protected:
    // A shift register facing right with its cursor (clock input) at (10, 10): switches on the
    // serial inputs A and B and on the clock, LEDs on both outputs.
    void Build() {
        nr = PlaceBlockKind(kTypeShiftRegister, 10, 10, kRight);
        ASSERT_NE(nr, 0);
        a = SwitchInto(InPin(nr, 0), kLeft, 4);
        b = SwitchInto(InPin(nr, 1), kLeft, 4);
        c = SwitchInto(InPin(nr, 2), kLeft, 5);
        outA = LedFrom(OutPin(nr, 0), kRight, 4);
        outB = LedFrom(OutPin(nr, 1), kRight, 4);
        PowerOn();
    }
    void Set(GridPoint sw, int on) {
        if (LiveAt(sw) != on)
            ClickCell(sw);
        ASSERT_EQ(LiveAt(sw), on);
    }
    void Cycle() {
        Set(c, 1);
        Set(c, 0);
    }
    // Stages 1..4 of register A (k 0) or B (k 1) as 0/1 digits, stage 1 first.
    std::array<int, 4> Stages(int k) const {
        const auto& z = gLevels[0].Elemente.at(static_cast<std::size_t>(nr)).Zustand;
        std::array<int, 4> out{};
        for (std::size_t i = 0; i < 4; ++i)
            out[i] = z[(k == 0 ? 2 : 6) + i] != 0 ? 1 : 0;
        return out;
    }
    // The cell of stage s (1..4) of register k on the worksheet.
    GridPoint StageCell(int k, int s) const { return Away(OutPin(nr, k), kLeft, 9 - 2 * s); }

    std::int16_t nr = 0;
    GridPoint a, b, c, outA, outB;
};

TEST_F(ShiftRegisterCircuit, FourCyclesMoveTheSerialInputToTheOutput) {
    Build();
    Set(a, 1);
    const std::array<std::array<int, 4>, 4> expected = {
        {{1, 0, 0, 0}, {1, 1, 0, 0}, {1, 1, 1, 0}, {1, 1, 1, 1}}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(LiveAt(outA), 0) << "before cycle " << i + 1;
        Cycle();
        EXPECT_EQ(Stages(0), expected[i]) << "after cycle " << i + 1;
    }
    EXPECT_EQ(LiveAt(outA), 1);
    EXPECT_EQ(LiveAt(outB), 0);
    EXPECT_EQ(Stages(1), (std::array<int, 4>{0, 0, 0, 0}));
}

TEST_F(ShiftRegisterCircuit, TheRisingEdgeLatchesTheSerialInputs) {
    Build();
    Set(a, 1);
    Set(c, 1);
    Set(a, 0);
    Set(b, 1);
    Set(c, 0);
    EXPECT_EQ(Stages(0), (std::array<int, 4>{1, 0, 0, 0}));
    EXPECT_EQ(Stages(1), (std::array<int, 4>{0, 0, 0, 0}));
}

TEST_F(ShiftRegisterCircuit, RegisterBRunsIndependently) {
    Build();
    const int bitsA[] = {1, 0, 0, 1};
    const int bitsB[] = {0, 1, 1, 0};
    for (int i = 0; i < 4; ++i) {
        Set(a, bitsA[i]);
        Set(b, bitsB[i]);
        Cycle();
    }
    EXPECT_EQ(Stages(0), (std::array<int, 4>{1, 0, 0, 1}));
    EXPECT_EQ(Stages(1), (std::array<int, 4>{0, 1, 1, 0}));
    EXPECT_EQ(LiveAt(outA), 1);
    EXPECT_EQ(LiveAt(outB), 0);
}

TEST_F(ShiftRegisterCircuit, ClickOnALastStageDrivesTheOutputAtOnce) {
    Build();
    ClickCell(StageCell(0, 4));
    EXPECT_EQ(Stages(0), (std::array<int, 4>{0, 0, 0, 1}));
    EXPECT_EQ(LiveAt(outA), 1);
    ClickCell(StageCell(1, 4));
    EXPECT_EQ(LiveAt(outB), 1);
    ClickCell(StageCell(0, 4));
    EXPECT_EQ(LiveAt(outA), 0);
    EXPECT_FALSE(gRechnet);
}

TEST_F(ShiftRegisterCircuit, ClickOnAnInnerStageShowsOnlyAndMovesOutLater) {
    Build();
    screen.ClearLog();
    ClickCell(StageCell(0, 1));
    EXPECT_EQ(Stages(0), (std::array<int, 4>{1, 0, 0, 0}));
    EXPECT_EQ(LiveAt(outA), 0);
    EXPECT_TRUE(NextEvents().empty());
    EXPECT_FALSE(screen.Calls().empty()) << "the symbol shows the flipped stage";
    for (int i = 0; i < 3; ++i)
        Cycle();
    EXPECT_EQ(LiveAt(outA), 1);
}

TEST_F(ShiftRegisterCircuit, ClickOnANonStageCellOnlyRedraws) {
    Build();
    const auto before = gLevels[0].Elemente.at(static_cast<std::size_t>(nr)).Zustand;
    screen.ClearLog();
    ClickCell({14, 10});
    ClickCell(Away(OutPin(nr, 0), kLeft, 2));
    EXPECT_EQ(gLevels[0].Elemente.at(static_cast<std::size_t>(nr)).Zustand, before);
    EXPECT_FALSE(screen.Calls().empty());
    EXPECT_TRUE(NextEvents().empty());
}

TEST_F(ShiftRegisterCircuit, EveryFallingEdgeQueuesBothOutputs) {
    Build();
    const GridPoint clk = InPin(nr, 2);
    EvalShiftRegister(clk.x, clk.y, kRight, 0, 0);
    const GridPoint o0 = OutPin(nr, 0);
    const GridPoint o1 = OutPin(nr, 1);
    EXPECT_EQ(NextEvents(),
              (std::vector<Ev>{{o0.x + 1, o0.y, kRight, kFalse}, {o1.x + 1, o1.y, kRight, kFalse}}))
        << ToString(NextEvents());
}

TEST_F(ShiftRegisterCircuit, EventsAtTheSerialInputsChangeNoStage) {
    Build();
    const auto before = gLevels[0].Elemente.at(static_cast<std::size_t>(nr)).Zustand;
    Set(a, 1);
    Set(b, 1);
    EXPECT_EQ(gLevels[0].Elemente.at(static_cast<std::size_t>(nr)).Zustand, before);
}

} // namespace
} // namespace kardo::test
