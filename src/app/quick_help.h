// Quick help ("Direkthilfe") without its panel: the text table of the controls, where the panel
// is placed for a key, and its size and the edge rules. Sizes are in pixels; the rules' twips
// are taken at 15 twips per pixel.
#pragma once

#include <span>
#include <string_view>

namespace kardo {

// One row of the text table. Texts are lines joined by CR LF, an empty line between
// paragraphs.
struct QuickHelpEntry {
    std::string_view key;      // button key or control name; "" for the fallback
    std::string_view headline; // lblHeadline
    std::string_view text;     // lblQText
};

// Every row of the table in its order, the fallback not included.
std::span<const QuickHelpEntry> QuickHelpTable();
// The row of a key, or the fallback ("Keine kontextspezifischen Informationen verfügbar").
const QuickHelpEntry& QuickHelpFor(std::string_view key);

// Where the panel goes for a key.
enum class QuickHelpPlace {
    MainToolbar,   // just below the main toolbar, at the key's left edge
    ToolToolbar,   // just below the tool toolbar, at the key's left edge
    Worksheet,     // at the pixel centre of the cursor cell ("picGrid")
    PowerButton,   // just below the power panel, at the button's left edge (cmdOn, cmdOff)
    PowerPanel,    // just below the power panel, at its left edge ("picPanel0")
    PropertyPanel, // just below the property panel, at the power panel's left edge ("picPanel1")
    Unchanged,     // where the panel was last shown
};
QuickHelpPlace QuickHelpPlaceOf(std::string_view key);

constexpr int kQuickHelpEdgeGap = 13;  // 200 twips: gap kept to the window's right edge
constexpr int kQuickHelpBottomPad = 7; // 100 twips below the text label
constexpr int kQuickHelpRightPad = 11; // 170 twips right of the wider label

// A label's place inside the panel.
struct QuickHelpLabel {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
struct QuickHelpSize {
    int width = 0;
    int height = 0;
    bool operator==(const QuickHelpSize&) const = default;
};
// The panel's size for its headline and text labels: below the text label and right of the
// label that reaches further.
QuickHelpSize SizeQuickHelp(const QuickHelpLabel& headline, const QuickHelpLabel& text);

// A panel reaching the window's right edge or beyond is moved left to lie 13 pixels inside it.
int QuickHelpLeft(int left, int width, int windowWidth);
// The same for the bottom edge, so the panel stays inside the window vertically too; never
// above the window's top.
int QuickHelpTop(int top, int height, int windowHeight);

} // namespace kardo
