#include "core/db/seed.h"
#include "core/db/sql.h"
#include "core/ledger/posting.h"
#include "core/ledger/vouchers.h"
#include "support/testdatabase.h"

#include <QRandomGenerator>
#include <QtTest>

#include <map>
#include <tuple>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

const QString kSeed = QString::fromUtf8(kSeedCompany);

struct L {
    QString account;
    double debit;
    double credit;
    QVariant department = QString();
};

QString save(const QSqlDatabase& db, const QString& date, const QList<L>& lines,
    const vouchers::Currency& c = { u"NT"_s, 1, u"%.0f"_s }, const QString& comp = kSeed)
{
    vouchers::Voucher v = vouchers::newVoucher(comp, u"admin"_s, c, date);
    int sn = 0;
    for (const L& l : lines) {
        vouchers::Line line = vouchers::newLine(v, sn++);
        line.account = l.account;
        line.name = u"名"_s + l.account;
        line.debit = l.debit;
        line.credit = l.credit;
        line.department = l.department.toString();
        v.lines.append(line);
    }
    auto no = vouchers::save(db, v);
    return no ? *no : no.refusal().text;
}

// The posted rows of a table and month as "acc|dep|dec|cre|dcou|ccou|acct2|side|accCN" lines.
QStringList posted(const QSqlDatabase& db, const QString& table, const QString& month, const QString& mark = u"過帳"_s)
{
    const auto rows = sql::rows(db,
        u"select * from "_s + table + u" where comp = :c and finp_dat = :m and finp_temp = :t order by finp_acc, finp_acct, finp_dep"_s,
        { { u":c"_s, kSeed }, { u":m"_s, month }, { u":t"_s, mark } })
                          .value();
    QStringList list;
    for (const QSqlRecord& r : rows) {
        QStringList f;
        for (const char* c : { "finp_acc", "finp_acct", "finp_acct1", "finp_dep", "finp_dec", "finp_cre", "finp_dcou", "finp_ccou",
                 "finp_acct2", "finp_side", "finp_accCN" })
            f.append(sql::field(r, QString::fromLatin1(c)).toString());
        list.append(f.join(u'|'));
    }
    return list;
}

} // namespace

class TestPosting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void monthRule();
    void accountsPosting();
    void generalAndDepartmentPostings();
    void setBasedEqualsPlainComputation();
};

void TestPosting::monthRule()
{
    QVERIFY(posting::checkMonth(u"2024/05"_s));
    for (const QString& bad : { u""_s, u"    /  "_s, u"2024/13"_s, u"2024/5"_s }) {
        const Status s = posting::checkMonth(bad);
        QVERIFY(!s);
        QCOMPARE(s.refusal().text, u"請輸入過帳月份！"_s);
        QCOMPARE(s.refusal().caption, u"資料錯誤"_s);
    }
}

