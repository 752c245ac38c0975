// Area frame operations of the select tool. The select tool does not start frames yet, so no
// area is ever marked; these entry points keep the dispatcher's calls in place until it does.
#include "editor/area_select.h"

#include "editor/gesture_state.h"
#include "editor/overlays.h"

#include <utility>

namespace kardo {

// Leaves the frame as it is: no frame is started by the select tool yet.
void ResizeBorder() {}

// Reports no element on the outline and normalises the corners, as the release expects.
bool CheckBorderPosition() {
    GestureState& g = gGesture;
    if (g.AreaEndX < g.LineStartX)
        std::swap(g.AreaEndX, g.LineStartX);
    if (g.AreaEndY < g.LineStartY)
        std::swap(g.AreaEndY, g.LineStartY);
    return false;
}

// Marks nothing yet: hides the frame again.
void SelectArea(std::int16_t, std::int16_t, std::int16_t, std::int16_t) {
    gOverlays.picRahmen.Visible = false;
}

// No area is marked yet, so there is nothing to delete.
void LoescheBereich() { gOverlays.picRahmen.Visible = false; }

// No area move runs yet.
void DeleteArea(std::int16_t, std::int16_t, std::int16_t, std::int16_t) {}
void PasteArea(std::int16_t, std::int16_t, std::int16_t, std::int16_t) {}

} // namespace kardo
