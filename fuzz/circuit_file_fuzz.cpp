// Fuzz target of the circuit files, past the reader: any bytes are decoded, read and checked, as
// an IC definition (sound enough to build a level from and to cross its pins) and as a circuit. A
// circuit the reader accepts must write a text that reads back to the same text; then (on sheets
// up to 100 x 100) it is loaded through LoadFile, redrawn whole into the recording target, switched
// on, every switch clicked, its clocks ticked on the virtual clock, switched off, a few elements
// removed and undone, an area deleted and undone (which must give back the same worksheet), saved,
// and the saved file must load again and save to the same text. Crashes, hangs, leaks, sanitizer
// findings and refusals of what Kardo itself wrote are failures.
#include "app/main_state.h"
#include "app/settings.h"
#include "app/startup.h"
#include "editor/area_select.h"
#include "editor/line_runs.h"
#include "editor/mouse_dispatch.h"
#include "editor/object_select.h"
#include "editor/selection.h"
#include "files/circuit_document.h"
#include "files/circuit_file.h"
#include "files/circuit_reader.h"
#include "files/circuit_writer.h"
#include "files/ic_definition.h"
#include "files/text_codec.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "platform/platform.h"
#include "platform/recording_target.h"
#include "platform/virtual_clock.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "scratch_folder.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"
#include "simulation/user_interaction.h"
#include "support/fake_host.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

using namespace kardo;

[[noreturn]] void Fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "circuit file fuzz: %s %s\n", what, detail.c_str());
    std::abort();
}

const fuzz::ScratchFolder kScratch("kardo-fuzz-");

// The IC folder of the loads: the sound IC definitions of the fixtures (small ones), so that
// circuits naming them load their ICs.
std::string MakeICFolder() {
    const std::string folder = kScratch.Path() + "/ICs/";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    for (const auto& entry : std::filesystem::directory_iterator(KARDO_TEST_DATA_DIR, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".icd" && !name.ends_with("_bad.icd") &&
            entry.file_size(ec) < 16384)
            std::filesystem::copy_file(entry.path(), folder + name, ec);
    }
    return folder;
}

const std::string kICFolder = MakeICFolder();

void Write(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<long>(bytes.size()));
}

// The first line in which two texts differ, from both.
std::string FirstDifference(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    const std::size_t from = a.rfind('\n', i == 0 ? 0 : i - 1);
    const std::size_t start = from == std::string::npos ? 0 : from + 1;
    auto line = [&](const std::string& t) { return t.substr(start, t.find('\n', start) - start); };
    return "\n  saved:  " + line(a) + "\n  loaded: " + line(b);
}

// The worksheet as the writer writes it.
std::string WorksheetText() {
    CircuitDocument doc;
    CaptureCircuit(doc);
    std::string text;
    WriteCircuitText(doc, text);
    return text;
}

// The cell of element n that its first pin names, else any cell naming it.
bool CellOf(std::int16_t n, std::int16_t& x, std::int16_t& y) {
    for (int cx = 0; cx <= gFeldBreite; ++cx) {
        for (int cy = 0; cy <= gFeldHoehe; ++cy) {
            if (gGrid(cx, cy).ElementNr == n) {
                x = static_cast<std::int16_t>(cx);
                y = static_cast<std::int16_t>(cy);
                return true;
            }
        }
    }
    return false;
}

// Switched on, every switch clicked, the clocks ticked, switched off.
void Run(VirtualClock& clock) {
    PowerOnOff();
    for (int k = 1; k <= gAnzElemente && gPowerOn; ++k) {
        const ElementRecord& e = gElements[static_cast<std::size_t>(k)];
        if (e.Typ != kTypeSwitch || e.Eingaenge.Count() == 0)
            continue;
        gCursorX = e.Eingaenge.Points()[0].x;
        gCursorY = e.Eingaenge.Points()[0].y;
        InitSwitchOn();
    }
    for (int t = 0; t < 4 && gPowerOn; ++t)
        clock.Advance(60);
    if (gPowerOn)
        PowerOnOff();
}

