// Web page and service mail addresses.
#include "app/web_links.h"

#include "app/settings.h"
#include "files/file_lines.h"
#include "platform/platform.h"

namespace kardo {

std::string gWebAdresse;
std::string gServiceAdresse;

void ResetWebLinks() {
    gWebAdresse.clear();
    gServiceAdresse.clear();
}

void LoadWebLinks() {
    ResetWebLinks();
    if (gPlatform == nullptr || gPlatform->settings == nullptr)
        return;
    if (const auto web = gPlatform->settings->Get(gRegRoot, "WebAdresse"))
        gWebAdresse = std::string(TrimBlanks(*web));
    if (const auto mail = gPlatform->settings->Get(gRegRoot, "ServiceAdresse"))
        gServiceAdresse = std::string(TrimBlanks(*mail));
}

std::string PercentEncode(std::string_view text) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~';
        if (unreserved) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

std::string ServiceMailUrl(std::string_view address) {
    constexpr std::string_view kScheme = "mailto:";
    std::string url(kScheme);
    if (address.substr(0, kScheme.size()) == kScheme)
        address.remove_prefix(kScheme.size());
    url.append(address).append("?subject=").append(PercentEncode(kServiceSubject));
    return url;
}

} // namespace kardo
