// The drawing object: zoomed cell size and the view variables that no drawer reads.
#include "model/codes.h"
#include "render/grafik.h"
#include "support/core_fixture.h"
#include "support/render_symbols.h"

namespace kardo::test {
namespace {

using GrafikTest = CoreFixture;

TEST_F(GrafikTest, ZoomRasterRoundsHalfToEven) {
    const struct {
        float zoom;
        int raster;
    } cases[] = {{0.6f, 8},   {1.0f, 14}, {2.5f, 35}, {1.5f, 21}, {0.75f, 10}, // 10.5 -> 10
                 {1.25f, 18},                                                  // 17.5 -> 18
                 {2.0f, 28}};
    for (const auto& c : cases) {
        gGrafik.GridMode = c.zoom;
        EXPECT_EQ(gGrafik.GetZoomRaster(), c.raster) << c.zoom;
    }
}

TEST_F(GrafikTest, StartsWithCellSizeFourteenAtZoomOneOnTheWorksheetPicture) {
    EXPECT_EQ(gGrafik.GridPixel, 14);
    EXPECT_FLOAT_EQ(gGrafik.GridMode, 1.0f);
    EXPECT_EQ(gGrafik.Device, &screen);
    EXPECT_FALSE(gGrafik.OnPrinter());
    EXPECT_EQ(gLinienFarbe, 0);
}

TEST_F(GrafikTest, VisibleAreaDoesNotChangeAnyDrawing) {
    PutGate(kTypeAnd, 10, 10, kRight, 3);
    gGrafik.Orientation = kRight;
    gGrafik.DrawUnd(10, 10, false);
    const auto before = screen.Calls().size();
    gGrafik.VStartX = 20, gGrafik.VEndX = 30, gGrafik.VStartY = 20, gGrafik.VEndY = 25;
    gGrafik.DrawUnd(10, 10, false);
    ASSERT_EQ(screen.Calls().size(), 2 * before);
    for (std::size_t i = 0; i < before; ++i) {
        const DrawCall& a = screen.Calls()[i];
        const DrawCall& b = screen.Calls()[before + i];
        EXPECT_EQ(a.op, b.op);
        EXPECT_EQ(a.x1, b.x1);
        EXPECT_EQ(a.y1, b.y1);
        EXPECT_EQ(a.x2, b.x2);
        EXPECT_EQ(a.y2, b.y2);
        EXPECT_EQ(a.text, b.text);
    }
}

TEST_F(GrafikTest, StubsUseTheOutlineColour) {
    gLinienFarbe = Rgb(0, 0, 200);
    PutGate(kTypeOr, 10, 10, kRight, 3);
    gGrafik.Orientation = kRight;
    gGrafik.DrawOder(10, 10, false);
    for (const DrawCall& c : screen.CallsOf(DrawOp::Line))
        EXPECT_EQ(c.color, Rgb(0, 0, 200));
    EXPECT_EQ(screen.CallsOf(DrawOp::Box).at(0).color, 0);
}

} // namespace
} // namespace kardo::test
