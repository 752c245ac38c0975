// State of the main window that the core reads and writes: how far the window has come at
// start-up. The unchanged mark of the circuit (model/model_state.h), the IC chosen
// (model/place_ic.h) and the circuit file named on the command line (files/circuit_file.h) are
// declared by the modules that own them and reach the main window through this header.
#pragma once

#include "files/circuit_file.h"
#include "model/model_state.h"
#include "model/place_ic.h"

#include <cstdint>

namespace kardo {

extern std::uint8_t gAktiviert; // 0 after the load, 255 after the first layout pass, 1 from the
                                // first activation on; ResetMainState sets 0

// Start-up value of the global above.
void ResetMainState();

// Start-up values of every global of the settings subsystem and of the main window state:
// ResetMainState, ResetSettings, ResetPermissions, ResetFileObject, ResetWebLinks. Called by
// InitProgramState.
void ResetAppGlobals();

} // namespace kardo
