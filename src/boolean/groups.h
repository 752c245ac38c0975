// clsGroups, the synthesis object: checks a term, lays its circuit out and places the switches,
// gates, wires, points, labels and the LED on the current worksheet through the placing
// operations of the worksheet, as the editor would.
#pragma once

#include "boolean/synthesis_layout.h"
#include "boolean/term.h"

#include <cstdint>
#include <string>

namespace kardo {

// The largest sheet the synthesis may grow to, in cells each way.
constexpr int kMaxSynthesisSheet = 1000;

class clsGroups {
  public:
    // The spacings, set before a synthesis (CreateFile passes 4, 4, 3, 3, 2, 3, 3).
    std::int32_t AbstandBreite = 4;
    std::int32_t AbstandHoehe = 4;
    std::int32_t AbstandSchaltungX = 3;
    std::int32_t AbstandSchaltungY = 3;
    std::int32_t AbstandVariablen = 2;
    std::int32_t StartX = 3;
    std::int32_t StartY = 3;
    std::string Term; // the term, UTF-8

    // Checks the term and lays its circuit out; a wrong term, a circuit larger than
    // kMaxSynthesisSheet or one that needs a component the function lock forbids is reported in
    // a message box and gives false. Changes nothing.
    bool Prepare();
    // Prepare, then places the circuit on the current worksheet, which must be empty and at
    // least Plan().width x Plan().height cells. Undo steps are recorded as by the editor.
    bool CreateGroups();
    // Places the prepared circuit on the current worksheet.
    void Place();

    // After a failed Prepare: the 1-based position of the term error, 0 when the term was
    // right (the circuit was too large).
    int ErrorPosition() const { return m_errorPosition; }
    const TermTree& Tree() const { return m_tree; }
    const SynthesisPlan& Plan() const { return m_plan; }

  private:
    TermTree m_tree;         // the checked term
    SynthesisPlan m_plan;    // its layout
    int m_errorPosition = 0; // see ErrorPosition
};

// Shows the message box of a term error ("Fehler im Term").
void ReportTermError(const TermError& error);

// The text of the message for a circuit that needs more than the largest sheet.
std::string SynthesisTooLargeText(int width, int height);

} // namespace kardo
