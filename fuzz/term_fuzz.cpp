// Fuzz target of the term checker: any bytes are checked as a term. An error must name a
// position within the text or just after it; an accepted term must give well-formed groups,
// evaluate like the reference evaluator of the tests (every row up to 8 variables, 64 rows
// otherwise) and lay out within the largest sheet's coordinates. Crashes, hangs, leaks and
// sanitizer findings are failures.
#include "boolean/synthesis_layout.h"
#include "boolean/term.h"
#include "boolean/truth_table.h"
#include "support/term_reference.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

void Fail(const char* what) {
    std::fprintf(stderr, "term fuzz: %s\n", what);
    std::abort();
}

void CheckTree(const kardo::TermTree& tree) {
    for (std::size_t i = 0; i < tree.variables.size(); ++i) {
        const char c = tree.variables[i];
        if (c < 'A' || c > 'Z' || c == 'V' || (i > 0 && tree.variables[i - 1] >= c))
            Fail("variables not unique letters in order");
    }
    auto valid = [&tree](const kardo::TermOperand& op, std::size_t below) {
        return op.isGroup
                   ? op.index >= 0 && static_cast<std::size_t>(op.index) < below
                   : op.index >= 0 && static_cast<std::size_t>(op.index) < tree.variables.size();
    };
    for (std::size_t g = 0; g < tree.groups.size(); ++g) {
        const auto& ops = tree.groups[g].operands;
        if (ops.size() < 2 || ops.size() > static_cast<std::size_t>(kardo::kMaxGroupOperands))
            Fail("group size");
        for (const kardo::TermOperand& op : ops)
            if (!valid(op, g))
                Fail("operand index");
    }
    if (!valid(tree.root, tree.groups.size()))
        Fail("root index");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kardo::TermCheck check = kardo::CheckTerm(text);
    if (!check.ok) {
        if (check.error.position < 1 || check.error.position > static_cast<int>(size) + 1 ||
            check.error.message.empty())
            Fail("error position or message");
        return 0;
    }
    CheckTree(check.tree);

    const unsigned n = static_cast<unsigned>(check.tree.variables.size());
    if (n <= 8) {
        const std::vector<std::uint8_t> table = kardo::TruthTable(check.tree);
        for (unsigned row = 0; row < table.size(); ++row)
            if ((table[row] != 0) != kardo::test::ReferenceValue(text, check.tree.variables, row))
                Fail("truth table differs from the reference");
    } else {
        std::uint32_t row = 0x9E3779B9u ^ static_cast<std::uint32_t>(size);
        for (int k = 0; k < 64; ++k) {
            row = row * 1664525u + 1013904223u;
            const std::uint32_t r = row & ((1u << n) - 1u);
            if (kardo::EvaluateTerm(check.tree, r) !=
                kardo::test::ReferenceValue(text, check.tree.variables, r))
                Fail("value differs from the reference");
        }
    }

    const kardo::SynthesisPlan plan = kardo::PlanSynthesis(check.tree, {});
    if (plan.gates.size() != check.tree.groups.size() || plan.width < 1 || plan.height < 1 ||
        plan.width > 2000 || plan.height > 2000)
        Fail("layout");
    return 0;
}
