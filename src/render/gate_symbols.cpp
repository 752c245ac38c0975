// The gate symbols AND, OR and XOR: a box along the input side, pin stubs where no wire is
// attached, the label and the negation marks of negated pins.
#include "model/pin_points.h"
#include "render/draw_common.h"
#include "render/grafik.h"

namespace kardo {

namespace {

using namespace draw;

enum class GateKind { And, Or, Xor };

// Label text on horizontal (orientations 1, 2) and vertical (3, 4) gates, and the share of a
// cell the vertical label starts left of the anchor's centre.
struct GateLabel {
    const char* horizontal;
    const char* vertical;
    double verticalShift;
};

GateLabel LabelOf(GateKind kind) {
    switch (kind) {
    case GateKind::And:
        return {" &", "&", 1.0 / 4.0};
    case GateKind::Or:
        return {"≥1", "≥1", 1.0 / 3.0};
    case GateKind::Xor:
        break;
    }
    return {"=1", "=1", 1.0 / 3.0};
}

// Draws the gate anchored at (x, y), the second input pin (for a two-input gate the middle cell
// of the input side); R is the zoomed cell size already loaded by the caller.
void DrawGate(clsGrafik& grafik, int x, int y, bool onlyBorder, GateKind kind, double R) {
    const std::int16_t e = gGrid.Contains(x, y) ? gGrid(x, y).ElementNr : std::int16_t{0};
    GetInputPoints(e, 0);
    const ElementRecord* rec = WorksheetElement(e);
    // A two-input gate stands on the footprint of a three-input one; only its outer cells are pins.
    const bool twoInputs = rec && rec->Text == "2";
    if (twoInputs)
        gAnzEingangsPunkte = 3;
    const int n = gAnzEingangsPunkte;

    SetFont(10.0, 1.2);
    SetBodyFill(kBodyYellow, onlyBorder);

    const std::uint8_t o = grafik.Orientation;
    if (o < kLeft || o > kDown)
        return;
    const bool horizontal = o == kLeft || o == kRight;
    const int d = (o == kRight || o == kDown) ? 1 : -1; // +1 along x or y, -1 against it
    const double half = R / 2.0;

    if (horizontal)
        Box(C(x), C(y - 1) - R / 4.0, C(x + 2 * d), C(y + n - 2) + R / 4.0);
    else
        Box(C(x - 1) - R / 4.0, C(y), C(x + n - 2) + R / 4.0, C(y + 2 * d));

    if (!onlyBorder) {
        const std::uint8_t inSide = Opposite(o);
        for (int k = 0; k < n; ++k) {
            if (twoInputs && k == 1)
                continue;
            if (horizontal) {
                const int j = y - 1 + k;
                StubUnlessWired(x, j, inSide, C(x) - d * half, C(j), C(x), C(j));
            } else {
                const int i = x - 1 + k;
                StubUnlessWired(i, y, inSide, C(i), C(y), C(i), C(y) - d * half);
            }
        }
        if (horizontal) {
            const int t = n / 2 + y - 1;
            const int ox = x + 2 * d;
            StubUnlessWired(ox, t, o, C(ox), C(t), C(ox) + d * half, C(t));
        } else {
            const int u = n / 2 + x - 1;
            const int oy = y + 2 * d;
            StubUnlessWired(u, oy, o, C(u), C(oy), C(u), C(oy) + d * half);
        }

        const GateLabel label = LabelOf(kind);
        if (horizontal) {
            const double lx = o == kRight ? C(x) + half : C(x - 1) - half;
            PrintAt(lx, C(y - 1) + (n - 2) * half, label.horizontal);
        } else {
            const double lx = C(x) - R * label.verticalShift + (n - 3) * half;
            const double ly = o == kDown ? C(y) + half : C(y - 1) - half;
            PrintAt(lx, ly, label.vertical);
        }
    }

    // Negation marks, also on the outline-only drawing. DrawNegationsPunkt refills the shared
    // input list, so the pin cells are walked by position.
    GetOutputPoints(e, 0);
    const bool hasOutput = gAnzAusgangsPunkte > 0;
    const GridPoint out = gAusgangsPunkte[0];
    for (int k = 0; k < n; ++k) {
        const auto px = static_cast<std::int16_t>(horizontal ? x : x - 1 + k);
        const auto py = static_cast<std::int16_t>(horizontal ? y - 1 + k : y);
        if (PunktAt(px, py) == kPointConnection)
            grafik.DrawNegationsPunkt(px, py);
    }
    if (hasOutput && PunktAt(out.x, out.y) == kPointConnection)
        grafik.DrawNegationsPunkt(out.x, out.y);
}

} // namespace

void clsGrafik::DrawUnd(std::int16_t x, std::int16_t y, bool OnlyBorder) {
    DrawGate(*this, x, y, OnlyBorder, GateKind::And, LoadZoomRaster());
}

void clsGrafik::DrawOder(std::int16_t x, std::int16_t y, bool OnlyBorder) {
    DrawGate(*this, x, y, OnlyBorder, GateKind::Or, LoadZoomRaster());
}

void clsGrafik::DrawXOder(std::int16_t x, std::int16_t y) {
    DrawGate(*this, x, y, false, GateKind::Xor, LoadZoomRaster());
}

void clsGrafik::DrawNegationsPunkt(std::int16_t x, std::int16_t y) {
    const std::int16_t e = gGrid.Contains(x, y) ? gGrid(x, y).ElementNr : std::int16_t{0};
    GetInputPoints(e, 0);
    bool input = false;
    for (int i = 0; i < gAnzEingangsPunkte; ++i) {
        const GridPoint& p = gEingangsPunkte[static_cast<std::size_t>(i)];
        if (p.x == x && p.y == y)
            input = true;
    }
    // The mark sits in the outer half of the pin cell: an input against the signal direction,
    // an output along it.
    const int s = CInt(4.0 * Zoom());
    const int along = input ? -s : s;
    const ElementRecord* rec = WorksheetElement(e);
    int dx = 0;
    int dy = 0;
    switch (rec ? rec->Richtung : 0) {
    case kRight:
        dx = along;
        break;
    case kLeft:
        dx = -along;
        break;
    case kDown:
        dy = along;
        break;
    case kUp:
        dy = -along;
        break;
    default:
        break;
    }
    DrawTarget& dev = Dev();
    dev.FillColor = OnPrinter() ? kWhite : kSilver;
    dev.FillStyle = FillMode::Solid;
    dev.Circle(GridToPixel(x) + dx, GridToPixel(y) + dy, 3.0 * Zoom(), kBlack);
}

} // namespace kardo
