// The context menu of an element: opened by a right press of the select tool, its entries by
// the kind of cell under the cursor, and the commands of the entries.
#include "editor/context_menu.h"
#include "editor/mouse_dispatch.h"
#include "editor/selection.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/editor_fixture.h"
#include "support/mouse_driver.h"

#include <string>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::Click;

class ContextMenuTest : public test::EditorFixture {
  protected:
    // The visible entries 3 to 9 as a string of their indices, "3" for "Löschen" alone.
    std::string Shown() {
        std::string s;
        for (int i = 3; i <= 9; ++i)
            if (host.IsVisible("mPopup_" + std::to_string(i)))
                s += static_cast<char>('0' + i);
        return s;
    }
};

TEST_F(ContextMenuTest, ARightPressOnAnElementSelectsItAndOpensTheMenu) {
    ASSERT_EQ(test::PlaceLed(5, 5), 1);
    ASSERT_EQ(test::PlaceLed(9, 5), 2);
    Click(5, 5);
    host.log.clear();
    Click(9, 5, kButtonRight);
    EXPECT_EQ(gSelection, "2;");
    EXPECT_EQ(gMouseMode, kToolContextMenu);
    ASSERT_FALSE(host.log.empty());
    EXPECT_EQ(host.log.back(), "PopupMenu(mPopupMenu)");
    EXPECT_EQ(host.Caption("mPopup_3"), "Löschen");
    // The next press only ends the menu state; then a selected element keeps the others.
    Click(5, 5, kButtonLeft, kCtrlKey);
    EXPECT_EQ(gMouseMode, kToolSelect);
    EXPECT_EQ(gSelection, "2;");
    Click(5, 5, kButtonLeft, kCtrlKey);
    ASSERT_EQ(gSelection, "2;1;");
    Click(5, 5, kButtonRight);
    EXPECT_EQ(gSelection, "2;1;");
}

TEST_F(ContextMenuTest, TheEntriesFollowTheKindOfCell) {
    const std::int16_t gate = test::PlaceAnd(10, 10, kRight, 3); // inputs (10, 9..11), out (12, 10)
    ASSERT_EQ(gate, 1);
    ASSERT_TRUE(test::Negate(10, 11));
    const std::int16_t ff = test::PlaceBlockKind(kTypeFlipFlop, 20, 20);
    ASSERT_EQ(ff, 2);
    const auto in = gElements[2].Eingaenge.Points();
    const auto out = gElements[2].Ausgaenge.Points();
    ASSERT_EQ(in.size(), 5u);
    ASSERT_TRUE(test::Negate(in[2].x, in[2].y));
    ASSERT_EQ(test::PlaceLed(30, 5), 3);
    // A text label's record and cell, as the label editor leaves them.
    ElementRecord& label = AppendElement(kTypeText);
    label.Eingaenge = PinEntry(40, 5);
    label.Text = "A";
    gGrid(40, 5).Typ = kTypeText;
    gGrid(40, 5).ElementNr = label.Nr;
    const struct {
        const char* cell;
        int x, y;
        const char* shown;
    } cases[] = {
        {"LED", 30, 5, "3"},
        {"gate body", 11, 10, "3"},
        {"gate input", 10, 9, "347"},
        {"gate output", 12, 10, "347"},
        {"negated gate input", 10, 11, "348"},
        {"flip-flop first input", in[0].x, in[0].y, "347"},
        {"flip-flop clock input", in[1].x, in[1].y, "3"},
        {"negated flip-flop third input", in[2].x, in[2].y, "348"},
        {"flip-flop output", out[0].x, out[0].y, "3"},
        {"text label", 40, 5, "349"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        SelectNone();
        gMouseMode = kToolSelect;
        Click(c.x, c.y, kButtonRight);
        EXPECT_EQ(Shown(), c.shown);
    }
}

TEST_F(ContextMenuTest, TheEntriesCommandsActOnTheCursorCellAndLeaveTheSelectTool) {
    ASSERT_EQ(test::PlaceAnd(10, 10, kRight, 3), 1);
    ASSERT_EQ(test::PlaceLed(30, 5), 2);
    Click(10, 9, kButtonRight);
    mPopup_Click(7); // "Negieren"
    EXPECT_EQ(gGrid(10, 9).Punkt, kPointConnection);
    EXPECT_EQ(gMouseMode, kToolSelect);
    Click(10, 9, kButtonRight);
    mPopup_Click(8); // "Negationspunkt löschen"
    EXPECT_EQ(gGrid(10, 9).Punkt, kPointNone);
    // "Löschen" deletes the selection: both elements, one step each.
    Click(30, 5);
    Click(11, 10, kButtonLeft, kCtrlKey);
    const std::uint32_t steps = gUndo.Recorded();
    Click(11, 10, kButtonRight);
    mPopup_Click(3);
    EXPECT_EQ(gAnzElemente, 0);
    EXPECT_EQ(gUndo.Recorded(), steps + 2);
    EXPECT_EQ(gSelection, "");
    EXPECT_EQ(gMouseMode, kToolSelect);
}

} // namespace
} // namespace kardo
