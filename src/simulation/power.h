// Switching the circuit on and off: the worksheet becomes simulation level 0, every level starts
// all low, and each element whose output is not low in that state gets its power-on check; off
// stops clocks and passes, clears every level and returns to editing.
#pragma once

#include <cstdint>

namespace kardo {

extern bool gAusschalten; // the switch-off is resetting levels; the full redraw draws wires low
extern std::int16_t gSimLevel; // nesting depth being initialised at power-on; 0 otherwise
extern bool gPowerOnRunning;   // a switch-on sequence is in progress (its checks may wait)
extern bool gPowerSettingUp;   // a switch-on has not yet begun its power-on checks
extern bool gPowerOffRunning;  // a switch-off is in progress
extern bool gPowerKeyWaiting;  // a power key came during the switch-off: switch on after it

// Start-up state of the globals above.
void ResetPower();

// Switches on when the circuit is off, off when it is on. While a switch-on sequence has not yet
// switched on, a second call is ignored. A call that comes while a switch-off lets the window's
// events through is taken up once the switch-off has finished (a second such call cancels it).
void PowerOnOff();

// The power is being switched: a switch-off, or a switch-on before its checks. A click or a run
// timer tick that comes meanwhile starts no run inside it.
bool PowerSwitching();
// The circuit is on and its power is not being switched: clicks and keys may start runs.
bool PowerSteadyOn();

// Ends the power for good as the program closes, from wherever the close comes: the circuit is
// switched off as "Aus" does, a switch-on not yet on goes no further, every run or switch-on on
// the stack returns at its next look at the power epoch, and no waiting power key is taken up.
void PowerOffForExit();

// Stores the worksheet grid and element list as simulation level 0.
void Copy_P_to_Field();

// The power-on check of cell (x, y) of level gCurLevel, an element cell of type mode (6, 7, 8,
// 9, 16 or 17; other codes do nothing).
void CheckElements(int x, int y, int mode);

// Presses the off button in code: the option group shows "off" and a running circuit is
// switched off.
void PressOffButton();

} // namespace kardo
