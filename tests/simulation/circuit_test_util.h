// Circuits for the simulation tests, built through the real placing operations, and a fixture
// that switches them on and clicks their switches.
#pragma once

#include "model/grid.h"
#include "sim_test_util.h"
#include "simulation/power.h"
#include "simulation/user_interaction.h"
#include "support/builder.h"

#include <gtest/gtest.h>

namespace kardo::test {

// A switch at (x, y) with a wire to (toX, y).
inline void SwitchLine(int x, int y, int toX) {
    LayWire(x, y, toX, y);
    EXPECT_NE(PlaceSwitch(x, y), 0) << "switch at " << x << "," << y;
}
// A wire from (x, y) to (toX, y) ending in an LED.
inline void LedLine(int x, int y, int toX) {
    LayWire(x, y, toX, y);
    EXPECT_NE(PlaceLed(toX, y), 0) << "LED at " << toX << "," << y;
}
// Three inverters in a ring, which never settles: inputs (4, 5) and (8, 5) to the right,
// (10, 9) to the left.
inline void BuildOddRing() {
    ASSERT_NE(PlaceInverter(4, 5, kRight), 0);
    ASSERT_NE(PlaceInverter(8, 5, kRight), 0);
    ASSERT_NE(PlaceInverter(10, 9, kLeft), 0);
    LayWire(5, 5, 8, 5);
    LayWire(9, 5, 12, 9);
    LayWire(12, 9, 10, 9);
    LayWire(9, 9, 2, 9);
    LayWire(2, 9, 2, 5);
    LayWire(2, 5, 4, 5);
}

class CircuitFixture : public SimFixture {
  protected:
    void PowerOn() {
        ASSERT_FALSE(gPowerOn);
        PowerOnOff();
    }
    void PowerOff() {
        ASSERT_TRUE(gPowerOn);
        PowerOnOff();
    }
    // A click on the switch at (x, y) while powered.
    void Click(int x, int y) {
        gCursorX = static_cast<std::int16_t>(x);
        gCursorY = static_cast<std::int16_t>(y);
        InitSwitchOn();
    }
    // The live level of a cell of the circuit (level 0) as 0 or 1.
    static int Live(int x, int y) { return gLevels[0].Feld(x, y).Pegel != 0 ? 1 : 0; }
};

} // namespace kardo::test
