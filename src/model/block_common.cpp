// Helpers shared by the block-element placings: the element under the cursor with its pins and
// its footprint, and the removal of a block over its footprint.
#include "model/block_common.h"

#include "model/codes.h"
#include "model/elements.h"
#include "model/pin_points.h"

namespace kardo {

std::int16_t CursorElementFootprint(Footprint& f) {
    const std::int16_t n = CursorElement();
    if (n < 1 || n > gAnzElemente)
        return 0;
    GetInputPoints(n, 0);
    GetOutputPoints(n, 0);
    if (!ElementFootprint(gElements[static_cast<std::size_t>(n)], f))
        return 0;
    return n;
}

void RemoveCursorBlock(std::string_view undoText) {
    Footprint f;
    const std::int16_t n = CursorElementFootprint(f);
    if (n < 1)
        return;
    RemoveBlock(f, n, undoText);
}

} // namespace kardo
