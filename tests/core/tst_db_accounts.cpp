#include "core/db/database.h"
#include "core/db/dataset.h"
#include "core/db/seed.h"
#include "core/db/sql.h"
#include "core/ledger/accountcode.h"
#include "core/ledger/accounts.h"
#include "core/ledger/categories.h"
#include "core/ledger/charttree.h"
#include "support/testdatabase.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

const QString kSeed = QString::fromUtf8(kSeedCompany);

void addCategory(const QSqlDatabase& db, const QString& comp, const QString& code, const QString& name)
{
    QVERIFY(sql::insert(db, u"acc_type"_s,
        { { u"comp"_s, comp }, { u"acc_1"_s, code.left(1) }, { u"acc_2"_s, code }, { u"acc_CN"_s, name },
            { u"acc_sys"_s, code }, { u"acc_p"_s, u"是"_s } }));
}

void addAccount(const QSqlDatabase& db, const QString& comp, const QString& code, const QString& name)
{
    QVERIFY(sql::insert(db, u"acct"_s,
        { { u"comp"_s, comp }, { u"acct_1"_s, code.left(1) }, { u"acct_2"_s, code.left(2) },
            { u"acct_3"_s, code.left(4) }, { u"acct_4"_s, code }, { u"acct_CN"_s, name },
            { u"acct_side"_s, u"貸"_s } }));
}

void addVoucherLine(const QSqlDatabase& db, const QString& no, const QString& code)
{
    QVERIFY(sql::insert(db, u"fincd"_s,
        { { u"comp"_s, kSeed }, { u"find_no"_s, no }, { u"find_sn"_s, 1 }, { u"find_acc"_s, code },
            { u"find_acct"_s, code.left(4) }, { u"find_dec"_s, 100.0 }, { u"find_cre"_s, 0.0 } }));
}

// The tree as indented lines, two blanks a level.
QStringList outline(const QList<ChartNode>& nodes)
{
    QList<int> depth(nodes.size(), 0);
    QStringList lines;
    for (int i = 0; i < nodes.size(); ++i) {
        if (nodes[i].parent >= 0) {
            if (nodes[i].parent >= i)
                return { u"parent after child at "_s + nodes[i].text };
            depth[i] = depth[nodes[i].parent] + 1;
        }
        lines.append(QString(depth[i] * 2, u' ') + nodes[i].text);
    }
    return lines;
}

QStringList codes(const QSqlDatabase& db, const QString& table, const QString& column, const QString& comp)
{
    QStringList list;
    const auto rows = sql::rows(db,
        u"select "_s + column + u" from "_s + table + u" where comp = :c order by "_s + column, { { u":c"_s, comp } });
    if (!rows)
        return { rows.refusal().text };
    for (const QSqlRecord& r : *rows)
        list.append(r.value(0).toString());
    return list;
}

} // namespace

class TestAccounts : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db; // the seeded chart, read only

