#include "core/db/batchinsert.h"
#include "core/db/database.h"
#include "core/db/seed.h"
#include "core/db/sql.h"
#include "core/reports/trialbalance.h"
#include "core/reports/workrows.h"
#include "support/testdatabase.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace korvessa;
using namespace korvessa::reports;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

const QString kSeed = QString::fromUtf8(kSeedCompany);
const QString kBlankMonth = u"    /  "_s;

struct Pos {
    QString month;
    QString account;
    QString name;
    QString department;
    double debit;
    double credit;
    int debitCount;
    int creditCount;
    QString mark = u"過帳"_s;
    QString comp = kSeed;
};

void insertRows(const QSqlDatabase& db, const QList<Pos>& rows)
{
    Transaction tx(db);
    BatchInsert insert(db, u"finpos"_s,
        { u"comp"_s, u"finp_dat"_s, u"finp_temp"_s, u"finp_acc"_s, u"finp_accN"_s, u"finp_dep"_s, u"finp_dec"_s,
            u"finp_cre"_s, u"finp_dcou"_s, u"finp_ccou"_s, u"finp_acct"_s, u"finp_acct1"_s });
    for (const Pos& p : rows) {
        QVERIFY(insert.add({ p.comp, p.month, p.mark, p.account, p.name, p.department, p.debit, p.credit, p.debitCount,
            p.creditCount, p.account.left(4), p.account.left(1) }));
    }
    QVERIFY(insert.finish());
    QVERIFY(tx.commit());
}

// The posted months of the fixture: 1101 before, in (two departments) and
// after the range 2024/01..2024/03 and with an opening row; 1102001 only
// before; 1102002 under two names; 1188001 without a 4-digit chart account;
// 3101 around the closing month 2010/13; 4101 only after; another company.
const QList<Pos>& fixture()
{
    static const QList<Pos> rows = {
        { u"2023/12"_s, u"1101"_s, u"庫存現金"_s, u""_s, 1000, 0, 1, 0 },
        { u"2024/01"_s, u"1101"_s, u"庫存現金"_s, u"管理部"_s, 500, 0, 2, 0 },
        { u"2024/01"_s, u"1101"_s, u"庫存現金"_s, u"業務部"_s, 300, 0, 2, 0 },
        { u"2024/01"_s, u"1101"_s, u"庫存現金"_s, u""_s, 100000, 0, 1, 0, u"開帳"_s },
        { u"2024/02"_s, u"1101"_s, u"庫存現金"_s, u""_s, 0, 200, 0, 1 },
        { u"2024/04"_s, u"1101"_s, u"庫存現金"_s, u""_s, 999, 0, 1, 0 },
        { u"2023/11"_s, u"1102001"_s, u"甲銀行"_s, u""_s, 700, 0, 1, 0 },
        { u"2024/01"_s, u"1102002"_s, u"乙銀行"_s, u""_s, 100, 0, 1, 0 },
        { u"2024/03"_s, u"1102002"_s, u"乙銀行新"_s, u""_s, 0, 40, 0, 1 },
        { u"2024/02"_s, u"1188001"_s, u"雜項"_s, u""_s, 50.5, 0, 1, 0 },
        { u"2010/12"_s, u"3101"_s, u"股本"_s, u""_s, 10, 0, 1, 0 },
        { u"2010/13"_s, u"3101"_s, u"股本"_s, u""_s, 0, 5000, 0, 1 },
        { u"2011/01"_s, u"3101"_s, u"股本"_s, u""_s, 1, 0, 1, 0 },
        { u"2024/05"_s, u"4101"_s, u"銷貨收入"_s, u""_s, 0, 80, 0, 1 },
        { u"2024/01"_s, u"1101"_s, u"庫存現金"_s, u""_s, 7777, 0, 1, 0, u"過帳"_s, u"別家"_s },
    };
    return rows;
}

