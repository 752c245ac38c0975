// Selection by click and removal of the element at a cell. Object moves and the context menu
// come with the selection markers; until then a press of the select tool only clears the
// selection.
#include "editor/object_select.h"

#include "editor/selection.h"
#include "model/basic_elements.h"
#include "model/block_elements.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/pin_points.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "model/wire_points.h"

#include <string>

namespace kardo {

bool ObjectSelected(std::int16_t ObjNr) {
    if (ObjNr == 0)
        return false;
    const std::string s = std::to_string(ObjNr) + ";";
    return gSelection.starts_with(s) || gSelection.find(";" + s) != std::string::npos;
}

// Keeps the selection text and count; the corner markers come with the selection display.
void SelectObject(std::int16_t ObjNr) {
    if (ObjNr <= 0 || ObjectSelected(ObjNr))
        return;
    gSelection += std::to_string(ObjNr) + ";";
    ++gSelCount;
}

// A press of the select tool clears the selection unless Shift or Ctrl is held; elements are
// neither dragged nor framed yet.
void SelectToolPress(int Shift) {
    if (Shift == 0)
        SelectNone();
}

// The context menu comes with the menus of the main window; the tool goes back to select at the
// next press.
void ShowPopupMenu() {}

// No object move is started yet; the tool goes back to select.
void PasteObjects(bool) { gMouseMode = kToolSelect; }

void RemoveElement(std::int16_t& PosX, std::int16_t& PosY) {
    if (!gGrid.Contains(PosX, PosY))
        return;
    const CellRecord& cell = gGrid(PosX, PosY);
    if (cell.Typ == kTypeEmpty || gMouseMode == kToolPowered || gPowerOn)
        return;
    if (cell.ElementNr != 0) {
        GetInputPoints(cell.ElementNr, 0);
        GetOutputPoints(cell.ElementNr, 0);
    }
    if (cell.Typ == kTypeWire) {
        if (cell.Punkt == kPointConnection)
            RemoveVerbindungspunkt(PosX, PosY);
        return;
    }
    switch (cell.Typ) {
    case kTypeLed:
        RemoveDiode();
        break;
    case kTypeSwitch:
        RemoveSwitch();
        break;
    case kTypeAnd:
    case kTypeOr:
    case kTypeXor:
        RemoveUndOderXOder();
        break;
    case kTypeInverter:
        RemoveInverter();
        break;
    case kTypeClock:
        RemoveTimer();
        break;
    case kTypeHalfAdder:
    case kTypeFullAdder:
        RemoveHAVA();
        break;
    case kTypeTriState:
        RemoveTriState();
        break;
    case kTypeMultiplexer:
        RemoveMultiplexer();
        break;
    case kTypeDecoder:
        RemoveDecoder();
        break;
    case kTypeFlipFlop:
        RemoveFlipFlop();
        break;
    case kTypeShiftRegister:
        RemoveSRegister();
        break;
    case kTypeNumberDisplay:
        RemoveZAnzeige();
        break;
    case kTypeIC:
        if (gUndoRemoveIC != nullptr)
            gUndoRemoveIC();
        break;
    case kTypeText:
        RemoveText();
        break;
    case kTypeAnalysisPoint:
        RemoveAnalysepunkt();
        break;
    default:
        break;
    }
}

} // namespace kardo
