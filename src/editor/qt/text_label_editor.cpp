// The label editor's line edit: follows the editor state, filters what it takes, reports keys
// and the loss of the focus.
#include "editor/qt/text_label_editor.h"

#include "editor/text_labels.h"
#include "model/codes.h"
#include "model/utilities.h"
#include "platform/qt/image_target.h"

#include <cmath>

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

namespace kardo {

namespace {

constexpr int kEnter = 13;
constexpr int kBackspace = 8;
constexpr int kEscape = 27;
// QLineEdit's own limit, which stands for "unlimited".
constexpr int kUnlimited = 32767;

int Round(double v) { return static_cast<int>(std::lround(v)); }

// Pasted text loses what a label does not take: line breaks, tabs, other control characters
// and characters the files cannot hold.
class LabelTextValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        QString kept;
        int keptPos = 0;
        int at = 0;
        for (const char32_t c : input.toUcs4()) {
            const int units = c > 0xFFFF ? 2 : 1;
            if (LabelCharacterAllowed(c)) {
                kept.append(QString::fromUcs4(&c, 1));
                if (at < pos)
                    keptPos += units;
            }
            at += units;
        }
        if (kept != input) {
            input = kept;
            pos = keptPos;
        }
        return Acceptable;
    }
};

// The key code the label editor is given for a key, or -1 for a key that types nothing
// (arrows, Delete, shortcuts), which the box handles itself.
int TypedCode(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Backspace:
        return kBackspace;
    case Qt::Key_Escape:
        return kEscape;
    default:
        break;
    }
    const QList<uint> text = event->text().toUcs4();
    if (text.isEmpty() || text.front() < 0x20 || text.front() == 0x7F)
        return -1;
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return -1;
    return static_cast<int>(text.front());
}

} // namespace

TextLabelEditor::TextLabelEditor(QWidget* picture, PictureMapping mapping)
    : QLineEdit(picture), m_mapping(std::move(mapping)) {
    setObjectName(QString::fromUtf8("txtBeschriftung"));
    setValidator(new LabelTextValidator(this));
    // Its own menu would take the focus to a popup; copy and paste keys still work.
    setContextMenuPolicy(Qt::NoContextMenu);
    setStyleSheet("QLineEdit { border: 1px solid #808080; padding: 0px; background: white; }");
    setTextMargins(0, 0, 0, 0);
    hide();
}

TextLabelEditor::~TextLabelEditor() { Watch(false); }

void TextLabelEditor::Watch(bool on) {
    if (on == m_watching || qApp == nullptr)
        return;
    m_watching = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

void TextLabelEditor::SyncFromState() {
    const LabelEditBox& box = gTxtBeschriftung;
    if (!box.Visible) {
        Watch(false);
        if (isVisible()) {
            // The keyboard goes back to the worksheet the label was written on; hidden with the
            // focus, the box would pass it on along the window's tab chain to a panel's key.
            if (hasFocus() && parentWidget() != nullptr)
                parentWidget()->setFocus(Qt::OtherFocusReason);
            hide();
        }
        return;
    }
    // The font of the drawn labels; the picture is drawn at 96 dots per inch.
    QFont f(MapFontFamily("MS Sans Serif"));
    const double dpi = logicalDpiY() > 0 ? logicalDpiY() : kScreenDpi;
    f.setPointSizeF(std::max(1.0, box.FontSize * kScreenDpi / dpi));
    if (f != font())
        setFont(f);
    const int limit = box.MaxLength > 0 ? box.MaxLength : kUnlimited;
    const bool opening = box.Openings != m_openings;
    if (opening) {
        m_openings = box.Openings;
        setMaxLength(limit);
        setText(QString::fromUtf8(box.Text.data(), static_cast<qsizetype>(box.Text.size())));
        if (box.SelLength > 0)
            selectAll();
        else
            end(false);
    } else if (limit != maxLength()) {
        // A new maximum sets the text again, which would lose the cursor and the selection.
        const int cursor = cursorPosition();
        const int selStart = selectionStart();
        const int selLength = static_cast<int>(selectedText().size());
        setMaxLength(limit);
        if (selStart >= 0)
            setSelection(selStart, selLength);
        else
            setCursorPosition(cursor);
    }
    const QPoint topLeft = m_mapping(QPoint(Round(box.Left), Round(box.Top)));
    setGeometry(topLeft.x(), topLeft.y(), std::max(1, Round(box.Width)),
                std::max(1, Round(box.Height)));
    if (!isVisible()) {
        show();
        raise();
    }
    Watch(true);
    if (opening)
        setFocus(Qt::OtherFocusReason);
}

void TextLabelEditor::PushState() {
    LabelEditBox& box = gTxtBeschriftung;
    const QByteArray utf8 = text().toUtf8();
    box.Text.assign(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    box.SelLength = static_cast<int>(selectedText().toUcs4().size());
}

void TextLabelEditor::Accept() {
    if (!gTxtBeschriftung.Visible)
        return;
    PushState();
    txtBeschriftung_LostFocus();
    SyncFromState();
}

void TextLabelEditor::keyPressEvent(QKeyEvent* event) {
    int code = TypedCode(event);
    if (code >= 0 && gTxtBeschriftung.Visible) {
        PushState();
        txtBeschriftung_KeyPress(code);
        SyncFromState();
        // A refused key, Enter and Escape end here; Escape with a selection does nothing more.
        if (code == 0 || code == kEscape || !gTxtBeschriftung.Visible) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
    PushState();
}

bool TextLabelEditor::PressOnSheetWithTextTool(const QWidget* target) const {
    return gMouseMode == kTypeText && target != nullptr && target == parentWidget();
}

void TextLabelEditor::AcceptAfterPress() {
    QMetaObject::invokeMethod(
        this, [this] { Accept(); }, Qt::QueuedConnection);
}

void TextLabelEditor::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Another window or a menu taking the focus leaves the edit open; the press or shortcut
    // that chose a command has accepted it already.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    // The focus moves before the press reaches the widget that takes it.
    if (event->reason() == Qt::MouseFocusReason &&
        PressOnSheetWithTextTool(QApplication::focusWidget())) {
        AcceptAfterPress();
        return;
    }
    Accept();
}

bool TextLabelEditor::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type t = event->type();
    if (t == QEvent::MouseButtonPress || t == QEvent::MouseButtonDblClick) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (PressOnSheetWithTextTool(w))
            AcceptAfterPress();
        else if (w != nullptr && w != this && !isAncestorOf(w))
            Accept();
    } else if (t == QEvent::Shortcut) {
        Accept();
    }
    return QLineEdit::eventFilter(watched, event);
}

} // namespace kardo
