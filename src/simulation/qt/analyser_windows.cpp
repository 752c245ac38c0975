// The logic analyser's windows and their menu entry.
#include "simulation/qt/analyser_windows.h"

#include "platform/host_window.h"
#include "simulation/analysis.h"
#include "simulation/qt/analysis_window.h"
#include "simulation/qt/graph_window.h"

#include <QWidget>

namespace kardo {

namespace {

constexpr const char* kMenuEntry = "mAnsichtItem_2";

} // namespace

AnalyserWindows::AnalyserWindows(QWidget* owner, HostWindow& host)
    : QObject(owner), m_owner(owner), m_host(host) {
    m_table = new frmAnalyse(owner);
    m_graph = new frmAnalyse2(owner);
    // The menu entry stays checked while either window is in sight.
    m_table->onClose = [this] {
        if (!m_graph->isVisible())
            m_host.SetChecked(kMenuEntry, false);
    };
    m_graph->onClose = [this] {
        if (!m_table->isVisible())
            m_host.SetChecked(kMenuEntry, false);
    };
    m_table->onCleared = [this] { m_graph->RefreshStrips(); };
    m_graph->onShowTable = [this] {
        // The first time just below the timing diagram, which it would hide if centred over the
        // main window as well; showing it keeps it on the screen.
        if (!m_table->testAttribute(Qt::WA_Moved))
            m_table->move(m_graph->frameGeometry().bottomLeft() + QPoint(0, 1));
        m_table->show();
        m_table->raise();
    };
}

void AnalyserWindows::mAnsichtItem_Click() {
    const bool checked = m_host.IsChecked(kMenuEntry);
    if (checked) {
        m_graph->hide();
        m_table->hide();
    } else {
        m_graph->show();
        m_graph->raise();
        m_owner->activateWindow();
    }
    m_host.SetChecked(kMenuEntry, !checked);
}

void AnalyserWindows::HideWithOwner() {
    m_graph->hide();
    m_table->hide();
}

void AnalyserWindows::RefreshAnalysisList() {
    m_table->PrepareListView();
    m_table->ResizeListView();
}

void AnalyserWindows::AddGraph(int nr) { m_graph->AddGraph(nr); }

void AnalyserWindows::RemoveGraph(int nr) { m_graph->RemoveGraph(nr); }

void AnalyserWindows::ClearGraphs() { m_graph->ClearGraphs(); }

void AnalyserWindows::AnalysisChanged() {
    if (m_pending)
        return;
    m_pending = true;
    QMetaObject::invokeMethod(
        this, [this] { ShowRecorded(); }, Qt::QueuedConnection);
}

void AnalyserWindows::ShowRecorded() {
    m_pending = false;
    AnalysisShown();
    m_table->ShowRecorded();
    m_graph->RefreshStrips();
}

} // namespace kardo
