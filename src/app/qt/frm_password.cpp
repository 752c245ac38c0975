// The password prompt and the password change.
#include "app/qt/frm_password.h"

#include "app/password.h"
#include "app/permissions.h"
#include "app/qt/frm_options.h"
#include "platform/platform.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kardo {

namespace {

QString Utf8(const char* s) { return QString::fromUtf8(s); }

QLineEdit* PasswordBox(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(Utf8(name));
    box->setEchoMode(QLineEdit::Password);
    return box;
}

// OK and Abbrechen, named cmdOK and cmdAbbrechen.
QDialogButtonBox* OkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(Utf8("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(Utf8("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("cmdAbbrechen");
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

frmPWCheck::frmPWCheck(const DialogServices& services)
    : QDialog(services.owner), m_services(services) {
    setObjectName("frmPWCheck");
    setWindowTitle(Utf8("Kennwort"));
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel(Utf8("Die Optionen sind durch ein Kennwort geschützt.\n"
                                 "Bitte geben Sie das Kennwort ein:"),
                            this));
    m_txtPW = PasswordBox("txtPW", this);
    v->addWidget(m_txtPW);
    QDialogButtonBox* buttons = OkCancel(this);
    connect(buttons->findChild<QPushButton*>("cmdOK"), &QPushButton::clicked, this,
            &frmPWCheck::Confirm);
    v->addWidget(buttons);
}

void frmPWCheck::Confirm() {
    if (!PasswordMatches(m_txtPW->text().toStdString())) {
        Host().MessageBox(kWrongPasswordText, MsgButtons::Ok, MsgIcon::Exclamation, "Kennwort");
        m_txtPW->selectAll();
        m_txtPW->setFocus();
        return;
    }
    accept();
}

void frmPWCheck::Run() {
    if (m_services.RunModal(*this) != QDialog::Accepted)
        return;
    frmOptions options(m_services);
    m_services.RunModal(options);
}

frmPWChange::frmPWChange(bool askOld, QWidget* parent) : QDialog(parent), m_askOld(askOld) {
    setObjectName("frmPWChange");
    setWindowTitle(Utf8("Kennwort ändern"));
    auto* v = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    m_txtOldPW = PasswordBox("txtOldPW", this);
    m_txtNewPW = PasswordBox("txtNewPW", this);
    m_txtNewPW2 = PasswordBox("txtNewPW2", this);
    form->addRow(Utf8("Altes Kennwort:"), m_txtOldPW);
    form->addRow(Utf8("Neues Kennwort:"), m_txtNewPW);
    form->addRow(Utf8("Neues Kennwort bestätigen:"), m_txtNewPW2);
    v->addLayout(form);
    if (!askOld) {
        // No password yet: there is no old one to ask for.
        m_txtOldPW->setEnabled(false);
        m_txtOldPW->setStyleSheet("background: #c0c0c0");
        m_txtNewPW->setFocus();
    }
    QDialogButtonBox* buttons = OkCancel(this);
    connect(buttons->findChild<QPushButton*>("cmdOK"), &QPushButton::clicked, this,
            &frmPWChange::Confirm);
    v->addWidget(buttons);
}

void frmPWChange::Confirm() {
    const std::string newPassword = m_txtNewPW->text().toStdString();
    if (const auto problem = CheckPasswordChange(m_askOld, m_txtOldPW->text().toStdString(),
                                                 newPassword, m_txtNewPW2->text().toStdString())) {
        Host().MessageBox(*problem, MsgButtons::Ok, MsgIcon::Exclamation, "Kennwort ändern");
        return;
    }
    // Written at once: a password set here stays set even when the options are cancelled.
    if (newPassword != gPasswort)
        ChangePassword(newPassword);
    accept();
}

void OpenOptionsBehindPassword(const DialogServices& services) {
    if (!gPasswort.empty()) {
        frmPWCheck check(services);
        check.Run();
        return;
    }
    {
        frmPWChange change(false, services.owner);
        services.RunModal(change);
    }
    if (gPasswort.empty())
        return;
    QApplication::processEvents();
    frmOptions options(services);
    services.RunModal(options);
}

} // namespace kardo
