// The IC library window.
#include "ic/qt/frm_ic_auswahl.h"

#include "app/control_rules.h"
#include "ic/ic_library.h"
#include "ic/qt/ic_package_picture.h"
#include "model/codes.h"
#include "platform/qt/owned_window.h"

#include <map>

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kardo {

namespace {

QString Utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

constexpr QSize kPreviewSize(260, 180);

// The notes column shows the start of the notes: a line wider than any screen is cut, as laying
// out megabytes of notes for it would hold the window for many seconds.
QString NotesColumn(std::string_view notes) {
    constexpr qsizetype kShown = 500;
    QString text = Utf8(notes.substr(0, kShown * 4));
    if (text.size() > kShown)
        text = text.left(text.at(kShown - 1).isHighSurrogate() ? kShown - 1 : kShown) + "…";
    return text;
}

} // namespace

frmICAuswahl::frmICAuswahl(QWidget* owner) : QWidget(owner, kOwnedWindowType) {
    setObjectName("frmICAuswahl");
    KeepOnOwnerScreen(*this);
    setWindowTitle(Utf8("IC-Auswahl"));
    resize(620, 460);
    auto* column = new QVBoxLayout(this);
    auto* split = new QSplitter(Qt::Horizontal, this);

    m_list = new QTreeWidget(split);
    m_list->setObjectName("lvwICs");
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({Utf8("IC"), Utf8("Notizen")});
    m_list->setRootIsDecorated(false);
    m_list->header()->setStretchLastSection(true);

    auto* details = new QWidget(split);
    auto* detailColumn = new QVBoxLayout(details);
    detailColumn->setContentsMargins(0, 0, 0, 0);
    m_preview = new QLabel(details);
    m_preview->setObjectName("picVorschau");
    m_preview->setMinimumSize(kPreviewSize);
    m_preview->setAlignment(Qt::AlignCenter);
    detailColumn->addWidget(m_preview);
    m_size = new QLabel(details);
    m_size->setObjectName("lblGroesse");
    detailColumn->addWidget(m_size);
    m_problem = new QLabel(details);
    m_problem->setObjectName("lblFehler");
    m_problem->setWordWrap(true);
    m_problem->hide();
    detailColumn->addWidget(m_problem);
    detailColumn->addWidget(new QLabel(Utf8("Notizen:"), details));
    m_notes = new QPlainTextEdit(details);
    m_notes->setObjectName("txtNotizen");
    m_notes->setReadOnly(true);
    m_notes->setMaximumHeight(80);
    detailColumn->addWidget(m_notes);
    detailColumn->addWidget(new QLabel(Utf8("Enthaltene ICs:"), details));
    m_nesting = new QTreeWidget(details);
    m_nesting->setObjectName("tvwSchachtelung");
    m_nesting->setHeaderHidden(true);
    detailColumn->addWidget(m_nesting, 1);
    column->addWidget(split, 1);

    auto* keys = new QHBoxLayout;
    m_choose = new QPushButton(Utf8("&Auswählen"), this);
    m_choose->setObjectName("cmdAuswaehlen");
    m_edit = new QPushButton(Utf8("&Bearbeiten"), this);
    m_edit->setObjectName("cmdBearbeiten");
    auto* close = new QPushButton(Utf8("S&chließen"), this);
    close->setObjectName("cmdSchliessen");
    keys->addWidget(m_choose);
    keys->addWidget(m_edit);
    keys->addStretch(1);
    keys->addWidget(close);
    column->addLayout(keys);

    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] { ShowICDetails(); });
    connect(m_list, &QTreeWidget::itemActivated, this, [this] {
        if (onChoose && !SelectedIC().empty())
            onChoose(SelectedIC());
    });
    connect(m_choose, &QPushButton::clicked, this, [this] {
        if (onChoose && !SelectedIC().empty())
            onChoose(SelectedIC());
    });
    connect(m_edit, &QPushButton::clicked, this, [this] {
        if (onEdit && !SelectedIC().empty())
            onEdit(SelectedIC());
    });
    connect(close, &QPushButton::clicked, this, [this] { this->close(); });
    ShowICNames();
}

void frmICAuswahl::ShowICNames() {
    const std::string selected = SelectedIC();
    m_list->clear();
    QTreeWidgetItem* keep = nullptr;
    for (const ICLibraryEntry& e : ReadICLibrary()) {
        auto* item = new QTreeWidgetItem(m_list, {Utf8(e.Name), NotesColumn(e.Notes)});
        if (e.Name == selected)
            keep = item;
    }
    m_list->setCurrentItem(keep != nullptr ? keep : m_list->topLevelItem(0));
    ShowICDetails();
}

std::string frmICAuswahl::SelectedIC() const {
    const QTreeWidgetItem* item = m_list->currentItem();
    return item != nullptr ? item->text(0).toStdString() : std::string();
}

void frmICAuswahl::SelectIC(int index) {
    if (index < 0 || index >= m_list->topLevelItemCount())
        return;
    QTreeWidgetItem* item = m_list->topLevelItem(index);
    m_list->setCurrentItem(item);
    m_list->scrollToItem(item);
    ShowICDetails();
}

void frmICAuswahl::ShowICDetails() {
    m_preview->clear();
    m_size->clear();
    m_notes->clear();
    m_nesting->clear();
    m_problem->hide();
    const std::string name = SelectedIC();
    // Without an IC in the list the keys would do nothing; choosing places an IC, which the
    // function lock may take away.
    m_choose->setEnabled(!name.empty() && ToolPermitted(kTypeIC));
    m_edit->setEnabled(!name.empty());
    if (name.empty())
        return;
    ICDefinition def;
    std::string problem;
    if (ReadICDetails(name, def, problem)) {
        m_preview->setPixmap(FitPreview(DrawICPreview(name, def), kPreviewSize));
        m_size->setText(Utf8("Größe: ") + QString::number(def.Breite) + " x " +
                        QString::number(def.Hoehe) + Utf8(" Zellen, ") +
                        QString::number(def.PlacedPins) + Utf8(" Anschlüsse"));
        m_notes->setPlainText(Utf8(ReadICNotes(def.Path)).replace("\r\n", "\n"));
    } else {
        m_problem->setText(Utf8(problem));
        m_problem->show();
    }
    std::map<std::string, QTreeWidgetItem*> byKey;
    for (const NestingNode& node : BuildNestingTree(name)) {
        const auto parent = byKey.find(node.ParentKey);
        auto* item = parent == byKey.end() ? new QTreeWidgetItem(m_nesting)
                                           : new QTreeWidgetItem(parent->second);
        item->setText(0, Utf8(node.Text));
        item->setData(0, Qt::UserRole, Utf8(node.Key));
        byKey[node.Key] = item;
    }
    m_nesting->expandAll();
}

void frmICAuswahl::closeEvent(QCloseEvent* event) {
    event->accept();
    if (onClosed)
        onClosed();
}

} // namespace kardo
