// Power-on support of the block elements.
#include "simulation/block_power_on.h"

#include "simulation/eval_common.h"

namespace kardo {

void ClearRuntimeState() {
    for (SimLevelRecord& level : gLevels) {
        for (ElementRecord& e : level.Elemente)
            e.Zustand.fill(0);
        Grid& feld = level.Feld;
        for (int x = 0; x <= feld.UBoundX(); ++x) {
            for (int y = 0; y <= feld.UBoundY(); ++y)
                feld(x, y).Verzoegerung = 0;
        }
    }
}

bool QueueDecoderPowerOn(int x, int y, int ebene) {
    const ElementRecord* e = eval::OwnerElement(ebene, x, y);
    if (!e || e->Typ != kTypeDecoder)
        return false;
    const std::span<const GridPoint> in = e->Eingaenge.Points();
    const std::span<const GridPoint> out = e->Ausgaenge.Points();
    if (in.size() < 3 || eval::PinIndex(in, x, y) != 2 || out.empty())
        return false;
    // The address the inputs hold now, not the all-low one: a check that ran earlier may have
    // raised an input, and the decoder's own evaluation has then selected that output already.
    const bool clocked = in.size() == 4;
    unsigned n = 0;
    for (std::size_t b = 0; b < 3; ++b) {
        const bool bit = clocked ? e->Zustand[b + 1] != 0 : eval::PinLevel(ebene, in, b);
        n |= (bit ? 1U : 0U) << b;
    }
    if (n >= out.size())
        return false;
    const GridPoint p = out[n];
    if (CellRecord* c = eval::LevelCell(ebene, p.x, p.y))
        c->Pegel = kTrue;
    SetDirectionLevel(ebene, p.x, p.y, e->Richtung, kTrue);
    eval::QueueBeyond(p, e->Richtung, true, ebene);
    return true;
}

bool QueueFlipFlopInvertedOutput(int x, int y, int ebene) {
    const ElementRecord* e = eval::OwnerElement(ebene, x, y);
    if (!e || e->Typ != kTypeFlipFlop)
        return false;
    const std::span<const GridPoint> out = e->Ausgaenge.Points();
    if (out.size() < 2 || eval::PinIndex(out, x, y) != 1)
        return false;
    // Inverted Q is the inverse of Q: an earlier check's pass may have set the flip-flop.
    const bool high = !eval::PinLevel(ebene, out, 0);
    CellRecord& c = *eval::LevelCell(ebene, x, y);
    c.Pegel = TruthValue(high);
    const int richtung = e->Richtung;
    const std::int16_t leaving = richtung == kLeft    ? c.Links
                                 : richtung == kRight ? c.Rechts
                                 : richtung == kUp    ? c.Oben
                                 : richtung == kDown  ? c.Unten
                                                      : kFalse;
    if (!high || leaving == 0)
        return false;
    eval::QueueBeyond(out[1], richtung, true, ebene);
    SetDirectionLevel(ebene, x, y, richtung, kTrue);
    return true;
}

} // namespace kardo
