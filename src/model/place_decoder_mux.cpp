// Decoders (1 of 8, optionally with the clock input T) and multiplexers (four data inputs, two
// select inputs, one output): footprints and pin orders by orientation, placing and removing.
#include "model/block_common.h"
#include "model/block_elements.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/pin_points.h"
#include "model/placement.h"
#include "render/grafik.h"

#include <string>
#include <utility>

namespace kardo {

std::int16_t gTakteingang = 0;

void ResetBlockPlacement() { gTakteingang = 0; }

namespace {

// Decoder at (x, y), the cursor cell being its third input: the footprint and its pins. The
// clock input T is the fourth input point.
bool DecoderLayout(int x, int y, int o, bool clocked, Footprint& f, PinList& in, PinList& out) {
    std::string inText;
    std::string outText;
    switch (o) {
    case kRight:
    case kLeft: {
        f = o == kRight ? Rect(x, y - 5, x + 2, y + 4) : Rect(x - 2, y - 5, x, y + 4);
        inText = PinEntry(x, y - 2) + PinEntry(x, y - 1) + PinEntry(x, y);
        if (clocked)
            inText += PinEntry(x, y + 1);
        const int ox = o == kRight ? x + 2 : x - 2;
        for (int oy = y - 4; oy <= y + 3; ++oy)
            outText += PinEntry(ox, oy);
        break;
    }
    case kDown:
    case kUp: {
        f = o == kDown ? Rect(x - 4, y, x + 5, y + 2) : Rect(x - 4, y - 2, x + 5, y);
        inText = PinEntry(x + 2, y) + PinEntry(x + 1, y) + PinEntry(x, y);
        if (clocked)
            inText += PinEntry(x - 1, y);
        const int oy = o == kDown ? y + 2 : y - 2;
        for (int ox = x + 4; ox >= x - 3; --ox)
            outText += PinEntry(ox, oy);
        break;
    }
    default:
        return false;
    }
    in = std::move(inText);
    out = std::move(outText);
    return true;
}

// Multiplexer at (x, y): inputs are the four data inputs followed by the two select inputs.
bool MultiplexerLayout(int x, int y, int o, Footprint& f, PinList& in, PinList& out) {
    switch (o) {
    case kRight:
    case kLeft: {
        const bool right = o == kRight;
        f = right ? Rect(x, y - 2, x + 4, y + 2) : Rect(x - 4, y - 2, x, y + 2);
        std::string text =
            PinEntry(x, y + 2) + PinEntry(x, y + 1) + PinEntry(x, y) + PinEntry(x, y - 1);
        text += right ? PinEntry(x + 2, y - 2) + PinEntry(x + 3, y - 2)
                      : PinEntry(x - 3, y - 2) + PinEntry(x - 2, y - 2);
        in = std::move(text);
        out = PinEntry(right ? x + 4 : x - 4, y + 1);
        return true;
    }
    case kDown:
    case kUp: {
        const bool down = o == kDown;
        f = down ? Rect(x - 2, y, x + 2, y + 4) : Rect(x - 2, y - 4, x + 2, y);
        std::string text =
            PinEntry(x + 1, y) + PinEntry(x, y) + PinEntry(x - 1, y) + PinEntry(x - 2, y);
        text += down ? PinEntry(x + 2, y + 2) + PinEntry(x + 2, y + 3)
                     : PinEntry(x + 2, y - 3) + PinEntry(x + 2, y - 2);
        in = std::move(text);
        out = PinEntry(x - 1, down ? y + 4 : y - 4);
        return true;
    }
    default:
        return false;
    }
}

// A point mark under a new block would read as a negation point on one of its pins.
void ClearPointMarks(const Footprint& f) {
    for (int x = f.X1; x <= f.X2; ++x) {
        for (int y = f.Y1; y <= f.Y2; ++y)
            gGrid(x, y).Punkt = kPointNone;
    }
}

} // namespace

void SetDecoder() {
    Footprint f;
    PinList in;
    PinList out;
    if (!DecoderLayout(gCursorX, gCursorY, gOrientierung, gTakteingang != 0, f, in, out))
        return;
    ElementRecord* rec = PlaceBlock(f, kTypeDecoder, "Decoder setzen");
    if (!rec)
        return;
    ClearPointMarks(f);
    rec->Eingaenge = std::move(in);
    rec->Ausgaenge = std::move(out);
    PrepareDrawing();
    gGrafik.DrawDecoder(gCursorX, gCursorY, false);
}

void RemoveDecoder() { RemoveCursorBlock("Decoder löschen"); }

void SetMultiplexer() {
    Footprint f;
    PinList in;
    PinList out;
    if (!MultiplexerLayout(gCursorX, gCursorY, gOrientierung, f, in, out))
        return;
    ElementRecord* rec = PlaceBlock(f, kTypeMultiplexer, "Multiplexer setzen");
    if (!rec)
        return;
    rec->Eingaenge = std::move(in);
    rec->Ausgaenge = std::move(out);
    PrepareDrawing();
    gGrafik.DrawMultiplexer(gCursorX, gCursorY);
}

void RemoveMultiplexer() { RemoveCursorBlock("Multiplexer löschen"); }

} // namespace kardo
