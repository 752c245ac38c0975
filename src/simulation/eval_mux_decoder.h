// The multiplexer, the 1-of-8 decoder (plain and clocked) and the tri-state gate while the
// circuit is on. None applies negation points or draws its symbol.
#pragma once

namespace kardo {

// Routes the data input chosen by the select inputs S1 (weight 2) and S0 (weight 1) to the
// output, on every event at any of its cells.
void EvalMultiplexer(int x, int y, int richtung, int pegel, int ebene);

// Drives output n + 1 high and the seven others low for the address n of its three inputs. The
// clocked decoder latches the address at the rising clock edge and drives the outputs at the
// falling edge. The newly selected output rises 20 passes after the others fell.
void EvalDecoder(int x, int y, int richtung, int pegel, int ebene);

// With the enable input high drives the data input's level to the output; with it low drives
// nothing, so the wire keeps its level.
void EvalTriState(int x, int y, int richtung, int pegel, int ebene);

// Passes by which the decoder holds back its newly selected output.
constexpr int kDecoderRiseDelay = 20;

} // namespace kardo
