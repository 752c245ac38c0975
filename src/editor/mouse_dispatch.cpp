// The worksheet mouse dispatcher: cursor cell, press, move and release by tool code, the
// placing dispatcher, double click, space key and the mouse pointer.
#include "editor/mouse_dispatch.h"

#include "app/control_rules.h"
#include "editor/area_select.h"
#include "editor/context_menu.h"
#include "editor/drag_outlines.h"
#include "editor/gesture_state.h"
#include "editor/ic_pin_hooks.h"
#include "editor/line_runs.h"
#include "editor/object_select.h"
#include "editor/overlays.h"
#include "editor/panel_hooks.h"
#include "editor/placement_outline.h"
#include "editor/selection.h"
#include "editor/selection_overlays.h"
#include "editor/sim_click_hooks.h"
#include "editor/text_labels.h"
#include "editor/wire_tool.h"
#include "ic/levels.h"
#include "model/basic_elements.h"
#include "model/block_elements.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/model_state.h"
#include "model/pin_points.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "model/wire_points.h"
#include "platform/control_names.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "render/view.h"
#include "simulation/sim_core.h"
#include "simulation/user_interaction.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kardo {

PointerIcon gPointerIcon = PointerIcon::None;

void ResetMouseDispatch() {
    ResetGestureState();
    ResetOverlays();
    ResetWireTool();
    ResetLineRuns();
    ResetTextLabels();
    ResetAreaSelect();
    ResetObjectSelect();
    gPointerIcon = PointerIcon::None;
}

