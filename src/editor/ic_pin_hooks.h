// What the worksheet view and editor ask of the IC-definition view: naming and removing IC pins
// at the cursor cell and placing their name labels.
#pragma once

#include <cstdint>

namespace kardo {

// Names the wire end at the cursor cell as an IC pin, or renames it (IC-definition view).
void CreateICAnschluss();
// Removes the IC pin at the cursor cell with its label.
void DeleteICAnschluss();
// Places the name label of the pin at cell (PosX, PosY) beside its wire end.
void ShowICInOut(std::int16_t& PosX, std::int16_t& PosY);
// Places the IC chosen in the IC list at the cursor cell, as the IC tool's click does.
void SetICByUser();
// Draws the box of IC instance ICNr at its pin cell (pX, pY), and the pin mark of a pin of the
// IC being defined.
void DrawICSymbol(std::int16_t pX, std::int16_t pY, std::int16_t ICNr, bool OnlyBorder);
void DrawICPinMark(std::int16_t PosX, std::int16_t PosY);
// Hides every pin-name label; shows the labels that carry a pin name.
void HideICPinLabels();
void ShowNamedICPinLabels();

} // namespace kardo
