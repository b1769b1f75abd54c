#pragma once

#include "core/customers/customerrows.h"
#include "core/customers/sorttitles.h"

#include <QAbstractTableModel>

namespace korvessa {

// Customers of a picker as a read-only table: some of the rows' columns
// shown under their titles, sorted in memory by a click on a title.
class CustomerRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // `shown` are (column, title) pairs.
    CustomerRowsModel(CustomerRows* rows, QList<std::pair<QString, QString>> shown, QObject* parent = nullptr);

    CustomerRows* rows() const { return m_rows; }
    // Around reading the rows again: plain titles, rows reset.
    void beginResetRows() { beginResetModel(); }
    void reload();
    // The title click: sorts by that column, " ▼" / " ▲" on its title.
    void sortByTitle(int section);
    const SortTitles& titles() const { return m_titles; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    CustomerRows* m_rows;
    QList<int> m_columns; // the rows' column of each shown column
    SortTitles m_titles;
};

} // namespace korvessa
