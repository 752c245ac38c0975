// The JK master-slave flip-flop symbol: body, pin stubs, the labels J C K S R, the clock wedge,
// the dotted middle line, the state digit beside Q and the negation points of J, C and K.
// Every position comes from the element's pin lists; the given cell only names the element.
#include "model/pin_points.h"
#include "render/draw_common.h"
#include "render/grafik.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <span>
#include <string_view>

namespace kardo {

namespace {

using draw::C;

// The text beside Q: the negated state slot as a decimal number ("1" for True, "0" for False),
// written into buf without a heap string.
std::string_view StateText(int flipFlop, std::array<char, 8>& buf) {
    const ElementRecord* e = draw::ShownElement(flipFlop);
    const int q = e ? e->Zustand[12] : kFalse;
    const auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), -q);
    return {buf.data(), ec == std::errc{} ? static_cast<std::size_t>(end - buf.data()) : 0};
}

// Colour of the set and reset stubs and the middle line: black on paper, grey on the screen.
Color DetailColor(bool printer) { return printer ? draw::kBlack : draw::kWireLow; }

// The middle line between master and slave: solid black on paper, dotted grey on the screen.
void MiddleLine(DrawTarget& dev, bool printer, double x1, double y1, double x2, double y2) {
    if (!printer)
        dev.DrawStyle = LineStyle::Dotted;
    draw::LineTo(x1, y1, x2, y2, DetailColor(printer));
    dev.DrawStyle = LineStyle::Solid;
}

// Top-left corner of the state digit beside Q, for orientation o (1 to 4) and cell size r.
struct DigitCorner {
    double x = 0;
    double y = 0;
};
DigitCorner StateDigitCorner(int o, double r, GridPoint q) {
    if (o == kLeft || o == kRight)
        return {o == kRight ? C(q.x) - r : C(q.x) + r / 2, C(q.y) - r / 3};
    return {C(q.x) - r / 4, o == kDown ? C(q.y) - 1.3 * r : C(q.y) + r / 4};
}

// Font and colour of the state digit; the digit is red on the screen.
void StateFont(DrawTarget& dev, bool printer) {
    draw::SetFontSize(10, 1.2);
    dev.FontBold = true;
    if (!printer)
        dev.ForeColor = draw::kWireHigh;
}

} // namespace

void clsGrafik::DrawFlipFlop(std::int16_t x, std::int16_t y, bool OnlyBorder,
                             bool /*OnlyNumber: the picture is the same either way*/) {
    const std::int16_t e = gGrid(x, y).ElementNr;
    GetInputPoints(e, 0);
    DrawFlipFlopOfInputs(e, OnlyBorder);
}

void clsGrafik::RedrawFlipFlopState(std::int16_t x, std::int16_t y) {
    const std::int16_t e = gGrid(x, y).ElementNr;
    GetInputPoints(e, 0);
    GetOutputPoints(e, 0);
    const int o = Orientation;
    DrawTarget& dev = draw::Dev();
    if (o < kLeft || o > kDown || gAnzAusgangsPunkte == 0 || !dev.Clips()) {
        DrawFlipFlopOfInputs(e, false);
        return;
    }
    // The box the digit's ink lies in, whichever digit it is, and a little room around it.
    const double r = LoadZoomRaster();
    const DigitCorner digit = StateDigitCorner(o, r, gAusgangsPunkte[0]);
    draw::SetFont(8, 0.96);
    StateFont(dev, draw::OnPrinter());
    const double w = std::max(dev.TextWidth("0"), dev.TextWidth("1"));
    const double h = dev.TextHeight("0");
    constexpr int kRoom = 3;
    const int left = static_cast<int>(std::floor(digit.x)) - kRoom;
    const int top = static_cast<int>(std::floor(digit.y)) - kRoom;
    RepaintUnderClip(x, y,
                     {left, top, static_cast<int>(std::ceil(w)) + 2 * kRoom + 1,
                      static_cast<int>(std::ceil(h)) + 2 * kRoom + 1});
}

// Kept in step with DrawFlipFlopOfInputs and the dispatch that leads to it: whatever they read
// goes into the key.
std::uint64_t clsGrafik::FlipFlopDrawingKey(std::int16_t x, std::int16_t y) const {
    const std::int16_t e = gGrid(x, y).ElementNr;
    if (e <= 0 || e > gAnzElemente || gElements[static_cast<std::size_t>(e)].Typ != kTypeFlipFlop)
        return 0;
    const ElementRecord* r = PinSourceElement(e, 0);
    if (r == nullptr || r->Eingaenge.Count() < 5 || r->Ausgaenge.Count() < 1)
        return 0;
    const std::span<const GridPoint> in = r->Eingaenge.Points();
    // The dispatch draws through the clock pin when that cell names the element.
    if (!gGrid.Contains(in[1].x, in[1].y) || gGrid(in[1].x, in[1].y).ElementNr != e)
        return 0;
    draw::KeyHash key;
    key.Add(gElements[static_cast<std::size_t>(e)].Richtung, r->Zustand[12]);
    key.Add(GridPixel, std::bit_cast<std::uint32_t>(GridMode));
    key.Add(static_cast<int>(Device->Kind()));
    for (const GridPoint& p : in)
        key.Add(p.x, p.y);
    for (const GridPoint& p : r->Ausgaenge.Points())
        key.Add(p.x, p.y);
    // The negation marks of J, C and K, each drawn from its own cell's element.
    for (std::size_t i = 0; i < 3; ++i) {
        const std::int16_t punkt = draw::ShownCell(in[i].x, in[i].y).Punkt;
        key.Add(punkt);
        if (punkt == kPointConnection && gGrid(in[i].x, in[i].y).ElementNr != e)
            return 0;
    }
    return key.Value();
}

