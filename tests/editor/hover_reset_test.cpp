// The hover reset: every row of the table of controls with its own steps, and the edge cases of
// the select tool's area frame and the switch tool's marker.
#include "editor/hover_reset.h"
#include "editor/overlays.h"
#include "model/codes.h"
#include "model/utilities.h"
#include "support/core_fixture.h"

#include <gtest/gtest.h>

namespace kardo::test {
namespace {

class HoverResetTest : public CoreFixture {
  protected:
    // Frame, marker and the four frame lines shown, a status text written.
    void ShowEverything() {
        gOverlays.picRahmen.Visible = true;
        gOverlays.picBox.Visible = true;
        for (std::size_t i = 1; i <= 4; ++i)
            gOverlays.LineRahmen[i].Visible = true;
        host.SetStatusText(2, "Hinweis");
        host.hideDecoderCalls = 0;
    }
};

struct RowCase {
    const char* name;   // control
    std::uint8_t tool;  // current tool
    bool frameHidden;   // picRahmen hidden afterwards
    bool boxHidden;     // picBox hidden afterwards
    int hideDecoder;    // HideDecoder calls (the fake leaves the lines as they are)
    bool linesDirect;   // the lines hidden directly
    bool statusCleared; // status panel 2 emptied
};

TEST_F(HoverResetTest, EveryRowTakesItsOwnSteps) {
    const RowCase cases[] = {
        // The full reset of the side column and the toolbars.
        {"cmdColor_3", kToolWire, true, true, 1, false, false},
        {"lblAktElement", kToolWire, true, true, 1, false, false},
        {"picAnschlüsse", kToolWire, true, true, 1, false, false},
        {"picEigenschaft_2", kToolWire, true, true, 1, false, false},
        {"picEigenschaften", kToolWire, true, true, 1, false, false},
        {"picEinAus", kToolWire, true, true, 1, false, false},
        {"picKomplex", kToolWire, true, true, 1, false, false},
        {"picLevel", kToolWire, true, true, 1, false, false},
        {"picOnOff", kToolWire, true, true, 1, false, false},
        {"picOrientation", kToolWire, true, true, 1, false, false},
        {"picPropContainer", kToolWire, true, true, 1, false, false},
        {"picSize", kToolWire, true, true, 1, false, false},
        {"picZoom", kToolWire, true, true, 1, false, false},
        {"SSPanel2", kToolWire, true, true, 1, false, false},
        {"tlbOrientation", kToolWire, true, true, 1, false, false},
        {"Toolbar", kToolWire, true, true, 1, false, false},
        {"Toolbar2", kToolWire, true, true, 1, false, false},
        {"tvwLevel", kToolWire, true, true, 1, false, false},
        {"sldDelay", kToolWire, true, true, 1, false, false},
        {"txtVerzögerung", kToolWire, true, true, 1, false, false},
        // With the select tool the frame may be an area frame: it stays.
        {"picEinAus", kToolSelect, false, true, 1, false, false},
        {"sldDelay", kToolSelect, false, true, 1, false, false},
        // The worksheet's container hides the lines itself.
        {"picContainer", kToolWire, true, true, 0, true, false},
        {"picContainer", kToolSelect, false, true, 0, true, false},
        // The window itself also empties the status text.
        {"frmKardo", kToolWire, true, true, 0, true, true},
        {"frmKardo", kToolSelect, false, true, 0, true, true},
        // The status bar hides the frame whatever the tool.
        {"StatusBar", kToolSelect, true, true, 0, true, false},
        // lblAllgemein keeps the marker of the switch tool.
        {"lblAllgemein_2", kToolWire, true, true, 0, false, false},
        {"lblAllgemein_2", kTypeSwitch, true, false, 0, false, false},
        {"lblAllgemein_2", kToolSelect, false, true, 0, false, false},
        {"lblLevel", kToolWire, true, true, 0, false, false},
        {"lblLevel", kToolSelect, false, true, 0, false, false},
        // Only the frame lines.
        {"picIC", kToolWire, false, false, 1, false, false},
        {"txtX", kToolWire, false, false, 1, false, false},
        {"txtY", kToolWire, false, false, 1, false, false},
        // The gate-input buttons hide the frame whatever the tool, nothing else.
        {"UpDown1", kToolSelect, true, false, 0, false, false},
        {"UpDown1", kToolWire, true, false, 0, false, false},
        // Nothing at all.
        {"picAnschlußContainer", kToolWire, false, false, 0, false, false},
        {"unbekannt", kToolWire, false, false, 0, false, false},
    };
    for (const RowCase& c : cases) {
        ShowEverything();
        gMouseMode = c.tool;
        const bool changed = HoverReset(HoverStepsOf(c.name));
        const std::string what = std::string(c.name) + " tool " + std::to_string(c.tool);
        EXPECT_EQ(!gOverlays.picRahmen.Visible, c.frameHidden) << what;
        EXPECT_EQ(!gOverlays.picBox.Visible, c.boxHidden) << what;
        EXPECT_EQ(host.hideDecoderCalls, c.hideDecoder) << what;
        EXPECT_EQ(!gOverlays.LineRahmen[1].Visible && !gOverlays.LineRahmen[4].Visible,
                  c.linesDirect)
            << what;
        EXPECT_EQ(host.statusTexts[2].empty(), c.statusCleared) << what;
        EXPECT_EQ(changed, c.frameHidden || c.boxHidden || c.hideDecoder > 0 || c.linesDirect)
            << what;
    }
}

TEST_F(HoverResetTest, NothingShownNothingChanges) {
    gMouseMode = kToolWire;
    for (const HoverMember& m : HoverMembers())
        EXPECT_FALSE(HoverReset(m.steps)) << m.name;
    EXPECT_EQ(host.hideDecoderCalls, 0);
}

TEST_F(HoverResetTest, ArrayElementsFindTheirRowAndOnlyThem) {
    EXPECT_EQ(HoverStepsOf("cmdColor_8"), HoverStepsOf("cmdColor"));
    EXPECT_EQ(HoverStepsOf("cmdColor_"), 0);
    EXPECT_EQ(HoverStepsOf("cmdColor_x"), 0);
    EXPECT_EQ(HoverStepsOf("cmdColorX_1"), 0);
    EXPECT_EQ(HoverStepsOf("Toolbar"), kHoverFull);
}

} // namespace
} // namespace kardo::test
