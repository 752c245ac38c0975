// Settings root, objects, start values and folders of the program start.
#include "app/load_sequence.h"

#include "app/file_object.h"
#include "app/main_state.h"
#include "app/password.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/system_info.h"
#include "editor/wire_tool.h"
#include "files/text_helpers.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/placement.h"
#include "model/utilities.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "render/view.h"
#include "simulation/sim_core.h"

#include <filesystem>

namespace kardo {

RootChoice ChooseSettingsRoot() {
    SettingsStore* store = gPlatform != nullptr ? gPlatform->settings : nullptr;
    if (store == nullptr || store->KeyExists(SettingsRoot::User)) {
        gRegRoot = SettingsRoot::User;
        return RootChoice::User;
    }
    if (store->KeyExists(SettingsRoot::System)) {
        gRegRoot = SettingsRoot::System;
        return RootChoice::System;
    }
    // First start on this machine: nothing was installed into either root. Ending the program
    // here would make it unusable; start unlocked instead. A lock value that cannot be written
    // is reported; the session keeps it in the store and runs unlocked.
    gRegRoot = SettingsRoot::User;
    ResetPermissions();
    if (!WritePermissions())
        ReportUnwritableSettings();
    return RootChoice::CreatedUser;
}

void InitObjects() {
    InitProgramState();
    gAktiviert = 0;
}

void AssignStartValues() {
    gCurLevel = 0;
    gMouseMode = 1;
    gOrientierung = 2;
    gAnzImpulse = 50;
    gMaxRunden = 1000;
    gScroll = true;
    gAutoVerbindung = kTrue;
    gUnveraendert = true;
}

std::string DefaultWorkingFolder(const std::string& standard, int slot) {
    const std::string folder = standard + std::string(kWorkingFolderNames[slot]) + "/";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (IsDirectory(folder))
        return folder;
    // The folder cannot be made (a read-only home): the base folder serves, which exists.
    const std::string base = standard.substr(0, standard.size() - kKardoFolder.size());
    return IsDirectory(base) ? base : folder;
}

std::string CheckWorkingDirectory(const std::string& entry, const std::string& standard) {
    if (entry.empty())
        return standard;
    if (IsDirectory(entry))
        return entry.back() == '/' ? entry : entry + "/";
    Host().MessageBox("Das Verzeichnis\n" + entry +
                          "\nkonnte nicht gefunden werden!\nEs wird das Standardverzeichnis "
                          "verwendet!",
                      MsgButtons::Ok, MsgIcon::Exclamation, "Kardo Meldung");
    return standard;
}

void PrepareDirectories() {
    // The user's documents folder, else the home folder: this system has no common documents
    // folder, and a folder beside the program is not the user's to write into.
    std::string base = GetSpecialFolder(kFolderPersonalDocuments);
    if (base.empty())
        base = HomeFolder();
    base = base.empty() ? ProgramFolder() : base + "/";
    (gRegRoot == SettingsRoot::System ? gBasisGemeinsam : gBasisPersoenlich) = base;
    gStandardVerzeichnis = base + std::string(kKardoFolder);

    LoadSettings();
    // An empty entry takes its default silently, a missing folder with a message; either way the
    // default is created and is what the settings keep from now on.
    for (int i = 0; i < 3; ++i) {
        std::string& folder = gVerzeichnisse[static_cast<std::size_t>(i)];
        const bool usable = !folder.empty() && IsDirectory(folder);
        const std::string standard =
            usable ? std::string() : DefaultWorkingFolder(gStandardVerzeichnis, i);
        folder = CheckWorkingDirectory(folder, standard);
    }
    gFile.FilePath = gVerzeichnisse[0];

    // Set after the settings, so every run starts with the grid shown.
    gRaster = 14;
    gLinienFarbe = 0;
    gFarbe = 255;
    gShowGrid = true;
}

} // namespace kardo
