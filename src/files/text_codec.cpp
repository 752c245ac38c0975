// Windows-1252 and UTF-8 conversion of file texts.
#include "files/text_codec.h"

#include <array>
#include <cstdint>

namespace kardo {

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252. The five bytes the code page leaves
// undefined map to the C1 control of the same value, so every byte decodes and encodes back.
constexpr std::array<char32_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Decodes one UTF-8 sequence at bytes[i]; returns its length, 0 when it is not valid.
std::size_t DecodeUtf8(std::string_view bytes, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t len = 0;
    char32_t min = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1Fu;
        min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0Fu;
        min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07u;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > bytes.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(bytes[i + k]);
        if ((b & 0xC0u) != 0x80u)
            return 0;
        cp = (cp << 6) | (b & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

void AppendUtf8(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(std::string_view bytes) {
    char32_t cp = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t len = DecodeUtf8(bytes, i, cp);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

// The Windows-1252 byte of a code point, or -1 when the code page has none.
int Windows1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (std::size_t k = 0; k < kHighTable.size(); ++k) {
        if (kHighTable[k] == cp)
            return static_cast<int>(0x80 + k);
    }
    return -1;
}

} // namespace

FileEncoding DetectFileEncoding(std::string_view bytes) {
    if (bytes.substr(0, kBom.size()) == kBom && IsValidUtf8(bytes.substr(kBom.size())))
        return FileEncoding::Utf8Bom;
    return IsValidUtf8(bytes) ? FileEncoding::Utf8 : FileEncoding::Windows1252;
}

std::string DecodeFileText(std::string_view bytes) {
    switch (DetectFileEncoding(bytes)) {
    case FileEncoding::Utf8Bom:
        return std::string(bytes.substr(kBom.size()));
    case FileEncoding::Utf8:
        return std::string(bytes);
    case FileEncoding::Windows1252:
        break;
    }
    // A byte-order mark before text that is no UTF-8 is dropped all the same: the text starts
    // behind it, and every text in memory is valid UTF-8.
    if (bytes.substr(0, kBom.size()) == kBom)
        bytes.remove_prefix(kBom.size());
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xA0)
            AppendUtf8(kHighTable[b - 0x80u], out);
        else
            AppendUtf8(b, out);
    }
    return out;
}

std::size_t EncodeWindows1252(std::string_view utf8, std::string& out) {
    out.clear();
    out.reserve(utf8.size());
    std::size_t replaced = 0;
    char32_t cp = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b0 = static_cast<unsigned char>(utf8[i]);
        if (b0 < 0x80) {
            out += utf8[i++];
            continue;
        }
        const std::size_t len = DecodeUtf8(utf8, i, cp);
        const int b = len == 0 ? -1 : Windows1252Byte(cp);
        if (b < 0) {
            out += '?';
            ++replaced;
        } else {
            out += static_cast<char>(b);
        }
        i += len == 0 ? 1 : len;
    }
    return replaced;
}

std::string EncodeFileText(std::string_view text) {
    std::string bytes;
    if (EncodeWindows1252(text, bytes) > 0 || DecodeFileText(bytes) != text)
        bytes = text;
    return bytes;
}

bool InWindows1252(char32_t cp) { return Windows1252Byte(cp) >= 0; }

std::size_t NextUtf8Character(std::string_view utf8, std::size_t i, char32_t& cp) {
    const std::size_t len = DecodeUtf8(utf8, i, cp);
    if (len != 0)
        return len;
    cp = 0xFFFD;
    return 1;
}

} // namespace kardo
