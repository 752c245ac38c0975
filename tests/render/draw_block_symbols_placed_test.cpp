// The block symbols as the placing operations draw them: placing through the real operation
// gives the same cells, pin lists and picture as the element written straight into the grid.
#include "model/block_elements.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/placement.h"
#include "render/grafik.h"
#include "support/block_symbols.h"
#include "support/core_fixture.h"

#include <functional>

namespace kardo::test {
namespace {

struct Kind {
    const char* name;
    std::function<void()> place;                          // the placing operation
    std::function<void(int, int, std::uint8_t)> put;      // the test builder
    std::function<void(std::int16_t, std::int16_t)> draw; // the drawer at the cursor cell
};

class PlacedBlockSymbolTest : public CoreFixture {};

TEST_F(PlacedBlockSymbolTest, PlacingDrawsWhatTheBuilderAndDrawerGive) {
    const Kind kinds[] = {
        {"half adder", SetHA, [](int x, int y, std::uint8_t o) { PutHalfAdder(x, y, o); },
         [](std::int16_t x, std::int16_t y) { gGrafik.DrawHA(x, y); }},
        {"decoder", SetDecoder, [](int x, int y, std::uint8_t o) { PutDecoder(x, y, o, false); },
         [](std::int16_t x, std::int16_t y) { gGrafik.DrawDecoder(x, y, false); }},
        {"multiplexer", SetMultiplexer,
         [](int x, int y, std::uint8_t o) { PutMultiplexer(x, y, o); },
         [](std::int16_t x, std::int16_t y) { gGrafik.DrawMultiplexer(x, y); }},
        {"flip-flop", SetFlipFlop, [](int x, int y, std::uint8_t o) { PutFlipFlop(x, y, o); },
         [](std::int16_t x, std::int16_t y) { gGrafik.DrawFlipFlop(x, y, false, false); }},
        {"shift register", SetSRegister,
         [](int x, int y, std::uint8_t o) { PutShiftRegister(x, y, o); },
         [](std::int16_t x, std::int16_t y) { gGrafik.DrawSRegister(x, y); }},
    };
    constexpr std::int16_t kX = 20, kY = 14;
    for (const Kind& k : kinds) {
        for (const std::uint8_t o : {kRight, kLeft, kDown, kUp}) {
            InitProgramState();
            gCursorX = kX;
            gCursorY = kY;
            gOrientierung = o;
            screen.ClearLog();
            k.place();
            ASSERT_EQ(gAnzElemente, 1) << k.name << " " << int(o);
            const std::vector<Prim> placedPicture = ToPrims(Primitives(screen));
            ASSERT_GT(placedPicture.size(), 5u) << k.name;
            const Grid placedGrid = gGrid;
            const ElementRecord placed = gElements[1];

            InitProgramState();
            k.put(kX, kY, o);
            EXPECT_TRUE(gGrid == placedGrid) << k.name << " " << int(o);
            EXPECT_EQ(gElements[1].Eingaenge.Text(), placed.Eingaenge.Text()) << k.name;
            EXPECT_EQ(gElements[1].Ausgaenge.Text(), placed.Ausgaenge.Text()) << k.name;
            EXPECT_EQ(gElements[1].Richtung, placed.Richtung) << k.name;
            screen.ClearLog();
            gGrafik.Orientation = o;
            k.draw(kX, kY);
            EXPECT_TRUE(SamePrimitives(Primitives(screen), placedPicture))
                << k.name << " " << int(o);
        }
    }
}

TEST_F(PlacedBlockSymbolTest, PlacingANumberDisplayDrawsWhatTheBuilderAndDrawerGive) {
    gCursorX = 20;
    gCursorY = 14;
    gOrientierung = kUp;
    SetZAnzeige();
    ASSERT_EQ(gAnzElemente, 1);
    const std::vector<Prim> placedPicture = ToPrims(Primitives(screen));
    ASSERT_GT(placedPicture.size(), 5u);
    const Grid placedGrid = gGrid;
    const std::string inputs = gElements[1].Eingaenge.Text();

    InitProgramState();
    PutNumberDisplay(20, 14);
    EXPECT_TRUE(gGrid == placedGrid);
    EXPECT_EQ(gElements[1].Eingaenge.Text(), inputs);
    screen.ClearLog();
    gGrafik.DrawZAnzeige(20, 14);
    EXPECT_TRUE(SamePrimitives(Primitives(screen), placedPicture));
}

} // namespace
} // namespace kardo::test
