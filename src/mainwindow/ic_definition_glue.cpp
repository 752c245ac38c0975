// Main window: the windows of the IC-definition mode and the IC library: "&IC definieren..."
// and its key, the IC editor, the pin-naming dialog, the pin labels lblICAnschluß over the
// worksheet (hover and drag), and the library window toggled by cmdICAuswahl, mICAuswahl and
// cmdICVerwaltung.
#include "app/control_rules.h"
#include "app/file_commands.h"
#include "app/main_state.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "files/circuit_file.h"
#include "files/ic_definition_file.h"
#include "ic/ic_definition_mode.h"
#include "ic/pin_labels.h"
#include "ic/qt/frm_ic.h"
#include "ic/qt/frm_ic_anschluss.h"
#include "ic/qt/frm_ic_auswahl.h"
#include "ic/qt/ic_package_picture.h"
#include "ic/qt/ic_pin_handle.h"
#include "mainwindow/main_window.h"
#include "mainwindow/tool_table.h"
#include "mainwindow/worksheet_canvas.h"
#include "model/codes.h"
#include "model/sim_levels.h"
#include "model/utilities.h"
#include "platform/qt/image_target.h"
#include "platform/qt/owned_window.h"
#include "render/redraw.h"

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QPushButton>

namespace kardo {

namespace {

QString Utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Over the worksheet: a pin label dropped there belongs into the IC editor, and a mouse move
// takes the highlight off the pin labels.
class WorksheetPinFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (PinOfMime(drag->mimeData()) != 0) {
                drag->acceptProposedAction();
                return true;
            }
            break;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (PinOfMime(drop->mimeData()) != 0) {
                drop->acceptProposedAction();
                lblICAnschluss_DragDrop();
                return true;
            }
            break;
        }
        case QEvent::MouseMove:
            if (gMouseMode == kToolICView)
                ClearICPinHighlight();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void frmKardo::ConnectICWindows() {
    for (const char* name : {"mDefIC", "Toolbar/cmdICView"}) {
        if (auto* a = qobject_cast<QAction*>(FindControl(name)))
            connect(a, &QAction::triggered, this, [this] {
                if (gMouseMode == kToolQuickHelp)
                    return;
                mDefIC_Click();
                RefreshWorksheet();
            });
    }
    if (auto* a = qobject_cast<QAction*>(FindControl("mICAuswahl"))) {
        // The handler sees the check mark as it was before the click.
        connect(a, &QAction::triggered, this, [this, a](bool checked) {
            a->setChecked(!checked);
            SetICAuswahlShown(!IsChecked("cmdICAuswahl"));
        });
    }
    if (auto* b = qobject_cast<QPushButton*>(FindControl("cmdICVerwaltung"))) {
        b->setCheckable(true);
        connect(b, &QPushButton::clicked, this,
                [this](bool pressed) { SetICAuswahlShown(pressed); });
    }
    m_canvas->setAcceptDrops(true);
    m_canvas->installEventFilter(new WorksheetPinFilter(this));
}

frmIC* frmKardo::ICEditor() const { return m_icEditor; }
frmICAuswahl* frmKardo::ICAuswahl() const { return m_icAuswahl; }

void frmKardo::ShowICEditor(bool show) {
    if (!show) {
        if (m_icEditor)
            m_icEditor->HideQuietly();
        return;
    }
    const bool first = !m_icEditor;
    if (first)
        m_icEditor = new frmIC(this);
    m_icEditor->Refresh();
    if (first) {
        // At the main window's right edge and wholly inside it, so that its keys stay in sight
        // even when the main window fills the screen; showing it keeps it on the screen.
        m_icEditor->adjustSize();
        const int width = m_icEditor->size().grownBy(FrameMarginsOf(*m_icEditor)).width();
        const QRect owner = frameGeometry();
        m_icEditor->move(std::max(owner.left(), owner.right() + 1 - width), owner.top() + 120);
    }
    m_icEditor->show();
    m_icEditor->raise();
}

void frmKardo::RefreshICEditor() {
    if (m_icEditor)
        m_icEditor->Refresh();
}

void frmKardo::RefreshICPinLabels() {
    const std::size_t n = gICPinLabels.size();
    while (m_pinLabels.size() > std::max<std::size_t>(n, 1)) {
        ICPinHandle* gone = m_pinLabels.back();
        m_pinLabels.pop_back();
        gone->hide();
        gone->SetNr(0);
        gone->setObjectName(QString());
        gone->deleteLater();
    }
    if (m_pinLabels.empty())
        m_pinLabels.push_back(nullptr);
    while (m_pinLabels.size() < n) {
        auto* label = new ICPinHandle(static_cast<int>(m_pinLabels.size()), m_canvas);
        label->onEnter = [](int nr) { lblICAnschluss_MouseMove(nr); };
        label->canDrag = [] { return gMouseMode == kToolICView; };
        label->onDropped = [] { lblICAnschluss_DragDrop(); };
        m_pinLabels.push_back(label);
    }
    for (std::size_t k = 1; k < n; ++k) {
        const ICPinLabel& l = gICPinLabels[k];
        ICPinHandle* label = m_pinLabels[k];
        label->SetNr(static_cast<int>(k));
        label->setObjectName(QString::fromUtf8("lblICAnschluß_%1").arg(k));
        label->setText(Utf8(l.Caption));
        QFont font(MapFontFamily("Arial"));
        font.setPointSizeF(l.FontSize > 0 ? l.FontSize : 8.0);
        label->setFont(font);
        label->setAutoFillBackground(l.Highlighted);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, l.Highlighted ? QColor(0, 0, 0x80) : Qt::white);
        palette.setColor(QPalette::WindowText, l.Highlighted ? Qt::white : Qt::black);
        label->setPalette(palette);
        // Labels are placed in sheet pixels; the canvas shows the sheet from the scrolled origin.
        const QPoint at = m_canvas->PictureToCanvas(
            QPoint(static_cast<int>(std::floor(l.Left)), static_cast<int>(std::floor(l.Top))));
        label->setGeometry(at.x(), at.y(), static_cast<int>(std::ceil(l.Width)) + 2,
                           static_cast<int>(std::ceil(l.Height)) + 1);
        label->setVisible(l.Visible && !l.Caption.empty());
    }
}

