// Token reading and number texts.
#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace kardo {

std::string GetNextToken(std::string_view line, int n) {
    if (line.empty() || n < 1)
        return {};
    std::size_t start = 0;
    // The token starts behind the (n - 1)-th semicolon.
    for (int seen = 1; seen < n; ++seen) {
        const std::size_t semi = line.find(';', start);
        if (semi == std::string_view::npos)
            return {};
        start = semi + 1;
    }
    const std::size_t end = line.find(';', start);
    if (end == std::string_view::npos)
        return {};
    return std::string(line.substr(start, end - start));
}

std::int16_t RoundToInt16(double value) {
    if (std::isnan(value))
        return 0;
    // nearbyint rounds a half to the even neighbour in the default rounding mode.
    const double r = std::nearbyint(value);
    if (r <= std::numeric_limits<std::int16_t>::min())
        return std::numeric_limits<std::int16_t>::min();
    if (r >= std::numeric_limits<std::int16_t>::max())
        return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(r);
}

std::uint8_t RoundToByte(double value) {
    if (std::isnan(value))
        return 0;
    const double r = std::nearbyint(value);
    if (r <= 0)
        return 0;
    if (r >= 255)
        return 255;
    return static_cast<std::uint8_t>(r);
}

std::string CStrTrim(double value) { return std::to_string(RoundToInt16(value)); }

std::string CStrTrim(bool value) { return value ? "-1" : "0"; }

std::string CStrTrim(int value) { return std::to_string(RoundToInt16(value)); }

namespace {

// The power of ten of a number's first significant digit ("123" 2, "0.05" -2, "5e-3" -3): tells
// a value too large for a double from one too small.
long DecimalMagnitude(std::string_view number) {
    std::size_t i = number.find_first_of("0123456789.");
    long lead = 0;      // integer digits from the first non-zero one
    long zeros = 0;     // zeros after the point before the first significant digit
    bool seen = false;  // a non-zero digit has been met
    bool point = false; // past the decimal point
    for (; i < number.size(); ++i) {
        const char ch = number[i];
        if (ch == '.') {
            point = true;
        } else if (ch >= '0' && ch <= '9') {
            seen = seen || ch != '0';
            if (!point && seen)
                ++lead;
            else if (point && !seen)
                ++zeros;
        } else {
            break;
        }
    }
    long exponent = 0;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        // strtol saturates at LONG_MAX; keep the sum below from overflowing.
        exponent = std::strtol(std::string(number.substr(i + 1)).c_str(), nullptr, 10);
        exponent = std::clamp(exponent, -1000000L, 1000000L);
    }
    return (lead > 0 ? lead - 1 : -zeros - 1) + exponent;
}

} // namespace

double Val(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    // Copy only the characters a number can be made of, so strtod never reads beyond the view
    // and never takes forms that stored files never hold (hexadecimal floats, "inf", "nan").
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        number += text[i++];
    bool digits = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        number += text[i++];
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            number += text[i++];
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            exponent += text[j++];
        const std::size_t firstDigit = j;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9')
            exponent += text[j++];
        if (j > firstDigit)
            number += exponent;
    }
    // from_chars reads "." as the decimal point whatever the locale: strtod would follow the
    // C locale, which the GUI sets from the environment (a German one reads "7.5" as 7).
    if (number.front() == '+')
        number.erase(0, 1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (DecimalMagnitude(number) < 0)
            return number.front() == '-' ? -0.0 : 0.0;
        return number.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    return error == std::errc{} ? value : 0.0;
}

} // namespace kardo
