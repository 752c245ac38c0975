// The 1-of-8 decoder symbol: a trapezoid narrow on the input side, input weights 2^0..2^2, the
// optional clock input "T" and the outputs "0" to "7".
#include "model/pin_points.h"
#include "render/draw_common.h"
#include "render/grafik.h"

#include <string>

namespace kardo {

namespace {

using draw::C;

// The exponent text of weight w and the output number j as printed.
std::string Digit(int v) { return std::to_string(v); }

// Body corners P0..P3 converted to pixels into gPolyPoints.
void SetCorners(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3) {
    gPolyPoints.assign(4, PolyPoint{});
    const int cs[4][2] = {{x0, y0}, {x1, y1}, {x2, y2}, {x3, y3}};
    for (std::size_t i = 0; i < 4; ++i) {
        gPolyPoints[i].x = GridToPixel(cs[i][0]);
        gPolyPoints[i].y = GridToPixel(cs[i][1]);
    }
}

// The four body edges as plain black lines (the printer draws the trapezoid this way).
void BodyLines() {
    for (std::size_t i = 0; i < 4; ++i) {
        const PolyPoint& a = gPolyPoints[i];
        const PolyPoint& b = gPolyPoints[(i + 1) % 4];
        draw::LineTo(a.x, a.y, b.x, b.y);
    }
}

// One input label: the small exponent at (ex, ey), then the base "2" at (bx, by).
void WeightLabel(int weight, double ex, double ey, double bx, double by) {
    draw::SetFontSize(6, 0.72);
    draw::PrintAt(ex, ey, Digit(weight));
    draw::SetFontSize(8, 0.96);
    draw::PrintAt(bx, by, "2");
}

} // namespace

void clsGrafik::DrawDecoder(std::int16_t x, std::int16_t y, bool OnlyBorder) {
    const double r = LoadZoomRaster();
    DrawTarget& dev = draw::Dev();
    const bool printer = draw::OnPrinter();
    draw::SetFont(8, 0.96);
    dev.FillColor = draw::kBodyYellow;
    dev.FillStyle = OnlyBorder ? FillMode::Transparent : FillMode::Solid;

    GetInputPoints(gGrid(x, y).ElementNr, 0);
    const bool clocked = gAnzEingangsPunkte == 4;

    const int o = Orientation;
    if (o < kLeft || o > kDown)
        return;
    const bool horizontal = o == kLeft || o == kRight;
    // +1 when the outputs lie towards higher columns or rows, -1 otherwise.
    const int d = (o == kRight || o == kDown) ? 1 : -1;

    if (horizontal)
        SetCorners(x, y - 3, x + 2 * d, y - 5, x + 2 * d, y + 4, x, y + 2);
    else
        SetCorners(x - 2, y, x - 4, y + 2 * d, x + 5, y + 2 * d, x + 3, y);

    if (printer) {
        BodyLines();
    } else {
        dev.Polygon(gPolyPoints);
        if (OnlyBorder)
            return;
    }

    // Input stubs: towards the outside, only where no wire leaves the pin cell outwards.
    if (horizontal) {
        const std::uint8_t side = d > 0 ? kLeft : kRight;
        const double outer = C(x) - d * r / 2;
        for (int row = y - 2; row <= y + (clocked ? 1 : 0); ++row)
            draw::StubUnlessWired(x, row, side, outer, C(row), C(x), C(row));
    } else {
        const std::uint8_t side = d > 0 ? kUp : kDown;
        const double outer = C(y) - d * r / 2;
        for (int col = x; col <= x + 2; ++col)
            draw::StubUnlessWired(col, y, side, C(col), C(y), C(col), outer);
        if (clocked)
            draw::StubUnlessWired(x - 1, y, side, C(x - 1), C(y), C(x - 1), outer);
    }

    // Output stubs, output j = 0..7.
    for (int j = 0; j <= 7; ++j) {
        if (horizontal) {
            const int col = x + 2 * d;
            const int row = y - 4 + j;
            draw::StubUnlessWired(col, row, d > 0 ? kRight : kLeft, C(col), C(row),
                                  C(col) + d * r / 2, C(row));
        } else {
            const int col = x + 4 - j;
            const int row = y + 2 * d;
            draw::StubUnlessWired(col, row, d > 0 ? kDown : kUp, C(col), C(row), C(col),
                                  C(row) + d * r / 2);
        }
    }

    dev.FillStyle = FillMode::Transparent;

    // Input weights, clock label and output numbers. In the horizontal orientations each label
    // stands in the row below the one its position is computed from, i.e. in its pin's row.
    switch (o) {
    case kRight:
        for (int k = -3; k <= -1; ++k)
            WeightLabel(k + 3, C(x) + r / 1.7, C(y + k) + r / 5, C(x) + r / 5, C(y + k) + r / 2);
        if (clocked)
            draw::PrintAt(C(x) + r / 5, C(y) + r / 2, "T");
        for (int j = 0; j <= 7; ++j)
            draw::PrintAt(C(x + 1) + r / 2.1, C(y + j - 5) + r / 2, Digit(j));
        break;
    case kLeft:
        for (int k = -3; k <= -1; ++k)
            WeightLabel(k + 3, C(x - 1) + r / 1.6, C(y + k) + r / 3, C(x - 1) + r / 5,
                        C(y + k) + r / 2);
        if (clocked)
            draw::PrintAt(C(x - 1) + r / 5, C(y) + r / 2, "T");
        for (int j = 0; j <= 7; ++j)
            draw::PrintAt(C(x - 2) + r / 5, C(y + j - 5) + r / 2, Digit(j));
        break;
    case kDown:
        for (int k = 0; k <= 2; ++k)
            WeightLabel(2 - k, C(x + k) + r / 5, C(y), C(x + k) - r / 5, C(y) + r / 6);
        if (clocked)
            draw::PrintAt(C(x - 1) - r / 5, C(y) + r / 6, "T");
        for (int k = -3; k <= 4; ++k)
            draw::PrintAt(C(x + k) - r / 5.6, C(y + 1) + r / 8, Digit(4 - k));
        break;
    case kUp:
        for (int k = 0; k <= 2; ++k)
            WeightLabel(2 - k, C(x + k) + r / 4, C(y - 1), C(x + k) - r / 6, C(y - 1) + r / 8);
        if (clocked)
            draw::PrintAt(C(x - 1) - r / 6, C(y - 1) + r / 8, "T");
        for (int k = -3; k <= 4; ++k)
            draw::PrintAt(C(x + k) - r / 6, C(y - 2), Digit(4 - k));
        break;
    default:
        break;
    }

    // The labels may cover the printed outline; draw it once more on top.
    if (printer)
        BodyLines();
}

} // namespace kardo
