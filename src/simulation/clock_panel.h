// The clock panel's controls for the selected clock gAktTakt, without the widgets: the two time
// sliders with their labels and link box, and the pulse-count box with its up/down buttons. Each
// handler takes what the control shows and returns what the panel is to show afterwards.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kardo {

// A slider position v stands for the time 10000 - v ms.
constexpr int kClockSliderMax = 10000;

// Caption of a time label for a slider position: the time in seconds cut down to tenths, with
// a point and no zero before it (".5", "1", "1.5", "10") and "s"; times under a second get a
// "0" in front ("0.5s"), and "00s" becomes "0.0s".
std::string ClockTimeLabel(int sliderValue);

// What the time sliders show: positions and label captions.
struct ClockTimeView {
    int slider0 = 0;  // Slider0: low time
    int slider1 = 0;  // Slider1: high time
    std::string lbl0; // label of Slider0
    std::string lbl1; // label of Slider1
    bool operator==(const ClockTimeView&) const = default;
};

// Slider0_Change (changed 0) or Slider1_Change (changed 1): with the times linked the other
// slider follows; both labels are written, the selected clock takes both times, and a stopped
// timer with interval 0 gets 1000.
ClockTimeView SliderChange(int changed, int slider0, int slider1, bool linked);

// chkLink_Click: ticked couples the times (Slider0 takes Slider1's position); the link flag of
// the selected clock follows the box; then as Slider1_Change.
ClockTimeView chkLink_Click(bool ticked, int slider0, int slider1);

// The up and down buttons of the pulse count (1..99): the text to show, or nothing when the
// count is at its end.
std::optional<std::string> cmdAnzTakte_UpClick();
std::optional<std::string> cmdAnzTakte_DownClick();

// What the pulse-count box is to do after a key.
struct PulseBoxEdit {
    std::optional<std::string> text; // new text, when the text changes
    int caret = 0;                   // caret position after a new text
    bool focusWorksheet = false;     // Enter: the focus goes back to the worksheet
};
// txtAnzTakte_KeyUp: reads the number at the start of the text; 1..99 is stored, a value not
// above 0 stores 1 and leaves the text, 100 or more keeps the first two characters.
PulseBoxEdit txtAnzTakte_KeyUp(std::string_view text, int keyCode);
// txtAnzTakte_LostFocus: 1..99 is stored; not above 0 stores and shows "1"; 100 or more stores
// and shows "100". Returns the text to show when it changes.
std::optional<std::string> txtAnzTakte_LostFocus(std::string_view text);

} // namespace kardo
