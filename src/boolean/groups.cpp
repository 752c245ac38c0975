// Placing a synthesised circuit. Every wire is committed through the wire tool's SetLines with
// its band laid out as a mouse gesture would leave it and automatic connection points off, so
// that crossings stay unjoined; connection points are set only where a feed leaves a bus.
#include "boolean/groups.h"

#include "app/control_rules.h"
#include "editor/gesture_state.h"
#include "editor/overlays.h"
#include "editor/text_labels.h"
#include "editor/wire_tool.h"
#include "model/basic_elements.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/placement.h"
#include "model/wire_points.h"
#include "platform/control_names.h"
#include "platform/platform.h"

#include <string>
#include <vector>

namespace kardo {

namespace {

void SetCursor(PlanCell c) {
    gCursorX = static_cast<std::int16_t>(c.x);
    gCursorY = static_cast<std::int16_t>(c.y);
}

// Commits one wire as a band: both legs' end points where the band would have them, exactly
// one of PullH and PullV set.
void LayWire(const PlanWire& w) {
    OverlayLine& h = gOverlays.LeitungH;
    OverlayLine& v = gOverlays.LeitungV;
    const int x1 = GridToPixel(w.from.x);
    const int y1 = GridToPixel(w.from.y);
    const int x2 = GridToPixel(w.to.x);
    const int y2 = GridToPixel(w.to.y);
    if (w.horizontalFirst) {
        h.X1 = x1;
        h.Y1 = h.Y2 = y1;
        h.X2 = v.X1 = v.X2 = x2;
        v.Y1 = y1;
        v.Y2 = y2;
    } else {
        v.X1 = v.X2 = h.X1 = x1;
        v.Y1 = y1;
        v.Y2 = h.Y1 = h.Y2 = y2;
        h.X2 = x2;
    }
    gGesture.PullH = w.horizontalFirst;
    gGesture.PullV = !w.horizontalFirst;
    SetLines();
}

// What the placing operations read besides the cursor, kept and given back around a synthesis.
struct PlacingInputs {
    std::uint8_t orientation = gOrientierung;
    std::int32_t colour = gFarbe;
    std::int16_t autoConnect = gAutoVerbindung;
    std::string inputs = Host().Caption(ctl::txtAnschluesse);
    std::int16_t cursorX = gCursorX;
    std::int16_t cursorY = gCursorY;
    GestureState gesture = gGesture;
    OverlayLine bandH = gOverlays.LeitungH;
    OverlayLine bandV = gOverlays.LeitungV;

    ~PlacingInputs() {
        gOrientierung = orientation;
        gFarbe = colour;
        gAutoVerbindung = autoConnect;
        Host().SetCaption(ctl::txtAnschluesse, inputs);
        gCursorX = cursorX;
        gCursorY = cursorY;
        gGesture = gesture;
        gOverlays.LeitungH = bandH;
        gOverlays.LeitungV = bandV;
    }
};

// The element kinds Place puts on the sheet, besides the wires and labels that the function lock
// leaves alone.
std::vector<std::uint8_t> PlacedKinds(const SynthesisPlan& plan) {
    std::vector<std::uint8_t> kinds{kTypeSwitch, kTypeLed};
    if (plan.hasInverter)
        kinds.push_back(kTypeInverter);
    for (const PlanGate& gate : plan.gates)
        kinds.push_back(gate.typ);
    return kinds;
}

} // namespace

void ReportTermError(const TermError& error) {
    Host().MessageBox(TermErrorText(error), MsgButtons::Ok, MsgIcon::Exclamation, "Fehler im Term");
}

std::string SynthesisTooLargeText(int width, int height) {
    return "Die Schaltung für diesen Term braucht ein Arbeitsfeld von " + std::to_string(width) +
           " x " + std::to_string(height) + " Feldern.\r\nDas Arbeitsfeld kann höchstens " +
           std::to_string(kMaxSynthesisSheet) + " x " + std::to_string(kMaxSynthesisSheet) +
           " Felder groß sein.";
}

bool clsGroups::Prepare() {
    m_errorPosition = 0;
    TermCheck check = CheckTerm(Term);
    if (!check.ok) {
        m_errorPosition = check.error.position;
        ReportTermError(check.error);
        return false;
    }
    m_tree = std::move(check.tree);
    const SynthesisSpacing spacing{
        AbstandBreite, AbstandHoehe, AbstandSchaltungX, AbstandSchaltungY, AbstandVariablen,
        StartX,        StartY};
    m_plan = PlanSynthesis(m_tree, spacing);
    if (m_plan.width > kMaxSynthesisSheet || m_plan.height > kMaxSynthesisSheet) {
        Host().MessageBox(SynthesisTooLargeText(m_plan.width, m_plan.height), MsgButtons::Ok,
                          MsgIcon::Exclamation, "Schaltungssynthese");
        return false;
    }
    if (const std::string locked = LockedComponents(PlacedKinds(m_plan)); !locked.empty()) {
        Host().MessageBox("Die Schaltung für diesen Term braucht gesperrte Bauelemente:\r\n" +
                              locked + "\r\n\r\nSie wird nicht erstellt.",
                          MsgButtons::Ok, MsgIcon::Exclamation, "Schaltungssynthese");
        return false;
    }
    return true;
}

bool clsGroups::CreateGroups() {
    if (!Prepare())
        return false;
    Place();
    return true;
}

void clsGroups::Place() {
    const PlacingInputs kept;
    gAutoVerbindung = kFalse;
    gOrientierung = kRight;

    // Buses, then the switches on their top ends and the names above them.
    const std::size_t busCount = m_plan.variables.size();
    for (std::size_t i = 0; i < busCount; ++i)
        LayWire(m_plan.wires[i]);
    for (const PlanVariable& v : m_plan.variables) {
        SetCursor({v.column, m_plan.switchRow});
        SetSwitch();
        InitTextBox(static_cast<std::int16_t>(v.column),
                    static_cast<std::int16_t>(m_plan.switchRow - 1), std::string(1, v.letter));
    }

    for (const PlanGate& gate : m_plan.gates) {
        Host().SetCaption(ctl::txtAnschluesse, std::to_string(gate.inputs));
        SetCursor(gate.Cursor());
        SetUndOderXOder(gate.typ);
    }
    if (m_plan.hasInverter) {
        SetCursor(m_plan.inverter);
        SetInverter();
    }

    for (std::size_t i = busCount; i < m_plan.wires.size(); ++i)
        LayWire(m_plan.wires[i]);
    for (const PlanCell& c : m_plan.connections)
        SetVerbindungspunktAt(static_cast<std::int16_t>(c.x), static_cast<std::int16_t>(c.y),
                              false);
    for (const PlanCell& c : m_plan.negations) {
        SetCursor(c);
        SetNegationsPunkt();
    }

    gFarbe = 255; // red
    SetCursor(m_plan.led);
    SetDiode();
}

} // namespace kardo
