// The selection: its text and count, the lookup by element number, toggling with Ctrl+click,
// the corner markers per slot, renumbering after removals, and emptying it.
#include "editor/mouse_dispatch.h"
#include "editor/object_select.h"
#include "editor/overlays.h"
#include "editor/selection.h"
#include "editor/selection_overlays.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/utilities.h"
#include "render/grafik.h"
#include "support/builder.h"
#include "support/editor_fixture.h"
#include "support/mouse_driver.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::Click;

class SelectionTest : public test::EditorFixture {
  protected:
    // Places n LEDs in a row from (2, 2); LED k has number k.
    static void PlaceLeds(int n) {
        for (int k = 0; k < n; ++k)
            ASSERT_EQ(test::PlaceLed(2 + 2 * k, 2), k + 1);
    }
    static OverlayShape Marker(int slot, int corner) {
        return gSelOverlays.PObj.at(static_cast<std::size_t>(slot))
            .at(static_cast<std::size_t>(corner));
    }
};

TEST_F(SelectionTest, ObjectSelectedDoesNotTakeTwoForTwelve) {
    PlaceLeds(12);
    SelectObject(12);
    EXPECT_EQ(gSelection, "12;");
    const struct {
        std::int16_t n;
        bool selected;
    } cases[] = {{12, true}, {2, false}, {1, false}, {0, false}, {-3, false}, {500, false}};
    for (const auto& c : cases)
        EXPECT_EQ(ObjectSelected(c.n), c.selected) << c.n;
    SelectObject(2);
    EXPECT_EQ(gSelection, "12;2;");
    EXPECT_EQ(gSelCount, 2);
    EXPECT_TRUE(ObjectSelected(2));
    EXPECT_EQ(gLastObjNr, 2);
    EXPECT_TRUE(host.IsEnabled("mDelete"));
    EXPECT_EQ(host.Caption("lblSelElement"), "2");
}

TEST_F(SelectionTest, UnselectingKeepsTheOrderAndMovesTheMarkersUp) {
    PlaceLeds(9);
    SelectObject(5);
    SelectObject(7);
    SelectObject(3);
    const OverlayShape seven = Marker(2, 0);
    const OverlayShape three = Marker(3, 3);
    const struct {
        std::int16_t remove;
        const char* text;
    } steps[] = {{5, "7;3;"}, {3, "7;"}, {7, ""}};
    SelectObject(5); // a second SelectObject toggles it off: the first entry has no leading ";"
    EXPECT_EQ(gSelection, steps[0].text);
    EXPECT_EQ(Marker(1, 0), seven);
    EXPECT_EQ(Marker(2, 3), three);
    EXPECT_EQ(gSelOverlays.PObj.size(), 3u); // slots 1 and 2 (and the unused entry 0)
    for (std::size_t i = 1; i < std::size(steps); ++i) {
        UnSelectObject(steps[i].remove);
        EXPECT_EQ(gSelection, steps[i].text);
        EXPECT_FALSE(ObjectSelected(steps[i].remove));
    }
    EXPECT_EQ(gSelCount, 0);
    EXPECT_EQ(host.Caption("lblSelElement"), "0");
}

TEST_F(SelectionTest, CornerMarkersSitOnTheCornersOfTheElementsExtent) {
    // A three-input AND at cursor (10, 10), right: columns 10..12, rows 9..11.
    const std::int16_t n = test::PlaceAnd(10, 10, kRight, 3);
    ASSERT_EQ(n, 1);
    SelectObject(n);
    const int left = GridToPixel(10) - 7, right = GridToPixel(12) + 7;
    const int top = GridToPixel(9) - 7, bottom = GridToPixel(11) + 7;
    const struct {
        int corner, x, y;
    } cases[] = {{0, left - 2, top - 2},
                 {1, right - 3, top - 2},
                 {2, left - 2, bottom - 3},
                 {3, right - 3, bottom - 3}};
    for (const auto& c : cases) {
        const OverlayShape m = Marker(1, c.corner);
        EXPECT_EQ(m.Left, c.x) << c.corner;
        EXPECT_EQ(m.Top, c.y) << c.corner;
        EXPECT_TRUE(m.Visible);
        EXPECT_EQ(m.Width, kMarkerSize);
    }
    // At zoom 2.0 the cell is 28 pixels: half a cell is 14.
    SelectNone();
    gGrafik.GridMode = 2.0f;
    SelectObject(n);
    EXPECT_EQ(Marker(1, 0).Left, GridToPixel(10) - 14 - 2);
    EXPECT_EQ(Marker(1, 3).Top, GridToPixel(11) + 14 - 3);
}

