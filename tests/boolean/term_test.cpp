// The term checker: the groups it makes of accepted terms and the position and message of each
// kind of error.
#include "boolean/term.h"
#include "boolean/truth_table.h"
#include "support/term_reference.h"

#include <string>

#include <gtest/gtest.h>

namespace kardo {
namespace {

// "AND(A,/B)" style description of an operand and the groups below it.
std::string Describe(const TermTree& tree, const TermOperand& op) {
    std::string s = op.negated ? "/" : "";
    if (!op.isGroup)
        return s + tree.variables[static_cast<std::size_t>(op.index)];
    const TermGroup& g = tree.groups[static_cast<std::size_t>(op.index)];
    s += g.kind == GroupKind::And ? "AND(" : "OR(";
    for (std::size_t k = 0; k < g.operands.size(); ++k)
        s += (k > 0 ? "," : "") + Describe(tree, g.operands[k]);
    return s + ")";
}

struct Accepted {
    const char* term;
    const char* groups;
    const char* variables;
};

TEST(TermCheckTest, GroupsOfAcceptedTerms) {
    const Accepted cases[] = {
        {"A", "A", "A"},
        {"/A", "/A", "A"},
        {"//A", "A", "A"},
        {"///A", "/A", "A"},
        {"A&B", "AND(A,B)", "AB"},
        {"A&B&C", "AND(A,B,C)", "ABC"},
        {"AvBvC", "OR(A,B,C)", "ABC"},
        {"A&BvC", "OR(AND(A,B),C)", "ABC"},
        {"AvB&C", "OR(A,AND(B,C))", "ABC"},
        {"/A&B", "AND(/A,B)", "AB"},
        {"(A&B)&C", "AND(AND(A,B),C)", "ABC"},
        {"A&(B&C)", "AND(A,AND(B,C))", "ABC"},
        {"(A)vB", "OR(A,B)", "AB"},
        {"((A))", "A", "A"},
        {"/(/A)", "A", "A"},
        {"/(A&B)", "/AND(A,B)", "AB"},
        {"//(AvB)", "OR(A,B)", "AB"},
        {"(A&/B)vC", "OR(AND(A,/B),C)", "ABC"},
        {"/(AvB)&(CvD)", "AND(/OR(A,B),OR(C,D))", "ABCD"},
        {" A & B ", "AND(A,B)", "AB"},
        {"!A&\xC2\xAC"
         "B",
         "AND(/A,/B)", "AB"},
        {"CvA&C", "OR(C,AND(A,C))", "AC"},
        {"ZvW", "OR(Z,W)", "WZ"},
        {"A&A", "AND(A,A)", "A"},
    };
    for (const Accepted& c : cases) {
        const TermCheck check = CheckTerm(c.term);
        ASSERT_TRUE(check.ok) << c.term << ": " << check.error.message;
        EXPECT_EQ(check.tree.variables, c.variables) << c.term;
        EXPECT_EQ(Describe(check.tree, check.tree.root), c.groups) << c.term;
    }
}

TEST(TermCheckTest, GroupsComeAfterTheGroupsAmongTheirOperands) {
    const TermCheck check = CheckTerm("((A&B)v(C&/D))&(EvF)");
    ASSERT_TRUE(check.ok);
    for (std::size_t g = 0; g < check.tree.groups.size(); ++g)
        for (const TermOperand& op : check.tree.groups[g].operands) {
            if (op.isGroup) {
                EXPECT_LT(static_cast<std::size_t>(op.index), g);
            }
        }
    ASSERT_TRUE(check.tree.root.isGroup);
    EXPECT_EQ(static_cast<std::size_t>(check.tree.root.index), check.tree.groups.size() - 1);
}

struct Refused {
    std::string term;
    int position;
    const char* message; // a part of the message
};

std::string Chain(char op, int operands) {
    std::string t;
    for (int i = 0; i < operands; ++i)
        t += std::string(i > 0 ? 1 : 0, op) + static_cast<char>('A' + i);
    return t;
}

TEST(TermCheckTest, ErrorsWithTheirPositions) {
    const std::string unknown = "Unbekanntes Zeichen";
    const Refused cases[] = {
        {"", 1, "leer"},
        {"   ", 1, "leer"},
        {"A+B", 2, "\u201E+\u201C"},
        {"A*B", 2, "\u201E*\u201C"},
        {"a&b", 1, "\u201Ea\u201C"},
        {"A&2", 3, "\u201E2\u201C"},
        {"AVB", 2, "\u201EV\u201C"},
        {"A\xFF", 2, "\u201E?\u201C"},
        {"AB", 2, "fehlt ein Operator"},
        {"A(B)", 2, "fehlt ein Operator"},
        {"(A)(B)", 4, "fehlt ein Operator"},
        {"A/B", 2, "fehlt ein Operator"},
        {")(", 1, "fehlt die öffnende"},
        {"A)", 2, "fehlt die öffnende"},
        {"A&", 3, "fehlt ein Operand"},
        {"&A", 1, "fehlt ein Operand"},
        {"AvvB", 3, "fehlt ein Operand"},
        {"A& vB", 4, "fehlt ein Operand"},
        {"(A&)", 4, "fehlt ein Operand"},
        {"(/)", 3, "fehlt ein Operand"},
        {"/", 2, "fehlt ein Operand"},
        {"()", 2, "Leere Klammern"},
        {"A&()", 4, "Leere Klammern"},
        {"(A", 3, "schließende Klammer"},
        {"((AvB)", 7, "schließende Klammer"},
        {Chain('&', 16), 31, "Mehr als 15 Operanden"},
        {Chain('v', 16), 31, "Mehr als 15 Operanden"},
        {"(" + Chain('v', 16) + ")", 32, "Mehr als 15 Operanden"},
        {"X&" + Chain('v', 15) + "vB&C", 33, "Mehr als 15 Operanden"},
        {std::string(251, 'A'), 251, "länger als 250 Zeichen"},
        {std::string(100000, '('), 251, "länger als 250 Zeichen"},
    };
    for (const Refused& c : cases) {
        const TermCheck check = CheckTerm(c.term);
        ASSERT_FALSE(check.ok) << c.term;
        EXPECT_EQ(check.error.position, c.position) << c.term << ": " << check.error.message;
        EXPECT_NE(check.error.message.find(c.message), std::string::npos)
            << c.term << ": " << check.error.message;
        if (check.error.message.find(unknown) != std::string::npos) {
            EXPECT_NE(check.error.message.find(kTermSyntaxHint), std::string::npos) << c.term;
        }
        EXPECT_TRUE(check.tree.groups.empty()) << c.term;
    }
}

TEST(TermCheckTest, LimitsThemselvesAreAccepted) {
    EXPECT_TRUE(CheckTerm(Chain('&', 15)).ok);
    EXPECT_TRUE(CheckTerm(Chain('v', 15)).ok);
    // 250 characters, most of them blanks.
    EXPECT_TRUE(CheckTerm(std::string(249, ' ') + "A").ok);
    // The length counts characters, not bytes: 124 two-byte "¬" and a letter.
    std::string nots;
    for (int i = 0; i < 124; ++i)
        nots += "\xC2\xAC";
    EXPECT_TRUE(CheckTerm(nots + "A").ok);
    // Deep nesting within the length.
    EXPECT_TRUE(CheckTerm(std::string(124, '(') + "A" + std::string(124, ')')).ok);
}

TEST(TermCheckTest, OverlongUtf8IsNoVariable) {
    // Fault pinned: an overlong UTF-8 form of a letter ("\xC1\x89" for "I") passed as a variable.
    for (const char* term :
         {"AvCv\xC1\x89", "A&\xC1\x81", "A&\xE0\x81\x81", "A&\xED\xA0\x80", "A&\xF4\x90\x80\x80"}) {
        const TermCheck check = CheckTerm(term);
        EXPECT_FALSE(check.ok) << term;
        EXPECT_NE(check.error.message.find("Unbekanntes Zeichen"), std::string::npos) << term;
    }
    EXPECT_EQ(CheckTerm("A&\xC1\x81").error.position, 3);
}

TEST(TermCheckTest, PositionsCountCharactersNotBytes) {
    const TermCheck check = CheckTerm("\xC2\xAC"
                                      "A+B");
    ASSERT_FALSE(check.ok);
    EXPECT_EQ(check.error.position, 3);
}

TEST(TermCheckTest, ErrorTextNamesThePosition) {
    const TermCheck check = CheckTerm("A+B");
    ASSERT_FALSE(check.ok);
    const std::string text = TermErrorText(check.error);
    EXPECT_EQ(text.rfind("Fehler im Term an Position 2:", 0), 0u) << text;
    EXPECT_NE(text.find("& = UND, v = ODER, / = NICHT"), std::string::npos);
}

TEST(TermCheckTest, RandomTermsEvaluateLikeTheReference) {
    test::RandomTerms terms(4711);
    for (int i = 0; i < 500; ++i) {
        const std::string term = terms.Next(1 + i % 8, 3);
        const TermCheck check = CheckTerm(term);
        ASSERT_TRUE(check.ok) << term << ": " << check.error.message;
        const std::vector<std::uint8_t> table = TruthTable(check.tree);
        for (unsigned row = 0; row < table.size(); ++row)
            ASSERT_EQ(table[row] != 0, test::ReferenceValue(term, check.tree.variables, row))
                << term << " row " << row;
    }
}

} // namespace
} // namespace kardo
