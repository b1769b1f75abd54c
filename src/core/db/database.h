#pragma once

#include "core/app/linkfile.h"
#include "core/common/result.h"

#include <QSqlDatabase>
#include <QString>

namespace korvessa {

enum class Dialect { Sqlite, Postgres };

Dialect dialectOf(const QSqlDatabase& db);

// Connection names shared by the program: the books, the postal codes and the
// spare connection for other systems' databases.
inline constexpr auto kMainConnection = "CUSConnection1";
inline constexpr auto kZipcodeConnection = "ADOConnection1";
inline constexpr auto kSpareConnection = "CUSConnection2";

// Opens the books database that `params` describe under `connectionName`,
// replacing a connection of that name. A relative desktop path is taken
// from `workDir` (the working folder when empty). The desktop kind opens
// SQLite with a write-ahead journal and a busy timeout, so that a second
// program on the same file waits instead of failing.
Result<QSqlDatabase> openDatabase(const ConnectionParams& params, const QString& connectionName,
    const QString& workDir = {});

// Opens a SQLite file (created when missing, its folder too).
Result<QSqlDatabase> openSqliteFile(const QString& path, const QString& connectionName);

void closeDatabase(const QString& connectionName);

// A unit of work: begun on construction, rolled back on destruction unless
// committed. Nested guards on one connection join the outermost one, so that
// a rule that saves can be called from a larger save.
class Transaction {
public:
    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Refusal when the transaction could not be begun.
    const Status& started() const { return m_started; }
    Status commit();
    void rollback();

private:
    QSqlDatabase m_db;
    Status m_started;
    bool m_outermost = false;
    bool m_done = false;
};

} // namespace korvessa
