// Timed wait, error messages, status text, the saved editing tool and the drag outlines.
#include "model/utilities.h"

#include "model/elements.h"
#include "model/grid.h"
#include "platform/control_names.h"
#include "platform/platform.h"

#include <cmath>

namespace kardo {

std::uint8_t gMouseMode = kToolWire;
std::uint8_t gSavedMouseMode = 0;
int gSavedMousePointer = kPointerDefault;
std::string gSavedToolKey;
std::int16_t gSavedToolButton = 0;
std::array<std::int16_t, 8> gPropertyFlags{};
std::vector<MoveShape> gMoveShapes(1);

const std::array<std::string_view, 20> kToolbar2Keys = {ctl::cmdSelect,
                                                        ctl::cmdText,
                                                        ctl::cmdLeitungen,
                                                        ctl::cmdDiode,
                                                        ctl::cmdSchalter,
                                                        ctl::cmdInverter,
                                                        ctl::cmdVerbindungspunkt,
                                                        ctl::cmdKoppeldiode,
                                                        ctl::cmdNegationspunkt,
                                                        ctl::cmdAnalysepunkt,
                                                        ctl::cmdUND,
                                                        ctl::cmdODER,
                                                        ctl::cmdXODER,
                                                        ctl::cmdHA,
                                                        ctl::cmdVA,
                                                        ctl::cmdTriState,
                                                        ctl::cmdDecoder,
                                                        ctl::cmdDecoderT,
                                                        ctl::cmdKomplex,
                                                        ctl::cmdIC};

namespace {

constexpr std::string_view kWireKey = ctl::cmdLeitungen;
constexpr std::int16_t kWireButton = 3;
constexpr std::string_view kCrLf = "\r\n";

// Message text of an error number for the numbered message box.
std::string ErrorMessage(int n) {
    switch (n) {
    case 32755:
        return "Abbruch durch Benutzer.";
    case 20477:
        return "Ungültiger Dateiname.";
    case 20478:
    case 32752:
    case 32757:
    case 32758:
        return "Speicherreservierungsfehler.";
    case 28667:
        return "Druckertreiber konnte nicht" + std::string(kCrLf) + "geladen werden.";
    case 28663:
        return "Kein Standarddrucker vorhanden.";
    case 28664:
        return "Druckertreiber nicht gefunden.";
    case 28666:
        return "Druckertreiber konnte DevMode-Struktur" + std::string(kCrLf) +
               "nicht initialisieren.";
    case 28669:
        return "Fehler in WIN.INI," + std::string(kCrLf) + "Abschnitt [devices]";
    case 28660:
        return "Fehler in WIN.INI bei [devices]:" + std::string(kCrLf) +
               "Drucker ist nicht eingetragen";
    default:
        return n >= 101 ? "Datei kann nicht geladen werden." : "";
    }
}

// The tools whose elements have no orientation of their own.
bool ToolWithoutOrientation(std::uint8_t tool) {
    return tool == kToolSelect || tool == kToolWire || tool == kTypeLed || tool == kTypeSwitch ||
           tool == kTypeNumberDisplay || tool == kTypeIC;
}

std::string OrientationButton(int i) { return ctl::tlbOrientation(i); }

} // namespace

void ResetToolState() {
    gMouseMode = kToolWire;
    gSavedMouseMode = 0;
    gSavedMousePointer = kPointerDefault;
    gSavedToolKey.clear();
    gSavedToolButton = 0;
    gPropertyFlags = {};
    gMoveShapes.assign(1, MoveShape{});
}

void Wait(double seconds, bool noEvents) {
    MessagePump& pump = Pump();
    // The pump's clock is monotonic, so a wait across midnight ends on time.
    const std::int64_t start = pump.NowMs();
    const double limitMs = seconds * 1000.0;
    // The wait ends at the first whole millisecond beyond the limit; until then the pump sleeps
    // between events instead of asking for them over and over.
    const std::int64_t deadline = start + static_cast<std::int64_t>(std::floor(limitMs)) + 1;
    while (static_cast<double>(pump.NowMs() - start) <= limitMs) {
        if (noEvents)
            pump.Idle();
        else
            pump.WaitForEvents(deadline);
    }
}

void ShowErrorText(int errorNumber) {
    const int n = errorNumber;
    if (n == 53) {
        Host().MessageBox("Fehler 53:" + std::string(kCrLf) + "Datei nicht gefunden",
                          MsgButtons::Ok, MsgIcon::Exclamation, "");
        return;
    }
    if (n >= 11) {
        // The error number is shown with a blank before it, the form of a printed positive
        // number.
        Host().MessageBox("Fehler # " + std::to_string(n) + std::string(kCrLf) + ErrorMessage(n),
                          MsgButtons::Ok, MsgIcon::Exclamation, "");
        return;
    }
    if (n == 1)
        SetStatusText("Bitte klicken Sie auf ein Leitungsende.");
    if (n == 2)
        SetStatusText("Das Bauteil darf nicht aus dem Schaltfeld herausragen.");
}

void SetStatusText(std::string_view text) { Host().SetStatusText(2, text); }

void SaveToolState() {
    HostWindow& host = Host();
    gSavedMouseMode = gMouseMode;
    gSavedMousePointer = host.MousePointer();
    gSavedToolKey.clear();
    gSavedToolButton = 0;
    for (std::size_t i = 0; i < kToolbar2Keys.size(); ++i) {
        if (host.IsChecked(kToolbar2Keys[i])) {
            gSavedToolKey = std::string(kToolbar2Keys[i]);
            gSavedToolButton = static_cast<std::int16_t>(i + 1);
        }
    }
    if (gSavedToolKey.empty()) {
        gSavedToolKey = std::string(kWireKey);
        gSavedToolButton = kWireButton;
    }
}

void RestoreToolState() {
    HostWindow& host = Host();
    gMouseMode = gSavedMouseMode;
    host.SetMousePointer(gSavedMousePointer);
    for (std::size_t i = 0; i < kToolbar2Keys.size(); ++i) {
        const std::string_view key = kToolbar2Keys[i];
        if (key == gSavedToolKey || static_cast<int>(i + 1) == gSavedToolButton)
            host.SetChecked(key, true);
        else if (host.IsChecked(key))
            host.SetChecked(key, false);
    }
    const bool noOrientation = ToolWithoutOrientation(gMouseMode);
    const bool enabled = host.IsEnabled(OrientationButton(1));
    if (noOrientation && enabled) {
        for (int i = 1; i <= 4; ++i)
            host.SetEnabled(OrientationButton(i), false);
    } else if (!noOrientation && !enabled) {
        for (int i = 1; i <= 4; ++i)
            host.SetEnabled(OrientationButton(i), true);
    }
    host.ChangePropertyWindow(gPropertyFlags);
}

MoveShape SetMoveShape(std::int16_t elementNr, std::int16_t slot) {
    const double c = std::nearbyint(static_cast<double>(kGridScale.GridPixel) *
                                    static_cast<double>(kGridScale.GridMode));
    auto P = [](int v) { return static_cast<double>(GridToPixel(v)); };
    const int sx = SearchElementStartX(elementNr);
    const int ex = SearchElementEndX(elementNr);
    const int sy = SearchElementStartY(elementNr);
    const int ey = SearchElementEndY(elementNr);
    std::uint8_t typ = 0;
    std::uint8_t o = 0;
    if (elementNr >= 1 && elementNr <= gAnzElemente) {
        typ = gElements[static_cast<std::size_t>(elementNr)].Typ;
        o = gElements[static_cast<std::size_t>(elementNr)].Richtung;
    }
    const bool vertical = o == kUp || o == kDown;
    double x = P(sx);
    double y = P(sy);
    double w = P(ex - sx) - c / 2;
    double h = P(ey - sy) - c / 2;
    switch (typ) {
    case kTypeAnd:
    case kTypeOr:
    case kTypeXor:
    case kTypeTriState:
    case kTypeHalfAdder:
    case kTypeFullAdder:
    case kTypeShiftRegister:
    case kTypeClock:
        if (vertical) {
            x = P(sx) - c / 4;
            w = P(ex - sx);
        } else {
            y = P(sy) - c / 4;
            h = P(ey - sy);
        }
        break;
    case kTypeFlipFlop:
        if (vertical) {
            x = P(sx) - c / 2;
            w = P(ex - sx) + c / 2;
        } else {
            y = P(sy) - c / 2;
            h = P(ey - sy) + c / 2;
        }
        break;
    case kTypeMultiplexer:
        if (vertical) {
            x = P(sx) - c / 3;
            w = P(ex - sx);
        } else {
            h = P(ey - sy);
        }
        break;
    case kTypeInverter:
        if (vertical) {
            x = P(sx) - c / 3;
            w = P(1) - c / 1.5;
            h = P(1) - c / 2;
        } else {
            y = P(sy) - c / 3;
            w = P(1) - c / 2;
            h = P(1) - c / 1.5;
        }
        break;
    case kTypeLed:
    case kTypeSwitch:
        x = P(sx) - c / 2;
        y = P(sy) - c / 2;
        w = P(1) - c / 2;
        h = P(1) - c / 2;
        break;
    default:
        break;
    }
    MoveShape shape{static_cast<std::int16_t>(std::nearbyint(x)),
                    static_cast<std::int16_t>(std::nearbyint(y)),
                    static_cast<int>(std::nearbyint(w)), static_cast<int>(std::nearbyint(h))};
    if (slot >= 1) {
        if (gMoveShapes.size() <= static_cast<std::size_t>(slot))
            gMoveShapes.resize(static_cast<std::size_t>(slot) + 1);
        gMoveShapes[static_cast<std::size_t>(slot)] = shape;
    }
    return shape;
}

} // namespace kardo
