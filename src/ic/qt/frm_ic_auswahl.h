// The IC library window frmICAuswahl: the ICs of the IC folder with their notes (lvwICs), the
// details of the selected one (preview, size, notes) and the tree of the ICs nested in it
// (tvwSchachtelung) with the missing ones under "ICs nicht gefunden:". Choosing an IC chooses it
// for placing; "Bearbeiten" opens its definition.
#pragma once

#include <functional>
#include <string>

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace kardo {

class frmICAuswahl : public QWidget {
    Q_OBJECT
  public:
    explicit frmICAuswahl(QWidget* owner);
    // Refills the list from the IC folder, keeping the selected IC when it is still there.
    void ShowICNames();
    // Shows the details and the nesting tree of the selected IC.
    void ShowICDetails();
    // Selects entry index (0-based, the position in cmbIC), scrolls to it and shows its details.
    void SelectIC(int index);
    // Name of the selected IC; "" when none.
    std::string SelectedIC() const;

    std::function<void(const std::string&)> onChoose; // an IC chosen for placing
    std::function<void(const std::string&)> onEdit;   // an IC's definition to be opened
    std::function<void()> onClosed;                   // the window was closed by the user

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QTreeWidget* m_list = nullptr;     // lvwICs
    QLabel* m_preview = nullptr;       // picVorschau
    QLabel* m_size = nullptr;          // lblGroesse
    QLabel* m_problem = nullptr;       // lblFehler
    QPlainTextEdit* m_notes = nullptr; // txtNotizen
    QTreeWidget* m_nesting = nullptr;  // tvwSchachtelung
    QPushButton* m_choose = nullptr;   // cmdAuswaehlen
    QPushButton* m_edit = nullptr;     // cmdBearbeiten
};

} // namespace kardo
