// The number display symbol: a frame with a grey window showing the value 0..63 of its six
// inputs (weights 1, 2, 4 on the top edge, 8, 16, 32 on the left edge).
#include "model/pin_points.h"
#include "render/draw_common.h"
#include "render/grafik.h"

#include <string>

namespace kardo {

using draw::C;

void clsGrafik::DrawZAnzeige(std::int16_t x, std::int16_t y) {
    const double r = LoadZoomRaster();
    DrawTarget& dev = draw::Dev();
    const bool printer = draw::OnPrinter();
    draw::SetFont(8, 0.96);
    draw::SetBodyFill(draw::kBodyYellow);
    GetInputPoints(gGrid(x, y).ElementNr, 0);

    // p1..p3 on the top row from right to left, p4..p6 down the left column.
    const GridPoint p1 = gEingangsPunkte[0];
    const GridPoint p2 = gEingangsPunkte[1];
    const GridPoint p3 = gEingangsPunkte[2];
    const GridPoint p4 = gEingangsPunkte[3];
    const GridPoint p5 = gEingangsPunkte[4];
    const GridPoint p6 = gEingangsPunkte[5];
    const double xl = C(p4.x);
    const double yt = C(p4.y - 1);
    const double xr = C(p1.x + 1);
    const double yb = C(p1.y + 4);

    draw::Box(xl, yt, xr, yb);
    dev.FillColor = printer ? draw::kWhite : draw::kLightGrey;
    draw::Box(xl + r, yt + r, xr - r / 2, yb - r / 2);

    // Left inputs, weights 8, 16, 32 labelled "3", "4", "5"; stubs whether wired or not.
    for (int i = p4.y; i <= p6.y; ++i) {
        draw::LineTo(xl, C(i), xl - r / 2, C(i));
        draw::PrintAt(xl + r / 4, C(i) - r / 2, std::to_string(i - p4.y + 3));
    }
    // Top inputs, weights 1, 2, 4 labelled "0", "1", "2" from right to left.
    for (const int col : {static_cast<int>(p2.x), p2.x + 1, static_cast<int>(p3.x)})
        draw::LineTo(C(col), yt, C(col), yt - r / 2);
    draw::PrintAt(C(p3.x) - r / 6, yt, "2");
    draw::PrintAt(C(p2.x) - r / 6, yt, "1");
    draw::PrintAt(C(p1.x) - r / 6, yt, "0");

    int value = 0;
    for (int k = 0; k < 6; ++k) {
        const GridPoint p = gEingangsPunkte[static_cast<std::size_t>(k)];
        if (draw::ShownCell(p.x, p.y).Pegel != kFalse)
            value += 1 << k;
    }

    draw::SetFontSize(13, 1.56);
    double textX = C(p5.x + 1) + r / 1.5;
    if (value >= 10)
        textX -= r / 2.1;
    // A printed number keeps a blank for the sign before the digits.
    draw::PrintAt(textX, C(p3.y + 1) + r / 1.5, " " + std::to_string(value));

    dev.FillStyle = FillMode::Transparent;
    if (printer)
        draw::Box(xl, yt, xr, yb);
}

} // namespace kardo
