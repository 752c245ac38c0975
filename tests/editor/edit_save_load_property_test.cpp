// Property test of editing against the circuit file: random sequences of every editing operation
// (placing each kind and ICs, wires and points, selecting, moving and deleting objects and areas,
// the context menu, text labels, undo, the sheet size) driven through the mouse dispatcher as a
// user's mouse would. After every step the worksheet must pass the reader's checks and read back
// as the same grid and element list; every few steps it is saved with the real writer and loaded
// into a separate document with its ICs; now and then a step is undone at once and must give
// back the sheet as it was; at the end of each episode every step is undone. Zooms and runs
// (clicks while powered), on a hinted screen font, must change nothing the file keeps.
#include "app/main_state.h"
#include "app/settings.h"
#include "editor/area_select.h"
#include "editor/context_menu.h"
#include "editor/line_runs.h"
#include "editor/mouse_dispatch.h"
#include "editor/selection.h"
#include "editor/text_labels.h"
#include "files/circuit_consistency.h"
#include "files/circuit_file.h"
#include "files/circuit_ics.h"
#include "files/circuit_reader.h"
#include "files/circuit_writer.h"
#include "files/ic_loader.h"
#include "files/text_codec.h"
#include "ic/ic_choice.h"
#include "model/basic_elements.h"
#include "model/block_elements.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/placement.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "render/grafik.h"
#include "render/sheet_size.h"
#include "render/zoom.h"
#include "simulation/power.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/editor_fixture.h"
#include "support/label_typing.h"
#include "support/mouse_driver.h"

#include <array>
#include <cstdint>
#include <deque>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::Click;
using test::Drag;

// The ICs of tests/data the episodes place: one inverter, two nested, sixteen nested.
constexpr std::array<const char*, 3> kICs = {"inv", "inv2", "fan16"};

// The placing tools: every kind of element.
constexpr std::array<std::uint8_t, 18> kKinds = {
    kTypeLed,       kTypeSwitch,        kTypeAnd,           kTypeOr,
    kTypeXor,       kTypeInverter,      kTypeClock,         kTypeHalfAdder,
    kTypeFullAdder, kTypeTriState,      kTypeMultiplexer,   kTypeDecoder,
    kTypeFlipFlop,  kTypeShiftRegister, kTypeNumberDisplay, kTypeAnalysisPoint,
    kTypeIC,        kTypeText};

// A cell with its IC instance replaced by the element the instance stands for: a load numbers
// the instances afresh, in file order.
CellRecord Normalised(CellRecord c, const std::vector<ICInstanceRecord>& instances, int base) {
    const int i = c.ICLevel - base;
    if (c.ICLevel != 0 && i >= 0 && i < static_cast<int>(instances.size()))
        c.ICLevel = static_cast<std::uint8_t>(instances[static_cast<std::size_t>(i)].ElementNr);
    return c;
}

// The first difference of two sheets, "" when they are the same.
std::string Difference(const test::SheetState& a, const test::SheetState& b) {
    if (a.count != b.count)
        return std::to_string(a.count) + " elements, expected " + std::to_string(b.count);
    if (a.analysisPoints != b.analysisPoints)
        return "analysis point count";
    if (a.grid.UBoundX() != b.grid.UBoundX() || a.grid.UBoundY() != b.grid.UBoundY())
        return "grid bounds";
    for (int y = 0; y <= a.grid.UBoundY(); ++y)
        for (int x = 0; x <= a.grid.UBoundX(); ++x)
            if (!(a.grid(x, y) == b.grid(x, y)))
                return "cell " + std::to_string(x) + "," + std::to_string(y);
    for (int k = 1; k <= a.count; ++k)
        if (!(a.elements[static_cast<std::size_t>(k)] == b.elements[static_cast<std::size_t>(k)]))
            return "element " + std::to_string(k);
    return a == b ? "" : "element list";
}

