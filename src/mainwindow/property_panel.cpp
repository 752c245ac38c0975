// Property panel and sheet-size panel handlers.
#include "mainwindow/property_panel.h"

#include "app/main_state.h"
#include "app/settings.h"
#include "files/ic_definition.h"
#include "files/ic_definition_file.h"
#include "files/ic_notes.h"
#include "files/text_helpers.h"
#include "ic/ic_library.h"
#include "ic/qt/frm_ic_auswahl.h"
#include "ic/qt/ic_package_picture.h"
#include "mainwindow/main_window.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/utilities.h"
#include "render/sheet_size.h"
#include "render/view.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>

namespace kardo {

namespace {

// The preview fits the width of the panel column.
constexpr QSize kICPreviewBox(210, 150);

} // namespace

UpDownKeys::UpDownKeys(QWidget* parent) : QSpinBox(parent) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setMaximumWidth(18);
    setRange(0, 0);
}

void UpDownKeys::stepBy(int steps) {
    if (steps > 0)
        emit UpClick();
    else if (steps < 0)
        emit DownClick();
}

PropertyPanel::PropertyPanel(frmKardo& window) : QObject(&window), m_window(window) {
    setObjectName("PropertyPanel");
    m_txtX = window.findChild<QLineEdit*>("txtX");
    m_txtY = window.findChild<QLineEdit*>("txtY");
    for (const bool horizontal : {true, false}) {
        QLineEdit* box = Box(horizontal);
        // Enter always acts; leaving the box only when it was edited, so that a sheet wider than
        // the boxes allow (from a file) is not cut because the focus passed through.
        connect(box, &QLineEdit::returnPressed, this,
                [this, horizontal] { SizeBoxEntered(horizontal); });
        connect(box, &QLineEdit::editingFinished, this, [this, horizontal] {
            if (Box(horizontal)->isModified())
                SizeBoxEntered(horizontal);
        });
        auto* keys = window.findChild<UpDownKeys*>(horizontal ? "updSizeX" : "updSizeY");
        connect(keys, &UpDownKeys::UpClick, this, [this, horizontal] { SizeSpin(horizontal, 1); });
        connect(keys, &UpDownKeys::DownClick, this,
                [this, horizontal] { SizeSpin(horizontal, -1); });
    }
    for (const char* name : {"txtX", "txtY", "txtAnschlüsse"})
        window.findChild<QLineEdit*>(QString::fromUtf8(name))->installEventFilter(this);

    window.SetCaption("lblSelElement", "0");
    window.SetCaption("lblRahmen", "X: 0   Y: 0");

    // The preview of the chosen IC, or in its place its notes; cmdChange switches between them.
    auto* ic = window.findChild<QWidget*>("picEigenschaft_0");
    auto* titleRow = new QHBoxLayout();
    titleRow->setContentsMargins(0, 0, 0, 0);
    m_title = new QLabel(QStringLiteral("Vorschau:"), ic);
    m_title->setObjectName("lblVorschau");
    m_change = new QPushButton(QStringLiteral("Wechseln"), ic);
    m_change->setObjectName("cmdChange");
    m_change->setToolTip(QStringLiteral("Zwischen Vorschau und Notizen wechseln"));
    titleRow->addWidget(m_title, 1);
    titleRow->addWidget(m_change);
    static_cast<QBoxLayout*>(ic->layout())->addLayout(titleRow);
    connect(m_change, &QPushButton::clicked, this, [this] { cmdChange_Toggle(); });
    m_preview = new QLabel(ic);
    m_preview->setObjectName("picICVorschau");
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setMinimumHeight(40);
    m_preview->setMaximumSize(kICPreviewBox);
    m_preview->setToolTip(QStringLiteral("Doppelklick öffnet die IC-Auswahl"));
    m_preview->installEventFilter(this);
    ic->layout()->addWidget(m_preview);
    m_notes = new QPlainTextEdit(ic);
    m_notes->setObjectName("txtNotizen");
    m_notes->setMaximumHeight(90);
    m_notes->hide();
    ic->layout()->addWidget(m_notes);
    // The section shows the IC of the list whenever it appears.
    ic->installEventFilter(this);
    // The notes go back into the file they were read from, which may be called "Name.ICD".
    connect(m_notes, &QPlainTextEdit::textChanged, this, [this] {
        const auto* cmbIC = m_window.findChild<QComboBox*>("cmbIC");
        const QString name = cmbIC != nullptr ? cmbIC->currentText() : QString();
        m_notesPath = QString::fromStdString(ICDefinitionPath(name.toStdString()));
    });
    m_notes->installEventFilter(this);
}

