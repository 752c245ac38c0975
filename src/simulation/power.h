// Switching the circuit on and off: the worksheet becomes simulation level 0, every level starts
// all low, and each element whose output is not low in that state gets its power-on check; off
// stops clocks and passes, clears every level and returns to editing.
#pragma once

#include <cstdint>

namespace kardo {

extern bool gAusschalten; // the switch-off is resetting levels; the full redraw draws wires low
extern std::int16_t gSimLevel; // nesting depth being initialised at power-on; 0 otherwise
extern bool gPowerOnRunning;   // a switch-on sequence is in progress (its checks may wait)

// Start-up state of the globals above.
void ResetPower();

// Switches on when the circuit is off, off when it is on. While a switch-on sequence has not yet
// switched on, a second call is ignored.
void PowerOnOff();

// Stores the worksheet grid and element list as simulation level 0.
void Copy_P_to_Field();

// The power-on check of cell (x, y) of level gCurLevel, an element cell of type mode (6, 7, 8,
// 9, 16 or 17; other codes do nothing).
void CheckElements(int x, int y, int mode);

// Presses the off button in code: the option group shows "off" and a running circuit is
// switched off.
void PressOffButton();

} // namespace kardo
