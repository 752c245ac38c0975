// Number displays (5 x 5 cells, six inputs of weights 1..32, always facing right) and the
// removal of text labels.
#include "model/block_common.h"
#include "model/block_elements.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/pin_points.h"
#include "model/placement.h"
#include "model/undo.h"
#include "render/grafik.h"
#include "render/redraw.h"

namespace kardo {

void SetZAnzeige() {
    // The display has one shape; the orientation chosen for the next placings becomes right too.
    gOrientierung = kRight;
    const int x = gCursorX;
    const int y = gCursorY;
    // Its bottom row may reach row H: no pin lies on it.
    if (x < 1 || x > gFeldBreite - 5 || y < 3 || y > gFeldHoehe - 2)
        return;
    const Footprint f = Rect(x, y - 2, x + 4, y + 2);
    if (IsAreaBlocked(f) || !RoomForElement())
        return;
    gUndo.NewUndoValue(f.X1, f.Y1, f.X2, f.Y2, "Ziffernanzeige setzen");
    ElementRecord& rec = AppendElement(kTypeNumberDisplay);
    rec.Richtung = kRight;
    MarkArea(f, kTypeNumberDisplay, rec.Nr);
    rec.Eingaenge = PinEntry(x + 3, y - 2) + PinEntry(x + 2, y - 2) + PinEntry(x + 1, y - 2) +
                    PinEntry(x, y - 1) + PinEntry(x, y) + PinEntry(x, y + 1);
    gGrafik.Orientation = kRight;
    gGrafik.DrawZAnzeige(gCursorX, gCursorY);
}

void RemoveZAnzeige() { RemoveCursorBlock("Ziffernanzeige löschen"); }

void RemoveText() {
    Footprint anchor;
    const std::int16_t n = CursorElementFootprint(anchor);
    if (n < 1)
        return;
    const int x0 = anchor.X1;
    const int y0 = anchor.Y1;
    if (x0 < 0 || y0 < 0 || x0 > gFeldBreite || y0 > gFeldHoehe || gGrid(x0, y0).Typ != kTypeText ||
        gGrid(x0, y0).ElementNr != n)
        return;
    const int x1 = LabelCellsEnd(gGrid, gFeldBreite, n, x0, y0);
    gUndo.NewUndoValue(static_cast<std::int16_t>(x0), static_cast<std::int16_t>(y0),
                       static_cast<std::int16_t>(x1), static_cast<std::int16_t>(y0),
                       "Text löschen");
    ClearArea(Rect(x0, y0, x1, y0));
    DeleteElementRecord(n);
    RedrawAreaValue(static_cast<std::int16_t>(x0 - 2), static_cast<std::int16_t>(y0 - 2),
                    static_cast<std::int16_t>(x1 + 2), static_cast<std::int16_t>(y0 + 2), false);
}

} // namespace kardo
