// The worksheet picture's pixels where they are exactly defined: raw lines without their last
// point, wire steps and runs in their level colours, erased runs with their grid dots, and the
// font mapping of the Qt targets.
#include "model/codes.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "platform/qt/image_target.h"
#include "render/draw_common.h"
#include "render/grafik.h"
#include "render/view.h"
#include "support/core_fixture.h"
#include "support/render_symbols.h"

#include <QFontInfo>

namespace kardo::test {
namespace {

constexpr Color kRed = Rgb(255, 0, 0);
constexpr Color kGrey = Rgb(128, 128, 128);
constexpr Color kWhite = Rgb(255, 255, 255);

class ImagePixelTest : public CoreFixture {
  protected:
    ImagePixelTest() {
        platform.screen = &image;
        gGrafik.Device = &image;
    }
    // Switches the circuit on with level 0 a copy of the worksheet.
    void PowerOn() {
        gLevels.at(0).Feld = gGrid;
        gPowerOn = true;
    }
    // Every pixel of row y from x1 to x2 (inclusive) has colour c.
    ::testing::AssertionResult Row(int y, int x1, int x2, Color c) const {
        for (int x = x1; x <= x2; ++x)
            if (image.PixelAt(x, y) != c)
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << image.PixelAt(x, y);
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult Column(int x, int y1, int y2, Color c) const {
        for (int y = y1; y <= y2; ++y)
            if (image.PixelAt(x, y) != c)
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << image.PixelAt(x, y);
        return ::testing::AssertionSuccess();
    }

    ImageTarget image{714, 434}; // the worksheet picture of a 50 x 30 sheet
};

TEST_F(ImagePixelTest, PolylineLeavesOutItsLastPoint) {
    const PolyPoint points[] = {{10, 10}, {20, 10}, {20, 15}};
    image.ForeColor = kRed;
    image.Polyline(points);
    EXPECT_TRUE(Row(10, 10, 20, kRed));
    EXPECT_TRUE(Column(20, 10, 14, kRed));
    EXPECT_EQ(image.PixelAt(20, 15), kWhite);
    EXPECT_EQ(image.PixelAt(9, 10), kWhite);
}

TEST_F(ImagePixelTest, LineAndBoxIncludeTheirEnds) {
    image.Line(10, 30, 20, 30, kGrey, LineKind::Plain);
    EXPECT_TRUE(Row(30, 10, 20, kGrey));
    EXPECT_EQ(image.PixelAt(21, 30), kWhite);
    image.FillStyle = FillMode::Solid;
    image.FillColor = Rgb(255, 255, 192);
    image.Line(40, 40, 50, 46, 0, LineKind::Box);
    EXPECT_TRUE(Row(40, 40, 50, 0));
    EXPECT_TRUE(Row(46, 40, 50, 0));
    EXPECT_TRUE(Column(40, 40, 46, 0));
    EXPECT_TRUE(Column(50, 40, 46, 0));
    EXPECT_TRUE(Row(43, 41, 49, Rgb(255, 255, 192)));
    EXPECT_EQ(image.PixelAt(51, 43), kWhite);
}

TEST_F(ImagePixelTest, DottedLineSetsEveryOtherPixel) {
    image.DrawStyle = LineStyle::Dotted;
    image.Line(10, 50, 16, 50, 0, LineKind::Plain);
    for (int x = 10; x <= 16; ++x)
        EXPECT_EQ(image.PixelAt(x, 50), (x - 10) % 2 == 0 ? 0 : kWhite) << x;
}

TEST_F(ImagePixelTest, PixelsOutsideThePictureAreIgnored) {
    image.PSet(-1, -1, kRed);
    image.SetPixel(714, 0, kRed);
    image.SetPixel(0, 434, kRed);
    EXPECT_EQ(image.PixelAt(0, 0), kWhite);
}

TEST_F(ImagePixelTest, HighStepPaintsAThreePixelRedBand) {
    PutWire(3, 5, 8, 5);
    PowerOn();
    gGrafik.DrawLines(5, 5, 1, 1); // from (5, 5) to (6, 5): centres 77 and 91
    for (const int y : {76, 77, 78}) {
        EXPECT_TRUE(Row(y, 77, 91, kRed)) << y;
        EXPECT_EQ(image.PixelAt(76, y), kWhite);
        EXPECT_EQ(image.PixelAt(92, y), kWhite);
    }
    EXPECT_TRUE(Row(75, 70, 100, kWhite));
    EXPECT_TRUE(Row(79, 70, 100, kWhite));
}

TEST_F(ImagePixelTest, VerticalHighStepPaintsAThreePixelRedBand) {
    PutWire(5, 3, 5, 8);
    PowerOn();
    gGrafik.DrawLines(5, 6, 4, 1); // from (5, 6) up to (5, 5)
    for (const int x : {76, 77, 78})
        EXPECT_TRUE(Column(x, 77, 91, kRed)) << x;
    EXPECT_TRUE(Column(75, 70, 100, kWhite));
    EXPECT_TRUE(Column(79, 70, 100, kWhite));
}

TEST_F(ImagePixelTest, LowStepIsOneGreyLineBetweenWhiteRows) {
    PutWire(3, 5, 8, 5);
    PowerOn();
    gGrafik.DrawLines(5, 5, 1, 1);
    gGrafik.DrawLines(5, 5, 1, 0);
    EXPECT_TRUE(Row(77, 77, 91, kGrey));
    EXPECT_TRUE(Row(76, 70, 100, kWhite));
    EXPECT_TRUE(Row(78, 70, 100, kWhite));
}

TEST_F(ImagePixelTest, LowStepKeepsTheBandOfAHighCrossingWire) {
    PutWire(3, 5, 8, 5);
    PutWire(5, 3, 5, 8); // a vertical wire crossing at (5, 5)
    PowerOn();
    gGrafik.DrawLines(5, 4, 3, 1); // the vertical wire is high down to (5, 5)
    gGrafik.DrawLines(5, 5, 3, 1);
    gLevels[0].Feld(5, 5).Pegel = kTrue;
    gGrafik.DrawLines(5, 5, 1, 0); // the horizontal step from the crossing goes low
    for (const int x : {76, 77, 78}) {
        EXPECT_EQ(image.PixelAt(x, 76), kRed) << x;
        EXPECT_EQ(image.PixelAt(x, 78), kRed) << x;
    }
    EXPECT_TRUE(Row(76, 79, 91, kWhite));
}

TEST_F(ImagePixelTest, HighRunPaintsBothEndPixels) {
    PutWire(2, 3, 6, 3);
    gGrid(2, 3).PegelH = kTrue;
    gGrid(6, 3).PegelH = kTrue;
    gGrafik.PaintLine(2, 3, 6, 3, false);
    for (const int y : {48, 49, 50})
        EXPECT_TRUE(Row(y, 35, 91, kRed)) << y;
    EXPECT_EQ(image.PixelAt(92, 49), kWhite);
    EXPECT_EQ(image.PixelAt(34, 49), kWhite);
}

TEST_F(ImagePixelTest, LowRunLeavesOutItsEndPixel) {
    PutWire(2, 3, 6, 3);
    gGrafik.PaintLine(2, 3, 6, 3, false);
    EXPECT_TRUE(Row(49, 35, 90, kGrey));
    EXPECT_EQ(image.PixelAt(91, 49), kWhite);
}

TEST_F(ImagePixelTest, ErasingAOneStepRunRestoresBothGridDots) {
    DrawGrid();
    ASSERT_EQ(image.PixelAt(35, 49), kGrey);
    ASSERT_EQ(image.PixelAt(40, 49), kWhite);
    PutWire(2, 3, 3, 3);
    gGrafik.PaintLine(2, 3, 3, 3, false);
    ASSERT_TRUE(Row(49, 35, 48, kGrey));
    gGrafik.PaintLine(2, 3, 3, 3, true);
    EXPECT_EQ(image.PixelAt(35, 49), kGrey);
    EXPECT_TRUE(Row(49, 36, 48, kWhite));
    EXPECT_EQ(image.PixelAt(49, 49), kGrey);
}

TEST_F(ImagePixelTest, FontNamesMapOntoTheInstalledLiberationFonts) {
    EXPECT_EQ(MapFontFamily("Arial"), "Liberation Sans");
    EXPECT_EQ(MapFontFamily("Symbol"), "Liberation Sans");
    EXPECT_EQ(MapFontFamily("Courier New"), "Liberation Mono");
    EXPECT_EQ(MapFontFamily("DejaVu Sans"), "DejaVu Sans");
    image.FontName = "Arial";
    image.FontSize = 10;
    EXPECT_EQ(QFontInfo(TargetFont(image)).family(), "Liberation Sans");
}

TEST_F(ImagePixelTest, TextIsMeasuredAtNinetySixDotsPerInch) {
    image.FontName = "Arial";
    image.FontSize = 30;
    const double small = image.TextWidth("MMMM");
    image.FontSize = 60;
    EXPECT_NEAR(image.TextWidth("MMMM") / small, 2.0, 0.1);
    // A 30-point line is about 40 pixels: 30 * 96 / 72, plus the font's leading.
    image.FontSize = 30;
    EXPECT_GT(image.TextHeight("M"), 40.0);
    EXPECT_LT(image.TextHeight("M"), 52.0);
}

// What lies under a text before it is printed.
enum class Under { White, Line, Filled, Clipped };

// Draws what lies under a text at (x, y), then prints it there in colour.
void PrintOver(ImageTarget& target, double x, double y, Under under, Color colour,
               std::string_view text) {
    target.FontName = "Arial";
    target.FontSize = 10;
    target.FontBold = true;
    if (under == Under::Line)
        target.Line(x - 5, y + 7, x + 20, y + 7, kGrey, LineKind::Plain);
    if (under == Under::Filled || under == Under::Clipped) {
        target.FillStyle = FillMode::Solid;
        target.FillColor = Rgb(192, 255, 255);
        target.Line(x - 4, y - 3, x + 14, y + 20, Rgb(0, 0, 0), LineKind::Box);
        target.FillStyle = FillMode::Transparent;
    }
    if (under == Under::Clipped)
        target.SetClip({static_cast<int>(x), static_cast<int>(y), 5, 9});
    target.ForeColor = colour;
    target.CurrentX = x;
    target.CurrentY = y;
    target.Print(text);
    target.ClearClip();
}

TEST(ImageTextTest, ATextPrintedAgainHasThePixelsOfItsFirstPrint) {
    struct Case {
        double x;
        double y;
        Under under;
        Color colour;
        std::string_view text;
    };
    // Each text is printed at its first place, then at the others, on one picture; a picture
    // of its own shows what printing it only at that place gives.
    const Case cases[] = {
        {20.25, 20.5, Under::White, kRed, "1"},     {120.25, 40.5, Under::White, kRed, "1"},
        {220.6, 60.3, Under::White, kRed, "1"},     {320.25, 80.5, Under::Line, kRed, "1"},
        {20.25, 120.5, Under::Filled, kRed, "0"},   {120.25, 140.5, Under::Filled, kRed, "0"},
        {220.25, 160.5, Under::Filled, kGrey, "0"}, {320.25, 180.5, Under::Clipped, kRed, "0"},
        {420.25, 200.5, Under::Filled, kRed, "0"},  {20.75, 220.0, Under::White, kRed, "J"},
        {120.75, 240.0, Under::Line, kRed, "J"},    {220.75, 260.0, Under::White, kRed, "J"},
    };
    ImageTarget repeated(600, 300);
    for (const Case& c : cases) {
        PrintOver(repeated, c.x, c.y, c.under, c.colour, c.text);
        ImageTarget once(600, 300);
        PrintOver(once, c.x, c.y, c.under, c.colour, c.text);
        const int x0 = static_cast<int>(c.x) - 8;
        const int y0 = static_cast<int>(c.y) - 8;
        for (int y = y0; y < y0 + 32; ++y)
            for (int x = x0; x < x0 + 28; ++x)
                ASSERT_EQ(repeated.PixelAt(x, y), once.PixelAt(x, y))
                    << "pixel (" << x << ", " << y << ") of \"" << c.text << "\" at " << c.x << ", "
                    << c.y;
    }
}

// The drawers skip a call that cannot reach the clip: every pixel a text or line paints on a
// picture of its own is painted too when the clip is that one pixel.
TEST_F(ImagePixelTest, ACallIsSkippedOnlyWhereItCannotReachTheClip) {
    struct Case {
        double points; // font size
        bool bold;
        std::string_view text;
    };
    const Case texts[] = {{4.8, false, "S"},           {8, true, "J"},   {20, true, "W"},
                          {20, false, "\xE2\x89\xA5"}, {12, true, "Mj"}, {25, true, "0"}};
    const auto paint = [](ImageTarget& target, const Case* text) {
        gGrafik.Device = &target;
        target.FontName = "Arial";
        if (text != nullptr) {
            target.FontSize = text->points;
            target.FontBold = text->bold;
            target.ForeColor = kRed;
            draw::PrintAt(20.4, 15.6, text->text);
        } else {
            draw::LineTo(10.5, 12.5, 60.5, 33.4, kGrey);
            target.FillStyle = FillMode::Solid;
            target.FillColor = kRed;
            draw::Box(30.5, 35.5, 44.5, 52.5);
        }
    };
    for (int k = 0; k <= static_cast<int>(std::size(texts)); ++k) {
        const Case* text = k < static_cast<int>(std::size(texts)) ? &texts[k] : nullptr;
        ImageTarget whole(90, 70);
        paint(whole, text);
        int painted = 0;
        for (int y = 0; y < 70; ++y) {
            for (int x = 0; x < 90; ++x) {
                if (whole.PixelAt(x, y) == kWhite)
                    continue;
                ++painted;
                ImageTarget part(90, 70);
                part.SetClip({x, y, 1, 1});
                paint(part, text);
                ASSERT_EQ(part.PixelAt(x, y), whole.PixelAt(x, y))
                    << "pixel (" << x << ", " << y << ") of " << (text ? text->text : "lines");
            }
        }
        EXPECT_GT(painted, 10);
    }
    gGrafik.Device = &image;
}

// A replayed repaint leaves what its drawing left: the pixels in the clip and the properties.
TEST(ImageReplayTest, ARepaintIsReplayedOnlyUnderItsKeyOverThePixelsItFound) {
    ImageTarget target(80, 60);
    // On a cleared picture, a red box across the clip's edge drawn through Replay: replayed?
    const auto repaint = [&](std::uint64_t key, bool lineUnder = false) {
        target.Resize(80, 60);
        if (lineUnder)
            target.Line(10, 10, 29, 29, kGrey, LineKind::Plain);
        EXPECT_TRUE(target.SetClip({10, 10, 20, 20}));
        const bool replayed = target.Replay(key);
        if (!replayed) {
            target.FillStyle = FillMode::Solid, target.FillColor = kRed;
            target.Line(5, 5, 20, 20, kGrey, LineKind::Box);
        }
        target.ClearClip();
        return replayed;
    };
    EXPECT_FALSE(repaint(7)); // remembered
    const QImage drawn = target.Image().copy();
    target.FillStyle = FillMode::Transparent;
    EXPECT_TRUE(repaint(7));
    EXPECT_EQ(target.Image(), drawn);
    EXPECT_EQ(target.FillStyle, FillMode::Solid);
    EXPECT_EQ(target.FillColor, kRed);
    EXPECT_FALSE(repaint(8)); // another key
    // Other pixels under it: drawn and remembered, then replayed over the same pixels.
    for (const bool replayed : {false, true}) {
        EXPECT_EQ(repaint(7, true), replayed);
        EXPECT_EQ(target.PixelAt(29, 29), kGrey) << "replayed " << replayed;
        EXPECT_EQ(target.PixelAt(15, 15), kRed) << "replayed " << replayed;
    }
    EXPECT_EQ(target.PixelAt(31, 31), kWhite);
}

// A replay writes and notes as changed only the pixels its repaint changed, and the oldest
// repaints give way to new ones without losing the others.
TEST(ImageReplayTest, AReplayNotesWhatItChangedAndOldRepaintsGiveWay) {
    ImageTarget target(400, 60);
    // A red box 11 x 11 pixels at (x, 10) under a 20 x 20 clip from (x, 10), drawn or replayed.
    const auto repaint = [&](std::uint64_t key, int x, bool draw) {
        target.SetClip({x, 10, 20, 20});
        const bool replayed = target.Replay(key);
        if (!replayed && draw) {
            target.FillStyle = FillMode::Solid, target.FillColor = kRed;
            target.Line(x - 5, 5, x + 10, 20, kRed, LineKind::Box);
        }
        target.ClearClip();
        return replayed;
    };
    EXPECT_FALSE(repaint(1, 10, true));
    EXPECT_FALSE(repaint(2, 40, false)); // draws nothing
    target.Resize(400, 60);
    target.ForgetChanges();
    EXPECT_TRUE(repaint(1, 10, true));
    EXPECT_TRUE(repaint(2, 40, true));
    ASSERT_EQ(target.ChangedBoxes().size(), 1U);
    EXPECT_EQ(target.ChangedBoxes()[0], (PixelBox{10, 10, 11, 11}));
    // 130 more remembered: the two above and the first two of them give way, the others
    // (looked for newest first, so that none is drawn and remembered again) are replayed.
    for (const bool again : {false, true})
        for (int k = 0; k < 130; ++k) {
            const int at = again ? 129 - k : k;
            target.Resize(400, 60);
            EXPECT_EQ(repaint(100 + at, at, true), again && at >= 2) << at;
        }
    EXPECT_FALSE(repaint(1, 10, true));
}

} // namespace
} // namespace kardo::test
