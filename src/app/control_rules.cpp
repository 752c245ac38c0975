// The function lock's controls and tools, the controls each mode of the main window keeps
// disabled, and the one decision whether a control may be enabled.
#include "app/control_rules.h"

#include "app/permissions.h"
#include "model/codes.h"
#include "model/sim_levels.h"
#include "model/utilities.h"
#include "platform/control_names.h"

#include <algorithm>

namespace kardo {

namespace {

using ctl::Element;

constexpr LockedControlRow kComponentRows[] = {
    {kRechtLeuchtdiode, ctl::cmdDiode},
    {kRechtLeuchtdiode, Element("mBauteil_7")},
    {kRechtSchalter, ctl::cmdSchalter},
    {kRechtSchalter, Element("mBauteil_8")},
    {kRechtInverter, ctl::cmdInverter},
    {kRechtInverter, Element("mBauteil_9")},
    {kRechtUnd, ctl::cmdUND},
    {kRechtUnd, Element("mBauteil_11")},
    {kRechtOder, ctl::cmdODER},
    {kRechtOder, Element("mBauteil_12")},
    {kRechtXOder, ctl::cmdXODER},
    {kRechtXOder, Element("mBauteil_13")},
    {kRechtFlipFlop, Element("mBauteil_18")},
    {kRechtMultiplexer, Element("mBauteil_19")},
    {kRechtDecoder, ctl::cmdDecoder},
    {kRechtDecoder, ctl::cmdDecoderT},
    {kRechtDecoder, Element("mBauteil_20")},
    {kRechtTaktgeber, Element("mBauteil_21")},
    {kRechtSchieberegister, Element("mBauteil_22")},
    {kRechtZiffernanzeige, Element("mBauteil_23")},
    {kRechtAddierer, ctl::cmdHA},
    {kRechtAddierer, ctl::cmdVA},
    {kRechtAddierer, Element("mBauteil_15")},
    {kRechtAddierer, Element("mBauteil_16")},
    {kRechtIC, ctl::cmdIC},
    {kRechtIC, Element("mBauteil_25")},
};

constexpr LockedControlRow kFunctionRows[] = {
    {kRechtBoolesche, ctl::mSynthese},     {kRechtBoolesche, ctl::mBoolean},
    {kRechtBoolesche, ctl::mTermCreation}, {kRechtBoolesche, ctl::cmdSynthese},
    {kRechtBoolesche, ctl::cmdTabelle},    {kRechtICDefinieren, ctl::mDefIC},
    {kRechtICDefinieren, ctl::cmdICView},  {kRechtICAuswahl, ctl::mICAuswahl},
    {kRechtICAuswahl, ctl::cmdICAuswahl},  {kRechtICAuswahl, ctl::cmdICVerwaltung},
    {kRechtDrucken, ctl::mPrint},          {kRechtDrucken, ctl::cmdPrint},
    {kRechtBitmap, ctl::mSaveBitmap},      {kRechtZahlenkonvertierung, ctl::mNumberConversion},
    {kRechtEingabezeile, ctl::mPanel_5},   {kRechtEingabezeile, ctl::cmdPanel5},
};

constexpr KomplexEntry kKomplexEntries[] = {{kRechtFlipFlop, "FlipFlop"},
                                            {kRechtMultiplexer, "Multiplexer"},
                                            {kRechtTaktgeber, "Taktgeber"},
                                            {kRechtSchieberegister, "Schieberegister"},
                                            {kRechtZiffernanzeige, "Ziffernanzeige"}};

// The tools of the element kinds the lock knows.
constexpr std::pair<std::uint8_t, int> kToolRechte[] = {
    {kTypeLed, kRechtLeuchtdiode},
    {kTypeSwitch, kRechtSchalter},
    {kTypeInverter, kRechtInverter},
    {kTypeAnd, kRechtUnd},
    {kTypeOr, kRechtOder},
    {kTypeXor, kRechtXOder},
    {kTypeFlipFlop, kRechtFlipFlop},
    {kTypeMultiplexer, kRechtMultiplexer},
    {kTypeDecoder, kRechtDecoder},
    {kTypeClock, kRechtTaktgeber},
    {kTypeShiftRegister, kRechtSchieberegister},
    {kTypeNumberDisplay, kRechtZiffernanzeige},
    {kTypeHalfAdder, kRechtAddierer},
    {kTypeFullAdder, kRechtAddierer},
    {kTypeIC, kRechtIC},
};

// What the powered mode disables (by the controls' own names; the main toolbar's first keys are
// switched by their positions Toolbar_1 to Toolbar_10). The element toolbar and menu are hidden
// meanwhile instead.
constexpr std::string_view kPoweredOff[] = {
    // Keys.
    ctl::cmdNew, ctl::cmdOpen, ctl::cmdSave, ctl::cmdPrint, ctl::cmdCut, ctl::cmdCopy,
    ctl::cmdPaste, ctl::cmdUndo, ctl::cmdUndoList, ctl::cmdRaster, ctl::cmdICView,
    ctl::cmdICAuswahl,
    // Menu entries.
    ctl::mNeu, ctl::mOpen, ctl::mSave, ctl::mSaveAs, ctl::mPrint, ctl::mUndo, ctl::mUndoList,
    ctl::mDelete, ctl::mDefIC, ctl::mICAuswahl, ctl::mAnsichtItem_3, Element("mUsedFiles_0"),
    Element("mUsedFiles_1"), Element("mUsedFiles_2"), Element("mUsedFiles_3"),
    // The sheet-size panel.
    ctl::txtX, ctl::txtY, ctl::updSizeX, ctl::updSizeY};
// What the IC-definition view disables: its own way in.
constexpr std::string_view kICViewOff[] = {ctl::mDefIC, ctl::cmdICView};
// What quick help disables: the element menu.
constexpr std::string_view kQuickHelpOff[] = {ctl::mBauelemente};

template <std::size_t N> bool Contains(const std::string_view (&list)[N], std::string_view name) {
    return std::find(std::begin(list), std::end(list), name) != std::end(list);
}

} // namespace

std::span<const LockedControlRow> ComponentLockRows() { return kComponentRows; }
std::span<const LockedControlRow> FunctionLockRows() { return kFunctionRows; }
std::span<const KomplexEntry> KomplexEntries() { return kKomplexEntries; }

int ComponentOfTool(int tool) {
    for (const auto& [t, recht] : kToolRechte)
        if (t == tool)
            return recht;
    return -1;
}

bool ToolPermitted(int tool) {
    const int recht = ComponentOfTool(tool);
    return recht < 0 || gBauteilRechte[static_cast<std::size_t>(recht)];
}

std::string LockedComponents(std::span<const std::uint8_t> types) {
    std::string names;
    for (int recht = 0; recht < kAnzBauteilRechte; ++recht) {
        const auto needed = [recht](std::uint8_t typ) { return ComponentOfTool(typ) == recht; };
        if (gBauteilRechte[static_cast<std::size_t>(recht)] ||
            std::none_of(types.begin(), types.end(), needed))
            continue;
        if (!names.empty())
            names += ", ";
        names += kBauteilNamen[static_cast<std::size_t>(recht)];
    }
    return names;
}

bool LockedControl(std::string_view name) {
    for (const LockedControlRow& r : kComponentRows)
        if (r.control == name)
            return !gBauteilRechte[static_cast<std::size_t>(r.recht)];
    for (const LockedControlRow& r : kFunctionRows)
        if (r.control == name)
            return !gFunktionRechte[static_cast<std::size_t>(r.recht)];
    return false;
}

bool ModeKeepsDisabled(std::string_view name) {
    if (gPowerOn && Contains(kPoweredOff, name))
        return true;
    if (gMouseMode == kToolICView && Contains(kICViewOff, name))
        return true;
    return gMouseMode == kToolQuickHelp && Contains(kQuickHelpOff, name);
}

bool MayEnable(std::string_view name) { return !LockedControl(name) && !ModeKeepsDisabled(name); }

} // namespace kardo
