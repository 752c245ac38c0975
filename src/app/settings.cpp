// Loading and saving the settings under the program key.
#include "app/settings.h"

#include "files/text_helpers.h"
#include "platform/platform.h"
#include "render/view.h"
#include "simulation/sim_core.h"

#include <cmath>
#include <optional>

namespace kardo {

SettingsRoot gRegRoot = SettingsRoot::User;
std::int16_t gUndoSteps = 10;
std::int16_t gAnzImpulse = 50;
bool gICAuswahlVisible = false;
WindowPlacement gICAuswahlPlacement;
std::array<std::int16_t, 5> gPanelVisible = {-1, -1, 0, -1, 0};
bool gICsMitSpeichern = false;
std::array<std::string, 4> gLastFiles;
std::string gBasisPersoenlich;
std::string gBasisGemeinsam;
std::string gStandardVerzeichnis;

namespace {

SettingsStore* Store() { return gPlatform != nullptr ? gPlatform->settings : nullptr; }

std::optional<std::string> Read(const SettingsStore& s, const std::string& name) {
    return s.Get(gRegRoot, name);
}

// A whole number within [lo, hi]; nothing for a missing value, text that is no number, or a
// number outside the range, so that a damaged store never yields unusable settings.
std::optional<std::int32_t> ReadInt(const SettingsStore& s, const std::string& name,
                                    std::int32_t lo, std::int32_t hi) {
    const auto text = Read(s, name);
    if (!text)
        return std::nullopt;
    const std::string_view t = *text;
    const std::size_t first = t.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    const char c = t[first];
    if (!(c == '-' || c == '+' || (c >= '0' && c <= '9')))
        return std::nullopt;
    const double v = std::round(Val(t));
    if (v < lo || v > hi)
        return std::nullopt;
    return static_cast<std::int32_t>(v);
}

void LoadInt16(const SettingsStore& s, const std::string& name, std::int16_t& target,
               std::int32_t lo, std::int32_t hi) {
    if (const auto v = ReadInt(s, name, lo, hi))
        target = static_cast<std::int16_t>(*v);
}

void LoadBool(const SettingsStore& s, const std::string& name, bool& target) {
    if (const auto v = ReadInt(s, name, -32768, 32767))
        target = *v != 0;
}

void LoadText(const SettingsStore& s, const std::string& name, std::string& target) {
    if (auto v = Read(s, name))
        target = std::move(*v);
}

std::string TruthText(bool b) { return b ? "-1" : "0"; }

} // namespace

void ResetSettings() {
    gUndoSteps = 10;
    gScroll = true;
    gAnzImpulse = 50;
    gVerzeichnisse = {};
    gICAuswahlVisible = false;
    gICAuswahlPlacement = {};
    gPanelVisible = {-1, -1, 0, -1, 0};
    gICsMitSpeichern = false;
    gLastFiles = {};
    gPortAccessEnabled = false;
    gPortAccessPortAddress = 888;
    gBasisPersoenlich.clear();
    gBasisGemeinsam.clear();
    gStandardVerzeichnis.clear();
}

void LoadSettings() {
    const SettingsStore* s = Store();
    if (s == nullptr)
        return;
    // Settings that exist but cannot be read are reported, and the session runs on the
    // defaults; the store never writes over them.
    if (const std::string problem = s->LoadProblem(gRegRoot); !problem.empty()) {
        std::string text = "Die Einstellungen in der Datei\r\n";
        text.append(s->Location(gRegRoot)).append("\r\nkönnen nicht gelesen werden: ");
        text.append(problem).append(".\r\n");
        text.append("Kardo verwendet in dieser Sitzung die Standardeinstellungen und "
                    "überschreibt die Datei nicht.");
        Host().MessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation, "Kardo Meldung");
        return;
    }
    LoadInt16(*s, "DummyUndo", gUndoSteps, 1, 99);
    LoadBool(*s, "Scroll", gScroll);
    LoadInt16(*s, "AutoStop", gMaxRunden, 250, 5000);
    LoadInt16(*s, "AnzImpulse", gAnzImpulse, 1, 32767);
    LoadBool(*s, "ShowGrid", gShowGrid);
    for (int i = 0; i < 3; ++i)
        LoadText(*s, "Verzeichnis" + std::to_string(i), gVerzeichnisse[i]);
    LoadBool(*s, "frmICAuswahlVisible", gICAuswahlVisible);
    LoadInt16(*s, "frmICAuswahlX", gICAuswahlPlacement.X, -32768, 32767);
    LoadInt16(*s, "frmICAuswahlY", gICAuswahlPlacement.Y, -32768, 32767);
    LoadInt16(*s, "frmICAuswahlWidth", gICAuswahlPlacement.Width, 0, 32767);
    LoadInt16(*s, "frmICAuswahlHeight", gICAuswahlPlacement.Height, 0, 32767);
    for (int i = 0; i < 5; ++i) {
        std::int16_t state = gPanelVisible[i];
        LoadInt16(*s, "PanelVisible" + std::to_string(i), state, -1, 1);
        gPanelVisible[i] = state;
    }
    LoadBool(*s, "SaveICsWithFile", gICsMitSpeichern);
    for (int i = 0; i < 4; ++i)
        LoadText(*s, "LastFile" + std::to_string(i), gLastFiles[i]);
    LoadBool(*s, "PortAccessEnabled", gPortAccessEnabled);
    if (const auto v = ReadInt(*s, "PortAccessPortAddress", 0, 65535))
        gPortAccessPortAddress = *v;
}

bool SaveSettings() {
    SettingsStore* s = Store();
    if (s == nullptr)
        return false;
    const SettingsRoot r = gRegRoot;
    s->Set(r, "DummyUndo", std::to_string(gUndoSteps));
    s->Set(r, "Scroll", TruthText(gScroll));
    s->Set(r, "AutoStop", std::to_string(gMaxRunden));
    s->Set(r, "AnzImpulse", std::to_string(gAnzImpulse));
    s->Set(r, "ShowGrid", TruthText(gShowGrid));
    for (int i = 0; i < 3; ++i)
        s->Set(r, "Verzeichnis" + std::to_string(i), gVerzeichnisse[i]);
    s->Set(r, "frmICAuswahlVisible", TruthText(gICAuswahlVisible));
    s->Set(r, "frmICAuswahlX", std::to_string(gICAuswahlPlacement.X));
    s->Set(r, "frmICAuswahlY", std::to_string(gICAuswahlPlacement.Y));
    s->Set(r, "frmICAuswahlWidth", std::to_string(gICAuswahlPlacement.Width));
    s->Set(r, "frmICAuswahlHeight", std::to_string(gICAuswahlPlacement.Height));
    for (int i = 0; i < 5; ++i)
        s->Set(r, "PanelVisible" + std::to_string(i), std::to_string(gPanelVisible[i]));
    s->Set(r, "SaveICsWithFile", TruthText(gICsMitSpeichern));
    for (int i = 0; i < 4; ++i)
        s->Set(r, "LastFile" + std::to_string(i), gLastFiles[i]);
    s->Set(r, "PortAccessEnabled", TruthText(gPortAccessEnabled));
    s->Set(r, "PortAccessPortAddress", std::to_string(gPortAccessPortAddress));
    return s->Flush();
}

} // namespace kardo
