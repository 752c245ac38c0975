// Placing and removing of the basic element kinds at the cursor cell (gCursorX, gCursorY):
// AND, OR and XOR gates, switches, light-emitting diodes, inverters, tri-state gates and
// analysis points. Each records its undo step (the tri-state gate excepted), writes cells and
// record and draws; a placing that does not fit returns without change.
#pragma once

#include <cstdint>

namespace kardo {

// Gate of type 6, 7 or 8 with the input count of the property panel's box "txtAnschlüsse"
// (2..15) in orientation gOrientierung.
void SetUndOderXOder(std::uint8_t Typ);
void RemoveUndOderXOder();

// The input count the gate placing reads from the property panel, kept within 2..15.
int GateInputCount();

void SetSwitch();
void RemoveSwitch();
void SetDiode();
void RemoveDiode();

void SetInverter();
void RemoveInverter();
void SetTriState();
void RemoveTriState();

extern std::uint8_t
    gAnzAnalysepunkte; // number of analysis points, 0..9; reset by ResetAnalysisPoints

// Start-up state: no analysis points.
void ResetAnalysisPoints();
// Number of analysis-point records in the element list.
std::uint8_t CountAnalysisPoints();
// Lowest analysis-point number 1..9 not in use, 0 when all nine are taken.
std::int16_t GetFreeAnalysepunktNr();
void SetAnalysepunkt();
void RemoveAnalysepunkt();
// An analysis point numbered 1 exists; the logic-analyser menu entry follows it.
bool AnalysePunktEinsExists();
// Enables or disables the logic-analyser menu entry "mAnsichtItem_2" by AnalysePunktEinsExists.
void UpdateAnalyserMenu();

} // namespace kardo
