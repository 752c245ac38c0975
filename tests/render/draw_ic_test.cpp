// The IC symbol: box over the package from the first placed pin, stubs and names of the pins by
// their edge, the bold name in the middle, the outline only, the printer's white box and
// smaller texts, and the pin mark of an IC pin.
#include "app/settings.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "platform/recording_target.h"
#include "render/grafik.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"
#include "support/ic_circuits.h"
#include "support/ic_files.h"

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

namespace kardo::test {
namespace {

constexpr Color kYellow = Rgb(255, 255, 192);

class DrawICTest : public CoreFixture {
  protected:
    DrawICTest() {
        gVerzeichnisse[1] = dir.Path() + "/";
        // box46: package 4 x 6 with a pin on each edge and one on the top-left corner.
        FreshSheet(12, 8);
        for (int y : {1, 3, 5})
            LayWire(1, y, 3, y);
        for (int y : {1, 3})
            LayWire(6, y, 8, y);
        pins = {{"A", 1, 1, 0, 1},
                {"B", 8, 1, 4, 2},
                {"C", 1, 3, 2, 0},
                {"D", 8, 3, 1, 6},
                {"E", 1, 5, 0, 0}};
    }
    // Places box46 (with the given pins) so that its first placed pin lies at (10, 10).
    void PlaceBox() {
        WriteICDefinition(dir.Path() + "/", "box46", pins, 4, 6);
        FreshSheet(40, 30);
        ASSERT_NE(PlaceIC("box46", 10, 9), 0);
        gGrafik.Device = &screen;
        screen.ClearLog();
    }
    std::vector<DrawCall> Boxes(const RecordingTarget& t) const { return t.CallsOf(DrawOp::Box); }
    std::vector<ICPinSpec> pins;
    TempDir dir;
};

// An IC of 4 x 6 cells whose first pin is at (0, 1) and whose first pin cell is (10, 10): its
// top-left cell is (10, 9) and the box runs from pixel (147, 133) to (203, 217).
TEST_F(DrawICTest, TheBoxCoversThePackageFromTheFirstPin) {
    PlaceBox();
    gGrafik.DrawIC(10, 10, 1, false);
    const std::vector<DrawCall> boxes = Boxes(screen);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].x1, 147);
    EXPECT_EQ(boxes[0].y1, 133);
    EXPECT_EQ(boxes[0].x2, 203);
    EXPECT_EQ(boxes[0].y2, 217);
    EXPECT_EQ(boxes[0].fillStyle, FillMode::Solid);
    EXPECT_EQ(boxes[0].fillColor, kYellow);
    EXPECT_EQ(boxes[0].color, 0);
}

TEST_F(DrawICTest, PinsGetStubsAndNamesByTheirEdge) {
    PlaceBox();
    gGrafik.DrawIC(10, 10, 1, false);
    // Stubs of half a cell outwards: A left, B right, C up, D down, E (a corner) left.
    struct Stub {
        double x1, y1, x2, y2;
    };
    const Stub stubs[] = {{147, 147, 140, 147},
                          {203, 161, 210, 161},
                          {175, 133, 175, 126},
                          {161, 217, 161, 224},
                          {147, 133, 140, 133}};
    const std::vector<DrawCall> lines = screen.CallsOf(DrawOp::Line);
    ASSERT_EQ(lines.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(lines[i].x1, stubs[i].x1) << i;
        EXPECT_EQ(lines[i].y1, stubs[i].y1) << i;
        EXPECT_EQ(lines[i].x2, stubs[i].x2) << i;
        EXPECT_EQ(lines[i].y2, stubs[i].y2) << i;
        EXPECT_EQ(lines[i].color, 0) << i;
    }
    const std::vector<DrawCall> texts = screen.CallsOf(DrawOp::Print);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0].text, "box46");
    EXPECT_TRUE(texts[0].fontBold);
    EXPECT_EQ(texts[0].fontSize, 9.0);
    // The name is centred with the size it has at 10 points, bold.
    RecordingTarget m;
    m.FontSize = 10;
    m.FontBold = true;
    EXPECT_EQ(texts[0].currentX, std::nearbyint(63.0 / 2 + 147 - m.TextWidth("box46") / 2));
    EXPECT_EQ(texts[0].currentY, std::nearbyint(91.0 / 2 + 133 - m.TextHeight("box46") / 2));
    m.FontSize = 8;
    m.FontBold = false;
    const double w = m.TextWidth("A");
    const double h = m.TextHeight("A");
    EXPECT_EQ(texts[1].text, "A");
    EXPECT_EQ(texts[1].currentX, 147 + 4);              // inside the left edge
    EXPECT_EQ(texts[1].currentY, 21 + 133 - 7 - h / 2); // centred on its row
    EXPECT_EQ(texts[2].currentX, 203 - w - 2);          // right-aligned on the right
    EXPECT_EQ(texts[3].currentY, 133 + 2);              // below the top edge
    EXPECT_EQ(texts[4].currentY, 217 - h);              // on the bottom edge
    EXPECT_EQ(texts[4].currentX, 21 + 147 - 7 - w / 2); // centred on its column
    EXPECT_EQ(texts[5].currentX, 147 + 4) << "a corner pin is a left-edge pin";
    for (std::size_t i = 1; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].fontSize, 8.0);
        EXPECT_FALSE(texts[i].fontBold);
    }
}

