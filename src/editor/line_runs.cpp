// Wire-run list.
#include "editor/line_runs.h"

#include "model/grid.h"

namespace kardo {

LineRunTable gLineRuns;

void ResetLineRuns() { gLineRuns = LineRunTable{}; }

void LineRunTable::Dim(int ubX, int ubY) {
    m_cols = ubX + 1;
    m_rows = ubY + 1;
    m_runs.assign(static_cast<std::size_t>(m_cols) * static_cast<std::size_t>(m_rows),
                  LineRunRecord{});
}

std::int16_t FindEndX(int Start, int y) {
    for (int x = Start; x <= gFeldBreite; ++x) {
        gLineRuns(x, y).VisitedH = kTrue;
        if (gGrid(x, y).Rechts == 0 || x == gFeldBreite)
            return static_cast<std::int16_t>(x);
    }
    return gFeldBreite;
}

std::int16_t FindEndY(int x, int Start) {
    for (int y = Start; y <= gFeldHoehe; ++y) {
        gLineRuns(x, y).VisitedV = kTrue;
        if (gGrid(x, y).Unten == 0 || y == gFeldHoehe)
            return static_cast<std::int16_t>(y);
    }
    return gFeldHoehe;
}

void UpdateLineRuns() {
    if (gLineRuns.UBoundX() < gFeldBreite || gLineRuns.UBoundY() < gFeldHoehe)
        gLineRuns.Dim(gFeldBreite, gFeldHoehe);
    // Row by row, as the grid lies in memory: a run is always met first at its first cell (the
    // leftmost of a row, the topmost of a column), so the order gives the same runs as any.
    for (int y = 0; y <= gFeldHoehe; ++y) {
        const CellRecord* cells = &gGrid(0, y);
        LineRunRecord* runs = &gLineRuns(0, y);
        for (int x = 0; x <= gFeldBreite; ++x) {
            const CellRecord& c = cells[x];
            LineRunRecord& r = runs[x];
            if (c.Rechts != 0 && r.VisitedH == 0)
                r.EndX = FindEndX(x, y);
            if (c.Unten != 0 && r.VisitedV == 0)
                r.EndY = FindEndY(x, y);
        }
    }
}

void AnalysiereLeitungen() {
    if (gLineRuns.UBoundX() < gFeldBreite || gLineRuns.UBoundY() < gFeldHoehe)
        gLineRuns.Dim(gFeldBreite, gFeldHoehe);
    else
        gLineRuns.Dim(gLineRuns.UBoundX(), gLineRuns.UBoundY());
    UpdateLineRuns();
}

} // namespace kardo
