// Test builder for the block elements and clocks.
#include "support/block_builder.h"

#include "model/block_elements.h"
#include "model/clocks.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/pin_points.h"
#include "model/placement.h"

namespace kardo::test {

namespace {

std::int16_t PlaceWith(void (*place)(), int x, int y, std::uint8_t orientation) {
    gCursorX = static_cast<std::int16_t>(x);
    gCursorY = static_cast<std::int16_t>(y);
    gOrientierung = orientation;
    const std::int16_t before = gAnzElemente;
    place();
    return gAnzElemente > before ? gAnzElemente : std::int16_t{0};
}

} // namespace

std::int16_t PlaceBlockKind(std::uint8_t typ, int x, int y, std::uint8_t orientation) {
    switch (typ) {
    case kTypeHalfAdder:
        return PlaceWith(SetHA, x, y, orientation);
    case kTypeFullAdder:
        return PlaceWith(SetVA, x, y, orientation);
    case kTypeMultiplexer:
        return PlaceWith(SetMultiplexer, x, y, orientation);
    case kTypeDecoder:
        return PlaceWith(SetDecoder, x, y, orientation);
    case kTypeFlipFlop:
        return PlaceWith(SetFlipFlop, x, y, orientation);
    case kTypeShiftRegister:
        return PlaceWith(SetSRegister, x, y, orientation);
    case kTypeNumberDisplay:
        return PlaceWith(SetZAnzeige, x, y, orientation);
    case kTypeClock:
        return PlaceWith(SetTimer, x, y, orientation);
    default:
        return 0;
    }
}

std::int16_t PlaceDecoder(int x, int y, std::uint8_t orientation, bool clocked) {
    gTakteingang = TruthValue(clocked);
    const std::int16_t n = PlaceWith(SetDecoder, x, y, orientation);
    gTakteingang = kFalse;
    return n;
}

std::int16_t PlaceClock(int x, int y, std::uint8_t orientation) {
    return PlaceWith(SetTimer, x, y, orientation);
}

bool RemoveBlockAt(int x, int y) {
    gCursorX = static_cast<std::int16_t>(x);
    gCursorY = static_cast<std::int16_t>(y);
    const CellRecord& c = gGrid(x, y);
    if (c.ElementNr < 1)
        return false;
    // The editor fills the shared pin lists before it calls a removing operation.
    GetInputPoints(c.ElementNr, 0);
    GetOutputPoints(c.ElementNr, 0);
    switch (c.Typ) {
    case kTypeHalfAdder:
    case kTypeFullAdder:
        RemoveHAVA();
        return true;
    case kTypeMultiplexer:
        RemoveMultiplexer();
        return true;
    case kTypeDecoder:
        RemoveDecoder();
        return true;
    case kTypeFlipFlop:
        RemoveFlipFlop();
        return true;
    case kTypeShiftRegister:
        RemoveSRegister();
        return true;
    case kTypeNumberDisplay:
        RemoveZAnzeige();
        return true;
    case kTypeText:
        RemoveText();
        return true;
    case kTypeClock:
        RemoveTimer();
        return true;
    default:
        return false;
    }
}

} // namespace kardo::test
