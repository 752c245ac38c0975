// Mouse driver for dispatcher tests.
#include "support/mouse_driver.h"

#include "model/grid.h"

namespace kardo::test {

double CentreX(int x) { return GridToPixel(x); }
double CentreY(int y) { return GridToPixel(y); }

void MoveTo(int x, int y, int held, int shift) {
    picGrid_MouseMove(held, shift, CentreX(x), CentreY(y));
}

void Click(int x, int y, int button, int shift) {
    MoveTo(x, y, 0, shift);
    picGrid_MouseDown(button, shift, CentreX(x), CentreY(y));
    picGrid_MouseUp(button, shift, CentreX(x), CentreY(y));
}

void Drag(std::initializer_list<CellPos> path, int button, int shift) {
    const CellPos* first = path.begin();
    MoveTo(first->x, first->y, 0, shift);
    picGrid_MouseDown(button, shift, CentreX(first->x), CentreY(first->y));
    CellPos last = *first;
    for (const CellPos& p : path) {
        MoveTo(p.x, p.y, button, shift);
        last = p;
    }
    picGrid_MouseUp(button, shift, CentreX(last.x), CentreY(last.y));
}

void DoubleClick(int x, int y) {
    Click(x, y);
    picGrid_DblClick();
    picGrid_MouseUp(kButtonLeft, 0, CentreX(x), CentreY(y));
}

} // namespace kardo::test
