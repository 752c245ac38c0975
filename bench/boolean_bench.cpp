// Benchmarks of the Boolean algebra: the truth table of a term of 16 variables (target under
// 50 ms) and the synthesis of a term of 20 variables and 60 literals onto the worksheet,
// drawn into an in-memory picture (target under 0.5 s).
#include "app/main_state.h"
#include "bench_support.h"
#include "boolean/formula_line.h"
#include "boolean/term.h"
#include "boolean/truth_table.h"
#include "model/elements.h"

#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

constexpr const char* kLetters = "ABCDEFGHIJKLMNOPQRSTUWXYZ"; // the variables, V left out

// Groups of three literals over the first `vars` letters, every second one negated, ORed in
// two halves so that no group has more than 15 operands.
std::string SumOfProducts(int groups, int vars) {
    std::string half[2];
    int literal = 0;
    for (int g = 0; g < groups; ++g) {
        std::string& t = half[g < groups / 2 ? 0 : 1];
        if (!t.empty())
            t += 'v';
        for (int k = 0; k < 3; ++k, ++literal) {
            if (k > 0)
                t += '&';
            if (literal % 2 == 1)
                t += '/';
            t += kLetters[literal % vars];
        }
    }
    return "(" + half[0] + ")v(" + half[1] + ")";
}

// The value of SumOfProducts(groups, vars) in a row of its truth table, worked out from how the
// term was built: the first `vars` letters are its variables in alphabetical order, the first
// the most significant bit of the row.
bool SumOfProductsValue(int groups, int vars, std::uint32_t row) {
    int literal = 0;
    for (int g = 0; g < groups; ++g) {
        bool product = true;
        for (int k = 0; k < 3; ++k, ++literal) {
            const int variable = literal % vars;
            const bool value = (row >> (vars - 1 - variable) & 1U) != 0;
            product = product && (literal % 2 == 1 ? !value : value);
        }
        if (product)
            return true;
    }
    return false;
}

void BM_TruthTableOf16Variables(benchmark::State& state) {
    const std::string term = SumOfProducts(16, 16);
    const TermCheck check = CheckTerm(term);
    Require(check.ok && check.tree.variables.size() == 16, "16-variable term");
    std::vector<std::uint8_t> table;
    for (auto _ : state) {
        table = TruthTable(check.tree);
        benchmark::DoNotOptimize(table.data());
    }
    bool right = table.size() == 65536;
    for (std::uint32_t row = 0; right && row < table.size(); ++row)
        right = (table[row] != 0) == SumOfProductsValue(16, 16, row);
    Require(right, "truth table");
    state.counters["rows"] = 65536;
}
BENCHMARK(BM_TruthTableOf16Variables)->Unit(benchmark::kMillisecond);

void BM_SynthesisOf20VariablesAnd60Literals(benchmark::State& state) {
    BenchPlatform platform(kPixels, 50, 30);
    const std::string term = SumOfProducts(20, 20);
    const TermCheck check = CheckTerm(term);
    Require(check.ok && check.tree.variables.size() == 20 && term.size() <= 250,
            "20-variable term");
    for (auto _ : state) {
        gUnveraendert = true;
        Require(CreateFile(term).created, "synthesis");
    }
    state.counters["elements"] = gAnzElemente;
    state.counters["chars"] = static_cast<double>(term.size());
}
BENCHMARK(BM_SynthesisOf20VariablesAnd60Literals)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kardo::bench
