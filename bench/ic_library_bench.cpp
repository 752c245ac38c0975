// Benchmarks of the IC library with one IC "inv" whose notes are 10 MB (100,000 lines of 100
// characters) beside "inv2": reading the library's list with every IC's notes on one line, as
// opening the library window does, and reading the chosen IC's details and notes, as choosing
// it does. Both grow with the size of the notes alone (target: under 1 s each).
#include "bench_support.h"
#include "files/ic_definition.h"
#include "files/ic_notes.h"
#include "files/working_folders.h"
#include "ic/ic_library.h"
#include "support/circuit_files.h"
#include "support/ic_circuits.h"

#include <string>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

constexpr std::size_t kNoteLines = 100'000;

class ICLibraryBenchEnv {
  public:
    ICLibraryBenchEnv() {
        gVerzeichnisse[1] = m_dir.Path() + "/";
        test::WriteInverterICs(gVerzeichnisse[1]);
        std::string notes;
        for (std::size_t k = 0; k < kNoteLines; ++k)
            notes.append(k == 0 ? "" : "\n").append(98, static_cast<char>('a' + k % 26));
        const std::string path = m_dir.File("inv.icd");
        test::WriteBytes(path, ReplaceICNotes(test::ReadBytes(path), notes));
        m_bytes = test::ReadBytes(path).size();
        Require(ReadICNotes(path).size() == kNoteLines * 100 - 2, "10 MB of notes");
    }
    double Bytes() const { return static_cast<double>(m_bytes); }

  private:
    BenchPlatform m_platform{kHeadless, 50, 30}; // services
    test::TempDir m_dir;                         // the IC folder
    std::size_t m_bytes = 0;                     // size of inv.icd
};

void BM_ICLibraryList10MBNotes(benchmark::State& state) {
    ICLibraryBenchEnv env;
    for (auto _ : state) {
        const std::vector<ICLibraryEntry> entries = ReadICLibrary();
        Require(entries.size() == 2 && entries[0].Notes.size() == kNoteLines * 99 - 1, "list");
    }
    state.counters["file_bytes"] = env.Bytes();
}
BENCHMARK(BM_ICLibraryList10MBNotes)->Unit(benchmark::kMillisecond);

void BM_ICLibraryDetails10MBNotes(benchmark::State& state) {
    ICLibraryBenchEnv env;
    for (auto _ : state) {
        ICDefinition def;
        std::string problem;
        Require(ReadICDetails("inv", def, problem), "details");
        Require(ReadICNotes(def.Path).size() == kNoteLines * 100 - 2, "notes");
    }
    state.counters["file_bytes"] = env.Bytes();
}
BENCHMARK(BM_ICLibraryDetails10MBNotes)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kardo::bench
