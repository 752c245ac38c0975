// Numbers in text as stored files and records write them: the ";"-separated token reader, the
// integer text of a number and the numeric reading of a text.
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

} // namespace kardo
