// The worksheet grid of cell records, the grid-to-pixel rules and the small read-only
// operations on the grid shared by the editor, the drawing and the simulation.
#pragma once

#include "model/codes.h"
#include "model/grid_scale.h"
#include "model/rounding.h"

#include <cassert>
#include <cstdint>
#include <vector>

namespace kardo {

// Sixteen bytes, aligned to sixteen: a cell never straddles two cache lines and four cells
// share one, so the event that changes a cell and the look at its row neighbours mostly stay in
// one line, and a large sheet's grid and its simulation copy fit the caches twice as well as
// with 16-bit fields. Truth values and marks are 0 / -1 (and 1 for a coupling diode), so eight
// bits hold them; stored files and every reader see the same values.
using CellFlag = std::int8_t; // a truth value, wire flag or mark of a cell

struct alignas(16) CellRecord {
    CellFlag Pegel = 0;            // signal level (truth value); written by the simulation only
    std::uint8_t Typ = 0;          // element type code; 0 empty, 1 wire
    CellFlag Links = 0;            // a wire leaves towards x - 1
    CellFlag Oben = 0;             // a wire leaves towards y - 1
    CellFlag Rechts = 0;           // a wire leaves towards x + 1
    CellFlag Unten = 0;            // a wire leaves towards y + 1
    CellFlag Punkt = 0;            // -1 connection/negation point, 1 coupling diode, 0 none
    std::uint8_t ICPin = 0;        // pin number on a pin cell of a placed IC
    std::int16_t ElementNr = 0;    // number of the covering element, 0 none
    std::uint8_t ICLevel = 0;      // IC instance index on a pin cell of a placed IC
    CellFlag PegelH = 0;           // level of the horizontal wire through the cell
    CellFlag PegelV = 0;           // level of the vertical wire through the cell
    std::uint8_t Verzoegerung = 0; // passes an arriving event still waits

    bool operator==(const CellRecord&) const = default;
};
static_assert(sizeof(CellRecord) == 16);

// A two-dimensional array of cells indexed (x, y) from (0, 0) to (UBoundX(), UBoundY()),
// stored contiguously.
class Grid {
  public:
    Grid() = default;
    // Re-creates the array with the bounds 0..ubX, 0..ubY, every cell zero.
    void Create(int ubX, int ubY);
    int UBoundX() const { return m_cols - 1; }
    int UBoundY() const { return m_rows - 1; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_cols && y < m_rows; }
    bool Empty() const { return m_cells.empty(); }
    // Columns per row (UBoundX() + 1) and the cells row after row: cell (x, y) is
    // Cells()[y * Columns() + x]. For code that looks cells up once and keeps their index.
    int Columns() const { return m_cols; }
    int Rows() const { return m_rows; }
    CellRecord* Cells() { return m_cells.data(); }
    const CellRecord* Cells() const { return m_cells.data(); }
    std::size_t Index(int x, int y) const {
        assert(Contains(x, y));
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_cols) +
               static_cast<std::size_t>(x);
    }

    CellRecord& operator()(int x, int y) {
        assert(Contains(x, y));
        return m_cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_cols) +
                       static_cast<std::size_t>(x)];
    }
    const CellRecord& operator()(int x, int y) const {
        assert(Contains(x, y));
        return m_cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_cols) +
                       static_cast<std::size_t>(x)];
    }
    bool operator==(const Grid&) const = default;

  private:
    int m_cols = 0;                  // UBoundX() + 1
    int m_rows = 0;                  // UBoundY() + 1
    std::vector<CellRecord> m_cells; // row after row
};

// ResetWorksheet sets the start-up values of these.
extern std::int16_t gFeldBreite; // worksheet width W in cells (50); set by CreateWorksheet
extern std::int16_t gFeldHoehe;  // worksheet height H in cells (30); set by CreateWorksheet
extern Grid gGrid;               // the worksheet, cells (0..W+1, 0..H+1); W+1 and H+1 a guard frame
extern std::uint8_t gRaster;     // cell size in pixels at zoom 1.0, 14
extern std::int16_t gCursorX;    // grid column under the mouse; cell argument of placing operations
extern std::int16_t gCursorY;    // grid row under the mouse
extern std::int16_t gCurLevel;   // simulation level shown (0 = the circuit) or being initialised

// Re-creates gGrid for a worksheet of width x height cells, every cell zero.
void CreateWorksheet(std::int16_t width, std::int16_t height);
// Start-up state: an empty 50 x 30 worksheet, cell size 14, cursor at (0, 0), level 0 shown.
void ResetWorksheet();

// Empties one cell: type, element number, point mark and wire flags; IC pin fields too when the
// cell is an IC pin. Levels are kept.
void ClearCell(int x, int y);

// Pixel centre of grid column or row c: zoom * 14 * (c + 0.5), a half to the even neighbour.
// 32-bit: a large sheet at a high zoom reaches far beyond 16-bit pixel positions. Inline: every
// point of every symbol and wire goes through it.
inline std::int32_t GridToPixel(int c) {
    const double zoom = static_cast<double>(kGridScale.GridMode);
    return static_cast<std::int32_t>(RoundHalfEven(zoom * 14.0 * (c + 0.5)));
}
// Grid column or row of a pixel coordinate; never below 0.
std::int16_t PixelToGrid(double p);

// First and last column and row that element n covers along the row or column of its first
// input point; element numbers below 1 give the cursor cell.
std::int16_t SearchElementStartX(int n);
std::int16_t SearchElementEndX(int n);
std::int16_t SearchElementStartY(int n);
std::int16_t SearchElementEndY(int n);

// The cell is one of the input or output points of the element covering it.
bool IsElementConnection(int x, int y);

// Number of wire flags set on a cell (0..4).
inline int WireFlagCount(const CellRecord& c) {
    return (c.Links != 0 ? 1 : 0) + (c.Oben != 0 ? 1 : 0) + (c.Rechts != 0 ? 1 : 0) +
           (c.Unten != 0 ? 1 : 0);
}

// Number of wire flags set on a cell (0..4); while powered read from simulation level ebene.
std::int16_t CountConnections(int x, int y);
std::int16_t CountConnections(int x, int y, int ebene);

} // namespace kardo
