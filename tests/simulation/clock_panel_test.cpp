// The clock panel's handlers: time labels, the sliders with and without the link, the link box,
// and the pulse count box with its up/down buttons.
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "simulation/clock_panel.h"
#include "support/block_builder.h"
#include "support/core_fixture.h"

#include <gtest/gtest.h>

namespace kardo::test {
namespace {

using ClockPanel = CoreFixture;

TEST_F(ClockPanel, TimeLabels) {
    const std::pair<int, const char*> cases[] = {
        {9500, "0.5s"}, {10000, "0.0s"}, {0, "10s"},     {9000, "1s"},   {8500, "1.5s"},
        {9001, "0.9s"}, {9950, "0.0s"},  {9901, "0.0s"}, {5001, "4.9s"}, {7500, "2.5s"},
    };
    for (const auto& [value, label] : cases)
        EXPECT_EQ(ClockTimeLabel(value), label) << value;
}

TEST_F(ClockPanel, SliderChangeSetsTheSelectedClocksTimes) {
    ASSERT_NE(PlaceClock(10, 10), 0);
    ASSERT_NE(PlaceClock(20, 10), 0);
    gAktTakt = 1;
    const ClockTimeView view = SliderChange(0, 9500, 7000, false);
    EXPECT_EQ(view, (ClockTimeView{9500, 7000, "0.5s", "3s"}));
    EXPECT_EQ(gTaktZeit0[1], 500);
    EXPECT_EQ(gTaktZeit1[1], 3000);
    EXPECT_EQ(gTaktZeit0[0], 1000) << "other clocks keep their times";
    EXPECT_EQ(Timer2()[1].Interval(), 1000) << "a timer with interval 0 gets 1000";
}

TEST_F(ClockPanel, LinkedSlidersFollowEachOther) {
    ASSERT_NE(PlaceClock(10, 10), 0);
    EXPECT_EQ(SliderChange(0, 9000, 2000, true), (ClockTimeView{9000, 9000, "1s", "1s"}));
    EXPECT_EQ(SliderChange(1, 9000, 4000, true), (ClockTimeView{4000, 4000, "6s", "6s"}));
    EXPECT_EQ(gTaktZeit0[0], 6000);
    EXPECT_EQ(gTaktZeit1[0], 6000);
}

TEST_F(ClockPanel, LinkBoxCouplesTheTimes) {
    ASSERT_NE(PlaceClock(10, 10), 0);
    EXPECT_EQ(chkLink_Click(true, 9900, 8000), (ClockTimeView{8000, 8000, "2s", "2s"}));
    EXPECT_EQ(gTaktLink[0], kTrue);
    EXPECT_EQ(chkLink_Click(false, 9900, 8000), (ClockTimeView{9900, 8000, "0.1s", "2s"}));
    EXPECT_EQ(gTaktLink[0], kFalse);
    EXPECT_EQ(gTaktZeit0[0], 100);
}

TEST_F(ClockPanel, UpAndDownButtonsKeepOneToNinetyNine) {
    ASSERT_NE(PlaceClock(10, 10), 0);
    EXPECT_EQ(gAnzTakte[0], 1);
    EXPECT_EQ(cmdAnzTakte_DownClick(), std::nullopt);
    EXPECT_EQ(cmdAnzTakte_UpClick(), "2");
    gAnzTakte[0] = 99;
    EXPECT_EQ(cmdAnzTakte_UpClick(), std::nullopt);
    EXPECT_EQ(gAnzTakte[0], 99);
    EXPECT_EQ(cmdAnzTakte_DownClick(), "98");
}

struct KeyUpCase {
    const char* typed;
    int stored;
    std::optional<std::string> text;
    int caret;
};

TEST_F(ClockPanel, TypingInThePulseBox) {
    ASSERT_NE(PlaceClock(10, 10), 0);
    const KeyUpCase cases[] = {
        {"25", 25, std::nullopt, 0}, {"250", 25, "25", 2}, {"0", 1, std::nullopt, 0},
        {"-3", 1, std::nullopt, 0},  {"050", 50, "50", 2}, {"7.5", 8, std::nullopt, 0},
        {"99", 99, std::nullopt, 0}, {"100", 10, "10", 2}, {"abc", 1, "0", 1},
        {"0.2", 1, std::nullopt, 0},
    };
    for (const KeyUpCase& c : cases) {
        gAnzTakte[0] = 42;
        const PulseBoxEdit edit = txtAnzTakte_KeyUp(c.typed, 0);
        EXPECT_EQ(gAnzTakte[0], c.stored) << c.typed;
        EXPECT_EQ(edit.text, c.text) << c.typed;
        if (c.text) {
            EXPECT_EQ(edit.caret, c.caret) << c.typed;
        }
        EXPECT_FALSE(edit.focusWorksheet);
    }
    EXPECT_TRUE(txtAnzTakte_KeyUp("5", 13).focusWorksheet);
}

TEST_F(ClockPanel, LeavingThePulseBox) {
    ASSERT_NE(PlaceClock(10, 10), 0);
    EXPECT_EQ(txtAnzTakte_LostFocus("0"), "1");
    EXPECT_EQ(gAnzTakte[0], 1);
    EXPECT_EQ(txtAnzTakte_LostFocus("250"), "100");
    EXPECT_EQ(gAnzTakte[0], 100);
    EXPECT_EQ(txtAnzTakte_LostFocus("37"), std::nullopt);
    EXPECT_EQ(gAnzTakte[0], 37);
}

} // namespace
} // namespace kardo::test
