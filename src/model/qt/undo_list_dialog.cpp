// The undo list dialog.
#include "model/qt/undo_list_dialog.h"

#include "model/undo.h"
#include "model/utilities.h"
#include "platform/platform.h"

#include <string>
#include <vector>

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kardo {

namespace {

QString Steps(int n) {
    return n == 1 ? QStringLiteral("1 Schritt rückgängig machen")
                  : QString::number(n) + QStringLiteral(" Schritte rückgängig machen");
}

} // namespace

frmUndoList::frmUndoList(QWidget* parent) : QDialog(parent) {
    setObjectName("frmUndoList");
    setWindowTitle(QStringLiteral("Annullierungsliste"));

    auto* picture = new QLabel(this);
    picture->setObjectName("picBild");
    picture->setPixmap(style()->standardIcon(QStyle::SP_ArrowBack).pixmap(32, 32));

    m_lblUndo = new QLabel(QStringLiteral("0 Schritte rückgängig machen:"), this);
    m_lblUndo->setObjectName("lblUndo");

    // The selection always runs from the newest step down to the pressed one; the list sets it
    // itself, so the view's own selection handling is off.
    m_lstUndo = new QListWidget(this);
    m_lstUndo->setObjectName("lstUndo");
    m_lstUndo->setSelectionMode(QAbstractItemView::NoSelection);
    connect(m_lstUndo, &QListWidget::itemPressed, this,
            [this](QListWidgetItem* item) { lstUndo_MouseDown(m_lstUndo->row(item)); });

    m_cmdUndo = new QPushButton(QStringLiteral("&Undo"), this);
    m_cmdUndo->setObjectName("cmdUndo");
    connect(m_cmdUndo, &QPushButton::clicked, this, [this] { cmdUndo_Click(); });
    m_cmdAbbruch = new QPushButton(QStringLiteral("&Schließen"), this);
    m_cmdAbbruch->setObjectName("cmdAbbruch");
    connect(m_cmdAbbruch, &QPushButton::clicked, this, [this] { cmdAbbruch_Click(); });

    m_picUndo = new QWidget(this);
    m_picUndo->setObjectName("picUndo");
    m_lblFertig = new QLabel(QStringLiteral("0% fertig"), m_picUndo);
    m_lblFertig->setObjectName("lblFertig");
    auto* wait = new QLabel(QStringLiteral("Bitte warten ..."), m_picUndo);
    wait->setObjectName("lblBitteWarten");
    auto* progress = new QVBoxLayout(m_picUndo);
    progress->addWidget(wait);
    progress->addWidget(m_lblFertig);
    m_picUndo->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(m_lblUndo, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdUndo);
    buttons->addWidget(m_cmdAbbruch);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_lstUndo, 1);
    layout->addWidget(m_picUndo);
    layout->addLayout(buttons);
    resize(360, 280);

    FillList();
}

void frmUndoList::FillList() {
    m_lstUndo->clear();
    std::vector<std::string> lines;
    gUndo.ListUndos(lines);
    for (const std::string& line : lines)
        m_lstUndo->addItem(QString::fromStdString(line));
    m_cmdUndo->setEnabled(m_lstUndo->count() > 0);
}

void frmUndoList::lstUndo_MouseDown(int row) {
    if (row < 0 || row >= m_lstUndo->count())
        return;
    // Through the selection model: the items' own setter does nothing while the view's
    // selection mode is off.
    QItemSelectionModel* selection = m_lstUndo->selectionModel();
    const QModelIndex first = m_lstUndo->model()->index(0, 0);
    const QModelIndex last = m_lstUndo->model()->index(row, 0);
    selection->select(QItemSelection(first, last), QItemSelectionModel::ClearAndSelect);
    m_lstUndo->setCurrentRow(row, QItemSelectionModel::NoUpdate);
    m_count = row + 1;
    m_lblUndo->setText(Steps(m_count));
    m_cmdUndo->setEnabled(true);
}

void frmUndoList::cmdUndo_Click() {
    m_cmdUndo->setEnabled(false);
    m_cmdAbbruch->setEnabled(false);
    m_picUndo->show();
    const int count = m_count;
    for (int i = 1; i <= count; ++i) {
        m_lblFertig->setText(QString::number(i * 100 / count) + QStringLiteral("% fertig"));
        // A refused step stops the run: the older ones cannot be reached past it.
        if (!gUndo.Undo())
            break;
        Pump().DoEvents();
    }
    Wait(0.1, false);
    m_picUndo->hide();
    FillList();
    m_count = 0;
    m_lblUndo->setText(QStringLiteral("0 Schritte rückgängig machen"));
    m_cmdAbbruch->setEnabled(true);
    m_cmdUndo->setEnabled(false);
    if (m_lstUndo->count() == 0)
        close();
}

void frmUndoList::cmdAbbruch_Click() { close(); }

void ShowUndoList(QWidget* owner) {
    auto* dialog = new frmUndoList(owner);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->exec();
}

} // namespace kardo
