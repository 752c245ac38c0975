// Symbols repainted by the running simulation, checked in the worksheet picture: the LED keeps
// its black outline and a connection point stays a solid dot in its wire's colour, whatever pen
// the last wire step left behind.
#include "model/grid.h"
#include "model/sim_levels.h"
#include "render/redraw.h"
#include "simulation/power.h"
#include "simulation/user_interaction.h"
#include "support/builder.h"
#include "support/qt/image_fixture.h"

namespace kardo::test {
namespace {

constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kRed = Rgb(255, 0, 0);
constexpr Color kGrey = Rgb(128, 128, 128);
constexpr Color kLedGrey = Rgb(224, 224, 224);

class LiveSymbolPixelTest : public ImageFixture {
  protected:
    // A switch at (2, 5) with a wire to an LED at (12, 5); a branch down from (6, 5) through a
    // connection point to an LED at (6, 9).
    void SetUp() override {
        LayWire(2, 5, 12, 5);
        ASSERT_NE(PlaceSwitch(2, 5), 0);
        ASSERT_NE(PlaceLed(12, 5), 0);
        LayWire(6, 5, 6, 9);
        ASSERT_TRUE(SetPoint(6, 5));
        ASSERT_NE(PlaceLed(6, 9), 0);
        RedrawAllElements(0);
        PowerOnOff();
        ASSERT_TRUE(gPowerOn);
    }
    void TearDown() override {
        if (gPowerOn)
            PowerOnOff();
    }
    static void Click() {
        gCursorX = 2;
        gCursorY = 5;
        InitSwitchOn();
    }
    Color At(int x, int y, int dx = 0, int dy = 0) const {
        return image.PixelAt(GridToPixel(x) + dx, GridToPixel(y) + dy);
    }
};

// Fault: an LED that changed level while powered lost its black outline: it was drawn in the
// pen colour the wire step had left (red when lit, white when it went out).
TEST_F(LiveSymbolPixelTest, LedKeepsItsBlackOutlineWhenItsLevelChanges) {
    for (const int lit : {1, 0, 1, 0}) {
        Click();
        for (const auto& [x, y] : {std::pair{12, 5}, {6, 9}}) {
            EXPECT_EQ(At(x, y), lit ? kRed : kLedGrey) << x << "," << y << " lit " << lit;
            EXPECT_EQ(At(x, y, 0, -6), kBlack) << x << "," << y << " lit " << lit;
            EXPECT_EQ(At(x, y, 0, 6), kBlack) << x << "," << y << " lit " << lit;
        }
    }
}

// Fault: a connection point that had carried a signal became a pale square (drawn with the
// white pen of the falling level's side lines).
TEST_F(LiveSymbolPixelTest, ConnectionPointStaysASolidDotInItsWiresColour) {
    EXPECT_EQ(At(6, 5), kGrey);
    EXPECT_EQ(At(6, 5, 1, 1), kGrey);
    for (const int lit : {1, 0, 1, 0}) {
        Click();
        const Color wire = lit ? kRed : kGrey;
        for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 1}, {-1, -1}, {2, -2}, {-2, 2}})
            EXPECT_EQ(At(6, 5, dx, dy), wire) << dx << "," << dy << " lit " << lit;
    }
}

} // namespace
} // namespace kardo::test
