// The password windows of the function lock: the prompt frmPWCheck before the options, and
// frmPWChange that sets a new lock password.
#pragma once

#include "app/qt/dialog_services.h"

#include <QDialog>

class QLineEdit;

namespace kardo {

// The password prompt: masked; a wrong password gets "Das Kennwort ist falsch." and the prompt
// stays; the right one opens the options dialog.
class frmPWCheck : public QDialog {
    Q_OBJECT
  public:
    explicit frmPWCheck(const DialogServices& services);
    // Shows the prompt modally and, after the right password, the options dialog.
    void Run();

  private:
    void Confirm();

    const DialogServices& m_services; // owner and modal runner
    QLineEdit* m_txtPW = nullptr;     // txtPW
};

// The password change: with the old password asked (txtOldPW enabled) it must match the lock
// password; the new one (txtNewPW) must be typed twice alike (txtNewPW2). A confirmed change
// is written into the lock value at once.
class frmPWChange : public QDialog {
    Q_OBJECT
  public:
    frmPWChange(bool askOld, QWidget* parent);

  private:
    void Confirm();

    bool m_askOld;                    // the old password is asked
    QLineEdit* m_txtOldPW = nullptr;  // txtOldPW
    QLineEdit* m_txtNewPW = nullptr;  // txtNewPW
    QLineEdit* m_txtNewPW2 = nullptr; // txtNewPW2
};

// "&Optionen..." and the key "cmdEinstellungen": with a lock password set, the prompt (which
// opens the options itself); without one, the password change with the old-password box
// disabled, and the options only when a password was set there.
void OpenOptionsBehindPassword(const DialogServices& services);

} // namespace kardo
