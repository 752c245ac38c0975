// Options: current values, checks and applying them.
#include "app/options.h"

#include "app/number_conversion.h"
#include "app/settings.h"
#include "files/file_lines.h"
#include "files/text_helpers.h"
#include "model/undo.h"
#include "simulation/sim_core.h"

namespace kardo {

namespace {

constexpr const char* kFolderNames[3] = {"Schaltungen", "ICs", "Bitmaps"};

} // namespace

OptionValues CurrentOptions() {
    OptionValues v;
    v.undoSteps = gUndoSteps;
    v.maxRunden = gMaxRunden;
    v.scroll = gScroll;
    v.icsMitSpeichern = gICsMitSpeichern;
    v.folders = gVerzeichnisse;
    v.bauteile = gBauteilRechte;
    v.funktionen = gFunktionRechte;
    v.portEnabled = gPortAccessEnabled;
    v.portAddress = PortAddressText(gPortAccessPortAddress);
    return v;
}

std::optional<int> ParsePortAddress(std::string_view text) {
    text = TrimBlanks(text);
    if (text.size() > 2 && (text.substr(0, 2) == "&H" || text.substr(0, 2) == "&h" ||
                            text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X"))
        text.remove_prefix(2);
    const ParsedNumber n = ParseNumber(text, 16);
    if (!n.value || *n.value < 1 || *n.value > kMaxPortAddress)
        return std::nullopt;
    return static_cast<int>(*n.value);
}

std::optional<OptionProblem> CheckOptions(const OptionValues& v) {
    if (v.undoSteps < kMinUndoSteps || v.undoSteps > kMaxUndoSteps)
        return OptionProblem{OptionField::UndoSteps,
                             "Die Anzahl der Rückgängig-Schritte muss zwischen 1 und 99 liegen."};
    if (v.maxRunden < kMinMaxRunden || v.maxRunden > kMaxMaxRunden)
        return OptionProblem{OptionField::MaxRunden,
                             "Die Anzahl der Durchläufe bis zum Abbruch muss zwischen 250 und "
                             "5000 liegen."};
    for (std::size_t i = 0; i < v.folders.size(); ++i) {
        const auto field = static_cast<OptionField>(static_cast<int>(OptionField::Folder0) + i);
        const std::string& folder = v.folders[i];
        if (folder.empty())
            return OptionProblem{field, std::string("Bitte geben Sie ein Verzeichnis für die ") +
                                            kFolderNames[i] + " an."};
        if (!IsDirectory(folder))
            return OptionProblem{field, "Das Verzeichnis\r\n" + folder +
                                            "\r\nkonnte nicht gefunden werden!\r\nBitte wählen "
                                            "Sie ein vorhandenes Verzeichnis."};
    }
    if (!ParsePortAddress(v.portAddress))
        return OptionProblem{OptionField::PortAddress,
                             "Die Portadresse muss eine Hexadezimalzahl von 1 bis FFFF sein."};
    return std::nullopt;
}

bool ApplyOptions(const OptionValues& v) {
    gUndoSteps = static_cast<std::int16_t>(v.undoSteps);
    gUndo.SetUndos(gUndoSteps);
    gMaxRunden = static_cast<std::int16_t>(v.maxRunden);
    gScroll = v.scroll;
    gICsMitSpeichern = v.icsMitSpeichern;
    for (std::size_t i = 0; i < v.folders.size(); ++i) {
        const std::string& f = v.folders[i];
        gVerzeichnisse[i] = !f.empty() && f.back() == '/' ? f : f + "/";
    }
    gBauteilRechte = v.bauteile;
    gFunktionRechte = v.funktionen;
    gPortAccessEnabled = v.portEnabled;
    if (const auto address = ParsePortAddress(v.portAddress))
        gPortAccessPortAddress = *address;
    const bool settings = SaveSettings();
    const bool lock = WritePermissions();
    return settings && lock;
}

} // namespace kardo
