#pragma once

#include "core/common/result.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>

namespace korvessa {

class DataSet;

// The account categories (table acc_type) of one company: one-digit major
// categories and two-digit sub-categories under the major category of their
// first digit.
namespace categories {

// The object name of the code field refusals put the focus on.
inline constexpr auto kCodeField = "DBEdit1";

// A code typed for a category must not be in use in the company yet, even
// as the category's own unchanged code.
Status checkNewCode(const QSqlDatabase& db, const QString& comp, const QString& code,
    const QString& field = QString::fromLatin1(kCodeField));

// The values a new category starts with.
QVariantMap newCategoryDefaults(const QString& comp);

// Saves the current row of the categories' data set: refuses an empty
// code, sets acc_1 to the first digit of acc_2 and writes the held changes.
Status save(DataSet& list, const QString& field = QString::fromLatin1(kCodeField));

// Copies the categories of `source` that `comp` lacks, by code, in one
// transaction; the number of categories added.
Result<int> copyFrom(const QSqlDatabase& db, const QString& source, const QString& comp);

} // namespace categories
} // namespace korvessa
