// The shift register symbol: a body nine cells long split into two registers of four stages,
// the clock triangle, pin stubs where no wire is attached, and one digit per stage.
#include "render/draw_common.h"
#include "render/grafik.h"

#include <string>

namespace kardo {

namespace {

using draw::C;

// The digit shown for a stage slot: the last character of the negated slot value, so a True
// slot (-1) shows "1" and a False slot "0".
std::string StageDigit(std::int16_t slot) {
    const std::string text = std::to_string(-static_cast<int>(slot));
    return text.substr(text.size() - 1);
}

} // namespace

void clsGrafik::DrawSRegister(std::int16_t pX, std::int16_t pY) {
    const double r = LoadZoomRaster();
    const int x = pX;
    const int y = pY;
    draw::SetFont(10, 1.2);
    draw::SetBodyFill(draw::kBodyYellow);

    const int o = Orientation;
    if (o < kLeft || o > kDown)
        return;
    const bool horizontal = o == kLeft || o == kRight;
    // +1 when the signal runs towards higher columns or rows.
    const int d = (o == kRight || o == kDown) ? 1 : -1;
    const double t = r / 1.5; // size of the clock triangle

    // In the horizontal orientations the body and the stage dividers span rows y-1..y+1 grown
    // by a quarter cell; in the vertical ones columns x-1..x+1 likewise.
    const double spanA = horizontal ? C(y - 1) - r / 4 : C(x - 1) - r / 4;
    const double spanB = horizontal ? C(y + 1) + r / 4 : C(x + 1) + r / 4;
    if (horizontal)
        draw::Box(C(x), spanA, C(x + 8 * d), spanB);
    else
        draw::Box(spanA, C(y), spanB, C(y + 8 * d));

    // Input stubs at the three cells of the input side, pointing against the signal.
    for (int k = -1; k <= 1; ++k) {
        if (horizontal) {
            const int py = y + k;
            draw::StubUnlessWired(x, py, d > 0 ? kLeft : kRight, C(x), C(py), C(x) - d * r / 2,
                                  C(py));
        } else {
            const int px = x + k;
            draw::StubUnlessWired(px, y, d > 0 ? kUp : kDown, C(px), C(y), C(px), C(y) - d * r / 2);
        }
    }
    // Output stubs, drawn from the outer end towards the pin.
    for (const int k : {-1, 1}) {
        if (horizontal) {
            const int px = x + 8 * d;
            const int py = y + k;
            draw::StubUnlessWired(px, py, d > 0 ? kRight : kLeft, C(px) + d * r / 2, C(py), C(px),
                                  C(py));
        } else {
            const int px = x + k;
            const int py = y + 8 * d;
            draw::StubUnlessWired(px, py, d > 0 ? kDown : kUp, C(px), C(py) + d * r / 2, C(px),
                                  C(py));
        }
    }
    // Stage dividers across the body.
    for (const int k : {2, 4, 6}) {
        if (horizontal)
            draw::LineTo(C(x + k * d), spanA, C(x + k * d), spanB);
        else
            draw::LineTo(spanA, C(y + k * d), spanB, C(y + k * d));
    }
    // Middle line between the registers, from the triangle's tip to the output edge, then the
    // two sides of the clock triangle.
    if (horizontal) {
        draw::LineTo(C(x) + d * t, C(y), C(x + 8 * d), C(y));
        draw::LineTo(C(x), C(y) - t, C(x) + d * t, C(y));
        draw::LineTo(C(x), C(y) + t, C(x) + d * t, C(y));
    } else {
        draw::LineTo(C(x), C(y) + d * t, C(x), C(y + 8 * d));
        draw::LineTo(C(x) - t, C(y), C(x), C(y) + d * t);
        draw::LineTo(C(x) + t, C(y), C(x), C(y) + d * t);
    }

    // Stage digits: slots 2..5 the first register, 6..9 the second.
    const ElementRecord* element = draw::ShownElement(gGrid(x, y).ElementNr);
    const auto slot = [element](int n) -> std::int16_t {
        return element ? element->Zustand[static_cast<std::size_t>(n)] : kFalse;
    };
    for (int reg = 0; reg < 2; ++reg) {
        for (int s = 1; s <= 4; ++s) {
            const int m = 2 * s - 1;
            double tx = 0, ty = 0;
            switch (o) {
            case kRight:
            case kLeft:
                tx = C(x + m * d) - r / 5;
                ty = reg == 0 ? C(y - 1) - r / 5 : C(y) + r / 6;
                break;
            case kDown:
                tx = reg == 0 ? C(x) + r / 2.5 : C(x - 1) + r / 6;
                ty = C(y + m) - r / 3;
                break;
            default: // kUp
                tx = reg == 0 ? C(x) + r / 2.5 : C(x - 1) + r / 6;
                ty = C(y - m) - r / 2;
                break;
            }
            draw::PrintAt(tx, ty, StageDigit(slot(1 + 4 * reg + s)));
        }
    }
}

} // namespace kardo
