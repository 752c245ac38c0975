// The outline under the cursor that shows where the current tool's element would be placed, and
// the drag outlines of moved objects.
#pragma once

#include <cstdint>

namespace kardo {

// Moves, shows or hides the outline controls for the current tool and cursor cell. Only a
// preview: it never checks the sheet border or the cells beyond the cursor cell.
void ShowBorder();

// The outline of each kind at the cursor cell, in the orientation gOrientierung. ShowRahmenIC
// spans Width x Height cells from the cursor column rightwards and from Int(Height / 2) rows
// above the cursor downwards, in every orientation.
void ShowRahmenIC(std::int16_t& Width, std::int16_t& Height);
void ShowRahmenAndOrXor();
void ShowRahmenInverter();
void ShowRahmenTimer();
void ShowRahmenMultiplexer();
void ShowRahmenDecoder();
void ShowRahmenFlipFlop();
void ShowRahmenSRegister();

// The top row of an IC of Height rows placed with the cursor in row cursorY: the row the IC
// outline starts at, which the IC placing takes as the IC's top row.
inline int ICTopRow(int cursorY, int Height) {
    return cursorY - (Height >= 0 ? Height / 2 : -((1 - Height) / 2));
}

} // namespace kardo
