// Main window: the keys of the main toolbar and the commands they share with the menus, the
// quick-help mode, the flat look of the toolbars, and the power buttons.
#include "app/file_commands.h"
#include "app/file_object.h"
#include "app/main_state.h"
#include "app/settings.h"
#include "editor/area_select.h"
#include "editor/text_labels.h"
#include "files/circuit_file.h"
#include "files/qt/frm_create_new_file.h"
#include "ic/ic_definition_mode.h"
#include "mainwindow/main_window.h"
#include "model/codes.h"
#include "model/qt/undo_list_dialog.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "platform/platform.h"
#include "render/redraw.h"
#include "render/view.h"
#include "simulation/power.h"
#include "simulation/user_interaction.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

namespace kardo {

void frmKardo::Toolbar_ButtonClick(std::string_view key) {
    // Every key acts on the sheet as it is with a label being written accepted.
    txtBeschriftung_LostFocus();
    if (key == "cmdQuickHelp" && !IsChecked("cmdQuickHelp"))
        LeaveQuickHelpMode();

    if (gMouseMode == kToolQuickHelp) {
        // A click shows help instead of acting; the keys keep their states.
        if (key.rfind("cmdPanel", 0) == 0 && key != "cmdPanel5")
            ResizeProperties(false);
        if (key == "cmdPanel5")
            SetChecked("cmdPanel5", IsVisible("cmdCloseFormel"));
        if (key == "cmdICAuswahl")
            SetChecked("cmdICAuswahl", !IsChecked("cmdICAuswahl"));
        RestoreQuickHelpKeys();
        if (key != "cmdQuickHelp")
            ShowQuickHelp(key);
        Toolbar_MouseUp();
        return;
    }

    if (key == "cmdNew") {
        NewCircuitCommand();
    } else if (key == "cmdOpen") {
        OpenCircuit();
    } else if (key == "cmdSave") {
        SaveCircuit();
    } else if (key == "cmdPrint") {
        PrintCommand();
    } else if (key == "cmdEinstellungen") {
        OptionsCommand();
    } else if (key == "cmdUndo") {
        UndoOneStep();
    } else if (key == "cmdUndoList") {
        ShowUndoListDialog();
    } else if (key == "cmdRaster") {
        ToggleGrid(IsChecked("cmdRaster"));
    } else if (key == "cmdICAuswahl") {
        SetICAuswahlShown(IsChecked("cmdICAuswahl"));
    } else if (key.rfind("cmdPanel", 0) == 0 && key.size() == 9 && key[8] >= '0' && key[8] <= '4') {
        const int i = key[8] - '0';
        PanelCommand(i, gPanelVisible[static_cast<std::size_t>(i)] == 0 ? -1 : 0);
    } else if (key == "cmdSynthese") {
        BooleanCommand(0);
    } else if (key == "cmdTabelle") {
        BooleanCommand(1);
    } else if (key == "cmdQuickHelp") {
        if (IsChecked("cmdQuickHelp"))
            EnterQuickHelpMode();
    }
}

void frmKardo::Toolbar_MouseUp() {
    if (gMouseMode != kToolQuickHelp)
        return;
    ResizeProperties(false);
    if (IsVisible("cmdCloseFormel"))
        SetChecked("cmdPanel5", true);
}

// Quick help keeps its own copy of the tool state, so that the state saved at power-on is not
// overwritten when quick help is used while the circuit is on (it would switch off into the
// powered tool).
void frmKardo::EnterQuickHelpMode() {
    m_quickHelpSavedMode = gSavedMouseMode;
    m_quickHelpSavedPointer = gSavedMousePointer;
    m_quickHelpSavedKey = gSavedToolKey;
    m_quickHelpSavedButton = gSavedToolButton;
    m_quickHelpSavedFlags = gPropertyFlags;
    SaveToolState();
    // The two-state keys keep their values through the help clicks.
    m_quickHelpKeys.clear();
    m_quickHelpKeys.emplace_back("cmdICView", IsChecked("cmdICView"));
    m_quickHelpKeys.emplace_back("cmdRaster", IsChecked("cmdRaster"));
    for (std::string_view k : kToolbar2Keys)
        m_quickHelpKeys.emplace_back(std::string(k), IsChecked(k));
    gMouseMode = kToolQuickHelp;
    setCursor(Qt::WhatsThisCursor);
    SetMousePointer(kPointerArrowQuestion);
    // The power buttons show the mode like the rest of the window; they only explain meanwhile.
    for (const char* power : {"cmdOn", "cmdOff"})
        if (auto* w = qobject_cast<QWidget*>(FindControl(power)))
            w->setCursor(Qt::WhatsThisCursor);
    SetEnabled("mBauelemente", false);
}

void frmKardo::RestoreQuickHelpKeys() {
    for (const auto& [key, pressed] : m_quickHelpKeys)
        SetChecked(key, pressed);
}

void frmKardo::LeaveQuickHelpMode() {
    if (gMouseMode != kToolQuickHelp)
        return;
    RestoreToolState();
    gSavedMouseMode = m_quickHelpSavedMode;
    gSavedMousePointer = m_quickHelpSavedPointer;
    gSavedToolKey = m_quickHelpSavedKey;
    gSavedToolButton = m_quickHelpSavedButton;
    gPropertyFlags = m_quickHelpSavedFlags;
    RestoreQuickHelpKeys();
    m_quickHelpKeys.clear();
    unsetCursor();
    for (const char* power : {"cmdOn", "cmdOff"})
        if (auto* w = qobject_cast<QWidget*>(FindControl(power)))
            w->unsetCursor();
    SetEnabled("mBauelemente", true);
    SetVisible("picQuickHelp", false);
    EndLockedTool();
}

// Toggles the flat look of the six toolbars; called once at start, it leaves them flat.
void frmKardo::ChangeToolbarStyle() {
    m_flatToolbars = !m_flatToolbars;
    for (const char* name :
         {"Toolbar", "Toolbar2", "tlbOrientation", "Toolbar3", "tlbZoom", "tlbZoomInOut"}) {
        auto* bar = findChild<QToolBar*>(name);
        if (bar == nullptr)
            continue;
        for (QToolButton* b : bar->findChildren<QToolButton*>())
            b->setAutoRaise(m_flatToolbars);
        bar->update();
    }
}

void frmKardo::ToggleGrid(bool show) {
    gShowGrid = show;
    const int pointer = m_pointer;
    SetMousePointer(kPointerHourglass);
    DrawGrid();
    RefreshWorksheet();
    SetMousePointer(pointer == kPointerHourglass ? kPointerDefault : pointer);
    SetChecked("mAnsichtItem_3", show);
    SetChecked("cmdRaster", show);
}

// An undone step changes the circuit as much as the step itself did.
// Nothing to take back (an empty history, or every step taken back) changes nothing.
void frmKardo::UndoOneStep() {
    const std::int16_t before = gUndo.CurrentIndex();
    if (gUndo.NoUndoData())
        return;
    gUndo.Undo();
    if (gUndo.CurrentIndex() == before)
        return;
    MarkCircuitChanged();
    RefreshWorksheet();
}

void frmKardo::ShowUndoListDialog() {
    const std::int16_t before = gUndo.CurrentIndex();
    ShowUndoList(this);
    if (gUndo.CurrentIndex() != before)
        MarkCircuitChanged();
    RefreshWorksheet();
}

// Deleting the marked area or the selected objects changes the circuit.
void frmKardo::DeleteMarked() {
    const std::int16_t before = gUndo.CurrentIndex();
    LoescheBereich();
    if (gUndo.CurrentIndex() != before)
        MarkCircuitChanged();
    RefreshWorksheet();
}

void frmKardo::NewCircuitCommand() {
    if (!AskToSaveChanges())
        return;
    frmCreateNewFile dialog(this);
    m_dialogs.RunModal(dialog);
    RefreshWorksheet();
}

void frmKardo::OpenCircuit() {
    if (!AskToSaveChanges())
        return;
    LoadFile("");
    RedrawAllElements(0);
    RefreshWorksheet();
}

void frmKardo::OpenRecentFile(int index) {
    if (index < 0 || index > 3 || gLastFiles[static_cast<std::size_t>(index)].empty())
        return;
    if (!AskToSaveChanges())
        return;
    const std::string path = gLastFiles[static_cast<std::size_t>(index)];
    LoadFile(path);
    RedrawAllElements(0);
    RefreshWorksheet();
}

void frmKardo::SaveCircuit() { kardo::SaveCircuit(); }

void frmKardo::SaveCircuitAs() { SaveFile(false); }

void frmKardo::mOnOff_Click() {
    if (Caption("mOnOff") == "&Einschalten")
        SetChecked("cmdOn", true);
    else
        SetChecked("cmdOff", true);
}

// cmdOn and cmdOff form one group; a change of cmdOn's value toggles the power. In quick-help
// mode the buttons explain themselves instead and keep the power state.
void frmKardo::OnPowerButton(bool onChecked) {
    if (m_syncingPower)
        return;
    if (gMouseMode == kToolQuickHelp) {
        SyncPowerButtons();
        return;
    }
    // The IC-definition view has a switching of its own: it is left before the power goes on.
    if (onChecked && !gPowerOn && gMouseMode == kToolICView)
        CloseICView();
    if (onChecked != gPowerOn)
        PowerOnOff();
    SyncPowerButtons();
    RefreshWorksheet();
}

void frmKardo::PowerButtonHelp(const char* key) {
    if (gMouseMode != kToolQuickHelp)
        return;
    SyncPowerButtons();
    ShowQuickHelp(key);
}

void frmKardo::RunControlClick(const char* key) {
    if (gMouseMode == kToolQuickHelp) {
        ShowQuickHelp(key);
        return;
    }
    if (std::string_view(key) == "cmdPause")
        cmdPause_Click();
    else
        cmdStop_Click();
    RefreshWorksheet();
}

void frmKardo::SyncPowerButtons() {
    m_syncingPower = true;
    SetChecked(gPowerOn ? "cmdOn" : "cmdOff", true);
    m_syncingPower = false;
}

void frmKardo::mBeenden_Click() { close(); }

} // namespace kardo