namespace {

HostWindow* HostOrNull() { return gPlatform ? gPlatform->host : nullptr; }

void SetPointer(int code) {
    HostWindow* host = HostOrNull();
    if (host != nullptr && host->MousePointer() != code)
        host->SetMousePointer(code);
}

int Pointer() {
    HostWindow* host = HostOrNull();
    return host != nullptr ? host->MousePointer() : 0;
}

std::int32_t RoundPixel(double v) { return static_cast<std::int32_t>(std::nearbyint(v)); }

// The cell of a pixel coordinate, halves to the even neighbour; negative left of column 0.
int CellOf(double p) {
    const double zoom = static_cast<double>(gGrafik.GridMode);
    return static_cast<int>(std::nearbyint((p - 14.0 * zoom / 2.0) / zoom / 14.0));
}

CellRecord& CursorCell() { return gGrid(gCursorX, gCursorY); }

bool IsElementType(std::int16_t e, std::uint8_t typ) {
    return e > 0 && e <= gAnzElemente && gElements[static_cast<std::size_t>(e)].Typ == typ;
}

// Left press (after the common start). Returns false where the press stops before the common end.
bool LeftPress(int Shift) {
    const CellRecord cell = CursorCell();
    const std::uint8_t t = cell.Typ;
    const std::uint8_t tool = gMouseMode;
    if (t < 2 || (t == kTypeSwitch && tool == kToolPowered) || tool == kToolNegationPoint ||
        tool == kTypeText)
        CheckMouseMode();
    if (tool == kToolWire) {
        ShowLines();
        return false;
    }
    if (tool == kToolPowered) {
        if (t == kTypeIC && !RunInProgress()) {
            GetInputPoints(cell.ElementNr, gCurLevel);
            const GridPoint p = gEingangsPunkte[0];
            int level =
                gAnzEingangsPunkte > 0 && gGrid.Contains(p.x, p.y) ? gGrid(p.x, p.y).ICLevel : 0;
            // An IC without pins on its package names its instance in no cell.
            if (level == 0)
                level = ICInstanceOfElement(gCurLevel, cell.ElementNr);
            if (level != 0)
                ShowLevel(static_cast<std::int16_t>(level));
            return false;
        }
        if (t == kTypeFlipFlop) {
            ClickFlipFlop(cell.ElementNr);
            return false;
        }
        if (t == kTypeShiftRegister) {
            ClickShiftRegister(cell.ElementNr);
            return false;
        }
        if (t == kTypeClock) {
            for (std::size_t n = 0; n < gTaktElement.size(); ++n) {
                if (gTaktElement[n] == cell.ElementNr) {
                    SelectTimer(static_cast<std::int16_t>(n));
                    gAktTakt = static_cast<std::int16_t>(n);
                    ChangeToolbar3();
                }
            }
            return false;
        }
    }
    if (tool == kToolSelect)
        SelectToolPress(Shift);
    return true;
}

// Right press. Returns false where the press stops before the common end.
bool RightPress(double X, double Y) {
    GestureState& g = gGesture;
    const int px = GridToPixel(gCursorX);
    const int py = GridToPixel(gCursorY);
    CollapseLine(gOverlays.LeitungH, px, py);
    CollapseLine(gOverlays.LeitungV, px, py);
    gOverlays.LeitungH.Visible = false;
    gOverlays.LeitungV.Visible = false;

    const std::uint8_t tool = gMouseMode;
    if (tool == kToolPowered && gCurLevel > 0) {
        // As the IC click, showing another level waits until no run is in progress or paused.
        const auto level = static_cast<std::size_t>(gCurLevel);
        if (!RunInProgress())
            ShowLevel(level < gICInstances.size() ? gICInstances[level].Parent : 0);
        return false;
    }
    const CellRecord cell = CursorCell();
    const std::uint8_t t = cell.Typ;
    std::int16_t cx = gCursorX;
    std::int16_t cy = gCursorY;
    // The context menu opens on an element unless an area is marked (then a right press inside
    // it deletes the area).
    if (tool == kToolSelect && t >= 2 && !gAreaMarked) {
        if (!ObjectSelected(cell.ElementNr)) {
            SelectNone();
            SelectObject(cell.ElementNr);
        }
        gMouseMode = kToolContextMenu;
        ShowPopupMenu();
        g.LineActive = false;
        return false;
    }
    if (t == kTypeWire && cell.Punkt != kPointNone && !gPowerOn) {
        EndMarkingBeforeChange();
        if (cell.Punkt == kPointConnection)
            RemoveVerbindungspunkt(cx, cy);
        else if (cell.Punkt == kPointDiode)
            RemoveKoppeldiode();
        return true;
    }
    if (t >= 2 && t != kTypeLed && cell.Punkt != kPointNone && !gPowerOn) {
        EndMarkingBeforeChange();
        RemoveNegationsPunkt();
        g.LineActive = false;
        return false;
    }
    const bool pin = t >= 2 && IsElementConnection(cx, cy);
    if (tool == kToolWire && (t <= kTypeWire || pin)) {
        ShowLines();
        return false;
    }
    if (tool != kToolSelect && tool != kToolContextMenu && t >= 2) {
        const bool onePinKind = t == kTypeLed || t == kTypeText || t == kTypeSwitch ||
                                t == kTypeInverter || t == kTypeAnalysisPoint;
        if (!pin || onePinKind) {
            SelectNone();
            RemoveElement(cx, cy);
            g.LineActive = false;
            g.PullH = g.PullV = false;
        }
        return true;
    }
    // The frame counts as an area frame only while an area is marked: the same shape is the
    // placement outline of the placing tools.
    if (InsideMarkedArea(X, Y)) {
        LoescheBereich();
    } else if (tool == kToolICView && cell.ICPin != 0) {
        DeleteICAnschluss();
        RedrawAreaValue(static_cast<std::int16_t>(cx - 1), static_cast<std::int16_t>(cy - 1),
                        static_cast<std::int16_t>(cx + 1), static_cast<std::int16_t>(cy + 1),
                        false);
    }
    return true;
}

void CommonEnd() {
    if (gMouseMode != kToolContextMenu)
        return;
    gOverlays.picRahmen.Visible = false;
    gGesture.LineActive = false;
    gMouseMode = kToolSelect;
}

void Press(int Button, int Shift, double X, double Y) {
    GestureState& g = gGesture;
    g.LineActive = true;
    if (gMouseMode != kToolPowered && gUnveraendert)
        MarkCircuitChanged();
    g.LastMouseX = RoundPixel(X);
    g.LastMouseY = RoundPixel(Y);
    bool common = true;
    if (Button == kButtonLeft) {
        common = LeftPress(Shift);
    } else if (Button == kButtonRight) {
        common = RightPress(X, Y);
    } else if (Button == kButtonMiddle && gMouseMode == kToolWire) {
        EndMarkingBeforeChange();
        SetVerbindungspunktAt(gCursorX, gCursorY, false);
    }
    if (common)
        CommonEnd();
}

// The marked area's frame follows the cursor during an area drag, each axis by itself.
void FollowAreaDrag() {
    GestureState& g = gGesture;
    OverlayShape& frame = gOverlays.picRahmen;
    const int nx = gCursorX - g.DragX;
    if (nx >= 0 && nx + (gBereichX2 - gBereichX1) <= gFeldBreite)
        frame.Left = GridToPixel(nx);
    const int ny = gCursorY - g.DragY;
    if (ny >= 0 && ny + (gBereichY2 - gBereichY1) <= gFeldHoehe)
        frame.Top = GridToPixel(ny);
}

void EndFrame() {
    GestureState& g = gGesture;
    OverlayShape& frame = gOverlays.picRahmen;
    frame.BorderStyle = kBorderSolid;
    frame.BorderColor = 0xFF0000;
    g.DifX = static_cast<std::int16_t>(std::abs(g.AreaEndX - g.LineStartX));
    g.DifY = static_cast<std::int16_t>(std::abs(g.AreaEndY - g.LineStartY));
    if (g.DifX >= 1 && g.DifY >= 1) {
        if (!CheckBorderPosition())
            SelectArea(g.LineStartX, g.LineStartY, g.AreaEndX, g.AreaEndY);
    } else {
        frame.Visible = false;
    }
}

void EndAreaDrag() {
    OverlayShape& frame = gOverlays.picRahmen;
    const std::int16_t nx = PixelToGrid(RoundPixel(frame.Left));
    const std::int16_t ny = PixelToGrid(RoundPixel(frame.Top));
    frame.Visible = false;
    frame.BorderColor = 0x808080;
    MoveMarkedArea(nx, ny);
    gMouseMode = kToolSelect;
    SelectNone();
    if (HostWindow* host = HostOrNull())
        host->SetCaption(ctl::lblRahmen, "X: 0   Y: 0");
}

} // namespace

