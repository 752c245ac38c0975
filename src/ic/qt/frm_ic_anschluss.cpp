// The pin-naming dialog.
#include "ic/qt/frm_ic_anschluss.h"

#include "ic/ic_definition_mode.h"
#include "platform/qt/owned_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kardo {

frmICAnschluss::frmICAnschluss(int nr, std::string_view current, QWidget* owner) : QDialog(owner) {
    setObjectName("frmICAnschluss");
    setWindowTitle(QString::fromUtf8("Anschluss benennen"));
    // Its few controls would leave the title bar too narrow for the caption.
    setMinimumWidth(CaptionWidth(*this));
    auto* column = new QVBoxLayout(this);
    auto* label = new QLabel(QString::fromUtf8("Name des Anschlusses %1:").arg(nr), this);
    label->setObjectName("lblAnschluss");
    column->addWidget(label);
    m_txt = new QLineEdit(QString::fromUtf8(current.data(), static_cast<qsizetype>(current.size())),
                          this);
    m_txt->setObjectName("txtAnschluss");
    m_txt->setMaxLength(kMaxICPinName);
    m_txt->selectAll();
    label->setBuddy(m_txt);
    column->addWidget(m_txt);
    auto* keys = new QDialogButtonBox(this);
    QPushButton* ok = keys->addButton(QString::fromUtf8("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    QPushButton* cancel =
        keys->addButton(QString::fromUtf8("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("cmdAbbrechen");
    connect(keys, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(keys, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(keys);
}

std::string frmICAnschluss::Name() const { return m_txt->text().toStdString(); }

} // namespace kardo
