// Worksheet viewport: the picture and its scroll bars.
#include "mainwindow/worksheet_view.h"

#include "mainwindow/worksheet_canvas.h"
#include "render/view.h"

#include <algorithm>

#include <QGridLayout>
#include <QScrollBar>

namespace kardo {

namespace {

QScrollBar* MakeBar(Qt::Orientation o, const char* name, QWidget* parent) {
    auto* bar = new QScrollBar(o, parent);
    bar->setObjectName(name);
    // The keyboard stays with the worksheet when a bar is used.
    bar->setFocusPolicy(Qt::NoFocus);
    QSizePolicy sp = bar->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    bar->setSizePolicy(sp);
    bar->hide();
    return bar;
}

} // namespace

WorksheetView::WorksheetView(ImageTarget& image, QWidget* parent) : QWidget(parent) {
    setObjectName("picContainer");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    m_canvas = new WorksheetCanvas(image, this);
    m_h = MakeBar(Qt::Horizontal, "HScroll", this);
    m_v = MakeBar(Qt::Vertical, "VScroll", this);
    grid->addWidget(m_canvas, 0, 0);
    grid->addWidget(m_v, 0, 1);
    grid->addWidget(m_h, 1, 0);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);
    connect(m_h, &QScrollBar::valueChanged, this, [this](int v) { BarMoved(true, v); });
    connect(m_v, &QScrollBar::valueChanged, this, [this](int v) { BarMoved(false, v); });
    connect(m_canvas, &WorksheetCanvas::Resized, this, [] { ResizeWorksheet(); });
}

void WorksheetView::BarMoved(bool horizontal, int value) {
    if (m_syncing)
        return;
    if (horizontal)
        HScroll_Change(value);
    else
        VScroll_Change(value);
    m_canvas->update();
    m_canvas->setFocus();
}

void WorksheetView::SyncScrollBars() {
    m_syncing = true;
    for (auto [bar, state, g] : {std::tuple{m_h, &gHScroll, 1}, std::tuple{m_v, &gVScroll, 2}}) {
        bar->setRange(0, state->Max);
        bar->setValue(state->Value);
        bar->setPageStep(std::max<int>(1, GetVisibleArea(g)));
        bar->setSingleStep(1);
        bar->setVisible(state->Visible);
    }
    m_syncing = false;
}

} // namespace kardo
