// The tools of the element toolbar, the element menu and the complex-element list: which tool
// code each choice sets, which menu entry it checks, which property sections it asks for and
// which name the tool display shows.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kardo {

// The eight sections of ChangePropertyWindow, in argument order, as bits.
enum PropertySection : std::uint8_t {
    kSecOrientation = 1 << 0, // vOrientation
    kSecInput = 1 << 1,       // vInput
    kSecNormal = 1 << 2,      // vNormal
    kSecIC = 1 << 3,          // vIC
    kSecColors = 1 << 4,      // vColors
    kSecText = 1 << 5,        // vText
    kSecDelay = 1 << 6,       // vDelay
    kSecTakt = 1 << 7,        // vTakt
};

// The eight truth values of a section mask.
std::array<std::int16_t, 8> SectionFlags(std::uint8_t sections);

struct ToolChoice {
    std::string_view key;     // Toolbar2 key
    std::string_view komplex; // name in cmbKomplex for the complex elements, else ""
    std::uint8_t tool;        // tool code for gMouseMode
    int menu;                 // mBauteil entry, 0 when the menu has none
    std::uint8_t sections;    // property sections asked for
    std::string_view name;    // name shown in lblAktElement
};

// Every choice: one row per toolbar key, the complex key once per element.
extern const std::array<ToolChoice, 23> kToolChoices;

// The element menu's separators.
constexpr std::array<int, 5> kBauteilSeparators = {6, 10, 14, 17, 24};
constexpr bool IsBauteilSeparator(int index) {
    for (int s : kBauteilSeparators)
        if (s == index)
            return true;
    return false;
}
// Captions of mBauteil 1..25 (index 0 unused; separators "-").
extern const std::array<std::string_view, 26> kBauteilCaptions;

// The row of a toolbar key (the complex key: its first row), of a complex element name, of a
// menu entry or of a tool code; nullptr when none.
const ToolChoice* ChoiceByKey(std::string_view key);
const ToolChoice* ChoiceByKomplex(std::string_view name);
const ToolChoice* ChoiceByMenu(int menu);
const ToolChoice* ChoiceByTool(int tool);

// The name the tool display shows for a tool code: the table's names, "IC-Definition" for 98,
// "Eingeschaltet" for 99; "" for any other code.
std::string_view ToolDisplayName(int tool);

// The tools that place nothing turnable: select, wire, LED, switch, number display, IC. The
// orientation keys are disabled while one of them is chosen.
constexpr bool ToolWithoutOrientationKeys(int tool) {
    return tool == 0 || tool == 1 || tool == 4 || tool == 5 || tool == 19 || tool == 20;
}
// The tools that show the complex-element list.
constexpr bool IsKomplexTool(int tool) {
    return tool == 10 || tool == 14 || tool == 17 || tool == 18 || tool == 19;
}

// Caption of a clock time label for a slider value (10000 - time in ms): the time in seconds
// cut down to tenths, without a leading zero (".5", "1", "1.5", "10") and "s"; times under a
// second get a "0" in front ("0.5s"), and "00s" becomes "0.0s".
std::string ClockTimeCaption(int sliderValue);

} // namespace kardo
