// The options dialog.
#include "app/qt/frm_options.h"

#include "app/password.h"
#include "app/qt/frm_password.h"
#include "platform/platform.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kardo {

namespace {

QString Utf8(const char* s) { return QString::fromUtf8(s); }
QString Utf8(const std::string& s) { return QString::fromStdString(s); }

template <class W> W* Named(W* w, const QString& name) {
    w->setObjectName(name);
    return w;
}

constexpr const char* kFunktionCaptions[kAnzFunktionRechte] = {
    "Boolesche Algebra (Synthese, Wertetabelle, Termerstellung)",
    "IC definieren",
    "IC-Auswahl",
    "Drucken",
    "Als Bitmap speichern",
    "Zahlenkonvertierung",
    "Eingabezeile"};

constexpr const char* kFolderCaptions[3] = {"Schaltungen:", "ICs:", "Bitmaps:"};

} // namespace

frmOptions::frmOptions(const DialogServices& services)
    : QDialog(services.owner), m_services(services) {
    setObjectName("frmOptions");
    setWindowTitle(Utf8("Optionen"));
    auto* v = new QVBoxLayout(this);
    m_tabs = Named(new QTabWidget(this), "tabOptionen");
    m_tabs->addTab(BuildGeneralTab(), Utf8("Allgemein"));
    m_tabs->addTab(BuildFolderTab(), Utf8("Verzeichnisse"));
    m_tabs->addTab(BuildLockTab(), Utf8("Funktionssperre"));
    m_tabs->addTab(BuildPortTab(), Utf8("Parallelport"));
    v->addWidget(m_tabs);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(Utf8("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(Utf8("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("cmdAbbrechen");
    connect(ok, &QPushButton::clicked, this, &frmOptions::Confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    v->addWidget(buttons);

    Show(CurrentOptions());
}

QWidget* frmOptions::BuildGeneralTab() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    m_undo = Named(new QSpinBox(page), "txtUndo");
    m_undo->setRange(kMinUndoSteps, kMaxUndoSteps);
    form->addRow(Utf8("Rückgängig-Schritte (1 - 99):"), m_undo);
    m_autoStop = Named(new QSpinBox(page), "txtAutoStop");
    m_autoStop->setRange(kMinMaxRunden, kMaxMaxRunden);
    m_autoStop->setSingleStep(50);
    form->addRow(Utf8("Durchläufe bis zum Abbruch einer\nEndlosschleife (250 - 5000):"),
                 m_autoStop);
    m_scroll = Named(new QCheckBox(Utf8("Automatisch scrollen, wenn die Maus beim Zeichnen den "
                                        "Rand erreicht"),
                                   page),
                     "chkScroll");
    form->addRow(m_scroll);
    m_saveICs = Named(
        new QCheckBox(Utf8("Verwendete ICs beim Speichern neben die Schaltung kopieren"), page),
        "chkICsMitSpeichern");
    form->addRow(m_saveICs);
    return page;
}

QWidget* frmOptions::BuildFolderTab() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(new QLabel(Utf8(kFolderCaptions[i]), page), i, 0);
        m_folders[static_cast<std::size_t>(i)] =
            Named(new QLineEdit(page), QString("txtVerzeichnis_%1").arg(i));
        grid->addWidget(m_folders[static_cast<std::size_t>(i)], i, 1);
        auto* pick = Named(new QPushButton(Utf8("Durchsuchen..."), page),
                           QString("cmdVerzeichnis_%1").arg(i));
        connect(pick, &QPushButton::clicked, this, [this, i] { PickFolder(i); });
        grid->addWidget(pick, i, 2);
    }
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* frmOptions::BuildLockTab() {
    auto* page = new QWidget(this);
    auto* h = new QHBoxLayout(page);
    auto* components = new QGroupBox(Utf8("Erlaubte Bauteile"), page);
    auto* cg = new QGridLayout(components);
    for (int i = 0; i < kAnzBauteilRechte; ++i) {
        m_bauteile[static_cast<std::size_t>(i)] =
            Named(new QCheckBox(Utf8(kBauteilNamen[static_cast<std::size_t>(i)]), components),
                  QString("chkBauteil_%1").arg(i));
        cg->addWidget(m_bauteile[static_cast<std::size_t>(i)], i % 7, i / 7);
    }
    h->addWidget(components);
    auto* right = new QVBoxLayout();
    auto* functions = new QGroupBox(Utf8("Erlaubte Funktionen"), page);
    auto* fv = new QVBoxLayout(functions);
    for (int i = 0; i < kAnzFunktionRechte; ++i) {
        m_funktionen[static_cast<std::size_t>(i)] = Named(
            new QCheckBox(Utf8(kFunktionCaptions[i]), functions), QString("chkFunktion_%1").arg(i));
        fv->addWidget(m_funktionen[static_cast<std::size_t>(i)]);
    }
    right->addWidget(functions);
    auto* password = Named(new QPushButton(Utf8("Kennwort ändern..."), page), "cmdKennwort");
    connect(password, &QPushButton::clicked, this, &frmOptions::ChangePasswordClicked);
    right->addWidget(password);
    right->addStretch(1);
    h->addLayout(right);
    return page;
}

QWidget* frmOptions::BuildPortTab() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    m_port = Named(new QCheckBox(Utf8("Analysepunkte 1 bis 8 an den Parallelport ausgeben"), page),
                   "chkPort");
    form->addRow(m_port);
    m_portAddress = Named(new QLineEdit(page), "txtPortAdresse");
    m_portAddress->setMaxLength(6);
    form->addRow(Utf8("Portadresse (hexadezimal, 1 - FFFF):"), m_portAddress);
    form->addRow(new QLabel(Utf8("Änderungen am Port gelten ab dem nächsten Einschalten."), page));
    return page;
}

