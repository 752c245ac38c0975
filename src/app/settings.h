// The program's settings: their globals, and LoadSettings / SaveSettings between them and the
// settings store (the key Software\Quentar\Kardo\1.0 under the root the splash window chose).
#pragma once

#include "files/working_folders.h"
#include "platform/settings_store.h"
#include "render/view.h"
#include "simulation/port_access.h"

#include <array>
#include <cstdint>
#include <string>

namespace kardo {

// Position and size of a window in twips, as the settings keep it.
struct WindowPlacement {
    std::int16_t X = 0;      // left
    std::int16_t Y = 0;      // top
    std::int16_t Width = 0;  // width; 0 when never stored
    std::int16_t Height = 0; // height
    bool operator==(const WindowPlacement&) const = default;
};

extern SettingsRoot gRegRoot;               // root of the program key, chosen by the splash window
extern std::int16_t gUndoSteps;             // undo depth 1..99 ("DummyUndo"), 10
extern std::int16_t gAnzImpulse;            // "AnzImpulse", 50
extern bool gICAuswahlVisible;              // IC library window open at the last exit
                                            // ("frmICAuswahlVisible")
extern WindowPlacement gICAuswahlPlacement; // its place ("frmICAuswahlX", "...Y", "...Width",
                                            // "...Height"): WindowX..WindowHeight of the window
extern std::array<std::int16_t, 5> gPanelVisible; // side panels 0..4 (power, properties, sheet
                                                  // size, zoom, levels): 0 hidden, 1 collapsed,
                                                  // -1 shown ("PanelVisible0..4")
extern bool gICsMitSpeichern; // copy used ICs beside a saved circuit ("SaveICsWithFile")
extern std::array<std::string, 4> gLastFiles; // recent circuit files, newest first ("LastFile0..3")
extern std::string gBasisPersoenlich;         // base folder under the per-user root, or ""
extern std::string gBasisGemeinsam;           // base folder under the system-wide root, or ""
extern std::string gStandardVerzeichnis;      // default folder: base folder + "Kardo/", or ""

// Settings kept by the modules that read them: gScroll (render/view.h), gVerzeichnisse
// (files/working_folders.h), gPortAccessEnabled and gPortAccessPortAddress
// (simulation/port_access.h). ResetSettings leaves gRegRoot alone: the splash window chooses it
// before the load resets the program state.

// Start-up values of every global above except gRegRoot, and of the settings kept by the
// modules that read them (no folders, default panels).
void ResetSettings();

// Reads every value of the program key into its global; a missing or unreadable value keeps the
// global as it is. Also reads "ShowGrid" into gShowGrid and "AutoStop" into gMaxRunden. When
// the settings of the chosen root exist but cannot be read, a message names the file and the
// problem and every global keeps its default.
void LoadSettings();

// Writes every setting under the program key and flushes the store; false when it could not be
// written (the store's FlushProblem says why; ReportUnwritableSettings tells the user).
bool SaveSettings();

} // namespace kardo
