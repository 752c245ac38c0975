// Element-draw dispatch, full redraw and area redraw of the worksheet picture. All three run to
// their end without yielding to the event loop.
#include "render/redraw.h"

#include "editor/ic_pin_hooks.h"
#include "editor/line_runs.h"
#include "editor/panel_hooks.h"
#include "editor/selection.h"
#include "editor/text_labels.h"
#include "files/ic_instances.h"
#include "ic/ic_view.h"
#include "model/clock_tables.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/pin_points.h"
#include "model/sim_levels.h"
#include "model/wire_points.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "render/view.h"

#include <chrono>
#include <cmath>
#include <cstdio>
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

void CopyLiveLevels(std::int16_t nr) {
    if (nr < 0 || static_cast<std::size_t>(nr) >= gLevels.size())
        return;
    const Grid& live = gLevels[static_cast<std::size_t>(nr)].Feld;
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y) {
            CellRecord& c = gGrid(x, y);
            if (c.Typ == kTypeEmpty || !live.Contains(x, y))
                continue;
            const CellRecord& l = live(x, y);
            c.Pegel = l.Pegel;
            c.PegelH = l.PegelH;
            c.PegelV = l.PegelV;
        }
    }
}

} // namespace

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
        GetOutputPoints(e, 0);
        ClockAnchor(el.Richtung, ax, ay);
        gGrafik.DrawTimer(ax, ay, IsSelectedClock(e));
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
        const std::int16_t n = gGrid.Contains(p.x, p.y) ? gGrid(p.x, p.y).ICLevel : 0;
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

    if (gPowerOn && gCurLevel == 0)
        CopyLiveLevels(nr);

    if (onScreen) {
        SizeWorksheetPicture();
        HideICPinLabels();
        device->FillStyle = FillMode::Solid;
        device->FillColor = kWhite;
        device->Clear();
    }

    StatusText("Leitungen werden gezeichnet ...");
    AnalysiereLeitungen();
    // A picture of the sheet drawn into a target of its own (the bitmap export) gets the dots
    // too; paper never does.
    const bool gridDots =
        device != nullptr && device->Kind() == DeviceKind::Screen && gShowGrid && !gPowerOn;
    for (int x = 0; x <= gFeldBreite; ++x) {
        const auto sx = static_cast<std::int16_t>(x);
        for (int y = 0; y <= gFeldHoehe; ++y) {
            auto sy = static_cast<std::int16_t>(y);
            const LineRunRecord& run = gLineRuns(x, y);
            if (run.EndX != 0)
                gGrafik.PaintLine(sx, sy, run.EndX, sy, false);
            if (run.EndY != 0)
                gGrafik.PaintLine(sx, sy, sx, run.EndY, false);
            const CellRecord& c = gGrid(x, y);
            if (gridDots && (c.Typ == kTypeEmpty || c.Typ == kTypeWire))
                device->SetPixel(GridToPixel(x), GridToPixel(y), kGridDot);
            if (c.Typ == kTypeWire)
                DrawPointMark(sx, sy);
            if (c.Typ == kTypeSwitch)
                gGrafik.DrawSwitch(sx, sy);
            if (c.ICPin != 0 && c.ICLevel == 0) {
                auto px = sx;
                ShowICInOut(px, sy);
                DrawICPinMark(sx, sy);
            }
        }
        if (gFeldBreite > 0)
            Progress(static_cast<int>(std::nearbyint(100.0 * x / gFeldBreite)));
    }

    StatusText("Objekte werden gezeichnet ...");
    for (std::int16_t i = 1; i <= gAnzElemente; ++i) {
        if (!gInLevel)
            gCurLevel = 0;
        GetInputPoints(i, gCurLevel);
        DrawElement(gEingangsPunkte[0].x, gEingangsPunkte[0].y, false, false);
    }

    if (gPowerOn && gCurLevel == 0)
        SelectTimer(gAktTakt);
    ShowNamedICPinLabels();
    if (onScreen)
        ResizeWorksheet();
    Progress(0);
    StatusText("");
}

void RedrawArea(std::int16_t& X1, std::int16_t& Y1, std::int16_t& X2, std::int16_t& Y2,
                bool DontShowText) {
    DrawTarget* pic = Screen();
    if (pic == nullptr || gGrid.Empty())
        return;
    const auto started = std::chrono::steady_clock::now();
    const double r = std::nearbyint(14.0 * static_cast<double>(gGrafik.GridMode) / 2.0);

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

    // The area redraw always paints the worksheet picture, whatever the device is.
    DrawTarget* saved = gGrafik.Device;
    gGrafik.Device = pic;
    pic->FillStyle = FillMode::Solid;
    pic->FillColor = kWhite;
    pic->Line(GridToPixel(X1) - r, GridToPixel(Y1) - r, GridToPixel(X2) + r, GridToPixel(Y2) + r,
              kWhite, LineKind::Box);

    StatusText("Leitungen werden gezeichnet ...");
    UpdateLineRuns();

    std::vector<bool> drawn(static_cast<std::size_t>(gAnzElemente) + 1, false);
    for (int x = X1; x <= X2; ++x) {
        const auto sx = static_cast<std::int16_t>(x);
        for (int y = Y1; y <= Y2; ++y) {
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
                    if (n.Typ != kTypeEmpty && n.Typ != kTypeWire)
                        DrawElement(snx, sny, false, false);
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
            if (e >= 1 && e <= gAnzElemente && !drawn[static_cast<std::size_t>(e)]) {
                drawn[static_cast<std::size_t>(e)] = true;
                gGrafik.Orientation = gElements[static_cast<std::size_t>(e)].Richtung;
                DrawElement(sx, sy, DontShowText, false);
            }
            if (c.Typ == kTypeEmpty && gShowGrid && !gPowerOn)
                pic->PSet(GridToPixel(x), GridToPixel(y), kGridDot);
        }
    }
    gGrafik.Device = saved;

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    char text[32];
    std::snprintf(text, sizeof text, "%g", seconds);
    if (HostWindow* host = HostOrNull()) {
        host->SetCaption("lblTime", text);
        host->RefreshWorksheet();
    }
}

} // namespace kardo
