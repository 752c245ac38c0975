// The new-worksheet dialog.
#include "files/qt/frm_create_new_file.h"

#include "files/new_circuit.h"
#include "files/new_sheet_sizes.h"

#include <string>

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kardo {

namespace {

QString ToQ(const std::string& s) { return QString::fromStdString(s); }

} // namespace

frmCreateNewFile::frmCreateNewFile(QWidget* parent) : QDialog(parent) {
    setObjectName("frmCreateNewFile");
    setWindowTitle(QStringLiteral("Neue Schaltung erstellen"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Größe des Arbeitsfeldes angeben:"), this);
    heading->setObjectName("Label1");
    layout->addWidget(heading);

    struct OptionText {
        const char* caption; // option caption
        const char* note;    // note beside it, "" for none
        const char* label;   // object name of the note
    };
    const OptionText texts[4] = {
        {"&Klein", "Für kleinere Schaltungen, z.B. Halbaddierer.", "Label4"},
        {"&Mittel (empfohlen)", "Für normalgroße Schaltungen, z.B. Paralleladdierer.", "Label5"},
        {"&Groß", "Für umfangreiche Schaltungen, z.B. 8-Bit-Speicher.", "Label6"},
        {"&Benutzerdefiniert", "", ""},
    };
    auto* grid = new QGridLayout();
    for (int i = 0; i < 4; ++i) {
        m_options[static_cast<std::size_t>(i)] =
            new QRadioButton(QString::fromUtf8(texts[i].caption), this);
        m_options[static_cast<std::size_t>(i)]->setObjectName(QString("Option1_%1").arg(i));
        grid->addWidget(m_options[static_cast<std::size_t>(i)], i, 0);
        if (*texts[i].note) {
            auto* note = new QLabel(QString::fromUtf8(texts[i].note), this);
            note->setObjectName(texts[i].label);
            grid->addWidget(note, i, 1);
        }
        connect(m_options[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { ChooseOption(i); });
    }
    layout->addLayout(grid);

    auto* sizes = new QHBoxLayout();
    m_lblX = new QLabel(QStringLiteral("X:"), this);
    m_lblX->setObjectName("lblX");
    m_txtX = new QLineEdit(this);
    m_txtX->setObjectName("txtX");
    m_lblY = new QLabel(QStringLiteral("Y:"), this);
    m_lblY->setObjectName("lblY");
    m_txtY = new QLineEdit(this);
    m_txtY->setObjectName("txtY");
    sizes->addWidget(m_lblX);
    sizes->addWidget(m_txtX);
    sizes->addWidget(m_lblY);
    sizes->addWidget(m_txtY);
    layout->addLayout(sizes);
    connect(m_txtX, &QLineEdit::textChanged, this, &frmCreateNewFile::OnWidthEdited);
    connect(m_txtY, &QLineEdit::textChanged, this, &frmCreateNewFile::OnHeightEdited);
    connect(m_txtX, &QLineEdit::editingFinished, this,
            [this] { m_txtX->setText(ToQ(CorrectSizeOnLeave(m_txtX->text().toStdString()))); });
    connect(m_txtY, &QLineEdit::editingFinished, this,
            [this] { m_txtY->setText(ToQ(CorrectSizeOnLeave(m_txtY->text().toStdString()))); });

    auto* buttons = new QHBoxLayout();
    m_cmdWeiter = new QPushButton(QStringLiteral("&Erstellen"), this);
    m_cmdWeiter->setObjectName("cmdWeiter");
    m_cmdWeiter->setDefault(true);
    m_cmdAbbrechen = new QPushButton(QStringLiteral("&Abbrechen"), this);
    m_cmdAbbrechen->setObjectName("cmdAbbrechen");
    buttons->addStretch();
    buttons->addWidget(m_cmdWeiter);
    buttons->addWidget(m_cmdAbbrechen);
    layout->addLayout(buttons);
    connect(m_cmdWeiter, &QPushButton::clicked, this, &frmCreateNewFile::Create);
    connect(m_cmdAbbrechen, &QPushButton::clicked, this, &QDialog::reject);

    ChooseOption(kDefaultNewSheetOption);
}

void frmCreateNewFile::ChooseOption(int option) {
    m_option = option;
    m_options[static_cast<std::size_t>(option)]->setChecked(true);
    const bool custom = option == kCustomNewSheetOption;
    for (QWidget* w : {static_cast<QWidget*>(m_lblX), static_cast<QWidget*>(m_txtX),
                       static_cast<QWidget*>(m_lblY), static_cast<QWidget*>(m_txtY)})
        w->setEnabled(custom);
    std::string x;
    std::string y;
    if (NewSheetOptionTexts(option, x, y)) {
        m_txtX->setText(ToQ(x));
        m_txtY->setText(ToQ(y));
    }
}

void frmCreateNewFile::OnWidthEdited(const QString& text) {
    if (m_correcting)
        return;
    const std::string corrected = CorrectWidthWhileTyping(text.toStdString());
    if (corrected != text.toStdString()) {
        m_correcting = true;
        m_txtX->setText(ToQ(corrected));
        m_correcting = false;
    }
}

void frmCreateNewFile::OnHeightEdited(const QString& text) {
    if (m_correcting)
        return;
    const std::string corrected = CorrectHeightWhileTyping(text.toStdString());
    if (corrected != text.toStdString()) {
        m_correcting = true;
        m_txtY->setText(ToQ(corrected));
        m_correcting = false;
    }
}

void frmCreateNewFile::Create() {
    const SheetSize size =
        NewSheetSizeFor(m_option, m_txtX->text().toStdString(), m_txtY->text().toStdString());
    accept();
    CreateNewWorksheet(size.width, size.height);
}

void frmCreateNewFile::Activated() {
    ChooseOption(kDefaultNewSheetOption);
    m_cmdWeiter->setFocus();
}

void frmCreateNewFile::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Activated();
}

void frmCreateNewFile::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Activated();
}

void ShowCreateNewFileDialog(QWidget* parent) {
    frmCreateNewFile dialog(parent);
    dialog.exec();
}

} // namespace kardo
