// Whether a control of the main window may be enabled: the function lock and the rules of the
// window's modes (powered, IC definition, quick help) decide together, here alone. The window
// asks before it enables any control, under whichever name the control is addressed; the
// functions the locked controls stand for ask ToolPermitted and gFunktionRechte where they start.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kardo {

// One control the function lock switches, by the control's own object name.
struct LockedControlRow {
    int recht;                // index into gBauteilRechte or gFunktionRechte
    std::string_view control; // the control
};
// The controls of the component permissions, grouped by permission in index order; cmdIC and
// mBauteil_25 need IC files besides, which the window checks.
std::span<const LockedControlRow> ComponentLockRows();
// The controls of the function permissions, grouped by permission in index order.
std::span<const LockedControlRow> FunctionLockRows();

// The complex elements of cmbKomplex in list order, each with its component permission.
struct KomplexEntry {
    int recht;             // index into gBauteilRechte
    std::string_view name; // list text
};
std::span<const KomplexEntry> KomplexEntries();

// The component permission a tool code needs; -1 for tools the lock does not know.
int ComponentOfTool(int tool);
// False when the function lock takes the tool away.
bool ToolPermitted(int tool);
// The components the function lock forbids among the element kinds types (type codes), named
// as the options dialog lists them, each once and in that order, joined by ", "; empty when the
// lock forbids none of them.
std::string LockedComponents(std::span<const std::uint8_t> types);

// True when the function lock keeps the control disabled. name is the control's own name
// ("cmdPrint", not its toolbar position "Toolbar_4").
bool LockedControl(std::string_view name);
// True when the current mode keeps the control disabled: powered, the IC-definition view, or
// quick help.
bool ModeKeepsDisabled(std::string_view name);
// The one decision: the control (by its own name) may be enabled now.
bool MayEnable(std::string_view name);

} // namespace kardo
