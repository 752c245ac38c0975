// The one-cell symbols: light-emitting diode, analysis point and switch.
#include "model/sim_levels.h"
#include "render/draw_common.h"
#include "render/grafik.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace kardo {

using namespace draw;

void clsGrafik::DrawDiode(std::int16_t x, std::int16_t y) {
    DrawTarget& dev = Dev();
    dev.FillStyle = FillMode::Solid;
    // While the circuit is on the LED follows the level grid of the shown level.
    const bool lit = ShownCell(x, y).Pegel != 0;
    Color fill = kLightGrey;
    if (lit) {
        const ElementRecord* rec = WorksheetElement(gGrid(x, y).ElementNr);
        fill = rec ? rec->Farbe : kLightGrey;
    } else if (!gPowerOn && OnPrinter()) {
        fill = kWhite;
    }
    dev.FillColor = fill;
    dev.Circle(GridToPixel(x), GridToPixel(y), 6.0 * Zoom(), kBlack);
}

void clsGrafik::DrawAnalysepunkt(std::int16_t x, std::int16_t y) {
    if (OnPrinter())
        return; // analysis points are a screen aid only
    DrawTarget& dev = Dev();
    dev.FillStyle = FillMode::Solid;
    dev.ForeColor = kBlack;
    dev.FillColor = kLightCyan;
    const double px = GridToPixel(x);
    const double py = GridToPixel(y);
    const double g = Zoom();
    dev.Circle(px, py, 6.0 * g, kBlack);
    dev.FontName = "Arial";
    dev.FontBold = false;
    dev.FontSize = 7.0 * g;
    const ElementRecord* rec = WorksheetElement(gGrid(x, y).ElementNr);
    PrintAt(px - 2.0 * g, py - 5.0 * g, rec ? rec->Text : std::string());
}

std::uint64_t clsGrafik::SwitchDrawingKey(std::int16_t x, std::int16_t y) const {
    KeyHash key;
    key.Add(kTypeSwitch, ShownCell(x, y).Pegel);
    key.Add(x, y);
    key.Add(GridPixel, std::bit_cast<std::uint32_t>(GridMode));
    key.Add(static_cast<int>(Device->Kind()));
    return key.Value();
}

PixelBox clsGrafik::SwitchBox(std::int16_t x, std::int16_t y) const {
    const double r = GetZoomRaster();
    const int left = static_cast<int>(std::floor(C(x) - r / 2.0)) - 1;
    const int top = static_cast<int>(std::floor(C(y) - r / 2.0)) - 1;
    const int size = static_cast<int>(std::ceil(r)) + 3;
    return {left, top, size, size};
}

void clsGrafik::DrawSwitch(std::int16_t PosX, std::int16_t PosY) {
    const double R = LoadZoomRaster();
    const double cx = C(PosX);
    const double cy = C(PosY);
    DrawTarget& dev = Dev();
    SetBodyFill(kSilver);
    Box(cx - R / 3.0, cy - R / 3.0, cx + R / 3.0, cy + R / 3.0);
    SetFont(7.0, 0.74);
    dev.CurrentX = cx - R / 5.0;
    dev.CurrentY = cy - R / 2.75;
    const std::int16_t level = ShownCell(PosX, PosY).Pegel;
    if (level == kFalse)
        dev.Print("0");
    else if (level == kTrue)
        dev.Print("1");
    dev.FillStyle = FillMode::Transparent;
    if (OnPrinter())
        Box(cx - R / 3.0, cy - R / 3.0, cx + R / 3.0, cy + R / 3.0);
}

} // namespace kardo
