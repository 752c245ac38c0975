// The steps of the program start that need no window: the choice of the settings root by the
// splash window, and the first three stages of the main window's load (objects, start values,
// folders and settings). The window does the fourth stage itself.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kardo {

// The texts the load writes into the splash window's status label, one per stage.
inline constexpr std::array<std::string_view, 4> kLoadStageTexts = {
    "Objekte initialisieren...", "Werte zuweisen...", "Verzeichnisse vorbereiten...",
    "Programmoberfläche vorbereiten..."};

// How the settings root was found.
enum class RootChoice {
    User,        // the program key exists under the per-user root
    System,      // only under the system-wide root
    CreatedUser, // under neither: created under the per-user root with the defaults
};

// Sets gRegRoot: the per-user root when the program key exists there, else the system-wide one.
// On a first start, when it exists under neither, it is created under the per-user root with
// the defaults (every element and function permitted, no password), so the program can start.
RootChoice ChooseSettingsRoot();

// Stage 1: every global to its start-up state (InitProgramState): drawing object, undo history
// of 10 steps, the empty 50 x 30 sheet, clock entry 0, file object; gAktiviert 0.
void InitObjects();
// Stage 2: the tool (wire, orientation right) and the run values.
void AssignStartValues();
// The folder of the program's files in the base folder, and its subfolders for circuits, ICs and
// pictures (working folders 0, 1, 2).
inline constexpr std::string_view kKardoFolder = "Kardo/";
inline constexpr std::array<std::string_view, 3> kWorkingFolderNames = {"Schaltungen", "ICs",
                                                                        "Bilder"};

// Stage 3: the default folder (the user's documents folder, else the home folder, plus
// "Kardo/"), LoadSettings, the check of the three working folders (a message for each stored one
// that is gone; an empty or gone one takes its default subfolder, created on first use), the
// file object's folder and the view defaults (cell size 14, outline black, LED red, grid shown
// whatever was stored).
void PrepareDirectories();

// The default working folder slot (0 circuits, 1 ICs, 2 pictures) below standard (ending in
// "Kardo/"), created with its parents when missing; when it cannot be made, the base folder.
std::string DefaultWorkingFolder(const std::string& standard, int slot);

// A stored working folder as it is used: "" gives the default folder; an existing folder stays
// (with a "/" added at its end); any other gives the message naming it and the default folder.
std::string CheckWorkingDirectory(const std::string& entry, const std::string& standard);

} // namespace kardo
