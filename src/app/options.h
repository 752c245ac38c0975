// The values of the options dialog without its widgets: taken from the globals, checked, and
// applied (globals, undo depth, settings store and lock value).
#pragma once

#include "app/permissions.h"
#include "simulation/port_access.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kardo {

// Ranges of the options.
constexpr int kMinUndoSteps = 1;
constexpr int kMaxUndoSteps = 99;
constexpr int kMinMaxRunden = 250;
constexpr int kMaxMaxRunden = 5000;
constexpr int kMaxPortAddress = 0xFFFF;

// Everything the dialog shows and sets.
struct OptionValues {
    int undoSteps = 10;                                // undo depth 1..99
    int maxRunden = 1000;                              // pass limit 250..5000
    bool scroll = true;                                // automatic scrolling
    bool icsMitSpeichern = false;                      // copy used ICs beside a saved circuit
    std::array<std::string, 3> folders;                // circuits, ICs, bitmaps
    std::array<bool, kAnzBauteilRechte> bauteile{};    // component permissions
    std::array<bool, kAnzFunktionRechte> funktionen{}; // function permissions
    bool portEnabled = false;                          // analysis points drive the port
    std::string portAddress = "378";                   // port address, hexadecimal
    bool operator==(const OptionValues&) const = default;
};

// Which control a problem belongs to, so the dialog can put the focus there.
enum class OptionField { UndoSteps, MaxRunden, Folder0, Folder1, Folder2, PortAddress };

struct OptionProblem {
    OptionField field;   // the control to correct
    std::string message; // German message
};

// The values as the globals hold them now.
OptionValues CurrentOptions();

// The port address text: hexadecimal 1..FFFF, blanks around it ignored, an optional "&H" or
// "0x" in front. Nothing for anything else.
std::optional<int> ParsePortAddress(std::string_view text);
// PortAddressText, the hexadecimal text of an address, is the port module's
// (simulation/port_access.h).

// The first problem of the values in dialog order (numbers, folders, port address), or nothing.
// A folder must be an existing folder.
std::optional<OptionProblem> CheckOptions(const OptionValues& values);

// Puts checked values into the globals: undo depth (and the undo history's depth), pass limit,
// scrolling, IC copies, folders (each ending in "/"), permissions and the port settings, which
// the port takes up at the next power-on. Then writes the settings and the lock value; false
// when the store could not be written (the values hold for this run).
bool ApplyOptions(const OptionValues& values);

} // namespace kardo
