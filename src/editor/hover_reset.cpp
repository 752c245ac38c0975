// Hover reset table and steps.
#include "editor/hover_reset.h"

#include "editor/overlays.h"
#include "model/codes.h"
#include "model/utilities.h"
#include "platform/platform.h"

namespace kardo {

namespace {

constexpr std::uint8_t kHoverMainWindow =
    kHoverFrame | kHoverBox | kHoverLinesDirect | kHoverStatusText;

constexpr HoverMember kMembers[] = {
    // Panels and controls of the side column and the toolbars.
    {"cmdColor", kHoverFull},
    {"lblAktElement", kHoverFull},
    {"picAnschlüsse", kHoverFull},
    {"picEigenschaft", kHoverFull},
    {"picEigenschaften", kHoverFull},
    {"picEinAus", kHoverFull},
    {"picKomplex", kHoverFull},
    {"picLevel", kHoverFull},
    {"picOnOff", kHoverFull},
    {"picOrientation", kHoverFull},
    {"picPropContainer", kHoverFull},
    {"picSize", kHoverFull},
    {"picZoom", kHoverFull},
    {"SSPanel2", kHoverFull},
    {"tlbOrientation", kHoverFull},
    {"Toolbar", kHoverFull},
    {"Toolbar2", kHoverFull},
    {"tvwLevel", kHoverFull},
    // The step delay's slider and box, and the clock panel's controls.
    {"sldDelay", kHoverFull},
    {"txtVerzögerung", kHoverFull},
    {"Toolbar3", kHoverFull},
    {"Slider0", kHoverFull},
    {"Slider1", kHoverFull},
    {"txtAnzTakte", kHoverFull},
    // The worksheet's container, the window itself and the status bar.
    {"picContainer", kHoverFrame | kHoverBox | kHoverLinesDirect},
    {"frmKardo", kHoverMainWindow},
    {"picMain", kHoverMainWindow},
    {"StatusBar", kHoverFrameAnyTool | kHoverBox | kHoverLinesDirect},
    // Controls with fewer steps.
    {"lblAllgemein", kHoverFrame | kHoverBoxUnlessSwitch},
    {"lblLevel", kHoverFrame | kHoverBox},
    {"picIC", kHoverLines},
    {"txtX", kHoverLines},
    {"txtY", kHoverLines},
    {"UpDown1", kHoverFrameAnyTool},
    {"picAnschlußContainer", 0},
};

} // namespace

std::span<const HoverMember> HoverMembers() { return kMembers; }

std::uint8_t HoverStepsOf(std::string_view name) {
    for (const HoverMember& m : kMembers)
        if (m.name == name)
            return m.steps;
    // An element of a control array.
    const std::size_t us = name.rfind('_');
    if (us == std::string_view::npos || us + 1 == name.size())
        return 0;
    for (char c : name.substr(us + 1))
        if (c < '0' || c > '9')
            return 0;
    const std::string_view base = name.substr(0, us);
    for (const HoverMember& m : kMembers)
        if (m.name == base)
            return m.steps;
    return 0;
}

bool HoverReset(std::uint8_t steps) {
    bool changed = false;
    OverlayShape& frame = gOverlays.picRahmen;
    const bool frameStep = (steps & kHoverFrameAnyTool) != 0 ||
                           ((steps & kHoverFrame) != 0 && gMouseMode != kToolSelect);
    if (frameStep && frame.Visible) {
        frame.Visible = false;
        changed = true;
    }
    OverlayShape& box = gOverlays.picBox;
    const bool boxStep = (steps & kHoverBox) != 0 ||
                         ((steps & kHoverBoxUnlessSwitch) != 0 && gMouseMode != kTypeSwitch);
    if (boxStep && box.Visible) {
        box.Visible = false;
        changed = true;
    }
    if ((steps & (kHoverLines | kHoverLinesDirect)) != 0 && gOverlays.LineRahmen[1].Visible) {
        if ((steps & kHoverLines) != 0 && gPlatform != nullptr && gPlatform->host != nullptr) {
            Host().HideDecoder();
        } else {
            for (std::size_t i = 1; i <= 4; ++i)
                gOverlays.LineRahmen[i].Visible = false;
        }
        changed = true;
    }
    if ((steps & kHoverStatusText) != 0 && gPlatform != nullptr && gPlatform->host != nullptr)
        Host().SetStatusText(2, "");
    return changed;
}

} // namespace kardo
