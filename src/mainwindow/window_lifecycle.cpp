// Main window: the load in four stages, the first activation, the close path with the question
// whether to save, the function lock on the window's controls, the IC file list and the recent
// files.
#include "app/file_commands.h"
#include "app/file_object.h"
#include "app/load_sequence.h"
#include "app/main_state.h"
#include "app/password.h"
#include "app/permissions.h"
#include "app/recent_files.h"
#include "app/settings.h"
#include "app/web_links.h"
#include "files/circuit_file.h"
#include "mainwindow/main_window.h"
#include "mainwindow/tool_table.h"
#include "mainwindow/worksheet_canvas.h"
#include "model/codes.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "platform/platform.h"
#include "render/redraw.h"
#include "render/view.h"

#include <algorithm>
#include <filesystem>

#include <QAction>
#include <QComboBox>
#include <QListWidget>

namespace kardo {

namespace {

QString Utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The controls each component permission switches.
struct ComponentControls {
    int recht;               // index into gBauteilRechte
    const char* controls[4]; // keys and menu entries, nullptr-terminated
};
constexpr ComponentControls kComponentControls[] = {
    {kRechtLeuchtdiode, {"cmdDiode", "mBauteil_7", nullptr}},
    {kRechtSchalter, {"cmdSchalter", "mBauteil_8", nullptr}},
    {kRechtInverter, {"cmdInverter", "mBauteil_9", nullptr}},
    {kRechtUnd, {"cmdUND", "mBauteil_11", nullptr}},
    {kRechtOder, {"cmdODER", "mBauteil_12", nullptr}},
    {kRechtXOder, {"cmdXODER", "mBauteil_13", nullptr}},
    {kRechtFlipFlop, {"mBauteil_18", nullptr}},
    {kRechtMultiplexer, {"mBauteil_19", nullptr}},
    {kRechtDecoder, {"cmdDecoder", "cmdDecoderT", "mBauteil_20", nullptr}},
    {kRechtTaktgeber, {"mBauteil_21", nullptr}},
    {kRechtSchieberegister, {"mBauteil_22", nullptr}},
    {kRechtZiffernanzeige, {"mBauteil_23", nullptr}},
    {kRechtAddierer, {"cmdHA", "cmdVA", "mBauteil_15", "mBauteil_16"}},
};

// The complex elements of cmbKomplex with their permissions, in list order.
constexpr std::pair<int, const char*> kKomplexEntries[] = {
    {kRechtFlipFlop, "FlipFlop"},
    {kRechtMultiplexer, "Multiplexer"},
    {kRechtTaktgeber, "Taktgeber"},
    {kRechtSchieberegister, "Schieberegister"},
    {kRechtZiffernanzeige, "Ziffernanzeige"}};

// The controls each function permission switches.
struct FunctionControls {
    int recht;               // index into gFunktionRechte
    const char* controls[5]; // nullptr-terminated
};
constexpr FunctionControls kFunctionControls[] = {
    {kRechtBoolesche, {"mSynthese", "mBoolean", "mTermCreation", "cmdSynthese", "cmdTabelle"}},
    {kRechtICDefinieren, {"mDefIC", "cmdICView", nullptr}},
    {kRechtICAuswahl, {"mICAuswahl", "cmdICAuswahl", nullptr}},
    {kRechtDrucken, {"mPrint", "cmdPrint", nullptr}},
    {kRechtBitmap, {"mSaveBitmap", nullptr}},
    {kRechtZahlenkonvertierung, {"mNumberConversion", nullptr}},
    {kRechtEingabezeile, {"mPanel_5", "cmdPanel5", nullptr}},
};

} // namespace

bool frmKardo::LockedByPermission(std::string_view control) const {
    for (const FunctionControls& f : kFunctionControls)
        for (const char* c : f.controls)
            if (c != nullptr && control == c)
                return !gFunktionRechte[static_cast<std::size_t>(f.recht)];
    return false;
}

bool frmKardo::Form_Load(const StageFn& stage) {
    stage(kLoadStageTexts[0]);
    InitObjects();

    stage(kLoadStageTexts[1]);
    AssignStartValues();

    stage(kLoadStageTexts[2]);
    PrepareDirectories();
    RefreshICList();
    SetChecked("mAnsichtItem_3", gShowGrid);
    SetChecked("cmdRaster", IsChecked("mAnsichtItem_3"));
    SetChecked("cmdICAuswahl", gICAuswahlVisible);

    LoadWebLinks();

    stage(kLoadStageTexts[3]);
    SetCaption("frmKardo", "Neue Schaltung - Kardo");
    ChangeToolbarStyle();
    for (int i = 1; i <= 25; ++i) {
        if (IsBauteilSeparator(i))
            continue;
        SetRadioMenuChecks(qobject_cast<QAction*>(FindControl("mBauteil_" + std::to_string(i))),
                           i - 1);
    }
    if (!ReadPermissions())
        return false;
    ApplyBauteilRechte();
    ApplyFunktionRechte();
    // The formula line shows at start when the lock permits it.
    if (gFunktionRechte[kRechtEingabezeile])
        DisplayEingabezeile();
    // The help menu's web page and service mail need an address from the settings.
    SetEnabled("mWeb", !gWebAdresse.empty());
    SetEnabled("mService", !gServiceAdresse.empty());
    InstallHoverFilter();
    ShowICNames();
    gMouseMode = kToolWire;
    ChangeSelPicture(kToolWire);
    SetPressedToolKey("cmdLeitungen");
    for (int i = 1; i <= 25; ++i)
        SetChecked("mBauteil_" + std::to_string(i), i == 1);
    BuildRecentFilesMenu();
    ResizeProperties(true);
    RedrawAllElements(0);
    RefreshWorksheet();
    if (!LadeDatei.empty())
        LoadFile(LadeDatei);
    return true;
}

void frmKardo::Form_Activate() {
    if (m_activating)
        return;
    m_activating = true;
    const int icFiles = RefreshICList();
    if (gAktiviert == 1) {
        const bool ic = gBauteilRechte[kRechtIC] && icFiles > 0;
        SetEnabled("cmdIC", ic);
        SetEnabled("mBauteil_25", ic);
        m_activating = false;
        return;
    }
    gUndo.SetUndos(gUndoSteps);
    Wait(0.1, false);
    gAktiviert = 1;
    ChangePropertyWindow({});
    SetChecked("cmdLeitungen", true);
    // The IC library window open at the last exit opens again, at its stored place. The first
    // activation comes before the window system shows the main window: the library follows it,
    // so that the window manager knows the owner it keeps the library above.
    if (IsChecked("cmdICAuswahl")) {
        Pump().DoEvents();
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (IsChecked("cmdICAuswahl") && !gPowerOn)
                    SetICAuswahlShown(true);
            },
            Qt::QueuedConnection);
    }
    // The keyboard starts with the worksheet; left to the tab chain it would start with the
    // power panel's first key, and the first Space would switch the circuit on.
    m_canvas->setFocus(Qt::OtherFocusReason);
    m_activating = false;
}

