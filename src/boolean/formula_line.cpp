// The formula input line's core: key mapping, console words and CreateFile.
#include "boolean/formula_line.h"

#include "app/file_commands.h"
#include "boolean/groups.h"
#include "files/new_circuit.h"
#include "model/grid.h"
#include "model/model_state.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "render/redraw.h"
#include "simulation/power.h"

#include <algorithm>
#include <string>

namespace kardo {

char32_t MapFormulaKey(char32_t key) {
    if (key == 'V')
        return 'v';
    if (key >= 'a' && key <= 'z' && key != 'v')
        return key - 'a' + 'A';
    switch (key) {
    case '6':
        return '&';
    case '8':
        return '(';
    case '9':
        return ')';
    default:
        return key;
    }
}

ConsoleWord ParseConsoleWord(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    if (lower == "info")
        return ConsoleWord::Info;
    if (lower == "save")
        return ConsoleWord::Save;
    if (lower == "open")
        return ConsoleWord::Open;
    if (lower == "clear")
        return ConsoleWord::Clear;
    if (lower == "timelabel")
        return ConsoleWord::TimeLabel;
    return ConsoleWord::None;
}

CreateFileResult CreateFile(std::string_view text) {
    clsGroups groups;
    groups.AbstandBreite = kFormelAbstandBreite;
    groups.AbstandHoehe = kFormelAbstandHoehe;
    groups.AbstandSchaltungX = kFormelAbstandSchaltungX;
    groups.AbstandSchaltungY = kFormelAbstandSchaltungY;
    groups.AbstandVariablen = kFormelAbstandVariablen;
    groups.StartX = kFormelStartX;
    groups.StartY = kFormelStartY;
    groups.Term = std::string(text);
    if (!groups.Prepare())
        return {false, groups.ErrorPosition()};
    if (!AskToSaveChanges())
        return {};

    // The sheet keeps its size unless the circuit needs more.
    // Switched off first: the switch-off redraws the sheet at its old size.
    if (gPowerOn)
        PressOffButton();
    const SynthesisPlan& plan = groups.Plan();
    gFeldBreite = static_cast<std::int16_t>(std::max<int>(gFeldBreite, plan.width));
    gFeldHoehe = static_cast<std::int16_t>(std::max<int>(gFeldHoehe, plan.height));
    NewCircuit(true);
    groups.Place();
    gUndo.DeleteUndoData(false);
    MarkCircuitChanged();
    RedrawAllElements(0);
    return {true, 0};
}

} // namespace kardo
