// The rules of the lock password: the prompt before the options and the change of the password.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kardo {

// The prompt's answer is the lock password.
bool PasswordMatches(std::string_view typed);

// The prompt's message for a wrong password.
inline constexpr std::string_view kWrongPasswordText = "Das Kennwort ist falsch.";

// Checks a password change: with askOld the old password must be the lock password, and the
// new one must be typed twice alike. Nothing when the change may be made, else the message.
std::optional<std::string> CheckPasswordChange(bool askOld, std::string_view oldPassword,
                                               std::string_view newPassword,
                                               std::string_view repeated);

// Makes newPassword the lock password and writes the lock value at once. When the store cannot
// be written the password holds for this run and the message is shown; false then.
bool ChangePassword(std::string_view newPassword);

// The message for a settings store that could not be written, naming its file and the reason,
// closed by consequence (by default: the values hold until the program ends).
void ReportUnwritableSettings(
    std::string_view consequence = "Sie gelten nur bis zum Ende dieser Sitzung.");

// The file the settings are written to ("" when the store has none).
std::string SettingsFileName();

} // namespace kardo
