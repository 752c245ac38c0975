// The table of the truth-table and term-creation tabs: one column per variable, the result
// column last, one row per combination in counting order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QAbstractTableModel>

namespace kardo {

class TruthTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit TruthTableModel(QObject* parent) : QAbstractTableModel(parent) {}

    // The variables' letters and the results, 2^n entries of 0 or 1.
    void SetTable(std::string variables, std::vector<std::uint8_t> results);
    const std::string& Variables() const { return m_variables; }
    const std::vector<std::uint8_t>& Results() const { return m_results; }
    // Switches the result of a row between 0 and 1.
    void Toggle(int row);
    int ResultColumn() const { return static_cast<int>(m_variables.size()); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::string m_variables;             // column letters, alphabetical
    std::vector<std::uint8_t> m_results; // per row
};

} // namespace kardo