// A definition with two pins on one place or a pin off the outline was refused; such pins are
// not drawn (and have no cell).
TEST_F(DrawICTest, PinsOffTheOutlineOrOnATakenPlaceAreNotDrawn) {
    pins[1] = {"B", 8, 1, 0, 1}; // on A's place
    pins[3] = {"D", 8, 3, 2, 3}; // inside the package
    PlaceBox();
    EXPECT_EQ(gElements[1].Eingaenge.Count(), 3u);
    gGrafik.DrawIC(10, 10, 1, false);
    EXPECT_EQ(screen.CallsOf(DrawOp::Line).size(), 3u);
    EXPECT_EQ(screen.CallsOf(DrawOp::Print).size(), 4u) << "the name, A, C and E";
}

// Regression: the box was anchored on pin 1 even when pin 1 had no place on the outline, which
// shifted the box away from the package.
TEST_F(DrawICTest, TheBoxIsAnchoredOnTheFirstPinThatHasAPlace) {
    pins[0].a = -1; // A has no place: the first pin cell is B's
    pins.push_back({"F", 1, 7, 0, 3});
    LayWire(1, 7, 3, 7);
    WriteICDefinition(dir.Path() + "/", "box46", pins, 4, 6);
    FreshSheet(40, 30);
    ASSERT_NE(PlaceIC("box46", 10, 9), 0);
    gGrafik.Device = &screen;
    screen.ClearLog();
    const GridPoint first = gElements[1].Eingaenge.Points()[0];
    EXPECT_EQ(first, (GridPoint{14, 11})) << "B's cell";
    gGrafik.DrawIC(first.x, first.y, 1, false);
    const std::vector<DrawCall> boxes = Boxes(screen);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].x1, 147);
    EXPECT_EQ(boxes[0].y1, 133);
    EXPECT_EQ(screen.CallsOf(DrawOp::Print).size(), 6u) << "the name and five pins: A has none";
}

TEST_F(DrawICTest, OnlyTheBorderIsATransparentBox) {
    PlaceBox();
    gGrafik.DrawIC(10, 10, 1, true);
    ASSERT_EQ(screen.Calls().size(), 1u);
    EXPECT_EQ(screen.Calls()[0].op, DrawOp::Box);
    EXPECT_EQ(screen.Calls()[0].fillStyle, FillMode::Transparent);
}

TEST_F(DrawICTest, OnThePrinterTheBoxIsWhiteAndTheTextsSmaller) {
    PlaceBox();
    gGrafik.Device = &printer;
    gGrafik.GridMode = 10.0f;
    gGrafik.DrawIC(10, 10, 1, false);
    const std::vector<DrawCall> boxes = Boxes(printer);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].fillColor, Rgb(255, 255, 255));
    const std::vector<DrawCall> texts = printer.CallsOf(DrawOp::Print);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_DOUBLE_EQ(texts[0].fontSize, 1.08 * 10);
    EXPECT_DOUBLE_EQ(texts[1].fontSize, 0.95 * 10);
    EXPECT_TRUE(screen.CallsOf(DrawOp::Print).empty()) << "the screen only measures";
}

TEST_F(DrawICTest, InstanceZeroDrawsNothing) {
    PlaceBox();
    gGrafik.DrawIC(10, 10, 0, false);
    gGrafik.DrawIC(10, 10, 9, false);
    EXPECT_TRUE(screen.Calls().empty());
}

TEST_F(DrawICTest, ThePinMarkKeepsItsSizeOnTheScreen) {
    gGrafik.Device = &screen;
    gGrafik.GridMode = 2.0f;
    gGrafik.DrawICInOut(3, 4);
    gGrafik.Device = &printer;
    gGrafik.DrawICInOut(3, 4);
    const std::vector<DrawCall> s = screen.CallsOf(DrawOp::Circle);
    const std::vector<DrawCall> p = printer.CallsOf(DrawOp::Circle);
    ASSERT_EQ(s.size(), 1u);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(s[0].x1, GridToPixel(3));
    EXPECT_EQ(s[0].y1, GridToPixel(4));
    EXPECT_EQ(s[0].x2, 3.0);
    EXPECT_EQ(s[0].fillColor, Rgb(0, 0, 255));
    EXPECT_EQ(p[0].x2, 6.0);
    EXPECT_EQ(p[0].fillColor, Rgb(192, 192, 192));
}

} // namespace
} // namespace kardo::test
