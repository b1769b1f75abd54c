#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace korvessa::test {

// A fresh books database for one test: a SQLite file in a temporary folder,
// or, when the test runs for the server kind (KORVESSA_TEST_KIND=postgres), a
// new PostgreSQL database on the server that KORVESSA_TEST_PG describes
// ("host=127.0.0.1 port=54329 user=postgres"), dropped again afterwards.
// Without a server the server kind skips, unless KORVESSA_REQUIRE_PG is set,
// which turns the missing server into a failure.
class TestDatabase {
public:
    enum class Kind { Sqlite, Postgres };

    // The kind this test run is for.
    static Kind kind();
    static QString kindName();

    // Creates the database, with the whole schema and, when `seeded`, the seed data.
    // Returns null (after QSKIP/QFAIL has been recorded) when it could not be made:
    // call it through KORVESSA_TEST_DATABASE below.
    static std::unique_ptr<TestDatabase> create(bool seeded = true, const QString& connectionName = {});

    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    QSqlDatabase books() const;
    QString connectionName() const { return m_connection; }
    // The temporary working folder of the test (link.txt, database/...).
    QString workDir() const { return m_dir.path(); }

    // Runs a statement and fails the test on error; for fixtures.
    void exec(const QString& text) const;

private:
    TestDatabase() = default;

    QTemporaryDir m_dir;
    QString m_connection;
    QString m_serverDatabase; // the PostgreSQL database to drop
};

// A new books database for the current test function, or the test returns
// (skipped or failed) when none can be had.
#define KORVESSA_TEST_DATABASE(var, ...)                                                                                 \
    auto var = ::korvessa::test::TestDatabase::create(__VA_ARGS__);                                                     \
    if (!var)                                                                                                            \
        return;

} // namespace korvessa::test
