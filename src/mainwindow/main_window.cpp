// Main window: worksheet frame, status bar and the host services of the core.
#include "mainwindow/main_window.h"

#include "mainwindow/worksheet_canvas.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QScrollArea>
#include <QStatusBar>

namespace kardo {

namespace {

QString ToQ(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// "Kreise (*.kdx)|*.kdx|Alle|*.*" -> "Kreise (*.kdx) (*.kdx);;Alle (*.*)"
QString ToQtFilter(const std::string& filter) {
    const QStringList parts = ToQ(filter).split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return out.join(";;");
}

Qt::CursorShape ToCursor(int code) {
    switch (code) {
    case kPointerCross: return Qt::CrossCursor;
    case kPointerHourglass: return Qt::WaitCursor;
    case kPointerArrowHourglass: return Qt::BusyCursor;
    case kPointerArrowQuestion: return Qt::WhatsThisCursor;
    default: return Qt::ArrowCursor;
    }
}

} // namespace

frmKardo::frmKardo(ImageTarget& picture, QWidget* parent)
    : QMainWindow(parent), m_picture(picture) {
    setObjectName("frmKardo");
    setWindowTitle(QStringLiteral("Neue Schaltung - Kardo"));

    m_container = new QScrollArea(this);
    m_container->setObjectName("picContainer");
    m_container->setBackgroundRole(QPalette::Dark);
    m_canvas = new WorksheetCanvas(m_picture, m_container);
    m_container->setWidget(m_canvas);
    setCentralWidget(m_container);

    for (int i = 1; i <= 2; ++i) {
        m_panel[i] = new QLabel(this);
        m_panel[i]->setObjectName(QString("StatusBar_%1").arg(i));
        statusBar()->addWidget(m_panel[i], i == 2 ? 1 : 0);
    }
    m_panel[1]->setMinimumWidth(110);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName("ProgressBar");
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setMaximumWidth(160);
    statusBar()->addPermanentWidget(m_progress);
    resize(1000, 700);
}

MsgResult frmKardo::MessageBox(std::string_view text, MsgButtons buttons, MsgIcon icon,
                               std::string_view title) {
    QMessageBox box(this);
    box.setWindowTitle(ToQ(title));
    box.setText(ToQ(text));
    switch (icon) {
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::None: break;
    }
    switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MsgButtons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Retry: return MsgResult::Retry;
    case QMessageBox::Cancel: return MsgResult::Cancel;
    default: return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
    }
}

std::optional<std::string> frmKardo::ShowOpenDialog(const FileDialogRequest& r) {
    const QString path = QFileDialog::getOpenFileName(
        this, ToQ(r.title), ToQ(r.initialFolder + r.fileName), ToQtFilter(r.filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> frmKardo::ShowSaveDialog(const FileDialogRequest& r) {
    const QString path = QFileDialog::getSaveFileName(
        this, ToQ(r.title), ToQ(r.initialFolder + r.fileName), ToQtFilter(r.filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

void frmKardo::SetStatusText(int panel, std::string_view text) {
    if (panel >= 1 && panel <= 2) m_panel[panel]->setText(ToQ(text));
}

void frmKardo::SetProgress(int value) { m_progress->setValue(std::clamp(value, 0, 100)); }

void frmKardo::SetMousePointer(int code) {
    m_pointer = code;
    m_canvas->setCursor(ToCursor(code));
}

QObject* frmKardo::FindControl(std::string_view name) const {
    if (name == "frmKardo") return const_cast<frmKardo*>(this);
    return findChild<QObject*>(ToQ(name));
}

void frmKardo::SetEnabled(std::string_view control, bool enabled) {
    QObject* o = FindControl(control);
    if (auto* a = qobject_cast<QAction*>(o)) a->setEnabled(enabled);
    else if (auto* w = qobject_cast<QWidget*>(o)) w->setEnabled(enabled);
    else m_states[std::string(control)].enabled = enabled;
}

bool frmKardo::IsEnabled(std::string_view control) const {
    QObject* o = FindControl(control);
    if (auto* a = qobject_cast<QAction*>(o)) return a->isEnabled();
    if (auto* w = qobject_cast<QWidget*>(o)) return w->isEnabled();
    auto it = m_states.find(control);
    return it == m_states.end() || it->second.enabled;
}

void frmKardo::SetCaption(std::string_view control, std::string_view text) {
    QObject* o = FindControl(control);
    if (o == this) setWindowTitle(ToQ(text));
    else if (auto* a = qobject_cast<QAction*>(o)) a->setText(ToQ(text));
    else if (auto* b = qobject_cast<QAbstractButton*>(o)) b->setText(ToQ(text));
    else if (auto* l = qobject_cast<QLabel*>(o)) l->setText(ToQ(text));
    else m_states[std::string(control)].caption = std::string(text);
}

std::string frmKardo::Caption(std::string_view control) const {
    QObject* o = FindControl(control);
    if (o == this) return windowTitle().toStdString();
    if (auto* a = qobject_cast<QAction*>(o)) return a->text().toStdString();
    if (auto* b = qobject_cast<QAbstractButton*>(o)) return b->text().toStdString();
    if (auto* l = qobject_cast<QLabel*>(o)) return l->text().toStdString();
    auto it = m_states.find(control);
    return it == m_states.end() ? std::string() : it->second.caption;
}

void frmKardo::SetChecked(std::string_view control, bool checked) {
    QObject* o = FindControl(control);
    if (auto* a = qobject_cast<QAction*>(o)) a->setChecked(checked);
    else if (auto* b = qobject_cast<QAbstractButton*>(o)) b->setChecked(checked);
    else m_states[std::string(control)].checked = checked;
}

bool frmKardo::IsChecked(std::string_view control) const {
    QObject* o = FindControl(control);
    if (auto* a = qobject_cast<QAction*>(o)) return a->isChecked();
    if (auto* b = qobject_cast<QAbstractButton*>(o)) return b->isChecked();
    auto it = m_states.find(control);
    return it != m_states.end() && it->second.checked;
}

void frmKardo::SetVisible(std::string_view control, bool visible) {
    QObject* o = FindControl(control);
    if (auto* a = qobject_cast<QAction*>(o)) a->setVisible(visible);
    else if (auto* w = qobject_cast<QWidget*>(o)) w->setVisible(visible);
    else m_states[std::string(control)].visible = visible;
}

bool frmKardo::IsVisible(std::string_view control) const {
    QObject* o = FindControl(control);
    if (auto* a = qobject_cast<QAction*>(o)) return a->isVisible();
    if (auto* w = qobject_cast<QWidget*>(o)) return !w->isHidden();
    auto it = m_states.find(control);
    return it == m_states.end() || it->second.visible;
}

// The panels these methods switch come with the window's menus and toolbars.
void frmKardo::ChangeGUI(bool) {}
void frmKardo::ChangePropertyWindow(const std::array<std::int16_t, 8>&) {}
void frmKardo::ChangeSelPicture(int) {}
void frmKardo::HideDecoder() {}
void frmKardo::ShowQuickHelp(std::string_view) {}

void frmKardo::RefreshWorksheet() {
    if (m_canvas->size() != QSize(m_picture.Width(), m_picture.Height())) m_canvas->SyncSize();
    m_canvas->update();
}

} // namespace kardo
