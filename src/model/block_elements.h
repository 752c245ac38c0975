// Placing and removing of the block elements at the cursor cell (gCursorX, gCursorY): half and
// full adders, decoders, multiplexers, flip-flops, shift registers and number displays, and the
// removal of text labels. Clocks are in clocks.h. Each records its undo step, writes cells and
// record and draws; a placing that does not fit returns without change.
#pragma once

#include <cstdint>

namespace kardo {

extern std::int16_t gTakteingang; // a placed decoder gets the clock input T (truth value);
                                  // the main window's check box sets it; reset by
                                  // ResetBlockPlacement

// Start-up value of the inputs above: no clock input.
void ResetBlockPlacement();

void SetHA();
void SetVA();
void RemoveHAVA();

void SetDecoder();
void RemoveDecoder();
void SetMultiplexer();
void RemoveMultiplexer();

void SetFlipFlop();
void RemoveFlipFlop();
void SetSRegister();
void RemoveSRegister();

// The number display always faces right; placing it sets gOrientierung to 2, refused or not.
void SetZAnzeige();
void RemoveZAnzeige();
// Removes the text label under the cursor: its run of cells on the anchor row.
void RemoveText();

} // namespace kardo
