// Test helpers for powered circuits of block elements: the pins of a placed element, a switch
// wired straight into an input pin, an LED wired straight off an output pin, and a powered
// click on an element cell.
#pragma once

#include "model/codes.h"
#include "model/elements.h"

#include <cstdint>

namespace kardo::test {

// Pin i (0-based, pin-list order) of worksheet element nr.
GridPoint InPin(std::int16_t nr, int i);
GridPoint OutPin(std::int16_t nr, int i);

// The cell `len` steps from p in direction richtung.
GridPoint Away(GridPoint p, std::uint8_t richtung, int len);

// A straight wire from the pin `len` cells out in direction `away`, with a switch on its far
// end; returns the switch cell.
GridPoint SwitchInto(GridPoint pin, std::uint8_t away, int len);
// A straight wire from the pin `len` cells out in direction `away`, with an LED on its far end;
// returns the LED cell.
GridPoint LedFrom(GridPoint pin, std::uint8_t away, int len);

// A powered click on cell p as the worksheet's mouse handler passes it on: switches toggle,
// flip-flops and shift registers get their click.
void ClickCell(GridPoint p);

// The live level of cell p of the circuit (simulation level 0) as 0 or 1.
int LiveAt(GridPoint p);

} // namespace kardo::test
