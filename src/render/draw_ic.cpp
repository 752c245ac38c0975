// The IC symbol: a light-yellow box over the package with a stub at every pin of its outline,
// the pin names inside next to their pins and the IC's name in bold in the middle; and the pin
// mark of an IC pin (a small blue disc).
#include "files/text_helpers.h"
#include "model/ic_instances.h"
#include "platform/platform.h"
#include "render/draw_common.h"
#include "render/grafik.h"

#include <algorithm>
#include <array>

namespace kardo {

namespace {

using draw::C;

constexpr Color kPinMarkBlue = Rgb(0, 0, 255);

// The surface texts are measured on: the worksheet picture (also when printing), else the
// drawing target itself.
DrawTarget& Measurer() {
    if (gPlatform && gPlatform->screen)
        return *gPlatform->screen;
    return draw::Dev();
}

struct TextSize {
    double w = 0;
    double h = 0;
};

TextSize Measure(std::string_view text, double size, bool bold) {
    DrawTarget& m = Measurer();
    m.FontName = "Arial";
    m.FontSize = size;
    m.FontBold = bold;
    return TextSize{m.TextWidth(text), m.TextHeight(text)};
}

// Fields 1 and 2 of a place line as whole numbers.
bool PlaceOf(const std::string& line, int& a, int& b) {
    if (line.empty())
        return false;
    a = RoundToInt16(Val(GetNextToken(line, 1)));
    b = RoundToInt16(Val(GetNextToken(line, 2)));
    return true;
}

// A place that an earlier pin holds: only the first pin there is drawn (and has a cell).
bool PlaceTakenBefore(const std::vector<std::string>& places, int k, int a, int b) {
    for (int j = 1; j < k; ++j) {
        int aj = 0;
        int bj = 0;
        if (PlaceOf(places[static_cast<std::size_t>(j)], aj, bj) && aj == a && bj == b)
            return true;
    }
    return false;
}

} // namespace

void clsGrafik::DrawIC(std::int16_t pX, std::int16_t pY, std::int16_t ICNr, bool OnlyBorder) {
    if (ICNr <= 0 || static_cast<std::size_t>(ICNr) >= gICInstances.size() || !Device ||
        !gGrid.Contains(pX, pY))
        return;
    const ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(ICNr)];
    const std::int16_t e = gGrid(pX, pY).ElementNr;
    if (e <= 0 || !draw::ShownElement(e))
        return;
    // The package as its cells lie on the sheet, found from the cell along its row and column.
    // A circuit keeps the package and pins its ICs were placed with when a definition changes
    // later, and the simulation crosses at those pin cells; so the picture takes neither the
    // size nor the pin places from the definition, and an IC without pins is drawn too.
    int ox = pX;
    int oy = pY;
    while (ox > 0 && gGrid(ox - 1, oy).ElementNr == e)
        --ox;
    while (oy > 0 && gGrid(ox, oy - 1).ElementNr == e)
        --oy;
    int x2 = ox;
    int y2 = oy;
    while (gGrid.Contains(x2 + 1, oy) && gGrid(x2 + 1, oy).ElementNr == e)
        ++x2;
    while (gGrid.Contains(ox, y2 + 1) && gGrid(ox, y2 + 1).ElementNr == e)
        ++y2;
    const int w = x2 - ox;
    const int h = y2 - oy;
    if (!DrawICBox(ox, oy, w, h, ic.Name, OnlyBorder))
        return;

