// Wire painting: one wire step in the colour of its level (DrawLines, used while the circuit
// runs), whole straight runs (PaintLine, used by the redraws) and the wire-end searches.
// Wires go through the raw one-pixel Polyline, whose last point is left out: a line "from A
// to B" below paints A and every pixel up to B, but not B.
#include "model/sim_levels.h"
#include "model/wire_points.h"
#include "render/draw_common.h"
#include "render/grafik.h"
#include "render/redraw.h"

#include <algorithm>
#include <cstdlib>
#include <span>

namespace kardo {

using namespace draw;

namespace {

const CellRecord kNoCell{}; // stands for cells outside the circuit's level grid

// The circuit's level grid (simulation level 0), looked up once per wire step.
class Level0Cells {
  public:
    Level0Cells() : m_feld(gLevels.empty() ? nullptr : &gLevels[0].Feld) {}
    // Cell (x, y), or an empty cell outside the grid.
    const CellRecord& operator()(int x, int y) const {
        return m_feld && m_feld->Contains(x, y) ? (*m_feld)(x, y) : kNoCell;
    }

  private:
    const Grid* m_feld; // nullptr without levels
};

// The shared point list sized for one line; a wire routine fetches it once before its lines.
std::span<PolyPoint, 2> LinePoints() {
    if (gPolyPoints.size() != 2)
        gPolyPoints.resize(2);
    return std::span<PolyPoint, 2>(gPolyPoints.data(), 2);
}

// One Polyline from (x1, y1) to (x2, y2) through the shared point list, in ForeColor.
void RawLine(DrawTarget& dev, std::span<PolyPoint, 2> pts, int x1, int y1, int x2, int y2) {
    pts[0] = {x1, y1};
    pts[1] = {x2, y2};
    dev.Polyline(pts);
}

// How far the end of a white side line stays off the cell centre where a crossing wire joins
// the end cell from that side: 1 pixel beside a low crossing wire, 2 beside a high one (whose
// band is three pixels wide).
int Shortening(bool crossingWire, const CellRecord& endCell) {
    if (!crossingWire)
        return 0;
    return endCell.Pegel != 0 ? 2 : 1;
}

} // namespace

void clsGrafik::DrawLines(std::int16_t PosX, std::int16_t PosY, std::int16_t Richtung,
                          std::uint8_t Status) {
    gCurLevel = 0;
    int dx = 0;
    int dy = 0;
    switch (Richtung) {
    case 1:
        dx = 1;
        break;
    case 2:
        dx = -1;
        break;
    case 3:
        dy = 1;
        break;
    case 4:
        dy = -1;
        break;
    default:
        break;
    }
    const int x = PosX;
    const int y = PosY;
    const int nx = x + dx;
    const int ny = y + dy;
    if (!gGrid.Contains(x, y) || !gGrid.Contains(nx, ny))
        return;
    if (gGrid(x, y).Typ == kTypeEmpty || gGrid(nx, ny).Typ == kTypeEmpty)
        return;

    // A step goes across or down: one of the two coordinates stays.
    const int px = GridToPixel(x);
    const int py = GridToPixel(y);
    const int qx = nx == x ? px : GridToPixel(nx);
    const int qy = ny == y ? py : GridToPixel(ny);
    DrawTarget& dev = Dev();
    // The two cells of the step on the circuit's level; nothing below moves the level grid.
    const Level0Cells level;
    const CellRecord& own = level(x, y);
    const CellRecord& nb = level(nx, ny);
    // The step's three lines in one call.
    if (Status == 1) {
        // A band three pixels wide from N's centre to the cell's centre, both included.
        const PolyPoint band[] = {{qx + dy, qy + dx}, {px - dx + dy, py - dy + dx},
                                  {qx, qy},           {px - dx, py - dy},
                                  {qx - dy, qy - dx}, {px - dx - dy, py - dy - dx}};
        const Color red[] = {kWireHigh, kWireHigh, kWireHigh};
        dev.Lines(band, red);
    } else if (Status == 0) {
        // A grey centre line; white side lines clear a former high band, but stop short of
        // crossing wires. (A step of no direction has lines of no length.)
        PolyPoint lines[6] = {{qx, qy}, {px - dx, py - dy}};
        auto sideLine = [&](PolyPoint* line, int ox, int oy, bool ownCrossed, bool nbCrossed) {
            const int sOwn = Shortening(ownCrossed, own);
            const int sNb = Shortening(nbCrossed, nb);
            line[0] = {qx - sNb * dx + ox, qy - sNb * dy + oy};
            line[1] = {px + sOwn * dx - dx + ox, py + sOwn * dy - dy + oy};
        };
        if (dy == 0) {
            sideLine(lines + 2, 0, -1, y > 0 && level(x, y - 1).Unten != 0,
                     y > 0 && level(nx, y - 1).Unten != 0);
            sideLine(lines + 4, 0, 1, level(x, y + 1).Oben != 0, level(nx, y + 1).Oben != 0);
        } else {
            sideLine(lines + 2, -1, 0, x > 0 && level(x - 1, y).Rechts != 0,
                     x > 0 && level(x - 1, ny).Rechts != 0);
            sideLine(lines + 4, 1, 0, level(x + 1, y).Links != 0, level(x + 1, ny).Links != 0);
        }
        const Color colors[] = {kWireLow, kWhite, kWhite};
        dev.Lines(lines, colors);
    }

    // Repairs of what the step may have painted over, on the circuit's level. The point
    // routines are called in their drawing-only mode: a repaint must never record an undo step.
    const auto sx = static_cast<std::int16_t>(x);
    const auto sy = static_cast<std::int16_t>(y);
    const auto snx = static_cast<std::int16_t>(nx);
    const auto sny = static_cast<std::int16_t>(ny);
    if (own.Punkt == kPointConnection)
        SetVerbindungspunktAt(sx, sy, true);
    if (nb.Punkt == kPointConnection)
        SetVerbindungspunktAt(snx, sny, true);
    if (own.Punkt == kPointDiode)
        SetKoppeldiodeAt(sx, sy, true);
    if (nb.Punkt == kPointDiode)
        SetKoppeldiodeAt(snx, sny, true);
    // An element at either end is painted again where the step painted over it. One with an
    // outline view is painted, on a target that clips, as the whole symbol paints it there (over
    // the wire, as a full redraw does; within a run once when the run ends), else as its
    // outline; a switch (whose level the step shows) is painted whole inside its cell, likewise;
    // any other is drawn whole.
    const PixelBox step{std::min(px, qx) - 1, std::min(py, qy) - 1, std::abs(px - qx) + 3,
                        std::abs(py - qy) + 3};
    const auto repair = [&](std::int16_t ex, std::int16_t ey) {
        if (dev.Clips() && gGrid(ex, ey).Typ == kTypeSwitch)
            RepaintUnderClip(ex, ey, SwitchBox(ex, ey));
        else if (HasOutlineView(ex, ey) && dev.Clips())
            RepaintUnderClip(ex, ey, step);
        else
            DrawElement(ex, ey, false, true);
    };
    if (nb.Typ != kTypeWire)
        repair(snx, sny);
    if (own.Typ != kTypeWire)
        repair(sx, sy);
}

void clsGrafik::PaintLine(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2,
                          bool DeleteLine) {
    const int p1x = GridToPixel(X1);
    const int p1y = GridToPixel(Y1);
    const int p2x = GridToPixel(X2);
    const int p2y = GridToPixel(Y2);
    const bool horizontal = p1y == p2y;
    DrawTarget& dev = Dev();
    if (!DeleteLine) {
        const CellRecord& a = gGrid(X1, Y1);
        const CellRecord& b = gGrid(X2, Y2);
        const bool high =
            horizontal ? (a.PegelH != 0 && b.PegelH != 0) : (a.PegelV != 0 && b.PegelV != 0);
        if (!high) {
            dev.ForeColor = kWireLow;
            if (OnPrinter())
                dev.Line(p1x, p1y, p2x, p2y, kBlack, LineKind::Plain);
            else
                RawLine(dev, LinePoints(), p1x, p1y, p2x, p2y);
        } else {
            // Both end pixels of each of the three lines are painted.
            dev.ForeColor = kWireHigh;
            const std::span<PolyPoint, 2> pts = LinePoints();
            for (const int k : {0, 1, -1}) {
                if (horizontal)
                    RawLine(dev, pts, p1x, p1y + k, p2x + 1, p2y + k);
                else
                    RawLine(dev, pts, p1x + k, p1y, p2x + k, p2y + 1);
            }
        }
    } else {
        dev.ForeColor = kWhite;
        RawLine(dev, LinePoints(), p1x, p1y, p2x, p2y);
        // The grid dot of the start cell comes back.
        dev.SetPixel(p1x, p1y, kWireLow);
        dev.SetPixel(p1x, p2y, kWireLow);
    }
    dev.PSet(-1, -1, kWireHigh);
}

std::int16_t clsGrafik::SearchEndX(std::int16_t sX, std::int16_t sY, std::int16_t Richtung,
                                   std::uint8_t /*Status*/) {
    if (Richtung != kLeft && Richtung != kRight)
        return sX;
    const int step = Richtung == kRight ? 1 : -1;
    for (int x = sX + step; x >= 0 && x <= gFeldBreite; x += step) {
        const CellRecord& c = gGrid(x, sY);
        const bool goesOn = Richtung == kRight ? c.Rechts != 0 : c.Links != 0;
        if (c.Typ != kTypeWire || !goesOn)
            return static_cast<std::int16_t>(x);
    }
    return 0;
}

std::int16_t clsGrafik::SearchEndY(std::int16_t sX, std::int16_t sY, std::int16_t Richtung,
                                   std::uint8_t /*Status*/) {
    if (Richtung != kUp && Richtung != kDown)
        return sY;
    const int step = Richtung == kDown ? 1 : -1;
    for (int y = sY + step; y >= 0 && y <= gFeldHoehe; y += step) {
        const CellRecord& c = gGrid(sX, y);
        const bool goesOn = Richtung == kDown ? c.Unten != 0 : c.Oben != 0;
        if (c.Typ != kTypeWire || !goesOn)
            return static_cast<std::int16_t>(y);
    }
    return 0;
}

} // namespace kardo
