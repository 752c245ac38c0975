// Small helpers shared by the block-element placings: footprints from plain integers, the
// lookup of the element under the cursor with its pin points filled, and the removal of a block
// that hangs off its output.
#pragma once

#include "model/placement.h"

#include <cstdint>
#include <string_view>

namespace kardo {

// The rectangle (x1, y1)-(x2, y2).
inline Footprint Rect(int x1, int y1, int x2, int y2) {
    return {static_cast<std::int16_t>(x1), static_cast<std::int16_t>(y1),
            static_cast<std::int16_t>(x2), static_cast<std::int16_t>(y2)};
}

// The element under the cursor cell with its input and output points filled into the shared
// point lists (level 0); 0 when the cursor cell holds no element.
std::int16_t CursorElementWithPins();

// Removes the element under the cursor whose block hangs off its first output point: length
// cells along its direction and three across (the adders, the shift register). Does nothing
// when the cursor holds no element or the element has no output point.
void RemoveBlockBehindOutput(int length, std::string_view undoText);

} // namespace kardo
