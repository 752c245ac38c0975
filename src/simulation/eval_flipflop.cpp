// Flip-flop evaluation and click. Inputs in pin order J, clock, K, set, reset; outputs Q and
// inverted Q. State slots: 1 master J, 3 master K, 12 the settled state Q (shown by the symbol).
#include "simulation/eval_flipflop.h"

#include "ic/ic_view.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "simulation/eval_common.h"
#include "simulation/power.h"

namespace kardo {

namespace {

using eval::DriveOutput;
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

struct FlipFlop {
    ElementRecord* e = nullptr;
    std::span<const GridPoint> in;  // J, clock, K, set, reset
    std::span<const GridPoint> out; // Q, inverted Q
    int ebene = 0;

    bool Valid() const { return e && in.size() >= 5 && out.size() >= 2; }
    bool In(std::size_t i) const { return PinLevel(ebene, in, i); }
    // A data input without any wire at its pin cell counts as high.
    bool Unwired(std::size_t i) const {
        const CellRecord* c = LevelCell(ebene, in[i].x, in[i].y);
        return !c || WireFlagCount(*c) == 0;
    }
    bool QHigh() const { return PinLevel(ebene, out, kQ); }
    void Drive(std::size_t k, bool high) const { DriveOutput(out[k], e->Richtung, high, ebene); }
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

// Shows the state on the symbol; only the circuit's own flip-flops are on view.
void Redraw(const FlipFlop& ff) {
    gGrafik.Orientation = ff.e->Richtung;
    if (ff.ebene != 0 || !gPlatform || !gPlatform->screen)
        return;
    gGrafik.Device = gPlatform->screen;
    gGrafik.DrawFlipFlop(ff.in[kClock].x, ff.in[kClock].y, false, false);
}

void Settle(const FlipFlop& ff) {
    ff.e->Zustand[kState] = TruthValue(ff.QHigh());
    Redraw(ff);
}

// Set or reset reached by level `pressed`.
void SetOrReset(const FlipFlop& ff, bool isSet, bool pressed) {
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

} // namespace

void EvalFlipFlop(int x, int y, int, int pegel, int ebene) {
    FlipFlop ff;
    ff.ebene = ebene;
    ff.e = eval::OwnerElement(ebene, x, y);
    if (!ff.e)
        return;
    ff.in = ff.e->Eingaenge.Points();
    ff.out = ff.e->Ausgaenge.Points();
    if (!ff.Valid())
        return;

    const int pin = eval::PinIndex(ff.in, x, y);
    if (pin < 0)
        return;
    CellRecord& cell = *LevelCell(ebene, x, y);
    // A negation point inverts the level the pin keeps.
    cell.Pegel = TruthValue((cell.Punkt != 0) != (pegel != 0));

    const auto i = static_cast<std::size_t>(pin);
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

void ClickFlipFlop(std::int16_t n) {
    if (!eval::CircuitShown())
        return;
    FlipFlop ff;
    ff.e = eval::LevelElement(0, n);
    if (!ff.e || ff.e->Typ != kTypeFlipFlop)
        return;
    ff.in = ff.e->Eingaenge.Points();
    ff.out = ff.e->Ausgaenge.Points();
    if (!ff.Valid())
        return;
    const Step s = StepOf(ff.e->Richtung);
    if (gCursorX != ff.out[kQ].x - s.dx || gCursorY != ff.out[kQ].y - s.dy)
        return;

    std::int16_t& state = ff.e->Zustand[kState];
    state = TruthValue(state != kTrue);
    Redraw(ff);
    gSimLevel = 0;

    const bool q = state != 0;
    for (const auto& [k, high] : {std::pair{kQ, q}, std::pair{kQBar, !q}}) {
        const GridPoint p = ff.out[k];
        if (CellRecord* c = LevelCell(0, p.x, p.y))
            c->Pegel = TruthValue(high);
        eval::QueueBeyond(p, ff.e->Richtung, high, 0);
        SetDirectionLevel(0, p.x, p.y, ff.e->Richtung, TruthValue(high));
    }
    eval::RunAfterClick();
}

} // namespace kardo
