// The sheet and gestures of the selection benchmarks.
#include "selection_sheet.h"

#include "bench_support.h"
#include "editor/mouse_dispatch.h"
#include "model/grid.h"
#include "model/utilities.h"
#include "support/builder.h"

namespace kardo::bench {

int BuildSelectionSheet() {
    int elements = 0;
    for (int j = 0; j < 25; ++j) {
        const int r = 4 + 4 * j;
        for (int i = 0; i < 40; ++i) {
            const int c = 4 + 4 * i;
            const std::uint8_t typ = (i + j) % 3 == 0   ? kTypeAnd
                                     : (i + j) % 3 == 1 ? kTypeOr
                                                        : kTypeXor;
            Require(test::PlaceGate(typ, c, r, kRight, 3) != 0, "gate");
            ++elements;
            if (i + 1 < 40) {
                test::LayWire(c + 2, r, c + 3, r - 1);
                test::LayWire(c + 3, r - 1, c + 4, r - 1);
            }
        }
    }
    return elements;
}

void FrameUpToRelease(int dx) {
    gMouseMode = kToolSelect;
    picGrid_MouseMove(0, 0, GridToPixel(kAreaX1 + dx), GridToPixel(kAreaY1));
    picGrid_MouseDown(kButtonLeft, 0, GridToPixel(kAreaX1 + dx), GridToPixel(kAreaY1));
    picGrid_MouseMove(kButtonLeft, 0, GridToPixel(kAreaX2 + dx), GridToPixel(kAreaY2));
}

void ReleaseFrame(int dx) {
    picGrid_MouseUp(kButtonLeft, 0, GridToPixel(kAreaX2 + dx), GridToPixel(kAreaY2));
}

void PressInArea(int x, int y) {
    picGrid_MouseMove(0, 0, GridToPixel(x), GridToPixel(y));
    picGrid_MouseDown(kButtonLeft, 0, GridToPixel(x), GridToPixel(y));
}

} // namespace kardo::bench
