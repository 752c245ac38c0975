// The main window's shared state.
#include "app/main_state.h"

#include "app/file_object.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "app/web_links.h"

namespace kardo {

std::uint8_t gAktiviert = 0;

void ResetMainState() { gAktiviert = 0; }

void ResetAppGlobals() {
    ResetMainState();
    ResetSettings();
    ResetPermissions();
    ResetFileObject();
    ResetWebLinks();
}

} // namespace kardo
