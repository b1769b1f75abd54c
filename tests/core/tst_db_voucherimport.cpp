#include "core/db/seed.h"
#include "core/db/sql.h"
#include "core/ledger/voucherimport.h"
#include "core/ledger/vouchers.h"
#include "support/testdatabase.h"

#include <QBuffer>
#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

const QString kSeed = QString::fromUtf8(kSeedCompany);
const QByteArray kHeader = "voucher,date,type,currency,summary,account,line_summary,debit,credit,department,counterparty,source_no\n";

Result<vouchers::ImportResult> import(const QSqlDatabase& db, const QByteArray& rows, const QByteArray& header = kHeader)
{
    QByteArray data = header + rows;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return vouchers::importCsv(db, kSeed, u"admin"_s, buffer);
}

int count(const QSqlDatabase& db, const QString& table)
{
    return sql::scalar(db, u"select count(*) from "_s + table)->toInt();
}

} // namespace

class TestVoucherImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void validFile();
    void refusedRows_data();
    void refusedRows();
    void badHeader();
};

void TestVoucherImport::validFile()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    t->exec(u"insert into custom (cus_no, cus_name) values ('C001', '客戶一')"_s);
    t->exec(u"insert into cuery (comp, cuery_no, cuery_num, cuery_dec, cuery_for) values ('%1', 'USD', 30.5, 2, '%.2f')"_s
                .arg(kSeed));
    // An existing voucher of the date: the import goes on after it.
    vouchers::Voucher before = vouchers::newVoucher(kSeed, u"admin"_s, { u"NT"_s, 1, u"%.0f"_s }, u"2024/05/17"_s);
    vouchers::Line l;
    l.account = u"1101"_s;
    l.debit = 1;
    before.lines = { l, l };
    before.lines[1].debit = 0;
    before.lines[1].credit = 1;
    QCOMPARE(vouchers::save(db, before).value(), u"F240517001"_s);

    // The BOM, CRLF line ends, a quoted summary with a comma, quotes and a
    // line break, and grouping by consecutive keys (A again later is a new
    // voucher).
    const QByteArray rows = "A,2024/05/17,轉帳傳票,NT,\"房租, \"\"五月\"\"\n第二行\",1101,,1000,0,管理部,C001,S-1\r\n"
                            "A,2024/05/17,,,ignored,1102,付款,0,1000,,,\r\n"
                            "B,2024/05/18,現金支出,USD,美元,1101,,100.604,,,,\r\n"
                            "B,,,,,1102,,,100.6,,,\r\n"
                            "A,2024/05/17,轉帳傳票,NT,again,1101,,5,,,,\r\n"
                            "A,,,,,1102,,,5,,,\r\n"
                            "\r\n";
    auto result = import(db, rows, "\xEF\xBB\xBF" + kHeader);
    QVERIFY2(result, qPrintable(result ? QString() : result.refusal().text));
    QVERIFY2(result->refusals.isEmpty(), qPrintable(result->refusals.join(u'\n')));
    QCOMPARE(result->vouchers, 3);
    QCOMPARE(result->lines, qint64(6));

    const auto a = vouchers::load(db, kSeed, u"F240517002"_s).value().value();
    QCOMPARE(a.summary, u"房租, \"五月\"\n第二行"_s);
    QCOMPARE(a.type, u"轉帳傳票"_s);
    QCOMPARE(a.user, u"admin"_s);
    QCOMPARE(a.lines.size(), 2);
    QCOMPARE(a.lines.at(0).name, u"庫存現金"_s);
    QCOMPARE(a.lines.at(0).department, u"管理部"_s);
    QCOMPARE(a.lines.at(0).counterparty, u"C001"_s);
    QCOMPARE(a.lines.at(0).sourceNo, u"S-1"_s);
    QCOMPARE(a.lines.at(1).summary, u"付款"_s);
    QCOMPARE(a.debitTotal, 1000.0);
    QVERIFY(vouchers::load(db, kSeed, u"F240517003"_s).value()); // the second "A"

    const auto b = vouchers::load(db, kSeed, u"F240518001"_s).value().value();
    QCOMPARE(b.currency, u"USD"_s);
    QCOMPARE(b.rate, 30.5);
    QCOMPARE(b.lines.at(0).debit, 100.6);
    QCOMPARE(b.lines.at(0).localDebit, qint64(3068));
    QCOMPARE(b.lines.at(1).currency, u"USD"_s);
}

