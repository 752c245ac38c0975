// Worksheet picture size and grid dots.
#include "render/view.h"

#include "model/grid.h"
#include "platform/platform.h"
#include "render/grafik.h"

#include <cmath>

namespace kardo {

bool gShowGrid = true;

namespace {
constexpr Color kGridDot = 0x808080;
constexpr Color kWhite = 0xFFFFFF;
} // namespace

void SizeWorksheetPicture() {
    if (!gPlatform || !gPlatform->screen) return;
    const double cell = 14.0 * static_cast<double>(gGrafik.GridMode);
    gPlatform->screen->Resize(static_cast<int>(std::lround(cell * (gFeldBreite + 1))),
                              static_cast<int>(std::lround(cell * (gFeldHoehe + 1))));
}

void DrawGrid() {
    if (!gPlatform || !gPlatform->screen) return;
    DrawTarget& pic = *gPlatform->screen;
    const Color color = gShowGrid ? kGridDot : kWhite;
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y) {
            if (gGrid(x, y).Typ == kTypeEmpty) pic.PSet(GridToPixel(x), GridToPixel(y), color);
        }
    }
}

} // namespace kardo
