#pragma once

#include "core/common/result.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

namespace korvessa {

class DataSet;

// The chart of accounts (table acct) of one company: the checks a new code
// passes, the checks before a delete, the account look-up every module that
// takes a typed account uses, and the join with the sub-category that
// posting and the carry-forward read.
namespace accounts {

// The object name of the code field refusals put the focus on.
inline constexpr auto kCodeField = "DBEdit1";

// An account as other modules take it.
struct Account {
    QString code; // acct_4
    QString general; // its first four digits (find_acct, finp_acct)
    QString name; // acct_CN
    QString side; // acct_side
};

// An account joined with its sub-category.
struct AccountCategory {
    QString code; // acct_4
    QString side; // acct_side
    QString categoryName; // acc_CN, empty without a category
    QString categoryMajor; // acc_1
    QString systemCode; // acc_sys
};

// The join text "acct left join acc_type on (…)" for statements of
// their own; acct and acc_type are the table names.
QString categoryJoin();

// The checks of a code typed for a new account, in this order: 4 or 7
// digits, not yet in the chart, its sub-category exists, and for a
// detail account its general account exists.
Status checkNewCode(const QSqlDatabase& db, const QString& comp, const QString& code,
    const QString& field = QString::fromLatin1(kCodeField));

// An account typed into a voucher or template line: 4 or 7 digits, in the
// chart, and not a general account that has detail accounts below it.
Result<Account> postingAccount(
    const QSqlDatabase& db, const QString& comp, const QString& code, const QString& field = {});

// The account of that code, if the chart has it.
Result<std::optional<Account>> find(const QSqlDatabase& db, const QString& comp, const QString& code);

// The first account (in code order) whose code begins with `digits`.
Result<std::optional<QString>> firstCodeStartingWith(
    const QSqlDatabase& db, const QString& comp, const QString& digits);

// One account with its sub-category; none when the code is not in the chart.
Result<std::optional<AccountCategory>> withCategory(const QSqlDatabase& db, const QString& comp, const QString& code);
// Every account of the company with its sub-category, by code.
Result<QHash<QString, AccountCategory>> allWithCategory(const QSqlDatabase& db, const QString& comp);

// Before a delete: a general account with detail accounts, and an account
// used in a voucher line (the opening-balance voucher included), stay.
// Entry templates are not consulted.
Status checkDelete(const QSqlDatabase& db, const QString& comp, const QString& code);

// The values a new account starts with.
QVariantMap newAccountDefaults(const QString& comp);

// Saves the current row of the chart's data set: refuses an empty code,
// sets acct_1, acct_2, acct_3 from acct_4 and writes the held changes.
Status save(DataSet& chart, const QString& field = QString::fromLatin1(kCodeField));

// Copies the accounts of `source` that `comp` lacks, by code, in one
// transaction; codes are not checked against the categories. The number
// of accounts added.
Result<int> copyFrom(const QSqlDatabase& db, const QString& source, const QString& comp);

// The companies of the database other than `comp`, by name.
Result<QStringList> otherCompanies(const QSqlDatabase& db, const QString& comp);

} // namespace accounts
} // namespace korvessa