// The rows of a table and owner in code order, "P01|P02|…" each.
QStringList stored(const QSqlDatabase& db, WorkTable table, const WorkKey& key)
{
    const auto rows = readRows(db, key, table, table == WorkTable::Report1 ? u"P03, P04"_s : u"P02, P01"_s);
    if (!rows)
        return { rows.refusal().text };
    QStringList list;
    const int width = table == WorkTable::Report1 ? 10 : 8;
    for (const QVariantMap& r : *rows) {
        QStringList f;
        for (int i = 1; i <= width; ++i)
            f.append(r.value(u"P%1"_s.arg(i, 2, 10, QChar(u'0'))).toString());
        list.append(f.join(u'|'));
    }
    return list;
}

int countRows(const QSqlDatabase& db, const QString& table)
{
    return sql::scalar(db, u"select count(*) from "_s + table).value().toInt();
}

} // namespace

class TestTrialBalance : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numberTexts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 12500.0 << u"12500"_s;
        QTest::newRow("negative fraction") << -300.5 << u"-300.5"_s;
        QTest::newRow("zero") << 0.0 << u"0"_s;
        QTest::newRow("negative zero") << -0.0 << u"0"_s;
        QTest::newRow("binary noise") << 0.1 + 0.2 << u"0.3"_s;
        QTest::newRow("large, no exponent") << 1e15 << u"1000000000000000"_s;
        QTest::newRow("small, no exponent") << 0.00001 << u"0.00001"_s;
        QTest::newRow("big fraction") << 1234567.891 << u"1234567.891"_s;
    }
    void numberTexts()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(numberText(value), text);
    }

    // Both tables from the fixture for 2024/01..2024/03; the rows of other
    // owners stay, the user's earlier rows of the kind go, twice is once.
    void computesBothTables()
    {
        KORVESSA_TEST_DATABASE(db, true);
        const QSqlDatabase books = db->books();
        insertRows(books, fixture());
        db->exec(u"delete from acct where acct_4 = '1188'"_s);
        // Rows of other users, companies and kinds, and a stale one of ours.
        for (const auto& [comp, user, type] : { std::tuple { kSeed, u"other"_s, u"試算表"_s },
                 std::tuple { u"別家"_s, u"admin"_s, u"試算表"_s }, std::tuple { kSeed, u"admin"_s, u"明細"_s },
                 std::tuple { kSeed, u"admin"_s, u"試算表"_s } }) {
            for (const QString& table : { u"report1"_s, u"report2"_s })
                QVERIFY(sql::insert(books, table,
                    { { u"comp"_s, comp }, { u"account"_s, user }, { u"type"_s, type }, { u"P02"_s, u"stale"_s } }));
        }

        const QStringList report1 = {
            u"|1101|1101|庫存現金|800|4|200|1|1800|200"_s,
            u"|1102|1102001|甲銀行|0|0|0|0|700|0"_s,
            // Two names: each row takes the range figures of the first name.
            u"|1102|1102002|乙銀行|100|1|0|0|100|0"_s,
            u"|1102|1102002|乙銀行新|100|1|0|0|0|40"_s,
            u"|1188|1188001|雜項|50.5|1|0|0|50.5|0"_s,
            u"|3101|3101|股本|0|0|0|0|11|5000"_s,
        };
        const QStringList report2 = {
            u"庫存現金|1101|1800|200|800|4|200|1"_s,
            u"銀行存款|1102|800|40|100|1|40|1"_s,
            u"|1188|50.5|0|50.5|1|0|0"_s,
            u"股本|3101|11|5000|0|0|0|0"_s,
        };
        const WorkKey mine = trialbalance::key(kSeed, u"admin"_s);
        for (int run = 0; run < 2; ++run) {
            auto counts = trialbalance::compute(books, kSeed, u"admin"_s, u"2024/01"_s, u"2024/03"_s);
            QVERIFY2(counts, counts ? "" : qPrintable(counts.refusal().text));
            QCOMPARE(counts->accounts, 6);
            QCOMPARE(counts->generals, 4);
            QCOMPARE(stored(books, WorkTable::Report1, mine), report1);
            QCOMPARE(stored(books, WorkTable::Report2, mine), report2);
            QCOMPARE(countRows(books, u"report1"_s), 6 + 3);
            QCOMPARE(countRows(books, u"report2"_s), 4 + 3);
        }
        for (const WorkKey& other : { WorkKey { kSeed, u"other"_s, u"試算表"_s }, WorkKey { u"別家"_s, u"admin"_s, u"試算表"_s },
                 WorkKey { kSeed, u"admin"_s, u"明細"_s } }) {
            QCOMPARE(stored(books, WorkTable::Report1, other), QStringList { u"|stale||||||||"_s });
            QCOMPARE(stored(books, WorkTable::Report2, other), QStringList { u"|stale||||||"_s });
        }
        // report1's P01 is empty text, not null.
        QCOMPARE(sql::scalar(books, u"select count(*) from report1 where P01 = '' and type = '試算表' and account = 'admin'"_s)
                     ->toInt(),
            6);
    }

    // One account's row for a range: "P05|P06|P07|P08|P09|P10", "absent"
    // when it is not listed.
    void ranges_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("row");
        QTest::newRow("only before the range") << u"2024/01"_s << u"2024/03"_s << u"1102001"_s << u"0|0|0|0|700|0"_s;
        QTest::newRow("only after the range") << u"2024/01"_s << u"2024/03"_s << u"4101"_s << u"absent"_s;
        QTest::newRow("after-range rows not cumulated") << u"2024/04"_s << u"2024/04"_s << u"1101"_s << u"999|1|0|0|2799|200"_s;
        QTest::newRow("blank from: every month") << kBlankMonth << u"2024/03"_s << u"1101"_s << u"1800|5|200|1|1800|200"_s;
        QTest::newRow("blank to: nothing") << u"2024/01"_s << kBlankMonth << u"1101"_s << u"absent"_s;
        QTest::newRow("year with its closing month") << u"2010/01"_s << u"2011/03"_s << u"3101"_s << u"11|2|5000|1|11|5000"_s;
        QTest::newRow("to December: no closing month") << u"2010/01"_s << u"2010/12"_s << u"3101"_s << u"10|1|0|0|10|0"_s;
        QTest::newRow("the closing month alone") << u"2010/13"_s << u"2010/13"_s << u"3101"_s << u"0|0|5000|1|10|5000"_s;
        QTest::newRow("January after the closing month") << u"2011/01"_s << u"2011/01"_s << u"3101"_s << u"1|1|0|0|11|5000"_s;
    }
    void ranges()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, account);
        QFETCH(QString, row);
        KORVESSA_TEST_DATABASE(db, true);
        insertRows(db->books(), fixture());
        auto counts = trialbalance::compute(db->books(), kSeed, u"admin"_s, from, to);
        QVERIFY(counts);
        QString found = u"absent"_s;
        for (const QString& line : stored(db->books(), WorkTable::Report1, trialbalance::key(kSeed, u"admin"_s))) {
            const QStringList f = line.split(u'|');
            if (f.at(2) == account)
                found = f.mid(4).join(u'|');
        }
        QCOMPARE(found, row);
        if (to == kBlankMonth)
            QCOMPARE(counts->accounts + counts->generals, 0);
    }

    // The print data: balances before and after, totals, the link columns,
    // the variables as given, the company record.
    void printData()
    {
        KORVESSA_TEST_DATABASE(db, true);
        insertRows(db->books(), fixture());
        QVERIFY(trialbalance::compute(db->books(), kSeed, u"admin"_s, u"2024/01"_s, u"2024/03"_s));
        auto data = trialbalance::printData(db->books(), kSeed, u"admin"_s, u"2024/01"_s, u"2024/03"_s, false);
        QVERIFY(data);
        QCOMPARE(data->templateName, u"flist1"_s);
        QCOMPARE(data->variables.value(u"cda"_s).toString(), u"2024/01"_s);
        QCOMPARE(data->variables.value(u"cdb"_s).toString(), u"2024/03"_s);
        QCOMPARE(data->variables.value(u"det"_s), QVariant(false));
        QCOMPARE(data->company.value(u"comp_name"_s).toString(), kSeed);
        QVERIFY(data->company.contains(u"comp_title"_s));
        QCOMPARE(data->sources.size(), 4);
        const DataRows& generals = data->sources.at(0);
        const DataRows& accounts = data->sources.at(1);
        QCOMPARE(generals.name, u"frxDBDataset1"_s);
        QCOMPARE(accounts.name, u"frxDBDataset2"_s);
        QCOMPARE(accounts.master, u"frxDBDataset1"_s);
        QCOMPARE(accounts.linkColumns, (QStringList { u"comp"_s, u"account"_s, u"type"_s, u"P02"_s }));
        QCOMPARE(data->sources.at(2).name, u"frxDBDataset3"_s);
        QCOMPARE(data->sources.at(2).rows.size(), 1);

        auto figures = [](const QVariantMap& r) {
            QStringList f;
            for (const char* c : { "code", "name", "before", "debit", "debit_count", "credit", "credit_count", "cum_debit",
                     "cum_credit", "closing" })
                f.append(r.value(QString::fromLatin1(c)).toString());
            return f.join(u'|');
        };
        QCOMPARE(generals.rows.size(), 4);
        // 1101: closing 1800 − 200 = 1600, before 1600 − 800 + 200 = 1000.
        QCOMPARE(figures(generals.rows.at(0)), u"1101|庫存現金|1000|800|4|200|1|1800|200|1600"_s);
        QCOMPARE(figures(generals.rows.at(3)), u"3101|股本|-4989|0|0|0|0|11|5000|-4989"_s);
        QCOMPARE(accounts.rows.size(), 6);
        QCOMPARE(figures(accounts.rows.at(3)), u"1102002|乙銀行新|-140|100|1|0|0|0|40|-40"_s);
        QCOMPARE(accounts.rows.at(3).value(u"P02"_s).toString(), u"1102"_s);
        const DataRows& totals = data->sources.at(3);
        QCOMPARE(totals.rows.size(), 1);
        QCOMPARE(figures(totals.rows.at(0)), u"||-3289|950.5|6|240|2|2661.5|5240|-2578.5"_s);
    }

    // A year of ~100 accounts × 3 departments × 12 months of posted rows.
    void timingOfAYear()
    {
        KORVESSA_TEST_DATABASE(db, true);
        QList<Pos> rows;
        for (int m = 1; m <= 12; ++m) {
            for (int a = 0; a < 100; ++a) {
                const QString account = u"%1%2"_s.arg(1101 + a / 10 * 100 + a % 10).arg(a % 2 ? u"001"_s : QString());
                for (const QString& dep : { u""_s, u"管理部"_s, u"業務部"_s })
                    rows.append({ u"2024/%1"_s.arg(m, 2, 10, QChar(u'0')), account, u"名"_s + account, dep, 100.0 + a, 50.0 + m,
                        3, 2 });
            }
        }
        insertRows(db->books(), rows);
        // The first run also prepares the statements and warms the caches.
        QVERIFY(trialbalance::compute(db->books(), kSeed, u"admin"_s, u"2024/01"_s, u"2024/12"_s));
        QElapsedTimer clock;
        clock.start();
        auto counts = trialbalance::compute(db->books(), kSeed, u"admin"_s, u"2024/04"_s, u"2024/09"_s);
        const qint64 computed = clock.elapsed();
        QVERIFY(counts);
        QCOMPARE(counts->accounts, 100);
        auto data = trialbalance::printData(db->books(), kSeed, u"admin"_s, u"2024/04"_s, u"2024/09"_s, true);
        QVERIFY(data);
        qInfo("trial balance of %lld finpos rows (%s): computed in %lld ms, print data in %lld ms",
            qint64(rows.size()), qPrintable(TestDatabase::kindName()), computed, clock.elapsed() - computed);
    }
};

QTEST_GUILESS_MAIN(TestTrialBalance)
#include "tst_db_trialbalance.moc"
