// Truth tables of terms and terms made from tables.
#include "boolean/term.h"
#include "boolean/truth_table.h"
#include "support/term_reference.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

std::vector<std::uint8_t> TableOf(const std::string& term) {
    const TermCheck check = CheckTerm(term);
    EXPECT_TRUE(check.ok) << term;
    return TruthTable(check.tree);
}

TEST(TruthTableTest, RowsCountUpWithTheFirstVariableMostSignificant) {
    struct Case {
        const char* term;
        std::vector<std::uint8_t> rows;
    };
    const Case cases[] = {
        {"A", {0, 1}},
        {"/A", {1, 0}},
        {"A&B", {0, 0, 0, 1}},
        {"AvB", {0, 1, 1, 1}},
        {"A&/B", {0, 0, 1, 0}},
        {"/A&B", {0, 1, 0, 0}},
        // Variables alphabetical whatever the term's order: C is the second column here.
        {"C&/A", {0, 1, 0, 0}},
        {"A&B&C", {0, 0, 0, 0, 0, 0, 0, 1}},
        {"(A&/B)vC", {0, 1, 0, 1, 1, 1, 0, 1}},
        {"/(AvB)", {1, 0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TableOf(c.term), c.rows) << c.term;
}

TEST(TruthTableTest, RowValueIsTheVariablesBit) {
    EXPECT_TRUE(RowValue(4, 0, 3));
    EXPECT_FALSE(RowValue(4, 1, 3));
    EXPECT_FALSE(RowValue(4, 2, 3));
    EXPECT_TRUE(RowValue(1, 2, 3));
}

TEST(TruthTableTest, SixteenVariablesMatchTheReferenceInEveryRow) {
    const std::string term = "(A&/B&C)v(D&E&/F)v/(G&HvI)&(JvKv/L)&(M&N)v(O&/P)vQ&/A";
    const TermCheck check = CheckTerm(term);
    ASSERT_TRUE(check.ok);
    ASSERT_EQ(check.tree.variables.size(), 17u) << "17 letters: one too many for a table";
    // One letter fewer: Q dropped.
    const std::string sixteen = "(A&/B&C)v(D&E&/F)v/(G&HvI)&(JvKv/L)&(M&N)v(O&/P)";
    const TermCheck check16 = CheckTerm(sixteen);
    ASSERT_TRUE(check16.ok);
    ASSERT_EQ(check16.tree.variables.size(), 16u);
    const std::vector<std::uint8_t> table = TruthTable(check16.tree);
    ASSERT_EQ(table.size(), 65536u);
    for (unsigned row = 0; row < table.size(); ++row)
        ASSERT_EQ(table[row] != 0, test::ReferenceValue(sixteen, check16.tree.variables, row))
            << "row " << row;
}

TEST(TruthTableTest, EvaluateTermAgreesWithTheTable) {
    const TermCheck check = CheckTerm("(AvB)&/(C&D)vE&/F&G");
    ASSERT_TRUE(check.ok);
    const std::vector<std::uint8_t> table = TruthTable(check.tree);
    for (std::uint32_t row = 0; row < table.size(); ++row)
        EXPECT_EQ(EvaluateTerm(check.tree, row), table[row] != 0) << row;
}

TEST(TermCreationTest, SumOfMintermsInRowOrder) {
    EXPECT_EQ(TermFromTable("AB", {0, 1, 1, 0}), "/A&BvA&/B");
    EXPECT_EQ(TermFromTable("A", {1, 1}), "/AvA");
    EXPECT_EQ(TermFromTable("A", {0, 1}), "A");
    EXPECT_EQ(TermFromTable("ABC", {0, 0, 0, 0, 0, 0, 0, 1}), "A&B&C");
    EXPECT_EQ(TermFromTable("ABC", {1, 0, 0, 0, 0, 0, 0, 0}), "/A&/B&/C");
}

TEST(TermCreationTest, TableWithoutOneGivesNoTerm) {
    EXPECT_EQ(TermFromTable("AB", {0, 0, 0, 0}), "");
}

TEST(TermCreationTest, CreationVariablesAreTheFirstLetters) {
    EXPECT_EQ(CreationVariables(1), "A");
    EXPECT_EQ(CreationVariables(6), "ABCDEF");
    EXPECT_EQ(CreationVariables(0), "A");
    EXPECT_EQ(CreationVariables(9), "ABCDEF");
}

// Every table of one to three variables: the term made from it has that table again.
TEST(TermCreationTest, RoundTripOverEveryTableUpToThreeVariables) {
    for (int n = 1; n <= 3; ++n) {
        const std::string vars = CreationVariables(n);
        const unsigned rows = 1u << n;
        for (unsigned bits = 1; bits < (1u << rows); ++bits) {
            std::vector<std::uint8_t> table(rows);
            for (unsigned r = 0; r < rows; ++r)
                table[r] = static_cast<std::uint8_t>((bits >> r) & 1u);
            const std::string term = TermFromTable(vars, table);
            const TermCheck check = CheckTerm(term);
            ASSERT_TRUE(check.ok) << term;
            // A variable whose literals all cancel out still appears in the term.
            ASSERT_EQ(check.tree.variables, vars) << term;
            EXPECT_EQ(TruthTable(check.tree), table) << term;
        }
    }
}

} // namespace
} // namespace kardo
