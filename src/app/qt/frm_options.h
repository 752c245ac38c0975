// The options dialog frmOptions: undo depth, pass limit, scrolling, IC copies, the three working
// folders with their picker, the component and function switches of the lock with the password
// change, and the parallel port.
#pragma once

#include "app/options.h"
#include "app/qt/dialog_services.h"

#include <array>

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QSpinBox;
class QTabWidget;

namespace kardo {

class frmOptions : public QDialog {
    Q_OBJECT
  public:
    explicit frmOptions(const DialogServices& services);

    // The values the controls show.
    OptionValues Values() const;

  private:
    QWidget* BuildGeneralTab();
    QWidget* BuildFolderTab();
    QWidget* BuildLockTab();
    QWidget* BuildPortTab();
    void Show(const OptionValues& values);
    void PickFolder(int index);
    void ChangePasswordClicked();
    // OK: a problem gets its message and the dialog stays; else the values are applied.
    void Confirm();
    // Puts the focus on the control of a problem, on its page.
    void FocusField(OptionField field);

    const DialogServices& m_services;                          // owner, modal runner, folder picker
    QTabWidget* m_tabs = nullptr;                              // tabOptionen
    QSpinBox* m_undo = nullptr;                                // txtUndo
    QSpinBox* m_autoStop = nullptr;                            // txtAutoStop
    QCheckBox* m_scroll = nullptr;                             // chkScroll
    QCheckBox* m_saveICs = nullptr;                            // chkICsMitSpeichern
    std::array<QLineEdit*, 3> m_folders{};                     // txtVerzeichnis_0..2
    std::array<QCheckBox*, kAnzBauteilRechte> m_bauteile{};    // chkBauteil_0..13
    std::array<QCheckBox*, kAnzFunktionRechte> m_funktionen{}; // chkFunktion_0..6
    QCheckBox* m_port = nullptr;                               // chkPort
    QLineEdit* m_portAddress = nullptr;                        // txtPortAdresse
};

} // namespace kardo
