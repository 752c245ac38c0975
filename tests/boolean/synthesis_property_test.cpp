// Synthesised circuits work: random terms are synthesised, switched on and driven through every
// combination of their switches, and the LED follows the term's truth table.
#include "app/main_state.h"
#include "boolean/formula_line.h"
#include "boolean/term.h"
#include "boolean/truth_table.h"
#include "model/codes.h"
#include "model/elements.h"
#include "simulation/circuit_test_util.h"
#include "support/term_reference.h"

#include <bit>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using SynthesisPropertyTest = test::CircuitFixture;

TEST_F(SynthesisPropertyTest, LedFollowsTheTruthTableOfRandomTerms) {
    test::RandomTerms terms(20240);
    for (int i = 0; i < 300; ++i) {
        const std::string term = terms.Next(1 + i % 6, 3);
        const TermCheck check = CheckTerm(term);
        ASSERT_TRUE(check.ok) << term;
        const int n = static_cast<int>(check.tree.variables.size());
        const std::vector<std::uint8_t> table = TruthTable(check.tree);

        gUnveraendert = true;
        ASSERT_TRUE(CreateFile(term).created) << term;
        // The switches come first, one per variable in alphabetical order; then the LED.
        std::vector<GridPoint> switches;
        GridPoint led{};
        for (int k = 1; k <= gAnzElemente; ++k) {
            const ElementRecord& e = gElements[static_cast<std::size_t>(k)];
            if (e.Typ == kTypeSwitch)
                switches.push_back(e.Eingaenge.Points()[0]);
            if (e.Typ == kTypeLed)
                led = e.Eingaenge.Points()[0];
        }
        ASSERT_EQ(static_cast<int>(switches.size()), n) << term;

        PowerOn();
        ASSERT_TRUE(gPowerOn) << term;
        EXPECT_EQ(Live(led.x, led.y), table[0]) << term << " row 0";
        // Gray code: one switch at a time through every row.
        unsigned row = 0;
        for (unsigned step = 1; step < (1u << n); ++step) {
            const int bit = std::countr_zero(step);
            const GridPoint sw = switches[static_cast<std::size_t>(n - 1 - bit)];
            Click(sw.x, sw.y);
            row ^= 1u << bit;
            ASSERT_EQ(Live(led.x, led.y), table[row]) << term << " row " << row;
            ASSERT_EQ(table[row] != 0, test::ReferenceValue(term, check.tree.variables, row))
                << term << " row " << row;
        }
        PowerOff();
        screen.ClearLog(); // the drawing is not under test; its log would only grow
    }
}

} // namespace
} // namespace kardo
