// The notes of an IC definition file: the section "[Notizen]" at its end, rewritten from the
// notes box of the property panel.
#pragma once

#include "files/atomic_file.h"

#include <string>
#include <string_view>

namespace kardo {

// The file with its notes replaced: every line up to and including the section line "[Notizen]"
// stays, the notes (UTF-8, lines split by LF or CR LF) follow, and the rest of the old file is
// dropped; a file without that line gets it and the notes appended. The file keeps its line
// ends. A UTF-8 file stays UTF-8; any other is written as the program writes its files
// (EncodeFileText: Windows-1252, or UTF-8 as a whole when the notes need it).
std::string ReplaceICNotes(std::string_view fileBytes, std::string_view notes);

// The first line of the notes that a reader of IC files would take for a section header or that
// holds one: a header such as "[IC]" or "[Maße]" alone on its line, blanks around it allowed,
// or as an item of the line (after a comma, in double quotes); "" when none is. The file
// format has no way to store such a line as a note.
std::string_view HeaderLikeNoteLine(std::string_view notes);
// Why notes holding that line are not stored, in German.
std::string HeaderLineProblem(std::string_view line);

// Writes the notes into the IC file at path through a temporary file renamed over it, so that
// on any failure the file stays as it was; the failure is then reported ("Dateifehler") and the
// result is false. Notes with a header-like line are refused the same way (nothing written, the
// reason shown). Nothing is written (and the result is true) when the path is empty, the file
// does not exist, or the notes are exactly "[Notizen]".
bool SaveICNotes(const std::string& path, std::string_view notes,
                 AtomicWriteFault fault = AtomicWriteFault::None);

} // namespace kardo
