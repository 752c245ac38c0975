// Size presets and size-box corrections of the new-worksheet dialog.
#include "files/new_sheet_sizes.h"

#include "files/text_helpers.h"

namespace kardo {

namespace {

// Characters, not bytes, as the box counts them.
std::size_t CharCount(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0u) != 0x80u ? 1 : 0;
    return n;
}

std::string Clamp(std::string_view text, double lo, double hi) {
    const double v = Val(text);
    if (v > hi)
        return CStrTrim(hi);
    if (v < lo)
        return CStrTrim(lo);
    return std::string(text);
}

} // namespace

bool NewSheetOptionTexts(int option, std::string& textX, std::string& textY) {
    switch (option) {
    case 0:
        textX = "40";
        textY = "25";
        return true;
    case 1:
        textX = "50";
        textY = "30";
        return true;
    case 2:
        textX = "70";
        textY = "45";
        return true;
    default:
        return false;
    }
}

std::string CorrectWidthWhileTyping(std::string_view text) {
    return CharCount(text) >= 2 ? Clamp(text, 10, 100) : std::string(text);
}

std::string CorrectHeightWhileTyping(std::string_view text) {
    return CharCount(text) >= 2 ? Clamp(text, 10, 70) : std::string(text);
}

std::string CorrectSizeOnLeave(std::string_view text) { return Clamp(text, 10, 100); }

SheetSize NewSheetSizeFor(int option, std::string_view textX, std::string_view textY) {
    switch (option) {
    case 0:
        return {40, 25};
    case 1:
        return {50, 30};
    case 2:
        return {70, 45};
    default:
        return {RoundToInt16(Val(CorrectSizeOnLeave(textX))),
                RoundToInt16(Val(CorrectSizeOnLeave(textY)))};
    }
}

} // namespace kardo
