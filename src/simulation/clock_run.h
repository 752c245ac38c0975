// Clock generators while the circuit is on: the clock timers' tick, the one-shot run timer that
// makes the pending edges, the four keys of the clock toolbar, and the rules that keep a clock's
// timer and burst counter sane (no zero interval, no counter past a byte).
#pragma once

#include "platform/control_names.h"

#include <cstdint>
#include <string_view>

namespace kardo {

// The clock toolbar keys as the main window addresses them (by position on Toolbar3; the
// toolbar's stop key shares its name with the run-control button cmdStop).
inline constexpr std::string_view kKeyDauertakt = ctl::Toolbar3_1;
inline constexpr std::string_view kKeyEinzeltakt = ctl::Toolbar3_2;
inline constexpr std::string_view kKeyClockStop = ctl::Toolbar3_3;
inline constexpr std::string_view kKeyFullStop = ctl::Toolbar3_4;

// Shortest phase in ms a clock runs. A time of 0 would stop the timer for good (an interval of
// 0 never fires), and a phase shorter than a screen frame only floods the window with runs.
constexpr int kMinClockIntervalMs = 10;
// The timer interval for a phase of ms milliseconds: at least kMinClockIntervalMs.
int ClockIntervalMs(int ms);

// Lets clock i's timer run the next phase for ms (clamped). A timer already running with that
// interval is left alone: setting it again would restart its count and stretch the phase by the
// time the run took to make the edge.
void ArmClockTimer(int i, int ms);

// Pulses per burst of clock i as the burst counts them: 1..100 whatever the table holds.
int BurstPulses(int i);
// The counter value at which clock i's burst is over: (pulses + 1) * 2, at most 202, so that
// the byte counter always reaches it.
int BurstEndCount(int i);

// Installs the tick handlers of the clock timers Timer2 and of the run timer Timer1. Called
// before a clock timer is started; cheap, and safe to repeat.
void HookClockTimers();

// The tick of clock timer index: raises the clock's edge flag and starts the run timer unless
// a run is in progress. Also arms the timer for the phase that follows the pending edge, so
// that edges keep the exact rhythm of the clock's times.
void Timer2_Timer(int index);
// The one-shot run timer: runs the passes that make the pending clock edges and take up what
// else is queued. While a stopped run has not yet returned it keeps ticking and starts nothing.
void Timer1_Timer();
// Starts the run timer: a run starts at its next tick unless one is in progress.
void StartRunTimer();

// A key of the clock toolbar ("cmdDauertakt", "cmdEinzeltakt", "cmdStop", "cmdFullStop") acting
// on the selected clock gAktTakt (cmdFullStop on every clock); nothing while the circuit is off
// or the power is being switched.
void Toolbar3_ButtonClick(std::string_view key);

} // namespace kardo
