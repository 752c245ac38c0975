// Peak memory of loading hostile circuit files of 64 MB (the largest a load reads): blank lines
// after [Tags] and in every other section, short lines in the pin sections, cells, wire runs,
// notes. Each load runs in a child process whose peak resident memory above its start is the
// figure. Goal: a load needs at most about ten times the file size plus a constant.
#include "bench_support.h"
#include "files/circuit_file.h"
#include "support/circuit_files.h"

#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

// Resident memory of this process now, in bytes.
long long ResidentBytes() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return static_cast<long long>(resident) * ::sysconf(_SC_PAGESIZE);
}

// A file of about 64 MB: head, then line repeated, then tail.
std::string Hostile(const std::string& head, const std::string& line, const std::string& tail) {
    std::string text = head;
    const std::size_t target = (64u << 20) - head.size() - tail.size() - line.size();
    text.reserve(target + head.size() + tail.size() + line.size());
    while (text.size() < target)
        text += line;
    return text + tail;
}

// Loads path in a child process; the peak resident memory it added, or -1.
long long PeakOfLoad(const std::string& path, bool& loaded) {
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const long long start = ResidentBytes();
        const bool ok = LoadFile(path) == FileOutcome::Success;
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        const long long result[2] = {usage.ru_maxrss * 1024LL - start, ok ? 1 : 0};
        if (::write(fds[1], result, sizeof result) != sizeof result)
            ::_exit(1);
        ::_exit(0);
    }
    ::close(fds[1]);
    long long result[2] = {-1, 0};
    if (::read(fds[0], result, sizeof result) != sizeof result)
        result[0] = -1;
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    loaded = result[1] != 0;
    return result[0];
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

} // namespace
} // namespace kardo::bench