void TestPosting::accountsPosting()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    // 1101 in 管理部, 財務部 and without department; one line on both sides;
    // a dollar voucher on the last day of May; June and another company apart.
    save(db, u"2024/05/01"_s, { { u"1101"_s, 100, 0, u"管理部"_s }, { u"1102"_s, 0, 100 } });
    save(db, u"2024/05/02"_s, { { u"1101"_s, 30, 20, u"財務部"_s }, { u"1102"_s, 0, 10 } });
    save(db, u"2024/05/31"_s, { { u"1101"_s, 10, 0 }, { u"2101"_s, 0, 10 } }, { u"USD"_s, 30.5, u"%.2f"_s });
    save(db, u"2024/06/01"_s, { { u"1101"_s, 7, 0 }, { u"1102"_s, 0, 7 } });
    save(db, u"2024/05/03"_s, { { u"1101"_s, 9, 0 }, { u"1102"_s, 0, 9 } }, { u"NT"_s, 1, u"%.0f"_s }, u"別家"_s);
    // A line saved by an older writer without department, and an account gone from the chart.
    t->exec(u"insert into fincd (comp, find_no, find_sn, find_acc, find_acct, find_name, find_dat, find_tdec, find_tcre, find_dep)"
            " values ('%1', 'X', 1, '9998', '9998', '舊科目', '2024/05/20', 5, 0, null),"
            " ('%1', 'X', 2, '1102', '1102', '名1102', '2024/05/20', 0, 5, null)"_s.arg(kSeed));
    t->exec(u"insert into finpos (comp, finp_dat, finp_acc, finp_dec, finp_temp) values ('%1', '2024/05', '1101', 999, '開帳')"_s.arg(kSeed));
    t->exec(u"insert into finpos (comp, finp_dat, finp_acc, finp_dec, finp_temp) values ('%1', '2024/05', '1101', 1, '過帳')"_s.arg(kSeed));

    QCOMPARE(posting::post(db, kSeed, u"2024/05"_s, posting::Kind::Accounts).value(), 6);
    const QStringList got = posted(db, u"finpos"_s, u"2024/05"_s);
    // 1101 has three lines with a debit and one with a credit in May, and
    // every department row carries those counts; 10 dollars at 30.5 are 305.
    QStringList amounts;
    for (const QString& row : got)
        amounts.append(row.section(u'|', 0, 7));
    QCOMPARE(amounts,
        QStringList({ u"1101|1101|1||305|0|3|1"_s, u"1101|1101|1|管理部|100|0|3|1"_s, u"1101|1101|1|財務部|30|20|3|1"_s,
            u"1102|1102|1||0|115|0|3"_s, u"2101|2101|2||0|305|0|1"_s, u"9998|9998|9||5|0|1|0"_s }));
    QCOMPARE(got.last().section(u'|', 8), u"||"_s); // gone from the chart

    // The sub-category columns come from the chart.
    const auto category = sql::first(db, u"select acc_sys, acc_CN from acc_type a join acct b on a.comp = b.comp and a.acc_1 = b.acct_1"
                                         " and a.acc_2 = b.acct_2 where b.comp = :c and b.acct_4 = '1101'"_s,
        { { u":c"_s, kSeed } })
                              .value()
                              .value();
    QCOMPARE(got.at(1).section(u'|', 8), sql::text(category, u"acc_sys"_s) + u"|借|"_s + sql::text(category, u"acc_CN"_s));

    // Opening rows stay; posting again gives the same rows; June is apart.
    QCOMPARE(sql::scalar(db, u"select count(*) from finpos where finp_temp = '開帳'"_s)->toInt(), 1);
    QCOMPARE(sql::scalar(db, u"select count(*) from fincd where find_dep is null and comp = :c"_s, { { u":c"_s, kSeed } })->toInt(), 0);
    QCOMPARE(posting::post(db, kSeed, u"2024/05"_s, posting::Kind::Accounts).value(), 6);
    QCOMPARE(posted(db, u"finpos"_s, u"2024/05"_s), got);
    QVERIFY(posted(db, u"finpos"_s, u"2024/06"_s).isEmpty());
    // A month without lines loses its posted rows.
    t->exec(u"delete from fincd"_s);
    QCOMPARE(posting::post(db, kSeed, u"2024/05"_s, posting::Kind::Accounts).value(), 0);
    QVERIFY(posted(db, u"finpos"_s, u"2024/05"_s).isEmpty());
    QCOMPARE(sql::scalar(db, u"select count(*) from finpos where finp_temp = '開帳'"_s)->toInt(), 1);
}

