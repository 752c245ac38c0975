// The number-base converter without its window: reading and writing numbers 0..4294967295 in
// the bases 10, 16, 8 and 2.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kardo {

constexpr std::uint32_t kMaxConvertible = 4294967295u;

// What a box's text gives: its value, or a German hint why it has none. An empty box (or one of
// blanks only) gives neither.
struct ParsedNumber {
    std::optional<std::uint32_t> value; // the number
    std::string hint;                   // "" when the text is a number or empty
};

// Reads text as a number in base (10, 16, 8 or 2); blanks around it are ignored, hexadecimal
// digits in either case.
ParsedNumber ParseNumber(std::string_view text, int base);

// The number in base, hexadecimal digits upper case, no leading zeros ("0" for zero).
std::string FormatNumber(std::uint32_t value, int base);

} // namespace kardo
