// The circuit of the analyser benchmarks: a switch feeding one wire that carries the nine
// analysis points on neighbouring cells, so that every toggle is one event at each point.
#pragma once

#include <cstdint>

namespace kardo::bench {

// Toggles for 1,000,008 events at the points.
inline constexpr int kAnalysisClicks = 111112;

// Switch at (2, 5), points 1..9 at (3..11, 5), the wire ending at (12, 5). Throws when a part
// could not be placed or the table did not get its nine columns.
void BuildAnalysisLine();
// Toggles the switch clicks times; returns the events at analysis points (nine per toggle).
std::int64_t ToggleAnalysisLine(int clicks);

} // namespace kardo::bench
