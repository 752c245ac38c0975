// Worksheet picture size, grid dots and viewport layout.
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
    if (!gPlatform || !gPlatform->screen)
        return;
    const double cell = 14.0 * static_cast<double>(gGrafik.GridMode);
    gPlatform->screen->Resize(static_cast<int>(std::lround(cell * (gFeldBreite + 1))),
                              static_cast<int>(std::lround(cell * (gFeldHoehe + 1))));
}

void DrawGrid() {
    if (!gPlatform || !gPlatform->screen)
        return;
    DrawTarget& pic = *gPlatform->screen;
    const Color color = gShowGrid ? kGridDot : kWhite;
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y) {
            if (gGrid(x, y).Typ == kTypeEmpty)
                pic.PSet(GridToPixel(x), GridToPixel(y), color);
        }
    }
}

// The viewport is a scroll area that follows the picture's size by itself; the main window
// only has to take the new size and show the picture again.
void ResizeWorksheet() {
    if (gPlatform != nullptr && gPlatform->host != nullptr)
        gPlatform->host->RefreshWorksheet();
}

// The viewport's own scroll bars move the sheet; there is no edge scrolling while dragging yet.
void AutoScroll(std::int16_t&, std::int16_t&) {}

} // namespace kardo
