// The two windows of the logic analyser, owned by the main window: the table frmAnalyse and the
// timing diagram frmAnalyse2. They serve the analysis hooks of the host window, follow the View
// menu entry "&9-Kanal-Logikanalyser..." and take up what the core recorded once per round of
// the event loop, however many events a run had.
#pragma once

#include <QObject>

class QWidget;

namespace kardo {

class HostWindow;
class frmAnalyse;
class frmAnalyse2;

class AnalyserWindows : public QObject {
    Q_OBJECT
  public:
    // The windows are created hidden, owned by owner; host carries the View menu entry.
    AnalyserWindows(QWidget* owner, HostWindow& host);

    // The View menu entry: hides both windows when it is checked, else shows the timing
    // diagram (the owner keeps the focus); then the check mark is inverted.
    void mAnsichtItem_Click();

    // The main window closes: both windows go with it (the menu entry keeps its mark).
    void HideWithOwner();

    // The host hooks.
    void RefreshAnalysisList();
    void AddGraph(int nr);
    void RemoveGraph(int nr);
    void ClearGraphs();
    void AnalysisChanged();

    // Shows everything recorded so far: new table rows (the newest selected and in sight) and
    // the strips repainted. Runs by itself once per round of the event loop after a change.
    void ShowRecorded();

    frmAnalyse& Table() { return *m_table; }
    frmAnalyse2& Graph() { return *m_graph; }

  private:
    QWidget* m_owner;               // the main window
    HostWindow& m_host;             // its menu entry
    frmAnalyse* m_table = nullptr;  // the table window
    frmAnalyse2* m_graph = nullptr; // the timing diagram
    bool m_pending = false;         // a ShowRecorded is queued
};

} // namespace kardo
