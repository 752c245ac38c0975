// The pin-name labels on the worksheet (lblICAnschluß 1..n): one label per pin of the level on
// view (the pins of the IC being defined on the circuit), "[" + name + "]" beside the pin's wire
// end. They lie over the worksheet picture as labels of the main window: a full redraw hides
// them, places those whose pin cell it meets and hands them to the window
// (HostWindow::RefreshICPinLabels).
#pragma once

#include "model/grid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kardo {

struct ICPinLabel {
    std::string Caption;      // "[" + pin name + "]"; empty for a pin without a name
    double Left = 0;          // left edge in pixels of the worksheet picture
    double Top = 0;           // top edge in pixels
    double Width = 0;         // text width in pixels at the current zoom
    double Height = 0;        // text height in pixels
    double FontSize = 8;      // font size in points (8 at zoom 1.0)
    bool Visible = false;     // placed by the current redraw
    bool Highlighted = false; // under the mouse in the IC-definition view: dark blue, white text
    bool operator==(const ICPinLabel&) const = default;
};

extern std::vector<ICPinLabel> gICPinLabels; // labels by pin number 1..; entry 0 unused;
                                             // ResetICPinLabels empties it
extern std::int16_t gAktAnschluss; // pin whose label the mouse is over (IC-definition view),
                                   // 0 none; ResetICPinLabels

// No labels.
void ResetICPinLabels();

// The labels of level nr's pins: for an IC level the pin names of its instance; for the circuit
// (nr 0) the pins of the IC being defined.
void LoadLevelPinLabels(int nr);
// The labels of the pins of the IC being defined, placed at their wire ends on the worksheet,
// and handed to the window.
void PlaceDefinitionPinLabels();

// Hides every label.
void HideICPinLabels();
// Places the label of the pin at cell (PosX, PosY) of the worksheet beside its wire end, on the
// side the wire does not take, at the current zoom.
void ShowICInOut(std::int16_t& PosX, std::int16_t& PosY);
// Where a label w x h pixels large lies beside the wire end in cell c, whose centre is at
// (cx, cy), with half a cell of half pixels: on the side the wire does not take.
void PlaceBesideWireEnd(const CellRecord& c, double cx, double cy, double half, double w, double h,
                        double& left, double& top);
// Hands the labels to the window, which shows those placed that carry a name.
void ShowNamedICPinLabels();

// The mouse is over label nr (IC-definition view): it is highlighted and remembered in
// gAktAnschluss, every other label loses its highlight.
void lblICAnschluss_MouseMove(int nr);
// The mouse moved over the worksheet: no label stays highlighted.
void ClearICPinHighlight();
// A pin label was dropped outside the package of the IC editor: status panel 1 says where it
// belongs.
void lblICAnschluss_DragDrop();

} // namespace kardo
