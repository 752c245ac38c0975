// Zoom of the worksheet: the fit commands of the drawing object (clsGrafik::Zoom100 ..
// ZoomWidth), the steps in and out, and the percentage box cmbZoom's text rules.
#pragma once

#include <string>
#include <string_view>

namespace kardo {

constexpr float kZoomMin = 0.6f;  // lowest zoom of the steps, the box and the fits
constexpr float kZoomMax = 2.5f;  // highest zoom of the steps and the box
constexpr float kZoomStep = 0.2f; // one step in or out

// The largest zoom not above z whose worksheet picture stays within the pixel budget
// (kPictureBudget); z itself when it fits.
float ZoomWithinBudget(float z);
// Sets the zoom (within the budget) and redraws the whole sheet.
void SetZoom(float z);
// One step in (+0.2, at most 2.5) or out (-0.2, at least 0.6), in single precision.
float ZoomStepIn(float z);
float ZoomStepOut(float z);

// The zoom as the box shows it: times 100, cut down to a whole number, "%" after it ("87%").
std::string ZoomPercentText(float z);
// A single-precision number in its shortest decimal form, to seven significant digits ("87.34",
// "60", "120" for 1.2 x 100).
std::string ShortestText(float v);
// The number at the start of the box's text (blanks skipped, "%" and what follows ignored);
// 0 without one.
double ReadZoomPercent(std::string_view text);

// What choosing a list entry (enter false) or pressing Enter in the box (enter true) does: the
// percentage read and held to 60..250 becomes the box's text and the wanted zoom. The zoom
// changes when it differs from the current one (for Enter: from the current one cut down to
// whole percent, so Enter on "87%" keeps 87.34 %).
struct ZoomBoxChoice {
    std::string text;    // new text of the box
    float zoom = 1.0f;   // the zoom the text stands for
    bool change = false; // the zoom is to be set and the sheet redrawn
};
ZoomBoxChoice ZoomBoxChoose(std::string_view text, float current, bool enter);
// The text the box shows when it loses the focus without Enter: the typed percentage when it
// matches the current zoom cut down to whole percent, else the current zoom uncut ("87.34%").
std::string ZoomBoxLeave(std::string_view text, float current);

} // namespace kardo
