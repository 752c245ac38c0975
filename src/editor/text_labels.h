// Text labels on the worksheet: the in-place editor that creates and changes them and the drawing
// of a label.
#pragma once

#include <cstdint>
#include <string_view>

namespace kardo {

// Creates a label at the cursor cell ("CREATE") or edits the label under it ("EDIT").
void ChangeBeschriftung(std::string_view CREATEorEDITorREMOVE);
// Draws label ObjNr on the drawing device; with OldText it first clears what that text covered.
void DisplayBeschriftungsText(std::int16_t ObjNr, std::string_view OldText);
// The in-place editor txtBeschriftung is open.
bool BeschriftungEditorVisible();

} // namespace kardo
