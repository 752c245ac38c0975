// The package size of the IC chosen for placement, read from its definition file.
#pragma once

#include <cstdint>
#include <string_view>

namespace kardo {

extern std::int16_t gICBreite; // package width W of the chosen IC (GetICSize); 0 by ResetICSize
extern std::int16_t gICHoehe;  // package height H of the chosen IC; 0 by ResetICSize

// Start-up values of the two sizes.
void ResetICSize();

// Reads the [Maße] values of name.icd in the IC folder into gICBreite and gICHoehe. Nothing for
// an empty name or "<Name>". A missing file shows "IC '" + name + "' wurde nicht gefunden."
// ("Dateifehler") and empties gICName and both sizes; a faulty definition leaves both sizes 0.
// True when the size was read.
bool GetICSize(std::string_view name);

} // namespace kardo
