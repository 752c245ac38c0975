// The file commands shared by the menus, the main toolbar, the close path and the formula line:
// the save question before a changed circuit is closed or replaced, and Save.
#pragma once

#include "files/circuit_file.h"

namespace kardo {

// The question whether to save a changed circuit, asked before the circuit is closed or
// replaced (exit, New, Open, a recent file, a synthesised term). An unchanged circuit asks
// nothing. True when the caller may go on: the circuit was unchanged, "Nein" was answered, or
// "Ja" and the save succeeded. "Abbrechen", a cancelled save dialog or a failed save give false
// and the caller changes nothing.
bool AskToSaveChanges();

// "&Speichern": into the circuit's own ".kdx" file without a dialog, else as Save As.
FileOutcome SaveCircuit();

} // namespace kardo
