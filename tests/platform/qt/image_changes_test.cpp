// The boxes the worksheet picture notes as changed, from which the canvas repaints: every pixel a
// drawing call changes lies in them, drawing outside the kept part notes nothing, and a new or
// cleared picture counts as changed everywhere.
#include "platform/qt/image_target.h"
#include "platform/qt/picture_target.h"

#include <functional>
#include <span>

#include <QImage>

#include <gtest/gtest.h>

namespace kardo {
namespace {

bool Covered(std::span<const PixelBox> boxes, int x, int y) {
    for (const PixelBox& b : boxes)
        if (x >= b.x && y >= b.y && x < b.x + b.w && y < b.y + b.h)
            return true;
    return false;
}

struct DrawCase {
    const char* name;
    std::function<void(ImageTarget&)> draw;
    int mostNoted = 200 * 150 / 4; // pixels the boxes may cover
};

// Fault: the canvas repainted the whole viewport after every click, as the picture did not say
// what its drawing changed.
TEST(ImageChanges, EveryPixelADrawingCallChangesLiesInANotedBox) {
    constexpr Color kRed = Rgb(255, 0, 0);
    const PolyPoint wire[] = {{30, 40}, {90, 40}, {90, 70}, {120, 95}};
    const PolyPoint shape[] = {{40, 20}, {70, 30}, {55, 60}};
    const DrawCase cases[] = {
        {"slanted line",
         [&](ImageTarget& t) { t.Line(10.4, 20, 60, 47.6, kRed, LineKind::Plain); }},
        {"dotted line",
         [&](ImageTarget& t) {
             t.DrawStyle = LineStyle::Dotted;
             t.Line(10, 50, 70, 50, 0, LineKind::Plain);
         }},
        {"filled box",
         [&](ImageTarget& t) {
             t.FillStyle = FillMode::Solid;
             t.FillColor = Rgb(255, 255, 192);
             t.Line(40, 40, 50, 66, 0, LineKind::Box);
         }},
        {"circle",
         [&](ImageTarget& t) {
             t.FillStyle = FillMode::Solid;
             t.Circle(100, 60, 7.5, 0);
         }},
        {"point", [&](ImageTarget& t) { t.PSet(33.5, 12.5, kRed); }},
        {"pixel", [&](ImageTarget& t) { t.SetPixel(150, 120, kRed); }},
        {"text",
         [&](ImageTarget& t) {
             t.FontBold = true;
             t.CurrentX = 80.3;
             t.CurrentY = 30.6;
             t.Print("JK 01");
         }},
        {"polyline",
         [&](ImageTarget& t) {
             t.ForeColor = kRed;
             t.Polyline(wire);
         }},
        {"polygon",
         [&](ImageTarget& t) {
             t.FillStyle = FillMode::Solid;
             t.Polygon(shape);
         }},
        {"pixels scattered over the picture",
         [&](ImageTarget& t) {
             for (int i = 0; i < 60; ++i)
                 t.SetPixel(7 + (i * 37) % 180, 5 + (i * 53) % 140, kRed);
         },
         200 * 150},
    };
    for (const DrawCase& c : cases) {
        ImageTarget target(200, 150);
        target.ForgetChanges();
        const QImage before = target.Image().copy();
        c.draw(target);
        ASSERT_FALSE(target.ChangedEverything()) << c.name;
        int changed = 0;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                if (before.pixel(x, y) != target.Image().pixel(x, y)) {
                    ++changed;
                    EXPECT_TRUE(Covered(target.ChangedBoxes(), x, y))
                        << c.name << " " << x << "," << y;
                }
        EXPECT_GT(changed, 0) << c.name;
        int noted = 0;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                noted += Covered(target.ChangedBoxes(), x, y) ? 1 : 0;
        EXPECT_LE(noted, c.mostNoted) << c.name;
    }
}

TEST(ImageChanges, OnlyTheKeptPartIsNotedAndANewPictureIsChangedEverywhere) {
    PictureTarget picture;
    picture.Resize(2000, 1500);
    picture.SetWindow({600, 400, 300, 200});
    EXPECT_TRUE(picture.ChangedEverything());
    picture.ForgetChanges();
    picture.Line(0, 450, 1999, 450, 0, LineKind::Plain);
    ASSERT_EQ(picture.ChangedBoxes().size(), 1U);
    EXPECT_EQ(picture.ChangedBoxes()[0], (PixelBox{600, 450, 300, 1}));
    picture.ForgetChanges();
    picture.Line(0, 100, 500, 100, 0, LineKind::Plain);
    EXPECT_FALSE(picture.Changed());
    picture.SetWindow({700, 400, 300, 200});
    EXPECT_TRUE(picture.ChangedEverything());
    picture.ForgetChanges();
    picture.Clear();
    EXPECT_TRUE(picture.ChangedEverything());
}

} // namespace
} // namespace kardo
