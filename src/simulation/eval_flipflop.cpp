// Flip-flop evaluation and click. Inputs in pin order J, clock, K, set, reset; outputs Q and
// inverted Q. State slots: 1 master J, 3 master K, 12 the settled state Q (shown by the symbol).
// The rules are written once over a pin accessor: the looked-up cells of a regular flip-flop,
// or, for any other, its pin lists read afresh as the generic helpers do.
#include "simulation/eval_flipflop.h"

#include "model/sim_levels.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "simulation/eval_common.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"

namespace kardo {

std::vector<LevelFlipFlops> gFlipFlopPins;

namespace {

using eval::LevelCell;
using eval::PinLevel;

constexpr std::size_t kJ = 0;
constexpr std::size_t kClock = 1;
constexpr std::size_t kK = 2;
constexpr std::size_t kSet = 3;
constexpr std::size_t kReset = 4;
constexpr std::size_t kQ = 0;
constexpr std::size_t kQBar = 1;

constexpr std::size_t kMasterJ = 1;
constexpr std::size_t kMasterK = 3;
constexpr std::size_t kState = 12;

// Pins through the cells looked up at power-on.
struct ResolvedPins {
    CellRecord* cells = nullptr;     // the level's grid
    const FlipFlopPins* p = nullptr; // the flip-flop's cells
    int richtung = 0;                // orientation
    int ebene = 0;                   // simulation level

    CellRecord& In(std::size_t i) const { return cells[p->in[i]]; }
    CellRecord& Out(std::size_t k) const { return cells[p->out[k]]; }
    bool High(std::size_t i) const { return In(i).Pegel != 0; }
    bool Unwired(std::size_t i) const { return WireFlagCount(In(i)) == 0; }
    bool QHigh() const { return Out(kQ).Pegel != 0; }
    GridPoint Clock() const { return p->clock; }
    // The level is queued beyond the pin and stored in the pin cell; a high level also colours
    // the pin's wire along the orientation's axis.
    void Drive(std::size_t k, bool high) const {
        AddEvent(p->beyond[k].x, p->beyond[k].y, richtung, high ? 1 : 0, ebene);
        CellRecord& c = Out(k);
        c.Pegel = TruthValue(high);
        if (high) {
            if (richtung == kLeft || richtung == kRight)
                c.PegelH = kTrue;
            else if (richtung == kUp || richtung == kDown)
                c.PegelV = kTrue;
        }
    }
};

// Pins through the element's pin lists, any of them possibly off the grid.
struct ListedPins {
    std::span<const GridPoint> in;  // J, clock, K, set, reset
    std::span<const GridPoint> out; // Q, inverted Q
    int richtung = 0;               // orientation
    int ebene = 0;                  // simulation level

