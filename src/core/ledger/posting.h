#pragma once

#include "core/common/result.h"

#include <QSqlDatabase>
#include <QString>

namespace korvessa::posting {

// The monthly ledger summaries the reports read: each posting rebuilds one
// month of one company from every voucher line dated in it, in one
// transaction, and leaves other months and the opening rows ("開帳") alone.
// Posting again after corrections replaces the earlier result.
enum class Kind {
    Accounts, // "開始過帳": finpos per account, line name and department, finp_temp "過帳"
    General, // "大類過帳": finpos1 per general account, "過帳"
    Departments, // "過部門帳": finposp from the lines with a department, "部門過帳"
};

// The finp_temp of the rows a kind writes.
QString rowMark(Kind kind);
// The table a kind writes.
QString table(Kind kind);

// "請輸入過帳月份！" (focus on the month field) unless the text is a month
// "yyyy/MM".
Status checkMonth(const QString& month);

// Rebuilds the month's rows of `kind`; the number of rows written.
//
// The accounts posting first sets the empty department on every line of
// the company that has none. Counts are those of the whole account (or
// general account) in the month, on every department row alike; the
// sub-category columns (finp_acct2, finp_side, finp_accCN) are empty when
// the account or its category is gone from the chart. The grouping and
// counting happen in the database: a few statements a month, whatever its
// size.
Result<int> post(const QSqlDatabase& db, const QString& comp, const QString& month, Kind kind);

// The select of the window's grid: the month's posted finpos rows by
// account.
QString postedRowsSelect();

} // namespace korvessa::posting
