// Main window: construction, window events and the host services of the core (message boxes,
// file dialogs, status bar, pointer, and the state of controls by object name).
#include "mainwindow/main_window.h"

#include "app/control_rules.h"
#include "app/main_state.h"
#include "editor/qt/text_label_editor.h"
#include "mainwindow/clock_delay_panels.h"
#include "mainwindow/worksheet_canvas.h"
#include "simulation/power.h"
#include "simulation/qt/analyser_windows.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

namespace kardo {

namespace {

QString ToQ(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Message texts break lines with carriage return, carriage return and line feed, or line feed.
QString MessageText(std::string_view s) {
    QString text = ToQ(s);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    return text;
}

// "Kreise (*.kdx)|*.kdx|Alle|*.*" -> "Kreise (*.kdx) (*.kdx);;Alle (*.*)": Qt takes the
// patterns from the trailing parentheses; the dialogs show the captions only (kFilterCaptions).
QString ToQtFilter(const std::string& filter) {
    const QStringList parts = ToQ(filter).split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return out.join(";;");
}

// The file dialogs list each filter by its caption, which names its pattern already.
constexpr QFileDialog::Options kFilterCaptions = QFileDialog::HideNameFilterDetails;

// The object whose enabled and visible state a control name means: a menu by its entry in the
// menu bar.
QObject* StateObject(QObject* o) {
    if (auto* m = qobject_cast<QMenu*>(o))
        return m->menuAction();
    return o;
}

} // namespace

frmKardo::frmKardo(ImageTarget& picture, QWidget* parent)
    : QMainWindow(parent), m_picture(picture) {
    setObjectName("frmKardo");
    setWindowTitle(QStringLiteral("Neue Schaltung - Kardo"));
    BuildMenus();
    BuildToolbars();
    BuildPanels();
    m_analyser = new AnalyserWindows(this, *this);
    ConnectFormelLine();
    // The clock keys, time sliders, pulse box and the step-delay controls act through the
    // simulation's handlers; Enter in their boxes gives the focus back to the worksheet.
    ConnectClockDelayPanels(this, [this] { m_canvas->setFocus(); });

    // Functions whose windows come with later parts of the program. The clipboard keys have
    // no function.
    for (const char* name : {"cmdCut", "cmdCopy", "cmdPaste"})
        SetBuilt(name, false);

    m_dialogs.owner = this;
    m_dialogs.pickFolder = [this](std::string_view title, std::string_view start) {
        const QString folder = QFileDialog::getExistingDirectory(this, ToQ(title), ToQ(start));
        return folder.isEmpty() ? std::nullopt : std::optional<std::string>(folder.toStdString());
    };
    m_dialogs.applyPermissions = [this] {
        ApplyBauteilRechte();
        ApplyFunktionRechte();
    };
    BuildQuickHelpPanel();
    ConnectICWindows();

    for (int i = 1; i <= 2; ++i) {
        m_status[i] = new QLabel(this);
        m_status[i]->setObjectName(QString("StatusBar_%1").arg(i));
        statusBar()->addWidget(m_status[i], i == 2 ? 1 : 0);
    }
    statusBar()->setObjectName("StatusBar");
    m_status[1]->setMinimumWidth(110);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName("ProgressBar");
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    // The bar alone shows the progress of a full redraw.
    m_progress->setTextVisible(false);
    m_progress->setMaximumWidth(160);
    statusBar()->addPermanentWidget(m_progress);
    resize(1100, 760);
    m_controlTable.Build();
}

frmKardo::~frmKardo() = default;

void frmKardo::SetDialogStandIns(MessageBoxFn messageBox, FileDialogFn openDialog,
                                 FileDialogFn saveDialog) {
    m_messageBox = std::move(messageBox);
    m_openDialog = std::move(openDialog);
    m_saveDialog = std::move(saveDialog);
}

MsgResult frmKardo::MessageBox(std::string_view text, MsgButtons buttons, MsgIcon icon,
                               std::string_view title) {
    if (m_messageBox)
        return m_messageBox(text, buttons, icon, title);
    QMessageBox box(this);
    box.setWindowTitle(ToQ(title));
    box.setText(MessageText(text));
    switch (icon) {
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::None:
        break;
    }
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MsgButtons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        break;
    }
    // German captions also where Qt's own translation is not installed.
    for (const auto& [which, caption] :
         {std::pair{QMessageBox::Ok, "OK"}, std::pair{QMessageBox::Cancel, "Abbrechen"},
          std::pair{QMessageBox::Yes, "&Ja"}, std::pair{QMessageBox::No, "&Nein"},
          std::pair{QMessageBox::Retry, "&Wiederholen"}}) {
        if (QAbstractButton* b = box.button(which))
            b->setText(QString::fromUtf8(caption));
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    case QMessageBox::Retry:
        return MsgResult::Retry;
    case QMessageBox::Cancel:
        return MsgResult::Cancel;
    default:
        return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
    }
}

std::optional<std::string> frmKardo::ShowOpenDialog(const FileDialogRequest& r) {
    if (m_openDialog)
        return m_openDialog(r);
    const QString path =
        QFileDialog::getOpenFileName(this, ToQ(r.title), ToQ(r.initialFolder + r.fileName),
                                     ToQtFilter(r.filter), nullptr, kFilterCaptions);
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> frmKardo::ShowSaveDialog(const FileDialogRequest& r) {
    if (m_saveDialog)
        return m_saveDialog(r);
    const QString path =
        QFileDialog::getSaveFileName(this, ToQ(r.title), ToQ(r.initialFolder + r.fileName),
                                     ToQtFilter(r.filter), nullptr, kFilterCaptions);
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

void frmKardo::SetStatusText(int panel, std::string_view text) {
    if (panel >= 1 && panel <= 2)
        m_status[panel]->setText(ToQ(text));
}

void frmKardo::SetProgress(int value) { m_progress->setValue(std::clamp(value, 0, 100)); }

void frmKardo::SetMousePointer(int code) {
    m_pointer = code;
    m_canvas->ApplyPointer(code);
}

QObject* frmKardo::FindControl(std::string_view name) const { return m_controlTable.Find(name); }

// A control whose function is not built yet carries the property "kardoUnbuilt".
bool frmKardo::IsBuilt(std::string_view control) const {
    if (QObject* o = FindControl(control))
        return !o->property("kardoUnbuilt").toBool();
    return m_unbuilt.find(control) == m_unbuilt.end();
}

void frmKardo::SetBuilt(std::string_view control, bool built) {
    if (QObject* o = FindControl(control)) {
        o->setProperty("kardoUnbuilt", !built);
    } else if (built) {
        const auto it = m_unbuilt.find(control);
        if (it != m_unbuilt.end())
            m_unbuilt.erase(it);
    } else {
        m_unbuilt.emplace(control);
    }
    if (!built)
        SetEnabled(control, false);
}

// The rules go by the control's own name: a key addressed by its toolbar position
// ("Toolbar_4") is the key it is ("cmdPrint").
bool frmKardo::MayEnableControl(std::string_view control) const {
    if (!IsBuilt(control))
        return false;
    QObject* o = FindControl(control);
    if (o == nullptr || o == this || QAnyStringView::equal(o->objectName(), control))
        return MayEnable(control);
    return MayEnable(o->objectName().toStdString());
}

void frmKardo::SetEnabled(std::string_view control, bool enabled) {
    if (enabled && !MayEnableControl(control))
        enabled = false;
    QObject* o = StateObject(FindControl(control));
    // A control is touched only when its state changes (the simulation sets the run keys at the
    // end of every run).
    if (auto* a = qobject_cast<QAction*>(o)) {
        if (a->isEnabled() == enabled)
            return;
        a->setEnabled(enabled);
    } else if (auto* w = qobject_cast<QWidget*>(o)) {
        // Explicitly disabled or not, as setEnabled leaves it; a widget disabled only with its
        // parent counts as enabled here, as setEnabled(true) would change nothing either.
        if (w->testAttribute(Qt::WA_ForceDisabled) != enabled)
            return;
        w->setEnabled(enabled);
    } else {
        ControlState& state = m_states[std::string(control)];
        if (state.enabled == enabled)
            return;
        state.enabled = enabled;
    }
    ++m_controlStamp;
}

bool frmKardo::IsEnabled(std::string_view control) const {
    QObject* o = StateObject(FindControl(control));
    if (auto* a = qobject_cast<QAction*>(o))
        return a->isEnabled();
    if (auto* w = qobject_cast<QWidget*>(o))
        return w->isEnabled();
    auto it = m_states.find(control);
    return it == m_states.end() || it->second.enabled;
}

namespace {

// Whether a control's text is text (UTF-8); ASCII, as nearly every caption is, is compared
// without converting it.
bool SameText(const QString& now, std::string_view text) {
    if (!std::all_of(text.begin(), text.end(), [](char ch) { return (ch & 0x80) == 0; }))
        return now == ToQ(text);
    if (now.size() != static_cast<qsizetype>(text.size()))
        return false;
    return std::equal(text.begin(), text.end(), now.cbegin(),
                      [](char ch, QChar q) { return q.unicode() == static_cast<char16_t>(ch); });
}

} // namespace

void frmKardo::SetCaption(std::string_view control, std::string_view text) {
    QObject* o = FindControl(control);
    // Set only when the text changes.
    const auto set = [&](const QString& now, auto&& apply) {
        if (SameText(now, text))
            return;
        apply(ToQ(text));
        ++m_controlStamp;
    };
    // The kinds exclude one another; labels first: every click on the worksheet sets the
    // selection count's.
    if (o == this)
        set(windowTitle(), [&](const QString& t) { setWindowTitle(t); });
    else if (auto* l = qobject_cast<QLabel*>(o))
        set(l->text(), [&](const QString& t) { l->setText(t); });
    else if (auto* m = qobject_cast<QMenu*>(o))
        set(m->title(), [&](const QString& t) { m->setTitle(t); });
    else if (auto* a = qobject_cast<QAction*>(o))
        set(a->text(), [&](const QString& t) { a->setText(t); });
    else if (auto* b = qobject_cast<QAbstractButton*>(o))
        set(b->text(), [&](const QString& t) { b->setText(t); });
    else if (auto* e = qobject_cast<QLineEdit*>(o))
        set(e->text(), [&](const QString& t) { e->setText(t); });
    else if (auto* c = qobject_cast<QComboBox*>(o))
        set(c->currentText(), [&](const QString& t) { c->setCurrentText(t); });
    else if (auto* g = qobject_cast<QGroupBox*>(o))
        set(g->title(), [&](const QString& t) { g->setTitle(t); });
    else {
        ControlState& state = m_states[std::string(control)];
        if (state.caption == text)
            return;
        state.caption = std::string(text);
        ++m_controlStamp;
    }
}

std::string frmKardo::Caption(std::string_view control) const {
    QObject* o = FindControl(control);
    if (o == this)
        return windowTitle().toStdString();
    if (auto* m = qobject_cast<QMenu*>(o))
        return m->title().toStdString();
    if (auto* a = qobject_cast<QAction*>(o))
        return a->text().toStdString();
    if (auto* b = qobject_cast<QAbstractButton*>(o))
        return b->text().toStdString();
    if (auto* l = qobject_cast<QLabel*>(o))
        return l->text().toStdString();
    if (auto* e = qobject_cast<QLineEdit*>(o))
        return e->text().toStdString();
    if (auto* c = qobject_cast<QComboBox*>(o))
        return c->currentText().toStdString();
    if (auto* g = qobject_cast<QGroupBox*>(o))
        return g->title().toStdString();
    auto it = m_states.find(control);
    return it == m_states.end() ? std::string() : it->second.caption;
}

void frmKardo::SetChecked(std::string_view control, bool checked) {
    QObject* o = FindControl(control);
    if (auto* a = qobject_cast<QAction*>(o)) {
        if (a->isChecked() == checked)
            return;
        a->setChecked(checked);
    } else if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        if (b->isChecked() == checked)
            return;
        b->setChecked(checked);
    } else {
        ControlState& state = m_states[std::string(control)];
        if (state.checked == checked)
            return;
        state.checked = checked;
    }
    ++m_controlStamp;
}

bool frmKardo::IsChecked(std::string_view control) const {
    QObject* o = FindControl(control);
    if (auto* a = qobject_cast<QAction*>(o))
        return a->isChecked();
    if (auto* b = qobject_cast<QAbstractButton*>(o))
        return b->isChecked();
    auto it = m_states.find(control);
    return it != m_states.end() && it->second.checked;
}

void frmKardo::SetVisible(std::string_view control, bool visible) {
    QObject* o = StateObject(FindControl(control));
    if (auto* a = qobject_cast<QAction*>(o)) {
        if (a->isVisible() == visible)
            return;
        a->setVisible(visible);
    } else if (auto* w = qobject_cast<QWidget*>(o)) {
        // As setVisible itself: a widget shown or hidden before stays as it is.
        if (w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->isHidden() != visible)
            return;
        w->setVisible(visible);
    } else {
        ControlState& state = m_states[std::string(control)];
        if (state.visible == visible)
            return;
        state.visible = visible;
    }
    ++m_controlStamp;
}

bool frmKardo::IsVisible(std::string_view control) const {
    QObject* o = StateObject(FindControl(control));
    if (auto* a = qobject_cast<QAction*>(o))
        return a->isVisible();
    if (auto* w = qobject_cast<QWidget*>(o))
        return !w->isHidden();
    auto it = m_states.find(control);
    return it == m_states.end() || it->second.visible;
}

void frmKardo::PopupMenu(std::string_view menu) {
    if (auto* m = qobject_cast<QMenu*>(FindControl(menu)))
        m->popup(QCursor::pos());
}

void frmKardo::RefreshWorksheet() { m_canvas->update(); }

void frmKardo::TextEditorChanged() { m_canvas->TextEditor()->SyncFromState(); }
void frmKardo::RefreshAnalysisList() { m_analyser->RefreshAnalysisList(); }
void frmKardo::AddGraph(int nr) { m_analyser->AddGraph(nr); }
void frmKardo::RemoveGraph(int nr) { m_analyser->RemoveGraph(nr); }
void frmKardo::ClearGraphs() { m_analyser->ClearGraphs(); }
void frmKardo::AnalysisChanged() { m_analyser->AnalysisChanged(); }

void frmKardo::closeEvent(QCloseEvent* event) {
    if (m_closing || Form_QueryUnload()) {
        m_closing = true;
        // Windows left open beside the main window would keep the program running.
        m_analyser->HideWithOwner();
        event->accept();
        // The close may come while a run or a switch-on lets the window's events through; they
        // lie on the stack below and never return to the event loop on their own with a step
        // delay. Ending the power ends them, so the event loop is reached and ends the program.
        PowerOffForExit();
    } else {
        event->ignore();
    }
}

void frmKardo::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmKardo::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_closing)
        return;
    // The first layout pass; the first activation follows.
    if (gAktiviert == 0)
        gAktiviert = 255;
    if (gAktiviert != 1)
        Form_Activate();
}

} // namespace kardo
