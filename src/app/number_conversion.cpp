// Number-base conversion.
#include "app/number_conversion.h"

#include "files/file_lines.h"

namespace kardo {

namespace {

const char* BaseName(int base) {
    switch (base) {
    case 16:
        return "Hexadezimalzahl";
    case 8:
        return "Oktalzahl";
    case 2:
        return "Binärzahl";
    default:
        return "Dezimalzahl";
    }
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return 99;
}

// The character at the start of s as text: one UTF-8 sequence, so a hint never shows half a
// letter.
std::string FirstCharacter(std::string_view s) {
    std::size_t n = 1;
    while (n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80)
        ++n;
    return std::string(s.substr(0, n));
}

} // namespace

ParsedNumber ParseNumber(std::string_view text, int base) {
    text = TrimBlanks(text);
    ParsedNumber out;
    if (text.empty())
        return out;
    std::uint64_t value = 0;
    bool overflow = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int digit = DigitValue(text[i]);
        if (digit >= base) {
            out.hint = "Ungültiges Zeichen \"" + FirstCharacter(text.substr(i)) + "\" in der " +
                       BaseName(base) + ".";
            return out;
        }
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > kMaxConvertible)
            overflow = true; // keep reading: a bad digit further on is the better hint
        if (overflow)
            value = kMaxConvertible + 1ull;
    }
    if (overflow) {
        out.hint = "Die Zahl ist zu groß: erlaubt sind 0 bis 4294967295.";
        return out;
    }
    out.value = static_cast<std::uint32_t>(value);
    return out;
}

std::string FormatNumber(std::uint32_t value, int base) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    do {
        out.insert(out.begin(), kDigits[value % static_cast<std::uint32_t>(base)]);
        value /= static_cast<std::uint32_t>(base);
    } while (value != 0);
    return out;
}

} // namespace kardo
