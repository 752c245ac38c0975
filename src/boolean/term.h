// The term checker: reads a Boolean term ("A&/BvC"), reports the first error with its position,
// and gives the term as groups: one group per chain of one operator or per parenthesised term,
// the form the synthesis turns into gates and the truth table evaluates.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kardo {

constexpr int kMaxTermLength = 250;   // characters; a longer term is refused
constexpr int kMaxGroupOperands = 15; // inputs of the largest gate

enum class GroupKind : std::uint8_t { And, Or };

// One operand of a group, or the whole term: a variable or a group, each possibly negated.
struct TermOperand {
    bool isGroup = false; // index names a group, else a variable
    bool negated = false; // an odd number of "/" stands before it
    int index = 0;        // into TermTree::variables or TermTree::groups
    bool operator==(const TermOperand&) const = default;
};

// A chain of one operator ("A&B&C") or a parenthesised term: 2 to 15 operands.
struct TermGroup {
    GroupKind kind = GroupKind::And;
    std::vector<TermOperand> operands;
    bool operator==(const TermGroup&) const = default;
};

struct TermTree {
    std::string variables;         // the letters used, each once, alphabetical
    std::vector<TermGroup> groups; // every group after the groups among its operands
    TermOperand root;              // the whole term
};

// The first error of a term: its 1-based character position (where the caret goes) and what is
// wrong, in German.
struct TermError {
    int position = 0;    // 1-based; one past the end for a term that ends too early
    std::string message; // e.g. "Hier fehlt ein Operand."
};

struct TermCheck {
    bool ok = false;
    TermTree tree;   // when ok
    TermError error; // when not ok
};

// Checks a term given as UTF-8. Variables are the upper-case letters A to Z except V; "&" is
// AND, "v" OR, "/" (also "!" and "¬") NOT; "/" binds tighter than "&", "&" tighter than "v";
// blanks are ignored. Runs in time linear in the text and without recursion.
TermCheck CheckTerm(std::string_view text);

// The text of the message box for an error: "Fehler im Term an Position n:" and what is wrong.
std::string TermErrorText(const TermError& error);

// The hint given with an unknown character.
inline constexpr std::string_view kTermSyntaxHint = "& = UND, v = ODER, / = NICHT";

} // namespace kardo
