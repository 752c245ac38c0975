// The IC editor window.
#include "ic/qt/frm_ic.h"

#include "app/main_state.h"
#include "files/ic_definition_file.h"
#include "files/ic_size.h"
#include "ic/ic_definition_mode.h"
#include "ic/qt/ic_package_picture.h"
#include "ic/qt/ic_package_view.h"
#include "ic/qt/ic_pin_handle.h"
#include "model/codes.h"
#include "model/utilities.h"
#include "platform/qt/owned_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kardo {

namespace {

QString Utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QLineEdit* SizeBox(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setValidator(new QIntValidator(0, 9999, box));
    box->setMaximumWidth(60);
    return box;
}

} // namespace

frmIC::frmIC(QWidget* owner) : QWidget(owner, kOwnedWindowType) {
    setObjectName("frmIC");
    KeepOnOwnerScreen(*this);
    setWindowTitle(Utf8("IC-Assistent"));
    auto* column = new QVBoxLayout(this);

    m_lblName = new QLabel(Utf8("IC-Neu"), this);
    m_lblName->setObjectName("lblName");
    QFont bold = m_lblName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    m_lblName->setFont(bold);
    column->addWidget(m_lblName);

    auto* form = new QFormLayout;
    m_txtName = new QLineEdit(this);
    m_txtName->setObjectName("txtName");
    m_txtName->setMaxLength(200);
    form->addRow(Utf8("&Name:"), m_txtName);
    auto* size = new QHBoxLayout;
    m_txtX = SizeBox("txtX", this);
    m_txtY = SizeBox("txtY", this);
    size->addWidget(m_txtX);
    size->addWidget(new QLabel(Utf8("x"), this));
    size->addWidget(m_txtY);
    size->addWidget(new QLabel(Utf8("Zellen (Breite x Höhe, 1 bis 200)"), this));
    size->addStretch(1);
    // A row of several boxes gets no buddy from the form: without one its "&" would show.
    auto* sizeLabel = new QLabel(Utf8("&Gehäuse:"), this);
    sizeLabel->setObjectName("lblGehaeuse");
    sizeLabel->setBuddy(m_txtX);
    form->addRow(sizeLabel, size);
    column->addLayout(form);

    auto* middle = new QHBoxLayout;
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("picICContainer");
    m_view = new ICPackageView(scroll);
    scroll->setWidget(m_view);
    scroll->setAlignment(Qt::AlignCenter);
    scroll->setMinimumSize(420, 260);
    middle->addWidget(scroll, 1);
    auto* freeColumn = new QVBoxLayout;
    freeColumn->addWidget(new QLabel(Utf8("Nicht am Gehäuse:"), this));
    m_free = new QWidget(this);
    m_free->setObjectName("picFrei");
    m_free->setAcceptDrops(true);
    m_free->installEventFilter(this);
    m_free->setMinimumWidth(140);
    m_freeLayout = new QVBoxLayout(m_free);
    m_freeLayout->addStretch(1);
    freeColumn->addWidget(m_free, 1);
    middle->addLayout(freeColumn);
    column->addLayout(middle, 1);

    m_status = new QLabel(this);
    m_status->setObjectName("lblStatus");
    m_status->setWordWrap(true);
    m_status->setText(Utf8("Klicken Sie auf dem Arbeitsfeld auf Leitungsenden, um sie als "
                           "Anschlüsse zu benennen, und ziehen Sie die Namen auf den Rand des "
                           "Gehäuses."));
    column->addWidget(m_status);

    auto* keys = new QHBoxLayout;
    keys->addStretch(1);
    auto* save = new QPushButton(Utf8("&Speichern"), this);
    save->setObjectName("cmdSpeichern");
    auto* close = new QPushButton(Utf8("S&chließen"), this);
    close->setObjectName("cmdSchliessen");
    keys->addWidget(save);
    keys->addWidget(close);
    column->addLayout(keys);

    connect(m_txtName, &QLineEdit::textEdited, this, [this](const QString& text) {
        SetICDefinitionName(text.toStdString());
        m_lblName->setText(text.isEmpty() ? Utf8("IC-Neu") : text);
        m_view->ShowInOut();
    });
    connect(m_txtX, &QLineEdit::editingFinished, this, [this] { SizeEntered(); });
    connect(m_txtY, &QLineEdit::editingFinished, this, [this] { SizeEntered(); });
    connect(save, &QPushButton::clicked, this, [this] {
        SetICDefinitionName(m_txtName->text().toStdString());
        SizeEntered();
        if (SaveICDefinition())
            ShowProblem({});
    });
    connect(close, &QPushButton::clicked, this, [this] { this->close(); });
    m_view->onProblem = [this](const std::string& text) { ShowProblem(text); };
    Refresh();
}

void frmIC::ShowProblem(const std::string& text) { m_status->setText(Utf8(text)); }

void frmIC::SizeEntered() {
    const int w = m_txtX->text().toInt();
    const int h = m_txtY->text().toInt();
    if (w != gICBreite || h != gICHoehe)
        ResizeICPackage(w, h);
    Refresh();
}

void frmIC::DropOnUnplaced(int nr) {
    UnplaceICPin(nr);
    Refresh();
}

void frmIC::Refresh() {
    const QString name = Utf8(gICName);
    if (m_txtName->text() != name)
        m_txtName->setText(name);
    m_lblName->setText(name.isEmpty() ? Utf8("IC-Neu") : name);
    m_txtX->setText(QString::number(gICBreite));
    m_txtY->setText(QString::number(gICHoehe));

    const int n = gAnzICAnschluesse;
    // Labels beyond the pins go; the one being dragged is deleted only once its drag is over.
    while (static_cast<int>(m_handles.size()) > n + 1) {
        ICPinHandle* gone = m_handles.back();
        m_handles.pop_back();
        gone->hide();
        gone->SetNr(0);
        gone->setObjectName(QString());
        gone->deleteLater();
    }
    if (m_handles.empty())
        m_handles.push_back(nullptr);
    while (static_cast<int>(m_handles.size()) <= n) {
        auto* handle = new ICPinHandle(static_cast<int>(m_handles.size()), m_free);
        m_handles.push_back(handle);
    }
    for (int k = 1; k <= n; ++k) {
        ICPinHandle* handle = m_handles[static_cast<std::size_t>(k)];
        handle->SetNr(k);
        handle->setObjectName(QString("lblInOut_%1").arg(k));
        handle->setText(Utf8(ICPinName(k)));
        handle->setProperty("tag", Utf8(static_cast<std::size_t>(k) < gTags.size()
                                            ? gTags[static_cast<std::size_t>(k)]
                                            : std::string()));
        int a = 0;
        int b = 0;
        const bool placed = GetICPinPlace(k, a, b);
        m_freeLayout->removeWidget(handle);
        if (placed) {
            if (handle->parentWidget() != m_view)
                handle->setParent(m_view);
        } else {
            m_freeLayout->insertWidget(m_freeLayout->count() - 1, handle);
            handle->show();
        }
    }
    m_view->ShowInOut();
}

void frmIC::HideQuietly() {
    m_quiet = true;
    hide();
    m_quiet = false;
}

void frmIC::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!m_quiet && gMouseMode == kToolICView)
        CloseICView();
}

bool frmIC::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_free) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (PinOfMime(drag->mimeData()) != 0) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            const int nr = PinOfMime(drop->mimeData());
            if (nr != 0) {
                drop->acceptProposedAction();
                DropOnUnplaced(nr);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kardo
