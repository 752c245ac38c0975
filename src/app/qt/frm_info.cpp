// The About box.
#include "app/qt/frm_info.h"

#include "app/system_info.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kardo {

namespace {

QLabel* Line(const QString& text, const char* name, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

frmInfo::frmInfo(QWidget* parent) : QDialog(parent) {
    setObjectName("frmInfo");
    setWindowTitle(QString::fromUtf8("Über Kardo"));
    auto* v = new QVBoxLayout(this);
    QLabel* name = Line(QStringLiteral("Kardo"), "lblName", this);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    name->setFont(big);
    v->addWidget(name);
    v->addWidget(
        Line(QString::fromUtf8("Simulator für digitale Schaltungen"), "lblBeschreibung", this));
    v->addWidget(Line(QString::fromUtf8(kVersionText), "lblVersion", this));
    v->addWidget(Line(QString::fromUtf8("Betriebssystem: ") + QString::fromStdString(GetOSName()),
                      "lblSystem", this));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    v->addWidget(buttons);
}

} // namespace kardo
