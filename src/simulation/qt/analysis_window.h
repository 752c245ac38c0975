// The table window frmAnalyse "Analysepunkte": the analysis table lvwAnalyse with one column per
// analysis point and one row per recorded event, and the button cmdLöschen that empties the
// record.
#pragma once

#include "simulation/qt/analysis_table_view.h"

#include <functional>

#include <QWidget>

class QPushButton;

namespace kardo {

class frmAnalyse : public QWidget {
    Q_OBJECT
  public:
    explicit frmAnalyse(QWidget* owner);

    // Rebuilds the columns from the circuit and empties the rows, then fits the list.
    void PrepareListView();
    // Fits the list to the window.
    void ResizeListView();
    // Takes up the rows recorded since the last call and shows the newest one.
    void ShowRecorded();
    // Empties the rows and every trace; the columns stay.
    void cmdLoeschen_Click();

    AnalysisTableModel& Model() { return m_model; }
    AnalysisTableView& List() { return *m_list; }
    // Called when the user closes the window, before it hides.
    std::function<void()> onClose;
    // Called after the clear button emptied the record.
    std::function<void()> onCleared;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    AnalysisTableModel m_model;          // the core's table
    AnalysisTableView* m_list = nullptr; // lvwAnalyse
    QPushButton* m_loeschen = nullptr;   // cmdLöschen
};

} // namespace kardo
