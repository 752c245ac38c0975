// Half-to-even rounding used for every pixel coordinate.
#include "model/rounding.h"

#include <cmath>

#include <gtest/gtest.h>

namespace kardo {
namespace {

TEST(RoundingTest, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {
        {0.5, 0},     {1.5, 2},         {2.5, 2},        {17.5, 18},       {52.5, 52},
        {-0.5, 0},    {-1.5, -2},       {-2.5, -2},      {8.4, 8},         {12.6, 13},
        {-12.6, -13}, {1e6 + 0.5, 1e6}, {0.49999999, 0}, {32767.5, 32768},
    };
    for (auto [value, expected] : cases) {
        EXPECT_EQ(RoundHalfEven(value), expected) << value;
        EXPECT_EQ(RoundHalfEven(value), std::nearbyint(value)) << value;
    }
}

} // namespace
} // namespace kardo