void TestVoucherImport::refusedRows_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QStringList>("reported");

    const QByteArray good = "G,2024/05/17,轉帳傳票,NT,,1101,,10,,,,\nG,,,,,1102,,,10,,,\n";
    auto withGood = [&](const QByteArray& bad) { return good + bad; };
    QTest::newRow("unknown account") << withGood("X,2024/05/17,轉帳傳票,NT,,9999,,10,,,,\nX,,,,,1102,,,10,,,\n")
                                     << QStringList { u"row 4: 無此會計科目，請重新輸入！"_s };
    QTest::newRow("account length") << withGood("X,2024/05/17,轉帳傳票,NT,,11,,10,,,,\n")
                                    << QStringList { u"row 4: 會計科目長度需為四碼或七碼！請重新輸入！"_s };
    QTest::newRow("date") << withGood("X,2024/02/30,轉帳傳票,NT,,1101,,10,,,,\nX,,,,,1102,,,10,,,\n")
                          << QStringList { u"row 4: 輸入格式錯誤"_s };
    QTest::newRow("type and currency")
        << withGood("X,2024/05/17,,ZZ,,1101,,10,,,,\nX,,,,,1102,,,10,,,\n")
        << QStringList { u"row 4: 請輸入傳票類別！"_s, u"row 4: 無此幣別，請重新輸入！"_s };
    QTest::newRow("amounts") << withGood("X,2024/05/17,轉帳傳票,NT,,1101,,abc,,,,\nX,,,,,1102,,0,0,,,\nX,,,,,1102,,-3,,,,\n")
                             << QStringList { u"row 4: 金額格式錯誤！請重新輸入！"_s, u"row 5: 金額需大於0！"_s,
                                    u"row 6: 金額需大於0！"_s };
    QTest::newRow("unbalanced, reported at its first row")
        << withGood("X,2024/05/17,轉帳傳票,NT,,1101,,10,,,,\nX,,,,,1102,,,9,,,\n")
        << QStringList { u"row 4: 分錄明細借／貸不平衡！請重新確認！"_s };
    QTest::newRow("department and counterparty")
        << withGood("X,2024/05/17,轉帳傳票,NT,,1101,,10,,無此部門,,\nX,,,,,1102,,,10,,NOBODY,\n")
        << QStringList { u"row 4: 無此部門，請重新輸入！"_s, u"row 5: 無此客戶編號，請重新輸入！"_s };
    QTest::newRow("too long")
        << withGood("X,2024/05/17,轉帳傳票,NT," + QByteArray(51, 'x') + ",1101,,10,,,,\nX,,,,,1102,,,10,,,\n")
        << QStringList { u"row 4: 傳票摘要不可超過50個字！"_s };
}

void TestVoucherImport::refusedRows()
{
    QFETCH(QByteArray, rows);
    QFETCH(QStringList, reported);
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    auto result = import(db, rows);
    QVERIFY(result);
    QCOMPARE(result->refusals, reported);
    QCOMPARE(result->refusedRows, qint64(reported.size()));
    // All or nothing: the good voucher before the bad one is not written.
    QCOMPARE(count(db, u"fincm"_s), 0);
    QCOMPARE(count(db, u"fincd"_s), 0);
}

void TestVoucherImport::badHeader()
{
    KORVESSA_TEST_DATABASE(t);
    auto result = import(t->books(), "A,2024/05/17\n", "voucher,date,type\n");
    QVERIFY(!result);
    QVERIFY(result.refusal().text.contains(u"currency"_s));
    QVERIFY(!import(t->books(), {}, {}));
}

QTEST_GUILESS_MAIN(TestVoucherImport)
#include "tst_db_voucherimport.moc"
