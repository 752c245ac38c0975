// What the worksheet editor asks of the main window's panels: the clock selection, the clock
// toolbar and the quick-help box.
#pragma once

#include <cstdint>
#include <string_view>

namespace kardo {

// Marks clock generator Nr as the selected one on the worksheet.
void SelectTimer(std::int16_t Nr);
// Brings the clock toolbar and the clock panel in line with clock gAktTakt.
void ChangeToolbar3();
// Shows quick help with a headline and text for the control with that key.
void PositionQuickHelp(std::string_view headline, std::string_view text, std::string_view key);

} // namespace kardo
