// The function lock: which element kinds and functions the user may reach, and the lock
// password, kept together in the settings value "Permissions".
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kardo {

// Component permissions, by index into gBauteilRechte.
enum BauteilRecht : int {
    kRechtLeuchtdiode = 0,
    kRechtSchalter = 1,
    kRechtInverter = 2,
    kRechtUnd = 3,
    kRechtOder = 4,
    kRechtXOder = 5,
    kRechtFlipFlop = 6,
    kRechtMultiplexer = 7,
    kRechtDecoder = 8,
    kRechtTaktgeber = 9,
    kRechtSchieberegister = 10,
    kRechtZiffernanzeige = 11,
    kRechtAddierer = 12,
    kRechtIC = 13,
};
constexpr int kAnzBauteilRechte = 14;
// The components as the options dialog lists them, by index into gBauteilRechte.
inline constexpr std::array<const char*, kAnzBauteilRechte> kBauteilNamen = {
    "Leuchtdiode", "Schalter",    "Inverter", "UND-Baustein", "ODER-Baustein",   "X-ODER-Baustein",
    "FlipFlop",    "Multiplexer", "Decoder",  "Taktgeber",    "Schieberegister", "Ziffernanzeige",
    "Addierer",    "IC"};

// Function permissions, by index into gFunktionRechte.
enum FunktionRecht : int {
    kRechtBoolesche = 0, // synthesis, truth table and term creation
    kRechtICDefinieren = 1,
    kRechtICAuswahl = 2,
    kRechtDrucken = 3,
    kRechtBitmap = 4,
    kRechtZahlenkonvertierung = 5,
    kRechtEingabezeile = 6, // the formula input line
};
constexpr int kAnzFunktionRechte = 7;

extern std::array<bool, kAnzBauteilRechte> gBauteilRechte;   // true = permitted; ResetPermissions
extern std::array<bool, kAnzFunktionRechte> gFunktionRechte; // true = permitted; ResetPermissions
extern std::string gPasswort; // the lock password, "" when none; ResetPermissions

// Everything permitted, no password.
void ResetPermissions();

// The settings value: "B:" and one digit 1/0 per component, ";F:" and one per function, ";P:"
// and the password scrambled into hexadecimal digits.
struct PermissionSet {
    std::array<bool, kAnzBauteilRechte> bauteile{};    // component permissions
    std::array<bool, kAnzFunktionRechte> funktionen{}; // function permissions
    std::string passwort;                              // lock password in clear
    bool operator==(const PermissionSet&) const = default;
};
std::string EncodePermissions(const PermissionSet& set);
// Nothing when the text is not a complete value of that form.
std::optional<PermissionSet> DecodePermissions(std::string_view text);

// Reads the value "Permissions" under the program key into the globals above. When it is
// missing, damaged or unreadable (settings that exist but cannot be read hold no values) it
// shows its message and returns false: the program then ends.
bool ReadPermissions();

// Writes the globals above into the value "Permissions"; false when the store could not be
// written.
bool WritePermissions();

} // namespace kardo
