// Gate, inverter, switch and LED evaluation.
#include "simulation/gate_eval.h"

#include "model/codes.h"
#include "model/elements.h"
#include "model/pin_points.h"
#include "model/sim_levels.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "simulation/sim_core.h"
#include "simulation/wire_router.h"

#include <span>

namespace kardo {

namespace {

constexpr Color kLedOff = Rgb(224, 224, 224);

enum class GateKind { And, Or, Xor };

DrawTarget* Screen() { return gPlatform ? gPlatform->screen : nullptr; }

// The cell (x, y) of level ebene, or nullptr outside its grid.
CellRecord* LevelCell(int ebene, int x, int y) {
    if (ebene < 0 || static_cast<std::size_t>(ebene) >= gLevels.size())
        return nullptr;
    Grid& feld = gLevels[static_cast<std::size_t>(ebene)].Feld;
    return feld.Contains(x, y) ? &feld(x, y) : nullptr;
}

// The element record owning cell c on its own level, whatever level is shown.
const ElementRecord* OwnerOf(const CellRecord& c, int ebene) {
    return LevelElement(c.ElementNr, static_cast<std::int16_t>(ebene));
}

void EvalGate(GateKind kind, int x, int y, int ebene) {
    const CellRecord* cell = LevelCell(ebene, x, y);
    if (!cell)
        return;
    const ElementRecord* e = OwnerOf(*cell, ebene);
    if (!e)
        return;
    const std::span<const GridPoint> inputs = e->Eingaenge.Points();
    const std::span<const GridPoint> outputs = e->Ausgaenge.Points();
    if (outputs.empty())
        return;
    const GridPoint out = outputs[0];
    if (out.x == x && out.y == y)
        return;
    CellRecord* outCell = LevelCell(ebene, out.x, out.y);
    if (!outCell)
        return;

    bool r = kind == GateKind::And;
    for (const GridPoint p : inputs) {
        const CellRecord* in = LevelCell(ebene, p.x, p.y);
        if (!in)
            continue;
        const bool a = (in->Pegel != 0) != (in->Punkt != 0);
        switch (kind) {
        case GateKind::And:
            r = r && a;
            break;
        case GateKind::Or:
            r = r || a;
            break;
        case GateKind::Xor:
            r = r != a;
            break;
        }
    }
    r = r != (outCell->Punkt != 0);

    const int richtung = e->Richtung;
    const Step s = StepOf(richtung);
    outCell->Pegel = TruthValue(r);
    if (kind == GateKind::And && outCell->Punkt != 0) {
        // The count saturates: a byte that wrapped would release the held events at once.
        if (CellRecord* beyond = LevelCell(ebene, out.x + s.dx, out.y + s.dy);
            beyond && beyond->Verzoegerung < 255)
            ++beyond->Verzoegerung;
    }
    AddEvent(out.x + s.dx, out.y + s.dy, richtung, r ? 1 : 0, ebene);
    if (richtung == kLeft || richtung == kRight)
        outCell->PegelH = TruthValue(r);
    else if (richtung == kUp || richtung == kDown)
        outCell->PegelV = TruthValue(r);
}

} // namespace

void EvalUnd(int x, int y, int, int, int ebene) { EvalGate(GateKind::And, x, y, ebene); }
void EvalOder(int x, int y, int, int, int ebene) { EvalGate(GateKind::Or, x, y, ebene); }
void EvalXOder(int x, int y, int, int, int ebene) { EvalGate(GateKind::Xor, x, y, ebene); }

void EvalInverter(int x, int y, int, int pegel, int ebene) {
    const CellRecord* cell = LevelCell(ebene, x, y);
    if (!cell)
        return;
    const ElementRecord* e = OwnerOf(*cell, ebene);
    if (!e || e->Eingaenge.Count() == 0)
        return;
    // Only a level arriving at the input cell is inverted, and always in the inverter's own
    // orientation, whichever way the event entered: an event taking the direction of its travel
    // would write into the wrong cells when it entered from the output or a side.
    const GridPoint in = e->Eingaenge.Points()[0];
    if (in.x != x || in.y != y)
        return;
    const int richtung = e->Richtung;
    const Step s = StepOf(richtung);
    if (s.dx == 0 && s.dy == 0)
        return;

    const bool n = pegel == 0;
    const int ox = x + s.dx;
    const int oy = y + s.dy;
    CellRecord* outCell = LevelCell(ebene, ox, oy);
    if (!outCell)
        return;
    outCell->Pegel = TruthValue(n);
    AddEvent(x + 2 * s.dx, y + 2 * s.dy, richtung, n ? 1 : 0, ebene);
    SetDirectionLevel(ebene, ox, oy, richtung, TruthValue(n));
    if (ebene == 0) {
        if (DrawTarget* pic = Screen()) {
            gGrafik.Device = pic;
            gGrafik.DrawLines(static_cast<std::int16_t>(ox), static_cast<std::int16_t>(oy),
                              static_cast<std::int16_t>(richtung), n ? 1 : 0);
        }
    }
}

void EvalSwitch(int x, int y, int richtung, int pegel, int ebene) {
    if (ebene == 0) {
        if (DrawTarget* pic = Screen()) {
            gGrafik.Device = pic;
            gGrafik.DrawSwitch(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
        }
    }
    PropagateJunction(x, y, richtung, pegel, ebene);
}

void EvalDiode(int x, int y, int richtung, int pegel, int ebene) {
    // LEDs inside IC levels are not on view; painting them at their own coordinates would
    // paint over the circuit.
    if (ebene == 0 && (pegel == 0 || pegel == 1)) {
        if (DrawTarget* pic = Screen()) {
            Color fill = kLedOff;
            if (pegel == 1) {
                const CellRecord* cell = LevelCell(ebene, x, y);
                const ElementRecord* e = cell ? OwnerOf(*cell, ebene) : nullptr;
                fill = e ? e->Farbe : kLedOff;
            }
            pic->FillStyle = FillMode::Solid;
            pic->FillColor = fill;
            // Outlined in black whatever pen the last wire step left on the picture.
            pic->Circle(GridToPixel(x), GridToPixel(y), 6.0 * static_cast<double>(gGrafik.GridMode),
                        Rgb(0, 0, 0));
            pic->FillStyle = FillMode::Transparent;
        }
    }
    PropagateJunction(x, y, richtung, pegel, ebene);
}

} // namespace kardo
