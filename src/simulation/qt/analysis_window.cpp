// The table window of the analysis points.
#include "simulation/qt/analysis_window.h"

#include "platform/qt/owned_window.h"
#include "simulation/analysis.h"

#include <algorithm>

#include <QCloseEvent>
#include <QPushButton>

namespace kardo {

namespace {

constexpr int kMargin = 4;   // space around the button
constexpr int kButtonW = 80; // button size
constexpr int kButtonH = 24;

} // namespace

frmAnalyse::frmAnalyse(QWidget* owner) : QWidget(owner, kOwnedWindowType), m_model(this) {
    setObjectName("frmAnalyse");
    KeepOnOwnerScreen(*this);
    setWindowTitle(QStringLiteral("Analysepunkte"));
    m_loeschen = new QPushButton(QString::fromUtf8("&Löschen"), this);
    m_loeschen->setObjectName(QString::fromUtf8("cmdLöschen"));
    m_loeschen->setGeometry(kMargin, kMargin, kButtonW, kButtonH);
    connect(m_loeschen, &QPushButton::clicked, this, [this] { cmdLoeschen_Click(); });
    m_list = new AnalysisTableView(this);
    m_list->setObjectName("lvwAnalyse");
    m_list->SetModel(&m_model);
    resize(2 * kMargin + 9 * AnalysisTableView::kColumnWidth + 24, 360);
    PrepareListView();
    ResizeListView();
}

void frmAnalyse::PrepareListView() {
    kardo::PrepareListView();
    m_model.Reset();
}

void frmAnalyse::ResizeListView() {
    const int top = kMargin + kButtonH + kMargin;
    m_list->setGeometry(0, top, width(), std::max(0, height() - top));
}

void frmAnalyse::ShowRecorded() {
    m_model.Sync();
    m_list->ShowNewest();
}

void frmAnalyse::cmdLoeschen_Click() {
    ClearAnalysisRecord();
    m_model.Reset();
    if (onCleared)
        onCleared();
}

void frmAnalyse::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ResizeListView();
}

void frmAnalyse::closeEvent(QCloseEvent* event) {
    if (onClose)
        onClose();
    event->accept();
}

} // namespace kardo
