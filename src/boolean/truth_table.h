// Truth tables of checked terms and terms made from hand-filled tables.
#pragma once

#include "boolean/term.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kardo {

constexpr int kMaxTableVariables = 16;   // the truth table shows at most 2^16 rows
constexpr int kMinCreationVariables = 1; // term creation: variables of the table
constexpr int kMaxCreationVariables = 6;

// Row order of every table: the variables alphabetical, the first column the most significant
// bit, the rows counting up from 0. In row r variable k (0 the first) has the value of bit
// n - 1 - k of r, n being the number of variables.
bool RowValue(int row, int variable, int variableCount);

// The term's value in one row.
bool EvaluateTerm(const TermTree& tree, std::uint32_t row);

// The term's value in every row, 1 or 0; 2^n entries. The tree must have at most
// kMaxTableVariables variables.
std::vector<std::uint8_t> TruthTable(const TermTree& tree);

// The letters of a term-creation table of n variables: "A", "AB", ... (n within 1..6).
std::string CreationVariables(int n);

// The term of a filled table: the sum ("v") of the minterms of the rows whose result is not 0,
// in row order; each minterm is the AND ("&") of every variable in the table's order, negated
// ("/") where the row has 0: "/A&BvA&/B". Empty when no row has a 1. results has 2^n entries
// for the n = variables.size() letters.
std::string TermFromTable(std::string_view variables, const std::vector<std::uint8_t>& results);

} // namespace kardo
