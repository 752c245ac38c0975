// The clock tables: parallel arrays indexed by clock number 0..N, N the highest index of the
// main window's clock timer array; entry 0 always exists.
#pragma once

#include <cstdint>
#include <vector>

namespace kardo {

// ResetClockTables sets the start-up values of these.
extern std::vector<std::int16_t> gTaktElement; // element number of clock i
extern std::vector<std::int16_t> gTaktZeit1;   // high time in ms of clock i
extern std::vector<std::int16_t> gTaktZeit0;   // low time in ms of clock i
extern std::vector<std::int16_t> gTaktLink;    // high and low time linked (truth value)
extern std::vector<std::uint8_t> gAnzTakte;    // pulses per burst of clock i
extern std::vector<std::uint8_t> gTaktZaehler; // half-period counter of the running burst
extern std::vector<std::int16_t> gTaktAusgang; // current output level of clock i (truth value)
extern std::vector<std::int16_t> gTaktFlag;    // an edge of clock i is due (grown on demand)
extern std::uint8_t gAnzTaktgeber;             // number of clock elements on the worksheet
extern std::int16_t gAktTakt;                  // clock selected in the clock panel

// Sizes every table to 0..ub, keeping entries and zero-filling new ones (gTaktFlag excepted).
void ResizeClockTables(int ub);
// Start-up state: every table 0..0, entry 0 with 500 / 500 ms, linked, one pulse.
void ResetClockTables();

} // namespace kardo
