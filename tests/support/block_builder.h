// Test builder for the block elements and clocks: places them through the real placing
// operations as the editor's click would (cursor cell and orientation set first) and removes
// them as the editor's removal does. Place* returns the new element number, 0 when refused.
#pragma once

#include "model/codes.h"

#include <cstdint>

namespace kardo::test {

// Half adder (11), full adder (12), multiplexer (14), flip-flop (17), shift register (18),
// number display (19) or clock (10) with its cursor cell at (x, y).
std::int16_t PlaceBlockKind(std::uint8_t typ, int x, int y, std::uint8_t orientation = kRight);
// Decoder (16), with the clock input T when clocked.
std::int16_t PlaceDecoder(int x, int y, std::uint8_t orientation = kRight, bool clocked = false);
std::int16_t PlaceClock(int x, int y, std::uint8_t orientation = kRight);

// Removes the block element, clock or text label under (x, y) through its removing operation;
// true when one was called.
bool RemoveBlockAt(int x, int y);

} // namespace kardo::test
