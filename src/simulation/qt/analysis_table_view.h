// The analysis table as model and view: a table model over the core's recorded rows (nothing is
// copied) and a light list view that draws only the rows in sight, so that a table of millions
// of rows costs the view nothing per row.
#pragma once

#include <cstdint>

#include <QAbstractScrollArea>
#include <QAbstractTableModel>

namespace kardo {

// The rows and columns of gAnalyseTabelle as far as the view has been told of them.
class AnalysisTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Starts over from the core's columns and rows.
    void Reset();
    // Takes up what the core recorded since: new rows are inserted, anything else starts over.
    void Sync();

  private:
    int m_rows = 0;                 // rows announced to the view
    int m_columns = 0;              // columns announced
    std::uint32_t m_generation = 0; // gAnalyseTabelle generation they belong to
};

// lvwAnalyse: a header line with the point numbers and one compact line per row; the current
// row is highlighted. Scrolls by whole rows.
class AnalysisTableView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit AnalysisTableView(QWidget* parent = nullptr);

    void SetModel(AnalysisTableModel* model);
    // Makes the last row current and scrolls so that it is in sight.
    void ShowNewest();
    int CurrentRow() const { return m_current; }
    // The first row in sight.
    int TopRow() const;
    int RowHeight() const { return m_rowHeight; }
    int HeaderHeight() const { return m_headerHeight; }
    static constexpr int kColumnWidth = 28; // wide enough for the caption and "0" / "1"

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void UpdateScrollBars();
    int VisibleRows() const;
    void MakeCurrent(int row);

    AnalysisTableModel* m_model = nullptr; // what is shown
    int m_rowHeight = 0;                   // pixels per row
    int m_headerHeight = 0;                // pixels of the header line
    int m_current = -1;                    // highlighted row, -1 none
};

} // namespace kardo
