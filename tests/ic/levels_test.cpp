// The deepest IC level and showing a simulation level on the worksheet.
#include "ic/ic_view.h"
#include "ic/levels.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/sim_levels.h"
#include "simulation/power.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using LevelsTest = test::CoreFixture;

TEST_F(LevelsTest, LowestLevelIsOneBelowTheDeepestInstance) {
    EXPECT_EQ(LowestLevel(), 1);
    struct Case {
        std::vector<std::uint8_t> depths;
        int lowest;
    };
    for (const Case& c : {Case{{0}, 1}, Case{{0, 1}, 2}, Case{{2, 0, 1}, 3}, Case{{0, 0, 4}, 5}}) {
        gICInstances.assign(c.depths.size() + 1, ICInstanceRecord{});
        for (std::size_t i = 0; i < c.depths.size(); ++i)
            gICInstances[i + 1].Tiefe = c.depths[i];
        gICInstanceMax = static_cast<std::int16_t>(c.depths.size());
        EXPECT_EQ(LowestLevel(), c.lowest);
    }
    // Only instances up to gICInstanceMax count.
    gICInstanceMax = 1;
    EXPECT_EQ(LowestLevel(), 1);
}

TEST_F(LevelsTest, ShowLevelPutsALevelOnTheWorksheetAndBack) {
    test::LayWire(2, 3, 9, 3);
    ASSERT_NE(test::PlaceSwitch(2, 3), 0);
    const Grid sheet = gGrid;
    const std::int16_t elements = gAnzElemente;
    PowerOnOff();
    gLevels.resize(2);
    SimLevelRecord& ic = gLevels[1];
    ic.Name = "Inner.icd";
    ic.Feld.Create(9, 7);
    ic.MaxX = 8;
    ic.MaxY = 6;
    ic.Feld(4, 4).Typ = kTypeWire;
    ic.Elemente.assign(1, ElementRecord{});

    ShowLevel(1);
    EXPECT_EQ(gCurLevel, 1);
    EXPECT_TRUE(gInLevel);
    EXPECT_EQ(gFeldBreite, 8);
    EXPECT_EQ(gFeldHoehe, 6);
    EXPECT_EQ(gGrid, ic.Feld);
    EXPECT_EQ(gAnzElemente, 0);

    // Switching off while the level is shown brings the circuit back first.
    PowerOnOff();
    EXPECT_FALSE(gInLevel);
    EXPECT_EQ(gCurLevel, 0);
    EXPECT_EQ(gFeldBreite, 50);
    EXPECT_EQ(gGrid, sheet);
    EXPECT_EQ(gAnzElemente, elements);
}

TEST_F(LevelsTest, ShowLevelOfAMissingLevelChangesNothing) {
    const Grid sheet = gGrid;
    ShowLevel(5);
    ShowLevel(-1);
    EXPECT_EQ(gGrid, sheet);
    EXPECT_EQ(gCurLevel, 0);
    EXPECT_FALSE(gInLevel);
}

} // namespace
} // namespace kardo
