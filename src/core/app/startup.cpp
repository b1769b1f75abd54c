#include "core/app/startup.h"

#include "core/db/database.h"
#include "core/db/schema.h"
#include "core/db/seed.h"

#include <QDir>

namespace korvessa {

using namespace Qt::StringLiterals;

Status prepareBooks(const QSqlDatabase& db)
{
    if (Status s = ensureSchema(db); !s)
        return s;
    return seedDatabase(db);
}

Result<QSqlDatabase> openZipcodes(const QString& workDir)
{
    auto db = openSqliteFile(QDir(workDir).filePath(u"database/zipcode.db"_s), QString::fromLatin1(kZipcodeConnection));
    if (!db)
        return db;
    if (Status s = ensureZipcodeSchema(*db); !s)
        return s.refusal();
    if (Status s = seedZipcodes(*db); !s)
        return s.refusal();
    return db;
}

Result<QSqlDatabase> openBooks(const QString& workDir, LinkSettings* settings)
{
    const LinkSettings link = readLinkFile(QDir(workDir).filePath(u"link.txt"_s));
    if (settings)
        *settings = link;
    return openDatabase(link.params, QString::fromLatin1(kMainConnection), workDir);
}

} // namespace korvessa
