// What the user does while the circuit is switched on: clicking a switch, pausing and
// continuing a run, stopping it, and the decoder clock-input box.
#pragma once

namespace kardo {

// Toggles the switch at the cursor cell on the circuit level and runs the passes, unless a run
// is in progress: then the switch's event joins that run.
void InitSwitchOn();

// Pauses a run, or continues a paused one with the events it kept.
void Pause();
void cmdPause_Click();

// Empties the queues of the running pass; levels reached stay.
void cmdStop_Click();

// The decoder clock-input box: decoders placed from now on get a clock input when value > 0.
void chkTakteingang_Click(int value);

} // namespace kardo
