// Analysis points while the circuit runs: every event at a point appends one row to the
// analysis table and extends each traced point's strip of the timing diagram by one step. The
// table and the traces live here; the table window and the timing-diagram window only show them
// and are told through the host when something new is there to show.
#pragma once

#include "model/elements.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kardo {

constexpr int kAnalysePunkte = 9;       // analysis points 1..9, one strip each
constexpr int kTraceStep = 13;          // width of one trace step and of one scroll, pixels
constexpr int kTraceHighY = 1;          // row of a high step
constexpr int kTraceLowY = 19;          // row of a low step; edges run from high to low row
constexpr int kTraceStripHeight = 21;   // height of a strip
constexpr int kTraceStripGap = 7;       // space between two strips
constexpr int kTraceWidthDefault = 455; // strip width until a window sets it (35 steps)
constexpr int kTraceRingSteps = 1024;   // steps a strip keeps for repainting

// The levels of a strip's last steps, for repainting it at any time.
class TraceRing {
  public:
    void Clear() {
        m_bits.fill(0);
        m_steps = 0;
    }
    void Push(bool high) {
        const auto bit = static_cast<std::size_t>(m_steps % kTraceRingSteps);
        const std::uint64_t mask = std::uint64_t{1} << (bit % 64);
        if (high)
            m_bits[bit / 64] |= mask;
        else
            m_bits[bit / 64] &= ~mask;
        ++m_steps;
    }
    // Steps pushed since the last Clear.
    std::int64_t Steps() const { return m_steps; }
    // Level of step s (0 the oldest since Clear); only the last kTraceRingSteps are kept.
    bool Level(std::int64_t s) const {
        const auto bit = static_cast<std::size_t>(s % kTraceRingSteps);
        return (m_bits[bit / 64] >> (bit % 64) & 1U) != 0;
    }

  private:
    std::array<std::uint64_t, kTraceRingSteps / 64> m_bits{}; // level of step s at bit s % size
    std::int64_t m_steps = 0;                                 // steps since Clear
};

// The analysis table: one column per analysis point of the circuit (ascending number), one row
// per recorded event. A row keeps one bit per column for its level; which cells are filled at
// all (a point missing on the level shown leaves its cell empty) is kept per run of rows.
class AnalysisTable {
  public:
    // New columns (the points' texts, in column order); the rows are emptied.
    void SetColumns(const std::vector<std::string>& texts);
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    // Caption of column c (the point's text); its key is the text followed by "S".
    const std::string& ColumnText(int c) const {
        return m_columns[static_cast<std::size_t>(c)].text;
    }
    std::string ColumnKey(int c) const { return ColumnText(c) + "S"; }
    // The point number of column c (the numeric value of its text).
    int ColumnNumber(int c) const { return m_columns[static_cast<std::size_t>(c)].number; }

    std::size_t RowCount() const { return m_values.size(); }
    // Cell of a row: '1', '0', or '\0' when empty.
    char Cell(std::size_t row, int column) const;
    // Appends a row: bit c of present fills column c's cell, bit c of values makes it "1".
    void AppendRow(std::uint16_t values, std::uint16_t present);
    void ClearRows();
    // Changes whenever rows are emptied or the columns rebuilt, so a view knows to start over.
    std::uint32_t Generation() const { return m_generation; }
    // Bytes held for the rows (capacity included).
    std::size_t RowBytes() const;

    // The element of column c on a level's element list, 0 when the point is not on it. The
    // answer is cached per element list and power-on, and checked before use.
    int ElementOf(int c, const std::vector<ElementRecord>& elements);

  private:
    struct Column {
        std::string text; // the point's text, the caption
        int number = 0;   // its numeric value, the point number
        int element = 0;  // its element on the cached list, 0 none
    };
    struct Run {
        std::size_t firstRow = 0;  // first row of the run
        std::uint16_t present = 0; // filled cells of every row of the run
    };
    void Lookup(const std::vector<ElementRecord>& elements);

    std::vector<Column> m_columns;               // in column order
    std::vector<std::uint16_t> m_values;         // per row, bit c: column c is "1"
    std::vector<Run> m_runs;                     // runs of rows with the same filled cells
    std::uint32_t m_generation = 0;              // bumped by SetColumns and ClearRows
    const ElementRecord* m_cachedList = nullptr; // element list the column elements belong to
    std::size_t m_cachedSize = 0;                // its size then
    std::uint32_t m_cachedEpoch = 0;             // and the power switch it was seen in
};

extern AnalysisTable gAnalyseTabelle; // the analysis table; PrepareListView, ResetAnalysis
extern std::array<std::int16_t, kAnalysePunkte>
    gAnalyseX; // per strip 0..8 (point - 1): x of the trace end in pixels, a whole number of
               // steps; ClearAnalysisTraces
extern std::array<std::int16_t, kAnalysePunkte>
    gAnalyseLetzter; // per strip 0..8: level of the last step (truth value); ClearAnalysisTraces
extern std::array<TraceRing, kAnalysePunkte>
    gAnalyseSpuren;                 // per strip 0..8: its last steps; ClearAnalysisTraces
extern std::int16_t gAnalyseBreite; // width of the strips in pixels; SetTraceWidth, ResetAnalysis
extern bool gAnalyseNeu;            // rows or steps recorded since the windows last showed them;
                                    // AnalysisShown, ResetAnalysis

// Start-up state: no columns, no rows, empty traces, default strip width.
void ResetAnalysis();

// Rebuilds the columns from the circuit's element list (for n = 1..9 the first analysis point
// whose text has the value n) and empties the rows.
void PrepareListView();

// An event at an analysis point of a level's element list (element nr, level ebene, level
// pegel 0 or 1): the point's slot 12; on level 0 the port bit of points 1 to 8; then the row.
void AnalysisPointEvent(std::vector<ElementRecord>& elements, int nr, int pegel, int ebene);

// One row of the table and one step of each traced point, from the points of the level shown.
// Nothing while the table has no columns.
void DrawAnalysisTrace();

// One trace step of point nr: the strip scrolls one step left first when the step would pass
// its right edge.
void TraceStep(int nr, bool high);

// Empties every strip: trace ends at 0, last levels low, no steps (power-on).
void ClearAnalysisTraces();
// Empties strip 0..8 alone: a strip loaded again starts blank.
void ClearAnalysisTrace(int strip);
// The clear button of the table: empties the rows and every strip; the columns stay.
void ClearAnalysisRecord();

// The strips are now width pixels wide. A trace whose end no longer fits moves left by whole
// steps, so that its newest step ends at the right edge.
void SetTraceWidth(int width);

// The windows have shown everything recorded so far.
void AnalysisShown();

// One visible step of a strip: pixels x0 .. x0 + kTraceStep - 1 on the high or low row, with a
// vertical edge in column x0 when the level differs from the step before.
struct VisibleStep {
    int x0 = 0;
    bool high = false;
    bool edge = false;
};
// The steps of strip i that lie in a strip of gAnalyseBreite pixels, newest first.
std::vector<VisibleStep> VisibleSteps(int strip);

} // namespace kardo
