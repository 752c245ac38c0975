// Clock generators: placing and removing, and keeping the clock tables and the clock timers in
// step with the element list. The undo history takes a clock away with UnloadTimer and brings it
// back with LoadTimer.
#pragma once

#include "platform/timer.h"

#include <cstdint>
#include <memory>

namespace kardo {

// Most clocks that can exist: the clock count gAnzTaktgeber is a byte.
constexpr int kMaxClocks = 255;

// The main window's clock timer array Timer2: clock i drives element i; element 0 always exists.
// Created on first use from the timer service in force.
extern std::unique_ptr<TimerArray> gTimer2; // clock timers; destroyed by ResetClockTimers
TimerArray& Timer2();
// The main window's one-shot run timer Timer1 (1 ms): a clock tick enables it to start the run
// that makes the pending edges. Created on first use from the timer service in force.
extern std::unique_ptr<Timer> gTimer1; // run timer; destroyed by ResetClockTimers
Timer& Timer1();
// The main window's port timer timPort (30 ms): rewrites the analysis-point byte to the parallel
// port while the circuit is on. Created on first use from the timer service in force.
extern std::unique_ptr<Timer> gTimPort; // port timer; destroyed by ResetClockTimers
Timer& TimPort();
// Destroys the timer array, the run timer and the port timer, so that the next use builds them
// afresh (element 0 only) from the services then in force. Called by the start-up reset, and before
// the timer service goes away.
void ResetClockTimers();

// Places a clock generator at the cursor cell in orientation gOrientierung. Refused, like a
// footprint that does not fit, when kMaxClocks clocks exist.
void SetTimer();
// Removes the clock generator under the cursor cell.
void RemoveTimer();

// Writes the kept clock text of clock clockNr into its element record, removes its table
// entries and its timer. Called before the clock's record is deleted. A clock number without a
// table entry changes nothing.
void UnloadTimer(std::int16_t& clockNr);

// Re-creates the table entries and the timer of clock element elementNr from its kept text.
// Called after the record has been put back at its old number. A record without kept text is a
// clock whose entry still exists (the text is emptied once loaded): nothing happens.
void LoadTimer(std::int16_t& elementNr);

// The clock number (table index) of element elementNr, or -1 when no entry holds it.
int ClockIndexOf(int elementNr);

// Sets the element numbers of the clock table from the element list: the k-th clock element in
// element order becomes entry k. For use after the whole element list was rewritten (undo of an
// area deletion, which never holds a clock but may have renumbered clocks). Does nothing unless
// the list holds exactly gAnzTaktgeber clocks.
void RenumberClockElements();

} // namespace kardo