    // Pin k stands on the outline cell of the instance that carries pin number k; a pin number
    // the definition no longer has takes no level across and is not drawn.
    std::array<GridPoint, 256> cellOf;
    cellOf.fill(GridPoint{-1, -1});
    for (int y = oy; y <= y2; ++y) {
        const int step = y == oy || y == y2 ? 1 : std::max(w, 1);
        for (int x = ox; x <= x2; x += step) {
            const CellRecord& c = gGrid(x, y);
            if (c.ICPin != 0 && c.ICLevel == ICNr && c.ElementNr == e && cellOf[c.ICPin].x < 0)
                cellOf[c.ICPin] =
                    GridPoint{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
        }
    }
    const int n = std::min<int>({ic.AnzAnschluesse, static_cast<int>(ic.GrafAnschluesse.size()) - 1,
                                 static_cast<int>(ic.Anschluesse.size()) - 1, 255});
    for (int k = 1; k <= n; ++k) {
        const GridPoint p = cellOf[static_cast<std::size_t>(k)];
        if (p.x < 0)
            continue;
        // The name at its place on the outline, else (a pin that lost its place since) the
        // pin's own name.
        std::string pin = GetNextToken(ic.GrafAnschluesse[static_cast<std::size_t>(k)], 3);
        if (pin.empty())
            pin = GetNextToken(ic.Anschluesse[static_cast<std::size_t>(k)], 3);
        DrawICPin(ox, oy, w, h, p.x - ox, p.y - oy, pin);
    }
}

void clsGrafik::DrawICPackage(int ox, int oy, std::int16_t maxX, std::int16_t maxY,
                              std::string_view name, const std::vector<std::string>& places, int n,
                              bool OnlyBorder) {
    if (!Device || !DrawICBox(ox, oy, maxX, maxY, name, OnlyBorder))
        return;
    n = std::min(n, static_cast<int>(places.size()) - 1);
    for (int k = 1; k <= n; ++k) {
        int a = 0;
        int b = 0;
        const std::string& line = places[static_cast<std::size_t>(k)];
        if (!PlaceOf(line, a, b) || a < 0 || b < 0 || a > maxX || b > maxY ||
            PlaceTakenBefore(places, k, a, b))
            continue;
        DrawICPin(ox, oy, maxX, maxY, a, b, GetNextToken(line, 3));
    }
}

bool clsGrafik::DrawICBox(int ox, int oy, int maxX, int maxY, std::string_view name,
                          bool OnlyBorder) {
    LoadZoomRaster();
    const double z = static_cast<double>(GridMode);
    const bool printer = OnPrinter();
    const double x0 = C(ox);
    const double y0 = C(oy);
    const double x1 = C(ox + maxX);
    const double y1 = C(oy + maxY);

    DrawTarget& d = *Device;
    d.ForeColor = draw::kBlack;
    d.FontName = "Arial";
    d.FontSize = (printer ? 0.96 : 8.0) * z;
    d.FillColor = printer ? draw::kWhite : draw::kBodyYellow;
    d.FillStyle = FillMode::Solid;
    if (OnlyBorder) {
        d.FillStyle = FillMode::Transparent;
        draw::Box(x0, y0, x1, y1);
        return false;
    }
    draw::Box(x0, y0, x1, y1);

    const TextSize title = Measure(name, 10.0 * z, true);
    d.FontName = "Arial";
    d.FontSize = (printer ? 1.08 : 9.0) * z;
    d.FontBold = true;
    d.ForeColor = draw::kBlack;
    draw::PrintAt(draw::CInt(C(maxX) / 2 + x0 - title.w / 2),
                  draw::CInt(C(maxY) / 2 + y0 - title.h / 2), name);
    return true;
}

void clsGrafik::DrawICPin(int ox, int oy, int maxX, int maxY, int a, int b, std::string_view pin) {
    const double r = static_cast<double>(m_r);
    const double z = static_cast<double>(GridMode);
    const double x0 = C(ox);
    const double y0 = C(oy);
    const double x1 = C(ox + maxX);
    const double y1 = C(oy + maxY);
    const TextSize t = Measure(pin, 8.0 * z, false);
    DrawTarget& d = *Device;
    d.FontName = "Arial";
    d.FontSize = (OnPrinter() ? 0.95 : 8.0) * z;
    d.FontBold = false;
    d.ForeColor = draw::kBlack;
    double tx = 0;
    double ty = 0;
    if (a == 0) {
        draw::LineTo(x0, C(oy + b), x0 - r / 2, C(oy + b));
        tx = x0 + 4 * z;
        ty = C(b) + y0 - r / 2 - t.h / 2;
    } else if (a == maxX) {
        draw::LineTo(x1, C(oy + b), x1 + r / 2, C(oy + b));
        tx = x1 - t.w - 2 * z;
        ty = C(b) + y0 - r / 2 - t.h / 2;
    } else if (b == 0) {
        draw::LineTo(C(ox + a), y0, C(ox + a), y0 - r / 2);
        tx = C(a) + x0 - r / 2 - t.w / 2;
        ty = y0 + 2;
    } else if (b == maxY) {
        draw::LineTo(C(ox + a), y1, C(ox + a), y1 + r / 2);
        tx = C(a) + x0 - r / 2 - t.w / 2;
        ty = y1 - t.h;
    } else {
        return;
    }
    draw::PrintAt(tx, ty, pin);
}

void clsGrafik::DrawICInOut(std::int16_t PosX, std::int16_t PosY) {
    if (!Device)
        return;
    DrawTarget& d = *Device;
    const bool printer = OnPrinter();
    d.FillStyle = FillMode::Solid;
    d.FillColor = printer ? draw::kSilver : kPinMarkBlue;
    d.ForeColor = draw::kBlack;
    // The mark keeps its size on the screen at every zoom.
    const double radius = printer ? 3.0 * static_cast<double>(GridMode) : 3.0;
    d.Circle(C(PosX), C(PosY), radius, draw::kBlack);
}

} // namespace kardo
