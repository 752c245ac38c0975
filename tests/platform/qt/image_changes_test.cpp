// The boxes the worksheet picture notes as changed, from which the canvas repaints.
#include "platform/qt/picture_target.h"

#include <tuple>

#include <gtest/gtest.h>

namespace kardo {
namespace {

constexpr PolyPoint kWire[] = {{30, 40}, {90, 40}, {90, 70}, {120, 95}};
constexpr PolyPoint kShape[] = {{40, 20}, {70, 30}, {55, 60}};

void DottedLine(ImageTarget& t) {
    t.DrawStyle = LineStyle::Dotted;
    t.Line(10, 50, 70, 50, 0, LineKind::Plain);
}

// Pixels all over the picture: more places than boxes are kept apart.
void Scatter(ImageTarget& t) {
    for (int i = 0; i < 60; ++i)
        t.SetPixel(7 + (i * 37) % 180, 5 + (i * 53) % 140, 255);
}

// Fault: the canvas repainted the whole viewport after every click, not knowing what changed.
TEST(ImageChanges, EveryPixelADrawingCallChangesLiesInANotedBox) {
    const std::tuple<const char*, void (*)(ImageTarget&), int> cases[] = {
        {"line", [](ImageTarget& t) { t.Line(10.4, 20, 60, 47.6, 255, LineKind::Plain); }, 7500},
        {"dotted line", DottedLine, 7500},
        {"box", [](ImageTarget& t) { t.Line(40, 40, 50, 66, 0, LineKind::Box); }, 7500},
        {"circle", [](ImageTarget& t) { t.Circle(100, 60, 7.5, 0); }, 7500},
        {"point", [](ImageTarget& t) { t.PSet(33.5, 12.5, 255); }, 7500},
        {"text", [](ImageTarget& t) { t.Print("JK 01"); }, 7500},
        {"polyline", [](ImageTarget& t) { t.Polyline(kWire); }, 7500},
        {"polygon", [](ImageTarget& t) { t.Polygon(kShape); }, 7500},
        {"scattered pixels", Scatter, 30000},
    };
    for (const auto& [name, draw, mostCovered] : cases) { // most pixels the boxes may cover
        ImageTarget target(200, 150);
        target.FillStyle = FillMode::Solid, target.CurrentX = 80.3, target.CurrentY = 30.6;
        target.ForgetChanges();
        const QImage before = target.Image().copy();
        draw(target);
        ASSERT_FALSE(target.ChangedEverything()) << name;
        int changed = 0, covered = 0;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x) {
                const bool in = std::ranges::any_of(target.ChangedBoxes(), [&](const PixelBox& b) {
                    return b.Contains({x, y, 1, 1});
                });
                const bool differs = before.pixel(x, y) != target.Image().pixel(x, y);
                covered += in, changed += differs;
                EXPECT_TRUE(in || !differs) << name << " " << x << "," << y;
            }
        EXPECT_GT(changed, 0) << name;
        EXPECT_LE(covered, mostCovered) << name;
    }
}

TEST(ImageChanges, OnlyTheKeptPartIsNotedAndANewPictureIsChangedEverywhere) {
    PictureTarget picture;
    picture.Resize(2000, 1500);
    picture.SetWindow({600, 400, 300, 200});
    EXPECT_TRUE(picture.ChangedEverything());
    picture.ForgetChanges();
    picture.Line(0, 100, 500, 100, 0, LineKind::Plain); // beside the kept part
    EXPECT_FALSE(picture.Changed());
    picture.Line(0, 450, 1999, 450, 0, LineKind::Plain);
    ASSERT_EQ(picture.ChangedBoxes().size(), 1U);
    EXPECT_EQ(picture.ChangedBoxes()[0], (PixelBox{600, 450, 300, 1}));
    picture.SetWindow({700, 400, 300, 200});
    EXPECT_TRUE(picture.ChangedEverything());
    picture.ForgetChanges();
    picture.Clear();
    EXPECT_TRUE(picture.ChangedEverything());
}

} // namespace
} // namespace kardo
