// The function lock value: its text form, reading and writing.
#include "app/permissions.h"

#include "app/settings.h"
#include "platform/platform.h"

#include <cstdint>

namespace kardo {

namespace {
template <std::size_t N> constexpr std::array<bool, N> AllPermitted() {
    std::array<bool, N> a{};
    for (bool& b : a)
        b = true;
    return a;
}
} // namespace

std::array<bool, kAnzBauteilRechte> gBauteilRechte = AllPermitted<kAnzBauteilRechte>();
std::array<bool, kAnzFunktionRechte> gFunktionRechte = AllPermitted<kAnzFunktionRechte>();
std::string gPasswort;

namespace {

constexpr std::string_view kValueName = "Permissions";
constexpr char kHex[] = "0123456789ABCDEF";

// The password is kept out of plain sight, not secured: byte i is combined with 0x5A + 7 i.
std::uint8_t ScrambleKey(std::size_t i) { return static_cast<std::uint8_t>(0x5A + 7 * i); }

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Reads "<tag>:" and exactly flags.size() digits 0/1 from the front of text.
template <std::size_t N>
bool ReadFlags(std::string_view& text, std::string_view tag, std::array<bool, N>& flags) {
    if (text.substr(0, tag.size()) != tag)
        return false;
    text.remove_prefix(tag.size());
    if (text.size() < N)
        return false;
    for (std::size_t i = 0; i < N; ++i) {
        if (text[i] != '0' && text[i] != '1')
            return false;
        flags[i] = text[i] == '1';
    }
    text.remove_prefix(N);
    return true;
}

} // namespace

void ResetPermissions() {
    gBauteilRechte.fill(true);
    gFunktionRechte.fill(true);
    gPasswort.clear();
}

std::string EncodePermissions(const PermissionSet& set) {
    std::string out = "B:";
    for (bool b : set.bauteile)
        out += b ? '1' : '0';
    out += ";F:";
    for (bool b : set.funktionen)
        out += b ? '1' : '0';
    out += ";P:";
    for (std::size_t i = 0; i < set.passwort.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(set.passwort[i]) ^ ScrambleKey(i);
        out += kHex[byte >> 4];
        out += kHex[byte & 0x0F];
    }
    return out;
}

std::optional<PermissionSet> DecodePermissions(std::string_view text) {
    PermissionSet set;
    if (!ReadFlags(text, "B:", set.bauteile))
        return std::nullopt;
    if (!ReadFlags(text, ";F:", set.funktionen))
        return std::nullopt;
    if (text.substr(0, 3) != ";P:")
        return std::nullopt;
    text.remove_prefix(3);
    if (text.size() % 2 != 0)
        return std::nullopt;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int hi = HexDigit(text[i]);
        const int lo = HexDigit(text[i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        const auto byte = static_cast<std::uint8_t>((hi << 4) | lo) ^ ScrambleKey(i / 2);
        set.passwort += static_cast<char>(byte);
    }
    return set;
}

bool ReadPermissions() {
    // Fails closed: a value that cannot be read, for whatever reason, counts as missing.
    std::optional<PermissionSet> set;
    if (gPlatform != nullptr && gPlatform->settings != nullptr) {
        if (const auto text = gPlatform->settings->Get(gRegRoot, kValueName))
            set = DecodePermissions(*text);
    }
    if (!set) {
        Host().MessageBox("Die Einstellungen der Funktionssperre fehlen oder sind beschädigt.\r\n"
                          "Bitte installieren Sie Kardo neu.",
                          MsgButtons::Ok, MsgIcon::Critical, "Kardo Meldung");
        return false;
    }
    gBauteilRechte = set->bauteile;
    gFunktionRechte = set->funktionen;
    gPasswort = set->passwort;
    return true;
}

bool WritePermissions() {
    if (gPlatform == nullptr || gPlatform->settings == nullptr)
        return false;
    const PermissionSet set{gBauteilRechte, gFunktionRechte, gPasswort};
    gPlatform->settings->Set(gRegRoot, kValueName, EncodePermissions(set));
    return gPlatform->settings->Flush();
}

} // namespace kardo
