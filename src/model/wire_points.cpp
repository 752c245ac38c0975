// Connection points, coupling diodes and negation points: setting, removing and drawing the
// point marks of cells.
#include "model/wire_points.h"

#include "model/grid.h"
#include "model/pin_points.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "render/redraw.h"

#include <cmath>

namespace kardo {

namespace {

constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kGrey = Rgb(128, 128, 128);
constexpr Color kBlue = Rgb(0, 0, 255);
constexpr Color kRed = Rgb(255, 0, 0);

std::int16_t I16(int v) { return static_cast<std::int16_t>(v); }

bool IsJunction(const CellRecord& c) { return c.Typ == kTypeWire && WireFlagCount(c) >= 3; }

// The cell the connection point routine works on: the worksheet, or while powered the grid of
// the shown level; nullptr when the cell lies outside that grid.
CellRecord* PointCell(int x, int y) {
    Grid* grid = &gGrid;
    const std::int16_t shown = ShownLevel();
    if (gPowerOn && shown >= 0 && static_cast<std::size_t>(shown) < gLevels.size())
        grid = &gLevels[static_cast<std::size_t>(shown)].Feld;
    return grid->Contains(x, y) ? &(*grid)(x, y) : nullptr;
}

// Cell size at the current zoom, as a whole number of pixels.
double ZoomedCell() {
    return std::nearbyint(static_cast<double>(gGrafik.GridPixel) *
                          static_cast<double>(gGrafik.GridMode));
}

// Marks are drawn with a thin pen even after a thick wire step.
void ThinPen(DrawTarget& dev) {
    if (dev.DrawWidth == 3)
        dev.DrawWidth = 1;
}

bool OnWorksheetPicture(const DrawTarget& dev) { return dev.Kind() == DeviceKind::Screen; }

void RecordAround(int x, int y, int d, std::string_view text) {
    gUndo.NoObjects = true;
    gUndo.NewUndoValue(I16(x - d), I16(y - d), I16(x + d), I16(y + d), text);
}

void RedrawAround(int x, int y, int d) {
    RedrawAreaValue(I16(x - d), I16(y - d), I16(x + d), I16(y + d), false);
}

bool Negatable(std::uint8_t typ) {
    return typ == kTypeAnd || typ == kTypeOr || typ == kTypeXor || typ == kTypeFlipFlop;
}

} // namespace

void SetVerbindungspunkt(std::int16_t& X, std::int16_t& Y, std::int16_t& DrawOnly) {
    CellRecord* c = PointCell(X, Y);
    if (!c)
        return;
    if (!DrawOnly && !gPowerOn && IsJunction(*c) && c->Punkt != kPointDiode)
        RecordAround(X, Y, 1, "Verbindungspunkt setzen");
    c = PointCell(X, Y);
    if (c->Punkt == kPointDiode || !IsJunction(*c))
        return;
    c->Punkt = kPointConnection;

    DrawTarget* dev = gGrafik.Device;
    if (!dev)
        return;
    ThinPen(*dev);
    const double px = GridToPixel(X);
    const double py = GridToPixel(Y);
    const double half =
        OnWorksheetPicture(*dev) ? ZoomedCell() / 7.0 : static_cast<double>(gGrafik.GridMode);
    // A solid dot in the colour of the wire it joins (black on paper): the pen and fill that
    // the last wire step left behind (white after a falling level) would make it a pale square.
    const Color colour = !OnWorksheetPicture(*dev) ? kBlack : c->Pegel != 0 ? kRed : kGrey;
    dev->ForeColor = colour;
    dev->FillColor = colour;
    dev->FillStyle = FillMode::Solid;
    dev->Line(px - half, py - half, px + half, py + half, colour, LineKind::Box);
}

void SetKoppeldiode(std::int16_t& X, std::int16_t& Y, std::int16_t& DrawOnly) {
    if (!gGrid.Contains(X, Y))
        return;
    if (gGrid(X, Y).Punkt == kPointConnection)
        return;
    if (!DrawOnly && !gPowerOn && IsJunction(gGrid(X, Y)))
        RecordAround(X, Y, 1, "Koppeldiode setzen");
    CellRecord& c = gGrid(X, Y);
    if (!gPowerOn && !IsJunction(c))
        return;
    c.Punkt = kPointDiode;

    DrawTarget* dev = gGrafik.Device;
    if (!dev)
        return;
    ThinPen(*dev);
    const double px = GridToPixel(X);
    const double py = GridToPixel(Y);
    const double s = ZoomedCell();
    gPolyPoints.assign(
        {{static_cast<std::int32_t>(std::nearbyint(px - s / 2)), static_cast<std::int32_t>(py)},
         {static_cast<std::int32_t>(std::nearbyint(px + s / 2)), static_cast<std::int32_t>(py)},
         {static_cast<std::int32_t>(px), static_cast<std::int32_t>(std::nearbyint(py + s / 2))}});
    dev->ForeColor = kGrey;
    dev->FillColor = kBlue;
    dev->FillStyle = FillMode::Solid;
    if (OnWorksheetPicture(*dev)) {
        dev->Polygon(gPolyPoints);
        if (!gPowerOn)
            dev->SetPixel(static_cast<int>(px), static_cast<int>(py) + 5, kBlue);
        return;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        const PolyPoint& a = gPolyPoints[i];
        const PolyPoint& b = gPolyPoints[(i + 1) % 3];
        dev->Line(a.x, a.y, b.x, b.y, dev->ForeColor, LineKind::Plain);
    }
}

void RemoveVerbindungspunkt(std::int16_t& X, std::int16_t& Y) {
    RecordAround(X, Y, 1, "Verbindungspunkt löschen");
    if (!gGrid.Contains(X, Y))
        return;
    CellRecord& c = gGrid(X, Y);
    if (c.Punkt != kPointConnection || c.Typ != kTypeWire)
        return;
    if (DrawTarget* dev = gPlatform ? gPlatform->screen : nullptr) {
        const double px = GridToPixel(X);
        const double py = GridToPixel(Y);
        dev->FillStyle = FillMode::Solid;
        dev->FillColor = kWhite;
        dev->Line(px - 2, py - 4, px + 2, py + 2, kWhite, LineKind::Box);
        if (c.Links)
            dev->Line(px - 2, py, px, py, kBlack, LineKind::Plain);
        if (c.Rechts)
            dev->Line(px, py, px + 4, py, kBlack, LineKind::Plain);
        if (c.Oben)
            dev->Line(px, py, px, py - 5, kBlack, LineKind::Plain);
        if (c.Unten)
            dev->Line(px, py, px, py + 4, kBlack, LineKind::Plain);
    }
    c.Punkt = kPointNone;
    RedrawAreaValue(X, Y, X, Y, false);
}

void RemoveKoppeldiode() {
    const int X = gCursorX;
    const int Y = gCursorY;
    CellRecord& c = gGrid(X, Y);
    if (c.Punkt != kPointDiode || c.Typ != kTypeWire)
        return;
    RecordAround(X, Y, 1, "Koppeldiode löschen");
    gGrid(X, Y).Punkt = kPointNone;
    RedrawAround(X, Y, 1);
}

void SetNegationsPunkt() {
    const int X = gCursorX;
    const int Y = gCursorY;
    const CellRecord& c = gGrid(X, Y);
    if (!Negatable(c.Typ) || c.ElementNr < 1)
        return;
    const std::int16_t n = c.ElementNr;
    const GridPoint here{I16(X), I16(Y)};
    GetInputPoints(n, 0);
    if (c.Typ == kTypeFlipFlop) {
        // Only the data inputs J and K (pins 1 and 3); the clock and the outputs are refused.
        const bool dataInput = (gAnzEingangsPunkte >= 1 && gEingangsPunkte[0] == here) ||
                               (gAnzEingangsPunkte >= 3 && gEingangsPunkte[2] == here);
        if (!dataInput)
            return;
    }
    bool pin = false;
    for (int i = 0; i < gAnzEingangsPunkte; ++i)
        pin = pin || gEingangsPunkte[static_cast<std::size_t>(i)] == here;
    GetOutputPoints(n, 0);
    for (int i = 0; i < gAnzAusgangsPunkte; ++i)
        pin = pin || gAusgangsPunkte[static_cast<std::size_t>(i)] == here;
    if (!pin)
        return;
    RecordAround(X, Y, 2, "Negationspunkt setzen");
    gGrid(X, Y).Punkt = kPointConnection;
    gGrafik.DrawNegationsPunkt(I16(X), I16(Y));
}

void RemoveNegationsPunkt() {
    const int X = gCursorX;
    const int Y = gCursorY;
    // The mark goes whatever the cell holds, so that a mark no pin can carry (one left under an
    // inverter's input) can be taken away too; the callers offer this only on element cells.
    RecordAround(X, Y, 1, "Negationspunkt löschen");
    gGrid(X, Y).Punkt = kPointNone;
    RedrawAround(X, Y, 1);
}

} // namespace kardo
