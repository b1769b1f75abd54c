#pragma once

#include "core/common/result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace korvessa {

// Customers read for a picker: a fixed set of columns of `custom`, searched
// by the picker's own columns, ordered by number, and sortable in memory.
class CustomerRows {
public:
    explicit CustomerRows(QStringList columns = {});

    const QStringList& columns() const { return m_columns; }
    int columnIndex(const QString& column) const;

    // Rows where one of `searchColumns` contains `text` (every row for an
    // empty text), ordered by number.
    Status search(const QSqlDatabase& db, const QStringList& searchColumns, const QString& text);
    void clear() { m_rows.clear(); }

    int count() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    QVariant value(int row, int column) const;
    QVariant value(int row, const QString& column) const { return value(row, columnIndex(column)); }
    QString text(int row, const QString& column) const { return value(row, column).toString(); }

    // Sorts the rows by one column as text; rows with equal values keep
    // their order.
    void sort(int column, Qt::SortOrder order);

private:
    QStringList m_columns;
    QList<QVariantList> m_rows;
};

} // namespace korvessa
