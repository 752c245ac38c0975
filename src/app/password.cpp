// Lock password rules.
#include "app/password.h"

#include "app/permissions.h"
#include "app/settings.h"
#include "platform/platform.h"

namespace kardo {

bool PasswordMatches(std::string_view typed) { return typed == gPasswort; }

std::optional<std::string> CheckPasswordChange(bool askOld, std::string_view oldPassword,
                                               std::string_view newPassword,
                                               std::string_view repeated) {
    if (askOld && oldPassword != gPasswort)
        return std::string("Das alte Kennwort ist falsch.");
    if (newPassword != repeated)
        return std::string("Die beiden Eingaben des neuen Kennworts stimmen nicht überein.\r\n"
                           "Bitte geben Sie das neue Kennwort zweimal gleich ein.");
    return std::nullopt;
}

bool ChangePassword(std::string_view newPassword) {
    gPasswort = std::string(newPassword);
    if (WritePermissions())
        return true;
    ReportUnwritableSettings();
    return false;
}

std::string SettingsFileName() {
    if (gPlatform == nullptr || gPlatform->settings == nullptr)
        return {};
    return gPlatform->settings->Location(gRegRoot);
}

void ReportUnwritableSettings(std::string_view consequence) {
    const std::string file = SettingsFileName();
    const std::string reason = gPlatform != nullptr && gPlatform->settings != nullptr
                                   ? gPlatform->settings->FlushProblem()
                                   : std::string();
    std::string text =
        file.empty()
            ? std::string("Die Einstellungen konnten nicht gespeichert werden")
            : "Die Einstellungen konnten nicht in die Datei\r\n" + file + "\r\ngeschrieben werden";
    if (!reason.empty())
        text.append(": ").append(reason);
    text.append(".\r\n").append(consequence);
    Host().MessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation, "Kardo Meldung");
}

} // namespace kardo
