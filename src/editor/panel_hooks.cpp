// Panel hooks of the worksheet editor.
#include "editor/panel_hooks.h"

#include "model/clock_tables.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "render/redraw.h"

namespace kardo {

// The clock selected so far is drawn plain again and clock Nr with the highlight.
void SelectTimer(std::int16_t Nr) {
    if (gAnzTaktgeber == 0 || gGrafik.Device == nullptr)
        return;
    const auto clockElement = [](int n) -> std::int16_t {
        return n >= 0 && static_cast<std::size_t>(n) < gTaktElement.size()
                   ? gTaktElement[static_cast<std::size_t>(n)]
                   : std::int16_t{0};
    };
    DrawClock(clockElement(gAktTakt), false);
    DrawClock(clockElement(Nr), true);
}

void ChangeToolbar3() {
    if (gPlatform != nullptr && gPlatform->host != nullptr)
        gPlatform->host->ChangeToolbar3();
}

void PositionQuickHelp(std::string_view headline, std::string_view text, std::string_view key) {
    if (gPlatform != nullptr && gPlatform->host != nullptr)
        gPlatform->host->PositionQuickHelp(headline, text, key);
}

} // namespace kardo
