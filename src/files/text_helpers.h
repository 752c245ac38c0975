// Text and path helpers shared by the file routines and the records: the ";"-separated token
// reader, the integer text of a number, the numeric reading of a text, and path tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kardo {

// Token n (1-based) of a ";"-separated line. Every call scans from the start; a token must be
// closed by ";", so an unclosed tail, a missing token and an empty line all give "".
std::string GetNextToken(std::string_view line, int n);

// The nearest 16-bit integer, a half to the even neighbour. Values beyond the 16-bit range
// saturate at its ends rather than overflow.
std::int16_t RoundToInt16(double value);
// The same for a byte (0..255).
std::uint8_t RoundToByte(double value);

// The integer text of a value as the files write numbers: rounded to a 16-bit integer (a half
// to the even neighbour), decimal, "-" for negatives, no blanks. true gives "-1", false "0".
std::string CStrTrim(double value);
std::string CStrTrim(bool value);
std::string CStrTrim(int value);

// The number at the start of a text, as stored files write numbers: leading blanks skipped, an
// optional sign, digits with an optional decimal point and exponent; anything else ends the number,
// and a text without one gives 0.
double Val(std::string_view text);

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
