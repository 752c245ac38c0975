// The IC section of the property panel and the window's IC hooks: the hidden IC file list lstIC,
// the IC combo box cmbIC and its choice with the preview following it, and the level tree
// tvwLevel.
#include "app/main_state.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "files/ic_folder.h"
#include "ic/ic_choice.h"
#include "ic/qt/frm_ic_auswahl.h"
#include "ic/qt/level_tree_view.h"
#include "mainwindow/main_window.h"
#include "mainwindow/property_panel.h"
#include "model/codes.h"
#include "model/sim_levels.h"
#include "model/utilities.h"

#include <QComboBox>
#include <QListWidget>
#include <QTreeWidget>

namespace kardo {

namespace {

QString Utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

} // namespace

int frmKardo::RefreshICList() {
    m_icFiles->clear();
    // Only files whose names can stand for an IC: a name never leaves the IC folder.
    for (const std::string& name : ListICNames(gVerzeichnisse[1]))
        m_icFiles->addItem(Utf8(name + ".icd"));
    return m_icFiles->count();
}

void frmKardo::ShowICNames() {
    auto* box = findChild<QComboBox*>("cmbIC");
    box->clear();
    for (int i = 0; i < m_icFiles->count(); ++i) {
        QString name = m_icFiles->item(i)->text();
        name.chop(4);
        box->addItem(name);
    }
    box->setCurrentIndex(box->findText(Utf8(gICName)));
    ShowICPreview();
}

void frmKardo::ShowICPreview() {
    if (auto* panel = findChild<PropertyPanel*>("PropertyPanel"))
        panel->ShowICPreview();
}

void frmKardo::cmbIC_Click() {
    if (gAktiviert == 0 || gMouseMode != kTypeIC)
        return;
    auto* box = findChild<QComboBox*>("cmbIC");
    ChooseIC(box->currentText().toStdString());
    ShowICPreview();
    if (gICName.empty())
        return;
    // The library window follows the choice.
    if (m_icAuswahl && gICName != "<Name>") {
        if (m_icAuswahl->SelectedIC() != gICName)
            m_icAuswahl->ShowICNames();
        m_icAuswahl->SelectIC(box->currentIndex());
    }
    for (int i = 1; i <= 24; ++i)
        SetChecked("mBauteil_" + std::to_string(i), false);
    for (std::string_view key : kToolbar2Keys)
        SetChecked(key, key == "cmdIC");
    if (!gBauteilRechte[kRechtIC]) {
        SetEnabled("cmdIC", false);
        SetEnabled("mBauteil_25", false);
    }
}

void frmKardo::ChooseFirstIC() {
    auto* box = findChild<QComboBox*>("cmbIC");
    if (!gICName.empty() || box->count() == 0)
        return;
    box->setCurrentIndex(0);
    cmbIC_Click();
}

void frmKardo::RefreshICLists() {
    const bool ic = RefreshICList() > 0;
    ShowICNames();
    SetEnabled("cmdIC", ic);
    SetEnabled("mBauteil_25", ic);
    if (m_icAuswahl)
        m_icAuswahl->ShowICNames();
}

void frmKardo::RefreshLevelTree() {
    if (auto* tree = findChild<QTreeWidget*>("tvwLevel"))
        FillLevelTree(*tree);
}

} // namespace kardo
