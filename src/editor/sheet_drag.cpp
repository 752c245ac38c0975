// Dragging the worksheet with the right button in the select tool (MovePicGrid): the sheet is
// grabbed where it was pressed and moves with the pointer in whole cells.
#include "editor/area_select.h"
#include "editor/gesture_state.h"
#include "render/view.h"

#include <cmath>

namespace kardo {

// (pX, pY) is the sheet pixel under the pointer; the press pixel gGesture.LastMouseX/Y is to
// come under it again. The pointer rests at pX + PictureLeft() in the viewport, so the picture's
// left edge belongs at press pixel - that viewport position; the bars take the nearest whole
// cell within their ranges.
void MovePicGrid(double pX, double pY) {
    const GestureState& g = gGesture;
    const double cs = CellPixels();
    const double viewX = pX + PictureLeft();
    const double viewY = pY + PictureTop();
    if (gHScroll.Visible)
        SetHScrollValue(static_cast<int>(std::lround((g.LastMouseX - viewX) / cs)));
    if (gVScroll.Visible)
        SetVScrollValue(static_cast<int>(std::lround((g.LastMouseY - viewY) / cs)));
}

} // namespace kardo