void clsGrafik::DrawFlipFlopOfInputs(std::int16_t e, bool OnlyBorder) {
    const double r = LoadZoomRaster();
    DrawTarget& dev = draw::Dev();
    const bool printer = draw::OnPrinter();
    std::array<char, 8> stateBuf{};
    draw::SetFont(8, 0.96);
    dev.FontBold = true;
    draw::SetBodyFill(draw::kLightCyan, OnlyBorder);

    GetOutputPoints(e, 0);
    const GridPoint j = gEingangsPunkte[0];
    const GridPoint c = gEingangsPunkte[1];
    const GridPoint k = gEingangsPunkte[2];
    const GridPoint s = gEingangsPunkte[3];
    const GridPoint rs = gEingangsPunkte[4];
    const GridPoint q = gAusgangsPunkte[0];

    const int o = Orientation;
    if (o == kLeft || o == kRight) {
        const int d = o == kRight ? 1 : -1;
        const double xi = C(j.x); // input column of J, C and K
        const double xo = C(q.x); // output column
        const double xs = C(s.x); // column of S and R
        const double yt = C(j.y); // top row: J, S, Q
        const double ym = C(c.y);
        const double yb = C(k.y); // bottom row: K, R, inverted Q

        for (int row = j.y; row <= k.y; ++row)
            draw::LineTo(xi, C(row), xi - d * r / 3, C(row));
        draw::Box(xi, yt - r / 2.25, xo, yb + r / 2.25);
        if (!OnlyBorder) {
            draw::LineTo(xo, yt, xo + d * r / 3, yt);
            draw::LineTo(xo, yb, xo + d * r / 3, yb);
            draw::LineTo(xs, yt - 3 * r / 4, xs, yt, DetailColor(printer));
            draw::LineTo(xs, yb, xs, yb + 3 * r / 4, DetailColor(printer));
            draw::PrintAt(d > 0 ? C(c.x) + 1.2 * r : C(c.x) - 1.7 * r, C(c.y) - r / 2, "C");
            draw::LineTo(xi, yt + 2 * r / 3, xi + d * r, ym);
            draw::LineTo(xi, yb - 2 * r / 3, xi + d * r, ym);
            MiddleLine(dev, printer, C(j.x + 2 * d), ym, xo, ym);
            draw::PrintAt(xi + d * r / 2 - r / 4, yt - r / 2.5, "J");
            draw::PrintAt(xi + d * r / 2 - r / 4, yb - r / 2, "K");
            dev.FontBold = false;
            draw::SetFontSize(6, 0.72);
            draw::PrintAt(xs + r / 4, C(s.y), "S");
            draw::PrintAt(xs + r / 4, C(rs.y) - 3 * r / 4, "R");
            StateFont(dev, printer);
            const DigitCorner digit = StateDigitCorner(o, r, q);
            draw::PrintAt(digit.x, digit.y, StateText(e, stateBuf));
        }
    } else if (o == kUp || o == kDown) {
        const int d = o == kDown ? 1 : -1;
        const double yi = C(j.y); // input row of J, C and K
        const double yo = C(q.y); // output row
        const double xr = C(j.x); // column of J, S and Q
        const double xc = C(c.x);
        const double xl = C(k.x); // column of K, R and inverted Q

        for (int col = k.x; col <= j.x; ++col)
            draw::LineTo(C(col), yi, C(col), yi - d * r / 2);
        draw::LineTo(xl, yo, xl, yo + d * r / 2);
        draw::LineTo(xr, yo, xr, yo + d * r / 2);
        draw::Box(xl - r / 2, yi, xr + r / 2, yo);
        if (!OnlyBorder) {
            // Set and reset enter from the sides, both on the row of S.
            draw::LineTo(xl, C(s.y), xl - r, C(s.y), DetailColor(printer));
            draw::LineTo(xr, C(s.y), xr + r, C(s.y), DetailColor(printer));
            draw::PrintAt(xc - r / 4, d > 0 ? yi + r : yi - 1.8 * r, "C");
            draw::LineTo(xl + 2 * r / 3, yi, xc, yi + d * r);
            draw::LineTo(xr - 2 * r / 3, yi, xc, yi + d * r);
            MiddleLine(dev, printer, xc, C(j.y + 2 * d), xc, yo);
            const double labelY = d > 0 ? yi : yi - r;
            draw::PrintAt(xr - r / 4, labelY, "J");
            draw::PrintAt(xl - r / 4, labelY, "K");
            dev.FontBold = false;
            draw::SetFontSize(6, 0.72);
            draw::PrintAt(C(s.x) - r / 4, C(s.y) + r / 4, "S");
            draw::PrintAt(C(rs.x), C(rs.y) + r / 4, "R");
            StateFont(dev, printer);
            const DigitCorner digit = StateDigitCorner(o, r, q);
            draw::PrintAt(digit.x, digit.y, StateText(e, stateBuf));
            if (printer) {
                dev.FillStyle = FillMode::Transparent;
                draw::Box(xl - r / 2, yi, xr + r / 2, yo);
            }
        }
    }

    dev.FontBold = false;
    // Negation marks of J, C and K, from the level shown while powered.
    for (const GridPoint& p : {j, c, k}) {
        if (draw::ShownCell(p.x, p.y).Punkt == kPointConnection)
            DrawNegationsPunkt(p.x, p.y);
    }
}

} // namespace kardo
