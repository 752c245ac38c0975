// The Boolean-algebra window: synthesis, truth table and term creation.
#include "boolean/qt/frm_boolean.h"

#include "boolean/formula_line.h"
#include "boolean/groups.h"
#include "boolean/qt/truth_table_model.h"
#include "boolean/term.h"
#include "boolean/truth_table.h"
#include "platform/platform.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace kardo {

namespace {

constexpr const char* kSyntheseCaption = "Schaltungssynthese";
constexpr const char* kTabelleTab = "  Wertetabelle";
constexpr const char* kTermTab = "Termerstellung";
constexpr int kDefaultCreationVariables = 2;

QString Utf8(const char* text) { return QString::fromUtf8(text); }

template <class W> W* Named(W* w, const char* name) {
    w->setObjectName(name);
    return w;
}

QTableView* MakeTable(QWidget* parent, TruthTableModel* model, const char* name) {
    auto* view = Named(new QTableView(parent), name);
    view->setModel(model);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->verticalHeader()->setDefaultSectionSize(20);
    return view;
}

} // namespace

frmBoolean::frmBoolean(QWidget* owner) : QDialog(owner) {
    setObjectName("frmBoolean");
    setModal(false);
    setWindowTitle(Utf8(kSyntheseCaption));
    auto* v = new QVBoxLayout(this);
    m_tabs = Named(new QTabWidget(this), "SSTab1");
    m_tabs->addTab(BuildSynthesisTab(), Utf8(kSyntheseCaption));
    m_tabs->addTab(BuildTableTab(), Utf8(kTabelleTab));
    m_tabs->addTab(BuildCreationTab(), Utf8(kTermTab));
    v->addWidget(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, &frmBoolean::TabChanged);
    resize(560, 460);
    TabChanged(0);
}

QWidget* frmBoolean::BuildSynthesisTab() {
    auto* tab = new QWidget(this);
    auto* v = new QVBoxLayout(tab);
    v->addWidget(new QLabel(Utf8("Term (& = UND, v = ODER, / = NICHT):"), tab));
    m_synthesisTerm = Named(new QLineEdit(tab), "txtSyntheseTerm");
    m_synthesisTerm->setMaxLength(kMaxTermLength);
    v->addWidget(m_synthesisTerm);
    auto* note = new QLabel(Utf8("Die Schaltung entsteht auf einem neuen Arbeitsfeld: für jede "
                                 "Variable ein Schalter, für jede Gruppe ein Gatter, am Ausgang "
                                 "eine rote Leuchtdiode."),
                            tab);
    note->setWordWrap(true);
    v->addWidget(note);
    v->addStretch(1);
    auto* h = new QHBoxLayout();
    h->addStretch(1);
    m_erstellen = Named(new QPushButton(Utf8("Schaltung &erstellen"), tab), "cmdErstellen");
    connect(m_erstellen, &QPushButton::clicked, this, &frmBoolean::cmdErstellen_Click);
    h->addWidget(m_erstellen);
    v->addLayout(h);
    return tab;
}

QWidget* frmBoolean::BuildTableTab() {
    auto* tab = new QWidget(this);
    auto* v = new QVBoxLayout(tab);
    v->addWidget(new QLabel(Utf8("Term:"), tab));
    auto* h = new QHBoxLayout();
    m_tableTerm = Named(new QLineEdit(tab), "txtTabellenTerm");
    m_tableTerm->setMaxLength(kMaxTermLength);
    h->addWidget(m_tableTerm, 1);
    m_tabelle = Named(new QPushButton(Utf8("&Berechnen"), tab), "cmdTabelle");
    connect(m_tabelle, &QPushButton::clicked, this, &frmBoolean::cmdTabelle_Click);
    h->addWidget(m_tabelle);
    v->addLayout(h);
    m_tableModel = new TruthTableModel(this);
    m_table = MakeTable(tab, m_tableModel, "grdWertetabelle");
    v->addWidget(m_table, 1);
    return tab;
}

QWidget* frmBoolean::BuildCreationTab() {
    auto* tab = new QWidget(this);
    auto* v = new QVBoxLayout(tab);
    auto* h = new QHBoxLayout();
    h->addWidget(new QLabel(Utf8("Anzahl der Variablen:"), tab));
    m_creationCount = Named(new QSpinBox(tab), "updVariablen");
    m_creationCount->setRange(kMinCreationVariables, kMaxCreationVariables);
    h->addWidget(m_creationCount);
    h->addStretch(1);
    v->addLayout(h);
    v->addWidget(
        new QLabel(Utf8("Ein Klick in die Ergebnisspalte schaltet zwischen 0 und 1 um."), tab));
    m_creationModel = new TruthTableModel(this);
    m_creation = MakeTable(tab, m_creationModel, "grdTermerstellung");
    connect(m_creation, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == m_creationModel->ResultColumn())
            m_creationModel->Toggle(index.row());
    });
    v->addWidget(m_creation, 1);
    auto* result = new QHBoxLayout();
    m_createdTerm = Named(new QLineEdit(tab), "txtErstellterTerm");
    m_createdTerm->setReadOnly(true);
    result->addWidget(m_createdTerm, 1);
    m_term = Named(new QPushButton(Utf8("&Term erstellen"), tab), "cmdTerm");
    connect(m_term, &QPushButton::clicked, this, &frmBoolean::cmdTerm_Click);
    result->addWidget(m_term);
    v->addLayout(result);
    connect(m_creationCount, &QSpinBox::valueChanged, this, &frmBoolean::CreationVariablesChanged);
    m_creationCount->setValue(kDefaultCreationVariables);
    CreationVariablesChanged(kDefaultCreationVariables);
    return tab;
}