void picGrid_MouseDown(int Button, int Shift, double X, double Y) {
    GestureState& g = gGesture;
    // A second button pressed while the first is held would start a gesture inside the running
    // one and let the first button's release finish the wrong one: it is ignored.
    if (g.GestureButton != 0)
        return;
    g.GestureButton = Button;
    Press(Button, Shift, X, Y);
}

void ForgetReleasedButtons(int heldButtons) {
    GestureState& g = gGesture;
    if (g.GestureButton == 0 || (heldButtons & g.GestureButton) != 0)
        return;
    g.GestureButton = 0;
    g.LineActive = false;
    gOverlays.LeitungH.Visible = false;
    gOverlays.LeitungV.Visible = false;
    CancelDrag();
}

namespace {

// A mouse move; autoScroll false for the move that follows an automatic scroll step, which must
// not step again.
void Move(int Button, int Shift, double X, double Y, bool autoScroll) {
    GestureState& g = gGesture;
    if (g.GestureButton != 0)
        Button = g.GestureButton;
    HostWindow* host = HostOrNull();
    char text[48];
    if (host != nullptr) {
        std::snprintf(text, sizeof text, "%d", static_cast<int>(gMouseMode));
        host->SetCaption(ctl::lblTime, text);
    }

    const int cx = CellOf(X);
    const int cy = CellOf(Y);
    g.MouseX = RoundPixel(X);
    g.MouseY = RoundPixel(Y);
    if (cx < 0 || cy < 0) {
        gCursorX = gCursorY = 0;
        return;
    }
    if (cx > gFeldBreite || cy > gFeldHoehe) {
        gCursorX = gFeldBreite;
        gCursorY = gFeldHoehe;
        return;
    }
    gCursorX = static_cast<std::int16_t>(cx);
    gCursorY = static_cast<std::int16_t>(cy);

    if (gInLevel)
        return;
    ChangeMouseCursor(Button);
    const std::uint8_t tool = gMouseMode;
    if (tool == kToolSelect && Button == kButtonLeft) {
        if (g.LineActive && gOverlays.picRahmen.BorderStyle != kBorderSolid) {
            gOverlays.picRahmen.Visible = true;
            ResizeBorder();
        }
    } else if (tool == kToolSelect && Button == kButtonRight) {
        MovePicGrid(X, Y);
    }
    if (tool == kToolDragArea && gOverlays.picRahmen.Visible)
        FollowAreaDrag();
    if ((Button == kButtonLeft || Button == kButtonRight) && g.LineActive && tool == kToolWire)
        ShowTempLines(gCursorX, gCursorY);
    // Another tool takes the frame over as its outline: an area marked with the select tool
    // ends, its elements stay selected.
    if (gAreaMarked && tool != kToolSelect && tool != kToolDragArea && tool != kToolContextMenu)
        EndAreaMarking();
    ShowBorder();
    ShowDragOutlines();
    if (host != nullptr) {
        std::snprintf(text, sizeof text, "X: %d  Y: %d", gCursorX, gCursorY);
        host->SetStatusText(1, text);
        if (!g.LineActive)
            host->SetStatusText(2, "");
    }
    if (autoScroll && g.LineActive && Pointer() != kPointerSize) {
        std::int32_t mx = g.MouseX;
        std::int32_t my = g.MouseY;
        // After a step the pointer rests over another cell of the sheet: the band, frame or
        // outline follow that cell at once.
        if (AutoScroll(mx, my))
            Move(Button, Shift, mx, my, false);
    }
}

} // namespace

