#include "core/db/database.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

// Open transaction guards per connection name; `abandoned` is set when an
// inner guard gave up, so that the outermost one cannot commit half a save.
struct GuardState {
    int depth = 0;
    bool abandoned = false;
};

GuardState& guardState(const QSqlDatabase& db)
{
    static QHash<QString, GuardState> states;
    return states[db.connectionName()];
}

Status runPragma(QSqlDatabase& db, const QString& text)
{
    QSqlQuery q(db);
    if (!q.exec(text))
        return Refusal::database(q.lastError().text());
    return {};
}

} // namespace

Dialect dialectOf(const QSqlDatabase& db)
{
    return db.driverName() == u"QPSQL"_s ? Dialect::Postgres : Dialect::Sqlite;
}

Result<QSqlDatabase> openSqliteFile(const QString& path, const QString& connectionName)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (QSqlDatabase::contains(connectionName))
        QSqlDatabase::removeDatabase(connectionName);
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, connectionName);
    db.setDatabaseName(path);
    db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=5000"_s);
    if (!db.open())
        return Refusal::database(db.lastError().text());
    if (Status s = runPragma(db, u"PRAGMA journal_mode=WAL"_s); !s)
        return s.refusal();
    if (Status s = runPragma(db, u"PRAGMA synchronous=NORMAL"_s); !s)
        return s.refusal();
    // Posting and the reports read a month of lines at a time: a page cache
    // of 64 MB keeps a large book's indexes in memory.
    if (Status s = runPragma(db, u"PRAGMA cache_size=-65536"_s); !s)
        return s.refusal();
    return db;
}

Result<QSqlDatabase> openDatabase(const ConnectionParams& params, const QString& connectionName, const QString& workDir)
{
    switch (params.kind) {
    case ConnectionParams::Kind::Desktop: {
        const QString base = workDir.isEmpty() ? QDir::currentPath() : workDir;
        const QString path = QDir::isAbsolutePath(params.database) ? params.database : QDir(base).filePath(params.database);
        return openSqliteFile(path, connectionName);
    }
    case ConnectionParams::Kind::Server: {
        if (QSqlDatabase::contains(connectionName))
            QSqlDatabase::removeDatabase(connectionName);
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, connectionName);
        db.setHostName(params.host);
        if (params.port > 0)
            db.setPort(params.port);
        db.setDatabaseName(params.database);
        db.setUserName(params.user);
        if (params.withPassword)
            db.setPassword(params.password);
        db.setConnectOptions(u"connect_timeout=10"_s);
        if (!db.open())
            return Refusal::database(db.lastError().text());
        QSqlQuery q(db);
        q.exec(u"SET client_min_messages TO warning"_s);
        return db;
    }
    case ConnectionParams::Kind::None:
        break;
    }
    return Refusal::database(u"連線字串是空的：link.txt 的資料庫類別必須是 1（伺服器）或 2（桌上型資料庫）。"_s);
}

void closeDatabase(const QString& connectionName)
{
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

Transaction::Transaction(QSqlDatabase db)
    : m_db(std::move(db))
{
    GuardState& state = guardState(m_db);
    if (state.depth == 0) {
        if (!m_db.transaction()) {
            m_started = Refusal::database(m_db.lastError().text());
            m_done = true;
            return;
        }
        m_outermost = true;
        state.abandoned = false;
    }
    ++state.depth;
}

Transaction::~Transaction()
{
    if (!m_done)
        rollback();
}

Status Transaction::commit()
{
    if (!m_started)
        return m_started;
    if (m_done)
        return {};
    m_done = true;
    GuardState& state = guardState(m_db);
    --state.depth;
    if (!m_outermost)
        return {};
    if (state.abandoned) {
        m_db.rollback();
        return Refusal::database(u"交易中的一部分失敗，整筆資料未寫入。"_s);
    }
    if (!m_db.commit()) {
        const QString text = m_db.lastError().text();
        m_db.rollback();
        return Refusal::database(text);
    }
    return {};
}

void Transaction::rollback()
{
    if (m_done)
        return;
    m_done = true;
    GuardState& state = guardState(m_db);
    --state.depth;
    // An inner guard cannot undo only its own part: it marks the whole unit
    // abandoned and the outermost guard rolls everything back.
    if (m_outermost)
        m_db.rollback();
    else
        state.abandoned = true;
}

} // namespace korvessa
