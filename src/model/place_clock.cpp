// Clock generators: a block of 4 x 3 cells with one output and one input, placed with a timer of
// Timer2 and an entry in the clock tables, and removed with both.
#include "model/block_common.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/pin_points.h"
#include "model/placement.h"
#include "model/undo.h"
#include "render/grafik.h"
#include "render/redraw.h"

namespace kardo {

namespace {

bool ClockLayout(int x, int y, int o, Footprint& f, GridPoint& output, GridPoint& input) {
    const auto point = [](int px, int py) {
        return GridPoint{static_cast<std::int16_t>(px), static_cast<std::int16_t>(py)};
    };
    switch (o) {
    case kRight:
        f = Rect(x, y - 1, x + 3, y + 1);
        output = point(x + 3, y);
        input = point(x + 2, y + 1);
        return true;
    case kLeft:
        f = Rect(x - 3, y - 1, x, y + 1);
        output = point(x - 3, y);
        input = point(x - 2, y + 1);
        return true;
    case kUp:
        f = Rect(x - 1, y - 3, x + 1, y);
        output = point(x, y - 3);
        input = point(x + 1, y - 1);
        return true;
    case kDown:
        f = Rect(x - 1, y, x + 1, y + 3);
        output = point(x, y + 3);
        input = point(x + 1, y + 1);
        return true;
    default:
        return false;
    }
}

} // namespace

void SetTimer() {
    Footprint f;
    GridPoint output;
    GridPoint input;
    if (!ClockLayout(gCursorX, gCursorY, gOrientierung, f, output, input))
        return;
    // The clock count is a byte: a 256th clock would wrap it to 0 and orphan every timer.
    if (gAnzTaktgeber >= kMaxClocks)
        return;
    ElementRecord* rec = PlaceBlock(f, kTypeClock, "Taktgeber setzen");
    if (!rec)
        return;
    rec->Ausgaenge = PinEntry(output.x, output.y);
    rec->Eingaenge = PinEntry(input.x, input.y);

    // The first clock takes the always present timer 0; every further one loads a timer.
    TimerArray& timers = Timer2();
    if (gAnzTaktgeber > 0)
        timers.LoadNext();
    ++gAnzTaktgeber;
    const int i = timers.UBound();
    ResizeClockTables(i);
    const auto at = static_cast<std::size_t>(i);
    gTaktElement[at] = rec->Nr;
    gTaktZeit1[at] = 1000;
    gTaktZeit0[at] = 1000;
    gTaktLink[at] = kTrue;
    gAnzTakte[at] = 1;
    // Entry 0 outlives its clock: a new clock must not inherit the level and burst counter of a
    // removed one.
    gTaktAusgang[at] = kFalse;
    gTaktZaehler[at] = 0;
    if (at < gTaktFlag.size())
        gTaktFlag[at] = kFalse;

    PrepareDrawing();
    gGrafik.DrawTimer(gCursorX, gCursorY, false);
}

void RemoveTimer() {
    Footprint f;
    const std::int16_t n = CursorElementFootprint(f);
    if (n < 1)
        return;
    // Unloading comes before the undo step, so the record the step keeps carries the kept text.
    // A clock without a table entry has no timer of its own: no other clock is touched, and
    // without kept text the undo brings it back without an entry, as it was.
    const int i = ClockIndexOf(n);
    if (i >= 0) {
        std::int16_t clockNr = static_cast<std::int16_t>(i);
        UnloadTimer(clockNr);
    } else {
        gElements[static_cast<std::size_t>(n)].Text.clear();
        gAktTakt = 0;
    }
    gUndo.NewUndo(f.X1, f.Y1, f.X2, f.Y2, "Taktgeber löschen");
    ClearArea(f);
    DeleteElementRecord(n);
    RedrawAreaValue(static_cast<std::int16_t>(f.X1 - 2), static_cast<std::int16_t>(f.Y1 - 2),
                    static_cast<std::int16_t>(f.X2 + 2), static_cast<std::int16_t>(f.Y2 + 2),
                    false);
}

} // namespace kardo
