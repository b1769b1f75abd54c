#pragma once

#include "core/common/result.h"
#include "core/db/dataset.h"

#include <QSqlDatabase>
#include <QString>

namespace korvessa {

// The object name of the company name field, focused by the refusals below.
inline constexpr auto kCompanyNameField = "DBEdit1";
// How many characters the company name field takes.
inline constexpr int kCompanyNameLength = 10;

// All companies of the database (no company filter), keyed by comp_name.
Status openCompanies(DataSet& companies, const QSqlDatabase& db);

// "不可刪除!" while the list holds one company or none.
Status checkCompanyRemoval(const DataSet& companies);

// The currency row every new company starts with: NT, 台灣, rate 1, no decimals.
QList<std::pair<QString, QVariant>> defaultCurrencyRow(const QString& company);

// Writes the held changes of the company list. A new or changed row with an
// empty name is refused ("公司編號不可以為空!") and nothing is written. Each
// new company gets its default currency row in the same transaction, unless
// an NT row of that name is still there.
Status saveCompanies(DataSet& companies);

} // namespace korvessa
