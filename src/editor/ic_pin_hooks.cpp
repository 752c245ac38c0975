// IC pins of the IC-definition view and the IC tool's click. The definition view is not built
// yet: there are no pins to name or remove, so those two do nothing. Placing goes to SetIC, the
// symbols to the IC drawers of the drawing object; the pin labels live in ic/pin_labels.
#include "editor/ic_pin_hooks.h"

#include "model/place_ic.h"
#include "render/grafik.h"

namespace kardo {

void CreateICAnschluss() {}
void DeleteICAnschluss() {}
void ResetICPinSearch() {}
void SetICByUser() { SetIC(); }
void DrawICSymbol(std::int16_t pX, std::int16_t pY, std::int16_t ICNr, bool OnlyBorder) {
    gGrafik.DrawIC(pX, pY, ICNr, OnlyBorder);
}
void DrawICPinMark(std::int16_t PosX, std::int16_t PosY) { gGrafik.DrawICInOut(PosX, PosY); }

} // namespace kardo
