// Main window: choosing the tool through the element toolbar, the element menu and the
// complex-element list, the orientation keys and the tool display.
#include "app/control_rules.h"
#include "app/main_state.h"
#include "editor/text_labels.h"
#include "ic/ic_definition_mode.h"
#include "mainwindow/main_window.h"
#include "mainwindow/tool_icons.h"
#include "mainwindow/tool_table.h"
#include "model/block_elements.h"
#include "model/codes.h"
#include "model/placement.h"
#include "model/utilities.h"
#include "platform/control_names.h"
#include "platform/platform.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QToolBar>

namespace kardo {

namespace {

QString Utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string MenuName(int index) { return "mBauteil_" + std::to_string(index); }

} // namespace

void frmKardo::SetPressedToolKey(std::string_view key) {
    for (std::string_view k : kToolbar2Keys)
        SetChecked(k, k == key);
}

std::string frmKardo::PressedToolKey() const {
    std::string pressed;
    for (std::string_view k : kToolbar2Keys)
        if (IsChecked(k))
            pressed = std::string(k);
    return pressed;
}

void frmKardo::SetOrientationKeysEnabled(bool enabled) {
    for (int i = 1; i <= 4; ++i)
        SetEnabled("tlbOrientation_" + std::to_string(i), enabled);
}

void frmKardo::Toolbar2_ButtonClick(std::string_view key) {
    // A key the function lock takes away chooses nothing, however it was reached.
    if (LockedControl(key))
        return;
    // Choosing a tool leaves the IC-definition view.
    if (gMouseMode == kToolICView)
        CloseICView();
    const std::string before = PressedToolKey();

    const bool icAvailable = RefreshICList() > 0 && MayEnable(ctl::cmdIC);
    SetEnabled(ctl::cmdIC, icAvailable);
    SetEnabled(MenuName(25), icAvailable);
    if (icAvailable)
        SetVisible(MenuName(25), true);

    if (gMouseMode == kToolQuickHelp) {
        // Quick help: the key explains itself and the tool stays.
        SetPressedToolKey(before);
        RestoreQuickHelpKeys();
        ShowQuickHelp(key);
        return;
    }

    for (std::string_view k : kToolbar2Keys)
        if (k != key)
            SetChecked(k, false);
    for (int i = 1; i <= 25; ++i)
        SetChecked(MenuName(i), false);

    bool chosen = true;
    if (key == "cmdKomplex") {
        if (m_komplex->currentText().isEmpty() && m_komplex->count() > 0)
            m_komplex->setCurrentIndex(0);
        SelectKomplexElement();
        ChangePropertyWindow(SectionFlags(kSecOrientation));
        chosen = IsKomplexTool(gMouseMode);
    } else if (key == "cmdIC") {
        chosen = m_icFiles->count() > 0;
        if (chosen) {
            gMouseMode = kTypeIC;
            ShowICNames();
            ChooseFirstIC();
            if (!gICName.empty() && gICName != "<Name>")
                ChangePropertyWindow(SectionFlags(kSecIC));
            SetChecked(MenuName(25), true);
        }
    } else if (key == "cmdDecoderT") {
        // The decoder with clock input, whatever the check box says.
        gTakteingang = kTrue;
        gMouseMode = kTypeDecoder;
        ChangePropertyWindow(SectionFlags(kSecOrientation));
        SetChecked(MenuName(20), true);
    } else if (const ToolChoice* row = ChoiceByKey(key)) {
        if (key == "cmdDecoder")
            gTakteingang = TruthValue(IsChecked("chkTakteingang"));
        gMouseMode = row->tool;
        ChangePropertyWindow(SectionFlags(row->sections));
        if (row->menu != 0)
            SetChecked(MenuName(row->menu), true);
    } else {
        chosen = false;
    }
    // One key is pressed at a time: the chosen one, or the one before when nothing was chosen.
    SetPressedToolKey(chosen ? key : std::string_view(before));

    const bool withoutKeys = ToolWithoutOrientationKeys(gMouseMode);
    const bool keysEnabled = IsEnabled("tlbOrientation_1");
    if (!withoutKeys && !keysEnabled)
        SetOrientationKeysEnabled(true);
    if (withoutKeys && keysEnabled)
        SetOrientationKeysEnabled(false);

    ChangeSelPicture(gMouseMode);
    // A label being written is accepted, as the editor's focus loss would.
    txtBeschriftung_LostFocus();
}

void frmKardo::MenueClick(int index) {
    if (index >= 1 && index <= 25 && LockedControl(MenuName(index)))
        return;
    txtBeschriftung_LostFocus();
    if (gMouseMode == kToolICView)
        CloseICView();
    for (int i = 1; i <= 25; ++i)
        SetChecked(MenuName(i), i == index);
    for (std::string_view k : kToolbar2Keys)
        SetChecked(k, false);

    if (index == 25) {
        SetChecked("cmdIC", true);
        gMouseMode = kTypeIC;
        if (RefreshICList() > 0) {
            ShowICNames();
            ChooseFirstIC();
        }
        ChangePropertyWindow(SectionFlags(!gICName.empty() && gICName != "<Name>" ? kSecIC : 0));
    } else if (const ToolChoice* row = ChoiceByMenu(index)) {
        SetChecked(row->key, true);
        if (!row->komplex.empty()) {
            m_komplex->setCurrentText(Utf8(row->komplex));
            SelectKomplexElement();
        }
        gMouseMode = row->tool;
        ChangePropertyWindow(SectionFlags(row->sections));
    }
    ChangeSelPicture(gMouseMode);
}

void frmKardo::SelectKomplexElement() {
    for (int i = 1; i <= 25; ++i)
        SetChecked(MenuName(i), false);
    const std::string name = m_komplex->currentText().toStdString();
    if (const ToolChoice* row = ChoiceByKomplex(name); row != nullptr && ToolPermitted(row->tool)) {
        gMouseMode = row->tool;
        QAction* key = Key("Toolbar2", "cmdKomplex");
        if (key->property("komplex").toString() != Utf8(name)) {
            key->setIcon(KeyIcon(name));
            key->setProperty("komplex", Utf8(name));
        }
        SetChecked(MenuName(row->menu), true);
    }
    ChangeSelPicture(gMouseMode);
}

// The radio look of an element-menu entry: its check mark shows as a dot.
void frmKardo::SetRadioMenuChecks(QAction* mnu, int) {
    if (mnu != nullptr && !mnu->isSeparator())
        m_bauteilMarks->addAction(mnu);
}

void frmKardo::tlbOrientation_ButtonClick(std::string_view key) {
    if (key == "cmdLinks")
        gOrientierung = kLeft;
    else if (key == "cmdRechts")
        gOrientierung = kRight;
    else if (key == "cmdOben")
        gOrientierung = kUp;
    else if (key == "cmdUnten")
        gOrientierung = kDown;
}

void frmKardo::ChangeSelPicture(int tool) {
    const std::string_view name = ToolDisplayName(tool);
    if (name.empty())
        return;
    findChild<QLabel*>("picSelected")->setPixmap(ToolPicture(tool));
    SetCaption("lblAktElement", name);
}

} // namespace kardo
