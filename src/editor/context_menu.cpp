// The context menu of an element: its entries by the kind of cell under the cursor and their
// commands.
#include "editor/context_menu.h"

#include "editor/object_select.h"
#include "editor/selection.h"
#include "editor/text_labels.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/pin_points.h"
#include "model/utilities.h"
#include "model/wire_points.h"
#include "platform/control_names.h"
#include "platform/platform.h"

#include <array>
#include <string>

namespace kardo {

namespace {

std::string Entry(int index) { return ctl::mPopup(index); }

bool NegatableKind(std::uint8_t t) {
    return t == kTypeAnd || t == kTypeOr || t == kTypeXor || t == kTypeFlipFlop;
}

// The cell is the flip-flop's first or third input point (its two data inputs).
bool FlipFlopDataInput(std::int16_t n, int x, int y) {
    GetInputPoints(n, 0);
    for (int i : {0, 2}) {
        if (i >= gAnzEingangsPunkte)
            continue;
        const GridPoint p = gEingangsPunkte[static_cast<std::size_t>(i)];
        if (p.x == x && p.y == y)
            return true;
    }
    return false;
}

} // namespace

void ShowPopupMenu() {
    const int x = gCursorX, y = gCursorY;
    const CellRecord& cell = gGrid(x, y);
    const std::uint8_t t = cell.Typ;
    std::array<bool, 10> shown{}; // by entry index 3..9
    for (int i = 3; i <= 8; ++i)
        shown[static_cast<std::size_t>(i)] = true;
    shown[5] = shown[6] = false;
    const bool pin = t >= 2 && IsElementConnection(x, y);
    if (!NegatableKind(t) || !pin) {
        shown[7] = shown[8] = shown[4] = false;
    } else if (cell.Punkt == kPointConnection) {
        shown[7] = false;
        shown[8] = true;
    } else {
        shown[8] = false;
        if (t == kTypeFlipFlop && !FlipFlopDataInput(cell.ElementNr, x, y))
            shown[7] = shown[4] = false;
    }
    shown[9] = t == kTypeText;
    if (t == kTypeText)
        shown[4] = true;
    HostWindow& host = Host();
    host.SetCaption(Entry(3), "Löschen");
    for (int i = 3; i <= 9; ++i)
        host.SetVisible(Entry(i), shown[static_cast<std::size_t>(i)]);
    host.PopupMenu(ctl::mPopupMenu);
}

void mPopup_Click(int index) {
    gMouseMode = kToolSelect;
    std::int16_t x = gCursorX;
    std::int16_t y = gCursorY;
    std::int16_t drawOnly = 0;
    switch (index) {
    case 3:
        DeleteObjects();
        break;
    case 5:
        EndMarkingBeforeChange();
        SetVerbindungspunkt(x, y, drawOnly);
        break;
    case 6:
        EndMarkingBeforeChange();
        SetKoppeldiode(x, y, drawOnly);
        break;
    case 7:
        EndMarkingBeforeChange();
        SetNegationsPunkt();
        break;
    case 8:
        EndMarkingBeforeChange();
        RemoveNegationsPunkt();
        break;
    case 9:
        SelectNone();
        ChangeBeschriftung("EDIT");
        break;
    default:
        break;
    }
}

} // namespace kardo
