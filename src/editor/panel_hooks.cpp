// Panel hooks of the worksheet editor.
#include "editor/panel_hooks.h"

#include "platform/platform.h"

namespace kardo {

// The selected clock is drawn with its marked body by the redraws while powered; the marker
// shape beside it comes with the clock panel.
void SelectTimer(std::int16_t) {}

void ChangeToolbar3() {
    if (gPlatform != nullptr && gPlatform->host != nullptr)
        gPlatform->host->ChangeToolbar3();
}

void PositionQuickHelp(std::string_view headline, std::string_view text, std::string_view key) {
    if (gPlatform != nullptr && gPlatform->host != nullptr)
        gPlatform->host->PositionQuickHelp(headline, text, key);
}

} // namespace kardo
