#pragma once

#include "core/common/result.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

#include <optional>
#include <utility>

namespace korvessa {

// Named values bound into a statement: {{u":comp"_s, comp}, {u":no"_s, no}}.
using SqlParams = QList<std::pair<QString, QVariant>>;

// The one way the program talks SQL: every value is bound, every failure
// comes back as a database refusal carrying the driver's text.
namespace sql {

    // Prepares and runs a statement; the query is forward-only.
    Result<QSqlQuery> exec(const QSqlDatabase& db, const QString& text, const SqlParams& params = {});

    // Runs a statement that changes rows; the number of rows affected.
    Result<int> execute(const QSqlDatabase& db, const QString& text, const SqlParams& params = {});

    // All rows of a select.
    Result<QList<QSqlRecord>> rows(const QSqlDatabase& db, const QString& text, const SqlParams& params = {});

    // The first row of a select, if any.
    Result<std::optional<QSqlRecord>> first(const QSqlDatabase& db, const QString& text, const SqlParams& params = {});

    // The first column of the first row; a null value when there is no row.
    Result<QVariant> scalar(const QSqlDatabase& db, const QString& text, const SqlParams& params = {});

    // Whether a select finds at least one row.
    Result<bool> exists(const QSqlDatabase& db, const QString& text, const SqlParams& params = {});

    // Inserts one row; `values` are column name → value.
    Status insert(const QSqlDatabase& db, const QString& table, const QList<std::pair<QString, QVariant>>& values);

    // Copies the rows of `source` company in a company-owned table whose key
    // the target company `comp` does not have yet, in `orderBy` order, all in
    // one transaction; the number of rows added. `columns` are the columns
    // copied besides `comp`.
    Result<int> copyMissingRows(const QSqlDatabase& db, const QString& table, const QString& keyColumn,
        const QStringList& columns, const QString& orderBy, const QString& source, const QString& comp);

    // A record's value by column name, whatever case the driver reports it in.
    QVariant field(const QSqlRecord& record, const QString& column);
    QString text(const QSqlRecord& record, const QString& column);

} // namespace sql
} // namespace korvessa
