// Footprints from pins: each kind's rectangle worked out from the pins its placing writes, as its
// removal clears it and as the check of a loaded circuit requires it.
#include "model/footprint.h"

#include "model/codes.h"

#include <algorithm>
#include <span>

namespace kardo {

namespace {

// The block that hangs off the first output point: length cells along the orientation and three
// across (adders, shift register).
bool BehindOutput(GridPoint q, std::uint8_t o, int length, Footprint& f) {
    switch (o) {
    case kLeft:
        f = Rect(q.x, q.y, q.x + length, q.y + 2);
        return true;
    case kRight:
        f = Rect(q.x - length, q.y, q.x, q.y + 2);
        return true;
    case kUp:
        f = Rect(q.x - 2, q.y, q.x, q.y + length);
        return true;
    case kDown:
        f = Rect(q.x - 2, q.y - length, q.x, q.y);
        return true;
    default:
        return false;
    }
}

// From the first and last input and the output; the outer inputs of a two-input gate span the
// full input side, so this is the whole footprint in every case.
bool GateFootprint(std::span<const GridPoint> in, GridPoint q, std::uint8_t o, Footprint& f) {
    const GridPoint first = in.front();
    const GridPoint last = in.back();
    switch (o) {
    case kLeft:
        f = Rect(q.x, first.y, first.x, last.y);
        return true;
    case kRight:
        f = Rect(first.x, first.y, q.x, last.y);
        return true;
    case kUp:
        f = Rect(first.x, q.y, last.x, first.y);
        return true;
    case kDown:
        f = Rect(first.x, first.y, last.x, q.y);
        return true;
    default:
        return false;
    }
}

// The input cell and the next cell along the orientation.
bool InverterFootprint(GridPoint in, std::uint8_t o, Footprint& f) {
    const int dx = o == kRight ? 1 : o == kLeft ? -1 : 0;
    const int dy = o == kDown ? 1 : o == kUp ? -1 : 0;
    if (dx == 0 && dy == 0)
        return false;
    const int x = in.x;
    const int y = in.y;
    f = Rect(std::min(x, x + dx), std::min(y, y + dy), std::max(x, x + dx), std::max(y, y + dy));
    return true;
}

// Three cells wide and depth + 1 cells long, the output in the middle of the far side: a clock
// (depth 3) or a tri-state gate (depth 2).
bool BodyBehindOutput(GridPoint q, std::uint8_t o, int depth, Footprint& f) {
    switch (o) {
    case kRight:
        f = Rect(q.x - depth, q.y - 1, q.x, q.y + 1);
        return true;
    case kLeft:
        f = Rect(q.x, q.y - 1, q.x + depth, q.y + 1);
        return true;
    case kUp:
        f = Rect(q.x - 1, q.y, q.x + 1, q.y + depth);
        return true;
    case kDown:
        f = Rect(q.x - 1, q.y - depth, q.x + 1, q.y);
        return true;
    default:
        return false;
    }
}

// Corners from the first and fourth data inputs, the first select input and the output.
bool MultiplexerFootprint(std::span<const GridPoint> in, GridPoint q, std::uint8_t o,
                          Footprint& f) {
    const GridPoint d1 = in[0];
    const GridPoint d4 = in[3];
    const GridPoint s1 = in[4];
    switch (o) {
    case kRight:
        f = Rect(d1.x, s1.y, q.x, d1.y);
        return true;
    case kLeft:
        f = Rect(q.x, s1.y, d1.x, d1.y);
        return true;
    case kDown:
        f = Rect(d4.x, d1.y, s1.x, q.y);
        return true;
    case kUp:
        f = Rect(d4.x, q.y, s1.x, d1.y);
        return true;
    default:
        return false;
    }
}

// The decoder's block around its third input (weight 4), the cursor cell of its placing.
bool DecoderFootprint(GridPoint a, std::uint8_t o, Footprint& f) {
    switch (o) {
    case kRight:
        f = Rect(a.x, a.y - 5, a.x + 2, a.y + 4);
        return true;
    case kLeft:
        f = Rect(a.x - 2, a.y - 5, a.x, a.y + 4);
        return true;
    case kDown:
        f = Rect(a.x - 4, a.y, a.x + 5, a.y + 2);
        return true;
    case kUp:
        f = Rect(a.x - 4, a.y - 2, a.x + 5, a.y);
        return true;
    default:
        return false;
    }
}

// From J, K and the two outputs.
bool FlipFlopFootprint(std::span<const GridPoint> in, std::span<const GridPoint> out,
                       std::uint8_t o, Footprint& f) {
    const GridPoint j = in[0];
    const GridPoint k = in[2];
    const GridPoint q1 = out[0];
    const GridPoint q2 = out[1];
    switch (o) {
    case kRight:
        f = Rect(j.x, j.y, q1.x, q2.y);
        return true;
    case kLeft:
        f = Rect(q1.x, q1.y, j.x, k.y);
        return true;
    case kDown:
        f = Rect(k.x, j.y, q1.x, q1.y);
        return true;
    case kUp:
        f = Rect(q2.x, q1.y, j.x, j.y);
        return true;
    default:
        return false;
    }
}

} // namespace

bool KindPinCounts(std::uint8_t typ, PinCounts& c) {
    switch (typ) {
    case kTypeLed:
    case kTypeNumberDisplay:
    case kTypeText:
        c = {typ == kTypeNumberDisplay ? 6u : 1u, typ == kTypeNumberDisplay ? 6u : 1u, 0};
        return true;
    case kTypeSwitch:
    case kTypeAnalysisPoint:
    case kTypeInverter:
    case kTypeClock:
        c = {1, 1, 1};
        return true;
    case kTypeAnd:
    case kTypeOr:
    case kTypeXor:
        c = {2, 15, 1};
        return true;
    case kTypeHalfAdder:
    case kTypeFullAdder:
    case kTypeShiftRegister:
        c = {3, 3, 2};
        return true;
    case kTypeTriState:
        c = {2, 2, 1};
        return true;
    case kTypeMultiplexer:
        c = {6, 6, 1};
        return true;
    case kTypeDecoder:
        c = {3, 4, 8};
        return true;
    case kTypeFlipFlop:
        c = {5, 5, 2};
        return true;
    default:
        return false;
    }
}

bool ElementFootprint(const ElementRecord& e, Footprint& f) {
    PinCounts counts{};
    if (!KindPinCounts(e.Typ, counts))
        return false;
    const std::span<const GridPoint> in = e.Eingaenge.Points();
    const std::span<const GridPoint> out = e.Ausgaenge.Points();
    if (in.size() < counts.minIn || in.size() > counts.maxIn || out.size() != counts.outs)
        return false;
    const std::uint8_t o = e.Richtung;
    switch (e.Typ) {
    case kTypeLed:
    case kTypeSwitch:
    case kTypeAnalysisPoint:
    case kTypeText:
        f = Rect(in[0].x, in[0].y, in[0].x, in[0].y);
        return true;
    case kTypeAnd:
    case kTypeOr:
    case kTypeXor:
        return GateFootprint(in, out[0], o, f);
    case kTypeInverter:
        return InverterFootprint(in[0], o, f);
    case kTypeClock:
        return BodyBehindOutput(out[0], o, 3, f);
    case kTypeHalfAdder:
    case kTypeFullAdder:
        return BehindOutput(out[0], o, 3, f);
    case kTypeShiftRegister:
        return BehindOutput(out[0], o, 8, f);
    case kTypeTriState:
        return BodyBehindOutput(out[0], o, 2, f);
    case kTypeMultiplexer:
        return MultiplexerFootprint(in, out[0], o, f);
    case kTypeDecoder:
        return DecoderFootprint(in[2], o, f);
    case kTypeFlipFlop:
        return FlipFlopFootprint(in, out, o, f);
    case kTypeNumberDisplay:
        // Always facing right: the top row's inputs from the right, then the left column's.
        f = Rect(in[3].x, in[2].y, in[0].x + 1, in[5].y + 1);
        return true;
    default:
        return false;
    }
}

bool HasPlacedSize(const ElementRecord& e, const Footprint& f) {
    const int w = f.X2 - f.X1 + 1;
    const int h = f.Y2 - f.Y1 + 1;
    const bool horizontal = e.Richtung == kLeft || e.Richtung == kRight;
    switch (e.Typ) {
    case kTypeAnd:
    case kTypeOr:
    case kTypeXor: {
        const int side = std::max<int>(3, static_cast<int>(e.Eingaenge.Count()));
        return horizontal ? w == 3 && h == side : w == side && h == 3;
    }
    case kTypeMultiplexer:
    case kTypeNumberDisplay:
        return w == 5 && h == 5;
    case kTypeFlipFlop:
        return horizontal ? w == 6 && h == 3 : w == 3 && h == 6;
    default:
        return true;
    }
}

int LabelCellsEnd(const Grid& cells, int lastColumn, std::int16_t n, int x, int y) {
    while (x < lastColumn && cells(x + 1, y).Typ == kTypeText && cells(x + 1, y).ElementNr == n)
        ++x;
    return x;
}

} // namespace kardo