void picGrid_MouseMove(int Button, int Shift, double X, double Y) {
    Move(Button, Shift, X, Y, true);
}

void picGrid_MouseUp(int Button, int Shift, double X, double Y) {
    (void)Shift;
    (void)X;
    (void)Y;
    GestureState& g = gGesture;
    // Only the release of the button that started the gesture ends it.
    if (g.GestureButton == 0 || Button != g.GestureButton)
        return;
    g.GestureButton = 0;
    if (!g.LineActive)
        return;
    g.LineActive = false;
    OverlayLine& h = gOverlays.LeitungH;
    OverlayLine& v = gOverlays.LeitungV;
    if (h.X1 == h.X2 && h.Y1 == h.Y2)
        h.Visible = false;
    if (v.X1 == v.X2 && v.Y1 == v.Y2)
        v.Visible = false;

    const std::uint8_t tool = gMouseMode;
    if (Button == kButtonRight && tool == kToolWire) {
        if (h.X1 == h.X2 && v.Y1 == v.Y2) {
            std::int16_t cx = gCursorX;
            std::int16_t cy = gCursorY;
            RemoveElement(cx, cy);
        } else if (g.PullH || g.PullV) {
            DeleteLines();
        }
    }
    if (Button != kButtonLeft)
        return;
    if (tool == kToolWire) {
        SetLines();
    } else if (tool == kToolSelect && gOverlays.picRahmen.Visible &&
               gOverlays.picRahmen.BorderStyle == kBorderDotted) {
        // A frame was drawn (a new frame is dotted until its release).
        EndFrame();
    } else if (tool == kToolDragArea && gOverlays.picRahmen.Visible) {
        EndAreaDrag();
    } else if (tool == kToolDragArea) {
        // The frame went away during the drag: nothing is moved.
        CancelDrag();
    } else if (tool == kToolDragObjects) {
        if (gCursorX == g.DragX && gCursorY == g.DragY) {
            // The press only selected.
            gMouseMode = kToolSelect;
            UnloadOutlines();
        } else
            PasteObjects(false);
    }
}

void picGrid_DblClick() {
    const std::uint8_t tool = gMouseMode;
    if (tool == kToolPowered) {
        GestureState& g = gGesture;
        if (g.GestureButton != 0)
            return;
        g.GestureButton = kButtonLeft;
        Press(kButtonLeft, 0, GridToPixel(gCursorX), GridToPixel(gCursorY));
        return;
    }
    if (tool != kToolWire)
        return;
    const CellRecord& cell = CursorCell();
    if (cell.Typ == kTypeWire || cell.Typ == kTypeAnd || cell.Typ == kTypeOr ||
        cell.Typ == kTypeXor)
        EndMarkingBeforeChange();
    if (cell.Typ == kTypeWire) {
        const int n = CountConnections(gCursorX, gCursorY);
        if (n == 1 && ToolPermitted(kTypeSwitch))
            SetSwitch();
        else if (n > 1)
            SetVerbindungspunktAt(gCursorX, gCursorY, false);
    } else if (cell.Typ == kTypeAnd || cell.Typ == kTypeOr || cell.Typ == kTypeXor) {
        SetNegationsPunkt();
    }
}

void picGrid_KeyPress(int KeyAscii) {
    if (KeyAscii == 32 && gPowerOn)
        Pause();
}

