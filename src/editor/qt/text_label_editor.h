// The line edit txtBeschriftung over the worksheet picture: it shows the label editor state
// gTxtBeschriftung (place, size, font, maximum length) and reports its keys, its text and its
// focus loss to the editor. While it is open, a press anywhere else in the program or a
// shortcut accepts the text first, so every command acts on the sheet with the label in it.
#pragma once

#include <cstdint>
#include <functional>

#include <QLineEdit>
#include <QPoint>

namespace kardo {

class TextLabelEditor : public QLineEdit {
    Q_OBJECT
  public:
    // Maps a pixel of the worksheet picture to the parent's coordinates.
    using PictureMapping = std::function<QPoint(QPoint)>;

    TextLabelEditor(QWidget* picture, PictureMapping mapping);
    ~TextLabelEditor() override;

    // Shows, places, sizes and hides the box as gTxtBeschriftung says; a new opening also sets
    // its text and selection and gives it the focus.
    void SyncFromState();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Hands the box's text and selection to the editor state.
    void PushState();
    // Accepts the text as a focus loss does.
    void Accept();
    // With the text tool, a press on the worksheet finds the editor still open, so that it makes
    // no second one there: the text is accepted once the press has been handled.
    bool PressOnSheetWithTextTool(const QWidget* target) const;
    void AcceptAfterPress();
    void Watch(bool on);

    PictureMapping m_mapping;     // picture pixels to parent coordinates
    std::uint32_t m_openings = 0; // gTxtBeschriftung.Openings last shown
    bool m_watching = false;      // the application event filter is installed
};

} // namespace kardo