int TriStates(const test::SheetState& s) {
    int n = 0;
    for (int k = 1; k <= s.count; ++k)
        n += s.elements[static_cast<std::size_t>(k)].Typ == kTypeTriState ? 1 : 0;
    return n;
}

// Element records as the file keeps them: the runtime state is never saved.
ElementRecord Stored(ElementRecord e) {
    e.Zustand = {};
    return e;
}

bool WireEnd(const CellRecord& c) { return c.Typ == kTypeWire && WireFlagCount(c) < 2; }
bool Clickable(const CellRecord& c) {
    return c.Typ == kTypeSwitch || c.Typ == kTypeFlipFlop || c.Typ == kTypeShiftRegister ||
           c.Typ == kTypeClock || c.Typ == kTypeIC;
}

class EditSaveLoadPropertyTest : public test::EditorFixture,
                                 public ::testing::WithParamInterface<std::uint32_t> {
  protected:
    EditSaveLoadPropertyTest() : m_rng(GetParam()) {
        platform.screen = &m_hinted;
        host.viewport = {700, 480, 0};
    }

    int Next(int n) { return static_cast<int>(m_rng() % static_cast<std::uint32_t>(n)); }
    int X() { return Next(gFeldBreite + 1); }
    int Y() { return Next(gFeldHoehe + 1); }
    bool Chance(int n) { return Next(n) == 0; }

    // A fresh, small sheet (elements meet and collide often) with a deep history. A tri-state
    // gate records no undo step, so only every third episode places them, and every third
    // episode neither takes steps back nor changes the sheet size before its end: those can be
    // undone to the empty sheet.
    void StartEpisode(int episode) {
        Fresh();
        CreateWorksheet(static_cast<std::int16_t>(24 + Next(10)),
                        static_cast<std::int16_t>(16 + Next(8)));
        gVerzeichnisse[1] = m_dir.Path() + "/";
        gUndo.SetUndos(kMaxUndos);
        m_baseline = test::CaptureSheet();
        m_exact = true;
        m_triStates = episode % 3 == 2;
        m_undos = episode % 3 != 0;
        m_log.clear();
        Log("sheet " + std::to_string(gFeldBreite) + " x " + std::to_string(gFeldHoehe));
    }

    // Chooses a tool as the toolbar does: an open label edit is accepted first.
    static void Tool(std::uint8_t tool) {
        gMouseMode = tool;
        txtBeschriftung_LostFocus();
    }

    void Log(std::string text) {
        m_log.push_back(std::move(text));
        if (m_log.size() > 24)
            m_log.pop_front();
    }
    std::string History() const {
        std::string s;
        for (const std::string& line : m_log)
            s += "  " + line + "\n";
        return s;
    }

    // --- the operations ---

    void PlaceKind() {
        std::uint8_t kind = kKinds[static_cast<std::size_t>(Next(kKinds.size()))];
        if (kind == kTypeTriState && !m_triStates)
            kind = kTypeInverter;
        Place(kind);
    }

    void Place(std::uint8_t kind) {
        if (kind == kTypeText && Chance(2))
            ZoomView(); // labels are written at every zoom
        m_viewOnly = false;
        const bool onWire = (kind == kTypeSwitch || kind == kTypeLed) && !Chance(4);
        const auto [x, y] = onWire ? Pick(WireEnd) : test::CellPos{X(), Y()};
        gOrientierung = static_cast<std::uint8_t>(1 + Next(4));
        const int inputs = 2 + Next(4);
        host.SetCaption("txtAnschlüsse", std::to_string(inputs));
        gFarbe = Chance(2) ? 255 : Rgb(0, 255, 0);
        gTakteingang = TruthValue(Chance(2));
        std::string what = "place " + std::string(TypeName(kind));
        if (kind == kTypeIC) {
            const char* name = kICs[static_cast<std::size_t>(Chance(8) ? 2 : Next(2))];
            ChooseIC(name);
            what += std::string(" ") + name;
        }
        Log(what + " o" + std::to_string(gOrientierung) + " n" + std::to_string(inputs) + " at " +
            std::to_string(x) + "," + std::to_string(y));
        Tool(kind);
        Click(x, y);
        if (kind == kTypeText && BeschriftungEditorVisible())
            TypeLabel();
    }

    // Types a few characters into the open label editor and ends the edit one way or another.
    void TypeLabel() {
        static constexpr std::string_view kChars = "abcXYZ019 ;:-_!";
        std::string typed;
        for (int k = 1 + Next(8); k > 0; --k) {
            const char c = kChars[static_cast<std::size_t>(Next(kChars.size()))];
            typed += c;
            test::TypeKey(static_cast<char32_t>(c), std::string_view(&c, 1));
        }
        if (Chance(4))
            test::TypeKey(8); // Backspace
        const int end = Next(6);
        Log("  typed \"" + typed + "\", end " + std::to_string(end));
        if (end == 0)
            test::TypeKey(27); // Escape
        else if (end == 1)
            txtBeschriftung_LostFocus();
        else
            test::TypeKey(13); // Enter
    }

    // A wire band dragged with the left button (laid) or the right one (wires cut).
    void WireBand() {
        const int x1 = X(), y1 = Y(), x2 = X(), y2 = Y();
        const bool cut = Chance(4);
        Log(std::string(cut ? "cut" : "lay") + " wire " + std::to_string(x1) + "," +
            std::to_string(y1) + " - " + std::to_string(x2) + "," + std::to_string(y2));
        Tool(kToolWire);
        const int mx = Chance(2) ? x2 : x1;
        const int my = mx == x2 ? y1 : y2;
        Drag({{x1, y1}, {mx, my}, {x2, y2}}, cut ? kButtonRight : kButtonLeft);
    }

    void Points() {
        const int x = X(), y = Y();
        const int how = Next(5);
        Log("point " + std::to_string(how) + " at " + std::to_string(x) + "," + std::to_string(y));
        switch (how) {
        case 0:
            Tool(kToolConnectionPoint);
            Click(x, y);
            break;
        case 1:
            Tool(kToolCouplingDiode);
            Click(x, y);
            break;
        case 2:
            Tool(kToolNegationPoint);
            Click(x, y);
            break;
        case 3:
            Tool(kToolWire);
            Click(x, y, kButtonMiddle);
            break;
        default:
            Tool(kToolWire);
            test::DoubleClick(x, y);
            break;
        }
    }

    // A cell that fits, chosen at random; any cell when none does.
    template <typename Fits> test::CellPos Pick(Fits fits) {
        std::vector<test::CellPos> cells;
        for (int x = 0; x <= gFeldBreite; ++x)
            for (int y = 0; y <= gFeldHoehe; ++y)
                if (fits(gGrid(x, y)))
                    cells.push_back({x, y});
        return cells.empty() ? test::CellPos{X(), Y()} : cells[Next(cells.size())];
    }
    test::CellPos ElementCell() {
        return Pick([](const CellRecord& c) { return c.Typ >= 2; });
    }

    // A right click with a placing tool or the wire tool: removes the element or point there.
    void RightClickRemove() {
        const test::CellPos p = Chance(3) ? test::CellPos{X(), Y()} : ElementCell();
        const std::uint8_t tool = Chance(2) ? kToolWire : kKinds[Next(kKinds.size())];
        Log("right click tool " + std::to_string(tool) + " at " + std::to_string(p.x) + "," +
            std::to_string(p.y));
        Tool(tool);
        Click(p.x, p.y, kButtonRight);
    }

    // Selecting with the select tool, then moving the selection, deleting it, or nothing.
    void SelectAndMove() {
        Tool(kToolSelect);
        const test::CellPos p = ElementCell();
        Click(p.x, p.y);
        std::string what = "select " + std::to_string(p.x) + "," + std::to_string(p.y);
        for (int k = Next(3); k > 0; --k) {
            const test::CellPos q = ElementCell();
            Click(q.x, q.y, kButtonLeft, kCtrlKey);
            what += " +" + std::to_string(q.x) + "," + std::to_string(q.y);
        }
        const int then = Next(4);
        if (then <= 1) {
            const int tx = X(), ty = Y();
            what += " move to " + std::to_string(tx) + "," + std::to_string(ty);
            Log(what);
            Drag({{p.x, p.y}, {(p.x + tx) / 2, (p.y + ty) / 2}, {tx, ty}});
        } else if (then == 2) {
            Log(what + " delete");
            LoescheBereich();
        } else {
            Log(what);
        }
    }

    // An area frame, then moving the area, deleting it (key or right click), or nothing.
    void Area() {
        Tool(kToolSelect);
        const int x1 = X(), y1 = Y(), x2 = X(), y2 = Y();
        std::string what = "area " + std::to_string(x1) + "," + std::to_string(y1) + " - " +
                           std::to_string(x2) + "," + std::to_string(y2);
        Drag({{x1, y1}, {(x1 + x2) / 2, (y1 + y2) / 2}, {x2, y2}});
        if (!gAreaMarked) {
            Log(what + " (none)");
            return;
        }
        const int then = Next(5);
        const int ix = gBereichX1 + 1 + Next(std::max(1, gBereichX2 - gBereichX1 - 1));
        const int iy = gBereichY1 + 1 + Next(std::max(1, gBereichY2 - gBereichY1 - 1));
        if (then <= 2) {
            const int tx = X(), ty = Y();
            Log(what + " move from " + std::to_string(ix) + "," + std::to_string(iy) + " to " +
                std::to_string(tx) + "," + std::to_string(ty));
            Drag({{ix, iy}, {(ix + tx) / 2, (iy + ty) / 2}, {tx, ty}});
        } else if (then == 3) {
            Log(what + " delete");
            LoescheBereich();
        } else {
            Log(what + " right click inside " + std::to_string(ix) + "," + std::to_string(iy));
            Click(ix, iy, kButtonRight);
        }
    }

    // The context menu of an element: one of the entries it shows.
    void ContextMenu() {
        Tool(kToolSelect);
        if (gAreaMarked)
            SelectNone();
        const test::CellPos p = ElementCell();
        Click(p.x, p.y, kButtonRight);
        std::vector<int> shown;
        if (gMouseMode == kToolContextMenu) {
            for (int i = 3; i <= 9; ++i)
                if (host.IsVisible("mPopup_" + std::to_string(i)))
                    shown.push_back(i);
        }
        if (shown.empty()) {
            Log("context menu at " + std::to_string(p.x) + "," + std::to_string(p.y) + " (none)");
            gMouseMode = kToolSelect;
            return;
        }
        const int entry = shown[static_cast<std::size_t>(Next(static_cast<int>(shown.size())))];
        Log("context menu at " + std::to_string(p.x) + "," + std::to_string(p.y) + " entry " +
            std::to_string(entry));
        mPopup_Click(entry);
        if (BeschriftungEditorVisible())
            TypeLabel();
    }

    // An IC placed, or one removed with a right click of the IC tool.
    void ICs() {
        const auto [x, y] = Pick([](const CellRecord& c) { return c.Typ == kTypeIC; });
        if (gGrid(x, y).Typ != kTypeIC || Chance(2))
            return Place(kTypeIC);
        Log("remove IC at " + std::to_string(x) + "," + std::to_string(y));
        Tool(kTypeIC);
        Click(x, y, kButtonRight);
    }

    // A step in or out, a fit to the viewport, or a percentage from 60 to 250 in steps of 5.
    void ZoomView() {
        m_viewOnly = true;
        const int how = Next(5);
        if (how == 2)
            gGrafik.ZoomFull();
        else
            SetZoom(how == 0   ? ZoomStepIn(gGrafik.GridMode)
                    : how == 1 ? ZoomStepOut(gGrafik.GridMode)
                               : (60 + 5 * Next(39)) / 100.f);
        Log("zoom " + std::to_string(gGrafik.GridMode));
    }

    // Power on, clicks on elements with the clocks running between them, zooms, power off.
    void Power() {
        m_viewOnly = true;
        Log("power on");
        for (PowerOnOff(); gPowerOn && !Chance(6);) {
            const test::CellPos p = Pick(Clickable);
            Log("  click " + std::to_string(p.x) + "," + std::to_string(p.y));
            Click(p.x, p.y);
            clock.Advance(Next(2000));
            if (Chance(5))
                ZoomView();
        }
        if (gPowerOn)
            PowerOnOff();
    }

    void UndoSteps() {
        const int n = 1 + Next(3);
        Log("undo " + std::to_string(n));
        txtBeschriftung_LostFocus();
        for (int k = 0; k < n; ++k)
            if (!gUndo.NoUndoData())
                gUndo.Undo();
    }

    void Resize() {
        const int w = 10 + Next(30), h = 10 + Next(20);
        Log("size " + std::to_string(w) + " x " + std::to_string(h));
        txtBeschriftung_LostFocus();
        host.SetCaption("txtX", std::to_string(w));
        host.SetCaption("txtY", std::to_string(h));
        SetNewSize();
    }

    void Operation() {
        const int what = Next(100);
        if (what < 26)
            PlaceKind();
        else if (what < 39)
            WireBand();
        else if (what < 46)
            Points();
        else if (what < 52)
            RightClickRemove();
        else if (what < 61)
            SelectAndMove();
        else if (what < 69)
            Area();
        else if (what < 74)
            ContextMenu();
        else if (what < 79)
            ICs();
        else if (what < 83)
            ZoomView();
        else if (what < 85)
            Power();
        else if (!m_undos)
            PlaceKind(); // a smaller sheet would start the history afresh
        else if (what < 97)
            UndoSteps();
        else
            Resize();
    }

    // --- the checks ---

    // The worksheet through the writer and the reader: "" when it reads back as the same
    // circuit, else what differs. With ICs built, their instances are compared by the element
    // each stands for.
    std::string ReadBack(std::string_view text, bool buildICs) {
        CircuitDocument doc;
        ReadProblem problem;
        if (!ReadCircuitText(text, gFeldBreite, gFeldHoehe, doc, problem))
            return "refused: line " + std::to_string(problem.Line) + ": " + problem.Text;
        ICInstanceBlock block;
        if (buildICs && !doc.ICs.empty()) {
            ICLoader loader(gVerzeichnisse[1]);
            ICLoadProblem icProblem;
            block.Base = 1;
            if (!BuildCircuitICs(doc, loader, block, icProblem))
                return "ICs refused: " + ICProblemText(icProblem);
        }
        if (doc.FeldBreite != gFeldBreite || doc.FeldHoehe != gFeldHoehe)
            return "sheet size";
        if (doc.Cells.UBoundX() != gGrid.UBoundX() || doc.Cells.UBoundY() != gGrid.UBoundY())
            return "grid bounds";
        for (int y = 0; y <= gGrid.UBoundY(); ++y) {
            for (int x = 0; x <= gGrid.UBoundX(); ++x) {
                const CellRecord live =
                    buildICs ? Normalised(gGrid(x, y), gICInstances, 0) : gGrid(x, y);
                const CellRecord read =
                    buildICs ? Normalised(doc.Cells(x, y), block.Instances, 1) : doc.Cells(x, y);
                if (!(live == read))
                    return "cell " + std::to_string(x) + "," + std::to_string(y) + " differs";
            }
        }
        if (doc.AnzElemente() != gAnzElemente)
            return "element count " + std::to_string(doc.AnzElemente());
        for (int k = 1; k <= gAnzElemente; ++k) {
            const auto i = static_cast<std::size_t>(k);
            if (!(Stored(doc.Elements[i]) == Stored(gElements[i])))
                return "element " + std::to_string(k) + " differs";
        }
        // Entry 0 keeps the number of the last clock removed; the file holds only the clocks'.
        if (doc.AnzTaktgeber != gAnzTaktgeber)
            return "clock count " + std::to_string(doc.AnzTaktgeber);
        for (std::size_t k = 0; k < gAnzTaktgeber; ++k) {
            const ClockLine live{gTaktZeit1[k], gTaktZeit0[k], gTaktLink[k], gAnzTakte[k]};
            if (doc.TaktElement[k] != gTaktElement[k] || !(doc.Takte[k] == live))
                return "clock " + std::to_string(k) + " differs";
        }
        return "";
    }

    // What the reader checks, on the live worksheet, and the reading back of the written text.
    std::string SheetProblem() {
        AnalysiereLeitungen();
        CircuitDocument doc;
        CaptureCircuit(doc);
        ConsistencyProblem problem;
        if (!CheckCellsAndElements(doc, problem))
            return "inconsistent: " + problem.Text;
        std::string text;
        WriteCircuitText(doc, text);
        return ReadBack(text, false);
    }
    static std::string FileText() {
        AnalysiereLeitungen();
        CircuitDocument doc;
        CaptureCircuit(doc);
        std::string text;
        WriteCircuitText(doc, text);
        return text;
    }

    // Saves the worksheet into a file and loads the file apart from it, ICs included.
    std::string SaveAndLoad() {
        const std::string path = m_dir.File("sheet.kdx");
        if (SaveFileTo(path) != FileOutcome::Success)
            return "save failed";
        return ReadBack(DecodeFileText(test::ReadBytes(path)), true);
    }

    // Undoes every step: the sheet must be the one the history started from. A baseline that is
    // a smaller sheet (the sheet grew since) stands for that sheet with empty cells added.
    void UndoAll() {
        Log("undo all");
        txtBeschriftung_LostFocus();
        Tool(kToolSelect);
        SelectNone();
        for (int guard = 0; guard < kMaxUndos + 5 && !gUndo.NoUndoData(); ++guard) {
            const std::string step = gUndo.Step(gUndo.CurrentIndex()).Description;
            gUndo.Undo();
            ASSERT_EQ(SheetProblem(), "") << "undoing \"" << step << "\"\n" << History();
        }
        if (!m_exact)
            return;
        ++m_exactEnds;
        test::SheetState expected = m_baseline;
        expected.grid.Create(gGrid.UBoundX(), gGrid.UBoundY());
        for (int x = 0; x <= std::min(gGrid.UBoundX(), m_baseline.grid.UBoundX()); ++x)
            for (int y = 0; y <= std::min(gGrid.UBoundY(), m_baseline.grid.UBoundY()); ++y)
                expected.grid(x, y) = m_baseline.grid(x, y);
        EXPECT_EQ(Difference(test::CaptureSheet(), expected), "") << History();
        if (m_baseline.count != 0)
            return;
        ++m_emptyEnds;
        EXPECT_EQ(gAnzTaktgeber, 0);
        int instances = 0;
        for (std::size_t i = 1; i < gICInstances.size(); ++i)
            instances += gICInstances[i].Name.empty() ? 0 : 1;
        EXPECT_EQ(instances, 0) << History();
    }

    // One random operation with its checks. The history model: a step recorded after an undo,
    // and a shrinking of the sheet, start the history afresh from the sheet as it was then; a
    // change without a step (a tri-state gate), or the oldest step falling out, leave no state
    // the history can return to exactly.
    void Step() {
        const test::SheetState before = test::CaptureSheet();
        const std::uint32_t recorded = gUndo.Recorded();
        const std::int16_t index = gUndo.CurrentIndex();
        const std::int16_t w = gFeldBreite, h = gFeldHoehe;
        const std::string file = FileText();
        m_viewOnly = false;
        Operation();
        txtBeschriftung_LostFocus();
        if (m_viewOnly) {
            ASSERT_EQ(FileText(), file) << "a zoom or a run changed the sheet\n" << History();
        }
        const bool undo = m_log.back().rfind("undo", 0) == 0;
        if (gUndo.Recorded() != recorded && index != 1) {
            m_baseline = before;
            m_exact = true;
        } else if (gFeldBreite < w || gFeldHoehe < h) {
            m_baseline = test::CaptureSheet();
            m_exact = true;
        } else if (gUndo.Recorded() == recorded && !undo && gFeldBreite == w && gFeldHoehe == h &&
                   !(test::CaptureSheet() == before)) {
            m_exact = false;
        }
        // A tri-state gate placed or removed with other elements (a selection deleted, an undo)
        // leaves no step either.
        if (TriStates(test::CaptureSheet()) != TriStates(before))
            m_exact = false;
        if (gUndo.Step(gUndo.Undos()).Filled)
            m_exact = false;
        ASSERT_EQ(SheetProblem(), "") << History();
        // Now and then the step just recorded is taken back at once: the sheet is the one before.
        if (m_undos && gUndo.Recorded() == recorded + 1 && !undo && gFeldBreite == w &&
            gFeldHoehe == h && TriStates(test::CaptureSheet()) == TriStates(before) && Chance(6)) {
            Log("  undo it");
            gUndo.Undo();
            ASSERT_EQ(Difference(test::CaptureSheet(), before), "") << History();
        }
    }

    std::mt19937 m_rng;            // the sequence of this seed
    test::HintedScreen m_hinted;   // the worksheet picture
    bool m_viewOnly = false;       // the operation zoomed or ran the circuit, nothing else
    test::TempDir m_dir;           // IC folder and saved file
    std::deque<std::string> m_log; // the last operations, for a failure's message
    bool m_triStates = false;      // the episode places tri-state gates
    bool m_undos = false;          // the episode takes steps back before its end
    test::SheetState m_baseline;   // the sheet the history starts from
    bool m_exact = true;           // undoing every step gives m_baseline
    int m_exactEnds = 0;           // episodes whose undo was checked against the baseline
    int m_emptyEnds = 0;           // of those, episodes whose baseline was the empty sheet
};

