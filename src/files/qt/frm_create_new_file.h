// The new-worksheet dialog frmCreateNewFile ("Neue Schaltung erstellen"): the user picks a
// preset size or types one, and "&Erstellen" starts an empty sheet of that size.
#pragma once

#include <array>

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kardo {

class frmCreateNewFile : public QDialog {
    Q_OBJECT
  public:
    explicit frmCreateNewFile(QWidget* parent = nullptr);

    // The option chosen, 0..3 (preset 1..4).
    int Option() const { return m_option; }

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void ChooseOption(int option);
    void OnWidthEdited(const QString& text);
    void OnHeightEdited(const QString& text);
    void Create();
    // Each time the dialog becomes active the default option is chosen again and the focus goes
    // to "&Erstellen".
    void Activated();

    std::array<QRadioButton*, 4> m_options{}; // Option1_0 .. Option1_3
    QLabel* m_lblX = nullptr;                 // "X:"
    QLabel* m_lblY = nullptr;                 // "Y:"
    QLineEdit* m_txtX = nullptr;              // width in cells
    QLineEdit* m_txtY = nullptr;              // height in cells
    QPushButton* m_cmdWeiter = nullptr;       // "&Erstellen"
    QPushButton* m_cmdAbbrechen = nullptr;    // "&Abbrechen"
    int m_option = 1;                         // chosen option 0..3
    bool m_correcting = false;                // a box is being corrected: no new correction
};

// Shows the dialog modally over parent; "&Erstellen" creates the new sheet.
void ShowCreateNewFileDialog(QWidget* parent);

} // namespace kardo
