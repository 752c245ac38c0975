// What switching on needs for the block elements: a clean runtime state on every level, and
// the initial outputs of decoders and flip-flops taken from the levels their inputs have by the
// time their check runs (earlier checks' passes may have raised them).
#pragma once

namespace kardo {

// Clears the state slots of every element and the delay count of every cell on every
// simulation level, so that a power cycle never inherits latches, stages or held events of the
// previous one.
void ClearRuntimeState();

// Power-on check of a decoder whose third input is cell (x, y) of level ebene: output n + 1 is
// set high and its level queued beyond it, n the address of the three inputs (of the latched
// bits for the clocked kind). True when an event was queued.
bool QueueDecoderPowerOn(int x, int y, int ebene);

// Power-on check of a flip-flop whose inverted output is cell (x, y) of level ebene: the cell
// takes the inverse of Q; when that is high and a wire leaves the pin in the orientation, the
// level is queued beyond it. True when an event was queued.
bool QueueFlipFlopInvertedOutput(int x, int y, int ebene);

} // namespace kardo
