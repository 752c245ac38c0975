// Placing and removing AND, OR and XOR gates with 2 to 15 inputs.
#include "model/basic_elements.h"
#include "model/block_common.h"
#include "model/grid.h"
#include "model/number_text.h"
#include "model/pin_points.h"
#include "model/placement.h"
#include "platform/control_names.h"
#include "platform/platform.h"
#include "render/grafik.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace kardo {

namespace {

constexpr int kMinInputs = 2;
constexpr int kMaxInputs = 15;

// Footprint of a gate whose input side is n cells long, with the cursor cell (x, y) the second
// cell of the input side.
Footprint GateFootprint(int x, int y, std::uint8_t o, int n) {
    auto c = [](int v) { return static_cast<std::int16_t>(v); };
    switch (o) {
    case kRight:
        return {c(x), c(y - 1), c(x + 2), c(y + n - 2)};
    case kLeft:
        return {c(x - 2), c(y - 1), c(x), c(y + n - 2)};
    case kDown:
        return {c(x - 1), c(y), c(x + n - 2), c(y + 2)};
    default: // kUp
        return {c(x - 1), c(y - 2), c(x + n - 2), c(y)};
    }
}

} // namespace

int GateInputCount() {
    // The box's own handlers keep it within range; a stray value must not give a broken footprint.
    const double v = Val(Host().Caption(ctl::txtAnschluesse));
    if (!(v >= kMinInputs))
        return kMinInputs;
    return std::min(kMaxInputs, static_cast<int>(v));
}

void SetUndOderXOder(std::uint8_t Typ) {
    if (Typ != kTypeAnd && Typ != kTypeOr && Typ != kTypeXor)
        return;
    int n = GateInputCount();
    const bool twoInputs = n == 2;
    gZweiEingaenge = TruthValue(twoInputs);
    if (twoInputs)
        n = 3;

    const std::uint8_t o = gOrientierung;
    if (o < kLeft || o > kDown)
        return;
    const int X = gCursorX;
    const int Y = gCursorY;
    const Footprint f = GateFootprint(X, Y, o, n);
    ElementRecord* e = PlaceBlock(f, Typ, "UND/ODER/X-ODER setzen");
    if (!e)
        return;
    if (twoInputs)
        e->Text = "2";

    const bool vertical = o == kRight || o == kLeft; // the input side is a column
    std::string inputs;
    for (int i = 0; i < n; ++i) {
        if (twoInputs && i == 1)
            continue; // the middle cell of a two-input gate is no pin
        inputs += vertical ? PinEntry(X, f.Y1 + i) : PinEntry(f.X1 + i, Y);
    }
    e->Eingaenge = std::move(inputs);
    switch (o) {
    case kRight:
        e->Ausgaenge = PinEntry(f.X2, f.Y1 + n / 2);
        break;
    case kLeft:
        e->Ausgaenge = PinEntry(f.X1, f.Y1 + n / 2);
        break;
    case kDown:
        e->Ausgaenge = PinEntry(f.X1 + n / 2, f.Y2);
        break;
    default:
        e->Ausgaenge = PinEntry(f.X1 + n / 2, f.Y1);
        break;
    }

    PrepareDrawing();
    if (Typ == kTypeOr)
        gGrafik.DrawOder(gCursorX, gCursorY, false);
    else if (Typ == kTypeAnd)
        gGrafik.DrawUnd(gCursorX, gCursorY, false);
    else
        gGrafik.DrawXOder(gCursorX, gCursorY);
}

void RemoveUndOderXOder() { RemoveCursorBlock("UND/ODER/X-ODER löschen"); }

} // namespace kardo
