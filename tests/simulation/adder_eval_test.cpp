// Half and full adders while powered: their tables, the wiring rule (only a wire entering from
// behind counts), the full adder with two wired inputs, an exhaustive 4-bit ripple adder, and
// the number display's redraw.
#include "block_test_util.h"
#include "simulation/eval_adder.h"
#include "support/block_builder.h"

#include <algorithm>

namespace kardo::test {
namespace {

class AdderCircuit : public BlockCircuit {
  protected:
    // An adder of type typ facing right with its cursor at (10, 10); switches from behind on the
    // inputs listed in `wired` (pin-list positions), a short wire off sum and carry.
    void Build(std::uint8_t typ, std::initializer_list<int> wired) {
        nr = PlaceBlockKind(typ, 10, 10, kRight);
        ASSERT_NE(nr, 0);
        for (const int i : wired)
            in[i] = SwitchInto(InPin(nr, i), kLeft, i == 2 ? 5 : 4);
        sum = Away(OutPin(nr, 0), kRight, 1);
        carry = Away(OutPin(nr, 1), kRight, 1);
        LayWire(OutPin(nr, 0).x, OutPin(nr, 0).y, sum.x + 1, sum.y);
        LayWire(OutPin(nr, 1).x, OutPin(nr, 1).y, carry.x + 1, carry.y);
        PowerOn();
    }
    int Sum() const { return LiveAt(sum); }
    int Carry() const { return LiveAt(carry); }

    std::int16_t nr = 0;
    GridPoint in[3];
    GridPoint sum, carry;
};

TEST_F(AdderCircuit, HalfAdderTable) {
    Build(kTypeHalfAdder, {0, 1});
    const int rows[][4] = {{0, 0, 0, 0}, {1, 0, 1, 0}, {0, 1, 1, 0}, {1, 1, 0, 1}, {0, 0, 0, 0}};
    for (const auto& r : rows) {
        Set(in[0], r[0]);
        Set(in[1], r[1]);
        EXPECT_EQ(Sum(), r[2]) << r[0] << "+" << r[1];
        EXPECT_EQ(Carry(), r[3]) << r[0] << "+" << r[1];
    }
}

TEST_F(AdderCircuit, HalfAdderWithOneInputUnwiredDoesNothing) {
    Build(kTypeHalfAdder, {0});
    Set(in[0], 1);
    EXPECT_EQ(Sum(), 0);
    EXPECT_EQ(Carry(), 0);
}

TEST_F(AdderCircuit, FullAdderTable) {
    Build(kTypeFullAdder, {0, 1, 2});
    for (int v = 0; v < 8; ++v) {
        const int gray = v ^ (v >> 1);
        for (int i = 0; i < 3; ++i)
            Set(in[i], (gray >> i) & 1);
        const int ones = (gray & 1) + ((gray >> 1) & 1) + ((gray >> 2) & 1);
        EXPECT_EQ(Sum(), ones & 1) << "inputs " << gray;
        EXPECT_EQ(Carry(), ones >> 1) << "inputs " << gray;
    }
}

TEST_F(AdderCircuit, FullAdderWithThreeHighInputsDrivesSumAndCarry) {
    Build(kTypeFullAdder, {0, 1, 2});
    Set(in[0], 1);
    Set(in[1], 1);
    screen.ClearLog();
    Set(in[2], 1);
    EXPECT_EQ(Sum(), 1);
    EXPECT_EQ(Carry(), 1);
}

struct TwoWired {
    int a, b; // the wired pins
};

TEST_F(AdderCircuit, FullAdderWithTwoWiredInputsIsAHalfAdder) {
    for (const TwoWired w : {TwoWired{0, 1}, TwoWired{0, 2}, TwoWired{1, 2}}) {
        InitProgramState();
        Build(kTypeFullAdder, {w.a, w.b});
        for (const auto& [x, y] : {std::pair{1, 0}, {1, 1}, {0, 1}, {0, 0}}) {
            Set(in[w.a], x);
            Set(in[w.b], y);
            EXPECT_EQ(Sum(), (x + y) & 1) << "pins " << w.a << "," << w.b << ": " << x << "+" << y;
            EXPECT_EQ(Carry(), (x + y) >> 1)
                << "pins " << w.a << "," << w.b << ": " << x << "+" << y;
        }
        PowerOff();
    }
}

TEST_F(AdderCircuit, TwoWiredFullAdderReachedAtItsOpenMiddlePinTakesTheHigherPin) {
    Build(kTypeFullAdder, {0, 1});
    // Pin 1 lies below pin 0 (higher row): from the middle pin it is searched last and taken.
    const GridPoint middle = InPin(nr, 2);
    const GridPoint upper = InPin(nr, 0);
    gLevels[0].Feld(middle.x, middle.y).Pegel = kTrue;
    gLevels[0].Feld(upper.x, upper.y).Pegel = kTrue;
    EvalVA(middle.x, middle.y, kDown, 1, 0);
    const GridPoint s = OutPin(nr, 0);
    const GridPoint c = OutPin(nr, 1);
    EXPECT_EQ(NextEvents(),
              (std::vector<Ev>{{s.x + 1, s.y, kRight, kTrue}, {c.x + 1, c.y, kRight, kFalse}}))
        << ToString(NextEvents());
}

TEST_F(AdderCircuit, FullAdderWithOneWiredInputDoesNothing) {
    Build(kTypeFullAdder, {2});
    Set(in[2], 1);
    EXPECT_EQ(Sum(), 0);
}

TEST_F(AdderCircuit, AnInputReachedFromTheSideIsNotWired) {
    nr = PlaceBlockKind(kTypeHalfAdder, 10, 10, kRight);
    ASSERT_NE(nr, 0);
    in[0] = SwitchInto(InPin(nr, 0), kUp, 4); // joins the pin from above
    in[1] = SwitchInto(InPin(nr, 1), kLeft, 4);
    sum = Away(OutPin(nr, 0), kRight, 1);
    LayWire(OutPin(nr, 0).x, OutPin(nr, 0).y, sum.x + 1, sum.y);
    PowerOn();
    Set(in[1], 1);
    EXPECT_EQ(Sum(), 0);
    Set(in[0], 1);
    EXPECT_EQ(Sum(), 0);
    EXPECT_EQ(gLevels[0].Feld(InPin(nr, 0).x, InPin(nr, 0).y).Pegel, kTrue)
        << "the level arrived; only the adder ignores it";
}

TEST_F(AdderCircuit, SumIsDrivenBeforeCarry) {
    Build(kTypeHalfAdder, {0, 1});
    const GridPoint a = InPin(nr, 0);
    const GridPoint b = InPin(nr, 1);
    gLevels[0].Feld(a.x, a.y).Pegel = kTrue;
    gLevels[0].Feld(b.x, b.y).Pegel = kTrue;
    EvalHA(a.x, a.y, kRight, 1, 0);
    const GridPoint s = OutPin(nr, 0);
    const GridPoint c = OutPin(nr, 1);
    EXPECT_EQ(NextEvents(),
              (std::vector<Ev>{{s.x + 1, s.y, kRight, kFalse}, {c.x + 1, c.y, kRight, kTrue}}));
    EXPECT_EQ(gLevels[0].Feld(c.x, c.y).Pegel, kTrue);
    EXPECT_EQ(gLevels[0].Feld(c.x, c.y).PegelH, kTrue);
}

// Four full adders in a row, the carry of each wired into the middle input of the next; the
// first has its carry input open and adds its two wired inputs only.
class RippleAdder : public BlockCircuit {
  protected:
    static constexpr int kY = 12;
    static int X(int i) { return 8 + 9 * i; }

