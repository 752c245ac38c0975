// Worksheet resizing.
#include "render/sheet_size.h"

#include "files/text_helpers.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/undo.h"
#include "platform/control_names.h"
#include "platform/platform.h"
#include "render/redraw.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace kardo {

namespace {

// The last column (used.x) and row (used.y) that hold anything: a cell with a type, or a pin
// an element names; 0 for an empty sheet.
GridPoint UsedExtent() {
    int cx = 0;
    int cy = 0;
    for (int y = 0; y <= gFeldHoehe; ++y)
        for (int x = 0; x <= gFeldBreite; ++x)
            if (gGrid(x, y).Typ != kTypeEmpty) {
                cx = std::max(cx, x);
                cy = std::max(cy, y);
            }
    for (int e = 1; e <= gAnzElemente; ++e) {
        const ElementRecord& el = gElements[static_cast<std::size_t>(e)];
        for (const PinList* pins : {&el.Eingaenge, &el.Ausgaenge})
            for (const GridPoint& p : pins->Points()) {
                cx = std::max<int>(cx, p.x);
                cy = std::max<int>(cy, p.y);
            }
    }
    return {static_cast<std::int16_t>(cx), static_cast<std::int16_t>(cy)};
}

int BoxValue(HostWindow& host, std::string_view box) {
    const double v = RoundHalfEven(Val(host.Caption(box)));
    return static_cast<int>(std::clamp(v, 1.0, 32000.0));
}

} // namespace

int ClampSheetSize(double value) {
    return static_cast<int>(std::clamp(RoundHalfEven(value), static_cast<double>(kSheetSizeMin),
                                       static_cast<double>(kSheetSizeMax)));
}

void SetNewSize() {
    if (gPlatform == nullptr || gPlatform->host == nullptr)
        return;
    HostWindow& host = *gPlatform->host;
    int nx = BoxValue(host, ctl::txtX);
    int ny = BoxValue(host, ctl::txtY);
    if (nx == gFeldBreite && ny == gFeldHoehe)
        return;
    const GridPoint used = UsedExtent();
    ny = std::max(ny, std::min(used.y + 1, static_cast<int>(gFeldHoehe)));
    nx = std::max(nx, std::min(used.x + 1, static_cast<int>(gFeldBreite)));
    host.SetCaption(ctl::txtX, std::to_string(nx));
    host.SetCaption(ctl::txtY, std::to_string(ny));
    if (nx == gFeldBreite && ny == gFeldHoehe)
        return;

    if (nx < gFeldBreite || ny < gFeldHoehe)
        gUndo.DeleteAllUndo();
    const Grid old = gGrid;
    const int keepX = std::min<int>(gFeldBreite, nx);
    const int keepY = std::min<int>(gFeldHoehe, ny);
    CreateWorksheet(static_cast<std::int16_t>(nx), static_cast<std::int16_t>(ny));
    for (int y = 0; y <= keepY; ++y)
        for (int x = 0; x <= keepX; ++x)
            gGrid(x, y) = old(x, y);
    gCursorX = std::min(gCursorX, gFeldBreite);
    gCursorY = std::min(gCursorY, gFeldHoehe);
    RedrawAllElements(0);
}

} // namespace kardo
