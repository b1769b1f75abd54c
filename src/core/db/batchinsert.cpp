#include "core/db/batchinsert.h"

#include <QSqlError>

namespace korvessa {

using namespace Qt::StringLiterals;

BatchInsert::BatchInsert(QSqlDatabase db, QString table, QStringList columns, int rowsPerStatement)
    : m_db(std::move(db))
    , m_table(std::move(table))
    , m_columns(std::move(columns))
    , m_rowsPerStatement(std::max(rowsPerStatement, 1))
{
    m_pending.reserve(m_columns.size() * m_rowsPerStatement);
}

BatchInsert::~BatchInsert() = default;

QString BatchInsert::statement(int rows) const
{
    QString one = u"("_s;
    for (qsizetype c = 0; c < m_columns.size(); ++c)
        one += c == 0 ? u"?"_s : u", ?"_s;
    one += u')';
    QStringList all(rows, one);
    return u"insert into "_s + m_table + u" ("_s + m_columns.join(u", "_s) + u") values "_s + all.join(u", "_s);
}

Status BatchInsert::write(QSqlQuery& query, int rows)
{
    for (qsizetype i = 0; i < m_pending.size(); ++i)
        query.bindValue(int(i), m_pending.at(i));
    if (!query.exec())
        return Refusal::database(query.lastError().text());
    m_written += rows;
    m_pending.clear();
    return {};
}

Status BatchInsert::add(const QVariantList& values)
{
    if (values.size() != m_columns.size())
        return Refusal::database(u"A row for %1 has %2 values for %3 columns."_s.arg(m_table)
                .arg(values.size())
                .arg(m_columns.size()));
    m_pending += values;
    if (m_pending.size() < m_columns.size() * m_rowsPerStatement)
        return {};
    if (!m_full) {
        m_full = std::make_unique<QSqlQuery>(m_db);
        if (!m_full->prepare(statement(m_rowsPerStatement))) {
            const QString error = m_full->lastError().text();
            m_full.reset();
            return Refusal::database(error);
        }
    }
    return write(*m_full, m_rowsPerStatement);
}

Status BatchInsert::finish()
{
    if (m_pending.isEmpty())
        return {};
    const int rows = int(m_pending.size() / m_columns.size());
    QSqlQuery rest(m_db);
    if (!rest.prepare(statement(rows)))
        return Refusal::database(rest.lastError().text());
    return write(rest, rows);
}

} // namespace korvessa
