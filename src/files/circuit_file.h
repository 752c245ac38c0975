// Loading and saving circuit files (".kdx"). A load reads and checks the whole file into a
// separate document and puts it in place of the worksheet only when it is sound; a save writes
// the worksheet atomically, so a failed save leaves the old file as it was.
#pragma once

#include "files/circuit_document.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kardo {

// How a load or save ended ("Erfolg", "Abbruch" or a reported failure).
enum class FileOutcome { Success, Cancelled, Failed };

// Largest file a load reads; a sheet of the largest size full of elements stays far below it.
constexpr std::size_t kMaxCircuitFileBytes = 64u << 20;

extern std::string
    gDateiPfad; // full path of the file last loaded or saved; reset by ResetCircuitFile
extern std::string LadeDatei; // circuit file given on the command line, handed over by the
                              // splash window before the load and opened at its end; LoadFile
                              // empties it (no reset: it is set before the program state is)

// Start-up value of gDateiPfad.
void ResetCircuitFile();

// Loads the circuit file name in place of the worksheet; an empty name asks with the open
// dialog first. Every failure is reported in a message box and leaves the worksheet as it was.
// The caller redraws; only the load of the command-line file (LadeDatei) redraws itself.
FileOutcome LoadFile(std::string_view name);

// Save (useRememberedName true: into gFile.FileName when that is a ".kdx" file, else with the
// dialog) and Save As (false: the save dialog asks for the file). The name saved always ends in
// ".kdx"; it is appended when the dialog returns a name without it.
FileOutcome SaveFile(bool useRememberedName);
inline FileOutcome SaveFileAs() { return SaveFile(false); }

// Asks whether the existing file path may be replaced ("Ja"/"Nein"); true when it may, and
// always when there is no such file. For names a file dialog did not ask about (an extension
// appended after the dialog, a name typed into a box).
bool ConfirmReplace(const std::string& path, std::string_view title);

// Writes the worksheet into the file path without a dialog and makes it the circuit's file.
// A failure is reported ("Dateifehler"), the old file stays and the circuit stays changed.
FileOutcome SaveFileTo(const std::string& path);

// The worksheet as a document: the sheet, the wire runs as gLineRuns holds them, the elements,
// the ICs placed in the circuit and the clock tables.
void CaptureCircuit(CircuitDocument& doc);

// Puts a document in place of the worksheet, which ClearCircuit has emptied: sheet, cells, wire
// runs (rebuilt into wire cells when the file had a [Jump] section), elements, clocks with their
// timers and the analysis points.
void ApplyCircuit(CircuitDocument& doc);

// Rebuilds the wire cells from the run ends in gLineRuns: every cell of a run gets the flags
// towards its neighbours on the run, and an empty cell becomes a wire cell. Flags are only set.
void RestoreJumps();

// Puts path at the head of the recent-file list unless the list holds it already.
void AddRecentFile(const std::string& path);

} // namespace kardo
