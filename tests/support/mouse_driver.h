// Drives the worksheet mouse dispatcher in cell terms, as a user's mouse would: moves to the
// centre of a cell, presses, drags along a path of cells, releases.
#pragma once

#include "editor/mouse_dispatch.h"

#include <initializer_list>

namespace kardo::test {

struct CellPos {
    int x = 0;
    int y = 0;
};

// Pixel centre of a cell at the current zoom.
double CentreX(int x);
double CentreY(int y);

// A move to the centre of cell (x, y) with the held buttons.
void MoveTo(int x, int y, int held = 0, int shift = 0);
// Move there, press and release the button.
void Click(int x, int y, int button = kButtonLeft, int shift = 0);
// Move to the first cell, press, move through the others with the button held, release at the
// last one.
void Drag(std::initializer_list<CellPos> path, int button = kButtonLeft, int shift = 0);
// A double click as the window system delivers it: press, release, double click, release.
void DoubleClick(int x, int y);

} // namespace kardo::test
