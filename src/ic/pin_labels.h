// The pin-name labels on the worksheet (lblICAnschluß 1..n): one label per pin of the level on
// view, "[" + name + "]" beside the pin's wire end. They are part of the worksheet picture: a
// full redraw hides them, places those whose pin cell it meets and prints the placed ones last.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kardo {

struct ICPinLabel {
    std::string Caption;  // "[" + pin name + "]"; empty for a pin without a name
    double Left = 0;      // left edge in pixels
    double Top = 0;       // top edge in pixels
    bool Visible = false; // placed by the current redraw
    bool operator==(const ICPinLabel&) const = default;
};

extern std::vector<ICPinLabel> gICPinLabels; // labels by pin number 1..; entry 0 unused;
                                             // ResetICPinLabels empties it

// No labels.
void ResetICPinLabels();

// The labels of level nr's pins: for an IC level the pin names of its instance; none for the
// circuit.
void LoadLevelPinLabels(int nr);

// Hides every label.
void HideICPinLabels();
// Places the label of the pin at cell (PosX, PosY) of the worksheet beside its wire end, on the
// side the wire does not take, at the current zoom.
void ShowICInOut(std::int16_t& PosX, std::int16_t& PosY);
// Prints the placed labels that carry a name onto the drawing target.
void ShowNamedICPinLabels();

} // namespace kardo
