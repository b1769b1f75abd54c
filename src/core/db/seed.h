#pragma once

#include "core/common/result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace korvessa {

// What a new database receives. Seeding runs only on a database without
// companies, so running it again changes nothing.
inline constexpr auto kSeedCompany = "示範公司";
inline constexpr auto kSeedUser = "admin";
inline constexpr auto kSeedPassword = "admin";

// A seed table: the column names of its first line and the rows below.
struct SeedTable {
    QStringList columns;
    QList<QStringList> rows;
};

// Reads a tab-separated seed file from the resources (":/seed/<name>.tsv").
Result<SeedTable> readSeedTable(const QString& name);

// Whether seedDatabase would write anything.
Result<bool> databaseNeedsSeed(const QSqlDatabase& db);

// The demonstration company with its home currency, the administrator with
// every right, the program list, the category lists, and the company's chart
// of accounts and transfer settings; all in one transaction.
Status seedDatabase(const QSqlDatabase& db);

// The postal codes, when the table is empty.
Status seedZipcodes(const QSqlDatabase& db);

} // namespace korvessa
