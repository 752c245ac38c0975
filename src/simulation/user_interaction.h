// What the user does while the circuit is switched on: clicking a switch, pausing and
// continuing a run, stopping it, and the decoder clock-input box.
#pragma once

namespace kardo {

// Toggles the switch at the cursor cell on the circuit level and runs the passes, unless a run
// is in progress or paused: then the switch's event joins that run.
void InitSwitchOn();

// The power lamps: red while a run is in progress or paused, green when it is ready.
void ShowLamps(bool red);

// The run display after a run has ended: for a delayed run the lamps back to green and "Bereit"
// (a paused run keeps "Angehalten" and the red lamp); the pause key off unless the run is
// paused; the stop key off; the time display at 0. keysOff: RunSimulation returned true, so the
// run has just set both keys itself and they are left alone.
void ShowRunFinished(bool delayed, bool keysOff = false);

// Pauses a run, or continues a paused one with the events it kept.
void Pause();
void cmdPause_Click();

// Empties the queues of the running pass; levels reached stay.
void cmdStop_Click();

// The decoder clock-input box: decoders placed from now on get a clock input when value > 0.
void chkTakteingang_Click(int value);

} // namespace kardo
