// Test helpers for powered circuits of block elements.
#include "support/sim_blocks.h"

#include "model/grid.h"
#include "model/sim_levels.h"
#include "simulation/eval_flipflop.h"
#include "simulation/eval_shift_register.h"
#include "simulation/sim_core.h"
#include "simulation/user_interaction.h"
#include "support/builder.h"

#include <stdexcept>

namespace kardo::test {

namespace {

GridPoint Pin(const PinList& list, int i) {
    const auto points = list.Points();
    if (i < 0 || static_cast<std::size_t>(i) >= points.size())
        throw std::out_of_range("pin");
    return points[static_cast<std::size_t>(i)];
}

} // namespace

GridPoint InPin(std::int16_t nr, int i) {
    return Pin(gElements.at(static_cast<std::size_t>(nr)).Eingaenge, i);
}

GridPoint OutPin(std::int16_t nr, int i) {
    return Pin(gElements.at(static_cast<std::size_t>(nr)).Ausgaenge, i);
}

GridPoint Away(GridPoint p, std::uint8_t richtung, int len) {
    const Step s = StepOf(richtung);
    return {static_cast<std::int16_t>(p.x + len * s.dx),
            static_cast<std::int16_t>(p.y + len * s.dy)};
}

GridPoint SwitchInto(GridPoint pin, std::uint8_t away, int len) {
    const GridPoint end = Away(pin, away, len);
    LayWire(pin.x, pin.y, end.x, end.y);
    if (PlaceSwitch(end.x, end.y) == 0)
        throw std::logic_error("switch refused");
    return end;
}

GridPoint LedFrom(GridPoint pin, std::uint8_t away, int len) {
    const GridPoint end = Away(pin, away, len);
    LayWire(pin.x, pin.y, end.x, end.y);
    if (PlaceLed(end.x, end.y) == 0)
        throw std::logic_error("LED refused");
    return end;
}

void ClickCell(GridPoint p) {
    gCursorX = p.x;
    gCursorY = p.y;
    const CellRecord& c = gLevels.at(0).Feld(p.x, p.y);
    switch (c.Typ) {
    case kTypeSwitch:
        InitSwitchOn();
        break;
    case kTypeFlipFlop:
        ClickFlipFlop(c.ElementNr);
        break;
    case kTypeShiftRegister:
        ClickShiftRegister(c.ElementNr);
        break;
    default:
        break;
    }
}

int LiveAt(GridPoint p) { return gLevels.at(0).Feld(p.x, p.y).Pegel != 0 ? 1 : 0; }

} // namespace kardo::test
