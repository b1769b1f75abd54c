#pragma once

#include "core/app/linkfile.h"
#include "core/common/result.h"

#include <QSqlDatabase>
#include <QString>

namespace korvessa {

// Makes sure the books database holds every table of the program and, when it
// has no company yet, the seed data.
Status prepareBooks(const QSqlDatabase& db);

// Opens (creating when missing) the postal-code file database/zipcode.db below
// `workDir` on its own connection, with its table and codes.
Result<QSqlDatabase> openZipcodes(const QString& workDir);

// Opens the books that link.txt in `workDir` names, as start-up does:
// link.txt problems fall back to the desktop database; `linkError` receives
// the message to show for them.
Result<QSqlDatabase> openBooks(const QString& workDir, LinkSettings* settings = nullptr);

} // namespace korvessa
