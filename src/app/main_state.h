// State of the main window that the core reads and writes: the unchanged mark of the circuit,
// how far the window has come at start-up, and the circuit file named on the command line.
#pragma once

#include <cstdint>
#include <string>

namespace kardo {

extern bool gUnveraendert;      // the circuit has not changed since start-up or the last save;
                                // true after ResetMainState, cleared by MarkCircuitChanged
extern std::uint8_t gAktiviert; // 0 after the load, 255 after the first layout pass, 1 from the
                                // first activation on; ResetMainState sets 0
extern std::string gICName;     // IC chosen for placement or being defined; "" or "<Name>" when
                                // none; ResetMainState empties it
extern std::string LadeDatei;   // circuit file given on the command line, handed over by the
                                // splash window before the load and opened at its end; LoadFile
                                // empties it (ResetMainState leaves it alone)

// Marks the circuit as changed, so that closing the window asks whether to save it. Every
// command that changes the circuit calls it: a mouse press on the worksheet while editing, an
// undo step taken back, a new sheet size, a synthesised circuit.
inline void MarkCircuitChanged() { gUnveraendert = false; }

// Start-up values of the globals above.
void ResetMainState();

// Start-up values of every global of the settings subsystem and of the main window state:
// ResetMainState, ResetSettings, ResetPermissions, ResetFileObject, ResetWebLinks. Called by
// InitProgramState.
void ResetAppGlobals();

} // namespace kardo
