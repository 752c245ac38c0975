// Element-draw dispatch, full redraw and area redraw of the worksheet picture. All three run to
// their end without yielding to the event loop.
#include "render/redraw.h"

#include "editor/ic_pin_hooks.h"
#include "editor/line_runs.h"
#include "editor/panel_hooks.h"
#include "editor/selection.h"
#include "editor/text_labels.h"
#include "ic/pin_labels.h"
#include "model/clock_tables.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/pin_points.h"
#include "model/sim_levels.h"
#include "model/wire_points.h"
#include "platform/control_names.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "render/view.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

namespace kardo {

namespace {

constexpr Color kGridDot = 0x808080;
constexpr Color kWhite = 0xFFFFFF;

DrawTarget* Screen() { return gPlatform ? gPlatform->screen : nullptr; }
HostWindow* HostOrNull() { return gPlatform ? gPlatform->host : nullptr; }

void StatusText(std::string_view text) {
    if (HostWindow* host = HostOrNull())
        host->SetStatusText(2, text);
}

void Progress(int value) {
    if (HostWindow* host = HostOrNull())
        host->SetProgress(value);
}

// The anchor of a gate or tri-state drawn from its first input point: one cell across the gate.
void TwoInputAnchor(std::uint8_t orientation, std::int16_t& x, std::int16_t& y) {
    x = gEingangsPunkte[0].x;
    y = gEingangsPunkte[0].y;
    if (orientation == kLeft || orientation == kRight)
        ++y;
    else
        ++x;
}

// The connection point or coupling diode of a wire cell, drawn only.
void DrawPointMark(std::int16_t x, std::int16_t y) {
    const std::int16_t mark = gGrid(x, y).Punkt;
    if (mark == kPointConnection)
        SetVerbindungspunktAt(x, y, true);
    else if (mark == kPointDiode)
        SetKoppeldiodeAt(x, y, true);
}

// The clock body is drawn three cells behind its output point, against its orientation.
void ClockAnchor(std::uint8_t orientation, std::int16_t& x, std::int16_t& y) {
    x = gAusgangsPunkte[0].x;
    y = gAusgangsPunkte[0].y;
    switch (orientation) {
    case kRight:
        x = static_cast<std::int16_t>(x - 3);
        break;
    case kLeft:
        x = static_cast<std::int16_t>(x + 3);
        break;
    case kUp:
        y = static_cast<std::int16_t>(y + 3);
        break;
    default:
        y = static_cast<std::int16_t>(y - 3);
        break;
    }
}

bool IsSelectedClock(std::int16_t e) {
    return gPowerOn && gAktTakt >= 0 && static_cast<std::size_t>(gAktTakt) < gTaktElement.size() &&
           gTaktElement[static_cast<std::size_t>(gAktTakt)] == e;
}

// An IC is drawn on the printer, while powered, or when it is placed in the circuit itself;
// a nested IC met on the screen while editing is not.
bool ICShown(std::int16_t n) {
    if (gGrafik.OnPrinter() || gPowerOn)
        return true;
    return n >= 0 && static_cast<std::size_t>(n) < gICInstances.size() &&
           gICInstances[static_cast<std::size_t>(n)].Tiefe == 0;
}

// The live levels of one cell of a level grid copied into the worksheet's cell.
void CopyLiveCell(const Grid& live, int x, int y) {
    CellRecord& c = gGrid(x, y);
    if (c.Typ == kTypeEmpty || !live.Contains(x, y))
        return;
    const CellRecord& l = live(x, y);
    c.Pegel = l.Pegel;
    c.PegelH = l.PegelH;
    c.PegelV = l.PegelV;
}

void CopyLiveLevels(std::int16_t nr) {
    if (nr < 0 || static_cast<std::size_t>(nr) >= gLevels.size())
        return;
    const Grid& live = gLevels[static_cast<std::size_t>(nr)].Feld;
    for (int x = 0; x <= gFeldBreite; ++x)
        for (int y = 0; y <= gFeldHoehe; ++y)
            CopyLiveCell(live, x, y);
}

// Cells whose drawing can reach a box of pixels are those of the box grown by this many cells on
// every side: no symbol, switch or point mark reaches further beyond its own cells. Label texts
// run on further, over free cells; ForEachLabelOver finds them.
constexpr int kReachCells = 3;

// An inclusive rectangle of cells.
struct CellBox {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};

// The cells a box of pixels lies on, within the sheet.
CellBox CellsUnder(const PixelBox& b) {
    const double cs = CellPixels();
    const auto cell = [cs](double p) { return static_cast<int>(std::floor(p / cs)); };
    return {std::max(0, cell(b.x)), std::max(0, cell(b.y)),
            std::min<int>(gFeldBreite, cell(b.x + b.w - 1)),
            std::min<int>(gFeldHoehe, cell(b.y + b.h - 1))};
}

// The cells near a box of pixels, within the sheet.
CellBox CellsNear(const PixelBox& b) {
    const CellBox u = CellsUnder(b);
    return {std::max(0, u.x1 - kReachCells), std::max(0, u.y1 - kReachCells),
            std::min<int>(gFeldBreite, u.x2 + kReachCells),
            std::min<int>(gFeldHoehe, u.y2 + kReachCells)};
}

bool Overlap(const PixelBox& a, const PixelBox& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// The pixels of a rectangle of cells as the area redraw clears them.
PixelBox CellPixelBox(const CellBox& r) {
    const double half = std::nearbyint(14.0 * static_cast<double>(gGrafik.GridMode) / 2.0);
    const auto x0 = static_cast<std::int32_t>(GridToPixel(r.x1) - half);
    const auto y0 = static_cast<std::int32_t>(GridToPixel(r.y1) - half);
    return {x0, y0, static_cast<std::int32_t>(GridToPixel(r.x2) + half) - x0 + 1,
            static_cast<std::int32_t>(GridToPixel(r.y2) + half) - y0 + 1};
}

bool IsLabel(std::int16_t e) {
    return e >= 1 && e <= gAnzElemente && gElements[static_cast<std::size_t>(e)].Typ == kTypeText;
}

// Calls f(e) for every text label e whose text can lie on the cells of r: a label with a cell
// there or on the row below (its letters reach a little into the row above its own), and a
// label of one of those rows that the free cells left of r lead to (a text runs on over free
// cells). A label may be named more than once.
template <class F> void ForEachLabelOver(const CellBox& r, F&& f) {
    const int last = std::min<int>(r.y2 + 1, gFeldHoehe);
    for (int y = r.y1; y <= last; ++y) {
        int x = r.x1 - 1;
        while (x >= 0 && gGrid(x, y).Typ == kTypeEmpty && gGrid(x, y).ElementNr == 0)
            --x;
        if (x >= 0 && gGrid(x, y).Typ == kTypeText && IsLabel(gGrid(x, y).ElementNr))
            f(gGrid(x, y).ElementNr);
        for (x = r.x1; x <= r.x2; ++x)
            if (gGrid(x, y).Typ == kTypeText && IsLabel(gGrid(x, y).ElementNr))
                f(gGrid(x, y).ElementNr);
    }
}

// A label drawn through its anchor cell.
void DrawLabel(std::int16_t e) {
    const ElementRecord& el = gElements[static_cast<std::size_t>(e)];
    if (el.Eingaenge.Count() == 0)
        return;
    const GridPoint a = el.Eingaenge.Points()[0];
    DrawElement(a.x, a.y, false, false);
}

// The wire runs as the full redraw records them afresh (AnalysiereLeitungen): a horizontal run
// starts at a cell with a wire to the right whose left neighbour has none, and ends at the first
// cell without a wire to the right, or at the last column; vertical runs likewise.
bool StartsRunX(int x, int y) {
    return gGrid(x, y).Rechts != 0 && !(x > 0 && gGrid(x - 1, y).Rechts != 0);
}
bool StartsRunY(int x, int y) {
    return gGrid(x, y).Unten != 0 && !(y > 0 && gGrid(x, y - 1).Unten != 0);
}
int RunEndX(int x, int y) {
    while (x < gFeldBreite && gGrid(x, y).Rechts != 0)
        ++x;
    return x;
}
int RunEndY(int x, int y) {
    while (y < gFeldHoehe && gGrid(x, y).Unten != 0)
        ++y;
    return y;
}

// A run; while the circuit is on (liveLevels) its end cells first take the circuit's live
// levels, which its colour comes from.
void PaintRun(int x1, int y1, int x2, int y2, bool liveLevels) {
    if (liveLevels && !gLevels.empty()) {
        CopyLiveCell(gLevels[0].Feld, x1, y1);
        CopyLiveCell(gLevels[0].Feld, x2, y2);
    }
    gGrafik.PaintLine(static_cast<std::int16_t>(x1), static_cast<std::int16_t>(y1),
                      static_cast<std::int16_t>(x2), static_cast<std::int16_t>(y2), false);
}

// The runs that start at a cell, then its grid dot (on an empty or a wire cell).
void PaintRunsAndDot(DrawTarget& device, int x, int y, bool gridDots, bool liveLevels) {
    if (StartsRunX(x, y))
        PaintRun(x, y, RunEndX(x, y), y, liveLevels);
    if (StartsRunY(x, y))
        PaintRun(x, y, x, RunEndY(x, y), liveLevels);
    const CellRecord& c = gGrid(x, y);
    if (gridDots && (c.Typ == kTypeEmpty || c.Typ == kTypeWire))
        device.SetPixel(GridToPixel(x), GridToPixel(y), kGridDot);
}

// The marks of a cell, drawn after its runs and grid dot: point marks, a switch, the pin mark of
// the IC being defined.
bool HasMarks(const CellRecord& c) {
    return (c.Typ == kTypeWire && c.Punkt != 0) || c.Typ == kTypeSwitch ||
           (c.ICPin != 0 && c.ICLevel == 0);
}

void DrawMarks(std::int16_t x, std::int16_t y) {
    const CellRecord& c = gGrid(x, y);
    if (c.Typ == kTypeWire)
        DrawPointMark(x, y);
    if (c.Typ == kTypeSwitch)
        gGrafik.DrawSwitch(x, y);
    if (c.ICPin != 0 && c.ICLevel == 0) {
        auto px = x;
        ShowICInOut(px, y);
        DrawICPinMark(x, y);
    }
}

void DrawElementNr(std::int16_t i) {
    if (!gInLevel)
        gCurLevel = 0;
    GetInputPoints(i, gCurLevel);
    if (gAnzEingangsPunkte > 0) {
        DrawElement(gEingangsPunkte[0].x, gEingangsPunkte[0].y, false, false);
        return;
    }
    // An element without input points (an IC whose package has no pins) is drawn from a cell of
    // its own; the point list names no cell of it.
    const GridPoint own = FirstCellOfElement(i);
    if (own.x >= 0)
        DrawElement(own.x, own.y, false, false);
}

// The progress bar after column x of the columns first..last drawn.
void ColumnDone(int x, int first, int last) {
    if (last > first)
        Progress(static_cast<int>(std::nearbyint(100.0 * (x - first) / (last - first))));
    else if (last > 0)
        Progress(100);
}

// Paints the whole sheet in the order of the full redraw: the wire runs, grid dots, point
// marks, switches and IC pin marks cell by cell (columns left to right, each from the top),
// then the elements in number order, the selected clock while powered and the pin names of a
// shown IC level.
void PaintWholeSheet(DrawTarget& device) {
    // A picture of the sheet drawn into a target of its own (the bitmap export) gets the dots
    // too; paper never does.
    const bool gridDots = device.Kind() == DeviceKind::Screen && gShowGrid && !gPowerOn;
    for (int x = 0; x <= gFeldBreite; ++x) {
        const auto sx = static_cast<std::int16_t>(x);
        for (int y = 0; y <= gFeldHoehe; ++y) {
            PaintRunsAndDot(device, x, y, gridDots, false);
            if (HasMarks(gGrid(x, y)))
                DrawMarks(sx, static_cast<std::int16_t>(y));
        }
        ColumnDone(x, 0, gFeldBreite);
    }

    StatusText("Objekte werden gezeichnet ...");
    for (int i = 1; i <= gAnzElemente; ++i)
        DrawElementNr(static_cast<std::int16_t>(i));
    if (gPowerOn && gCurLevel == 0)
        SelectTimer(gAktTakt);
    ShowNamedICPinLabels();
}

// Paints what can reach a part of the sheet (a box of pixels), exactly as PaintWholeSheet
// paints it there: the same primitives in the same order (runs entering from the left or from
// above at their own places in that order), each cell's marks, each element near the part and
// the clock. Every drawer sets the pen, fill and font it draws with, so what the drawers left
// that paint elsewhere does not change a pixel here. Draws runs with the live levels while the
// circuit is on (liveLevels). The full redraw (fullRedraw) shows its progress on the way.
void PaintSheetPart(DrawTarget& device, const PixelBox& part, bool liveLevels, bool fullRedraw) {
    const CellBox r = part.Empty() ? CellBox{0, 0, -1, -1} : CellsNear(part);
    if (r.x1 > 0 && r.x1 <= r.x2) {
        std::vector<std::pair<int, int>> entering; // (start column, row), in drawing order
        for (int y = r.y1; y <= r.y2; ++y) {
            if (gGrid(r.x1 - 1, y).Rechts == 0)
                continue;
            int s = r.x1 - 1;
            while (s > 0 && gGrid(s - 1, y).Rechts != 0)
                --s;
            entering.emplace_back(s, y);
        }
        std::sort(entering.begin(), entering.end());
        for (const auto& [s, y] : entering)
            PaintRun(s, y, RunEndX(s, y), y, liveLevels);
    }
    const bool gridDots = gShowGrid && !gPowerOn;
    for (int x = r.x1; x <= r.x2; ++x) {
        const auto sx = static_cast<std::int16_t>(x);
        if (r.y1 > 0 && gGrid(x, r.y1 - 1).Unten != 0) {
            int s = r.y1 - 1;
            while (s > 0 && gGrid(x, s - 1).Unten != 0)
                --s;
            PaintRun(x, s, x, RunEndY(x, s), liveLevels);
        }
        for (int y = r.y1; y <= r.y2; ++y) {
            PaintRunsAndDot(device, x, y, gridDots, liveLevels);
            if (HasMarks(gGrid(x, y)))
                DrawMarks(sx, static_cast<std::int16_t>(y));
        }
        if (fullRedraw)
            ColumnDone(x, r.x1, r.x2);
    }

    if (fullRedraw)
        StatusText("Objekte werden gezeichnet ...");
    // The elements owning a cell near the part.
    std::vector<bool> near(static_cast<std::size_t>(std::max<int>(gAnzElemente, 0)) + 1, false);
    for (int y = r.y1; y <= r.y2; ++y)
        for (int x = r.x1; x <= r.x2; ++x) {
            const std::int16_t e = gGrid(x, y).ElementNr;
            if (e >= 1 && e <= gAnzElemente)
                near[static_cast<std::size_t>(e)] = true;
        }
    // Label texts run on over free cells, further than any symbol reaches.
    if (r.x1 <= r.x2)
        ForEachLabelOver(r, [&near](std::int16_t e) { near[static_cast<std::size_t>(e)] = true; });
    for (int i = 1; i <= gAnzElemente; ++i)
        if (near[static_cast<std::size_t>(i)])
            DrawElementNr(static_cast<std::int16_t>(i));
    if (gPowerOn && gCurLevel == 0)
        SelectTimer(gAktTakt);
    // The pin names of a shown IC level, at the places the full redraw gave them.
    ShowNamedICPinLabels();
}

// The pin-name labels of the IC being defined take their places beside their pin cells, wherever
// those lie on the sheet (the part painted places only those near it).
void PlaceICPinLabels() {
    if (gICPinLabels.size() <= 1)
        return;
    for (int y = 0; y <= gFeldHoehe; ++y)
        for (int x = 0; x <= gFeldBreite; ++x) {
            const CellRecord& c = gGrid(x, y);
            if (c.ICPin != 0 && c.ICLevel == 0) {
                auto px = static_cast<std::int16_t>(x);
                auto py = static_cast<std::int16_t>(y);
                ShowICInOut(px, py);
            }
        }
}

} // namespace

void DrawClock(std::int16_t e, bool Border) {
    if (e < 1 || e > gAnzElemente || gElements[static_cast<std::size_t>(e)].Typ != kTypeClock)
        return;
    const ElementRecord& el = gElements[static_cast<std::size_t>(e)];
    gGrafik.Orientation = el.Richtung;
    GetOutputPoints(e, 0);
    std::int16_t ax = 0;
    std::int16_t ay = 0;
    ClockAnchor(el.Richtung, ax, ay);
    // Pins that name no cell of the sheet (a damaged record) draw nothing.
    if (gGrid.Contains(ax, ay))
        gGrafik.DrawTimer(ax, ay, Border);
}

bool HasOutlineView(std::int16_t x, std::int16_t y) {
    if (!gGrid.Contains(x, y) || gGrid(x, y).Typ == kTypeSwitch)
        return false;
    const std::int16_t e = gGrid(x, y).ElementNr;
    if (e <= 0 || e > gAnzElemente)
        return false;
    const std::uint8_t typ = gElements[static_cast<std::size_t>(e)].Typ;
    return typ == kTypeAnd || typ == kTypeOr || typ == kTypeDecoder || typ == kTypeFlipFlop ||
           typ == kTypeIC;
}

void DrawElement(std::int16_t x, std::int16_t y, bool DontShowText, bool OnlyBorder) {
    if (!gGrid.Contains(x, y))
        return;
    const CellRecord& cell = gGrid(x, y);
    const std::int16_t e = cell.ElementNr;
    const bool known = e > 0 && e <= gAnzElemente;
    if (known)
        gGrafik.Orientation = gElements[static_cast<std::size_t>(e)].Richtung;
    if (cell.Typ == kTypeSwitch)
        gGrafik.DrawSwitch(x, y);
    if (!known)
        return;

    const ElementRecord& el = gElements[static_cast<std::size_t>(e)];
    const std::uint8_t typ = el.Typ;
    GetInputPoints(e, ShownLevel());
    std::int16_t ax = 0;
    std::int16_t ay = 0;
    switch (typ) {
    case kTypeLed:
        gGrafik.DrawDiode(x, y);
        break;
    case kTypeAnd:
    case kTypeOr:
    case kTypeXor:
        if (el.Text == "2") {
            TwoInputAnchor(el.Richtung, ax, ay);
        } else {
            ax = gEingangsPunkte[1].x;
            ay = gEingangsPunkte[1].y;
        }
        if (typ == kTypeAnd)
            gGrafik.DrawUnd(ax, ay, OnlyBorder);
        else if (typ == kTypeOr)
            gGrafik.DrawOder(ax, ay, OnlyBorder);
        else
            gGrafik.DrawXOder(ax, ay);
        break;
    case kTypeInverter:
        gGrafik.DrawInverter(gEingangsPunkte[0].x, gEingangsPunkte[0].y);
        break;
    case kTypeClock:
        DrawClock(e, IsSelectedClock(e));
        break;
    case kTypeHalfAdder:
        gGrafik.DrawHA(gEingangsPunkte[2].x, gEingangsPunkte[2].y);
        break;
    case kTypeFullAdder:
        gGrafik.DrawVA(gEingangsPunkte[2].x, gEingangsPunkte[2].y);
        break;
    case kTypeTriState:
        TwoInputAnchor(el.Richtung, ax, ay);
        gGrafik.DrawTriState(ax, ay);
        break;
    case kTypeMultiplexer:
        gGrafik.DrawMultiplexer(x, y);
        break;
    case kTypeDecoder:
        gGrafik.DrawDecoder(gEingangsPunkte[2].x, gEingangsPunkte[2].y, OnlyBorder);
        break;
    case kTypeFlipFlop: {
        // The drawer finds its element through the clock pin cell; when that is e, the input
        // points just read are the ones it would read.
        const GridPoint c = gEingangsPunkte[1];
        if (gGrid.Contains(c.x, c.y) && gGrid(c.x, c.y).ElementNr == e)
            gGrafik.DrawFlipFlopOfInputs(e, OnlyBorder);
        else
            gGrafik.DrawFlipFlop(c.x, c.y, OnlyBorder, false);
        break;
    }
    case kTypeShiftRegister:
        gGrafik.DrawSRegister(gEingangsPunkte[2].x, gEingangsPunkte[2].y);
        break;
    case kTypeNumberDisplay:
        gGrafik.DrawZAnzeige(x, y);
        break;
    case kTypeIC: {
        const GridPoint p = gEingangsPunkte[0];
        std::int16_t n = gAnzEingangsPunkte > 0 && gGrid.Contains(p.x, p.y)
                             ? gGrid(p.x, p.y).ICLevel
                             : std::int16_t{0};
        // An IC without pins on its package names its instance in no cell.
        if (n == 0)
            n = static_cast<std::int16_t>(ICInstanceOfElement(ShownLevel(), e));
        if (ICShown(n))
            DrawICSymbol(x, y, n, OnlyBorder);
        break;
    }
    case kTypeAnalysisPoint:
        gGrafik.DrawAnalysepunkt(x, y);
        break;
    default:
        break;
    }
    if (!DontShowText && typ == kTypeText)
        DisplayBeschriftungsText(e, "");
}

void RedrawAllElements(std::int16_t nr) {
    // Whatever redraws the whole sheet (zoom, size, level view) ends a label edit first.
    txtBeschriftung_LostFocus();
    DrawTarget* device = gGrafik.Device;
    const bool onScreen = device != nullptr && device == Screen();
    gLineRuns.Dim(gFeldBreite, gFeldHoehe);
    Progress(0);
    SelectNone();
    // What a run noted for painting again is painted by this redraw.
    if (onScreen)
        gGrafik.DropRepaints();

    if (gPowerOn && gCurLevel == 0)
        CopyLiveLevels(nr);

    if (onScreen) {
        SizeWorksheetPicture();
        HideICPinLabels();
        device->FillStyle = FillMode::Solid;
        device->FillColor = kWhite;
        device->Clear();
        gLabelTexts.clear();
    }

    StatusText("Leitungen werden gezeichnet ...");
    AnalysiereLeitungen();
    // The screen picture keeps only a window around what the viewport shows: only what can
    // reach that window is drawn. Scrolling draws the parts that come into view (RedrawPicture).
    if (device != nullptr) {
        const PixelBox kept = device->Kept();
        if (kept.Contains({0, 0, device->Width(), device->Height()})) {
            PaintWholeSheet(*device);
        } else {
            PlaceICPinLabels();
            // As drawing every element would leave it.
            if (!gInLevel && gAnzElemente > 0)
                gCurLevel = 0;
            PaintSheetPart(*device, kept, false, true);
        }
    }

    if (onScreen)
        ResizeWorksheet();
    Progress(0);
    StatusText("");
}

void RedrawPicture() {
    DrawTarget* pic = Screen();
    if (pic == nullptr || gGrid.Empty())
        return;
    const PixelBox kept = pic->Kept();
    if (kept.Empty())
        return;
    DrawTarget* saved = gGrafik.Device;
    gGrafik.Device = pic;
    pic->Clear();
    gLabelTexts.clear();
    PaintSheetPart(*pic, kept, gPowerOn && gCurLevel == 0, false);
    gGrafik.Device = saved;
    if (HostWindow* host = HostOrNull())
        host->RefreshWorksheet();
}

void DrawLabelsOver(int x1, int y1, int x2, int y2) {
    DrawTarget* pic = Screen();
    if (pic == nullptr || gGrid.Empty() || x1 > x2 || y1 > y2)
        return;
    DrawTarget* saved = gGrafik.Device;
    gGrafik.Device = pic;
    std::vector<bool> drawn(static_cast<std::size_t>(gAnzElemente) + 1, false);
    ForEachLabelOver({x1, y1, x2, y2}, [&drawn](std::int16_t e) {
        if (!drawn[static_cast<std::size_t>(e)]) {
            drawn[static_cast<std::size_t>(e)] = true;
            DrawLabel(e);
        }
    });
    gGrafik.Device = saved;
}

void RedrawArea(std::int16_t& X1, std::int16_t& Y1, std::int16_t& X2, std::int16_t& Y2,
                bool DontShowText) {
    DrawTarget* pic = Screen();
    if (pic == nullptr || gGrid.Empty())
        return;
    const auto started = std::chrono::steady_clock::now();

    // Each corner by itself; a corner beyond the guard column or row lands on the last cell of
    // the sheet, a corner on the guard itself stays.
    auto clampX = [](std::int16_t& v) {
        if (v < 0)
            v = 0;
        if (v > gFeldBreite + 1)
            v = gFeldBreite;
    };
    auto clampY = [](std::int16_t& v) {
        if (v < 0)
            v = 0;
        if (v > gFeldHoehe + 1)
            v = gFeldHoehe;
    };
    clampX(X1);
    clampY(Y1);
    clampX(X2);
    clampY(Y2);

    // The label texts on the picture that lie on the area are cleared and drawn whole, so that
    // one that moved, changed or went leaves nothing behind and one that runs on into the area
    // from outside stays whole. A text that ended less than a cell before the area may run on
    // into it now: what stopped it may have gone.
    CellBox area{X1, Y1, X2, Y2};
    const auto cs = static_cast<std::int32_t>(std::ceil(CellPixels()));
    for (bool grown = !gLabelTexts.empty(); grown;) {
        grown = false;
        PixelBox near = CellPixelBox(area);
        near.x -= cs;
        near.w += cs;
        for (const PixelBox& t : gLabelTexts) {
            const CellBox u = CellsUnder(t);
            if (!Overlap(t, near) ||
                (u.x1 >= area.x1 && u.y1 >= area.y1 && u.x2 <= area.x2 && u.y2 <= area.y2))
                continue;
            area = {std::min(area.x1, u.x1), std::min(area.y1, u.y1), std::max(area.x2, u.x2),
                    std::max(area.y2, u.y2)};
            grown = true;
        }
    }
    const PixelBox clear = CellPixelBox(area);
    // Every text noted there lies on the area now; those still on the sheet are noted again.
    std::erase_if(gLabelTexts, [&clear](const PixelBox& t) { return Overlap(t, clear); });

    // The area redraw always paints the worksheet picture, whatever the device is.
    DrawTarget* saved = gGrafik.Device;
    gGrafik.Device = pic;
    pic->FillStyle = FillMode::Solid;
    pic->FillColor = kWhite;
    pic->Line(clear.x, clear.y, clear.x + clear.w - 1, clear.y + clear.h - 1, kWhite,
              LineKind::Box);

    StatusText("Leitungen werden gezeichnet ...");
    UpdateLineRuns();

    // The grid dots first, as in the full redraw: what is drawn later (a label's text running on
    // over free cells) lies over them.
    if (gShowGrid && !gPowerOn)
        for (int x = area.x1; x <= area.x2; ++x)
            for (int y = area.y1; y <= area.y2; ++y)
                if (gGrid(x, y).Typ == kTypeEmpty)
                    pic->PSet(GridToPixel(x), GridToPixel(y), kGridDot);

    // Per element: drawn through one of its cells (kDrawnThroughCell) or as the neighbour of a
    // wire cell (kDrawnByWire).
    constexpr std::uint8_t kDrawnThroughCell = 1;
    constexpr std::uint8_t kDrawnByWire = 2;
    std::vector<std::uint8_t> drawn(static_cast<std::size_t>(gAnzElemente) + 1, 0);
    for (int x = area.x1; x <= area.x2; ++x) {
        const auto sx = static_cast<std::int16_t>(x);
        for (int y = area.y1; y <= area.y2; ++y) {
            const auto sy = static_cast<std::int16_t>(y);
            const CellRecord& c = gGrid(x, y);
            if (c.Typ == kTypeWire) {
                // Segments to the four neighbours, elements next to the wire, and the coupling
                // diodes above and to the left that the segments may have painted over.
                auto neighbour = [&](int nx, int ny, bool linked, bool diodeToo) {
                    const CellRecord& n = gGrid(nx, ny);
                    const auto snx = static_cast<std::int16_t>(nx);
                    const auto sny = static_cast<std::int16_t>(ny);
                    if (linked)
                        gGrafik.PaintLine(sx, sy, snx, sny, false);
                    if (n.Typ != kTypeEmpty && n.Typ != kTypeWire) {
                        DrawElement(snx, sny, false, false);
                        if (n.ElementNr >= 1 && n.ElementNr <= gAnzElemente)
                            drawn[static_cast<std::size_t>(n.ElementNr)] |= kDrawnByWire;
                    }
                    if (diodeToo && n.Typ == kTypeWire && n.Punkt == kPointDiode)
                        SetKoppeldiodeAt(snx, sny, true);
                };
                if (y < gFeldHoehe)
                    neighbour(x, y + 1, c.Unten && gGrid(x, y + 1).Oben, false);
                if (y > 0)
                    neighbour(x, y - 1, c.Oben && gGrid(x, y - 1).Unten, true);
                if (x < gFeldBreite)
                    neighbour(x + 1, y, c.Rechts && gGrid(x + 1, y).Links, false);
                if (x > 0)
                    neighbour(x - 1, y, c.Links && gGrid(x - 1, y).Rechts, true);
                DrawPointMark(sx, sy);
            }
            if (c.ICPin != 0 && c.ICLevel == 0)
                DrawICPinMark(sx, sy);
            const std::int16_t e = c.ElementNr;
            if (e >= 1 && e <= gAnzElemente &&
                (drawn[static_cast<std::size_t>(e)] & kDrawnThroughCell) == 0) {
                drawn[static_cast<std::size_t>(e)] |= kDrawnThroughCell;
                gGrafik.Orientation = gElements[static_cast<std::size_t>(e)].Richtung;
                DrawElement(sx, sy, DontShowText, false);
            }
        }
    }
    // The cleared box reaches a pixel into the cells around the area, and at a cell size that is
    // not a whole number of pixels a symbol reaches a pixel past its cells, so the box may take
    // pixels of what the cells around the area hold: that is drawn again. Not their grid dots,
    // which lie at their centres outside the box, nor label texts: a text the box met grew the
    // area to take its label in.
    const CellBox touched{std::max(0, area.x1 - 1), std::max(0, area.y1 - 1),
                          std::min<int>(gFeldBreite, area.x2 + 1),
                          std::min<int>(gFeldHoehe, area.y2 + 1)};
    for (int x = touched.x1; x <= touched.x2; ++x) {
        const auto sx = static_cast<std::int16_t>(x);
        for (int y = touched.y1; y <= touched.y2; ++y) {
            if (x >= area.x1 && x <= area.x2 && y >= area.y1 && y <= area.y2) {
                y = area.y2; // on past the area's own cells
                continue;
            }
            const auto sy = static_cast<std::int16_t>(y);
            const CellRecord& c = gGrid(x, y);
            if (c.Typ == kTypeWire)
                DrawPointMark(sx, sy);
            if (c.ICPin != 0 && c.ICLevel == 0)
                DrawICPinMark(sx, sy);
            const std::int16_t e = c.ElementNr;
            if (e >= 1 && e <= gAnzElemente && drawn[static_cast<std::size_t>(e)] == 0) {
                drawn[static_cast<std::size_t>(e)] = kDrawnThroughCell;
                gGrafik.Orientation = gElements[static_cast<std::size_t>(e)].Richtung;
                DrawElement(sx, sy, true, false);
            }
        }
    }
    gGrafik.Device = saved;

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    char text[32];
    std::snprintf(text, sizeof text, "%g", seconds);
    if (HostWindow* host = HostOrNull()) {
        host->SetCaption(ctl::lblTime, text);
        host->RefreshWorksheet();
    }
}

} // namespace kardo
