// The Boolean-algebra window frmBoolean, modeless and owned by the main window. Its tab control
// SSTab1 holds the circuit synthesis (tab 0), the truth table of a term (tab 1, captioned
// "  Wertetabelle") and the creation of a term from a hand-filled table (tab 2,
// "Termerstellung"); cmdErstellen, cmdTabelle and cmdTerm start them.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableView;

namespace kardo {

class TruthTableModel;

class frmBoolean : public QDialog {
    Q_OBJECT
  public:
    // The menu entries and toolbar keys that open the window.
    enum class Entry { Synthese, Wertetabelle, Termerstellung };

    explicit frmBoolean(QWidget* owner);

    // Makes the entry's tab current (tab 0; every tab captioned "  Wertetabelle"; every tab
    // captioned "Termerstellung"), sets the window caption and that tab's default button.
    void SelectEntry(Entry entry);

    // The actions of the three buttons.
    void cmdErstellen_Click();
    void cmdTabelle_Click();
    void cmdTerm_Click();

  private:
    QWidget* BuildSynthesisTab();
    QWidget* BuildTableTab();
    QWidget* BuildCreationTab();
    // The caption and the default button follow the current tab.
    void TabChanged(int index);
    void CreationVariablesChanged(int n);
    // Puts the caret of a term box at a 1-based error position and the focus into it.
    static void ShowErrorPosition(QLineEdit* box, int position);

    QTabWidget* m_tabs = nullptr;               // SSTab1
    QLineEdit* m_synthesisTerm = nullptr;       // txtSyntheseTerm
    QPushButton* m_erstellen = nullptr;         // cmdErstellen
    QLineEdit* m_tableTerm = nullptr;           // txtTabellenTerm
    QPushButton* m_tabelle = nullptr;           // cmdTabelle
    QTableView* m_table = nullptr;              // grdWertetabelle
    TruthTableModel* m_tableModel = nullptr;    // its rows
    QSpinBox* m_creationCount = nullptr;        // updVariablen, 1..6
    QTableView* m_creation = nullptr;           // grdTermerstellung
    TruthTableModel* m_creationModel = nullptr; // its rows, results toggled by the user
    QLineEdit* m_createdTerm = nullptr;         // txtErstellterTerm
    QPushButton* m_term = nullptr;              // cmdTerm
};

} // namespace kardo
