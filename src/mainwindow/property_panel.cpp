// Property panel and sheet-size panel handlers.
#include "mainwindow/property_panel.h"

#include "app/settings.h"
#include "files/ic_notes.h"
#include "files/text_helpers.h"
#include "mainwindow/main_window.h"
#include "model/grid.h"
#include "render/sheet_size.h"
#include "render/view.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace kardo {

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

    // The notes of the chosen IC; the IC section shows them in place of its preview.
    auto* ic = window.findChild<QWidget*>("picEigenschaft_0");
    m_notes = new QPlainTextEdit(ic);
    m_notes->setObjectName("txtNotizen");
    m_notes->setMaximumHeight(90);
    m_notes->hide();
    ic->layout()->addWidget(m_notes);
    connect(m_notes, &QPlainTextEdit::textChanged, this, [this] {
        const auto* cmbIC = m_window.findChild<QComboBox*>("cmbIC");
        m_notesPath = QString::fromStdString(gVerzeichnisse[1]) +
                      (cmbIC != nullptr ? cmbIC->currentText() : QString()) + ".icd";
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
    SaveICNotes(m_notesPath.toStdString(), m_notes->toPlainText().toStdString());
}

bool PropertyPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // Getting the focus selects the whole text of a number box.
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, box, [box] { box->selectAll(); });
    } else if (event->type() == QEvent::FocusOut && watched == m_notes) {
        NotesLeft();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kardo
