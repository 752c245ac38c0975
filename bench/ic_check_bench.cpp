// Benchmarks of the IC existence check before a circuit is loaded. A chain of ICs beside the
// circuit, each holding the next, none in the IC folder, refused as more ICs than a load holds:
// 300 links against 4,000 (target: the 4,000 chain costs about what the 300 chain does, the
// walk ending at the 256th IC either way). A circuit naming 300 or 3,000 distinct ICs whose
// definitions lie beside it, refused the same way (target: 3,000 cost about what 300 do,
// nothing being copied). And "A" naming "B" 1,000 times, "B" naming the missing "M" 1,000 times
// (two files of about 9 KB): the check and its message (target: well under a second).
#include "bench_support.h"
#include "files/circuit_ics.h"
#include "files/ic_loader.h"
#include "files/working_folders.h"
#include "model/ic_instances.h"
#include "support/circuit_files.h"
#include "support/ic_circuits.h"

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

// Times the check of names against an empty IC folder, their definitions lying in beside: each
// run must refuse IC next as one more than a load holds, naming its file beside, and copy nothing.
void TimeTooManyICs(benchmark::State& state, BenchPlatform& env,
                    const std::vector<std::string>& names, const test::TempDir& beside,
                    const std::string& next) {
    test::TempDir icFolder;
    const std::string refusal =
        ICProblemText({next, beside.File(next + ".icd"), 0, TooManyICsText()});
    for (auto _ : state) {
        Require(!CheckICsExist(names, icFolder.Path() + "/", beside.Path() + "/"), "refused");
        Require(env.Window().messages.back().text == refusal, "too many ICs");
        Require(test::CountEntries(icFolder.Path()) == 0, "no copy left");
    }
}

void BM_ICChainBesideTheCircuit(benchmark::State& state) {
    BenchPlatform env(kHeadless, 50, 30);
    test::TempDir beside;
    const int links = static_cast<int>(state.range(0));
    test::WriteICChain(beside.Path() + "/", "C", links);
    TimeTooManyICs(state, env, {"C1"}, beside, "C256");
    state.counters["links"] = links;
}
BENCHMARK(BM_ICChainBesideTheCircuit)->Arg(300)->Arg(4000)->Unit(benchmark::kMillisecond);

void BM_ICsNamedBesideTheCircuit(benchmark::State& state) {
    BenchPlatform env(kHeadless, 50, 30);
    test::TempDir beside;
    const int count = static_cast<int>(state.range(0));
    test::WriteICChain(beside.Path() + "/", "C", 0); // inv and inv2 alone
    const std::string inv = test::ReadBytes(beside.File("inv.icd"));
    std::vector<std::string> names;
    for (int k = 1; k <= count; ++k) {
        names.push_back("N" + std::to_string(k));
        test::WriteBytes(beside.File(names.back() + ".icd"), inv);
    }
    TimeTooManyICs(state, env, names, beside, "N256");
    state.counters["names"] = count;
}
BENCHMARK(BM_ICsNamedBesideTheCircuit)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);

void BM_MissingICAtAMillionPlaces(benchmark::State& state) {
    BenchPlatform env(kHeadless, 50, 30);
    test::TempDir icFolder;
    const auto naming = [](const std::string& inner) {
        std::string text = "[IC]\r\n";
        for (int i = 1; i <= 1000; ++i)
            text += inner + ";" + std::to_string(i) + ";\r\n";
        return text;
    };
    test::WriteBytes(icFolder.File("A.icd"), naming("B"));
    test::WriteBytes(icFolder.File("B.icd"), naming("M"));
    for (auto _ : state) {
        Require(!CheckICsExist({"A"}, icFolder.Path() + "/", ""), "refused");
        Require(env.Window().messages.back().text ==
                    "Folgende ICs wurden nicht gefunden:\r\n - M\r\n",
                "the missing IC named once");
    }
}
BENCHMARK(BM_MissingICAtAMillionPlaces)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kardo::bench
