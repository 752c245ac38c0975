// Presets and size-box corrections of the new-worksheet dialog.
#include "files/new_sheet_sizes.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

struct Correction {
    const char* typed;
    const char* width;  // width box while typing
    const char* height; // height box while typing
    const char* leave;  // either box on leaving it
};

TEST(NewSheetSizesTest, BoxCorrections) {
    const Correction cases[] = {
        {"5", "5", "5", "10"}, // a single digit waits until the box is left
        {"50", "50", "50", "50"},
        {"80", "80", "70", "80"}, // the height stops at 70 while
                                  // typing
        {"150", "100", "70", "100"},
        {"09", "10", "10", "10"},
        {"ab", "10", "10", "10"},
        {"", "", "", "10"},
        {"100", "100", "70", "100"},
        {"101", "100", "70", "100"},
        {"70", "70", "70", "70"},
        {"71", "71", "70", "71"},
        {"10", "10", "10", "10"},
        {"ä", "ä", "ä", "10"}, // one character, two bytes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CorrectWidthWhileTyping(c.typed), c.width) << c.typed;
        EXPECT_EQ(CorrectHeightWhileTyping(c.typed), c.height) << c.typed;
        EXPECT_EQ(CorrectSizeOnLeave(c.typed), c.leave) << c.typed;
    }
}

TEST(NewSheetSizesTest, OptionsFillTheBoxes) {
    struct Case {
        int option;
        bool fills;
        const char* x;
        const char* y;
    };
    const Case cases[] = {
        {0, true, "40", "25"}, {1, true, "50", "30"}, {2, true, "70", "45"}, {3, false, "7", "8"}};
    for (const auto& c : cases) {
        std::string x = "7";
        std::string y = "8";
        EXPECT_EQ(NewSheetOptionTexts(c.option, x, y), c.fills) << c.option;
        EXPECT_EQ(x, c.x) << c.option;
        EXPECT_EQ(y, c.y) << c.option;
    }
}

// Fault: the "Mittel" and "Groß" options showed 60 x 35 and 80 x 50 in the size boxes but
// created 50 x 30 and 70 x 45 sheets.
TEST(NewSheetSizesTest, EachPresetShowsTheSizeItCreates) {
    for (int option = 0; option <= 2; ++option) {
        std::string x;
        std::string y;
        ASSERT_TRUE(NewSheetOptionTexts(option, x, y));
        const SheetSize made = NewSheetSizeFor(option, "", "");
        EXPECT_EQ(x, std::to_string(made.width)) << option;
        EXPECT_EQ(y, std::to_string(made.height)) << option;
    }
}

TEST(NewSheetSizesTest, TheSizeCreatedForEachOption) {
    EXPECT_EQ(NewSheetSizeFor(0, "40", "25"), (SheetSize{40, 25}));
    EXPECT_EQ(NewSheetSizeFor(1, "50", "30"), (SheetSize{50, 30}));
    EXPECT_EQ(NewSheetSizeFor(2, "70", "45"), (SheetSize{70, 45}));
    EXPECT_EQ(NewSheetSizeFor(3, "33", "22"), (SheetSize{33, 22}));
    EXPECT_EQ(NewSheetSizeFor(3, "3", "500"), (SheetSize{10, 100}));
    EXPECT_EQ(NewSheetSizeFor(3, "12.5", "13.5"), (SheetSize{12, 14}));
}

} // namespace
} // namespace kardo
