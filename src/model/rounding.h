// Rounding to the nearest integer with a half going to the even neighbour, the rounding that
// stored files and the drawing rules assume. Pure arithmetic, so it inlines on hot paths (no
// libm call).
#pragma once

namespace kardo {

// Adding and removing 1.5 * 2^52 leaves v rounded to an integer in the default rounding mode
// (nearest, ties to even). Valid for |v| < 2^51; drawing coordinates are far below that. The
// compiler may not fold (v + k) - k without -ffast-math, which the project never uses.
inline double RoundHalfEven(double v) {
    constexpr double kShift = 6755399441055744.0; // 1.5 * 2^52
    return (v + kShift) - kShift;
}

} // namespace kardo
