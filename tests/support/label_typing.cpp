// Typing into the label editor for tests.
#include "support/label_typing.h"

#include "editor/text_labels.h"
#include "editor/text_labels_internal.h"
#include "files/text_codec.h"

#include <string>

namespace kardo::test {

void TypeKey(char32_t code, std::string_view utf8) {
    int k = static_cast<int>(code);
    txtBeschriftung_KeyPress(k);
    LabelEditBox& b = gTxtBeschriftung;
    if (k == 0 || !b.Visible || k == 27)
        return;
    if (k == 8) {
        if (b.SelLength > 0) {
            b.Text.clear();
        } else if (!b.Text.empty()) {
            while (!b.Text.empty() && (static_cast<unsigned char>(b.Text.back()) & 0xC0) == 0x80)
                b.Text.pop_back();
            b.Text.pop_back();
        }
    } else if (b.SelLength > 0) {
        b.Text = std::string(utf8);
    } else if (b.MaxLength == 0 || CharacterCount(b.Text) < b.MaxLength) {
        b.Text += utf8;
    }
    b.SelLength = 0;
}

void TypeText(std::string_view text) {
    char32_t cp = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = NextUtf8Character(text, i, cp);
        TypeKey(cp, text.substr(i, len));
        i += len;
    }
}

} // namespace kardo::test
