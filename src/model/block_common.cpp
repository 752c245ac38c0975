// Helpers shared by the block-element placings: the element under the cursor with its pins and
// the removal of a block that hangs off its output.
#include "model/block_common.h"

#include "model/codes.h"
#include "model/elements.h"
#include "model/pin_points.h"

namespace kardo {

std::int16_t CursorElementWithPins() {
    const std::int16_t n = CursorElement();
    if (n < 1 || n > gAnzElemente)
        return 0;
    GetInputPoints(n, 0);
    GetOutputPoints(n, 0);
    return n;
}

void RemoveBlockBehindOutput(int length, std::string_view undoText) {
    const std::int16_t n = CursorElementWithPins();
    if (n < 1 || gAnzAusgangsPunkte < 1)
        return;
    const int ox = gAusgangsPunkte[0].x;
    const int oy = gAusgangsPunkte[0].y;
    Footprint f;
    switch (gElements[static_cast<std::size_t>(n)].Richtung) {
    case kLeft:
        f = Rect(ox, oy, ox + length, oy + 2);
        break;
    case kRight:
        f = Rect(ox - length, oy, ox, oy + 2);
        break;
    case kUp:
        f = Rect(ox - 2, oy, ox, oy + length);
        break;
    case kDown:
        f = Rect(ox - 2, oy - length, ox, oy);
        break;
    default:
        return;
    }
    RemoveBlock(f, n, undoText);
}

} // namespace kardo
