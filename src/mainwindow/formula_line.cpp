// Main window: the formula input line cmbFormel with its mode key cmdFormel (formula mode: keys
// mapped to the term syntax, Enter synthesises the term; console mode: Enter runs a console
// word), and the Boolean-algebra window. The line's place, showing and closing are the window
// layout's.
#include "boolean/formula_line.h"

#include "app/permissions.h"
#include "boolean/qt/frm_boolean.h"
#include "mainwindow/main_window.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace kardo {

namespace {

// Hands the key presses of the formula line to the window. The keyboard focus rests on the
// combo box, which passes typed keys to its line edit directly, past the line edit's filters: the
// filter watches both.
class FormelKeyFilter : public QObject {
  public:
    FormelKeyFilter(frmKardo& window, QObject* parent) : QObject(parent), m_window(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            return m_window.cmbFormel_KeyPress(*static_cast<QKeyEvent*>(event));
        return QObject::eventFilter(watched, event);
    }

  private:
    frmKardo& m_window;
};

// Formula mode shows as a pressed key, console mode as a released one; the style's own pressed
// look is hard to tell from a released key.
constexpr const char* kModeKeyLook =
    "QPushButton { border: 1px solid #8c8c8c; border-radius: 3px; padding: 3px 10px;"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfdfd, stop:1 #e2e2e2); }"
    "QPushButton:checked { border: 1px solid #4a4a4a; padding: 4px 9px 2px 11px;"
    " background: #b0b0b0; }";

// The menu entry whose state decides whether a console word may run; nullptr for words that
// depend on none.
const char* ConsoleEntry(ConsoleWord word) {
    switch (word) {
    case ConsoleWord::Info:
        return "mInfo";
    case ConsoleWord::Save:
        return "mSaveAs";
    case ConsoleWord::Open:
        return "mOpen";
    default:
        return nullptr;
    }
}

} // namespace

QComboBox* frmKardo::FormelBox() const { return findChild<QComboBox*>("cmbFormel"); }

void frmKardo::ConnectFormelLine() {
    QComboBox* box = FormelBox();
    // The list grows by one entry per synthesised term, not by the box's own insert on Enter.
    box->setInsertPolicy(QComboBox::NoInsert);
    auto* keys = new FormelKeyFilter(*this, box);
    box->installEventFilter(keys);
    box->lineEdit()->installEventFilter(keys);
    auto* mode = findChild<QPushButton*>("cmdFormel");
    mode->setCheckable(true);
    // The key keeps the size the style gave it; only its look changes.
    const QSize size = mode->sizeHint();
    mode->setStyleSheet(kModeKeyLook);
    mode->setFixedSize(size);
    mode->setChecked(true); // formula mode at start
}

bool frmKardo::cmbFormel_KeyPress(QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        cmbFormel_Enter();
        return true;
    }
    if (!IsChecked("cmdFormel"))
        return false;
    const QString text = event.text();
    if (text.size() != 1)
        return false;
    const char32_t key = text.at(0).unicode();
    const char32_t mapped = MapFormulaKey(key);
    if (mapped == key)
        return false;
    FormelBox()->lineEdit()->insert(QString(QChar(static_cast<char16_t>(mapped))));
    return true;
}

void frmKardo::cmbFormel_Enter() {
    QComboBox* box = FormelBox();
    const std::string text = box->currentText().toStdString();
    if (IsChecked("cmdFormel")) {
        if (text == kConsoleSwitchText) {
            SetChecked("cmdFormel", false);
            box->setFocus();
            return;
        }
        CreateFileCommand(text);
    } else {
        RunConsoleWord(text);
    }
    box->setFocus();
}

void frmKardo::CreateFileCommand(const std::string& text) {
    if (!gFunktionRechte[kRechtEingabezeile])
        return;
    QComboBox* box = FormelBox();
    const CreateFileResult r = CreateFile(text);
    if (r.created) {
        box->addItem(QString::fromStdString(text));
        RefreshWorksheet();
    } else if (r.errorPosition > 0) {
        box->lineEdit()->setCursorPosition(
            std::min(r.errorPosition - 1, static_cast<int>(box->currentText().size())));
    }
}

void frmKardo::RunConsoleWord(const std::string& text) {
    if (!gFunktionRechte[kRechtEingabezeile])
        return;
    const ConsoleWord word = ParseConsoleWord(text);
    if (const char* entry = ConsoleEntry(word); entry != nullptr && !IsEnabled(entry)) {
        SetStatusText(2, "Diese Funktion ist im Moment nicht verfügbar.");
        return;
    }
    switch (word) {
    case ConsoleWord::Info:
        InfoCommand();
        break;
    case ConsoleWord::Save:
        SaveCircuitAs();
        break;
    case ConsoleWord::Open:
        OpenCircuit();
        break;
    case ConsoleWord::Clear: {
        // Only the list: the text being typed stays.
        QComboBox* box = FormelBox();
        const QString typed = box->currentText();
        box->clear();
        box->setEditText(typed);
        break;
    }
    case ConsoleWord::TimeLabel:
        SetVisible("lblTime", !IsVisible("lblTime"));
        break;
    case ConsoleWord::None:
        break;
    }
}

void frmKardo::BooleanCommand(int entry) {
    if (!gFunktionRechte[kRechtBoolesche])
        return;
    if (!m_boolean)
        m_boolean = new frmBoolean(this);
    m_boolean->SelectEntry(static_cast<frmBoolean::Entry>(entry));
    m_boolean->show();
    m_boolean->raise();
    m_boolean->activateWindow();
}

} // namespace kardo