    bool High(std::size_t i) const { return PinLevel(ebene, in, i); }
    // A data input without any wire at its pin cell counts as high.
    bool Unwired(std::size_t i) const {
        const CellRecord* c = LevelCell(ebene, in[i].x, in[i].y);
        return !c || WireFlagCount(*c) == 0;
    }
    bool QHigh() const { return PinLevel(ebene, out, kQ); }
    GridPoint Clock() const { return in[kClock]; }
    void Drive(std::size_t k, bool high) const { eval::DriveOutput(out[k], richtung, high, ebene); }
};

template <typename Pins> struct FlipFlop {
    ElementRecord* e = nullptr;
    Pins pins;

    bool In(std::size_t i) const { return pins.High(i); }
    bool Unwired(std::size_t i) const { return pins.Unwired(i); }
    bool QHigh() const { return pins.QHigh(); }
    void Drive(std::size_t k, bool high) const { pins.Drive(k, high); }
    // The high output is always driven first.
    void DriveQ(bool q) const {
        if (q) {
            Drive(kQ, true);
            Drive(kQBar, false);
        } else {
            Drive(kQBar, true);
            Drive(kQ, false);
        }
    }
};

// Shows the state on the symbol; only the circuit's own flip-flops are on view. After an
// evaluation only the state digit changed; a click draws the whole symbol.
template <typename Pins> void Redraw(const FlipFlop<Pins>& ff, bool wholeSymbol = false) {
    gGrafik.Orientation = ff.e->Richtung;
    if (ff.pins.ebene != 0 || !gPlatform || !gPlatform->screen)
        return;
    gGrafik.Device = gPlatform->screen;
    const GridPoint c = ff.pins.Clock();
    if (wholeSymbol)
        gGrafik.DrawFlipFlop(c.x, c.y, false, false);
    else
        gGrafik.RedrawFlipFlopState(c.x, c.y);
}

template <typename Pins> [[gnu::always_inline]] inline void Settle(const FlipFlop<Pins>& ff) {
    ff.e->Zustand[kState] = TruthValue(ff.QHigh());
    Redraw(ff);
}

// Set or reset reached by level `pressed`.
template <typename Pins> void SetOrReset(const FlipFlop<Pins>& ff, bool isSet, bool pressed) {
    const std::size_t k = isSet ? kQ : kQBar;
    const std::size_t other = isSet ? kQBar : kQ;
    const bool otherHeld = ff.In(isSet ? kReset : kSet);
    if (pressed) {
        ff.Drive(k, true);
        ff.Drive(other, false);
    } else if (otherHeld) {
        // Released while the other asynchronous input still holds: that one wins. Output k is
        // not raised first, so that it does not pulse for one pass.
        ff.DriveQ(!isSet);
    } else {
        ff.Drive(k, true);
    }
    if (!pressed) {
        // With J and K open and the clock high, the master stands at toggle as a rising edge
        // would have left it.
        if (ff.Unwired(kJ) && ff.Unwired(kK) && ff.In(kClock) && !ff.In(kJ) && !ff.In(kK)) {
            ff.e->Zustand[kMasterJ] = kTrue;
            ff.e->Zustand[kMasterK] = kTrue;
        }
    }
    Settle(ff);
}

// Pin `pin` (0-based input position) was reached by `pegel`; its cell has stored the level.
template <typename Pins> void Evaluate(const FlipFlop<Pins>& ff, std::size_t i, int pegel) {
    if (i == kSet || i == kReset) {
        SetOrReset(ff, i == kSet, pegel != 0);
        return;
    }
    if (i != kClock)
        return;
    const bool asyncHeld = ff.In(kSet) || ff.In(kReset);
    if (pegel != 0) {
        if (!asyncHeld) {
            ff.e->Zustand[kMasterJ] = TruthValue(ff.Unwired(kJ) || ff.In(kJ));
            ff.e->Zustand[kMasterK] = TruthValue(ff.Unwired(kK) || ff.In(kK));
        }
        return;
    }
    if (asyncHeld)
        return;
    const bool j = ff.e->Zustand[kMasterJ] != 0;
    const bool k = ff.e->Zustand[kMasterK] != 0;
    if (!j && !k)
        return;
    if (j && k)
        ff.DriveQ(!ff.QHigh());
    else
        ff.DriveQ(j);
    Settle(ff);
}

// A negation point inverts the level the pin keeps.
void StoreInput(CellRecord& cell, int pegel) {
    cell.Pegel = TruthValue((cell.Punkt != 0) != (pegel != 0));
}

FlipFlopPins Resolve(const Grid& feld, const ElementRecord& e) {
    FlipFlopPins p;
    const std::span<const GridPoint> in = e.Eingaenge.Points();
    const std::span<const GridPoint> out = e.Ausgaenge.Points();
    if (e.Typ != kTypeFlipFlop || in.size() != p.in.size() || out.size() != p.out.size())
        return p;
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (!feld.Contains(in[i].x, in[i].y))
            return p;
        p.in[i] = static_cast<std::uint32_t>(feld.Index(in[i].x, in[i].y));
    }
    const Step s = StepOf(e.Richtung);
    for (std::size_t k = 0; k < out.size(); ++k) {
        if (!feld.Contains(out[k].x, out[k].y))
            return p;
        p.out[k] = static_cast<std::uint32_t>(feld.Index(out[k].x, out[k].y));
        p.beyond[k] = {static_cast<std::int16_t>(out[k].x + s.dx),
                       static_cast<std::int16_t>(out[k].y + s.dy)};
    }
    p.clock = in[kClock];
    p.resolved = true;
    return p;
}

LevelFlipFlops ResolveLevel(const SimLevelRecord& level) {
    LevelFlipFlops t;
    t.elements = level.Elemente.data();
    t.elementsEnd = level.Elemente.data() + level.Elemente.size();
    t.count = level.Elemente.size();
    t.cells = level.Feld.Cells();
    t.columns = level.Feld.Columns();
    t.pins.resize(level.Elemente.size());
    for (std::size_t n = 1; n < level.Elemente.size(); ++n)
        t.pins[n] = Resolve(level.Feld, level.Elemente[n]);
    return t;
}

ResolvedPins Resolved(const FlipFlopPins& p, const ElementRecord& e, CellRecord* cells, int ebene) {
    return {cells, &p, e.Richtung, ebene};
}

ListedPins Listed(const ElementRecord& e, int ebene) {
    return {e.Eingaenge.Points(), e.Ausgaenge.Points(), e.Richtung, ebene};
}

} // namespace

void ResolveFlipFlopPins() {
    gFlipFlopPins.clear();
    for (const SimLevelRecord& level : gLevels)
        gFlipFlopPins.push_back(ResolveLevel(level));
}

void ForgetFlipFlopPins() { gFlipFlopPins = {}; }