void frmOptions::Show(const OptionValues& v) {
    m_undo->setValue(v.undoSteps);
    m_autoStop->setValue(v.maxRunden);
    m_scroll->setChecked(v.scroll);
    m_saveICs->setChecked(v.icsMitSpeichern);
    for (std::size_t i = 0; i < m_folders.size(); ++i)
        m_folders[i]->setText(Utf8(v.folders[i]));
    for (std::size_t i = 0; i < m_bauteile.size(); ++i)
        m_bauteile[i]->setChecked(v.bauteile[i]);
    for (std::size_t i = 0; i < m_funktionen.size(); ++i)
        m_funktionen[i]->setChecked(v.funktionen[i]);
    m_port->setChecked(v.portEnabled);
    m_portAddress->setText(Utf8(v.portAddress));
}

OptionValues frmOptions::Values() const {
    OptionValues v;
    v.undoSteps = m_undo->value();
    v.maxRunden = m_autoStop->value();
    v.scroll = m_scroll->isChecked();
    v.icsMitSpeichern = m_saveICs->isChecked();
    for (std::size_t i = 0; i < m_folders.size(); ++i)
        v.folders[i] = m_folders[i]->text().trimmed().toStdString();
    for (std::size_t i = 0; i < m_bauteile.size(); ++i)
        v.bauteile[i] = m_bauteile[i]->isChecked();
    for (std::size_t i = 0; i < m_funktionen.size(); ++i)
        v.funktionen[i] = m_funktionen[i]->isChecked();
    v.portEnabled = m_port->isChecked();
    v.portAddress = m_portAddress->text().toStdString();
    return v;
}

void frmOptions::PickFolder(int index) {
    if (!m_services.pickFolder)
        return;
    QLineEdit* box = m_folders[static_cast<std::size_t>(index)];
    const std::string title = std::string("Verzeichnis für ") + (index == 0   ? "Schaltungen"
                                                                 : index == 1 ? "ICs"
                                                                              : "Bitmaps");
    if (const auto folder = m_services.pickFolder(title, box->text().toStdString()))
        box->setText(Utf8(*folder));
}

void frmOptions::ChangePasswordClicked() {
    frmPWChange change(!gPasswort.empty(), this);
    m_services.RunModal(change);
}

void frmOptions::FocusField(OptionField field) {
    QWidget* w = nullptr;
    switch (field) {
    case OptionField::UndoSteps:
        w = m_undo;
        break;
    case OptionField::MaxRunden:
        w = m_autoStop;
        break;
    case OptionField::Folder0:
    case OptionField::Folder1:
    case OptionField::Folder2:
        w = m_folders[static_cast<std::size_t>(static_cast<int>(field) -
                                               static_cast<int>(OptionField::Folder0))];
        break;
    case OptionField::PortAddress:
        w = m_portAddress;
        break;
    }
    for (int i = 0; i < m_tabs->count(); ++i)
        if (m_tabs->widget(i)->isAncestorOf(w))
            m_tabs->setCurrentIndex(i);
    w->setFocus();
}

void frmOptions::Confirm() {
    const OptionValues values = Values();
    if (const auto problem = CheckOptions(values)) {
        Host().MessageBox(problem->message, MsgButtons::Ok, MsgIcon::Exclamation, "Optionen");
        FocusField(problem->field);
        return;
    }
    const bool written = ApplyOptions(values);
    if (m_services.applyPermissions)
        m_services.applyPermissions();
    if (!written)
        ReportUnwritableSettings();
    accept();
}

} // namespace kardo
