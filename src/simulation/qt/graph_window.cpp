// The timing-diagram window. The strips keep no pixels of their own: each paint draws the trace
// from the core's state, so hiding, showing and widening the window lose nothing, and a burst
// of events costs one repaint.
#include "simulation/qt/graph_window.h"

#include "simulation/analysis.h"

#include <algorithm>

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace kardo {

namespace {

const QColor kBack(0, 0, 128);      // background and scrolled-in area
const QColor kTrace(255, 255, 255); // trace lines

int StripTop(int i) { return frmAnalyse2::kFirstTop + i * (kTraceStripHeight + kTraceStripGap); }

} // namespace

TraceStrip::TraceStrip(int index, QWidget* parent) : QWidget(parent), m_index(index) {
    setObjectName(QString("picGraph_%1").arg(index));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TraceStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kBack);
    for (const VisibleStep& s : VisibleSteps(m_index)) {
        p.fillRect(QRect(s.x0, s.high ? kTraceHighY : kTraceLowY, kTraceStep, 1), kTrace);
        if (s.edge)
            p.fillRect(QRect(s.x0, kTraceHighY, 1, kTraceLowY - kTraceHighY + 1), kTrace);
    }
}

frmAnalyse2::frmAnalyse2(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("frmAnalyse2");
    setWindowTitle(QStringLiteral("Graph"));
    m_tabelle = new QPushButton(QStringLiteral("&Tabelle"), this);
    m_tabelle->setObjectName("cmdAnalyseTabelle");
    connect(m_tabelle, &QPushButton::clicked, this, [this] {
        if (onShowTable)
            onShowTable();
    });
    LoadStrip();
    resize(kStripLeft + kTraceWidthDefault + kRightMargin, kClearedHeight);
    LayOut();
}

void frmAnalyse2::LoadStrip() {
    const int i = static_cast<int>(m_strips.size());
    // A strip keeps no trace of the point it showed before it was unloaded.
    if (i > 0)
        ClearAnalysisTrace(i);
    StripWidgets s;
    s.picture = new TraceStrip(i, this);
    s.label = new QLabel(QString::number(i + 1), this);
    s.label->setObjectName(QString("lblGraph_%1").arg(i));
    s.picture->setGeometry(kStripLeft, StripTop(i),
                           std::max(0, width() - kStripLeft - kRightMargin), kTraceStripHeight);
    s.label->move(kLabelLeft, StripTop(i) + kLabelDown);
    s.label->adjustSize();
    s.picture->show();
    s.label->show();
    m_strips.push_back(s);
}

void frmAnalyse2::FitHeight() {
    resize(width(), StripTop(HighestStrip()) + kTraceStripHeight + kBottom);
}

void frmAnalyse2::AddGraph(int nr) {
    if (nr <= 1 || nr > kAnalysePunkte || HighestStrip() >= nr - 1)
        return;
    while (HighestStrip() < nr - 1)
        LoadStrip();
    FitHeight();
}

void frmAnalyse2::RemoveGraph(int nr) {
    if (nr <= 1 || nr - 1 != HighestStrip())
        return;
    delete m_strips.back().picture;
    delete m_strips.back().label;
    m_strips.pop_back();
    FitHeight();
}

void frmAnalyse2::ClearGraphs() {
    while (HighestStrip() > 0) {
        delete m_strips.back().picture;
        delete m_strips.back().label;
        m_strips.pop_back();
    }
    resize(width(), kClearedHeight);
    RefreshStrips();
}

void frmAnalyse2::RefreshStrips() {
    for (const StripWidgets& s : m_strips)
        s.picture->update();
}

void frmAnalyse2::LayOut() {
    const int w = std::max(0, width() - kStripLeft - kRightMargin);
    for (std::size_t i = 0; i < m_strips.size(); ++i)
        m_strips[i].picture->resize(w, kTraceStripHeight);
    SetTraceWidth(w);
    const QSize b = m_tabelle->sizeHint();
    const int bh = std::min(b.height(), kBottom - 4);
    m_tabelle->setGeometry(width() - kRightMargin - b.width(), height() - bh - 2, b.width(), bh);
}

void frmAnalyse2::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void frmAnalyse2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    LayOut();
}

void frmAnalyse2::closeEvent(QCloseEvent* event) {
    // Closing only hides: the strips and their traces stay for the next showing.
    event->ignore();
    if (onClose)
        onClose();
    hide();
}

} // namespace kardo