void frmBoolean::SelectEntry(Entry entry) {
    QString caption = Utf8(kSyntheseCaption);
    if (entry == Entry::Synthese) {
        m_tabs->setCurrentIndex(0);
    } else {
        // Every tab of that caption; with none the current tab stays.
        const QString tab = Utf8(entry == Entry::Wertetabelle ? kTabelleTab : kTermTab);
        for (int i = 0; i < m_tabs->count(); ++i)
            if (m_tabs->tabText(i) == tab)
                m_tabs->setCurrentIndex(i);
        caption = tab.trimmed();
    }
    TabChanged(m_tabs->currentIndex());
    setWindowTitle(caption);
    // The keyboard goes to what the entry asks for first, not to the tab bar.
    QWidget* first[] = {m_synthesisTerm, m_tableTerm, m_creationCount};
    const int index = m_tabs->currentIndex();
    if (index >= 0 && index < 3)
        first[index]->setFocus(Qt::OtherFocusReason);
}

void frmBoolean::TabChanged(int index) {
    QPushButton* buttons[] = {m_erstellen, m_tabelle, m_term};
    for (int i = 0; i < 3; ++i) {
        buttons[i]->setDefault(i == index);
        buttons[i]->setAutoDefault(i == index);
    }
    if (index >= 0 && index < m_tabs->count())
        setWindowTitle(m_tabs->tabText(index).trimmed());
}

void frmBoolean::ShowErrorPosition(QLineEdit* box, int position) {
    if (position < 1)
        return;
    box->setFocus();
    box->setCursorPosition(std::min(position - 1, static_cast<int>(box->text().size())));
}

void frmBoolean::cmdErstellen_Click() {
    const CreateFileResult r = CreateFile(m_synthesisTerm->text().toStdString());
    if (r.created)
        Host().RefreshWorksheet();
    else
        ShowErrorPosition(m_synthesisTerm, r.errorPosition);
}

void frmBoolean::cmdTabelle_Click() {
    const TermCheck check = CheckTerm(m_tableTerm->text().toStdString());
    if (!check.ok) {
        ReportTermError(check.error);
        ShowErrorPosition(m_tableTerm, check.error.position);
        return;
    }
    const int n = static_cast<int>(check.tree.variables.size());
    if (n > kMaxTableVariables) {
        Host().MessageBox("Der Term hat " + std::to_string(n) +
                              " Variablen.\r\nDie Wertetabelle zeigt höchstens " +
                              std::to_string(kMaxTableVariables) + " Variablen.",
                          MsgButtons::Ok, MsgIcon::Exclamation, "Wertetabelle");
        return;
    }
    m_tableModel->SetTable(check.tree.variables, TruthTable(check.tree));
}

void frmBoolean::CreationVariablesChanged(int n) {
    const std::string vars = CreationVariables(n);
    m_creationModel->SetTable(vars, std::vector<std::uint8_t>(std::size_t{1} << vars.size(), 0));
    m_createdTerm->clear();
}

void frmBoolean::cmdTerm_Click() {
    const std::string term =
        TermFromTable(m_creationModel->Variables(), m_creationModel->Results());
    if (term.empty()) {
        Host().MessageBox("Die Ergebnisspalte enthält keine 1: zu dieser Tabelle gibt es keinen "
                          "Term.\r\nKlicken Sie in der Ergebnisspalte auf die Zeilen, deren "
                          "Ergebnis 1 sein soll.",
                          MsgButtons::Ok, MsgIcon::Information, "Termerstellung");
        return;
    }
    m_createdTerm->setText(QString::fromStdString(term));
    // Handed to the synthesis tab, which builds its circuit on request.
    m_synthesisTerm->setMaxLength(std::max(kMaxTermLength, static_cast<int>(term.size())));
    m_synthesisTerm->setText(QString::fromStdString(term));
    SelectEntry(Entry::Synthese);
    if (!CheckTerm(term).ok)
        Host().MessageBox("Der Term ist für die Schaltungssynthese zu groß: sie nimmt höchstens "
                          "15 Zeilen mit dem Ergebnis 1 und 250 Zeichen.",
                          MsgButtons::Ok, MsgIcon::Information, "Termerstellung");
}

} // namespace kardo
