// The notes of an IC definition file: the section "[Notizen]" at its end, rewritten from the
// notes box of the property panel.
#pragma once

#include "files/atomic_file.h"

#include <string>
#include <string_view>

namespace kardo {

// The file with its notes replaced: every line up to and including the line "[Notizen]" stays
// byte for byte, the notes (UTF-8, lines split by LF or CR LF) follow, and the rest of the old
// file is dropped; a file without that line gets it and the notes appended. The notes take the
// file's character set (Windows-1252 unless the file is UTF-8) and line ends.
std::string ReplaceICNotes(std::string_view fileBytes, std::string_view notes);

// Writes the notes into the IC file at path through a temporary file renamed over it, so that
// on any failure the file stays as it was; the failure is then reported ("Dateifehler") and the
// result is false. Nothing is written (and the result is true) when the path is empty, the file
// does not exist, or the notes are exactly "[Notizen]".
bool SaveICNotes(const std::string& path, std::string_view notes,
                 AtomicWriteFault fault = AtomicWriteFault::None);

} // namespace kardo
