// What the formula input line does, apart from its controls: the key mapping of formula mode,
// the console words, and CreateFile, which turns a term into a circuit on a new worksheet.
#pragma once

#include <string_view>

namespace kardo {

// Formula mode maps each typed key, in this order: "V" to "v" (OR), a lower-case letter other
// than "v" to its upper-case letter (variables), "6" to "&", "8" to "(", "9" to ")". Any other
// key passes unchanged.
char32_t MapFormulaKey(char32_t key);

// The text that switches the line from formula mode to console mode.
inline constexpr std::string_view kConsoleSwitchText = "FORMEL 0";

enum class ConsoleWord : unsigned char { None, Info, Save, Open, Clear, TimeLabel };

// The console word of a text, compared in lower case and untrimmed (" info" is no word). Any
// other text, the "debug ..." words among them, does nothing.
ConsoleWord ParseConsoleWord(std::string_view text);

// The spacings CreateFile gives the synthesis.
constexpr int kFormelAbstandBreite = 4;
constexpr int kFormelAbstandHoehe = 4;
constexpr int kFormelAbstandSchaltungX = 3;
constexpr int kFormelAbstandSchaltungY = 3;
constexpr int kFormelAbstandVariablen = 2;
constexpr int kFormelStartX = 3;
constexpr int kFormelStartY = 3;

struct CreateFileResult {
    bool created = false;  // the circuit of the term is on a new worksheet
    int errorPosition = 0; // 1-based position of a term error for the caret; 0 none
};

// Builds the circuit of a term on a new worksheet. Before anything changes the term is checked
// (errors in a message box) and a changed circuit is offered for saving (cancelled: nothing
// changes). The new sheet keeps the current size unless the circuit needs more; then it grows,
// up to 1000 x 1000 cells (beyond: a message, nothing changes). Afterwards no undo step of the
// synthesis remains and the circuit counts as changed.
CreateFileResult CreateFile(std::string_view text);

} // namespace kardo
