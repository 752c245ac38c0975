// Clock generators: placing and removing, and keeping the clock tables and the clock timers in
// step with the element list. The undo history takes a clock away with UnloadTimer and brings it
// back with LoadTimer.
#pragma once

#include <cstdint>

namespace kardo {

// Places a clock generator at the cursor cell in orientation gOrientierung.
void SetTimer();
// Removes the clock generator under the cursor cell.
void RemoveTimer();

// Writes the kept clock text of clock clockNr into its element record, removes its table
// entries and its timer. Called before the clock's record is deleted.
void UnloadTimer(std::int16_t& clockNr);

// Re-creates the table entries and the timer of clock element elementNr from its kept text.
// Called after the record has been put back at its old number.
void LoadTimer(std::int16_t& elementNr);

} // namespace kardo
