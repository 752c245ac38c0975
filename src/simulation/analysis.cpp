// The analysis table and the traces. An event costs one row of two bytes and one ring bit per
// traced point; the windows are told once that something is new and read it all when they
// next paint.
#include "simulation/analysis.h"

#include "model/codes.h"
#include "model/grid.h"
#include "model/number_text.h"
#include "model/sim_levels.h"
#include "platform/platform.h"
#include "simulation/port_access.h"
#include "simulation/sim_core.h"

#include <algorithm>

namespace kardo {

AnalysisTable gAnalyseTabelle;
std::array<std::int16_t, kAnalysePunkte> gAnalyseX{};
std::array<std::int16_t, kAnalysePunkte> gAnalyseLetzter{};
std::array<TraceRing, kAnalysePunkte> gAnalyseSpuren{};
std::int16_t gAnalyseBreite = kTraceWidthDefault;
bool gAnalyseNeu = false;

namespace {

// The number of an analysis point from its text "1".."9" (any other text by its value).
int PointNumberOf(const ElementRecord& e) {
    if (e.Text.size() == 1 && e.Text[0] >= '0' && e.Text[0] <= '9')
        return e.Text[0] - '0';
    return static_cast<int>(Val(e.Text));
}

// Tells the windows, once until they have shown it, that there is something new.
void MarkChanged() {
    if (gAnalyseNeu)
        return;
    gAnalyseNeu = true;
    if (gPlatform && gPlatform->host)
        Host().AnalysisChanged();
}

} // namespace

void AnalysisTable::SetColumns(const std::vector<std::string>& texts) {
    m_columns.clear();
    for (const std::string& t : texts)
        m_columns.push_back({t, static_cast<int>(Val(t)), 0});
    m_cachedList = nullptr;
    m_cachedSize = 0;
    ClearRows();
}

void AnalysisTable::ClearRows() {
    m_values = {};
    m_runs = {};
    ++m_generation;
}

char AnalysisTable::Cell(std::size_t row, int column) const {
    if (row >= m_values.size() || column < 0 || column >= ColumnCount())
        return '\0';
    // The run holding the row: the last one that starts at or before it.
    const auto run = std::upper_bound(m_runs.begin(), m_runs.end(), row,
                                      [](std::size_t r, const Run& x) { return r < x.firstRow; });
    const unsigned bit = 1U << static_cast<unsigned>(column);
    if (run == m_runs.begin() || ((run - 1)->present & bit) == 0)
        return '\0';
    return (m_values[row] & bit) != 0 ? '1' : '0';
}

void AnalysisTable::AppendRow(std::uint16_t values, std::uint16_t present) {
    if (m_runs.empty() || m_runs.back().present != present)
        m_runs.push_back({m_values.size(), present});
    m_values.push_back(values);
}

std::size_t AnalysisTable::RowBytes() const {
    return m_values.capacity() * sizeof(std::uint16_t) + m_runs.capacity() * sizeof(Run);
}

void AnalysisTable::Lookup(const std::vector<ElementRecord>& elements) {
    for (Column& col : m_columns) {
        col.element = 0;
        for (std::size_t k = 1; k < elements.size(); ++k) {
            const ElementRecord& e = elements[k];
            if (e.Typ == kTypeAnalysisPoint && e.Text == col.text) {
                col.element = static_cast<int>(k);
                break;
            }
        }
    }
    m_cachedList = elements.data();
    m_cachedSize = elements.size();
    m_cachedEpoch = gPowerEpoch;
}

int AnalysisTable::ElementOf(int c, const std::vector<ElementRecord>& elements) {
    // A list rebuilt at a later power-on may sit at the same place with the same size.
    if (elements.data() != m_cachedList || elements.size() != m_cachedSize ||
        gPowerEpoch != m_cachedEpoch) {
        Lookup(elements);
    } else {
        // Same list as before; an element that changed under the cache sends us looking again.
        const Column& col = m_columns[static_cast<std::size_t>(c)];
        if (col.element != 0) {
            const ElementRecord& e = elements[static_cast<std::size_t>(col.element)];
            if (e.Typ != kTypeAnalysisPoint || e.Text != col.text)
                Lookup(elements);
        }
    }
    return m_columns[static_cast<std::size_t>(c)].element;
}

void ResetAnalysis() {
    gAnalyseTabelle = AnalysisTable{};
    gAnalyseBreite = kTraceWidthDefault;
    gAnalyseNeu = false;
    gAnalyseX.fill(0);
    gAnalyseLetzter.fill(0);
    for (TraceRing& r : gAnalyseSpuren)
        r.Clear();
}

void PrepareListView() {
    std::vector<std::string> texts;
    for (int n = 1; n <= kAnalysePunkte; ++n) {
        for (int k = 1; k <= gAnzElemente && static_cast<std::size_t>(k) < gElements.size(); ++k) {
            const ElementRecord& e = gElements[static_cast<std::size_t>(k)];
            if (e.Typ == kTypeAnalysisPoint && PointNumberOf(e) == n) {
                texts.push_back(e.Text);
                break;
            }
        }
    }
    gAnalyseTabelle.SetColumns(texts);
}

void AnalysisPointEvent(std::vector<ElementRecord>& elements, int nr, int pegel, int ebene) {
    if (nr > 0 && static_cast<std::size_t>(nr) < elements.size()) {
        ElementRecord& e = elements[static_cast<std::size_t>(nr)];
        e.Zustand[12] = TruthValue(pegel != 0);
        // Points inside IC levels have no place on the port.
        if (ebene == 0) {
            const int n = PointNumberOf(e);
            if (n >= 1 && n <= 8) {
                gAnalyseWerte[static_cast<std::size_t>(n - 1)] = TruthValue(pegel != 0);
                gPortAccess.SetBitsIfChanged();
            }
        }
    }
    DrawAnalysisTrace();
}

void DrawAnalysisTrace() {
    AnalysisTable& table = gAnalyseTabelle;
    const int columns = table.ColumnCount();
    if (columns == 0)
        return;
    std::uint16_t values = 0;
    std::uint16_t present = 0;
    // The level shown on the worksheet (the one being initialised during power-on).
    if (gCurLevel >= 0 && static_cast<std::size_t>(gCurLevel) < gLevels.size()) {
        const std::vector<ElementRecord>& elements =
            gLevels[static_cast<std::size_t>(gCurLevel)].Elemente;
        for (int c = 0; c < columns; ++c) {
            const int k = table.ElementOf(c, elements);
            if (k == 0)
                continue;
            const bool high = elements[static_cast<std::size_t>(k)].Zustand[12] != 0;
            TraceStep(table.ColumnNumber(c), high);
            const auto bit = static_cast<std::uint16_t>(1U << static_cast<unsigned>(c));
            present |= bit;
            if (high)
                values |= bit;
        }
    }
    table.AppendRow(values, present);
    MarkChanged();
}

void TraceStep(int nr, bool high) {
    if (nr < 1 || nr > kAnalysePunkte)
        return;
    const auto i = static_cast<std::size_t>(nr - 1);
    int x = gAnalyseX[i];
    // Equal to the width still fits; beyond it the picture moves left by one step first.
    if (x + kTraceStep > gAnalyseBreite)
        x = std::max(0, x - kTraceStep);
    x += kTraceStep;
    gAnalyseX[i] = static_cast<std::int16_t>(x);
    gAnalyseLetzter[i] = TruthValue(high);
    gAnalyseSpuren[i].Push(high);
}

void ClearAnalysisTraces() {
    for (int i = 0; i < kAnalysePunkte; ++i)
        ClearAnalysisTrace(i);
}

void ClearAnalysisTrace(int strip) {
    if (strip < 0 || strip >= kAnalysePunkte)
        return;
    const auto i = static_cast<std::size_t>(strip);
    gAnalyseX[i] = 0;
    gAnalyseLetzter[i] = 0;
    gAnalyseSpuren[i].Clear();
    MarkChanged();
}

void ClearAnalysisRecord() {
    gAnalyseTabelle.ClearRows();
    ClearAnalysisTraces();
}

void SetTraceWidth(int width) {
    width = std::clamp(width, 0, kTraceStep * (kTraceRingSteps - 1));
    gAnalyseBreite = static_cast<std::int16_t>(width);
    const int fit = width / kTraceStep * kTraceStep;
    for (std::int16_t& x : gAnalyseX)
        if (x > fit)
            x = static_cast<std::int16_t>(fit);
}

void AnalysisShown() { gAnalyseNeu = false; }

std::vector<VisibleStep> VisibleSteps(int strip) {
    std::vector<VisibleStep> out;
    if (strip < 0 || strip >= kAnalysePunkte)
        return out;
    const auto i = static_cast<std::size_t>(strip);
    const TraceRing& ring = gAnalyseSpuren[i];
    const std::int64_t steps = ring.Steps();
    // The oldest kept step is shown only with the one before it, which decides its edge.
    const std::int64_t kept = std::min<std::int64_t>(steps, kTraceRingSteps - 1);
    for (std::int64_t j = 0; j < kept; ++j) {
        const std::int64_t x0 = gAnalyseX[i] - kTraceStep * (j + 1);
        if (x0 < 0)
            break;
        const std::int64_t s = steps - 1 - j;
        const bool high = ring.Level(s);
        out.push_back({static_cast<int>(x0), high, s >= 1 && ring.Level(s - 1) != high});
    }
    return out;
}

} // namespace kardo