void PropertyPanel::SizeBoxEntered(bool horizontal) {
    EndGestureForView();
    QLineEdit* box = Box(horizontal);
    box->setText(QString::number(ClampSheetSize(Val(box->text().toStdString()))));
    SetNewSize();
    m_txtX->setModified(false);
    m_txtY->setModified(false);
    SyncSizeBoxes();
}

void PropertyPanel::SizeSpin(bool horizontal, int direction) {
    QLineEdit* box = Box(horizontal);
    const double v = RoundHalfEven(Val(box->text().toStdString()));
    box->setText(QString::number(static_cast<long>(v) + direction * kSheetSizeStep));
    SizeBoxEntered(horizontal);
}

void PropertyPanel::SyncSizeBoxes() {
    for (const bool horizontal : {true, false}) {
        QLineEdit* box = Box(horizontal);
        const QString size = QString::number(horizontal ? gFeldBreite : gFeldHoehe);
        if (!box->hasFocus() && !box->isModified() && box->text() != size)
            box->setText(size);
    }
}

void PropertyPanel::NotesLeft() {
    // The notes as read from the file are not written back: leaving the box changes no file.
    // Notes that are refused stay in the box, still marked as edited.
    if (!m_notes->document()->isModified())
        return;
    if (!SaveICNotes(m_notesPath.toStdString(), m_notes->toPlainText().toStdString()))
        return;
    m_notes->document()->setModified(false);
    // The library shows the new notes in its list and its notes box.
    if (frmICAuswahl* library = m_window.ICAuswahl())
        library->ShowICNames();
}

void PropertyPanel::cmdChange_Toggle() {
    const bool toNotes = !m_preview->isHidden();
    m_preview->setVisible(!toNotes);
    m_notes->setVisible(toNotes);
    m_title->setText(toNotes ? QStringLiteral("Notizen:") : QStringLiteral("Vorschau:"));
    m_change->setDown(false);
}

void PropertyPanel::ShowICPreview() {
    const auto* cmbIC = m_window.findChild<QComboBox*>("cmbIC");
    const auto* fault = m_window.findChild<QLabel*>("lblICFehler");
    const std::string name = cmbIC != nullptr ? cmbIC->currentText().toStdString() : "";
    m_preview->clear();
    const bool none = name.empty() || name == "<Name>";
    ICDefinition def;
    std::string problem;
    if (!none && (fault == nullptr || fault->isHidden()) && ReadICDetails(name, def, problem))
        m_preview->setPixmap(FitPreview(DrawICPreview(name, def), kICPreviewBox));
    QString notes = none ? QString() : QString::fromStdString(ReadICNotes(ICDefinitionPath(name)));
    notes.replace("\r\n", "\n");
    // An unchanged text is not set again: the box keeps its cursor.
    if (m_notes->toPlainText() != notes) {
        m_notes->setPlainText(notes);
        m_notes->document()->setModified(false);
    }
}

bool PropertyPanel::eventFilter(QObject* watched, QEvent* event) {
    // In quick-help mode the press before has explained the panel.
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_preview) {
        if (gMouseMode != kToolQuickHelp)
            m_window.SetICAuswahlShown(true);
        return true;
    }
    if (event->type() == QEvent::Show && watched == m_preview->parent()) {
        ShowICPreview();
    } else if (event->type() == QEvent::FocusIn) {
        // Getting the focus selects the whole text of a number box.
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, box, [box] { box->selectAll(); });
    } else if (event->type() == QEvent::FocusOut && watched == m_notes) {
        NotesLeft();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kardo
