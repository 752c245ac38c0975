// Main window: the load in four stages, the first activation, the close path with the question
// whether to save, the function lock on the window's controls, the IC file list and the recent
// files.
#include "app/control_rules.h"
#include "app/file_commands.h"
#include "app/file_object.h"
#include "app/load_sequence.h"
#include "app/main_state.h"
#include "app/password.h"
#include "app/permissions.h"
#include "app/qt/frm_number_conversion.h"
#include "app/recent_files.h"
#include "app/settings.h"
#include "app/web_links.h"
#include "boolean/qt/frm_boolean.h"
#include "files/circuit_file.h"
#include "ic/ic_definition_mode.h"
#include "ic/qt/frm_ic_auswahl.h"
#include "mainwindow/main_window.h"
#include "mainwindow/tool_table.h"
#include "mainwindow/worksheet_canvas.h"
#include "model/codes.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "platform/control_names.h"
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

} // namespace

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
        SetEnabled(ctl::cmdIC, icFiles > 0);
        SetEnabled(ctl::mBauteil(25), icFiles > 0);
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

// Each control the lock switches is enabled as far as the rules allow (MayEnable): a locked one
// is disabled, a permitted one that the powered mode or the IC-definition view keeps disabled
// stays so.
void frmKardo::ApplyBauteilRechte() {
    for (const LockedControlRow& row : ComponentLockRows())
        if (row.recht != kRechtIC)
            SetEnabled(row.control, true);
    const QString current = m_komplex->currentText();
    m_komplex->clear();
    for (const KomplexEntry& e : KomplexEntries())
        if (gBauteilRechte[static_cast<std::size_t>(e.recht)])
            m_komplex->addItem(Utf8(e.name));
    m_komplex->setCurrentIndex(m_komplex->findText(current));
    SetEnabled(ctl::cmdKomplex, m_komplex->count() > 0);
    const bool ic = RefreshICList() > 0;
    SetEnabled(ctl::cmdIC, ic);
    SetEnabled(ctl::mBauteil(25), ic);
    if (m_icAuswahl)
        m_icAuswahl->ShowICDetails();
    EndLockedTool();
}

void frmKardo::ApplyFunktionRechte() {
    for (const LockedControlRow& row : FunctionLockRows())
        SetEnabled(row.control, true);
    SetVisible(ctl::mPanel_5, false);
    SetVisible(ctl::cmdPanel5, gFunktionRechte[kRechtEingabezeile]);
    if (!gFunktionRechte[kRechtEingabezeile] && IsVisible("cmdCloseFormel"))
        CloseFormelPanel();
    // The windows of functions taken away close.
    if (!gFunktionRechte[kRechtICAuswahl] && IsChecked(ctl::cmdICAuswahl))
        SetICAuswahlShown(false);
    if (!gFunktionRechte[kRechtBoolesche] && m_boolean)
        m_boolean->close();
    if (!gFunktionRechte[kRechtZahlenkonvertierung] && m_numberConversion)
        m_numberConversion->close();
    EndLockedTool();
}

// A lock that takes away the tool in use ends it: the wire tool is chosen, as after start; the
// IC-definition view is left for it. A tool kept while the circuit is on or quick help lasts is
// ended when it comes back.
void frmKardo::EndLockedTool() {
    if (gMouseMode == kToolICView && !gFunktionRechte[kRechtICDefinieren])
        CloseICView();
    if (!ToolPermitted(gMouseMode))
        Toolbar2_ButtonClick(ctl::cmdLeitungen);
}

} // namespace kardo
