// Adder evaluation and number display update. Adder inputs in pin order: the two outer cells of
// the input side, then its middle cell (no operand of the half adder); outputs sum and carry.
#include "simulation/eval_adder.h"

#include "platform/platform.h"
#include "render/grafik.h"
#include "simulation/eval_common.h"

namespace kardo {

namespace {

constexpr std::size_t kSum = 0;
constexpr std::size_t kCarry = 1;

struct Adder {
    const ElementRecord* e = nullptr;
    std::span<const GridPoint> in;
    std::span<const GridPoint> out;
    int ebene = 0;
    int pin = -1; // input the event reached
};

// Looks the adder up; false unless the event reached one of its three input entries.
bool Take(Adder& a, int x, int y, int ebene) {
    a.ebene = ebene;
    a.e = eval::OwnerElement(ebene, x, y);
    if (!a.e)
        return false;
    a.in = a.e->Eingaenge.Points();
    a.out = a.e->Ausgaenge.Points();
    if (a.in.size() < 3 || a.out.size() < 2)
        return false;
    a.pin = eval::PinIndex(a.in.first(3), x, y);
    return a.pin >= 0;
}

// A pin counts as wired when the cell behind it, against the orientation, has its wire flag
// pointing at the pin; a wire joining from the side does not count.
bool Wired(const Adder& a, std::size_t i) {
    const GridPoint p = a.in[i];
    const Step s = StepOf(a.e->Richtung);
    const CellRecord* behind = eval::LevelCell(a.ebene, p.x - s.dx, p.y - s.dy);
    if (!behind)
        return false;
    switch (a.e->Richtung) {
    case kRight:
        return behind->Rechts != 0;
    case kLeft:
        return behind->Links != 0;
    case kDown:
        return behind->Unten != 0;
    case kUp:
        return behind->Oben != 0;
    default:
        return false;
    }
}

bool In(const Adder& a, std::size_t i) { return eval::PinLevel(a.ebene, a.in, i); }

// Drives sum, then carry, for `ones` high operands.
void DriveSum(const Adder& a, int ones) {
    eval::DriveOutput(a.out[kSum], a.e->Richtung, (ones & 1) != 0, a.ebene);
    eval::DriveOutput(a.out[kCarry], a.e->Richtung, ones >= 2, a.ebene);
}

// The coordinate of pin i across the orientation.
int Across(const Adder& a, std::size_t i) {
    return a.e->Richtung == kLeft || a.e->Richtung == kRight ? a.in[i].y : a.in[i].x;
}

} // namespace

void EvalHA(int x, int y, int, int, int ebene) {
    Adder a;
    if (!Take(a, x, y, ebene) || !Wired(a, 0) || !Wired(a, 1))
        return;
    DriveSum(a, In(a, 0) + In(a, 1));
}

void EvalVA(int x, int y, int, int, int ebene) {
    Adder a;
    if (!Take(a, x, y, ebene))
        return;
    const bool wired[3] = {Wired(a, 0), Wired(a, 1), Wired(a, 2)};
    const int count = wired[0] + wired[1] + wired[2];
    if (count == 3) {
        DriveSum(a, In(a, 0) + In(a, 1) + In(a, 2));
        return;
    }
    if (count != 2)
        return;
    // The partner of the reached pin: from an end pin the middle pin, then the far end; from
    // the middle pin the end at the lower coordinate, then the higher one. The last wired one
    // found is taken.
    const auto reached = static_cast<std::size_t>(a.pin);
    std::size_t order[2] = {2, 1 - reached};
    if (reached == 2) {
        const bool firstLower = Across(a, 0) < Across(a, 1);
        order[0] = firstLower ? 0 : 1;
        order[1] = firstLower ? 1 : 0;
    }
    std::size_t partner = order[0];
    if (wired[order[1]])
        partner = order[1];
    DriveSum(a, In(a, reached) + In(a, partner));
}

void UpdateDisplay(int x, int y, int, int, int ebene) {
    if (ebene != 0 || !gPlatform || !gPlatform->screen)
        return;
    gGrafik.Device = gPlatform->screen;
    gGrafik.DrawZAnzeige(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
}

} // namespace kardo