TEST_F(SelectionTest, CtrlClickTogglesAndAPlainClickOnAnotherElementSelectsOnlyIt) {
    PlaceLeds(4);
    gMouseMode = kToolSelect;
    Click(2, 2);
    EXPECT_EQ(gSelection, "1;");
    Click(4, 2, kButtonLeft, kCtrlKey);
    Click(8, 2, kButtonLeft, kCtrlKey);
    EXPECT_EQ(gSelection, "1;2;4;");
    Click(4, 2, kButtonLeft, kCtrlKey);
    EXPECT_EQ(gSelection, "1;4;");
    EXPECT_EQ(Marker(2, 0).Left, GridToPixel(8) - 9);
    Click(6, 2);
    EXPECT_EQ(gSelection, "3;");
    EXPECT_EQ(gMouseMode, kToolSelect);
    // A click on an empty cell empties the selection.
    Click(30, 30);
    EXPECT_EQ(gSelection, "");
    EXPECT_EQ(gSelCount, 0);
    EXPECT_FALSE(host.IsEnabled("mDelete"));
}

TEST_F(SelectionTest, SelectNoneEmptiesEverything) {
    PlaceLeds(3);
    SelectObject(1);
    SelectObject(3);
    gBereichX1 = 1, gBereichY1 = 2, gBereichX2 = 3, gBereichY2 = 4;
    gAreaMarked = true;
    gOverlays.picRahmen.Visible = true;
    SelectNone();
    EXPECT_EQ(gSelection, "");
    EXPECT_EQ(gSelCount, 0);
    EXPECT_FALSE(ObjectSelected(1));
    EXPECT_FALSE(ObjectSelected(3));
    EXPECT_FALSE(gAreaMarked);
    EXPECT_EQ(gBereichX1 + gBereichY1 + gBereichX2 + gBereichY2, 0);
    EXPECT_FALSE(gOverlays.picRahmen.Visible);
    EXPECT_LE(gSelOverlays.PObj.size(), 1u);
    EXPECT_FALSE(host.IsEnabled("mDelete"));
    EXPECT_EQ(host.Caption("lblSelElement"), "0");
    // Selecting again after that starts at slot 1.
    SelectObject(2);
    EXPECT_EQ(gSelection, "2;");
}

TEST_F(SelectionTest, RefreshSelObjectFollowsTheRenumbering) {
    PlaceLeds(12);
    for (std::int16_t n : {3, 7, 12})
        SelectObject(n);
    gLastObjNr = 5;
    RefreshSelObject();
    EXPECT_EQ(gSelection, "3;6;11;");
    EXPECT_EQ(gSelCount, 3);
    EXPECT_TRUE(ObjectSelected(6));
    EXPECT_TRUE(ObjectSelected(11));
    EXPECT_FALSE(ObjectSelected(7));
    EXPECT_FALSE(ObjectSelected(12));
}

TEST_F(SelectionTest, AnElementRemovedWithAnotherToolLeavesTheSelectionRenumbered) {
    PlaceLeds(5);
    gMouseMode = kToolSelect;
    Click(4, 2);
    Click(8, 2, kButtonLeft, kCtrlKey);
    Click(10, 2, kButtonLeft, kCtrlKey);
    ASSERT_EQ(gSelection, "2;4;5;");
    // The wire tool's right click without a drag removes LED 4; 5 becomes 4.
    gMouseMode = kToolWire;
    Click(8, 2, kButtonRight);
    ASSERT_EQ(gAnzElemente, 4);
    EXPECT_EQ(gSelection, "2;4;");
    EXPECT_EQ(gElements[4].Eingaenge.Text(), "X10Y2:");
}

} // namespace
} // namespace kardo
