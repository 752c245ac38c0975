// Selection by click, object moves and the removal of elements: the press of the select tool,
// the move buffer of an object move, its collision check before anything is recorded, the
// deletion of the selection and the removal of the element at a cell.
#include "editor/object_select.h"

#include "editor/area_select.h"
#include "editor/drag_outlines.h"
#include "editor/gesture_state.h"
#include "editor/mouse_dispatch.h"
#include "editor/selection.h"
#include "editor/selection_overlays.h"
#include "editor/text_labels.h"
#include "model/basic_elements.h"
#include "model/block_elements.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/pin_points.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "model/wire_points.h"
#include "render/redraw.h"

#include <algorithm>

namespace kardo {

Grid gMovePuffer;

void ResetObjectSelect() { gMovePuffer = Grid{}; }

namespace {

std::int16_t S(int v) { return static_cast<std::int16_t>(v); }

bool Selected(const CellRecord& c) { return c.Typ >= 2 && ObjectSelected(c.ElementNr); }

// A cell of element n carrying its number: its first input point when that is one of its
// cells, else its first output point, else the first of its cells on the sheet. (-1, -1) when
// the element covers no cell.
GridPoint OwnCell(std::int16_t n) {
    GetInputPoints(n, 0);
    if (gAnzEingangsPunkte > 0) {
        const GridPoint p = gEingangsPunkte[0];
        if (gGrid.Contains(p.x, p.y) && gGrid(p.x, p.y).ElementNr == n)
            return p;
    }
    GetOutputPoints(n, 0);
    if (gAnzAusgangsPunkte > 0) {
        const GridPoint p = gAusgangsPunkte[0];
        if (gGrid.Contains(p.x, p.y) && gGrid(p.x, p.y).ElementNr == n)
            return p;
    }
    return FirstCellOfElement(n);
}

} // namespace

void SelectToolPress(int Shift) {
    GestureState& g = gGesture;
    const CellRecord cell = gGrid(gCursorX, gCursorY);
    const std::uint8_t t = cell.Typ;
    const bool marked = gAreaMarked;
    if (!marked && t >= 2) {
        const std::int16_t n = cell.ElementNr;
        g.DragX = gCursorX;
        g.DragY = gCursorY;
        if (Shift == 0 && !ObjectSelected(n)) {
            SelectNone();
            SelectObject(n);
            gMouseMode = kToolDragObjects;
            CopyObjectsToPuffer();
        } else if (Shift == kCtrlKey) {
            SelectObject(n);
        } else if (ObjectSelected(n)) {
            gMouseMode = kToolDragObjects;
            CopyObjectsToPuffer();
        }
    } else if (t <= kTypeWire && Shift == 0 && !marked) {
        SelectNone();
    }
    if (marked && InsideMarkedArea(g.LastMouseX, g.LastMouseY))
        StartAreaDrag();
    else if (t < 2)
        StartNewFrame(Shift);
}

void CopyObjectsToPuffer() {
    GestureState& g = gGesture;
    UnloadOutlines();
    // The box of every cell of the selected elements: exact for every footprint, whatever its
    // shape.
    int x1 = gFeldBreite, y1 = gFeldHoehe, x2 = 0, y2 = 0;
    for (int y = 0; y <= gFeldHoehe; ++y) {
        for (int x = 0; x <= gFeldBreite; ++x) {
            if (!Selected(gGrid(x, y)))
                continue;
            x1 = std::min(x1, x);
            y1 = std::min(y1, y);
            x2 = std::max(x2, x);
            y2 = std::max(y2, y);
        }
    }
    if (x1 > x2 || y1 > y2) {
        // Nothing selected on the sheet: no move.
        gMouseMode = kToolSelect;
        return;
    }
    gBereichX1 = S(x1);
    gBereichY1 = S(y1);
    gBereichX2 = S(x2);
    gBereichY2 = S(y2);
    gMovePuffer.Create(x2 - x1, y2 - y1);
    for (int x = x1; x <= x2; ++x)
        for (int y = y1; y <= y2; ++y)
            if (Selected(gGrid(x, y)))
                gMovePuffer(x - x1, y - y1) = gGrid(x, y);
    g.DifX = S(gCursorX - x1);
    g.DifY = S(gCursorY - y1);
    gMoveShapes.resize(static_cast<std::size_t>(gSelCount) + 1);
    for (int k = 1; k <= gSelCount; ++k)
        LoadDragOutline(k, gSelSlots[static_cast<std::size_t>(k)]);
}

void RemoveObjects() {
    for (int x = gBereichX1; x <= gBereichX2; ++x) {
        for (int y = gBereichY1; y <= gBereichY2; ++y) {
            CellRecord& c = gGrid(x, y);
            if (!Selected(c))
                continue;
            c.ElementNr = 0;
            c.ICPin = 0;
            c.Punkt = 0;
            c.ICLevel = 0;
            c.Typ = WireFlagCount(c) > 0 ? kTypeWire : kTypeEmpty;
        }
    }
    RedrawAreaValue(S(gBereichX1 - 1), S(gBereichY1 - 1), S(gBereichX2 + 1), S(gBereichY2 + 1),
                    false);
}

bool ObjectsFit(std::int16_t nx, std::int16_t ny) {
    const int w = gMovePuffer.UBoundX();
    const int h = gMovePuffer.UBoundY();
    for (int x = nx; x <= nx + w; ++x) {
        for (int y = ny; y <= ny + h; ++y) {
            if (x <= 0 || y <= 0 || x >= gFeldBreite || y >= gFeldHoehe)
                return false;
            if (gMovePuffer(x - nx, y - ny).Typ < 2)
                continue;
            // The target as it is once the moved elements have left their cells.
            const CellRecord& t = gGrid(x, y);
            const int wires = WireFlagCount(t);
            const std::uint8_t typ = Selected(t) ? (wires > 0 ? kTypeWire : kTypeEmpty) : t.Typ;
            if (typ >= 2 || (typ == kTypeWire && wires >= 2))
                return false;
        }
    }
    return true;
}

namespace {

// The end of every object move: select tool, outlines gone.
void EndObjectDrag() {
    gMouseMode = kToolSelect;
    UnloadOutlines();
}

} // namespace

void PasteObjects(bool UndoMove) {
    GestureState& g = gGesture;
    if (gMovePuffer.Empty()) {
        EndObjectDrag();
        return;
    }
    const auto nx = S(gCursorX - g.DifX);
    const auto ny = S(gCursorY - g.DifY);
    // A move that does not fit is refused before anything is recorded or changed.
    if (UndoMove || !ObjectsFit(nx, ny)) {
        EndObjectDrag();
        return;
    }
    const int w = gMovePuffer.UBoundX();
    const int h = gMovePuffer.UBoundY();
    const auto nx2 = S(nx + w);
    const auto ny2 = S(ny + h);
    gUndo.Move = true;
    gUndo.NoObjects = false;
    const std::int16_t reach =
        MovedLabelsReach(gBereichX1, gBereichY1, gBereichX2, gBereichY2, nx - gBereichX1);
    gUndo.NewUndoValue(std::min(gBereichX1, nx), std::min(gBereichY1, ny),
                       std::max({gBereichX2, nx2, reach}), std::max(gBereichY2, ny2),
                       "Objekt(e) verschieben");
    RemoveObjects();
    for (int i = 0; i <= w; ++i) {
        for (int j = 0; j <= h; ++j) {
            const CellRecord& b = gMovePuffer(i, j);
            if (b.Typ < 2)
                continue;
            CellRecord& t = gGrid(nx + i, ny + j);
            t.Typ = b.Typ;
            t.ElementNr = b.ElementNr;
            t.Punkt = b.Punkt;
            t.ICLevel = b.ICLevel;
            t.ICPin = b.ICPin;
        }
    }
    g.DifX = S(nx - gBereichX1);
    g.DifY = S(ny - gBereichY1);
    int taken = nx2;
    for (int k = 1; k <= gSelCount; ++k) {
        ChangeInOut(gSelSlots[static_cast<std::size_t>(k)]);
        taken = std::max(taken, TakeLabelCells(gSelSlots[static_cast<std::size_t>(k)]));
    }
    EndObjectDrag();
    RedrawAreaValue(S(nx - 1), S(ny - 1), S(taken + 1), S(ny2 + 1), false);
    for (int k = 1; k <= gSelCount; ++k)
        PlaceCornerMarkers(k);
}

void DeleteObjects() {
    if (gSelection.empty() || gSelCount == 0)
        return;
    std::vector<std::int16_t> numbers(gSelSlots.begin() + 1, gSelSlots.end());
    const std::int16_t cursorX = gCursorX, cursorY = gCursorY;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::int16_t n = numbers[i];
        if (n < 1 || n > gAnzElemente)
            continue;
        const GridPoint cell = OwnCell(n);
        if (cell.x < 0)
            continue;
        gLastObjNr = n;
        gCursorX = cell.x;
        gCursorY = cell.y;
        const std::int16_t before = gAnzElemente;
        RemoveElement(gCursorX, gCursorY);
        if (gAnzElemente >= before)
            continue;
        // The numbers still to delete follow the renumbering.
        for (std::size_t j = i + 1; j < numbers.size(); ++j)
            if (numbers[j] > n)
                --numbers[j];
    }
    gCursorX = cursorX;
    gCursorY = cursorY;
    SelectNone();
}

void RemoveElement(std::int16_t& PosX, std::int16_t& PosY) {
    if (!gGrid.Contains(PosX, PosY))
        return;
    const CellRecord& cell = gGrid(PosX, PosY);
    if (cell.Typ == kTypeEmpty || gMouseMode == kToolPowered || gPowerOn)
        return;
    EndMarkingBeforeChange();
    const std::int16_t n = cell.ElementNr;
    const std::int16_t before = gAnzElemente;
    if (n != 0) {
        GetInputPoints(n, 0);
        GetOutputPoints(n, 0);
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
    if (n > 0 && gAnzElemente < before)
        DropFromSelection(n);
}

} // namespace kardo
