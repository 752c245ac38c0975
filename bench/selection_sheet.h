// The sheet of the selection benchmarks: 1000 three-input gates in 40 columns and 25 rows on a
// 200 x 200 sheet, each output wired round the corner to the next gate's first input, and the
// mouse gestures that mark the area around them and drag it.
#pragma once

namespace kardo::bench {

// The area around the gates as built: columns 1..165, rows 1..104.
inline constexpr int kAreaX1 = 1;
inline constexpr int kAreaY1 = 1;
inline constexpr int kAreaX2 = 165;
inline constexpr int kAreaY2 = 104;

// Builds the gates and wires on the current (200 x 200) sheet; returns the element count.
int BuildSelectionSheet();
// Draws the frame around the gates shifted by dx columns with the select tool, up to the
// release (not included): the button is still held.
void FrameUpToRelease(int dx);
// Releases that frame: the area is marked.
void ReleaseFrame(int dx);
// Presses inside the marked area at (x, y) (an area drag starts).
void PressInArea(int x, int y);

} // namespace kardo::bench
