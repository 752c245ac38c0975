// Circuits simulate alike whether built flat, as one IC or from ICs nested two deep: the 4-bit
// ripple adder over all 256 pairs of numbers and the 16-bit ripple counter.
#include "app/settings.h"
#include "circuit_test_util.h"
#include "files/ic_instances.h"
#include "support/circuit_files.h"
#include "support/ic_circuits.h"
#include "support/sim_blocks.h"

namespace kardo::test {
namespace {

enum class Build { Flat, OneIC, Nested };

const char* Name(Build b) {
    switch (b) {
    case Build::Flat:
        return "flach";
    case Build::OneIC:
        return "ein IC";
    default:
        return "verschachtelt";
    }
}

class ICEquivalence : public CircuitFixture, public ::testing::WithParamInterface<Build> {
  protected:
    ICEquivalence() { gVerzeichnisse[1] = dir.Path() + "/"; }
    // Sets switch sw to level on.
    void Set(GridPoint sw, int on) {
        if (LiveAt(sw) != on)
            ClickCell(sw);
        ASSERT_EQ(LiveAt(sw), on);
    }
    TempDir dir;
};

TEST_P(ICEquivalence, RippleAdderAddsEveryPair) {
    const std::string folder = dir.Path() + "/";
    ICCircuit c;
    switch (GetParam()) {
    case Build::Flat:
        c = BuildFlatAdder4();
        break;
    case Build::OneIC:
        c = BuildOneICAdder4(folder);
        break;
    case Build::Nested:
        c = BuildNestedAdder4(folder);
        break;
    }
    const int instances[] = {0, 1, 5}; // ADD4N holds four FA
    ASSERT_EQ(gICInstanceMax, instances[static_cast<int>(GetParam())]);
    PowerOn();
    ASSERT_TRUE(gPowerOn);
    EXPECT_EQ(ReadOutputs(c), 0u);
    // Gray order: one switch changes from one pair to the next.
    for (unsigned v = 0; v < 256; ++v) {
        const unsigned g = v ^ (v >> 1);
        const unsigned x = g & 15;
        const unsigned y = g >> 4;
        for (int i = 0; i < 4; ++i) {
            Set(c.inputs[static_cast<std::size_t>(i)], (x >> i) & 1);
            Set(c.inputs[static_cast<std::size_t>(4 + i)], (y >> i) & 1);
        }
        ASSERT_EQ(ReadOutputs(c), x + y) << Name(GetParam()) << ": " << x << " + " << y;
    }
    EXPECT_FALSE(gAbgebrochen);
}

TEST_P(ICEquivalence, RippleCounterCountsInputCycles) {
    const std::string folder = dir.Path() + "/";
    ICCircuit c;
    switch (GetParam()) {
    case Build::Flat:
        c = BuildFlatCounter16();
        break;
    case Build::OneIC:
        c = BuildOneICCounter16(folder);
        break;
    case Build::Nested:
        c = BuildNestedCounter16(folder);
        break;
    }
    const int instances[] = {0, 1, 24}; // eight Z2 holding two Z1 each
    ASSERT_EQ(gICInstanceMax, instances[static_cast<int>(GetParam())]);
    PowerOn();
    ASSERT_TRUE(gPowerOn);
    EXPECT_EQ(ReadOutputs(c), 0u);
    for (unsigned k = 1; k <= 600; ++k) {
        ClickCell(c.inputs[0]);
        ClickCell(c.inputs[0]);
        ASSERT_EQ(ReadOutputs(c), k) << Name(GetParam()) << " after " << k << " cycles";
    }
    EXPECT_FALSE(gAbgebrochen);
}

std::string ParamName(const ::testing::TestParamInfo<Build>& p) {
    switch (p.param) {
    case Build::Flat:
        return "Flat";
    case Build::OneIC:
        return "OneIC";
    default:
        return "NestedTwoDeep";
    }
}

INSTANTIATE_TEST_SUITE_P(AllBuilds, ICEquivalence,
                         ::testing::Values(Build::Flat, Build::OneIC, Build::Nested), ParamName);

} // namespace
} // namespace kardo::test
