// Shift register evaluation and click. Inputs in pin order serial A, serial B, clock; outputs
// the last stages of A and B. State slots: 2..5 register A stage 1..4, 6..9 register B stage
// 1..4, 10 and 11 the serial inputs latched at the rising clock edge.
#include "simulation/eval_shift_register.h"

#include "platform/platform.h"
#include "render/grafik.h"
#include "simulation/eval_common.h"
#include "simulation/power.h"

namespace kardo {

namespace {

constexpr std::size_t kClock = 2;
constexpr std::size_t kLastA = 5;
constexpr std::size_t kLastB = 9;
constexpr std::size_t kLatchA = 10;
constexpr std::size_t kLatchB = 11;

// Shows the stages on the symbol anchored at its clock input; only the circuit is on view.
void Redraw(const ElementRecord& e, GridPoint clock, int ebene) {
    gGrafik.Orientation = e.Richtung;
    if (ebene != 0 || !gPlatform || !gPlatform->screen)
        return;
    gGrafik.Device = gPlatform->screen;
    gGrafik.DrawSRegister(clock.x, clock.y);
}

} // namespace

void EvalShiftRegister(int x, int y, int, int pegel, int ebene) {
    ElementRecord* e = eval::OwnerElement(ebene, x, y);
    if (!e)
        return;
    const std::span<const GridPoint> in = e->Eingaenge.Points();
    const std::span<const GridPoint> out = e->Ausgaenge.Points();
    if (in.size() < 3 || out.size() < 2 || eval::PinIndex(in, x, y) != static_cast<int>(kClock))
        return;
    auto& z = e->Zustand;
    if (pegel != 0) {
        z[kLatchA] = TruthValue(eval::PinLevel(ebene, in, 0));
        z[kLatchB] = TruthValue(eval::PinLevel(ebene, in, 1));
        return;
    }
    for (std::size_t s = kLastA; s > 2; --s)
        z[s] = z[s - 1];
    for (std::size_t s = kLastB; s > 6; --s)
        z[s] = z[s - 1];
    z[2] = z[kLatchA];
    z[6] = z[kLatchB];
    for (const auto& [k, slot] : {std::pair{0U, kLastA}, std::pair{1U, kLastB}}) {
        const bool high = z[slot] != 0;
        if (CellRecord* c = eval::LevelCell(ebene, out[k].x, out[k].y))
            c->Pegel = TruthValue(high);
        eval::QueueBeyond(out[k], e->Richtung, high, ebene);
        SetDirectionLevel(ebene, out[k].x, out[k].y, e->Richtung, TruthValue(high));
    }
    Redraw(*e, in[kClock], ebene);
}

void ClickShiftRegister(std::int16_t n) {
    if (!eval::CircuitShown())
        return;
    ElementRecord* e = eval::LevelElement(0, n);
    if (!e || e->Typ != kTypeShiftRegister)
        return;
    const std::span<const GridPoint> in = e->Eingaenge.Points();
    const std::span<const GridPoint> out = e->Ausgaenge.Points();
    if (in.size() < 3 || out.size() < 2)
        return;
    const Step s = StepOf(e->Richtung);
    auto& z = e->Zustand;

    // Stage 4 lies one step back from its output, stage 1 seven steps back.
    int flipped = 0;
    for (std::size_t k = 0; k < 2 && flipped == 0; ++k) {
        for (int back = 1; back <= 7; back += 2) {
            if (gCursorX == out[k].x - back * s.dx && gCursorY == out[k].y - back * s.dy) {
                flipped = static_cast<int>(k == 0 ? kLastA : kLastB) - (back - 1) / 2;
                break;
            }
        }
    }
    if (flipped != 0) {
        std::int16_t& slot = z[static_cast<std::size_t>(flipped)];
        slot = TruthValue(slot != kTrue);
    }
    if (gSimLevel == 0)
        Redraw(*e, in[kClock], 0);
    if (flipped != static_cast<int>(kLastA) && flipped != static_cast<int>(kLastB))
        return;

    const std::size_t k = flipped == static_cast<int>(kLastA) ? 0 : 1;
    const bool high = z[static_cast<std::size_t>(flipped)] != 0;
    eval::QueueBeyond(out[k], e->Richtung, high, 0);
    SetDirectionLevel(0, out[k].x, out[k].y, e->Richtung, TruthValue(high));
    if (CellRecord* c = eval::LevelCell(0, out[0].x, out[0].y))
        c->Pegel = z[kLastA] != 0 ? kTrue : kFalse;
    if (CellRecord* c = eval::LevelCell(0, out[1].x, out[1].y))
        c->Pegel = z[kLastB] != 0 ? kTrue : kFalse;
    eval::RunAfterClick();
}

} // namespace kardo
