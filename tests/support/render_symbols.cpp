// Basic elements for the drawing tests, written cell by cell.
#include "support/render_symbols.h"

#include "model/codes.h"
#include "model/grid.h"

#include <algorithm>
#include <cassert>
#include <vector>

namespace kardo::test {

namespace {

GridPoint Pt(int x, int y) { return {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)}; }

// Marks the rectangle (x1, y1)-(x2, y2) with typ and a new element of orientation richtung.
ElementRecord& PutCells(std::uint8_t typ, std::uint8_t richtung, int x1, int y1, int x2, int y2,
                        const std::vector<GridPoint>& inputs,
                        const std::vector<GridPoint>& outputs) {
    ElementRecord& e = AppendElement(typ);
    e.Richtung = richtung;
    for (const GridPoint& p : inputs)
        e.Eingaenge += PinEntry(p.x, p.y);
    for (const GridPoint& p : outputs)
        e.Ausgaenge += PinEntry(p.x, p.y);
    for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) {
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) {
            gGrid(x, y).Typ = typ;
            gGrid(x, y).ElementNr = e.Nr;
        }
    }
    return e;
}

} // namespace

std::int16_t PutGate(std::uint8_t typ, int x, int y, std::uint8_t richtung, int n) {
    const bool two = n == 2;
    if (two)
        n = 3;
    std::vector<GridPoint> in;
    GridPoint out;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    switch (richtung) {
    case kRight:
        x1 = x, y1 = y - 1, x2 = x + 2, y2 = y + n - 2;
        out = Pt(x2, y1 + n / 2);
        break;
    case kLeft:
        x1 = x - 2, y1 = y - 1, x2 = x, y2 = y + n - 2;
        out = Pt(x1, y1 + n / 2);
        break;
    case kDown:
        x1 = x - 1, y1 = y, x2 = x + n - 2, y2 = y + 2;
        out = Pt(x1 + n / 2, y2);
        break;
    default:
        x1 = x - 1, y1 = y - 2, x2 = x + n - 2, y2 = y;
        out = Pt(x1 + n / 2, y1);
        break;
    }
    const bool horizontal = richtung == kRight || richtung == kLeft;
    for (int k = 0; k < n; ++k) {
        if (two && k == 1)
            continue;
        in.push_back(horizontal ? Pt(x, y1 + k) : Pt(x1 + k, y));
    }
    ElementRecord& e = PutCells(typ, richtung, x1, y1, x2, y2, in, {out});
    if (two)
        e.Text = "2";
    return e.Nr;
}

std::int16_t PutInverter(int x, int y, std::uint8_t richtung) {
    int ox = x, oy = y;
    switch (richtung) {
    case kRight:
        ++ox;
        break;
    case kLeft:
        --ox;
        break;
    case kDown:
        ++oy;
        break;
    default:
        --oy;
        break;
    }
    return PutCells(kTypeInverter, richtung, x, y, ox, oy, {Pt(x, y)}, {Pt(ox, oy)}).Nr;
}

std::int16_t PutSwitch(int x, int y) {
    return PutCells(kTypeSwitch, kRight, x, y, x, y, {Pt(x, y)}, {Pt(x, y)}).Nr;
}

std::int16_t PutLed(int x, int y, std::int32_t farbe) {
    ElementRecord& e = PutCells(kTypeLed, 0, x, y, x, y, {Pt(x, y)}, {});
    e.Farbe = farbe;
    gGrid(x, y).Punkt = kPointConnection;
    return e.Nr;
}

std::int16_t PutAnalysisPoint(int x, int y, const std::string& number) {
    ElementRecord& e = PutCells(kTypeAnalysisPoint, 0, x, y, x, y, {Pt(x, y)}, {});
    e.Text = number;
    return e.Nr;
}

