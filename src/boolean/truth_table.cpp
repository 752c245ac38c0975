// Truth tables are evaluated 64 rows at a time: each variable's column is a bit pattern, each
// group one AND or OR of its operands' words.
#include "boolean/truth_table.h"

#include <algorithm>
#include <cassert>

namespace kardo {

namespace {

// Bit j of pattern s is bit s of j: the columns of the six least significant variables within
// a word of 64 rows.
constexpr std::uint64_t kColumnPattern[6] = {0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull,
                                             0xF0F0F0F0F0F0F0F0ull, 0xFF00FF00FF00FF00ull,
                                             0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull};

// The term's values in the 64 rows from base on.
class WordEvaluator {
  public:
    explicit WordEvaluator(const TermTree& tree)
        : m_tree(tree), m_n(static_cast<int>(tree.variables.size())), m_values(tree.groups.size()) {
    }

    std::uint64_t Evaluate(std::uint64_t base) {
        for (std::size_t g = 0; g < m_tree.groups.size(); ++g) {
            const TermGroup& group = m_tree.groups[g];
            const bool isAnd = group.kind == GroupKind::And;
            std::uint64_t acc = isAnd ? ~0ull : 0;
            for (const TermOperand& op : group.operands) {
                const std::uint64_t v = Value(op, base);
                acc = isAnd ? (acc & v) : (acc | v);
            }
            m_values[g] = acc;
        }
        return Value(m_tree.root, base);
    }

  private:
    std::uint64_t Value(const TermOperand& op, std::uint64_t base) const {
        std::uint64_t v = 0;
        if (op.isGroup) {
            v = m_values[static_cast<std::size_t>(op.index)];
        } else {
            const int s = m_n - 1 - op.index;
            v = s < 6 ? kColumnPattern[s] : (((base >> s) & 1u) != 0 ? ~0ull : 0);
        }
        return op.negated ? ~v : v;
    }

    const TermTree& m_tree;
    int m_n;
    std::vector<std::uint64_t> m_values; // per group, for the current word
};

} // namespace

bool RowValue(int row, int variable, int variableCount) {
    return ((row >> (variableCount - 1 - variable)) & 1) != 0;
}

bool EvaluateTerm(const TermTree& tree, std::uint32_t row) {
    WordEvaluator eval(tree);
    const std::uint64_t base = row & ~63u;
    return ((eval.Evaluate(base) >> (row & 63u)) & 1u) != 0;
}

std::vector<std::uint8_t> TruthTable(const TermTree& tree) {
    const int n = static_cast<int>(tree.variables.size());
    assert(n <= kMaxTableVariables);
    const std::size_t rows = std::size_t{1} << n;
    std::vector<std::uint8_t> result(rows);
    WordEvaluator eval(tree);
    for (std::size_t base = 0; base < rows; base += 64) {
        const std::uint64_t word = eval.Evaluate(base);
        const std::size_t count = std::min<std::size_t>(64, rows - base);
        for (std::size_t j = 0; j < count; ++j)
            result[base + j] = static_cast<std::uint8_t>((word >> j) & 1u);
    }
    return result;
}

std::string CreationVariables(int n) {
    n = std::clamp(n, kMinCreationVariables, kMaxCreationVariables);
    std::string letters;
    for (int k = 0; k < n; ++k)
        letters += static_cast<char>('A' + k);
    return letters;
}

std::string TermFromTable(std::string_view variables, const std::vector<std::uint8_t>& results) {
    const int n = static_cast<int>(variables.size());
    std::string term;
    for (std::size_t row = 0; row < results.size(); ++row) {
        if (results[row] == 0)
            continue;
        if (!term.empty())
            term += 'v';
        for (int k = 0; k < n; ++k) {
            if (k > 0)
                term += '&';
            if (!RowValue(static_cast<int>(row), k, n))
                term += '/';
            term += variables[static_cast<std::size_t>(k)];
        }
    }
    return term;
}

} // namespace kardo
