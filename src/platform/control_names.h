// The names of the main window's controls that the core hands to the window (HostWindow's
// control calls, the function lock and the mode rules): one list, each name a constant taken
// from it. A name that is not listed does not compile; a test resolves every listed name against
// the real window, so a name the window does not know fails there instead of being ignored.
#pragma once

#include <cassert>
#include <string>
#include <string_view>

namespace kardo::ctl {

// Every single control name, each once.
inline constexpr std::string_view kNames[] = {
    // Element toolbar Toolbar2, in toolbar order.
    "cmdSelect", "cmdText", "cmdLeitungen", "cmdDiode", "cmdSchalter", "cmdInverter",
    "cmdVerbindungspunkt", "cmdKoppeldiode", "cmdNegationspunkt", "cmdAnalysepunkt", "cmdUND",
    "cmdODER", "cmdXODER", "cmdHA", "cmdVA", "cmdTriState", "cmdDecoder", "cmdDecoderT",
    "cmdKomplex", "cmdIC",
    // Main toolbar.
    "cmdNew", "cmdOpen", "cmdSave", "cmdPrint", "cmdCut", "cmdCopy", "cmdPaste", "cmdUndo",
    "cmdUndoList", "cmdSynthese", "cmdTabelle", "cmdICView", "cmdICAuswahl", "cmdRaster",
    "cmdPanel5",
    // Clock toolbar Toolbar3 by position (its stop key shares its name with the button cmdStop).
    "Toolbar3_1", "Toolbar3_2", "Toolbar3_3", "Toolbar3_4",
    // Menus.
    "mNeu", "mOpen", "mSave", "mSaveAs", "mSaveBitmap", "mPrint", "mUsedFilesLine", "mUndo",
    "mUndoList", "mDelete", "mICAuswahl", "mAnsichtItem_2", "mAnsichtItem_3", "mPanel_5",
    "mBauelemente", "mSynthese", "mBoolean", "mTermCreation", "mDefIC", "mNumberConversion",
    "mPopupMenu",
    // Panels and the window.
    "frmKardo", "picEinAus", "picRot", "picGrün", "lblOnOff", "cmdOn", "cmdOff", "cmdPause",
    "cmdStop", "lblTime", "txtAnschlüsse", "txtX", "txtY", "updSizeX", "updSizeY", "lblSelElement",
    "lblRahmen", "lblICFehler", "cmdICVerwaltung"};

// A control array: the controls base_N for N from first to last.
struct Array {
    std::string_view base; // name before "_"
    int first;             // lowest index
    int last;              // highest index
    std::string operator()(int index) const {
        assert(index >= first && index <= last);
        return std::string(base) + "_" + std::to_string(index);
    }
};

// Every control array.
inline constexpr Array kArrays[] = {
    {"mBauteil", 1, 25}, {"mUsedFiles", 0, 3}, {"mPopup", 3, 9}, {"tlbOrientation", 1, 4}};

namespace detail {
// A listed name; any other makes the constant below ill-formed, so the build fails.
consteval std::string_view Listed(std::string_view name) {
    for (std::string_view n : kNames)
        if (n == name)
            return n;
    throw "control name missing from ctl::kNames";
}
consteval Array ListedArray(std::string_view base) {
    for (const Array& a : kArrays)
        if (a.base == base)
            return a;
    throw "control array missing from ctl::kArrays";
}
} // namespace detail

// An element of a listed array by its full name ("mBauteil_7"), for tables of constants.
consteval std::string_view Element(std::string_view name) {
    const std::size_t us = name.rfind('_');
    if (us == std::string_view::npos || us + 1 == name.size())
        throw "not the name of an array element";
    int index = 0;
    for (char c : name.substr(us + 1)) {
        if (c < '0' || c > '9')
            throw "not the name of an array element";
        index = index * 10 + (c - '0');
    }
    const Array a = detail::ListedArray(name.substr(0, us));
    if (index < a.first || index > a.last)
        throw "array index out of range";
    return name;
}

inline constexpr std::string_view cmdSelect = detail::Listed("cmdSelect");
inline constexpr std::string_view cmdText = detail::Listed("cmdText");
inline constexpr std::string_view cmdLeitungen = detail::Listed("cmdLeitungen");
inline constexpr std::string_view cmdDiode = detail::Listed("cmdDiode");
inline constexpr std::string_view cmdSchalter = detail::Listed("cmdSchalter");
inline constexpr std::string_view cmdInverter = detail::Listed("cmdInverter");
inline constexpr std::string_view cmdVerbindungspunkt = detail::Listed("cmdVerbindungspunkt");
inline constexpr std::string_view cmdKoppeldiode = detail::Listed("cmdKoppeldiode");
inline constexpr std::string_view cmdNegationspunkt = detail::Listed("cmdNegationspunkt");
inline constexpr std::string_view cmdAnalysepunkt = detail::Listed("cmdAnalysepunkt");
inline constexpr std::string_view cmdUND = detail::Listed("cmdUND");
inline constexpr std::string_view cmdODER = detail::Listed("cmdODER");
inline constexpr std::string_view cmdXODER = detail::Listed("cmdXODER");
inline constexpr std::string_view cmdHA = detail::Listed("cmdHA");
inline constexpr std::string_view cmdVA = detail::Listed("cmdVA");
inline constexpr std::string_view cmdTriState = detail::Listed("cmdTriState");
inline constexpr std::string_view cmdDecoder = detail::Listed("cmdDecoder");
inline constexpr std::string_view cmdDecoderT = detail::Listed("cmdDecoderT");
inline constexpr std::string_view cmdKomplex = detail::Listed("cmdKomplex");
inline constexpr std::string_view cmdIC = detail::Listed("cmdIC");

inline constexpr std::string_view cmdNew = detail::Listed("cmdNew");
inline constexpr std::string_view cmdOpen = detail::Listed("cmdOpen");
inline constexpr std::string_view cmdSave = detail::Listed("cmdSave");
inline constexpr std::string_view cmdPrint = detail::Listed("cmdPrint");
inline constexpr std::string_view cmdCut = detail::Listed("cmdCut");
inline constexpr std::string_view cmdCopy = detail::Listed("cmdCopy");
inline constexpr std::string_view cmdPaste = detail::Listed("cmdPaste");
inline constexpr std::string_view cmdUndo = detail::Listed("cmdUndo");
inline constexpr std::string_view cmdUndoList = detail::Listed("cmdUndoList");
inline constexpr std::string_view cmdSynthese = detail::Listed("cmdSynthese");
inline constexpr std::string_view cmdTabelle = detail::Listed("cmdTabelle");
inline constexpr std::string_view cmdICView = detail::Listed("cmdICView");
inline constexpr std::string_view cmdICAuswahl = detail::Listed("cmdICAuswahl");
inline constexpr std::string_view cmdRaster = detail::Listed("cmdRaster");
inline constexpr std::string_view cmdPanel5 = detail::Listed("cmdPanel5");

inline constexpr std::string_view Toolbar3_1 = detail::Listed("Toolbar3_1");
inline constexpr std::string_view Toolbar3_2 = detail::Listed("Toolbar3_2");
inline constexpr std::string_view Toolbar3_3 = detail::Listed("Toolbar3_3");
inline constexpr std::string_view Toolbar3_4 = detail::Listed("Toolbar3_4");

inline constexpr std::string_view mNeu = detail::Listed("mNeu");
inline constexpr std::string_view mOpen = detail::Listed("mOpen");
inline constexpr std::string_view mSave = detail::Listed("mSave");
inline constexpr std::string_view mSaveAs = detail::Listed("mSaveAs");
inline constexpr std::string_view mSaveBitmap = detail::Listed("mSaveBitmap");
inline constexpr std::string_view mPrint = detail::Listed("mPrint");
inline constexpr std::string_view mUsedFilesLine = detail::Listed("mUsedFilesLine");
inline constexpr std::string_view mUndo = detail::Listed("mUndo");
inline constexpr std::string_view mUndoList = detail::Listed("mUndoList");
inline constexpr std::string_view mDelete = detail::Listed("mDelete");
inline constexpr std::string_view mICAuswahl = detail::Listed("mICAuswahl");
inline constexpr std::string_view mAnsichtItem_2 = detail::Listed("mAnsichtItem_2");
inline constexpr std::string_view mAnsichtItem_3 = detail::Listed("mAnsichtItem_3");
inline constexpr std::string_view mPanel_5 = detail::Listed("mPanel_5");
inline constexpr std::string_view mBauelemente = detail::Listed("mBauelemente");
inline constexpr std::string_view mSynthese = detail::Listed("mSynthese");
inline constexpr std::string_view mBoolean = detail::Listed("mBoolean");
inline constexpr std::string_view mTermCreation = detail::Listed("mTermCreation");
inline constexpr std::string_view mDefIC = detail::Listed("mDefIC");
inline constexpr std::string_view mNumberConversion = detail::Listed("mNumberConversion");
inline constexpr std::string_view mPopupMenu = detail::Listed("mPopupMenu");

inline constexpr std::string_view frmKardo = detail::Listed("frmKardo");
inline constexpr std::string_view picEinAus = detail::Listed("picEinAus");
inline constexpr std::string_view picRot = detail::Listed("picRot");
inline constexpr std::string_view picGruen = detail::Listed("picGrün");
inline constexpr std::string_view lblOnOff = detail::Listed("lblOnOff");
inline constexpr std::string_view cmdOn = detail::Listed("cmdOn");
inline constexpr std::string_view cmdOff = detail::Listed("cmdOff");
inline constexpr std::string_view cmdPause = detail::Listed("cmdPause");
inline constexpr std::string_view cmdStop = detail::Listed("cmdStop");
inline constexpr std::string_view lblTime = detail::Listed("lblTime");
inline constexpr std::string_view txtAnschluesse = detail::Listed("txtAnschlüsse");
inline constexpr std::string_view txtX = detail::Listed("txtX");
inline constexpr std::string_view txtY = detail::Listed("txtY");
inline constexpr std::string_view updSizeX = detail::Listed("updSizeX");
inline constexpr std::string_view updSizeY = detail::Listed("updSizeY");
inline constexpr std::string_view lblSelElement = detail::Listed("lblSelElement");
inline constexpr std::string_view lblRahmen = detail::Listed("lblRahmen");
inline constexpr std::string_view lblICFehler = detail::Listed("lblICFehler");
inline constexpr std::string_view cmdICVerwaltung = detail::Listed("cmdICVerwaltung");

inline constexpr Array mBauteil = detail::ListedArray("mBauteil");
inline constexpr Array mUsedFiles = detail::ListedArray("mUsedFiles");
inline constexpr Array mPopup = detail::ListedArray("mPopup");
inline constexpr Array tlbOrientation = detail::ListedArray("tlbOrientation");

} // namespace kardo::ctl
