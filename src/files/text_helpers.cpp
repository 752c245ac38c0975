// Text and path helpers: token reading, number texts and path tests on the local file system.
#include "files/text_helpers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <sys/stat.h>
#include <system_error>

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

namespace {

// Name matching with "*" (any run, also empty) and "?" (exactly one character).
bool WildcardMatch(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t s = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starS = 0;
    while (s < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[s])) {
            ++p;
            ++s;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starS = s;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            s = ++starS;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool IsRegularFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

} // namespace

bool FileExists(std::string_view path) {
    if (path.empty())
        return false;
    std::size_t cut = path.size();
    while (cut > 0 && !IsSeparator(path[cut - 1]))
        --cut;
    const std::string_view folder = path.substr(0, cut);
    const std::string_view name = path.substr(cut);
    if (name.find_first_of("*?") == std::string_view::npos)
        return !name.empty() && IsRegularFile(std::filesystem::path(path));

    if (folder.find_first_of("*?") != std::string_view::npos)
        return false;
    std::error_code ec;
    const std::filesystem::path dir =
        folder.empty() ? std::filesystem::path(".") : std::filesystem::path(folder);
    std::filesystem::directory_iterator it(dir, ec);
    if (ec)
        return false;
    for (const std::filesystem::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            return false;
        const std::string entry = it->path().filename().string();
        if (entry.front() != '.' && WildcardMatch(name, entry) && IsRegularFile(it->path()))
            return true;
    }
    return false;
}

PathKind KindOfPath(std::string_view path) {
    struct stat st {};
    if (path.empty() || ::stat(std::string(path).c_str(), &st) != 0)
        return PathKind::Missing;
    if (S_ISDIR(st.st_mode))
        return PathKind::Directory;
    if (S_ISFIFO(st.st_mode))
        return PathKind::Fifo;
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return PathKind::Device;
    if (S_ISSOCK(st.st_mode))
        return PathKind::Socket;
    return PathKind::File;
}

std::string_view PathKindText(PathKind kind) {
    switch (kind) {
    case PathKind::Directory:
        return "ein Ordner";
    case PathKind::Fifo:
        return "eine benannte Pipe (FIFO)";
    case PathKind::Device:
        return "ein Gerät";
    case PathKind::Socket:
        return "ein Socket";
    default:
        return "";
    }
}

bool IsDirectory(std::string_view path) {
    if (path.empty())
        return false;
    std::error_code ec;
    return std::filesystem::is_directory(std::filesystem::path(path), ec);
}

std::string GetFileTitle(std::string_view path) {
    std::size_t cut = path.size();
    while (cut > 0 && !IsSeparator(path[cut - 1]))
        --cut;
    return std::string(path.substr(cut));
}

bool HasExtension(std::string_view path, std::string_view extension) {
    const std::string title = GetFileTitle(path);
    if (title.size() <= extension.size())
        return false;
    const std::string_view tail = std::string_view(title).substr(title.size() - extension.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(tail[i]) != lower(extension[i]))
            return false;
    }
    return true;
}

std::string WithExtension(std::string_view path, std::string_view extension) {
    std::string out(path);
    if (!HasExtension(path, extension))
        out.append(extension);
    return out;
}

} // namespace kardo
