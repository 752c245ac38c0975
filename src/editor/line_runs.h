// The wire-run list: per cell, whether it lies on a recorded horizontal or vertical wire run,
// and for the first cell of a run the column or row of its last cell. Read by the full redraw
// and stored in circuit files.
#pragma once

#include <cstdint>
#include <vector>

namespace kardo {

struct LineRunRecord {
    std::int16_t VisitedH = 0; // the cell lies on a recorded horizontal run (truth value)
    std::int16_t VisitedV = 0; // the cell lies on a recorded vertical run (truth value)
    std::int16_t EndX = 0;     // first cell of a horizontal run: column of its last cell; 0 none
    std::int16_t EndY = 0;     // first cell of a vertical run: row of its last cell; 0 none
    bool operator==(const LineRunRecord&) const = default;
};

// Indexed (x, y) from 0; dimensioned by DimLineRuns.
class LineRunTable {
  public:
    void Dim(int ubX, int ubY);
    int UBoundX() const { return m_cols - 1; }
    int UBoundY() const { return m_rows - 1; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_cols && y < m_rows; }
    LineRunRecord& operator()(int x, int y) {
        return m_runs[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_cols) +
                      static_cast<std::size_t>(x)];
    }

  private:
    int m_cols = 0;                    // UBoundX() + 1
    int m_rows = 0;                    // UBoundY() + 1
    std::vector<LineRunRecord> m_runs; // row after row
};

extern LineRunTable
    gLineRuns; // wire runs of the worksheet; re-dimensioned by the full redraw and the loader

// Start-up state: an empty list.
void ResetLineRuns();

// Clears the list and records every horizontal and vertical run of columns 0..gFeldBreite and
// rows 0..gFeldHoehe afresh; dimensions the list when it is smaller than the sheet.
void AnalysiereLeitungen();
// Records the runs that are not yet recorded and keeps the recorded ones (the area redraw).
void UpdateLineRuns();
// Walks the horizontal run from (Start, y) to its last cell, marking it visited.
std::int16_t FindEndX(int Start, int y);
// Walks the vertical run from (x, Start) to its last cell, marking it visited.
std::int16_t FindEndY(int x, int Start);

} // namespace kardo
