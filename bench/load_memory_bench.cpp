// Peak memory of loading hostile circuit files of 64 MB (the largest a load reads): blank lines
// after [Tags] and in every other section, short lines in the pin sections, cells, wire runs,
// notes. Each load runs in a child process whose peak resident memory above its start is the
// figure. Goal: a load needs at most about ten times the file size plus a constant. And a
// circuit of 255 instances of an IC with large notes: goal at most four times the files' size
// plus 64 MB.
#include "app/settings.h"
#include "bench_support.h"
#include "files/circuit_file.h"
#include "model/codes.h"
#include "model/ic_instances.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/ic_circuits.h"
#include "support/ic_files.h"

#include <string>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

// A file of about 64 MB: head, then line repeated, then tail.
std::string Hostile(const std::string& head, const std::string& line, const std::string& tail) {
    std::string text = head;
    const std::size_t target = (64u << 20) - head.size() - tail.size() - line.size();
    text.reserve(target + head.size() + tail.size() + line.size());
    while (text.size() < target)
        text += line;
    return text + tail;
}

struct Case {
    const char* head; // text before the repeated line
    const char* line; // the line repeated up to 64 MB
    const char* tail; // text after it
};

const Case kCases[] = {
    {"[Tags]\r\n", "\r\n", ""},                       // 0 blank lines, pin section
    {"[Feld]\r\n10;10;\r\n[Punkte]\r\n", "\r\n", ""}, // 1 blank lines, cells
    {"[Notizen]\r\n", "\r\n", ""},                    // 2 blank lines in the notes
    {"[Tags]\r\n", "a\r\n", ""},                      // 3 short pin lines
    {"[Feld]\r\n1000;1000;\r\n[Punkte]\r\n", "9;9;1;0;0;0;0;-1;0;0;0;\r\n", ""}, // 4 cells
    {"[Feld]\r\n1000;1000;\r\n[Jump]\r\n", "1;1;0;0;\r\n", ""},                  // 5 empty runs
    {"[Name]\r\n", "ein langer Name, Zeile für Zeile\r\n", ""},                  // 6 names
    {"", "Zeile vor dem ersten Abschnitt\r\n", "[Feld]\r\n10;10;\r\n"}, // 7 text before headers
};

// The goal: a load's peak at most this many times the file's size, plus this constant.
constexpr long long kPeakPerFileByte = 10;
constexpr long long kPeakConstant = 64LL << 20;

void BM_LoadHostileFile64MB(benchmark::State& state) {
    const Case& c = kCases[state.range(0)];
    BenchPlatform platform{kHeadless, 50, 30};
    test::TempDir dir;
    const std::string path = dir.File("feindlich.kdx");
    const std::string text = Hostile(c.head, c.line, c.tail);
    test::WriteBytes(path, text);
    long long peak = 0;
    bool loaded = false;
    for (auto _ : state)
        peak = PeakOfLoad(path, loaded);
    Require(peak >= 0, "the load in its own process reported");
    Require(peak <= kPeakPerFileByte * static_cast<long long>(text.size()) + kPeakConstant,
            "peak memory of the load within ten times the file and a constant");
    const double fileMB = static_cast<double>(text.size()) / (1 << 20);
    state.counters["file_MB"] = fileMB;
    state.counters["peak_MB"] = static_cast<double>(peak) / (1 << 20);
    state.counters["ratio"] = static_cast<double>(peak) / static_cast<double>(text.size());
    state.counters["loaded"] = loaded ? 1 : 0;
}
BENCHMARK(BM_LoadHostileFile64MB)->DenseRange(0, 7)->Iterations(1)->Unit(benchmark::kMillisecond);

// "notiz": one inverter with mb MB of notes; "notiz16": sixteen notiz; the circuit: fifteen
// notiz16, 255 instances in all, each with those notes. Returns the size of the files.
long long WriteNotesCircuit(const test::TempDir& dir, long long mb, std::string& circuit) {
    gVerzeichnisse[1] = dir.Path() + "/";
    std::string notes;
    const std::string line = std::string(62, 'n') + "\r\n";
    notes.reserve(static_cast<std::size_t>(mb << 20) + line.size());
    while (notes.size() < static_cast<std::size_t>(mb << 20))
        notes += line;
    notes.resize(notes.size() - 2);
    test::FreshSheet(7, 4);
    Require(test::PlaceInverter(3, 2, kRight) != 0, "inverter");
    test::LayWire(1, 2, 3, 2);
    test::LayWire(4, 2, 6, 2);
    test::WriteICDefinition(gVerzeichnisse[1], "notiz", {{"E", 1, 2, 0, 1}, {"A", 6, 2, 2, 1}}, 2,
                            2, notes);
    notes = std::string();
    test::FreshSheet(66, 6);
    for (int i = 0; i < 16; ++i)
        Require(test::PlaceIC("notiz", 2 + 4 * i, 2) != 0, "notiz placed");
    test::LayWire(1, 5, 3, 5);
    test::WriteICDefinition(gVerzeichnisse[1], "notiz16", {{"E", 1, 5, 0, 1}}, 2, 2);
    test::FreshSheet(80, 10);
    for (int i = 0; i < 15; ++i)
        Require(test::PlaceIC("notiz16", 2 + 5 * i, 2) != 0, "notiz16 placed");
    Require(gICInstanceMax == 255, "255 instances");
    circuit = dir.File("notizen.kdx");
    Require(SaveFileTo(circuit) == FileOutcome::Success, "saved");
    test::FreshSheet(80, 10);
    return static_cast<long long>(test::ReadBytes(circuit).size() +
                                  test::ReadBytes(dir.File("notiz.icd")).size() +
                                  test::ReadBytes(dir.File("notiz16.icd")).size());
}

void BM_LoadICNotes255(benchmark::State& state) {
    BenchPlatform platform{kHeadless, 80, 10};
    test::TempDir dir;
    std::string circuit;
    const long long files = WriteNotesCircuit(dir, state.range(0), circuit);
    long long peak = 0;
    bool loaded = false;
    for (auto _ : state)
        peak = PeakOfLoad(circuit, loaded);
    const double ratio = static_cast<double>(peak) / static_cast<double>(files);
    state.counters["files_MB"] = static_cast<double>(files) / (1 << 20);
    state.counters["peak_MB"] = static_cast<double>(peak) / (1 << 20);
    state.counters["ratio"] = ratio;
    state.counters["loaded"] = loaded ? 1 : 0;
    if (!loaded || peak < 0 || peak > 4 * files + (64LL << 20)) {
        const std::string what = "the load failed or needed " + std::to_string(peak >> 20) +
                                 " MB, more than 4 x the files + 64 MB";
        state.SkipWithError(what.c_str());
    }
}
BENCHMARK(BM_LoadICNotes255)->Arg(10)->Arg(41)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kardo::bench
