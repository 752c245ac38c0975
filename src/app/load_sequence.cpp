// Settings root, objects, start values and folders of the program start.
#include "app/load_sequence.h"

#include "app/file_object.h"
#include "app/main_state.h"
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
    // here (as a missing installation once did) would make it unusable; start unlocked instead.
    gRegRoot = SettingsRoot::User;
    ResetPermissions();
    WritePermissions();
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
    std::string base = GetSpecialFolder(
        gRegRoot == SettingsRoot::System ? kFolderCommonDocuments : kFolderPersonalDocuments);
    if (!base.empty()) {
        if (!IsDirectory(base + "/Kardo")) {
            std::error_code ec;
            std::filesystem::create_directories(base + "/Kardo", ec);
        }
        base += '/';
    } else {
        base = ProgramFolder();
    }
    (gRegRoot == SettingsRoot::System ? gBasisGemeinsam : gBasisPersoenlich) = base;
    gStandardVerzeichnis = base + "Kardo/";

    LoadSettings();
    for (std::string& folder : gVerzeichnisse)
        folder = CheckWorkingDirectory(folder, gStandardVerzeichnis);
    gFile.FilePath = gVerzeichnisse[0];

    // Set after the settings, so every run starts with the grid shown.
    gRaster = 14;
    gLinienFarbe = 0;
    gFarbe = 255;
    gShowGrid = true;
}

} // namespace kardo
