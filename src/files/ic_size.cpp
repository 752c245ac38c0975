// Package size of the chosen IC.
#include "files/ic_size.h"

#include "files/ic_folder.h"
#include "files/ic_loader.h"
#include "files/working_folders.h"
#include "model/place_ic.h"
#include "platform/platform.h"

#include <string>

namespace kardo {

std::int16_t gICBreite = 0;
std::int16_t gICHoehe = 0;

void ResetICSize() {
    gICBreite = 0;
    gICHoehe = 0;
}

bool GetICSize(std::string_view name) {
    if (name.empty() || name == "<Name>")
        return false;
    if (!FindICFile(gVerzeichnisse[1], name)) {
        Host().MessageBox("IC '" + std::string(name) + "' wurde nicht gefunden.", MsgButtons::Ok,
                          MsgIcon::Information, "Dateifehler");
        gICName.clear();
        ResetICSize();
        return false;
    }
    ICLoader loader(gVerzeichnisse[1]);
    ICLoadProblem problem;
    const ICDefinition* def = loader.Definition(name, problem);
    if (!def) {
        ResetICSize();
        return false;
    }
    gICBreite = def->Breite;
    gICHoehe = def->Hoehe;
    return true;
}

} // namespace kardo
