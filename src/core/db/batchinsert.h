#pragma once

#include "core/common/result.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace korvessa {

// Inserts many rows of one table quickly: rows are gathered and written
// `rowsPerStatement` at a time by one multi-row insert prepared once, with
// every value bound. Run it inside a transaction; call finish() at the end
// for the rows still gathered.
class BatchInsert {
public:
    BatchInsert(QSqlDatabase db, QString table, QStringList columns, int rowsPerStatement = 200);
    ~BatchInsert();
    BatchInsert(const BatchInsert&) = delete;
    BatchInsert& operator=(const BatchInsert&) = delete;

    // One row, its values in the order of the columns.
    Status add(const QVariantList& values);
    Status finish();
    qint64 written() const { return m_written; }

private:
    Status write(QSqlQuery& query, int rows);
    QString statement(int rows) const;

    QSqlDatabase m_db;
    QString m_table;
    QStringList m_columns;
    int m_rowsPerStatement;
    QVariantList m_pending;
    std::unique_ptr<QSqlQuery> m_full;
    qint64 m_written = 0;
};

} // namespace korvessa
