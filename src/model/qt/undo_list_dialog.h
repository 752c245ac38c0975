// The undo list dialog "Annullierungsliste": lists the steps of the undo history newest first
// and takes back the newest ones down to the chosen step in one go.
#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QWidget;

namespace kardo {

class frmUndoList : public QDialog {
    Q_OBJECT

  public:
    explicit frmUndoList(QWidget* parent = nullptr);

    // Steps the undo button takes back, set by the last selection.
    int Count() const { return m_count; }

    // Event handlers, public so that the window's own signals and tests reach them alike.
    void lstUndo_MouseDown(int row);
    void cmdUndo_Click();
    void cmdAbbruch_Click();

  private:
    void FillList();

    QListWidget* m_lstUndo = nullptr;    // one line per step, newest first
    QLabel* m_lblUndo = nullptr;         // "n Schritte rückgängig machen"
    QPushButton* m_cmdUndo = nullptr;    // "&Undo"
    QPushButton* m_cmdAbbruch = nullptr; // "&Schließen"
    QWidget* m_picUndo = nullptr;        // progress panel, shown while undoing
    QLabel* m_lblFertig = nullptr;       // "n% fertig"
    int m_count = 0;                     // steps to take back
};

// Opens the dialog modally over owner; it is released when it closes.
void ShowUndoList(QWidget* owner);

} // namespace kardo
