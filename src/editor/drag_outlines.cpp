// Drag outlines of moved objects and of a dragged area, and cancelling a drag.
#include "editor/drag_outlines.h"

#include "editor/area_select.h"
#include "editor/gesture_state.h"
#include "editor/selection.h"
#include "editor/selection_overlays.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/rounding.h"
#include "model/utilities.h"
#include "render/grafik.h"

namespace kardo {

namespace {

constexpr Color kOutlineGrey = 0x808080;

// Half a cell in pixels at the current zoom, as the outlines are offset by it.
double HalfCell() {
    return static_cast<double>(gGrafik.GridPixel) * static_cast<double>(gGrafik.GridMode) / 2.0;
}

int Px(double v) { return static_cast<int>(RoundHalfEven(v)); }

} // namespace

void LoadDragOutline(int slot, std::int16_t elementNr) {
    const MoveShape m = SetMoveShape(elementNr, static_cast<std::int16_t>(slot));
    OverlayShape o;
    o.Left = m.x;
    o.Top = m.y;
    o.Width = m.w;
    o.Height = m.h;
    o.BorderColor = kOutlineGrey;
    SetOverlay(OutlineOf(slot), o);
}

void ShowDragOutlines() {
    const std::uint8_t tool = gMouseMode;
    if (tool != kToolDragObjects && tool != kToolDragArea) {
        // Another tool was chosen while a drag ran: its outlines go.
        if (gSelOverlays.picBorder.size() > 1)
            UnloadOutlines();
        return;
    }
    const GestureState& g = gGesture;
    auto& outlines = gSelOverlays.picBorder;
    const double half = HalfCell();
    bool moveX = true;
    bool moveY = true;
    int baseX = 0;
    int baseY = 0;
    if (tool == kToolDragObjects) {
        baseX = GridToPixel(gCursorX - g.DragX);
        baseY = GridToPixel(gCursorY - g.DragY);
    } else {
        // The area's outlines follow only where the whole area stays on the sheet, each axis by
        // itself, as its frame does.
        const int nx = gCursorX - g.DragX;
        const int ny = gCursorY - g.DragY;
        moveX = nx >= 0 && nx + (gBereichX2 - gBereichX1) <= gFeldBreite;
        moveY = ny >= 0 && ny + (gBereichY2 - gBereichY1) <= gFeldHoehe;
        baseX = GridToPixel(nx - gBereichX1);
        baseY = GridToPixel(ny - gBereichY1);
    }
    for (std::size_t k = 1; k < outlines.size(); ++k) {
        if (outlines[k].Width <= 0 && outlines[k].Height <= 0)
            continue; // a slot without an outline (an element outside a dragged area)
        if (k >= gMoveShapes.size())
            break;
        OverlayShape o = outlines[k];
        o.Visible = true;
        if (moveX)
            o.Left = Px(baseX + gMoveShapes[k].x - half);
        if (moveY)
            o.Top = Px(baseY + gMoveShapes[k].y - half);
        SetOverlay(outlines[k], o);
    }
}

void CancelDrag() {
    const std::uint8_t tool = gMouseMode;
    if (tool != kToolDragObjects && tool != kToolDragArea)
        return;
    gMouseMode = kToolSelect;
    gGesture.LineActive = false;
    UnloadOutlines();
    if (tool == kToolDragArea && gAreaMarked) {
        ShowAreaFrame();
        for (int k = 1; k <= gSelCount; ++k)
            PlaceCornerMarkers(k);
    }
}

} // namespace kardo
