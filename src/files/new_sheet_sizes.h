// The choices of the new-worksheet dialog: its size presets and the corrections its width and
// height boxes make while the user types and when the user leaves them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kardo {

struct SheetSize {
    std::int16_t width = 0;  // cells
    std::int16_t height = 0; // cells
    bool operator==(const SheetSize&) const = default;
};

// Option 0..3 of the dialog is preset 1..4; option 1 ("&Mittel (empfohlen)") is the default.
constexpr int kDefaultNewSheetOption = 1;
constexpr int kCustomNewSheetOption = 3;

// Texts an option writes into the size boxes, the size the option creates: 40/25, 50/30 and
// 70/45; the custom option keeps the boxes as they are and gives false.
bool NewSheetOptionTexts(int option, std::string& textX, std::string& textY);

// While typing, once the box holds at least two characters: the width is kept within 10..100,
// the height within 10..70. Gives the corrected text (the text itself when it fits).
std::string CorrectWidthWhileTyping(std::string_view text);
std::string CorrectHeightWhileTyping(std::string_view text);
// On leaving a box: both are kept within 10..100.
std::string CorrectSizeOnLeave(std::string_view text);

// The sheet that "&Erstellen" creates for an option: 40 x 25, 50 x 30 and 70 x 45 for the
// presets, the boxes' numbers, corrected as on leaving, for the custom option.
SheetSize NewSheetSizeFor(int option, std::string_view textX, std::string_view textY);

} // namespace kardo
