// The step delay's controls without the widgets: the delay box beside the power switch with its
// up/down buttons and the delay slider's label in the property panel. Their hover reset is the
// one of every control around the worksheet (editor/hover_reset.h).
#pragma once

#include "platform/draw_target.h"

#include <string>
#include <string_view>

namespace kardo {

constexpr int kMaxStepDelay = 100;

// What the delay box shows for a delay: "Aus" for 0, else the number followed by "ms".
std::string DelayText(int value);

// The down and up buttons: one step, kept within 0..100; return the text to show.
std::string cmdVerzoegerung_DownClick();
std::string cmdVerzoegerung_UpClick();

// Takes the delay from the box's text (its leading number, "." as the decimal point, a half
// rounded to the even neighbour, kept within 0..100) and returns the text to show. Used for
// Enter and for leaving the box.
std::string TakeDelayFromText(std::string_view text);

// The delay slider's label: caption and colour.
struct DelayLabel {
    std::string caption; // "[Aus]", "1 Zyklus", "<n> Zyklen"
    Color color = 0;     // grey for "[Aus]", else black
    bool operator==(const DelayLabel&) const = default;
};
DelayLabel sldDelay_Change(int value);

} // namespace kardo
