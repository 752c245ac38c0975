// The handlers of the property panel and the sheet-size panel that are more than a line: the
// size boxes txtX and txtY with their spin keys, the preview picICVorschau and the notes box
// txtNotizen of the IC section with the key cmdChange between them, and the whole-text selection
// of the number boxes.
#pragma once

#include <QObject>
#include <QSpinBox>
#include <QString>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kardo {

class frmKardo;

// Up and down keys without a value of their own (the old UpDown control next to a text box):
// each click reports its direction and leaves the box to the handler.
class UpDownKeys : public QSpinBox {
    Q_OBJECT
  public:
    explicit UpDownKeys(QWidget* parent);
    void stepBy(int steps) override;

  signals:
    void UpClick();
    void DownClick();

  protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};

class PropertyPanel : public QObject {
    Q_OBJECT
  public:
    // Connects the controls of the window's panels; owned by the window.
    explicit PropertyPanel(frmKardo& window);

    // Enter in a size box (or a spin key): the box held to 10..200, then the sheet resized to
    // both boxes. horizontal: txtX, else txtY.
    void SizeBoxEntered(bool horizontal);
    // A spin key: the box's value plus or minus 5, then as Enter.
    void SizeSpin(bool horizontal, int direction);
    // The size boxes show the sheet's size unless one is being edited.
    void SyncSizeBoxes();
    // The notes box lost the focus: its text goes into the chosen IC's file.
    void NotesLeft();
    // cmdChange: the preview gives way to the notes ("Notizen:") or the notes to the preview
    // ("Vorschau:").
    void cmdChange_Toggle();
    // The preview and the notes show the IC of the IC list; the preview stays empty without an
    // IC and for a faulty one (lblICFehler shown).
    void ShowICPreview();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* Box(bool horizontal) const { return horizontal ? m_txtX : m_txtY; }

    frmKardo& m_window;
    QLineEdit* m_txtX = nullptr;       // sheet width
    QLineEdit* m_txtY = nullptr;       // sheet height
    QPlainTextEdit* m_notes = nullptr; // txtNotizen
    QLabel* m_preview = nullptr;       // picICVorschau
    QLabel* m_title = nullptr;         // lblVorschau: "Vorschau:" or "Notizen:"
    QPushButton* m_change = nullptr;   // cmdChange
    QString m_notesPath;               // IC file the notes belong to, set when they change
};

} // namespace kardo