private Q_SLOTS:
    void initTestCase()
    {
        m_db = TestDatabase::create(true);
        if (!m_db)
            return;
        // Another company's account is no duplicate for the seeded one.
        addAccount(m_db->books(), u"別家"_s, u"1198"_s, u"別家科目"_s);
        addAccount(m_db->books(), kSeed, u"2193009"_s, u"孤兒"_s);
    }

    void newCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("message");

        const QString length = u"會計科目長度需為四碼或七碼！請重新輸入！"_s;
        QTest::newRow("five digits") << u"11011"_s << length;
        QTest::newRow("three digits") << u"110"_s << length;
        QTest::newRow("empty") << QString() << length;
        QTest::newRow("not digits") << u"11a1"_s << length;
        QTest::newRow("existing general") << u"1101"_s << u"會計科目重複！請重新輸入！"_s;
        QTest::newRow("existing detail") << u"2193001"_s << u"會計科目重複！請重新輸入！"_s;
        QTest::newRow("no sub-category") << u"1901"_s << u"無此科目類別！請回科目類別建立！"_s;
        QTest::newRow("category checked before parent") << u"1901001"_s << u"無此科目類別！請回科目類別建立！"_s;
        QTest::newRow("no general account") << u"1109001"_s << u"無此父科目！請先建立四碼父科目！"_s;
        QTest::newRow("valid general") << u"1198"_s << QString();
        QTest::newRow("valid detail") << u"1101001"_s << QString();
    }

    void newCode()
    {
        if (!m_db)
            QSKIP("no database");
        QFETCH(QString, code);
        QFETCH(QString, message);
        const Status s = accounts::checkNewCode(m_db->books(), kSeed, code);
        QCOMPARE(s.ok() ? QString() : s.refusal().text, message);
        if (!s.ok()) {
            QCOMPARE(s.refusal().caption, u"資料錯誤"_s);
            QCOMPARE(s.refusal().field, u"DBEdit1"_s);
        }
    }

    void postingAccount_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("general");

        QTest::newRow("general without details") << u"1101"_s << QString() << u"1101"_s;
        QTest::newRow("detail") << u"2193001"_s << QString() << u"2193"_s;
        QTest::newRow("general with details") << u"2193"_s << u"請輸入明細科目！"_s << QString();
        QTest::newRow("not in the chart") << u"1109"_s << u"無此會計科目，請重新輸入！"_s << QString();
        QTest::newRow("category code") << u"11"_s << u"會計科目長度需為四碼或七碼！請重新輸入！"_s << QString();
        QTest::newRow("another company's account") << u"1198"_s << u"無此會計科目，請重新輸入！"_s << QString();
    }

    void postingAccount()
    {
        if (!m_db)
            QSKIP("no database");
        QFETCH(QString, code);
        QFETCH(QString, message);
        QFETCH(QString, general);
        const auto a = accounts::postingAccount(m_db->books(), kSeed, code);
        QCOMPARE(a.ok() ? QString() : a.refusal().text, message);
        if (a.ok()) {
            QCOMPARE(a->code, code);
            QCOMPARE(a->general, general);
            QVERIFY(!a->name.isEmpty());
        }
    }

    void joinWithSubCategory()
    {
        if (!m_db)
            QSKIP("no database");
        const auto one = accounts::withCategory(m_db->books(), kSeed, u"2193001"_s);
        QVERIFY(one.ok() && one->has_value());
        QCOMPARE((*one)->side, u"貸"_s);
        QCOMPARE((*one)->categoryMajor, u"2"_s);
        QCOMPARE((*one)->systemCode, u"21"_s);
        QCOMPARE((*one)->categoryName, u"流動負債"_s);
        const auto all = accounts::allWithCategory(m_db->books(), kSeed);
        QVERIFY(all.ok());
        QCOMPARE(all->size(), 200); // the seeded 199 and one added above
        QCOMPARE(all->value(u"2193001"_s).systemCode, u"21"_s);
    }

    void deleteChecks_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("message");

        QTest::newRow("general with details") << u"2193"_s << u"有子科目不可以刪除！請重新輸入！"_s;
        QTest::newRow("used in a voucher line") << u"1102"_s << u"科目已記帳不可以刪除！請重新輸入！"_s;
        QTest::newRow("opening balance") << u"1103"_s << u"科目已記帳不可以刪除！請重新輸入！"_s;
        QTest::newRow("used only in a template") << u"1104"_s << QString();
        QTest::newRow("unused detail") << u"2193001"_s << QString();
        QTest::newRow("used by another company") << u"1105"_s << QString();
    }

    void deleteChecks()
    {
        QFETCH(QString, code);
        QFETCH(QString, message);
        KORVESSA_TEST_DATABASE(db);
        const QSqlDatabase b = db->books();
        addVoucherLine(b, u"F151231001"_s, u"1102"_s);
        addVoucherLine(b, u"0000000000"_s, u"1103"_s);
        QVERIFY(sql::insert(
            b, u"finsam_d"_s, { { u"comp"_s, kSeed }, { u"sam_no"_s, u"A1"_s }, { u"sam_acc"_s, u"1104"_s } }));
        QVERIFY(sql::insert(
            b, u"fincd"_s, { { u"comp"_s, u"別家"_s }, { u"find_no"_s, u"F1"_s }, { u"find_acc"_s, u"1105"_s } }));
        const Status s = accounts::checkDelete(b, kSeed, code);
        QCOMPARE(s.ok() ? QString() : s.refusal().text, message);
    }

    void detailsThenGeneralDeleted()
    {
        KORVESSA_TEST_DATABASE(db);
        const QSqlDatabase b = db->books();
        DataSet chart;
        chart.setKeyColumns({ u"comp"_s, u"acct_4"_s });
        QVERIFY(chart.open(
            b, u"acct"_s, u"select * from acct where comp = :comp order by acct_4"_s, { { u":comp"_s, kSeed } }));
        for (const QString& detail : { u"2193001"_s, u"2193002"_s, u"2193003"_s, u"2193004"_s }) {
            QVERIFY(!accounts::checkDelete(b, kSeed, u"2193"_s).ok());
            QVERIFY(accounts::checkDelete(b, kSeed, detail).ok());
            QVERIFY(chart.locate(u"acct_4"_s, detail));
            chart.remove();
            QVERIFY(chart.save());
        }
        QVERIFY(accounts::checkDelete(b, kSeed, u"2193"_s).ok());
    }

    void saveSetsPrefixesAndDefaults()
    {
        KORVESSA_TEST_DATABASE(db);
        const QSqlDatabase b = db->books();
        DataSet chart;
        chart.setKeyColumns({ u"comp"_s, u"acct_4"_s });
        QVERIFY(chart.open(
            b, u"acct"_s, u"select * from acct where comp = :comp order by acct_4"_s, { { u":comp"_s, kSeed } }));

        chart.append(accounts::newAccountDefaults(kSeed));
        const Status empty = accounts::save(chart);
        QVERIFY(!empty.ok());
        QCOMPARE(empty.refusal().text, u"請輸入會計科目！"_s);
        QCOMPARE(empty.refusal().field, u"DBEdit1"_s);

        chart.setValue(u"acct_4"_s, u"2193005"_s);
        chart.setValue(u"acct_CN"_s, u"代扣其他"_s);
        QVERIFY(accounts::save(chart));
        QCOMPARE(chart.text(u"acct_4"_s), u"2193005"_s);
        const auto row
            = sql::first(b, u"select * from acct where comp = :c and acct_4 = '2193005'"_s, { { u":c"_s, kSeed } });
        QVERIFY(row.ok() && row->has_value());
        const QSqlRecord r = **row;
        const QStringList got = { sql::text(r, u"acct_1"_s), sql::text(r, u"acct_2"_s), sql::text(r, u"acct_3"_s),
            sql::text(r, u"acct_side"_s), sql::text(r, u"acct_exty"_s), sql::text(r, u"acct_rep"_s),
            sql::text(r, u"acct_stop"_s) };
        QCOMPARE(got, (QStringList { u"2"_s, u"21"_s, u"2193"_s, u"借"_s, u"固定費用"_s, u"否"_s, u"否"_s }));
    }

    void categoryRules()
    {
        KORVESSA_TEST_DATABASE(db);
        const QSqlDatabase b = db->books();
        const Status dup = categories::checkNewCode(b, kSeed, u"11"_s);
        QVERIFY(!dup.ok());
        QCOMPARE(dup.refusal().text, u"科目類別重複！請重新輸入！"_s);
        QCOMPARE(dup.refusal().caption, u"資料錯誤"_s);
        QVERIFY(categories::checkNewCode(b, kSeed, u"19"_s));
        QVERIFY(categories::checkNewCode(b, u"別家"_s, u"11"_s));

        DataSet list;
        list.setKeyColumns({ u"comp"_s, u"acc_2"_s });
        QVERIFY(list.open(b, u"acc_type"_s, u"select * from acc_type where comp = :comp order by acc_1, acc_2"_s,
            { { u":comp"_s, kSeed } }));
        list.append(categories::newCategoryDefaults(kSeed));
        const Status empty = categories::save(list);
        QVERIFY(!empty.ok());
        QCOMPARE(empty.refusal().text, u"請輸入科目類別！"_s);
        list.setValue(u"acc_2"_s, u"19"_s);
        QVERIFY(categories::save(list));
        QCOMPARE(list.text(u"acc_2"_s), u"19"_s);
        const auto row = sql::first(
            b, u"select acc_1, acc_p from acc_type where comp = :c and acc_2 = '19'"_s, { { u":c"_s, kSeed } });
        QVERIFY(row.ok() && row->has_value());
        QCOMPARE(sql::text(**row, u"acc_1"_s), u"1"_s);
        QCOMPARE(sql::text(**row, u"acc_p"_s), u"否"_s);
    }

    void copyFromAnotherCompany()
    {
        KORVESSA_TEST_DATABASE(db);
        const QSqlDatabase b = db->books();
        const QString target = u"新公司"_s;
        QVERIFY(sql::insert(b, u"company"_s, { { u"comp_name"_s, target } }));
        addCategory(b, target, u"11"_s, u"自訂流動"_s);
        addAccount(b, target, u"1101"_s, u"自訂現金"_s);
        addAccount(b, target, u"9999"_s, u"自有科目"_s);

        const auto others = accounts::otherCompanies(b, target);
        QVERIFY(others.ok());
        QCOMPARE(*others, QStringList { kSeed });

        // Accounts first: they are copied although the target has no categories for them.
        const auto added = accounts::copyFrom(b, kSeed, target);
        QVERIFY(added.ok());
        QCOMPARE(*added, 198);
        const auto kept = accounts::find(b, target, u"1101"_s);
        QVERIFY(kept.ok() && kept->has_value());
        QCOMPARE((*kept)->name, u"自訂現金"_s);
        const auto copied = accounts::find(b, target, u"2193001"_s);
        QVERIFY(copied.ok() && copied->has_value());
        QCOMPARE((*copied)->name, u"代扣薪資所得稅"_s);
        QCOMPARE((*copied)->side, u"貸"_s);
        QVERIFY(codes(b, u"acct"_s, u"acct_4"_s, target).contains(u"9999"_s));
        QCOMPARE(codes(b, u"acct"_s, u"acct_4"_s, kSeed).size(), 199);

        const auto cats = categories::copyFrom(b, kSeed, target);
        QVERIFY(cats.ok());
        QCOMPARE(*cats, 37);
        const auto row
            = sql::first(b, u"select acc_CN from acc_type where comp = :c and acc_2 = '11'"_s, { { u":c"_s, target } });
        QVERIFY(row.ok() && row->has_value());
        QCOMPARE(sql::text(**row, u"acc_CN"_s), u"自訂流動"_s);
        const auto major = sql::first(b,
            u"select acc_1, acc_sys, acc_p from acc_type where comp = :c and acc_2 = '2'"_s, { { u":c"_s, target } });
        QVERIFY(major.ok() && major->has_value());
        QCOMPARE(sql::text(**major, u"acc_1"_s), u"2"_s);
        QCOMPARE(sql::text(**major, u"acc_p"_s), u"否"_s);

        // Everything present already: nothing changes.
        QCOMPARE(*accounts::copyFrom(b, kSeed, target), 0);
        QCOMPARE(*categories::copyFrom(b, kSeed, target), 0);
        QCOMPARE(codes(b, u"acc_type"_s, u"acc_2"_s, target), codes(b, u"acc_type"_s, u"acc_2"_s, kSeed));
    }

    void nodeTextToCode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code");
        QTest::newRow("major category") << u"1. 資產"_s << u"1"_s;
        QTest::newRow("sub-category, categories window") << u"11. 流動資產"_s << u"11"_s;
        QTest::newRow("sub-category, chart") << u"11 流動資產"_s << u"11"_s;
        QTest::newRow("general account") << u"1113 銀行存款"_s << u"1113"_s;
        QTest::newRow("detail account") << u"1113-001 台灣銀行 活存"_s << u"1113001"_s;
        QTest::newRow("root") << u"科目類別"_s << QString();
        QTest::newRow("name without a code") << u"現金 1101"_s << QString();
    }

    void nodeTextToCode()
    {
        QFETCH(QString, text);
        QFETCH(QString, code);
        QCOMPARE(accountcode::fromNodeText(text), code);
        if (code.size() >= 4)
            QCOMPARE(accountcode::fromDisplay(accountcode::display(code)), code);
    }

    void treeShape()
    {
        KORVESSA_TEST_DATABASE(db);
        const QSqlDatabase b = db->books();
        const QString c = u"小公司"_s;
        for (const auto& [code, name] : QList<std::pair<QString, QString>> { { u"2"_s, u"負債"_s },
                 { u"1"_s, u"資產"_s }, { u"12"_s, u"短期投資"_s }, { u"11"_s, u"流動資產"_s },
                 { u"21"_s, u"流動負債"_s }, { u"35"_s, u"孤類"_s } })
            addCategory(b, c, code, name);
        for (const auto& [code, name] : QList<std::pair<QString, QString>> { { u"1102"_s, u"銀行存款"_s },
                 { u"1101001"_s, u"零用金"_s }, { u"1101"_s, u"現金"_s }, { u"1201001"_s, u"無父"_s },
                 { u"2101"_s, u"應付"_s }, { u"9901"_s, u"無類別"_s } })
            addAccount(b, c, code, name);

        const auto tree = charttree::chart(b, c);
        QVERIFY(tree.ok());
        QCOMPARE(outline(*tree),
            (QStringList { u"科目類別"_s, u"  1 資產"_s, u"    11 流動資產"_s, u"      1101 現金"_s,
                u"        1101-001 零用金"_s, u"      1102 銀行存款"_s, u"    12 短期投資"_s, u"      1201-001 無父"_s,
                u"  2 負債"_s, u"    21 流動負債"_s, u"      2101 應付"_s, u"    35 孤類"_s }));
        QCOMPARE(tree->at(4).code, u"1101001"_s);
        QCOMPARE(tree->at(4).kind, ChartNode::Kind::Detail);
        QCOMPARE(tree->at(3).kind, ChartNode::Kind::General);

        const auto cats = charttree::categories(b, c);
        QVERIFY(cats.ok());
        QCOMPARE(outline(*cats),
            (QStringList { u"科目類別"_s, u"  1. 資產"_s, u"    11. 流動資產"_s, u"    12. 短期投資"_s, u"  2. 負債"_s,
                u"    21. 流動負債"_s }));
    }

    void largeChartBuildsQuickly()
    {
        KORVESSA_TEST_DATABASE(db, false);
        const QSqlDatabase b = db->books();
        const QString c = u"大公司"_s;
        {
            Transaction t(b);
            QVERIFY(t.started());
            for (int major = 1; major <= 9; ++major) {
                addCategory(b, c, QString::number(major), u"大類"_s);
                for (int sub = 1; sub <= 5; ++sub)
                    addCategory(b, c, QString::number(major * 10 + sub), u"中類"_s);
            }
            // 45 sub-categories, each with 10 general accounts of 9 details
            // and 11 general accounts alone; 5 more in the first: 5,000 accounts.
            for (int major = 1; major <= 9; ++major) {
                for (int sub = major * 10 + 1; sub <= major * 10 + 5; ++sub) {
                    const int generals = sub == 11 ? 26 : 21;
                    for (int g = 0; g < generals; ++g) {
                        const QString general = QString::number(sub) + u"%1"_s.arg(g, 2, 10, QChar(u'0'));
                        addAccount(b, c, general, u"總帳科目"_s);
                        for (int d = 1; g < 10 && d <= 9; ++d)
                            addAccount(b, c, general + u"%1"_s.arg(d, 3, 10, QChar(u'0')), u"明細科目"_s);
                    }
                }
            }
            QVERIFY(t.commit());
        }
        QElapsedTimer timer;
        timer.start();
        const auto tree = charttree::chart(b, c);
        const qint64 ms = timer.elapsed();
        QVERIFY(tree.ok());
        QVERIFY2(ms < 500, qPrintable(u"%1 ms"_s.arg(ms)));
        QCOMPARE(tree->size(), 1 + 9 + 45 + 5000);
    }
};

QTEST_GUILESS_MAIN(TestAccounts)
#include "tst_db_accounts.moc"
