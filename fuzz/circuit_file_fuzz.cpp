// Fuzz target of the circuit file reader: any bytes are decoded, read and checked. A file the
// reader accepts must write a text that reads back to the same text, and its wire runs must
// rebuild within the sheet. Crashes, hangs, leaks and sanitizer findings are failures.
#include "editor/line_runs.h"
#include "files/circuit_document.h"
#include "files/circuit_file.h"
#include "files/circuit_reader.h"
#include "files/circuit_writer.h"
#include "files/text_codec.h"
#include "model/elements.h"
#include "model/grid.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "circuit file fuzz: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kardo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = DecodeFileText(bytes);

    CircuitDocument doc;
    ReadProblem problem;
    if (!ReadCircuitText(text, 50, 30, doc, problem)) {
        if (problem.Text.empty())
            Fail("refused without a problem text");
        return 0;
    }

    std::string written;
    WriteCircuitText(doc, written);
    CircuitDocument again;
    if (!ReadCircuitText(written, 7, 7, again, problem))
        Fail("the reader refuses what the writer wrote");
    std::string rewritten;
    WriteCircuitText(again, rewritten);
    if (rewritten != written)
        Fail("writing what was read back gives another text");
    std::string encoded;
    EncodeWindows1252(written, encoded);

    // The worksheet part of a load: cells, runs rebuilt into wire cells, runs analysed again.
    gFeldBreite = doc.FeldBreite;
    gFeldHoehe = doc.FeldHoehe;
    gGrid = std::move(doc.Cells);
    gLineRuns.Dim(gFeldBreite + 1, gFeldHoehe + 1);
    for (const JumpLine& j : doc.Jumps) {
        gLineRuns(j.X, j.Y).EndX = j.EndX;
        gLineRuns(j.X, j.Y).EndY = j.EndY;
    }
    if (doc.HasJump)
        RestoreJumps();
    AnalysiereLeitungen();
    return 0;
}
