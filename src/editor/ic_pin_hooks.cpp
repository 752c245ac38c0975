// The IC tool's click and the IC symbols: placing goes to SetIC, the symbols to the IC drawers
// of the drawing object. Naming and removing pins belong to the IC-definition mode
// (ic/ic_pins.cpp), the pin labels to ic/pin_labels.
#include "editor/ic_pin_hooks.h"

#include "model/place_ic.h"
#include "render/grafik.h"

namespace kardo {

void SetICByUser() { SetIC(); }
void DrawICSymbol(std::int16_t pX, std::int16_t pY, std::int16_t ICNr, bool OnlyBorder) {
    gGrafik.DrawIC(pX, pY, ICNr, OnlyBorder);
}
void DrawICPinMark(std::int16_t PosX, std::int16_t PosY) { gGrafik.DrawICInOut(PosX, PosY); }

} // namespace kardo