void TestPosting::generalAndDepartmentPostings()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    t->exec(u"insert into acct (comp, acct_1, acct_2, acct_3, acct_4, acct_CN, acct_side) values ('%1', '1', '11', '1102', '1102001', '甲銀行', '借')"_s.arg(kSeed));
    save(db, u"2024/05/01"_s, { { u"1102001"_s, 100, 0, u"管理部"_s }, { u"1101"_s, 0, 100, u"管理部"_s } });
    save(db, u"2024/05/09"_s, { { u"1102001"_s, 50, 0 }, { u"1101"_s, 0, 50, u"財務部"_s } });

    QCOMPARE(posting::post(db, kSeed, u"2024/05"_s, posting::Kind::General).value(), 2);
    const auto general = sql::rows(db, u"select finp_acct, finp_dec, finp_cre, finp_dcou, finp_ccou, finp_temp from finpos1 order by finp_acct"_s).value();
    QCOMPARE(general.size(), 2);
    QCOMPARE(sql::text(general.at(0), u"finp_acct"_s), u"1101"_s);
    QCOMPARE(sql::field(general.at(0), u"finp_cre"_s).toDouble(), 150.0);
    QCOMPARE(sql::field(general.at(0), u"finp_ccou"_s).toInt(), 2);
    QCOMPARE(sql::text(general.at(1), u"finp_acct"_s), u"1102"_s);
    QCOMPARE(sql::field(general.at(1), u"finp_dec"_s).toDouble(), 150.0);
    QCOMPARE(sql::field(general.at(1), u"finp_dcou"_s).toInt(), 2);
    QCOMPARE(sql::text(general.at(1), u"finp_temp"_s), u"過帳"_s);

    QCOMPARE(posting::post(db, kSeed, u"2024/05"_s, posting::Kind::Departments).value(), 3);
    const QStringList departments = posted(db, u"finposp"_s, u"2024/05"_s, u"部門過帳"_s);
    QCOMPARE(departments.size(), 3);
    QVERIFY2(departments.at(0).startsWith(u"1101|1101|1|管理部|0|100|0|2|"_s), qPrintable(departments.at(0)));
    QVERIFY2(departments.at(1).startsWith(u"1101|1101|1|財務部|0|50|0|2|"_s), qPrintable(departments.at(1)));
    // The counts are those of the whole account, the line without department included.
    QVERIFY2(departments.at(2).startsWith(u"1102001|1102|1|管理部|100|0|2|0|"_s), qPrintable(departments.at(2)));
    // Each posting keeps to its own table.
    QCOMPARE(sql::scalar(db, u"select count(*) from finpos"_s)->toInt(), 0);
}

void TestPosting::setBasedEqualsPlainComputation()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    QRandomGenerator random(20241211);
    const QStringList accountCodes = { u"1101"_s, u"1102"_s, u"1103"_s, u"2101"_s, u"4101"_s };
    const QStringList departments = { QString(), u"管理部"_s, u"財務部"_s };
    // key (acc, dep) → dec, cre; acc → dcou, ccou
    std::map<std::pair<QString, QString>, std::pair<double, double>> sums;
    std::map<QString, std::pair<int, int>> counts;
    for (int v = 0; v < 300; ++v) {
        const QString date = u"2024/%1/%2"_s.arg(3 + random.bounded(3), 2, 10, QChar(u'0')).arg(1 + random.bounded(28), 2, 10, QChar(u'0'));
        const int n = 2 + random.bounded(5);
        QList<L> lines;
        double total = 0;
        for (int i = 0; i < n - 1; ++i) {
            const double amount = 1 + random.bounded(1000);
            total += amount;
            lines.append({ accountCodes.at(random.bounded(accountCodes.size())), amount, 0,
                departments.at(random.bounded(departments.size())) });
        }
        lines.append({ accountCodes.at(random.bounded(accountCodes.size())), 0, total,
            departments.at(random.bounded(departments.size())) });
        QVERIFY(save(db, date, lines).startsWith(u'F'));
        if (date.startsWith(u"2024/04/"_s)) {
            for (const L& l : lines) {
                auto& s = sums[{ l.account, l.department.toString() }];
                s.first += l.debit;
                s.second += l.credit;
                auto& c = counts[l.account];
                c.first += l.debit > 0;
                c.second += l.credit > 0;
            }
        }
    }
    QVERIFY(posting::post(db, kSeed, u"2024/04"_s, posting::Kind::Accounts));
    QStringList expected;
    for (const auto& [key, s] : sums) {
        const auto& c = counts.at(key.first);
        expected.append(QStringList { key.first, key.second, QString::number(s.first), QString::number(s.second),
            QString::number(c.first), QString::number(c.second) }
                .join(u'|'));
    }
    QStringList got;
    for (const QString& row : posted(db, u"finpos"_s, u"2024/04"_s)) {
        const QStringList f = row.split(u'|');
        got.append(QStringList { f.at(0), f.at(3), f.at(4), f.at(5), f.at(6), f.at(7) }.join(u'|'));
    }
    QCOMPARE(got, expected);
}

QTEST_GUILESS_MAIN(TestPosting)
#include "tst_db_posting.moc"
