// Circuits simulate alike whether built flat, as one IC or from ICs nested two deep: the 4-bit
// ripple adder over all 256 pairs of numbers and the 16-bit ripple counter.
#include "app/settings.h"
#include "circuit_test_util.h"
#include "model/ic_instances.h"
#include "support/circuit_files.h"
#include "support/ic_circuits.h"
#include "support/sim_blocks.h"

namespace kardo::test {
namespace {

enum class Build { Flat, OneIC, Nested };

// How each build makes its circuits, and how many IC instances they bring.
struct Builders {
    const char* name;                         // in messages
    ICCircuit (*adder)(const std::string&);   // 4-bit ripple adder
    int adderInstances;                       // its instances
    ICCircuit (*counter)(const std::string&); // 16-bit ripple counter
    int counterInstances;                     // its instances
};
const Builders kBuilders[] = {
    {"flach", [](const std::string&) { return BuildFlatAdder4(); }, 0,
     [](const std::string&) { return BuildFlatCounter16(); }, 0},
    {"ein IC", BuildOneICAdder4, 1, BuildOneICCounter16, 1},
    // ADD4N holds four FA; eight Z2 hold two Z1 each.
    {"verschachtelt", BuildNestedAdder4, 5, BuildNestedCounter16, 24},
};

class ICEquivalence : public CircuitFixture, public ::testing::WithParamInterface<Build> {
  protected:
    ICEquivalence() { gVerzeichnisse[1] = dir.Path() + "/"; }
    const Builders& B() const { return kBuilders[static_cast<int>(GetParam())]; }
    std::string Folder() const { return dir.Path() + "/"; }
    // Sets switch sw to level on.
    void Set(GridPoint sw, int on) {
        if (LiveAt(sw) != on)
            ClickCell(sw);
        ASSERT_EQ(LiveAt(sw), on);
    }
    TempDir dir;
};

TEST_P(ICEquivalence, RippleAdderAddsEveryPair) {
    const ICCircuit c = B().adder(Folder());
    ASSERT_EQ(gICInstanceMax, B().adderInstances);
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
        ASSERT_EQ(ReadOutputs(c), x + y) << B().name << ": " << x << " + " << y;
    }
    EXPECT_FALSE(gAbgebrochen);
}

TEST_P(ICEquivalence, RippleCounterCountsInputCycles) {
    const ICCircuit c = B().counter(Folder());
    ASSERT_EQ(gICInstanceMax, B().counterInstances);
    PowerOn();
    ASSERT_TRUE(gPowerOn);
    EXPECT_EQ(ReadOutputs(c), 0u);
    for (unsigned k = 1; k <= 600; ++k) {
        if (k == 300) // from here on without a picture: the pass loop takes its fast path
            platform.screen = nullptr;
        ClickCell(c.inputs[0]);
        ClickCell(c.inputs[0]);
        ASSERT_EQ(ReadOutputs(c), k) << B().name << " after " << k << " cycles";
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