std::int16_t PutTriState(int x, int y, std::uint8_t richtung) {
    switch (richtung) {
    case kRight:
        return PutCells(kTypeTriState, richtung, x, y - 1, x + 2, y + 1,
                        {Pt(x, y - 1), Pt(x, y + 1)}, {Pt(x + 2, y)})
            .Nr;
    case kLeft:
        return PutCells(kTypeTriState, richtung, x - 2, y - 1, x, y + 1,
                        {Pt(x, y - 1), Pt(x, y + 1)}, {Pt(x - 2, y)})
            .Nr;
    case kDown:
        return PutCells(kTypeTriState, richtung, x - 1, y, x + 1, y + 2,
                        {Pt(x - 1, y), Pt(x + 1, y)}, {Pt(x, y + 2)})
            .Nr;
    default:
        return PutCells(kTypeTriState, richtung, x - 1, y - 2, x + 1, y,
                        {Pt(x - 1, y), Pt(x + 1, y)}, {Pt(x, y - 2)})
            .Nr;
    }
}

std::int16_t PutFullAdder(int x, int y, std::uint8_t richtung) {
    switch (richtung) {
    case kRight:
        return PutCells(kTypeFullAdder, richtung, x, y - 1, x + 3, y + 1,
                        {Pt(x, y - 1), Pt(x, y + 1), Pt(x, y)},
                        {Pt(x + 3, y - 1), Pt(x + 3, y + 1)})
            .Nr;
    case kLeft:
        return PutCells(kTypeFullAdder, richtung, x - 3, y - 1, x, y + 1,
                        {Pt(x, y - 1), Pt(x, y + 1), Pt(x, y)},
                        {Pt(x - 3, y - 1), Pt(x - 3, y + 1)})
            .Nr;
    case kUp:
        return PutCells(kTypeFullAdder, richtung, x - 1, y - 3, x + 1, y,
                        {Pt(x + 1, y), Pt(x - 1, y), Pt(x, y)},
                        {Pt(x + 1, y - 3), Pt(x - 1, y - 3)})
            .Nr;
    default:
        return PutCells(kTypeFullAdder, richtung, x - 1, y, x + 1, y + 3,
                        {Pt(x + 1, y), Pt(x - 1, y), Pt(x, y)},
                        {Pt(x + 1, y + 3), Pt(x - 1, y + 3)})
            .Nr;
    }
}

std::int16_t PutClock(int x, int y, std::uint8_t richtung) {
    switch (richtung) {
    case kRight:
        return PutCells(kTypeClock, richtung, x, y - 1, x + 3, y + 1, {Pt(x + 2, y + 1)},
                        {Pt(x + 3, y)})
            .Nr;
    case kLeft:
        return PutCells(kTypeClock, richtung, x - 3, y - 1, x, y + 1, {Pt(x - 2, y + 1)},
                        {Pt(x - 3, y)})
            .Nr;
    case kUp:
        return PutCells(kTypeClock, richtung, x - 1, y - 3, x + 1, y, {Pt(x + 1, y - 1)},
                        {Pt(x, y - 3)})
            .Nr;
    default:
        return PutCells(kTypeClock, richtung, x - 1, y, x + 1, y + 3, {Pt(x + 1, y + 1)},
                        {Pt(x, y + 3)})
            .Nr;
    }
}

void SetWireFlag(int x, int y, std::uint8_t side) {
    CellRecord& c = gGrid(x, y);
    if (c.Typ == kTypeEmpty)
        c.Typ = kTypeWire;
    switch (side) {
    case kLeft:
        c.Links = kTrue;
        break;
    case kRight:
        c.Rechts = kTrue;
        break;
    case kUp:
        c.Oben = kTrue;
        break;
    case kDown:
        c.Unten = kTrue;
        break;
    default:
        assert(false);
    }
}

void PutWire(int x1, int y1, int x2, int y2) {
    assert(x1 == x2 || y1 == y2);
    if (x1 == x2) {
        for (int y = std::min(y1, y2); y < std::max(y1, y2); ++y) {
            SetWireFlag(x1, y, kDown);
            SetWireFlag(x1, y + 1, kUp);
        }
    } else {
        for (int x = std::min(x1, x2); x < std::max(x1, x2); ++x) {
            SetWireFlag(x, y1, kRight);
            SetWireFlag(x + 1, y1, kLeft);
        }
    }
}

} // namespace kardo::test
