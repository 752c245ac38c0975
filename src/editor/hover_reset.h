// The hover reset: when the mouse moves from the worksheet onto a control around it, that
// control's mouse-move handling hides what the worksheet left under the cursor (the placement
// outline or cursor frame, the marker box, the element frame lines). Which steps a control
// takes stands in one table of control names.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kardo {

// Steps of a hover reset; a control takes a combination.
enum HoverStep : std::uint8_t {
    kHoverFrame = 1 << 0,           // picRahmen hidden unless the select tool shows an area frame
    kHoverFrameAnyTool = 1 << 1,    // picRahmen hidden whatever the tool
    kHoverBox = 1 << 2,             // picBox hidden
    kHoverBoxUnlessSwitch = 1 << 3, // picBox hidden unless the switch tool is active
    kHoverLines = 1 << 4,           // the frame lines hidden through HideDecoder
    kHoverLinesDirect = 1 << 5,     // the frame lines hidden directly
    kHoverStatusText = 1 << 6,      // the text of status-bar panel 2 cleared
};

// The full reset of most controls beside the worksheet.
constexpr std::uint8_t kHoverFull = kHoverFrame | kHoverBox | kHoverLines;

// A control (or control array) and its steps.
struct HoverMember {
    std::string_view name; // object name; an array's elements are "name_N"
    std::uint8_t steps;    // HoverStep combination, 0 for none
};

// Every control with a hover reset.
std::span<const HoverMember> HoverMembers();

// The steps of a control by its object name ("cmdColor_3" finds the array "cmdColor"); 0 when
// it has none.
std::uint8_t HoverStepsOf(std::string_view name);

// Takes the steps; true when something was hidden (the worksheet must be shown again).
bool HoverReset(std::uint8_t steps);

} // namespace kardo