// Removes up to three elements through the editor's removal and undoes the removals.
void RemoveAndUndo(std::uint32_t seed) {
    int removed = 0;
    for (int i = 0; i < 3 && gAnzElemente > 0; ++i) {
        const auto n = static_cast<std::int16_t>(1 + (seed >> (8 * i)) % gAnzElemente);
        std::int16_t x = 0;
        std::int16_t y = 0;
        if (!CellOf(n, x, y))
            continue;
        const std::int16_t before = gAnzElemente;
        RemoveElement(x, y);
        removed += gAnzElemente < before ? 1 : 0;
    }
    for (int i = 0; i < removed; ++i)
        gUndo.Undo();
}

// The worksheet with its wire runs analysed afresh, as a save writes it.
std::string AnalysedWorksheetText() {
    AnalysiereLeitungen();
    return WorksheetText();
}

// Frames an area picked from the seed with the select tool, from an empty cell as the user draws
// a frame, deletes it and takes the deletion back: the worksheet must be as it was.
void DeleteAreaAndUndo(std::uint32_t seed) {
    const int x1 = static_cast<int>(seed % static_cast<std::uint32_t>(gFeldBreite + 1));
    const int y1 = static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(gFeldHoehe + 1));
    const int x2 = std::min<int>(gFeldBreite, x1 + 2 + static_cast<int>((seed >> 16) % 12));
    const int y2 = std::min<int>(gFeldHoehe, y1 + 2 + static_cast<int>((seed >> 24) % 12));
    if (gGrid(x1, y1).Typ != kTypeEmpty)
        return;
    const std::string before = AnalysedWorksheetText();
    ResetMouseDispatch();
    gMouseMode = kToolSelect;
    picGrid_MouseMove(0, 0, GridToPixel(x1), GridToPixel(y1));
    picGrid_MouseDown(kButtonLeft, 0, GridToPixel(x1), GridToPixel(y1));
    picGrid_MouseMove(kButtonLeft, 0, GridToPixel(x2), GridToPixel(y2));
    picGrid_MouseUp(kButtonLeft, 0, GridToPixel(x2), GridToPixel(y2));
    if (!gAreaMarked)
        return;
    const std::uint32_t steps = gUndo.Recorded();
    LoescheBereich();
    if (gUndo.Recorded() == steps)
        return;
    gUndo.Undo();
    if (const std::string after = AnalysedWorksheetText(); after != before)
        Fail("undoing an area deletion gave another worksheet", FirstDifference(before, after));
}

// The same text as an IC definition: refused with a reason, or sound enough to build a level
// from and to cross its pins; its nested ICs' pin cells then take instances.
void FuzzICDefinition(std::string_view text) {
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
        if (!def.Cells.Contains(p.x, p.y) || p.x > def.FeldBreite || p.y > def.FeldHoehe)
            Fail("a pin cell of an accepted definition is off its grid");
        const ICPinPlace& place = def.Places[static_cast<std::size_t>(k)];
        if (place.Placed &&
            (place.A < 0 || place.A > def.Breite || place.B < 0 || place.B > def.Hoehe ||
             (place.A != 0 && place.A != def.Breite && place.B != 0 && place.B != def.Hoehe)))
            Fail("a pin place of an accepted definition is off the outline");
        if (place.Placed && def.PinListIndex[static_cast<std::size_t>(k)] != placed++)
            Fail("pin list entries out of order");
    }
    if (placed != def.PlacedPins)
        Fail("placed pins miscounted");
    std::vector<std::uint8_t> instanceOf(def.Elements.size(), 0);
    for (const ICLine& line : def.Nested)
        instanceOf[static_cast<std::size_t>(line.ElementNr)] = 1;
    AssignICInstances(def.Cells, instanceOf);
}

