// Selecting a clock generator: the clock selected so far is drawn plain again and the new one
// with its highlighted body, each at its body position.
#include "editor/panel_hooks.h"
#include "model/clock_tables.h"
#include "model/elements.h"
#include "model/grid.h"
#include "render/grafik.h"
#include "support/block_builder.h"
#include "support/core_fixture.h"

#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

constexpr Color kBodyYellow = Rgb(255, 255, 192);
constexpr Color kBodyOrange = Rgb(255, 224, 192);

class SelectTimerTest : public test::CoreFixture {
  protected:
    // The fill colours and left edges of the filled boxes drawn since the log was cleared.
    std::vector<std::pair<Color, double>> Bodies() const {
        std::vector<std::pair<Color, double>> bodies;
        for (const DrawCall& c : screen.CallsOf(DrawOp::Box))
            if (c.fillStyle == FillMode::Solid)
                bodies.emplace_back(c.fillColor, std::min(c.x1, c.x2));
        return bodies;
    }
};

TEST_F(SelectTimerTest, TheHighlightMovesFromTheOldClockToTheNewOne) {
    ASSERT_NE(test::PlaceClock(10, 5), 0);
    ASSERT_NE(test::PlaceClock(10, 15), 0);
    ASSERT_EQ(gAnzTaktgeber, 2);
    gAktTakt = 0;
    screen.ClearLog();
    SelectTimer(1);
    const std::vector<std::pair<Color, double>> bodies = Bodies();
    ASSERT_EQ(bodies.size(), 2u);
    EXPECT_EQ(bodies[0].first, kBodyYellow);
    EXPECT_EQ(bodies[1].first, kBodyOrange);
    // Each body sits three cells behind its clock's output point.
    for (int n = 0; n < 2; ++n) {
        const GridPoint out = gElements[gTaktElement[n]].Ausgaenge.Points()[0];
        EXPECT_DOUBLE_EQ(bodies[n].second, GridToPixel(out.x - 3)) << n;
    }
}

TEST_F(SelectTimerTest, WithoutClocksNothingIsDrawn) {
    screen.ClearLog();
    SelectTimer(0);
    EXPECT_TRUE(screen.Calls().empty());
}

} // namespace
} // namespace kardo
