// Negation points: the circle's place by the element's orientation and the pin's side, its size
// at several zooms, and its fill on the worksheet and the printer.
#include "model/codes.h"
#include "model/grid.h"
#include "render/grafik.h"
#include "support/core_fixture.h"
#include "support/render_symbols.h"

namespace kardo::test {
namespace {

using NegationPointTest = CoreFixture;

struct OffsetCase {
    std::uint8_t richtung;
    bool input;
    int dx;
    int dy;
};

// A three-input AND anchored at (10, 10): its first input pin and its output pin.
GridPoint FirstInput(std::uint8_t o) {
    return o == kLeft || o == kRight ? GridPoint{10, 9} : GridPoint{9, 10};
}
GridPoint Output(std::uint8_t o) {
    switch (o) {
    case kRight:
        return {12, 10};
    case kLeft:
        return {8, 10};
    case kDown:
        return {10, 12};
    default:
        return {10, 8};
    }
}

TEST_F(NegationPointTest, CircleSitsOnTheWireSideOfThePin) {
    const OffsetCase cases[] = {
        {kRight, true, -4, 0}, {kRight, false, 4, 0}, {kLeft, true, 4, 0}, {kLeft, false, -4, 0},
        {kDown, true, 0, -4},  {kDown, false, 0, 4},  {kUp, true, 0, 4},   {kUp, false, 0, -4},
    };
    for (const OffsetCase& c : cases) {
        InitProgramState();
        screen.ClearLog();
        PutGate(kTypeAnd, 10, 10, c.richtung, 3);
        gGrafik.Orientation = 0; // the drawer takes the orientation from the element
        const GridPoint pin = c.input ? FirstInput(c.richtung) : Output(c.richtung);
        gGrafik.DrawNegationsPunkt(pin.x, pin.y);
        ASSERT_EQ(screen.Calls().size(), 1u);
        const DrawCall& circle = screen.Calls()[0];
        EXPECT_EQ(circle.op, DrawOp::Circle);
        EXPECT_DOUBLE_EQ(circle.x1, GridToPixel(pin.x) + c.dx) << int(c.richtung) << c.input;
        EXPECT_DOUBLE_EQ(circle.y1, GridToPixel(pin.y) + c.dy) << int(c.richtung) << c.input;
        EXPECT_DOUBLE_EQ(circle.x2, 3.0);
        EXPECT_EQ(circle.color, 0);
        EXPECT_EQ(circle.fillColor, Rgb(192, 192, 192));
        EXPECT_EQ(circle.fillStyle, FillMode::Solid);
    }
}

TEST_F(NegationPointTest, OffsetRoundsHalfToEvenAndRadiusScales) {
    const struct {
        float zoom;
        int offset;
    } cases[] = {{0.6f, 2}, {1.0f, 4}, {2.5f, 10}, {1.5f, 6}, {0.625f, 2}}; // 2.5 -> 2 (even)
    for (const auto& c : cases) {
        screen.ClearLog();
        InitProgramState();
        gGrafik.GridMode = c.zoom;
        PutGate(kTypeOr, 10, 10, kRight, 3);
        gGrafik.DrawNegationsPunkt(12, 10);
        const DrawCall circle = screen.CallsOf(DrawOp::Circle).at(0);
        EXPECT_DOUBLE_EQ(circle.x1, GridToPixel(12) + c.offset) << c.zoom;
        EXPECT_DOUBLE_EQ(circle.x2, 3.0 * static_cast<double>(c.zoom)) << c.zoom;
    }
}

TEST_F(NegationPointTest, ACellThatIsNoInputCountsAsOutput) {
    PutGate(kTypeXor, 10, 10, kRight, 3);
    gGrafik.DrawNegationsPunkt(11, 10); // a body cell
    EXPECT_DOUBLE_EQ(screen.Calls().at(0).x1, GridToPixel(11) + 4);
}

TEST_F(NegationPointTest, OrientationOutsideOneToFourPutsTheCircleOnTheCentre) {
    const std::int16_t e = PutGate(kTypeAnd, 10, 10, kRight, 3);
    gElements[static_cast<std::size_t>(e)].Richtung = 7;
    gGrafik.DrawNegationsPunkt(10, 9);
    EXPECT_DOUBLE_EQ(screen.Calls().at(0).x1, GridToPixel(10));
    EXPECT_DOUBLE_EQ(screen.Calls().at(0).y1, GridToPixel(9));
}

TEST_F(NegationPointTest, PrinterCircleIsWhite) {
    gGrafik.Device = &printer;
    PutGate(kTypeAnd, 10, 10, kRight, 3);
    gGrafik.DrawNegationsPunkt(10, 9);
    EXPECT_EQ(printer.Calls().at(0).fillColor, Rgb(255, 255, 255));
    EXPECT_EQ(printer.Calls().at(0).color, 0);
}

TEST_F(NegationPointTest, DrawsWhetherOrNotTheCellCarriesTheMark) {
    PutGate(kTypeAnd, 10, 10, kRight, 3);
    ASSERT_EQ(gGrid(10, 11).Punkt, kPointNone);
    gGrafik.DrawNegationsPunkt(10, 11);
    EXPECT_EQ(screen.CallsOf(DrawOp::Circle).size(), 1u);
}

} // namespace
} // namespace kardo::test
