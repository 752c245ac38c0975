// The truth table model computes the variable columns from the row number; only the results
// are stored.
#include "boolean/qt/truth_table_model.h"

#include "boolean/truth_table.h"

namespace kardo {

void TruthTableModel::SetTable(std::string variables, std::vector<std::uint8_t> results) {
    beginResetModel();
    m_variables = std::move(variables);
    m_results = std::move(results);
    endResetModel();
}

void TruthTableModel::Toggle(int row) {
    if (row < 0 || row >= static_cast<int>(m_results.size()))
        return;
    auto& r = m_results[static_cast<std::size_t>(row)];
    r = r != 0 ? 0 : 1;
    const QModelIndex cell = index(row, ResultColumn());
    emit dataChanged(cell, cell);
}

int TruthTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_results.size());
}

int TruthTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || m_results.empty() ? 0 : ResultColumn() + 1;
}

QVariant TruthTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return Qt::AlignCenter;
    if (role != Qt::DisplayRole)
        return {};
    const int row = index.row();
    const int n = ResultColumn();
    if (index.column() == n)
        return m_results[static_cast<std::size_t>(row)] != 0 ? 1 : 0;
    return RowValue(row, index.column(), n) ? 1 : 0;
}

QVariant TruthTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section;
    if (section == ResultColumn())
        return QString::fromUtf8("Ergebnis");
    return QString(QChar(m_variables[static_cast<std::size_t>(section)]));
}

} // namespace kardo
