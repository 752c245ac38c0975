// Multiplexer, decoder and tri-state evaluation.
#include "simulation/eval_mux_decoder.h"

#include "simulation/eval_common.h"

#include <algorithm>

namespace kardo {

namespace {

using eval::PinLevel;

// Multiplexer inputs: D0..D3, then S1 and S0.
constexpr std::size_t kS1 = 4;
constexpr std::size_t kS0 = 5;
// Decoder: address bits of weight 1, 2, 4, then the clock of the clocked kind.
constexpr std::size_t kDecoderClock = 3;
constexpr std::size_t kDecoderOutputs = 8;

void AddDelay(CellRecord& c, int passes) {
    // An 8-bit count that wrapped would release the held event early; it saturates instead.
    c.Verzoegerung = static_cast<std::uint8_t>(std::min(255, c.Verzoegerung + passes));
}

void DriveDecoderOutputs(const ElementRecord& e, std::span<const GridPoint> out, unsigned n,
                         int ebene) {
    const int richtung = e.Richtung;
    const Step s = StepOf(richtung);
    for (std::size_t k = 0; k < out.size() && k < kDecoderOutputs; ++k) {
        if (k != n)
            continue;
        if (CellRecord* c = eval::LevelCell(ebene, out[k].x, out[k].y)) {
            c->Pegel = kTrue;
            SetDirectionLevel(ebene, out[k].x, out[k].y, richtung, kTrue);
        }
        if (CellRecord* beyond = eval::LevelCell(ebene, out[k].x + s.dx, out[k].y + s.dy))
            AddDelay(*beyond, kDecoderRiseDelay);
        eval::QueueBeyond(out[k], richtung, true, ebene);
    }
    for (std::size_t k = 0; k < out.size() && k < kDecoderOutputs; ++k) {
        if (k == n)
            continue;
        if (CellRecord* c = eval::LevelCell(ebene, out[k].x, out[k].y))
            c->Pegel = kFalse;
        if (CellRecord* beyond = eval::LevelCell(ebene, out[k].x + s.dx, out[k].y + s.dy))
            beyond->Verzoegerung = 0;
        eval::QueueBeyond(out[k], richtung, false, ebene);
    }
}

} // namespace

void EvalMultiplexer(int x, int y, int, int, int ebene) {
    const ElementRecord* e = eval::OwnerElement(ebene, x, y);
    if (!e)
        return;
    const std::span<const GridPoint> in = e->Eingaenge.Points();
    const std::span<const GridPoint> out = e->Ausgaenge.Points();
    if (in.size() < 6 || out.empty())
        return;
    const std::size_t selected =
        (PinLevel(ebene, in, kS1) ? 2U : 0U) + (PinLevel(ebene, in, kS0) ? 1U : 0U);
    const bool high = PinLevel(ebene, in, selected);
    eval::QueueBeyond(out[0], e->Richtung, high, ebene);
    SetDirectionLevel(ebene, out[0].x, out[0].y, e->Richtung, TruthValue(high));
    // The output pin cell keeps the level driven onto the output wire.
    if (CellRecord* c = eval::LevelCell(ebene, out[0].x, out[0].y))
        c->Pegel = TruthValue(high);
}

void EvalDecoder(int x, int y, int, int pegel, int ebene) {
    ElementRecord* e = eval::OwnerElement(ebene, x, y);
    if (!e)
        return;
    const std::span<const GridPoint> in = e->Eingaenge.Points();
    const std::span<const GridPoint> out = e->Ausgaenge.Points();
    if (in.size() < 3)
        return;
    const bool clocked = in.size() == 4;
    const int pin = eval::PinIndex(in, x, y);
    if (!clocked && (pin < 0 || pin > 2))
        return;

    auto& z = e->Zustand;
    const bool atClock = clocked && pin == static_cast<int>(kDecoderClock);
    if (atClock && pegel != 0) {
        for (std::size_t b = 0; b < 3; ++b)
            z[b + 1] = TruthValue(PinLevel(ebene, in, b));
        return;
    }
    if (clocked && !atClock)
        return;
    unsigned n = 0;
    for (std::size_t b = 0; b < 3; ++b) {
        const bool bit = clocked ? z[b + 1] != 0 : PinLevel(ebene, in, b);
        n |= (bit ? 1U : 0U) << b;
    }
    DriveDecoderOutputs(*e, out, n, ebene);
}

void EvalTriState(int x, int y, int, int, int ebene) {
    const ElementRecord* e = eval::OwnerElement(ebene, x, y);
    if (!e)
        return;
    const std::span<const GridPoint> in = e->Eingaenge.Points();
    const std::span<const GridPoint> out = e->Ausgaenge.Points();
    if (in.size() < 2 || out.empty())
        return;
    const int pin = eval::PinIndex(in, x, y);
    if (pin < 0 || pin > 1 || !PinLevel(ebene, in, 1))
        return;
    const bool high = PinLevel(ebene, in, 0);
    eval::QueueBeyond(out[0], e->Richtung, high, ebene);
    // The output pin cell and its wire carry the driven level, low included, so that a redraw
    // shows what the wire beyond carries.
    if (CellRecord* c = eval::LevelCell(ebene, out[0].x, out[0].y))
        c->Pegel = TruthValue(high);
    SetDirectionLevel(ebene, out[0].x, out[0].y, e->Richtung, TruthValue(high));
}

} // namespace kardo