// Every plain wire cell (one the writer leaves to the runs) lies on a run of the document.
bool PlainWiresOnRuns(const CircuitDocument& doc) {
    std::vector<bool> onRun(static_cast<std::size_t>(doc.FeldBreite + 1) *
                            static_cast<std::size_t>(doc.FeldHoehe + 1));
    auto at = [&](int x, int y) {
        return onRun[static_cast<std::size_t>(y) * static_cast<std::size_t>(doc.FeldBreite + 1) +
                     static_cast<std::size_t>(x)];
    };
    for (const JumpLine& j : doc.Jumps) {
        for (int x = j.X; j.EndX != 0 && x <= j.EndX; ++x)
            at(x, j.Y) = true;
        for (int y = j.Y; j.EndY != 0 && y <= j.EndY; ++y)
            at(j.X, y) = true;
    }
    for (int x = 0; x <= doc.FeldBreite; ++x) {
        for (int y = 0; y <= doc.FeldHoehe; ++y) {
            const CellRecord& c = doc.Cells(x, y);
            const bool plain =
                c.Typ == kTypeWire && c.Punkt == 0 && c.ICLevel == 0 && c.ElementNr == 0;
            if (plain && !at(x, y))
                return false;
        }
    }
    return true;
}

void Deep(std::string_view bytes) {
    RecordingTarget screen;
    VirtualClock clock;
    VirtualPump pump(clock);
    test::FakeHost host;
    Platform platform;
    platform.screen = &screen;
    platform.timers = &clock;
    platform.pump = &pump;
    platform.host = &host;
    PlatformScope scope(platform);
    InitProgramState();
    gAktiviert = 1;
    gVerzeichnisse = {kScratch.Path() + "/", kICFolder, kScratch.Path() + "/"};

    const std::string input = kScratch.Path() + "/eingabe.kdx";
    const std::string saved = kScratch.Path() + "/gespeichert.kdx";
    Write(input, bytes);
    if (LoadFile(input) != FileOutcome::Success) {
        // A circuit whose ICs are not in the IC folder is refused.
        ResetClockTimers();
        return;
    }
    RedrawAllElements(0);

    // The rest draws into nothing: logging every grid dot of every redraw would cost more than
    // everything else together.
    NullTarget nothing;
    platform.screen = &nothing;
    gGrafik.Device = &nothing;
    Run(clock);
    std::uint32_t seed = 2166136261u;
    for (const char c : bytes)
        seed = (seed ^ static_cast<unsigned char>(c)) * 16777619u;
    RemoveAndUndo(seed);
    DeleteAreaAndUndo(seed);
    RedrawAllElements(0);

    const std::string before = WorksheetText();
    host.messages.clear();
    if (SaveFileTo(saved) != FileOutcome::Success)
        Fail("the save failed", host.messages.empty() ? "" : host.messages[0].text);
    if (LoadFile(saved) != FileOutcome::Success)
        Fail("what Kardo saved does not load again",
             host.messages.empty() ? "" : host.messages[0].text);
    if (const std::string after = WorksheetText(); after != before)
        Fail("what Kardo saved loads as another circuit", FirstDifference(before, after));
    ResetClockTimers();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
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

    // A circuit file as the writer writes it reads back to the same text. A file whose plain wire
    // cells are not all on its runs (an IC definition keeps them instead of runs) is written only
    // after the runs are analysed afresh, as every save does: the deep part covers it.
    if (doc.HasJump && PlainWiresOnRuns(doc)) {
        std::string written;
        WriteCircuitText(doc, written);
        CircuitDocument again;
        if (!ReadCircuitText(written, 7, 7, again, problem))
            Fail("the reader refuses what the writer wrote", problem.Text);
        std::string rewritten;
        WriteCircuitText(again, rewritten);
        if (rewritten != written)
            Fail("writing what was read back gives another text");
    }

    // The deep part runs on the sheet sizes the new-sheet dialog offers (up to 100 x 100); a
    // larger sheet takes a hundred times as long per input and finds nothing new.
    if (doc.FeldBreite <= 100 && doc.FeldHoehe <= 100)
        Deep(bytes);
    return 0;
}
