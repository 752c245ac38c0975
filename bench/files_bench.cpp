// Benchmarks of the circuit files on a 200 x 200 sheet full of gates, switches, LEDs, wires and
// points, built through the placing operations: the whole save (run analysis, writing, the
// atomic replacement with its flush) and the whole load (reading, checks, swap), and apart from
// the disk the reading and the writing of the text alone. Target: save and load each under 50 ms.
#include "bench_support.h"
#include "editor/line_runs.h"
#include "files/circuit_document.h"
#include "files/circuit_file.h"
#include "files/circuit_reader.h"
#include "files/circuit_writer.h"
#include "files/text_codec.h"
#include "model/codes.h"
#include "model/grid.h"
#include "support/builder.h"
#include "support/circuit_files.h"

#include <string>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

// Fake platform services, a temporary folder and the full 200 x 200 sheet.
class FileBenchEnv {
  public:
    FileBenchEnv() { m_elements = BuildGateSheet200(); }

    std::string File() const { return m_dir.File("voll.kdx"); }
    int Elements() const { return m_elements; }

  private:
    BenchPlatform m_platform{kHeadless, 200, 200}; // services and the empty sheet
    test::TempDir m_dir;                           // the file's folder
    int m_elements = 0;                            // elements placed
};

// The circuit on the worksheet as a file would hold it.
CircuitDocument Captured() {
    CircuitDocument doc;
    CaptureCircuit(doc);
    return doc;
}

// The document read back from a circuit file's bytes; fails the benchmark when it does not read.
CircuitDocument ReadBack(const std::string& bytes) {
    CircuitDocument doc;
    ReadProblem problem;
    Require(ReadCircuitText(DecodeFileText(bytes), 50, 30, doc, problem), "read back");
    return doc;
}

void BM_SaveSheet200(benchmark::State& state) {
    FileBenchEnv env;
    for (auto _ : state) {
        if (SaveFileTo(env.File()) != FileOutcome::Success)
            state.SkipWithError("save failed");
    }
    // The file holds the circuit, and loading it gives the worksheet back.
    const CircuitDocument saved = Captured();
    const std::string bytes = test::ReadBytes(env.File());
    Require(ReadBack(bytes) == saved, "saved file holds the circuit");
    Require(LoadFile(env.File()) == FileOutcome::Success && Captured() == saved &&
                gAnzElemente == env.Elements(),
            "saved file loads as the circuit");
    state.counters["elements"] = env.Elements();
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_SaveSheet200)->Unit(benchmark::kMillisecond);

void BM_LoadSheet200(benchmark::State& state) {
    FileBenchEnv env;
    if (SaveFileTo(env.File()) != FileOutcome::Success)
        state.SkipWithError("save failed");
    for (auto _ : state) {
        if (LoadFile(env.File()) != FileOutcome::Success || gAnzElemente != env.Elements())
            state.SkipWithError("load failed");
    }
    state.counters["elements"] = env.Elements();
}
BENCHMARK(BM_LoadSheet200)->Unit(benchmark::kMillisecond);

// The text alone: writing the document of the worksheet and encoding it, its wire runs analysed
// first as a save does.
void BM_WriteText200(benchmark::State& state) {
    FileBenchEnv env;
    AnalysiereLeitungen();
    std::string text;
    std::string bytes;
    for (auto _ : state) {
        CircuitDocument doc;
        CaptureCircuit(doc);
        WriteCircuitText(doc, text);
        EncodeWindows1252(text, bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
    Require(ReadBack(bytes) == Captured(), "written text holds the circuit");
}
BENCHMARK(BM_WriteText200)->Unit(benchmark::kMillisecond);

// The text alone: decoding, reading and checking into a document.
void BM_ReadText200(benchmark::State& state) {
    FileBenchEnv env;
    if (SaveFileTo(env.File()) != FileOutcome::Success)
        state.SkipWithError("save failed");
    const std::string bytes = test::ReadBytes(env.File());
    CircuitDocument doc;
    for (auto _ : state) {
        doc = CircuitDocument{};
        ReadProblem problem;
        if (!ReadCircuitText(DecodeFileText(bytes), 50, 30, doc, problem))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(doc.Elements.data());
    }
    Require(doc == Captured() && doc.AnzElemente() == env.Elements(), "text read as saved");
}
BENCHMARK(BM_ReadText200)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kardo::bench