std::optional<std::string> frmKardo::AskICPinName(int nr, std::string_view current) {
    frmICAnschluss dialog(nr, current, this);
    if (m_dialogs.RunModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Name();
}

void frmKardo::SetICAuswahlShown(bool shown) {
    // The library stays closed while the function lock takes it away.
    shown = shown && gFunktionRechte[kRechtICAuswahl];
    SetChecked("cmdICAuswahl", shown);
    SetChecked("mICAuswahl", shown);
    SetChecked("cmdICVerwaltung", shown);
    if (!shown) {
        if (m_icAuswahl) {
            KeepICAuswahlPlacement();
            m_icAuswahl->onClosed = nullptr;
            m_icAuswahl->close();
            m_icAuswahl->deleteLater();
            m_icAuswahl = nullptr;
        }
        return;
    }
    if (!m_icAuswahl) {
        m_icAuswahl = new frmICAuswahl(this);
        m_icAuswahl->setAttribute(Qt::WA_DeleteOnClose, false);
        // The stored place; showing the window moves it onto the main window's screen where it
        // no longer fits there.
        const WindowPlacement& p = gICAuswahlPlacement;
        if (p.Width > 0 && p.Height > 0) {
            m_icAuswahl->resize(p.Width, p.Height);
            m_icAuswahl->move(p.X, p.Y);
        }
        m_icAuswahl->onChoose = [this](const std::string& name) { ChooseICFromLibrary(name); };
        m_icAuswahl->onEdit = [this](const std::string& name) { EditICFromLibrary(name); };
        m_icAuswahl->onClosed = [this] { SetICAuswahlShown(false); };
    }
    if (!gPowerOn)
        m_icAuswahl->show();
}

void frmKardo::ICAuswahlForMode(bool editing) {
    if (!IsChecked("cmdICAuswahl") || !m_icAuswahl)
        return;
    m_icAuswahl->setVisible(editing);
}

void frmKardo::KeepICAuswahlPlacement() {
    if (!m_icAuswahl || !m_icAuswahl->isVisible())
        return;
    // The frame's corner, as the window is moved to it again.
    const QRect r(m_icAuswahl->pos(), m_icAuswahl->size());
    const auto clip = [](int v) { return static_cast<std::int16_t>(std::clamp(v, -32768, 32767)); };
    gICAuswahlPlacement =
        WindowPlacement{clip(r.x()), clip(r.y()), clip(r.width()), clip(r.height())};
}

void frmKardo::ChooseICFromLibrary(const std::string& name) {
    if (gPowerOn || !ToolPermitted(kTypeIC))
        return;
    MenueClick(25);
    auto* box = findChild<QComboBox*>("cmbIC");
    const int index = box->findText(Utf8(name));
    if (index < 0)
        return;
    box->setCurrentIndex(index);
    cmbIC_Click();
    ChangePropertyWindow(SectionFlags(kSecIC));
}

void frmKardo::EditICFromLibrary(const std::string& name) {
    if (gPowerOn || !AskToSaveChanges())
        return;
    LoadFile(ICDefinitionPath(name));
    RedrawAllElements(0);
    RefreshWorksheet();
}

} // namespace kardo
