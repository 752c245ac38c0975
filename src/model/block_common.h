// Small helpers shared by the block-element placings: the lookup of the element under the cursor
// with its pin points filled and its footprint, and the removal of a block over its footprint.
#pragma once

#include "model/placement.h"

#include <cstdint>
#include <string_view>

namespace kardo {

// The element under the cursor cell with its input and output points filled into the shared
// point lists (level 0) and its footprint in f; 0 when the cursor cell holds no element or the
// element has no footprint (ElementFootprint).
std::int16_t CursorElementFootprint(Footprint& f);

// Removes the block element under the cursor (RemoveBlock over its footprint). Does nothing
// when the cursor holds no element or the element has no footprint.
void RemoveCursorBlock(std::string_view undoText);

} // namespace kardo
