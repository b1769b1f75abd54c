#include "core/customers/customerrows.h"

#include "core/db/dataset.h"
#include "core/db/sql.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace korvessa {

CustomerRows::CustomerRows(QStringList columns)
    : m_columns(std::move(columns))
{
}

int CustomerRows::columnIndex(const QString& column) const
{
    for (qsizetype i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).compare(column, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

Status CustomerRows::search(const QSqlDatabase& db, const QStringList& searchColumns, const QString& text)
{
    QString select = u"select * from custom"_s;
    SqlParams params;
    if (!text.isEmpty()) {
        auto [condition, bound] = DataSet::containsCondition(searchColumns, text);
        select += u" where "_s + condition;
        params = bound;
    }
    select += u" order by cus_no"_s;
    auto rows = sql::rows(db, select, params);
    if (!rows)
        return rows.refusal();
    m_rows.clear();
    m_rows.reserve(rows->size());
    for (const QSqlRecord& record : *rows) {
        QVariantList values;
        values.reserve(m_columns.size());
        for (const QString& column : m_columns)
            values.append(sql::field(record, column));
        m_rows.append(values);
    }
    return {};
}

QVariant CustomerRows::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns.size())
        return {};
    return m_rows.at(row).at(column);
}

void CustomerRows::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= m_columns.size())
        return;
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const QVariantList& a, const QVariantList& b) {
        const int c = QString::compare(a.at(column).toString(), b.at(column).toString());
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
}

} // namespace korvessa
