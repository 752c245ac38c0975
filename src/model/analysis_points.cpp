// Placing and removing analysis points, numbered probes 1 to 9 set on single wire cells.
#include "model/basic_elements.h"
#include "model/grid.h"
#include "model/number_text.h"
#include "model/undo.h"
#include "platform/control_names.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "render/redraw.h"

#include <string>

namespace kardo {

std::uint8_t gAnzAnalysepunkte = 0;

namespace {

constexpr int kMaxPoints = 9;

int PointNumber(const ElementRecord& e) { return static_cast<int>(Val(e.Text)); }

bool NumberTaken(int k) {
    for (int i = 1; i <= gAnzElemente; ++i) {
        const ElementRecord& e = gElements[static_cast<std::size_t>(i)];
        if (e.Typ == kTypeAnalysisPoint && PointNumber(e) == k)
            return true;
    }
    return false;
}

void ShowTooMany() {
    Host().MessageBox("Es können maximal 9 Analysepunkte gesetzt werden!", MsgButtons::Ok,
                      MsgIcon::Information, "Analysepunkt");
}

} // namespace

void ResetAnalysisPoints() { gAnzAnalysepunkte = 0; }

std::uint8_t CountAnalysisPoints() {
    int count = 0;
    for (int i = 1; i <= gAnzElemente; ++i)
        if (gElements[static_cast<std::size_t>(i)].Typ == kTypeAnalysisPoint)
            ++count;
    return static_cast<std::uint8_t>(count);
}

std::int16_t GetFreeAnalysepunktNr() {
    for (int k = 1; k <= kMaxPoints; ++k)
        if (!NumberTaken(k))
            return static_cast<std::int16_t>(k);
    return 0;
}

bool AnalysePunktEinsExists() { return NumberTaken(1); }

void UpdateAnalyserMenu() { Host().SetEnabled(ctl::mAnsichtItem_2, AnalysePunktEinsExists()); }

void SetAnalysepunkt() {
    const int X = gCursorX;
    const int Y = gCursorY;
    const CellRecord& cell = gGrid(X, Y);
    if (cell.Typ != kTypeWire || cell.Punkt != 0)
        return;
    if (gAnzAnalysepunkte >= kMaxPoints) {
        ShowTooMany();
        return;
    }
    const std::int16_t k = GetFreeAnalysepunktNr();
    if (k == 0) {
        ShowTooMany();
        return;
    }
    if (!RoomForElement())
        return;
    ++gAnzAnalysepunkte;
    gUndo.NewUndoValue(static_cast<std::int16_t>(X - 1), static_cast<std::int16_t>(Y - 1),
                       static_cast<std::int16_t>(X + 1), static_cast<std::int16_t>(Y + 1),
                       "Analysepunkt setzen");
    ElementRecord& e = AppendElement(kTypeAnalysisPoint);
    e.Richtung = 0;
    e.Eingaenge = PinEntry(X, Y);
    e.Ausgaenge = PinEntry(X, Y);
    e.Text = std::to_string(k);
    CellRecord& c = gGrid(X, Y);
    c.Typ = kTypeAnalysisPoint;
    c.ElementNr = e.Nr;
    Host().RefreshAnalysisList();
    Host().AddGraph(k);
    UpdateAnalyserMenu();
    gGrafik.DrawAnalysepunkt(static_cast<std::int16_t>(X), static_cast<std::int16_t>(Y));
}

void RemoveAnalysepunkt() {
    const int X = gCursorX;
    const int Y = gCursorY;
    const std::int16_t n = gGrid(X, Y).ElementNr;
    if (gGrid(X, Y).Typ != kTypeAnalysisPoint || n < 1 || n > gAnzElemente)
        return;
    const int k = PointNumber(gElements[static_cast<std::size_t>(n)]);
    gUndo.NewUndoValue(static_cast<std::int16_t>(X - 1), static_cast<std::int16_t>(Y - 1),
                       static_cast<std::int16_t>(X + 1), static_cast<std::int16_t>(Y + 1),
                       "Analysepunkt löschen");
    Host().RemoveGraph(k);
    DeleteElementRecord(n);
    if (gAnzAnalysepunkte > 0)
        --gAnzAnalysepunkte;
    // The point's wire stays; a point whose wire was cut away leaves an empty cell.
    CellRecord& c = gGrid(X, Y);
    c.Typ = WireFlagCount(c) > 0 ? kTypeWire : kTypeEmpty;
    c.ElementNr = 0;
    c.Punkt = 0;
    Host().RefreshAnalysisList();
    UpdateAnalyserMenu();
    RedrawAreaValue(static_cast<std::int16_t>(X - 1), static_cast<std::int16_t>(Y - 1),
                    static_cast<std::int16_t>(X + 1), static_cast<std::int16_t>(Y + 1), false);
}

} // namespace kardo