bool frmKardo::Form_QueryUnload() {
    gICAuswahlVisible = IsChecked("cmdICAuswahl");
    KeepICAuswahlPlacement();
    if (!AskToSaveChanges())
        return false;
    if (!SaveSettings())
        ReportUnwritableSettings("Die Änderungen der Einstellungen gehen verloren.");
    return true;
}

// While the circuit is on, the lock may disable controls but never enables one that the
// powered mode disabled; switching off enables what the lock permits.
bool frmKardo::KeptByPoweredMode(std::string_view control, bool permitted) const {
    constexpr std::string_view kPoweredOff[] = {"mPrint",    "cmdPrint",   "mDefIC",
                                                "cmdICView", "mICAuswahl", "cmdICAuswahl"};
    return permitted && gPowerOn &&
           std::find(std::begin(kPoweredOff), std::end(kPoweredOff), control) !=
               std::end(kPoweredOff);
}

void frmKardo::ApplyBauteilRechte() {
    for (const ComponentControls& c : kComponentControls) {
        const bool permitted = gBauteilRechte[static_cast<std::size_t>(c.recht)];
        for (const char* control : c.controls)
            if (control != nullptr && !KeptByPoweredMode(control, permitted))
                SetEnabled(control, permitted);
    }
    const QString current = m_komplex->currentText();
    m_komplex->clear();
    for (const auto& [recht, name] : kKomplexEntries)
        if (gBauteilRechte[static_cast<std::size_t>(recht)])
            m_komplex->addItem(Utf8(name));
    m_komplex->setCurrentIndex(m_komplex->findText(current));
    SetEnabled("cmdKomplex", m_komplex->count() > 0);
    const bool ic = gBauteilRechte[kRechtIC] && RefreshICList() > 0;
    SetEnabled("cmdIC", ic);
    SetEnabled("mBauteil_25", ic);
}

void frmKardo::ApplyFunktionRechte() {
    for (const FunctionControls& f : kFunctionControls) {
        const bool permitted = gFunktionRechte[static_cast<std::size_t>(f.recht)];
        for (const char* control : f.controls)
            if (control != nullptr && !KeptByPoweredMode(control, permitted))
                SetEnabled(control, permitted);
    }
    SetVisible("mPanel_5", false);
    SetVisible("cmdPanel5", gFunktionRechte[kRechtEingabezeile]);
    if (!gFunktionRechte[kRechtEingabezeile] && IsVisible("cmdCloseFormel"))
        CloseFormelPanel();
}

} // namespace kardo
