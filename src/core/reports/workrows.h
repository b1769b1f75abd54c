#pragma once

#include "core/common/result.h"
#include "core/db/sql.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

namespace korvessa::reports {

// The work tables the report modules compute their rows into, for the grid
// and the printout. A module owns exactly the rows of its (comp, account,
// type): the company, the signed-in user's number (not a ledger account) and
// its report kind ("試算表"). It never touches rows of other users,
// companies or kinds; its rows stay until the same user runs the same kind
// again.
enum class WorkTable {
    Report1, // P01..P10 text, F01 real
    Report2, // P01..P09 text
};

QString tableName(WorkTable table);
// The number of text columns P01.. of the table.
int textColumns(WorkTable table);

struct WorkKey {
    QString comp;
    QString user;
    QString type;
};

// One row to append: P01, P02 … in order; columns beyond the list are left
// null. `f01` is report1's real column.
struct WorkRow {
    QStringList p;
    QVariant f01 = {};
};

// A number as the work tables store it in P01..P10: the shortest decimal
// form of at most 15 significant digits, no thousands separators, the minus
// sign in front, never an exponent (12500, -300.5, 0).
QString numberText(double value);
QString numberText(qint64 value);
// A stored number read back; 0 for empty or non-numeric text.
double numberOf(const QVariant& text);

// Replaces the key's rows of `table` with `rows`, written in the order
// given, in one transaction (joining an outer one, so that a report that
// fills both tables refills them as one unit). Few statements whatever the
// number of rows.
Status replaceRows(const QSqlDatabase& db, const WorkKey& key, WorkTable table, const QList<WorkRow>& rows);

// "comp = :wr_comp and account = :wr_account and type = :wr_type" with its
// values: the owner condition for a module's own selects.
QString ownerCondition();
SqlParams ownerParams(const WorkKey& key);

// The select of the key's rows of `table` (every column), ordered by
// `orderBy` ("P03, P04"); bind ownerParams().
QString rowsSelect(WorkTable table, const QString& orderBy);

// The key's rows of `table` as column → value maps with the columns named as
// the schema spells them (comp, account, type, P01 …), in `orderBy` order.
Result<QList<QVariantMap>> readRows(
    const QSqlDatabase& db, const WorkKey& key, WorkTable table, const QString& orderBy);

// The company record the printed pages are headed with (`company` row whose
// comp_name is `comp`), its columns by their schema names; empty when none.
Result<QVariantMap> companyRecord(const QSqlDatabase& db, const QString& comp);

} // namespace korvessa::reports
