// Worksheet grid, coordinate rules, extent searches and connection counts.
#include "model/grid.h"

#include "model/elements.h"
#include "model/pin_points.h"
#include "model/rounding.h"
#include "model/sim_levels.h"

#include <cmath>

namespace kardo {

std::int16_t gFeldBreite = 50;
std::int16_t gFeldHoehe = 30;
Grid gGrid;
std::uint8_t gRaster = 14;
std::int16_t gCursorX = 0;
std::int16_t gCursorY = 0;
std::int16_t gCurLevel = 0;

void Grid::Create(int ubX, int ubY) {
    m_cols = ubX + 1;
    m_rows = ubY + 1;
    m_cells.assign(static_cast<std::size_t>(m_cols) * static_cast<std::size_t>(m_rows),
                   CellRecord{});
}

void CreateWorksheet(std::int16_t width, std::int16_t height) {
    gFeldBreite = width;
    gFeldHoehe = height;
    gGrid.Create(width + 1, height + 1);
}

void ResetWorksheet() {
    gRaster = 14;
    CreateWorksheet(50, 30);
    gCursorX = gCursorY = 0;
    gCurLevel = 0;
}

void ClearCell(int x, int y) {
    CellRecord& c = gGrid(x, y);
    c.Typ = 0;
    c.ElementNr = 0;
    c.Punkt = 0;
    c.Links = c.Oben = c.Rechts = c.Unten = 0;
    if (c.ICLevel != 0) {
        c.ICPin = 0;
        c.ICLevel = 0;
    }
}

std::int16_t PixelToGrid(double p) {
    const double zoom = static_cast<double>(kGridScale.GridMode);
    const double r = gRaster;
    const double g = RoundHalfEven((p - r * zoom / 2.0) / zoom / r);
    return g < 0 ? std::int16_t{0} : static_cast<std::int16_t>(g);
}

namespace {

// First input point of element n on the worksheet.
GridPoint FirstInput(int n) {
    std::int16_t nr = static_cast<std::int16_t>(n);
    GetInputPoints(nr, 0);
    return gEingangsPunkte[0];
}

bool Owns(int x, int y, int n) { return gGrid(x, y).ElementNr == n; }

} // namespace

std::int16_t SearchElementEndX(int n) {
    if (n < 1)
        return gCursorX;
    const GridPoint p = FirstInput(n);
    if (p.x >= gFeldBreite)
        return p.x == gFeldBreite && Owns(p.x, p.y, n) ? gFeldBreite : 0;
    for (int x = p.x; x <= gFeldBreite; ++x) {
        if (!Owns(x, p.y, n))
            return static_cast<std::int16_t>(x - 1);
    }
    return gFeldBreite;
}

std::int16_t SearchElementEndY(int n) {
    if (n < 1)
        return gCursorY;
    const GridPoint p = FirstInput(n);
    if (p.y >= gFeldHoehe)
        return p.y == gFeldHoehe && Owns(p.x, p.y, n) ? gFeldHoehe : 0;
    for (int y = p.y; y <= gFeldHoehe; ++y) {
        if (!Owns(p.x, y, n))
            return static_cast<std::int16_t>(y - 1);
    }
    return gFeldHoehe;
}

std::int16_t SearchElementStartX(int n) {
    if (n < 1)
        return gCursorX;
    const GridPoint p = FirstInput(n);
    if (p.x < 1)
        return 0;
    for (int x = p.x; x >= 0; --x) {
        if (!Owns(x, p.y, n))
            return static_cast<std::int16_t>(x + 1);
    }
    return 0;
}

std::int16_t SearchElementStartY(int n) {
    if (n < 1)
        return gCursorY;
    const GridPoint p = FirstInput(n);
    if (p.y < 1)
        return 0;
    for (int y = p.y; y >= 0; --y) {
        if (!Owns(p.x, y, n))
            return static_cast<std::int16_t>(y + 1);
    }
    return 0;
}

bool IsElementConnection(int x, int y) {
    const std::int16_t n = gGrid(x, y).ElementNr;
    if (n == 0)
        return false;
    std::int16_t nr = n;
    GetInputPoints(nr, 0);
    for (int i = 0; i < gAnzEingangsPunkte; ++i) {
        if (gEingangsPunkte[static_cast<std::size_t>(i)] ==
            GridPoint{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)})
            return true;
    }
    GetOutputPoints(nr, 0);
    for (int i = 0; i < gAnzAusgangsPunkte; ++i) {
        if (gAusgangsPunkte[static_cast<std::size_t>(i)] ==
            GridPoint{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)})
            return true;
    }
    return false;
}

std::int16_t CountConnections(int x, int y) { return CountConnections(x, y, gCurLevel); }

std::int16_t CountConnections(int x, int y, int ebene) {
    if (gPowerOn) {
        const SimLevelRecord& level = gLevels[static_cast<std::size_t>(ebene)];
        if (x > level.MaxX || y > level.MaxY || !level.Feld.Contains(x, y))
            return 0;
        return static_cast<std::int16_t>(WireFlagCount(level.Feld(x, y)));
    }
    return static_cast<std::int16_t>(WireFlagCount(gGrid(x, y)));
}

} // namespace kardo
