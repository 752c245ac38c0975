// The number-base converter window.
#include "app/qt/frm_number_conversion.h"

#include "app/number_conversion.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kardo {

namespace {

struct BoxSpec {
    const char* name;    // object name
    const char* caption; // label
    int base;            // number base
};
constexpr std::array<BoxSpec, 4> kBoxes = {{{"txtDezimal", "Dezimal:", 10},
                                            {"txtHexadezimal", "Hexadezimal:", 16},
                                            {"txtOktal", "Oktal:", 8},
                                            {"txtBinaer", "Binär:", 2}}};

constexpr const char* kMarked = "background: #ffd0d0";

} // namespace

frmNumberConversion::frmNumberConversion(QWidget* parent) : QDialog(parent) {
    setObjectName("frmNumberConversion");
    setWindowTitle(QString::fromUtf8("Zahlenkonvertierung"));
    setModal(false);
    auto* v = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    for (std::size_t i = 0; i < kBoxes.size(); ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(kBoxes[i].name);
        box->setMinimumWidth(kBoxes[i].base == 2 ? 300 : 160);
        form->addRow(QString::fromUtf8(kBoxes[i].caption), box);
        connect(box, &QLineEdit::textEdited, this, [this, i] { Edited(i); });
        m_boxes[i] = box;
    }
    v->addLayout(form);
    m_hint = new QLabel(this);
    m_hint->setObjectName("lblHinweis");
    m_hint->setStyleSheet("color: #c00000");
    m_hint->setWordWrap(true);
    v->addWidget(m_hint);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close =
        buttons->addButton(QString::fromUtf8("Schließen"), QDialogButtonBox::RejectRole);
    close->setObjectName("cmdSchliessen");
    // Enter in a box is no request to close: the boxes convert while the user types.
    close->setAutoDefault(false);
    close->setDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    v->addWidget(buttons);
}

void frmNumberConversion::Edited(std::size_t box) {
    const ParsedNumber n = ParseNumber(m_boxes[box]->text().toStdString(), kBoxes[box].base);
    m_hint->setText(QString::fromStdString(n.hint));
    m_boxes[box]->setStyleSheet(n.hint.empty() ? QString() : QString(kMarked));
    if (!n.value)
        return;
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        if (i == box)
            continue;
        const QSignalBlocker block(m_boxes[i]);
        m_boxes[i]->setText(QString::fromStdString(FormatNumber(*n.value, kBoxes[i].base)));
        m_boxes[i]->setStyleSheet(QString());
    }
}

} // namespace kardo
