#pragma once

#include "core/common/result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace korvessa {

enum class ColumnType {
    Text, // text(n): at most n characters, refused beyond
    Memo, // text of any length
    Real, // 64-bit floating point
    Integer, // 32-bit signed
    SmallInt, // 16-bit signed
    Decimal, // exact decimal; the fraction digits written with amounts and rates are kept
};

struct ColumnDef {
    QString name;
    ColumnType type;
    int length; // characters of a Text column, digits of a Decimal one
};

struct TableDef {
    QString name;
    QList<ColumnDef> columns;

    const ColumnDef* column(const QString& name) const;
};

// The version the schema code below creates; stored in `schema_version`.
inline constexpr int kSchemaVersion = 1;

const QList<TableDef>& schemaTables();
const QList<TableDef>& zipcodeTables();
const TableDef* findTable(const QString& name);

// The column's type as the dialect spells it, with the length check that a
// dialect without sized text types needs.
QString columnTypeSql(const QSqlDatabase& db, const ColumnDef& column);

// Creates every missing table, column and index of the books database and
// records the schema version; tables and rows already there are kept.
Status ensureSchema(const QSqlDatabase& db);

// The same for the postal-code database.
Status ensureZipcodeSchema(const QSqlDatabase& db);

// The version recorded in the database, 0 when none is.
Result<int> schemaVersion(const QSqlDatabase& db);

} // namespace korvessa
