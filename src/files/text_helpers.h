// Text and path helpers shared by the file routines: path tests on the local file system, and
// (from model/number_text.h) the ";"-separated token reader and the number texts.
#pragma once

#include "model/number_text.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kardo {

// True when a search for the path finds an ordinary file (folders, pipes and devices are no
// files). The last path component may hold the wildcards "*" and "?"; a pattern does not match
// names starting with "." (hidden files, and the temporary files of a save), while an exact
// name finds such a file too. An empty path gives false.
bool FileExists(std::string_view path);

// What stands at a path (symbolic links followed).
enum class PathKind { Missing, File, Directory, Fifo, Device, Socket };
PathKind KindOfPath(std::string_view path);
// For a path that is there but no ordinary file: "ein Ordner", "eine benannte Pipe (FIFO)",
// "ein Gerät", "ein Socket"; "" for a file or a missing path.
std::string_view PathKindText(PathKind kind);

// True when the path names a folder; any failure (the path does not exist) gives false.
bool IsDirectory(std::string_view path);

// The characters behind the last path separator ("/" or "\"); a path without one is returned
// whole; a path ending in a separator gives "".
std::string GetFileTitle(std::string_view path);

// The path's file name ends in the extension (".kdx"), compared without regard to ASCII case.
bool HasExtension(std::string_view path, std::string_view extension);
// The path with the extension appended unless it ends in it already (any case).
std::string WithExtension(std::string_view path, std::string_view extension);

} // namespace kardo
