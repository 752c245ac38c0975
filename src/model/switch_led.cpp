// Placing and removing switches and light-emitting diodes, one cell each on the wire network.
#include "model/basic_elements.h"
#include "model/grid.h"
#include "model/placement.h"
#include "model/undo.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "render/redraw.h"

#include <cmath>

namespace kardo {

namespace {

std::uint8_t TypAt(int x, int y) { return gGrid.Contains(x, y) ? gGrid(x, y).Typ : kTypeEmpty; }

// The cell is not on the sheet's outer columns or rows.
bool Inside(int x, int y) { return x > 0 && x < gFeldBreite && y > 0 && y < gFeldHoehe; }

void RecordAround(int x, int y, std::string_view text) {
    gUndo.NewUndoValue(static_cast<std::int16_t>(x - 1), static_cast<std::int16_t>(y - 1),
                       static_cast<std::int16_t>(x + 1), static_cast<std::int16_t>(y + 1), text);
}

void RedrawAround(int x, int y) {
    RedrawAreaValue(static_cast<std::int16_t>(x - 1), static_cast<std::int16_t>(y - 1),
                    static_cast<std::int16_t>(x + 1), static_cast<std::int16_t>(y + 1), false);
}

} // namespace

void SetSwitch() {
    const int X = gCursorX;
    const int Y = gCursorY;
    if (!Inside(X, Y))
        return;
    CellRecord& c = gGrid(X, Y);
    if (c.Typ != kTypeWire || WireFlagCount(c) >= 2 || !RoomForElement())
        return;
    RecordAround(X, Y, "Schalter setzen");
    ElementRecord& e = AppendElement(kTypeSwitch);
    e.Richtung = kRight; // a switch has no orientation of its own
    e.Eingaenge = PinEntry(X, Y);
    e.Ausgaenge = PinEntry(X, Y);
    c.Typ = kTypeSwitch;
    c.ElementNr = e.Nr;
    gGrafik.DrawSwitch(static_cast<std::int16_t>(X), static_cast<std::int16_t>(Y));
}

void RemoveSwitch() {
    const int X = gCursorX;
    const int Y = gCursorY;
    CellRecord& c = gGrid(X, Y);
    if (c.Typ != kTypeSwitch || c.ElementNr < 1)
        return;
    RecordAround(X, Y, "Schalter löschen");
    DeleteElementRecord(c.ElementNr);
    // The switch's wire stays; a switch whose wire was cut away leaves an empty cell.
    c.Typ = WireFlagCount(c) > 0 ? kTypeWire : kTypeEmpty;
    c.ElementNr = 0;
    if (c.Typ == kTypeEmpty)
        c.Punkt = kPointNone;
    RedrawAround(X, Y);
}

void SetDiode() {
    const int X = gCursorX;
    const int Y = gCursorY;
    if (!Inside(X, Y))
        return;
    if (gGrid(X, Y).Typ != kTypeEmpty && gGrid(X, Y).Typ != kTypeWire &&
        gGrid(X, Y).Typ != kTypeLed)
        return;
    CellRecord& c = gGrid(X, Y);
    const bool onLed = c.ElementNr >= 1 && c.ElementNr <= gAnzElemente &&
                       gElements[static_cast<std::size_t>(c.ElementNr)].Typ == kTypeLed;
    if (!onLed && !RoomForElement())
        return;
    RecordAround(X, Y, "Diode setzen");
    c.Typ = kTypeLed;
    // Neighbouring LEDs are joined as if a wire ran between them.
    if (gGrid(X - 1, Y).Typ == kTypeLed)
        c.Links = gGrid(X - 1, Y).Rechts = kTrue;
    if (gGrid(X + 1, Y).Typ == kTypeLed)
        c.Rechts = gGrid(X + 1, Y).Links = kTrue;
    if (gGrid(X, Y - 1).Typ == kTypeLed)
        c.Oben = gGrid(X, Y - 1).Unten = kTrue;
    if (gGrid(X, Y + 1).Typ == kTypeLed)
        c.Unten = gGrid(X, Y + 1).Oben = kTrue;
    c.Punkt = kPointConnection;
    if (onLed) {
        // Placed again on an LED: the LED keeps its record and takes the new colour, so no
        // record is left without a cell.
        gElements[static_cast<std::size_t>(c.ElementNr)].Farbe = gFarbe;
    } else {
        ElementRecord& e = AppendElement(kTypeLed);
        e.Richtung = 0;
        e.Eingaenge = PinEntry(X, Y);
        e.Farbe = gFarbe;
        c.ElementNr = e.Nr;
    }
    gGrafik.DrawDiode(static_cast<std::int16_t>(X), static_cast<std::int16_t>(Y));
}

void RemoveDiode() {
    const int X = gCursorX;
    const int Y = gCursorY;
    if (gGrid(X, Y).Typ != kTypeLed || gGrid(X, Y).ElementNr < 1)
        return;
    if (DrawTarget* screen = gPlatform ? gPlatform->screen : nullptr) {
        const double px = GridToPixel(X);
        const double py = GridToPixel(Y);
        const double s =
            std::nearbyint(static_cast<double>(gRaster) * static_cast<double>(gGrafik.GridMode));
        constexpr Color kWhite = Rgb(255, 255, 255);
        screen->FillStyle = FillMode::Solid;
        screen->FillColor = kWhite;
        screen->Line(px - s, py - s, px + s, py + s, kWhite, LineKind::Box);
    }
    RecordAround(X, Y, "Diode löschen");
    DeleteElementRecord(gGrid(X, Y).ElementNr);
    // The cell stays a wire cell where a wire or a pin still joins it, keeping the flags its
    // neighbours answer. Otherwise it is emptied, and the LEDs joined to it lose their flag
    // towards it: no flag may lead into an empty cell.
    struct Side {
        int dx, dy;
        CellFlag CellRecord::*flag;
        CellFlag CellRecord::*back;
    };
    static constexpr Side kSides[] = {{-1, 0, &CellRecord::Links, &CellRecord::Rechts},
                                      {1, 0, &CellRecord::Rechts, &CellRecord::Links},
                                      {0, -1, &CellRecord::Oben, &CellRecord::Unten},
                                      {0, 1, &CellRecord::Unten, &CellRecord::Oben}};
    CellRecord& c = gGrid(X, Y);
    bool joined = false;
    for (const Side& s : kSides) {
        const std::uint8_t t = TypAt(X + s.dx, Y + s.dy);
        if (c.*s.flag != 0 && t != kTypeEmpty && t != kTypeLed &&
            gGrid(X + s.dx, Y + s.dy).*s.back != 0)
            joined = true;
    }
    for (const Side& s : kSides) {
        if (!gGrid.Contains(X + s.dx, Y + s.dy))
            continue;
        CellRecord& n = gGrid(X + s.dx, Y + s.dy);
        if (joined && n.*s.back == 0)
            c.*s.flag = kFalse;
        else if (!joined)
            n.*s.back = kFalse;
    }
    if (joined) {
        c.Typ = kTypeWire;
        c.ElementNr = 0;
        c.Punkt = 0;
    } else {
        ClearCell(X, Y);
    }
    RedrawAround(X, Y);
}

} // namespace kardo
