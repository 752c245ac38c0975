// Typing into the in-place label editor as its line edit does: each key through the editor's
// key handler, then into the box unless refused or beyond the box's maximum length.
#pragma once

#include "editor/text_labels_internal.h"
#include "platform/recording_target.h"

#include <cmath>
#include <string_view>

namespace kardo::test {

// One key (code: 13 Enter, 8 Backspace, 27 Escape, else the character, utf8 its bytes). A
// selection is replaced by the key; Escape is not put into the box.
void TypeKey(char32_t code, std::string_view utf8 = {});
// Every character of a UTF-8 text, one key each.
void TypeText(std::string_view text);

// A worksheet picture whose letters are one em wide, rounded to whole pixels as a hinted screen
// font rounds them: a text grows with the zoom by other steps than the cells do.
struct HintedScreen : RecordingTarget {
    HintedScreen() : RecordingTarget(DeviceKind::Screen) {}
    double TextWidth(std::string_view t) override {
        return std::round(FontSize * 96.0 / 72.0) * CharacterCount(t);
    }
};

} // namespace kardo::test