TEST_P(EditSaveLoadPropertyTest, EveryEditedSheetSavesLoadsAndUndoesToTheStart) {
    for (const char* name : kICs)
        test::WriteBytes(m_dir.File(std::string(name) + ".icd"),
                         test::ReadBytes(test::DataFile(std::string(name) + ".icd")));
    int steps = 0;
    int saves = 0;
    for (int episode = 0; episode < 12; ++episode) {
        StartEpisode(episode);
        for (int k = 0; k < 80; ++k, ++steps) {
            SCOPED_TRACE("episode " + std::to_string(episode) + " step " + std::to_string(k));
            Step();
            if (HasFatalFailure())
                return;
            if (k % 7 == 6) {
                ASSERT_EQ(SaveAndLoad(), "") << History();
                ++saves;
            }
            host.log.clear();
            host.messages.clear();
            m_hinted.ClearLog();
        }
        UndoAll();
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(m_exactEnds, 6);
    EXPECT_GT(m_emptyEnds, 2);
    EXPECT_GT(saves, 100);
}

// Fixed seeds, so that a run is repeatable; the faults this test has found are pinned by
// regression tests of their own. Twelve episodes of 80 steps keep a seed to about a second.
INSTANTIATE_TEST_SUITE_P(Seeds, EditSaveLoadPropertyTest, ::testing::Range(100u, 112u));

} // namespace
} // namespace kardo
