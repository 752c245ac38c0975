// The wire band of the wire tool: following the mouse, blocking at elements, committing with
// wire flags and automatic connection points, deleting, and the repaint of the changed cells.
#include "editor/wire_tool.h"

#include "editor/gesture_state.h"
#include "editor/overlays.h"
#include "model/grid.h"
#include "model/undo.h"
#include "model/wire_points.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "render/view.h"

#include <algorithm>
#include <cstdlib>

namespace kardo {

std::int16_t gAutoVerbindung = kTrue;

void ResetWireTool() { gAutoVerbindung = kTrue; }

namespace {

// One straight leg of the band: the cells from (x, y) to the end column or row, in order.
struct Leg {
    bool horizontal = true; // runs along a row
    std::int16_t fixed = 0; // the row of a horizontal leg, the column of a vertical one
    std::int16_t from = 0;  // first column or row
    std::int16_t to = 0;    // last column or row
    bool HasLength() const { return from != to; }
    int Step() const { return to >= from ? 1 : -1; }
    CellRecord& Cell(int i) const { return horizontal ? gGrid(i, fixed) : gGrid(fixed, i); }
    std::int16_t X(int i) const { return horizontal ? static_cast<std::int16_t>(i) : fixed; }
    std::int16_t Y(int i) const { return horizontal ? fixed : static_cast<std::int16_t>(i); }
};

// The flags of a cell along a leg: towards smaller and towards larger coordinates.
CellFlag& FlagBack(CellRecord& c, bool horizontal) { return horizontal ? c.Links : c.Oben; }
CellFlag& FlagAhead(CellRecord& c, bool horizontal) { return horizontal ? c.Rechts : c.Unten; }
CellFlag& FlagTowards(CellRecord& c, const Leg& leg, bool towardsEnd) {
    const bool ahead = (leg.Step() > 0) == towardsEnd;
    return ahead ? FlagAhead(c, leg.horizontal) : FlagBack(c, leg.horizontal);
}

std::int16_t Blocked(std::int16_t start, std::int16_t target, bool horizontal, std::int16_t fixed) {
    const Leg leg{horizontal, fixed, start, target};
    const int sx = leg.X(start);
    const int sy = leg.Y(start);
    for (int i = start;; i += leg.Step()) {
        if (leg.Cell(i).Typ > kTypeWire) {
            if (i != start) {
                if (IsElementConnection(sx, sy) && std::abs(i - start) == 1)
                    return start;
                return static_cast<std::int16_t>(i);
            }
            if (!IsElementConnection(sx, sy))
                return start;
        }
        if (i == target)
            return kNotBlocked;
    }
}

int Pixel(std::int16_t c) { return GridToPixel(c); }
std::int16_t Cell(int pixel) { return PixelToGrid(pixel); }
std::int16_t Stop(std::int16_t blocked, std::int16_t target) {
    return blocked == kNotBlocked ? target : blocked;
}

// Automatic connection point: a wire cell with exactly three wire flags is a T junction. A mark
// already there (a coupling diode) is kept: the commit never removes a mark.
void ApplyJunctionRule(CellRecord& c) {
    if (c.Typ == kTypeWire && c.Punkt == kPointNone && WireFlagCount(c) == 3)
        c.Punkt = kPointConnection;
}

void WriteLeg(const Leg& leg) {
    for (int i = leg.from;; i += leg.Step()) {
        CellRecord& c = leg.Cell(i);
        if (leg.HasLength() && c.Typ <= kTypeWire)
            c.Typ = kTypeWire;
        if (i != leg.to)
            FlagTowards(c, leg, true) = kTrue;
        if (i != leg.from)
            FlagTowards(c, leg, false) = kTrue;
        if (gAutoVerbindung != 0)
            ApplyJunctionRule(c);
        if (i == leg.to)
            break;
    }
}

void CutLeg(const Leg& leg) {
    for (int i = leg.from;; i += leg.Step()) {
        CellRecord& c = leg.Cell(i);
        const bool isEnd = i == leg.from || i == leg.to;
        if (c.Typ > kTypeWire) {
            // A pin loses only its flags along the band: a pin ending the band keeps the flag
            // of the wire it joins outside the band.
            DrawElement(leg.X(i), leg.Y(i), false, false);
            if (i != leg.to)
                FlagTowards(c, leg, true) = kFalse;
            if (i != leg.from)
                FlagTowards(c, leg, false) = kFalse;
        } else {
            const int before = WireFlagCount(c);
            const bool crossed =
                leg.horizontal ? (c.Oben != 0 || c.Unten != 0) : (c.Links != 0 || c.Rechts != 0);
            if (!isEnd && !crossed) {
                c.Typ = kTypeEmpty;
                c.Punkt = kPointNone;
            }
            if (i != leg.to)
                FlagTowards(c, leg, true) = kFalse;
            if (i != leg.from)
                FlagTowards(c, leg, false) = kFalse;
            // A wire end is emptied only when its one flag ran along the band; an end whose
            // flag leaves sideways stays the end of that other wire, so that no neighbour's
            // flag points into an empty cell.
            if (isEnd && leg.HasLength() && before == 1 && WireFlagCount(c) == 0)
                c.Typ = kTypeEmpty;
            if (WireFlagCount(c) < 3)
                c.Punkt = kPointNone;
        }
        if (i == leg.to)
            break;
    }
}

// The two legs of the band as read back from the band lines (LineX, LineY filled).
bool ReadBand(Leg& first, Leg& second) {
    GestureState& g = gGesture;
    const OverlayLine& h = gOverlays.LeitungH;
    const OverlayLine& v = gOverlays.LeitungV;
    if (g.PullH) {
        g.LineX = {Cell(h.X1), Cell(h.X2), Cell(v.X1)};
        g.LineY = {Cell(h.Y1), Cell(h.Y2), Cell(v.Y2)};
        first = Leg{true, g.LineY[0], g.LineX[0], g.LineX[1]};
        second = Leg{false, g.LineX[1], g.LineY[1], g.LineY[2]};
        return true;
    }
    if (g.PullV) {
        g.LineX = {Cell(v.X1), Cell(v.X2), Cell(h.X2)};
        g.LineY = {Cell(v.Y1), Cell(v.Y2), Cell(h.Y2)};
        first = Leg{false, g.LineX[0], g.LineY[0], g.LineY[1]};
        second = Leg{true, g.LineY[1], g.LineX[1], g.LineX[2]};
        return true;
    }
    return false;
}

// The undo rectangle of the band: the first leg's span along its axis, the second leg's along
// the other.
void BandRect(const Leg& first, const Leg& second, std::int16_t& x1, std::int16_t& y1,
              std::int16_t& x2, std::int16_t& y2) {
    const Leg& h = first.horizontal ? first : second;
    const Leg& v = first.horizontal ? second : first;
    x1 = std::min(h.from, h.to);
    x2 = std::max(h.from, h.to);
    y1 = std::min(v.from, v.to);
    y2 = std::max(v.from, v.to);
}

void HideBand() {
    gOverlays.LeitungH.Visible = false;
    gOverlays.LeitungV.Visible = false;
}

// One wire segment between neighbouring cells, painted or erased, with the point marks of both
// cells drawn again over it.
void PaintSegment(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2, bool erase) {
    gGrafik.PaintLine(x1, y1, x2, y2, erase);
    if (erase && !gShowGrid && gGrafik.Device != nullptr) {
        gGrafik.Device->SetPixel(GridToPixel(x1), GridToPixel(y1), 0xFFFFFF);
        gGrafik.Device->SetPixel(GridToPixel(x2), GridToPixel(y2), 0xFFFFFF);
    }
    for (int k = 0; k < 2; ++k) {
        const std::int16_t x = k == 0 ? x1 : x2;
        const std::int16_t y = k == 0 ? y1 : y2;
        const std::int16_t mark = gGrid(x, y).Punkt;
        if (mark == kPointConnection)
            SetVerbindungspunktAt(x, y, true);
        else if (mark == kPointDiode)
            SetKoppeldiodeAt(x, y, true);
    }
}

void PaintLeg(const Leg& leg) {
    const int last = leg.horizontal ? gFeldBreite : gFeldHoehe;
    for (int i = leg.from;; i += leg.Step()) {
        CellRecord& c = leg.Cell(i);
        const std::int16_t x = leg.X(i);
        const std::int16_t y = leg.Y(i);
        if (c.Typ != kTypeEmpty) {
            if (FlagAhead(c, leg.horizontal) != 0 && i < last) {
                const std::int16_t nx = leg.horizontal ? static_cast<std::int16_t>(x + 1) : x;
                const std::int16_t ny = leg.horizontal ? y : static_cast<std::int16_t>(y + 1);
                PaintSegment(x, y, nx, ny, false);
                if (gGrid(nx, ny).Typ > kTypeWire)
                    DrawElement(nx, ny, false, false);
            }
            if (c.Typ != kTypeWire)
                DrawElement(x, y, false, false);
        }
        if (i == leg.to)
            break;
    }
}

void ErasedLeg(const Leg& leg) {
    const int last = leg.horizontal ? gFeldBreite : gFeldHoehe;
    for (int i = leg.from;; i += leg.Step()) {
        CellRecord& c = leg.Cell(i);
        const std::int16_t x = leg.X(i);
        const std::int16_t y = leg.Y(i);
        if (i > 0 && FlagBack(c, leg.horizontal) == 0)
            PaintSegment(x, y, leg.horizontal ? static_cast<std::int16_t>(x - 1) : x,
                         leg.horizontal ? y : static_cast<std::int16_t>(y - 1), true);
        if (i < last && FlagAhead(c, leg.horizontal) == 0)
            PaintSegment(x, y, leg.horizontal ? static_cast<std::int16_t>(x + 1) : x,
                         leg.horizontal ? y : static_cast<std::int16_t>(y + 1), true);
        if (c.Typ > kTypeWire)
            DrawElement(x, y, false, false);
        if (i == leg.to)
            break;
    }
    std::int16_t x1 = static_cast<std::int16_t>(std::min(leg.X(leg.from), leg.X(leg.to)) - 1);
    std::int16_t y1 = static_cast<std::int16_t>(std::min(leg.Y(leg.from), leg.Y(leg.to)) - 1);
    std::int16_t x2 = static_cast<std::int16_t>(std::max(leg.X(leg.from), leg.X(leg.to)) + 1);
    std::int16_t y2 = static_cast<std::int16_t>(std::max(leg.Y(leg.from), leg.Y(leg.to)) + 1);
    RedrawArea(x1, y1, x2, y2, false);
}

} // namespace

std::int16_t BlockedH(std::int16_t sX, std::int16_t y, std::int16_t x) {
    return Blocked(sX, x, true, y);
}

std::int16_t BlockedV(std::int16_t sY, std::int16_t x, std::int16_t y) {
    return Blocked(sY, y, false, x);
}

void ShowLines() {
    GestureState& g = gGesture;
    g.LineActive = true;
    g.LineStartX = gCursorX;
    g.LineStartY = gCursorY;
    g.PullH = g.PullV = false;
    const int px = Pixel(gCursorX);
    const int py = Pixel(gCursorY);
    CollapseLine(gOverlays.LeitungH, px, py);
    CollapseLine(gOverlays.LeitungV, px, py);
    gOverlays.LeitungH.Visible = true;
    gOverlays.LeitungV.Visible = true;
}

void ShowTempLines(std::int16_t PosX, std::int16_t PosY) {
    GestureState& g = gGesture;
    OverlayLine& h = gOverlays.LeitungH;
    OverlayLine& v = gOverlays.LeitungV;
    const std::int16_t sx = g.LineStartX;
    const std::int16_t sy = g.LineStartY;
    if (PosX == sx && PosY == sy) {
        h.X2 = h.X1;
        v.Y2 = v.Y1;
        return;
    }
    if (PosY == sy && !g.PullV) {
        v.Visible = false;
        h.Visible = true;
        h.X2 = Pixel(Stop(BlockedH(sx, sy, PosX), PosX));
        g.PullH = true;
        g.PullV = false;
        v.Y2 = h.Y1;
    }
    if (PosX == sx && !g.PullH) {
        h.Visible = false;
        v.Visible = true;
        v.Y2 = Pixel(Stop(BlockedV(sy, sx, PosY), PosY));
        g.PullV = true;
        g.PullH = false;
        h.X2 = v.X1;
    }
    if (g.PullH && PosY != sy) {
        const std::int16_t corner = Stop(BlockedH(sx, sy, PosX), PosX);
        h.X2 = Pixel(corner);
        v.X1 = v.X2 = h.X2;
        v.Y1 = h.Y1;
        const std::int16_t r2 = BlockedV(sy, corner, PosY);
        if (gGrid(corner, sy).Typ > kTypeWire) {
            v.Y2 = v.Y1;
            v.Visible = false;
        } else {
            v.Y2 = Pixel(Stop(r2, PosY));
            v.Visible = true;
        }
    }
    if (g.PullV && PosX != sx) {
        const std::int16_t corner = Stop(BlockedV(sy, sx, PosY), PosY);
        v.Y2 = Pixel(corner);
        h.Y1 = h.Y2 = v.Y2;
        h.X1 = v.X1;
        const std::int16_t r2 = BlockedH(sx, corner, PosX);
        if (gGrid(sx, corner).Typ > kTypeWire) {
            h.X2 = h.X1;
            h.Visible = false;
        } else {
            h.X2 = Pixel(Stop(r2, PosX));
            h.Visible = true;
        }
    }
}

void SetLines() {
    Leg first;
    Leg second;
    if (!ReadBand(first, second)) {
        HideBand();
        return;
    }
    std::int16_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    BandRect(first, second, x1, y1, x2, y2);
    if (x1 != x2 || y1 != y2) {
        gUndo.NoObjects = true;
        gUndo.NewUndo(x1, y1, x2, y2, "Leitung(en) ziehen");
    }
    WriteLeg(first);
    WriteLeg(second);
    DrawNewLines();
    HideBand();
}

void DeleteLines() {
    Leg first;
    Leg second;
    if (!ReadBand(first, second)) {
        HideBand();
        return;
    }
    std::int16_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    BandRect(first, second, x1, y1, x2, y2);
    gUndo.NoObjects = true;
    gUndo.NewUndo(x1, y1, x2, y2, "Leitung(en) löschen");
    CutLeg(first);
    if (second.HasLength())
        CutLeg(second);
    DeleteNewLines();
    HideBand();
}

void DrawNewLines() {
    Leg first;
    Leg second;
    if (!ReadBand(first, second))
        return;
    PaintLeg(first);
    PaintLeg(second);
}

void DeleteNewLines() {
    Leg first;
    Leg second;
    if (!ReadBand(first, second))
        return;
    ErasedLeg(first);
    if (second.HasLength())
        ErasedLeg(second);
}

} // namespace kardo
