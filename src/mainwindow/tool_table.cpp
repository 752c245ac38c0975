// The table of tools and its look-ups.
#include "mainwindow/tool_table.h"

#include <charconv>
#include <cmath>

namespace kardo {

// clang-format off
const std::array<ToolChoice, 23> kToolChoices = {{
    {"cmdSelect",           "",                0, 0,  kSecNormal,                    "Mauszeiger"},
    {"cmdText",             "",               22, 0,  kSecText,                      "Text"},
    {"cmdLeitungen",        "",                1, 1,  0,                             "Leitungen"},
    {"cmdDiode",            "",                4, 7,  kSecColors,                    "LED"},
    {"cmdSchalter",         "",                5, 8,  0,                             "Schalter"},
    {"cmdInverter",         "",                9, 9,  kSecOrientation,               "Inverter"},
    {"cmdVerbindungspunkt", "",                2, 2,  0,                             "Verbinden"},
    {"cmdKoppeldiode",      "",               15, 3,  0,                             "Koppeln"},
    {"cmdNegationspunkt",   "",                3, 4,  0,                             "Negieren"},
    {"cmdAnalysepunkt",     "",               27, 5,  0,                             "Analysepunkt"},
    {"cmdUND",              "",                6, 11, kSecOrientation | kSecInput,   "UND"},
    {"cmdODER",             "",                7, 12, kSecOrientation | kSecInput,   "ODER"},
    {"cmdXODER",            "",                8, 13, kSecOrientation | kSecInput,   "X-ODER"},
    {"cmdHA",               "",               11, 15, kSecOrientation,               "Halbaddierer"},
    {"cmdVA",               "",               12, 16, kSecOrientation,               "Volladdierer"},
    {"cmdTriState",         "",               13, 0,  kSecOrientation,               "TriState-Gatter"},
    {"cmdDecoder",          "",               16, 20, kSecOrientation | kSecTakt,    "Decoder"},
    {"cmdKomplex",          "FlipFlop",       17, 18, kSecOrientation,               "FlipFlop"},
    {"cmdKomplex",          "Multiplexer",    14, 19, kSecOrientation,               "Multiplexer"},
    {"cmdKomplex",          "Taktgeber",      10, 21, kSecOrientation,               "Taktgeber"},
    {"cmdKomplex",          "Schieberegister",18, 22, kSecOrientation,               "Schieberegister"},
    {"cmdKomplex",          "Ziffernanzeige", 19, 23, kSecOrientation,               "Ziffernanzeige"},
    {"cmdIC",               "",               20, 25, kSecIC,                        "IC"},
}};
// clang-format on

const std::array<std::string_view, 26> kBauteilCaptions = {"",
                                                           "&Leitungen",
                                                           "&Verbindungspunkt",
                                                           "&Koppeldiode",
                                                           "&Negationspunkt",
                                                           "Anal&ysepunkt",
                                                           "-",
                                                           "&Leuchtdiode",
                                                           "&Schalter",
                                                           "&Inverter",
                                                           "-",
                                                           "&UND-Baustein",
                                                           "&ODER-Baustein",
                                                           "&X-ODER-Baustein",
                                                           "-",
                                                           "&Halb-Addierer",
                                                           "&Voll-Addierer",
                                                           "-",
                                                           "&FlipFlop",
                                                           "&Multiplexer",
                                                           "&Decoder",
                                                           "&Taktgeber",
                                                           "&Schieberegister",
                                                           "&Ziffernanzeige",
                                                           "-",
                                                           "&IC"};

std::array<std::int16_t, 8> SectionFlags(std::uint8_t sections) {
    std::array<std::int16_t, 8> flags{};
    for (int i = 0; i < 8; ++i)
        flags[i] = (sections >> i) & 1 ? -1 : 0;
    return flags;
}

const ToolChoice* ChoiceByKey(std::string_view key) {
    for (const ToolChoice& c : kToolChoices)
        if (c.key == key)
            return &c;
    return nullptr;
}

const ToolChoice* ChoiceByKomplex(std::string_view name) {
    if (name.empty())
        return nullptr;
    for (const ToolChoice& c : kToolChoices)
        if (c.komplex == name)
            return &c;
    return nullptr;
}

const ToolChoice* ChoiceByMenu(int menu) {
    if (menu <= 0)
        return nullptr;
    for (const ToolChoice& c : kToolChoices)
        if (c.menu == menu)
            return &c;
    return nullptr;
}

const ToolChoice* ChoiceByTool(int tool) {
    for (const ToolChoice& c : kToolChoices)
        if (c.tool == tool)
            return &c;
    return nullptr;
}

std::string_view ToolDisplayName(int tool) {
    if (tool == 98)
        return "IC-Definition";
    if (tool == 99)
        return "Eingeschaltet";
    const ToolChoice* c = ChoiceByTool(tool);
    return c != nullptr ? c->name : std::string_view();
}

std::string ClockTimeCaption(int sliderValue) {
    const int ms = 10000 - sliderValue;
    // Whole tenths of a second, kept as a single-precision number as the label showed it.
    const float seconds = static_cast<float>(std::floor(ms / 100.0) / 10.0);
    // Shortest form, always with a point whatever the locale.
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, seconds).ptr;
    std::string text(buf, end);
    if (text.rfind("0.", 0) == 0)
        text.erase(0, 1);
    if (text.rfind("-0.", 0) == 0)
        text.erase(1, 1);
    text += 's';
    if (sliderValue > 9000)
        text = "0" + text;
    if (text == "00s")
        text = "0.0s";
    return text;
}

} // namespace kardo
