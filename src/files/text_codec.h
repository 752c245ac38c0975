// Character sets of the circuit files: files are written in Windows-1252; read files may be
// Windows-1252 or UTF-8 (with or without byte-order mark). Texts in memory are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace kardo {

enum class FileEncoding { Utf8, Utf8Bom, Windows1252 };

// Decides the character set of a whole file: a UTF-8 byte-order mark before valid UTF-8, else
// valid UTF-8 (plain ASCII included), else Windows-1252 (a byte-order mark before it dropped).
FileEncoding DetectFileEncoding(std::string_view bytes);

// The file's text as UTF-8, without a byte-order mark.
std::string DecodeFileText(std::string_view bytes);

// UTF-8 text to Windows-1252 bytes. A character the code page does not hold, or a byte that is
// not valid UTF-8, becomes "?"; returns how many were replaced.
std::size_t EncodeWindows1252(std::string_view utf8, std::string& out);

// The bytes of a file text (UTF-8) as the program writes its files: Windows-1252, unless the code
// page lacks a character of the text or the bytes would read back as other text (Windows-1252
// bytes that happen to form UTF-8); then the text as it is, UTF-8, which every reader takes.
std::string EncodeFileText(std::string_view text);

// The code page of the files holds the character, so it is written as itself and not as "?".
bool InWindows1252(char32_t cp);

// Decodes the UTF-8 character at utf8[i] into cp and returns its length in bytes; an invalid
// byte gives length 1 and cp U+FFFD.
std::size_t NextUtf8Character(std::string_view utf8, std::size_t i, char32_t& cp);

} // namespace kardo
