// The analysis table's model and view.
#include "simulation/qt/analysis_table_view.h"

#include "simulation/analysis.h"

#include <algorithm>
#include <limits>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace kardo {

namespace {

int ClampedRows() {
    return static_cast<int>(
        std::min<std::size_t>(gAnalyseTabelle.RowCount(), std::numeric_limits<int>::max()));
}

} // namespace

int AnalysisTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int AnalysisTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant AnalysisTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows || index.column() >= m_columns)
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    const char c = gAnalyseTabelle.Cell(static_cast<std::size_t>(index.row()), index.column());
    return c == '\0' ? QString() : QString(QChar(c));
}

QVariant AnalysisTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= m_columns)
        return {};
    return QString::fromStdString(gAnalyseTabelle.ColumnText(section));
}

void AnalysisTableModel::Reset() {
    beginResetModel();
    m_rows = ClampedRows();
    m_columns = gAnalyseTabelle.ColumnCount();
    m_generation = gAnalyseTabelle.Generation();
    endResetModel();
}

void AnalysisTableModel::Sync() {
    const int rows = ClampedRows();
    if (gAnalyseTabelle.Generation() != m_generation ||
        gAnalyseTabelle.ColumnCount() != m_columns || rows < m_rows) {
        Reset();
        return;
    }
    if (rows == m_rows)
        return;
    beginInsertRows({}, m_rows, rows - 1);
    m_rows = rows;
    endInsertRows();
}

AnalysisTableView::AnalysisTableView(QWidget* parent) : QAbstractScrollArea(parent) {
    m_rowHeight = fontMetrics().height() + 2;
    m_headerHeight = fontMetrics().height() + 6;
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(1);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(),
            [this] { viewport()->update(); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(),
            [this] { viewport()->update(); });
}

void AnalysisTableView::SetModel(AnalysisTableModel* model) {
    m_model = model;
    const auto changed = [this] {
        if (m_current >= m_model->rowCount())
            m_current = -1;
        UpdateScrollBars();
        viewport()->update();
    };
    connect(model, &QAbstractItemModel::modelReset, this, changed);
    connect(model, &QAbstractItemModel::rowsInserted, this, changed);
    changed();
}

int AnalysisTableView::VisibleRows() const {
    return std::max(1, (viewport()->height() - m_headerHeight) / m_rowHeight);
}

int AnalysisTableView::TopRow() const { return verticalScrollBar()->value(); }

void AnalysisTableView::UpdateScrollBars() {
    const int rows = m_model ? m_model->rowCount() : 0;
    const int columns = m_model ? m_model->columnCount() : 0;
    verticalScrollBar()->setRange(0, std::max(0, rows - VisibleRows()));
    verticalScrollBar()->setPageStep(VisibleRows());
    horizontalScrollBar()->setRange(0, std::max(0, columns * kColumnWidth - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void AnalysisTableView::MakeCurrent(int row) {
    m_current = row;
    if (row >= 0) {
        const int top = TopRow();
        if (row < top)
            verticalScrollBar()->setValue(row);
        else if (row >= top + VisibleRows())
            verticalScrollBar()->setValue(row - VisibleRows() + 1);
    }
    viewport()->update();
}

void AnalysisTableView::ShowNewest() {
    if (m_model && m_model->rowCount() > 0)
        MakeCurrent(m_model->rowCount() - 1);
}

void AnalysisTableView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void AnalysisTableView::mousePressEvent(QMouseEvent* event) {
    const int y = event->position().toPoint().y() - m_headerHeight;
    if (m_model == nullptr || y < 0)
        return;
    const int row = TopRow() + y / m_rowHeight;
    if (row < m_model->rowCount())
        MakeCurrent(row);
}

void AnalysisTableView::keyPressEvent(QKeyEvent* event) {
    const int rows = m_model ? m_model->rowCount() : 0;
    int row = m_current;
    switch (event->key()) {
    case Qt::Key_Up:
        row = std::max(0, row - 1);
        break;
    case Qt::Key_Down:
        row = std::min(rows - 1, row + 1);
        break;
    case Qt::Key_PageUp:
        row = std::max(0, row - VisibleRows());
        break;
    case Qt::Key_PageDown:
        row = std::min(rows - 1, row + VisibleRows());
        break;
    case Qt::Key_Home:
        row = 0;
        break;
    case Qt::Key_End:
        row = rows - 1;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    if (rows > 0)
        MakeCurrent(row);
}

void AnalysisTableView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const QPalette& pal = palette();
    p.fillRect(viewport()->rect(), pal.base());
    if (m_model == nullptr)
        return;
    const int columns = m_model->columnCount();
    const int rows = m_model->rowCount();
    const int left = -horizontalScrollBar()->value();
    const int width = viewport()->width();
    const QColor grid = pal.mid().color();

    const int top = TopRow();
    const int last = std::min(rows, top + VisibleRows() + 1);
    for (int r = top; r < last; ++r) {
        const int y = m_headerHeight + (r - top) * m_rowHeight;
        const bool current = r == m_current;
        if (current)
            p.fillRect(QRect(0, y, width, m_rowHeight), pal.highlight());
        p.setPen(current ? pal.highlightedText().color() : pal.text().color());
        for (int c = 0; c < columns; ++c) {
            const QRect cell(left + c * kColumnWidth, y, kColumnWidth, m_rowHeight);
            p.drawText(cell, Qt::AlignCenter, m_model->index(r, c).data().toString());
        }
    }
    p.setPen(grid);
    for (int c = 1; c <= columns; ++c) {
        const int x = left + c * kColumnWidth - 1;
        p.drawLine(x, m_headerHeight, x, viewport()->height());
    }

    // The header line stays on top while the rows scroll.
    p.fillRect(QRect(0, 0, width, m_headerHeight), pal.button());
    p.setPen(pal.buttonText().color());
    for (int c = 0; c < columns; ++c) {
        const QRect cell(left + c * kColumnWidth, 0, kColumnWidth, m_headerHeight);
        p.drawText(cell, Qt::AlignCenter, m_model->headerData(c, Qt::Horizontal).toString());
        p.setPen(grid);
        p.drawLine(cell.right(), 0, cell.right(), m_headerHeight - 1);
        p.setPen(pal.buttonText().color());
    }
    p.setPen(grid);
    p.drawLine(0, m_headerHeight - 1, width, m_headerHeight - 1);
}

} // namespace kardo