    void Build() {
        for (int i = 0; i < 4; ++i) {
            const std::int16_t n = PlaceBlockKind(kTypeFullAdder, X(i), kY, kRight);
            ASSERT_NE(n, 0) << "adder " << i;
            const int x = X(i);
            if (i == 0) {
                a[i] = SwitchInto(InPin(n, 0), kLeft, 4);
                b[i] = SwitchInto(InPin(n, 1), kLeft, 4);
            } else {
                // From behind, then up or down to a switch in the gap before the adder.
                LayWire(x, kY - 1, x - 2, kY - 6);
                LayWire(x, kY + 1, x - 2, kY + 6);
                a[i] = {static_cast<std::int16_t>(x - 2), kY - 6};
                b[i] = {static_cast<std::int16_t>(x - 2), kY + 6};
                ASSERT_NE(PlaceSwitch(a[i].x, a[i].y), 0);
                ASSERT_NE(PlaceSwitch(b[i].x, b[i].y), 0);
            }
            // Sum stub; carry to the next adder's middle input (or a stub after the last).
            LayWire(x + 3, kY - 1, x + 4, kY - 1);
            sum[i] = {static_cast<std::int16_t>(x + 4), kY - 1};
            if (i < 3) {
                LayWire(x + 3, kY + 1, x + 5, kY);
                LayWire(x + 5, kY, X(i + 1), kY);
            } else {
                LayWire(x + 3, kY + 1, x + 4, kY + 1);
                carryOut = {static_cast<std::int16_t>(x + 4), kY + 1};
            }
        }
        PowerOn();
    }
    int Result() const {
        int v = 0;
        for (int i = 0; i < 4; ++i)
            v |= LiveAt(sum[i]) << i;
        return v | LiveAt(carryOut) << 4;
    }
    GridPoint a[4], b[4], sum[4], carryOut;
};

TEST_F(RippleAdder, AddsEveryPairOfFourBitNumbers) {
    Build();
    EXPECT_EQ(Result(), 0);
    // Gray order: one switch changes from one pair to the next.
    for (int v = 0; v < 256; ++v) {
        const int g = v ^ (v >> 1);
        const int x = g & 15;
        const int y = g >> 4;
        for (int i = 0; i < 4; ++i) {
            Set(a[i], (x >> i) & 1);
            Set(b[i], (y >> i) & 1);
        }
        ASSERT_EQ(Result(), x + y) << x << " + " << y;
    }
    EXPECT_FALSE(gAbgebrochen);
}

// ---- number display ----

TEST_F(BlockCircuit, NumberDisplayRedrawsOnTheCircuitOnly) {
    const std::int16_t nr = PlaceBlockKind(kTypeNumberDisplay, 10, 10, kRight);
    ASSERT_NE(nr, 0);
    const GridPoint weight1 = SwitchInto(InPin(nr, 0), kUp, 3);
    const GridPoint weight8 = SwitchInto(InPin(nr, 3), kLeft, 3);
    PowerOn();
    const auto shows = [this](const std::string& text) {
        const auto prints = screen.CallsOf(DrawOp::Print);
        return std::any_of(prints.begin(), prints.end(),
                           [&text](const DrawCall& c) { return c.text == text; });
    };
    screen.ClearLog();
    Set(weight1, 1);
    EXPECT_TRUE(shows(" 1"));
    Set(weight8, 1);
    EXPECT_TRUE(shows(" 9"));

    gLevels.resize(2);
    gLevels[1] = gLevels[0];
    screen.ClearLog();
    UpdateDisplay(InPin(nr, 0).x, InPin(nr, 0).y, kDown, 1, 1);
    EXPECT_TRUE(screen.Calls().empty()) << "a display inside an IC is not drawn";
}

} // namespace
} // namespace kardo::test
