// Fuzz target of the circuit file reader and the IC definition reader: any bytes are decoded,
// read and checked. A file the reader accepts must write a text that reads back to the same
// text, and its wire runs must rebuild within the sheet; a definition the IC reader accepts must
// have its pins where it says. Crashes, hangs, leaks and sanitizer findings are failures.
#include "editor/line_runs.h"
#include "files/circuit_document.h"
#include "files/circuit_file.h"
#include "files/circuit_reader.h"
#include "files/circuit_writer.h"
#include "files/ic_definition.h"
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

// The same text as an IC definition: refused with a reason, or sound enough to build a level
// from and to cross its pins; the layout check of its nested ICs runs against itself.
void FuzzICDefinition(std::string_view text) {
    using namespace kardo;
    ICDefinition def;
    ReadProblem problem;
    if (!ReadICDefinitionText(text, def, problem)) {
        if (problem.Text.empty())
            Fail("definition refused without a problem text");
        return;
    }
    int placed = 0;
    for (int k = 1; k <= def.PinCount(); ++k) {
        const GridPoint p = def.PinCells[static_cast<std::size_t>(k)];
        if (!def.Cells.Contains(p.x, p.y) || def.Cells(p.x, p.y).ICPin != k)
            Fail("a pin cell of an accepted definition is not its pin");
        const ICPinPlace& place = def.Places[static_cast<std::size_t>(k)];
        if (place.Placed && (place.A < 0 || place.A > def.Breite || place.B < 0 ||
                             place.B > def.Hoehe))
            Fail("a pin place of an accepted definition is off the package");
        if (place.Placed && def.PinListIndex[static_cast<std::size_t>(k)] != placed++)
            Fail("pin list entries out of order");
    }
    if (placed != def.PlacedPins || placed == 0)
        Fail("placed pins miscounted");
    const std::vector<int> counts =
        CountElementCells(def.Cells, static_cast<int>(def.Elements.size()) - 1);
    for (const ICLine& line : def.Nested) {
        std::string what;
        if (CheckICElement(def.Cells, def.Elements, line.ElementNr, def, counts, what))
            SetICElementInstance(def.Cells, def.Elements, line.ElementNr, def, 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kardo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = DecodeFileText(bytes);
    FuzzICDefinition(text);

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
