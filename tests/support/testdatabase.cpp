#include "testdatabase.h"

#include "core/app/linkfile.h"
#include "core/app/startup.h"
#include "core/db/database.h"
#include "core/db/schema.h"
#include "core/db/seed.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest/QTest>

namespace korvessa::test {

using namespace Qt::StringLiterals;

namespace {

QAtomicInt g_serial;

ConnectionParams serverParams(const QString& database)
{
    // "host=H port=P user=U password=W"
    ConnectionParams p;
    p.kind = ConnectionParams::Kind::Server;
    p.host = u"127.0.0.1"_s;
    const QStringList parts = qEnvironmentVariable("KORVESSA_TEST_PG").split(u' ', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const qsizetype eq = part.indexOf(u'=');
        const QString key = part.left(eq);
        const QString value = part.mid(eq + 1);
        if (key == u"host"_s)
            p.host = value;
        else if (key == u"port"_s)
            p.port = value.toInt();
        else if (key == u"user"_s)
            p.user = value;
        else if (key == u"password"_s) {
            p.password = value;
            p.withPassword = true;
        }
    }
    p.database = database;
    return p;
}

bool fail(const QString& message)
{
    QTest::qFail(message.toUtf8().constData(), __FILE__, __LINE__);
    return false;
}

// Runs a statement on the server's maintenance database.
bool onServer(const QString& text)
{
    const QString name = u"kv_admin_%1"_s.arg(QCoreApplication::applicationPid());
    bool ok = false;
    {
        auto db = openDatabase(serverParams(u"postgres"_s), name);
        if (!db)
            return fail(db.refusal().text);
        QSqlQuery q(*db);
        ok = q.exec(text);
        if (!ok)
            fail(q.lastError().text());
    }
    closeDatabase(name);
    return ok;
}

} // namespace

TestDatabase::Kind TestDatabase::kind()
{
    return qEnvironmentVariable("KORVESSA_TEST_KIND") == u"postgres"_s ? Kind::Postgres : Kind::Sqlite;
}

QString TestDatabase::kindName() { return kind() == Kind::Postgres ? u"postgres"_s : u"sqlite"_s; }

std::unique_ptr<TestDatabase> TestDatabase::create(bool seeded, const QString& connectionName)
{
    std::unique_ptr<TestDatabase> t(new TestDatabase);
    t->m_connection = connectionName.isEmpty() ? QString::fromLatin1(kMainConnection) : connectionName;
    if (!t->m_dir.isValid()) {
        fail(u"no temporary folder"_s);
        return nullptr;
    }
    Result<QSqlDatabase> db = Refusal::database(QString());
    if (kind() == Kind::Postgres) {
        if (qEnvironmentVariableIsEmpty("KORVESSA_TEST_PG")) {
            if (!qEnvironmentVariableIsEmpty("KORVESSA_REQUIRE_PG")) {
                fail(u"the server-kind tests need KORVESSA_TEST_PG, and the test command did not set it"_s);
            } else {
                QTest::qSkip("no PostgreSQL server for the server-kind tests (KORVESSA_TEST_PG)", __FILE__, __LINE__);
            }
            return nullptr;
        }
        t->m_serverDatabase = u"kv_%1_%2"_s.arg(QCoreApplication::applicationPid()).arg(g_serial.fetchAndAddRelaxed(1));
        // A locale's collation, as servers often have: the program's texts must
        // still compare by code point.
        if (!onServer(u"create database "_s + t->m_serverDatabase
                + u" encoding 'UTF8' locale_provider icu icu_locale 'en-US' template template0"_s))
            return nullptr;
        db = openDatabase(serverParams(t->m_serverDatabase), t->m_connection);
    } else {
        db = openSqliteFile(t->m_dir.filePath(u"database/basedb.db"_s), t->m_connection);
    }
    if (!db) {
        fail(db.refusal().text);
        return nullptr;
    }
    const Status prepared = seeded ? prepareBooks(*db) : ensureSchema(*db);
    if (!prepared) {
        fail(prepared.refusal().text);
        return nullptr;
    }
    return t;
}

TestDatabase::~TestDatabase()
{
    closeDatabase(m_connection);
    if (!m_serverDatabase.isEmpty())
        onServer(u"drop database if exists "_s + m_serverDatabase);
}

QSqlDatabase TestDatabase::books() const { return QSqlDatabase::database(m_connection, false); }

void TestDatabase::exec(const QString& text) const
{
    QSqlQuery q(books());
    if (!q.exec(text))
        QTest::qFail((q.lastError().text() + u" in: "_s + text).toUtf8().constData(), __FILE__, __LINE__);
}

} // namespace korvessa::test