namespace {

// The slow path of FlipFlopsOf, out of line so that the check every run makes stays a few
// instructions: a table for every level, and this level's looked up again.
[[gnu::noinline, gnu::cold]] const LevelFlipFlops& LookUpFlipFlopsAgain(std::size_t ebene) {
    const SimLevelRecord& level = gLevels[ebene];
    if (gFlipFlopPins.size() < gLevels.size())
        gFlipFlopPins.resize(gLevels.size());
    LevelFlipFlops& t = gFlipFlopPins[ebene];
    if (t.elements != level.Elemente.data() ||
        t.elementsEnd != std::to_address(level.Elemente.end()) || t.cells != level.Feld.Cells() ||
        t.columns != level.Feld.Columns())
        t = ResolveLevel(level);
    return t;
}

} // namespace

const LevelFlipFlops& FlipFlopsOf(std::size_t ebene) {
    const SimLevelRecord& level = gLevels[ebene];
    if (gFlipFlopPins.size() >= gLevels.size()) [[likely]] {
        const LevelFlipFlops& t = gFlipFlopPins[ebene];
        if (t.elements == level.Elemente.data() &&
            t.elementsEnd == std::to_address(level.Elemente.end()) &&
            t.cells == level.Feld.Cells() && t.columns == level.Feld.Columns()) [[likely]]
            return t;
    }
    return LookUpFlipFlopsAgain(ebene);
}

void EvalFlipFlopAt(const LevelFlipFlops& table, CellRecord* cells, ElementRecord* elements,
                    std::size_t index, std::uint64_t event, int ebene) {
    const int pegel = event_word::High(event) ? 1 : 0;
    CellRecord& cell = cells[index];
    const int nr = cell.ElementNr;
    // The table has an entry for every element of the level.
    if (nr <= 0 || static_cast<std::size_t>(nr) >= table.count)
        return;
    ElementRecord* e = elements + nr;
    const FlipFlopPins& p = table.pins[static_cast<std::size_t>(nr)];
    if (p.resolved) {
        const FlipFlop<ResolvedPins> ff{e, Resolved(p, *e, cells, ebene)};
        for (std::size_t i = 0; i < p.in.size(); ++i) {
            if (p.in[i] == index) {
                StoreInput(cell, pegel);
                Evaluate(ff, i, pegel);
                return;
            }
        }
        return;
    }
    const FlipFlop<ListedPins> ff{e, Listed(*e, ebene)};
    if (ff.pins.in.size() < 5 || ff.pins.out.size() < 2)
        return;
    const int pin = eval::PinIndex(ff.pins.in, event_word::X(event), event_word::Y(event));
    if (pin < 0)
        return;
    StoreInput(cell, pegel);
    Evaluate(ff, static_cast<std::size_t>(pin), pegel);
}

void EvalFlipFlop(int x, int y, int richtung, int pegel, int ebene) {
    if (ebene < 0 || static_cast<std::size_t>(ebene) >= gLevels.size())
        return;
    SimLevelRecord& level = gLevels[static_cast<std::size_t>(ebene)];
    Grid& feld = level.Feld;
    if (!feld.Contains(x, y))
        return;
    EvalFlipFlopAt(FlipFlopsOf(static_cast<std::size_t>(ebene)), feld.Cells(),
                   level.Elemente.data(), feld.Index(x, y),
                   event_word::Make(x, y, richtung, pegel, ebene), ebene);
}

void ClickFlipFlop(std::int16_t n) {
    if (!eval::CircuitShown())
        return;
    ElementRecord* e = eval::LevelElement(0, n);
    if (!e || e->Typ != kTypeFlipFlop)
        return;
    // A click comes at the user's pace: the pin lists are read as they are.
    const FlipFlop<ListedPins> ff{e, Listed(*e, 0)};
    const std::span<const GridPoint> out = ff.pins.out;
    if (ff.pins.in.size() < 5 || out.size() < 2)
        return;
    const Step s = StepOf(e->Richtung);
    if (gCursorX != out[kQ].x - s.dx || gCursorY != out[kQ].y - s.dy)
        return;

    std::int16_t& state = e->Zustand[kState];
    state = TruthValue(state != kTrue);
    Redraw(ff, true);
    gSimLevel = 0;

    const bool q = state != 0;
    for (const auto& [k, high] : {std::pair{kQ, q}, std::pair{kQBar, !q}}) {
        const GridPoint p = out[k];
        if (CellRecord* c = LevelCell(0, p.x, p.y))
            c->Pegel = TruthValue(high);
        eval::QueueBeyond(p, e->Richtung, high, 0);
        SetDirectionLevel(0, p.x, p.y, e->Richtung, TruthValue(high));
    }
    eval::RunAfterClick();
}

} // namespace kardo
