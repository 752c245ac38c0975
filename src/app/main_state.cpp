// The main window's shared state.
#include "app/main_state.h"

#include "app/file_object.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "app/web_links.h"

namespace kardo {

bool gUnveraendert = true;
std::uint8_t gAktiviert = 0;
std::string gICName;
std::string LadeDatei;

void ResetMainState() {
    gUnveraendert = true;
    gAktiviert = 0;
    gICName.clear();
}

void ResetAppGlobals() {
    ResetMainState();
    ResetSettings();
    ResetPermissions();
    ResetFileObject();
    ResetWebLinks();
}

} // namespace kardo