void CheckMouseMode() {
    const std::uint8_t tool = gMouseMode;
    // A tool the function lock takes away places nothing, however it became the tool.
    if (!ToolPermitted(tool))
        return;
    if (tool == kToolSelect && !gAreaMarked) {
        SelectNone();
        return;
    }
    switch (tool) {
    case kToolConnectionPoint:
        SetVerbindungspunktAt(gCursorX, gCursorY, false);
        break;
    case kToolCouplingDiode:
        SetKoppeldiodeAt(gCursorX, gCursorY, false);
        break;
    case kToolNegationPoint:
        SetNegationsPunkt();
        break;
    case kTypeLed:
        SetDiode();
        break;
    case kTypeSwitch:
        SetSwitch();
        break;
    case kTypeAnd:
    case kTypeOr:
    case kTypeXor:
        SetUndOderXOder(tool);
        break;
    case kTypeInverter:
        SetInverter();
        break;
    case kTypeClock:
        SetTimer();
        break;
    case kTypeHalfAdder:
        SetHA();
        break;
    case kTypeFullAdder:
        SetVA();
        break;
    case kTypeTriState:
        SetTriState();
        break;
    case kTypeMultiplexer:
        SetMultiplexer();
        break;
    case kTypeDecoder:
        SetDecoder();
        break;
    case kTypeFlipFlop:
        SetFlipFlop();
        break;
    case kTypeShiftRegister:
        SetSRegister();
        break;
    case kTypeNumberDisplay:
        SetZAnzeige();
        break;
    case kTypeIC:
        SetICByUser();
        break;
    case kTypeAnalysisPoint:
        SetAnalysepunkt();
        break;
    case kToolICView:
        CreateICAnschluss();
        break;
    case kTypeText:
        if (!BeschriftungEditorVisible()) {
            EndMarkingBeforeChange();
            const CellRecord& cell = CursorCell();
            if (cell.Typ == kTypeEmpty && cell.ElementNr == 0)
                ChangeBeschriftung("CREATE");
            else if (IsElementType(cell.ElementNr, kTypeText))
                ChangeBeschriftung("EDIT");
        }
        break;
    default:
        break;
    }
    // While powered only a switch cell toggles; a click anywhere else changes nothing.
    if (tool == kToolPowered && gCurLevel == 0 && CursorCell().Typ == kTypeSwitch)
        InitSwitchOn();
    if (tool == kToolQuickHelp)
        PositionQuickHelp("Das Arbeitsfeld",
                          "Auf diesem Feld können Schaltungen aufgebaut\r\nund simuliert werden.",
                          "picGrid");
    if (tool != kToolSelect)
        SelectNone();
}

void ChangeMouseCursor(int Button) {
    const std::uint8_t tool = gMouseMode;
    if (tool == kToolQuickHelp)
        return;
    if (tool == kToolSelect) {
        if (Button == kButtonRight)
            SetPointer(kPointerSize);
        else if (InsideMarkedArea(gGesture.MouseX, gGesture.MouseY))
            SetPointer(kPointerSizeAll);
        else
            SetPointer(kPointerArrow);
        return;
    }
    if (tool == kToolPowered || tool == kToolICView) {
        const CellRecord& cell = CursorCell();
        const int wires = CountConnections(gCursorX, gCursorY);
        const bool clickable = cell.Typ == kTypeSwitch || (cell.Typ == kTypeWire && wires == 1);
        if (tool == kToolPowered && Pointer() != kPointerCustom && clickable) {
            gPointerIcon = PointerIcon::SwitchHand;
            SetPointer(kPointerCustom);
        } else if (tool == kToolICView && clickable) {
            gPointerIcon = PointerIcon::PinMark;
            SetPointer(kPointerCustom);
            OverlayShape& box = gOverlays.picBox;
            box.Left = GridToPixel(gCursorX) - 2;
            box.Top = GridToPixel(gCursorY) - 2;
            box.Visible = cell.Typ == kTypeWire;
        } else if (wires >= 2 || (!clickable && Pointer() != kPointerArrow)) {
            SetPointer(kPointerArrow);
            gOverlays.picBox.Visible = false;
        }
        return;
    }
    if (tool == kToolDragObjects)
        SetPointer(kPointerSizeAll);
    else if (tool >= 1 && tool <= kToolDragArea)
        SetPointer(kPointerCross);
}

} // namespace kardo
