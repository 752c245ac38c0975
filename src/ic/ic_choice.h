// Choosing the IC to place: the IC list of the property panel (cmbIC) sets gICName, reads the
// package size and runs the nesting check, whose outcome gICAuswahlOK allows or refuses
// placing.
// gICName and gICAuswahlOK belong to the IC placing (model/place_ic.h).
#pragma once

#include "model/place_ic.h"

#include <string>
#include <string_view>

namespace kardo {

extern std::string gICFehlerText; // what the last nesting check found, "" when it passed;
                                  // ResetICChoice empties it

// Start-up value of the global above.
void ResetICChoice();

// The nesting check of IC name: its definition and every definition nested in it exist and are
// sound, no IC contains itself, and the nesting stays within the instance and cell limits. Sets
// gICAuswahlOK and gICFehlerText; returns gICAuswahlOK.
bool CheckICNesting(std::string_view name);

// The core of the IC list's choice: gICName := name; for a real name the package size
// (GetICSize) and the nesting check; the label lblICFehler ("Fehlerhaft") shows when the check
// failed, and status-bar panel 2 says why.
void ChooseIC(std::string_view name);

} // namespace kardo
