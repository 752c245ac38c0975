// IC pins of the IC-definition view, the IC tool's click and the IC symbols. Neither the view
// nor IC placement and drawing are built yet: there are no pins to name, remove, label or mark
// and no IC to place or draw, so these do nothing. The IC drawers of the drawing object
// (DrawIC, DrawICInOut) take the two drawing calls over when they exist.
#include "editor/ic_pin_hooks.h"

namespace kardo {

void CreateICAnschluss() {}
void DeleteICAnschluss() {}
void ResetICPinSearch() {}
void SetICByUser() {}
void DrawICSymbol(std::int16_t, std::int16_t, std::int16_t, bool) {}
void DrawICPinMark(std::int16_t, std::int16_t) {}
void ShowICInOut(std::int16_t&, std::int16_t&) {}
void HideICPinLabels() {}
void ShowNamedICPinLabels() {}

} // namespace kardo
