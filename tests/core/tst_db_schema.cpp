#include "core/db/schema.h"
#include "core/db/seed.h"
#include "core/db/sql.h"
#include "support/testdatabase.h"

#include <QSqlDriver>
#include <QSqlField>
#include <QSqlRecord>
#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

// Every row of every table, as text, so that two databases can be compared.
QStringList dump(const QSqlDatabase& db)
{
    QStringList lines;
    for (const TableDef& t : schemaTables()) {
        auto rows = sql::rows(db, u"select * from "_s + t.name);
        if (!rows)
            return { rows.refusal().text };
        QStringList tableLines;
        for (const QSqlRecord& r : *rows) {
            QStringList cells;
            for (const ColumnDef& c : t.columns)
                cells.append(sql::text(r, c.name));
            tableLines.append(t.name + u':' + cells.join(u'|'));
        }
        tableLines.sort();
        lines += tableLines;
    }
    return lines;
}

} // namespace

class TestSchema : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qInfo() << "database kind:" << TestDatabase::kindName(); }

    void everyTableAndColumn()
    {
        KORVESSA_TEST_DATABASE(t, false);
        const QSqlDatabase db = t->books();
        QStringList tables;
        for (const QString& name : db.tables())
            tables.append(name.toLower());
        for (const TableDef& table : schemaTables()) {
            QVERIFY2(tables.contains(table.name.toLower()), qPrintable(table.name));
            const QSqlRecord record = db.record(table.name);
            QCOMPARE(record.count(), table.columns.size());
            for (const ColumnDef& c : table.columns)
                QVERIFY2(record.indexOf(c.name) >= 0, qPrintable(table.name + u'.' + c.name));
        }
        auto version = schemaVersion(db);
        QVERIFY(version.ok());
        QCOMPARE(*version, kSchemaVersion);
    }

    // A text(n) column takes n characters, Chinese ones included, and refuses n + 1.
    void textLengthHolds_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("length");
        QTest::newRow("company name") << u"company"_s << u"comp_name"_s << 50;
        QTest::newRow("voucher remark") << u"fincm"_s << u"finm_memo1"_s << 255;
        QTest::newRow("debit mark") << u"finset"_s << u"fmc04c"_s << 1;
    }

    void textLengthHolds()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(int, length);
        KORVESSA_TEST_DATABASE(t, false);
        const QString fits(length, u'帳');
        QVERIFY(sql::insert(t->books(), table, { { column, fits } }).ok());
        const Status tooLong = sql::insert(t->books(), table, { { column, QString(fits + u'x') } });
        QVERIFY(!tooLong.ok());
        QCOMPARE(tooLong.refusal().kind, Refusal::Kind::Database);
        auto stored = sql::scalar(t->books(), u"select "_s + column + u" from "_s + table);
        QCOMPARE(stored->toString(), fits);
    }

    void smallIntegerRange()
    {
        KORVESSA_TEST_DATABASE(t, false);
        QVERIFY(sql::insert(t->books(), u"cuery"_s, { { u"cuery_dec"_s, 32767 } }).ok());
        QVERIFY(!sql::insert(t->books(), u"cuery"_s, { { u"cuery_dec"_s, 32768 } }).ok());
    }

    // Texts sort and compare by code point on both kinds, also on a server
    // whose databases have a locale's collation (the test databases do).
    void textsCompareByCodePoint()
    {
        KORVESSA_TEST_DATABASE(t, false);
        for (const QString& no : { u"a_b"_s, u"A1"_s, u"a-c"_s, u"2024/05/9"_s, u"2024/05/31"_s, u"示範"_s, u"B2"_s })
            QVERIFY(sql::insert(t->books(), u"custom"_s, { { u"cus_no"_s, no } }).ok());
        const auto rows = sql::rows(t->books(), u"select cus_no from custom order by cus_no"_s).value();
        QStringList order;
        for (const QSqlRecord& r : rows)
            order.append(sql::text(r, u"cus_no"_s));
        QCOMPARE(order, QStringList({ u"2024/05/31"_s, u"2024/05/9"_s, u"A1"_s, u"B2"_s, u"a-c"_s, u"a_b"_s, u"示範"_s }));
        QCOMPARE(sql::scalar(t->books(), u"select count(*) from custom where cus_no < 'a_'"_s)->toInt(), 5);
    }

    void uniqueVoucherNumberPerCompany()
    {
        KORVESSA_TEST_DATABASE(t, false);
        const QSqlDatabase db = t->books();
        auto voucher = [&db](const QString& comp) {
            return sql::insert(db, u"fincm"_s, { { u"comp"_s, comp }, { u"finm_no"_s, u"F240305001"_s } });
        };
        QVERIFY(voucher(u"甲"_s).ok());
        QVERIFY(voucher(u"乙"_s).ok());
        QVERIFY(!voucher(u"甲"_s).ok());
    }

    void ensureKeepsRowsAndAddsMissingColumns()
    {
        KORVESSA_TEST_DATABASE(t, false);
        const QSqlDatabase db = t->books();
        QVERIFY(sql::insert(db, u"store"_s, { { u"store_no"_s, u"總倉"_s } }).ok());
        // A database made by an older program lacks a table and a column.
        t->exec(u"drop table ptemp1"_s);
        t->exec(u"drop table catlog"_s);
        t->exec(u"create table catlog (cat_name varchar(50), cat_type varchar(50))"_s);
        QVERIFY(ensureSchema(db).ok());
        QVERIFY(db.record(u"ptemp1"_s).indexOf(u"P07"_s) >= 0);
        QVERIFY(db.record(u"catlog"_s).indexOf(u"sn"_s) >= 0);
        QCOMPARE(sql::scalar(db, u"select count(*) from store"_s)->toInt(), 1);
    }

    void seedingTwiceEqualsOnce()
    {
        KORVESSA_TEST_DATABASE(t, true);
        const QSqlDatabase db = t->books();
        const QStringList once = dump(db);
        QVERIFY(ensureSchema(db).ok());
        QVERIFY(seedDatabase(db).ok());
        QCOMPARE(dump(db), once);
        auto needs = databaseNeedsSeed(db);
        QVERIFY(needs.ok() && !*needs);
    }

    void seedContent()
    {
        KORVESSA_TEST_DATABASE(t, true);
        const QSqlDatabase db = t->books();
        const SqlParams comp = { { u":c"_s, QString::fromUtf8(kSeedCompany) } };
        QCOMPARE(sql::scalar(db, u"select cuery_for from cuery where comp = :c and cuery_no = 'NT'"_s, comp)->toString(),
            u"%.0f"_s);
        for (const QString& code : { u"1101"_s, u"1102"_s, u"1141"_s, u"2141"_s, u"3211"_s, u"3229"_s }) {
            auto found = sql::exists(db, u"select acct_4 from acct where comp = :c and acct_4 = :a"_s,
                SqlParams { comp.first(), { u":a"_s, code } });
            QVERIFY2(found.ok() && *found, qPrintable(code));
        }
        // Every general account sits under a sub-category; every detail account under a general one.
        auto orphans = sql::scalar(db,
            u"select count(*) from acct a where a.comp = :c and not exists (select 1 from acc_type t where t.comp = a.comp"
            " and t.acc_2 = substr(a.acct_4, 1, 2))"_s,
            comp);
        QCOMPARE(orphans->toInt(), 0);
        auto detailOrphans = sql::scalar(db,
            u"select count(*) from acct a where a.comp = :c and length(a.acct_4) = 7 and not exists (select 1 from acct g"
            " where g.comp = a.comp and g.acct_4 = substr(a.acct_4, 1, 4))"_s,
            comp);
        QCOMPARE(detailOrphans->toInt(), 0);
        // The administrator may open every program, and the program list names every window once per code.
        auto programs = sql::scalar(db, u"select count(*) from sampleright where u_prog <> '000'"_s);
        auto rights = sql::scalar(db, u"select count(*) from acctright where user_no = 'admin' and u_view = 'Y' and "
                                      "u_add = 'Y' and u_save = 'Y' and u_delete = 'Y' and u_ptint = 'Y'"_s);
        QCOMPARE(rights->toInt(), programs->toInt());
        QVERIFY(programs->toInt() >= 40);
        QCOMPARE(sql::scalar(db, u"select count(*) from sampleright where u_prog = '000'"_s)->toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_db_schema.moc"
