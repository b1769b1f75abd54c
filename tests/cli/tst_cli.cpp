#include "cli/cli.h"
#include "core/db/database.h"
#include "core/db/sql.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QtTest>

using namespace korvessa;
using namespace Qt::StringLiterals;

namespace {

struct Run {
    int code;
    QString out;
    QString err;
};

Run runCli(const QString& workDir, const QStringList& args)
{
    QString out;
    QString err;
    QTextStream o(&out);
    QTextStream e(&err);
    cli::Io io { o, e, [](const QString&) { return QString(); }, workDir };
    const int code = cli::run(args, io);
    o.flush();
    e.flush();
    return { code, out, err };
}

void writeLink(const QTemporaryDir& dir, const QByteArray& line)
{
    QFile f(dir.filePath(u"link.txt"_s));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(line);
}

// A CSV file of vouchers for `import vouchers`: the header row, then `rows`.
void writeVouchers(const QTemporaryDir& dir, const QString& name, const QByteArray& rows)
{
    QFile f(dir.filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("voucher,date,type,currency,summary,account,line_summary,debit,credit,department,counterparty,source_no\n"
        + rows);
}

// Signing in as the seeded user; the password comes from KORVESSA_PASSWORD.
const QStringList kSignIn = { u"--company"_s, u"示範公司"_s, u"--user"_s, u"admin"_s };

} // namespace

class TestCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_settings;

private Q_SLOTS:
    void initTestCase() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path()); }

    void connection_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("database");
        QTest::addColumn<int>("code");
        QTest::newRow("desktop") << QByteArray("2,x,x,x,x,\r\n") << u"Data Source=.\\database\\basedb.mdb"_s
                                 << u"SQLite file"_s << 0;
        QTest::newRow("server") << QByteArray("1,db.local:5433,books,acc,pw,") << u"Initial Catalog=books"_s
                                << u"PostgreSQL host=db.local port=5433 dbname=books user=acc"_s << 0;
        QTest::newRow("other kind") << QByteArray("3,a,b,c,d,") << QString() << u"none"_s << 1;
    }

    void connection()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, text);
        QFETCH(QString, database);
        QFETCH(int, code);
        QTemporaryDir dir;
        writeLink(dir, line);
        const Run r = runCli(dir.path(), { u"connection"_s });
        QCOMPARE(r.code, code);
        QVERIFY2(r.out.contains(text), qPrintable(r.out));
        QVERIFY2(r.out.contains(u"database: "_s + database), qPrintable(r.out));
    }

    void initInAnEmptyFolderTwice()
    {
        QTemporaryDir dir;
        writeLink(dir, "2,x,x,x,x,");
        const Run first = runCli(dir.path(), { u"init"_s });
        QCOMPARE(first.code, 0);
        QVERIFY(first.out.contains(u"seeded"_s));
        QVERIFY(QFile::exists(dir.filePath(u"database/basedb.db"_s)));
        QVERIFY(QFile::exists(dir.filePath(u"database/zipcode.db"_s)));
        const Run second = runCli(dir.path(), { u"init"_s });
        QCOMPARE(second.code, 0);
        QVERIFY(second.out.contains(u"already set up"_s));
        {
            auto zip = openSqliteFile(dir.filePath(u"database/zipcode.db"_s), u"zipcheck"_s);
            QVERIFY(zip.ok());
            QCOMPARE(sql::scalar(*zip, u"select count(*) from ZIPCODE where ZIP = '100'"_s)->toInt(), 1);
            QCOMPARE(sql::scalar(*zip, u"select CITY from ZIPCODE where ZIP = '100'"_s)->toString(), u"臺北市"_s);
        }
        closeDatabase(u"zipcheck"_s);
        closeDatabase(QString::fromLatin1(kMainConnection));
    }

    void missingLinkFileFallsBackToTheDesktopDatabase()
    {
        QTemporaryDir dir;
        const Run r = runCli(dir.path(), { u"init"_s });
        QCOMPARE(r.code, 0);
        QVERIFY(!r.err.isEmpty());
        QVERIFY(QFile::exists(dir.filePath(u"database/basedb.db"_s)));
        closeDatabase(QString::fromLatin1(kMainConnection));
    }

    void helpAndUnknownCommands()
    {
        QTemporaryDir dir;
        const Run help = runCli(dir.path(), { u"--help"_s });
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.contains(u"connection"_s) && help.out.contains(u"init"_s));
        const Run commandHelp = runCli(dir.path(), { u"init"_s, u"--help"_s });
        QCOMPARE(commandHelp.code, 0);
        QVERIFY(commandHelp.out.startsWith(u"Usage: korvessa-cli init"_s));
        QCOMPARE(runCli(dir.path(), { u"frobnicate"_s }).code, 2);
    }

    void signInAndRights_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("admin") << u"admin"_s << u"admin"_s << u"C202"_s << QString();
        QTest::newRow("wrong password") << u"admin"_s << u"x"_s << u"C202"_s << u"使用者名稱或密碼錯誤!請重新輸入!"_s;
        QTest::newRow("no right") << u"admin"_s << u"admin"_s << u"Z99"_s << u"\n\r沒有權限!"_s;
    }

    void signInAndRights()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, program);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        writeLink(dir, "2,x,x,x,x,");
        QCOMPARE(runCli(dir.path(), { u"init"_s }).code, 0);
        qputenv("KORVESSA_PASSWORD", password.toUtf8());
        QString out;
        QTextStream o(&out);
        cli::Io io { o, o, nullptr, dir.path() };
        auto session = cli::signIn(
            QSqlDatabase::database(QString::fromLatin1(kMainConnection)), { u"示範公司"_s, user }, program, io);
        qunsetenv("KORVESSA_PASSWORD");
        QCOMPARE(session.ok(), refusal.isEmpty());
        if (session.ok()) {
            QCOMPARE(session->cur_comp, u"示範公司"_s);
            QVERIFY(session->rights.can_save);
        } else {
            QCOMPARE(session.refusal().text, refusal);
        }
        closeDatabase(QString::fromLatin1(kMainConnection));
    }

    void importVouchers()
    {
        QTemporaryDir dir;
        writeLink(dir, "2,x,x,x,x,");
        QCOMPARE(runCli(dir.path(), { u"init"_s }).code, 0);
        writeVouchers(dir, u"good.csv"_s, "1,2024/05/17,轉帳傳票,NT,,1101,,10,,,,\n1,,,,,1102,,,10,,,\n");
        writeVouchers(dir, u"bad.csv"_s, "1,2024/05/17,轉帳傳票,NT,,1101,,10,,,,\n1,,,,,9999,,,10,,,\n");
        qputenv("KORVESSA_PASSWORD", "admin");
        const Run bad = runCli(dir.path(), QStringList { u"import"_s, u"vouchers"_s, u"bad.csv"_s } + kSignIn);
        QCOMPARE(bad.code, 1);
        QVERIFY2(bad.err.contains(u"row 3: 無此會計科目，請重新輸入！"_s), qPrintable(bad.err));
        const Run good = runCli(dir.path(), QStringList { u"import"_s, u"vouchers"_s, u"good.csv"_s } + kSignIn);
        QCOMPARE(good.code, 0);
        QVERIFY2(good.out.startsWith(u"imported 1 vouchers with 2 lines"_s), qPrintable(good.out));
        // Each run opens the books again.
        auto lines = [] {
            return sql::scalar(
                QSqlDatabase::database(QString::fromLatin1(kMainConnection)), u"select count(*) from fincd"_s)
                .value()
                .toInt();
        };
        QCOMPARE(lines(), 2);

        // Without the right to add vouchers nothing is read.
        QVERIFY(sql::execute(QSqlDatabase::database(QString::fromLatin1(kMainConnection)),
            u"update acctright set u_add = 'N' where user_no = 'admin' and u_prog = 'C201'"_s));
        const Run refused = runCli(dir.path(), QStringList { u"import"_s, u"vouchers"_s, u"good.csv"_s } + kSignIn);
        qunsetenv("KORVESSA_PASSWORD");
        QCOMPARE(refused.code, 1);
        QCOMPARE(lines(), 2);
        QCOMPARE(runCli(dir.path(), { u"import"_s, u"customers"_s, u"good.csv"_s }).code, 2);
        closeDatabase(QString::fromLatin1(kMainConnection));
    }

    void postAndExportJournal()
    {
        QTemporaryDir dir;
        writeLink(dir, "2,x,x,x,x,");
        QCOMPARE(runCli(dir.path(), { u"init"_s }).code, 0);
        writeVouchers(dir, u"v.csv"_s,
            "1,2024/05/31,轉帳傳票,NT,月底,1101,,10,,管理部,,\n1,,,,,1102,,,10,,,\n"
            "2,2024/06/01,轉帳傳票,NT,,1101,,4,,,,\n2,,,,,1102,,,4,,,\n");
        qputenv("KORVESSA_PASSWORD", "admin");
        QCOMPARE(runCli(dir.path(), QStringList { u"import"_s, u"vouchers"_s, u"v.csv"_s } + kSignIn).code, 0);
        const Run post
            = runCli(dir.path(), QStringList { u"post"_s, u"2024/04"_s, u"2024/06"_s, u"--departments"_s } + kSignIn);
        QCOMPARE(post.code, 0);
        QCOMPARE(post.out,
            u"2024/04: finpos 0 finposp 0 rows\n2024/05: finpos 2 finposp 1 rows\n2024/06: finpos 2 finposp 0 rows\n"_s);
        QCOMPARE(runCli(dir.path(), QStringList { u"post"_s, u"2024/13"_s } + kSignIn).code, 2);
        QCOMPARE(runCli(dir.path(), QStringList { u"post"_s, u"2024/06"_s, u"2024/05"_s } + kSignIn).code, 2);

        const Run exported
            = runCli(dir.path(), QStringList { u"export"_s, u"journal"_s, u"-o"_s, u"books.journal"_s } + kSignIn);
        qunsetenv("KORVESSA_PASSWORD");
        QCOMPARE(exported.code, 0);
        QFile journal(dir.filePath(u"books.journal"_s));
        QVERIFY(journal.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(journal.readAll()),
            u"2024/05/31 (F240531001) 月底\n    1101  10\n    1102  -10\n\n2024/06/01 (F240601001)\n    1101  4\n    1102  -4\n\n"_s);
        closeDatabase(QString::fromLatin1(kMainConnection));
    }

    // The trial balance of posted months as CSV and as JSON, in code order.
    void reportTrialBalance()
    {
        QTemporaryDir dir;
        writeLink(dir, "2,x,x,x,x,");
        QCOMPARE(runCli(dir.path(), { u"init"_s }).code, 0);
        writeVouchers(dir, u"v.csv"_s,
            "1,2024/04/30,轉帳傳票,NT,,1102,,300,,,,\n1,,,,,1101,,,300,,,\n"
            "2,2024/05/31,轉帳傳票,NT,,1101,,10,,管理部,,\n2,,,,,1102,,,10,,,\n");
        qputenv("KORVESSA_PASSWORD", "admin");
        QCOMPARE(runCli(dir.path(), QStringList { u"import"_s, u"vouchers"_s, u"v.csv"_s } + kSignIn).code, 0);
        QCOMPARE(runCli(dir.path(), QStringList { u"post"_s, u"2024/04"_s, u"2024/05"_s } + kSignIn).code, 0);
        const QStringList range
            = { u"report"_s, u"trial-balance"_s, u"--from"_s, u"2024/05"_s, u"--to"_s, u"2024/05"_s };

        const Run csv = runCli(dir.path(), range + kSignIn);
        QCOMPARE(csv.code, 0);
        QCOMPARE(csv.out,
            u"account,name,period_debit,debit_count,period_credit,credit_count,cumulative_debit,cumulative_credit\n"
            "1101,庫存現金,10,1,0,0,10,300\n1102,銀行存款,0,0,10,1,300,10\n"_s);

        const Run json
            = runCli(dir.path(), range + QStringList { u"--format"_s, u"json"_s, u"-o"_s, u"tb.json"_s } + kSignIn);
        QCOMPARE(json.code, 0);
        QFile file(dir.filePath(u"tb.json"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonArray rows = QJsonDocument::fromJson(file.readAll()).array();
        QCOMPARE(rows.size(), 2);
        const QJsonObject bank = rows.at(1).toObject();
        QCOMPARE(bank.value(u"account"_s).toString(), u"1102"_s);
        QVERIFY(bank.value(u"cumulative_debit"_s).isDouble());
        QCOMPARE(bank.value(u"cumulative_debit"_s).toDouble(), 300.0);
        QCOMPARE(bank.value(u"credit_count"_s).toInt(), 1);

        QCOMPARE(
            runCli(dir.path(), QStringList { u"report"_s, u"trial-balance"_s, u"--from"_s, u"2024/05"_s } + kSignIn)
                .code,
            2);
        QCOMPARE(runCli(dir.path(), range + QStringList { u"--format"_s, u"xml"_s } + kSignIn).code, 2);
        qunsetenv("KORVESSA_PASSWORD");
        closeDatabase(QString::fromLatin1(kMainConnection));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
