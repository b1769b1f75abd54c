#include "core/db/seed.h"
#include "core/db/sql.h"
#include "core/ledger/vouchers.h"
#include "support/testdatabase.h"

#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

const QString kSeed = QString::fromUtf8(kSeedCompany);

vouchers::Currency usd() { return { u"USD"_s, 30.5, u"%.2f"_s }; }
vouchers::Currency nt() { return { u"NT"_s, 1.0, u"%.0f"_s }; }

vouchers::Line line(const QString& account, double debit, double credit)
{
    vouchers::Line l;
    l.account = account;
    l.debit = debit;
    l.credit = credit;
    return l;
}

vouchers::Voucher voucher(const QString& date, QList<vouchers::Line> lines, const vouchers::Currency& c = nt())
{
    vouchers::Voucher v = vouchers::newVoucher(kSeed, u"admin"_s, c, date);
    int sn = 0;
    for (vouchers::Line& l : lines) {
        l.sn = ++sn;
        l.currency = c.code;
        l.rate = c.rate;
        l.pattern = c.pattern;
    }
    v.lines = lines;
    return v;
}

QString saveNew(const QSqlDatabase& db, vouchers::Voucher v)
{
    auto number = vouchers::save(db, v);
    if (!number)
        qWarning() << number.refusal().text;
    return number ? *number : QString();
}

int count(const QSqlDatabase& db, const QString& text, const SqlParams& params = {})
{
    return sql::scalar(db, text, params)->toInt();
}

} // namespace

class TestVouchers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numbering();
    void saveRules_data();
    void saveRules();
    void foreignCurrencyVoucher();
    void provisionalAndTypedNumbers();
    void correctingKeepsNumberAndReplacesLines();
    void removeTakesLinesAndHeader();
    void movingSkipsTheOpeningVoucher();
    void browserFilters();
    void commonEntries();
};

void TestVouchers::numbering()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    QCOMPARE(vouchers::nextNumber(db, kSeed, u"2024/05/17"_s).value(), u"F240517001"_s);
    QCOMPARE(saveNew(db, voucher(u"2024/05/17"_s, { line(u"1101"_s, 10, 0), line(u"1102"_s, 0, 10) })), u"F240517001"_s);
    vouchers::Voucher cash = voucher(u"2024/05/17"_s, { line(u"1101"_s, 5, 0), line(u"1102"_s, 0, 5) });
    cash.type = u"現金收入"_s;
    QCOMPARE(saveNew(db, cash), u"F240517002"_s);
    // Types share the sequence; other dates and other companies have their own.
    QCOMPARE(vouchers::nextNumber(db, kSeed, u"2024/05/17"_s).value(), u"F240517003"_s);
    QCOMPARE(vouchers::nextNumber(db, kSeed, u"2024/05/18"_s).value(), u"F240518001"_s);
    QCOMPARE(vouchers::nextNumber(db, u"其他公司"_s, u"2024/05/17"_s).value(), u"F240517001"_s);
    QCOMPARE(vouchers::nextNumber(db, kSeed, u"2024/13/01"_s).refusal().text, u"輸入格式錯誤"_s);

    t->exec(u"insert into fincm (comp, finm_no, finm_dat) values ('%1', 'F240517999', '2024/05/17')"_s.arg(kSeed));
    QCOMPARE(vouchers::nextNumber(db, kSeed, u"2024/05/17"_s).refusal().caption, u"資料錯誤"_s);
}

void TestVouchers::saveRules_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QList<double>>("amounts"); // debit, credit pairs on 1101, 1102, …
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("field");

    const QList<double> balanced = { 100, 0, 0, 100 };
    QTest::newRow("type first") << QString() << QString() << balanced << u"請輸入傳票類別！"_s << u"finm_type"_s;
    QTest::newRow("then currency") << u"轉帳傳票"_s << QString() << balanced << u"請輸入傳票幣別！"_s << u"finm_cur"_s;
    QTest::newRow("only zero lines") << u"轉帳傳票"_s << u"NT"_s << QList<double> { 0, 0, 0, 0 } << u"請輸入分錄明細！"_s
                                     << QString();
    QTest::newRow("unbalanced") << u"轉帳傳票"_s << u"NT"_s << QList<double> { 100, 0, 0, 99 }
                                << u"分錄明細借／貸不平衡！請重新確認！"_s << QString();
    QTest::newRow("balanced after rounding") << u"轉帳傳票"_s << u"NT"_s << QList<double> { 100.4, 0, 0, 100 }
                                             << QString() << QString();
    QTest::newRow("a line on both sides") << u"轉帳傳票"_s << u"NT"_s << QList<double> { 50, 20, 0, 30 } << QString()
                                          << QString();
    QTest::newRow("local amount too large") << u"轉帳傳票"_s << u"NT"_s << QList<double> { 3e9, 0, 0, 3e9 }
                                            << u"本幣金額超出範圍！請重新確認金額與匯率！"_s << QString();
}

void TestVouchers::saveRules()
{
    QFETCH(QString, type);
    QFETCH(QString, currency);
    QFETCH(QList<double>, amounts);
    QFETCH(QString, message);
    QFETCH(QString, field);

    QList<vouchers::Line> lines;
    for (qsizetype i = 0; i + 1 < amounts.size(); i += 2)
        lines.append(line(i == 0 ? u"1101"_s : u"1102"_s, amounts.at(i), amounts.at(i + 1)));
    lines.append(line(QString(), 500, 0)); // no account: dropped
    vouchers::Voucher v = voucher(u"2024/05/17"_s, lines);
    v.type = type;
    v.currency = currency;
    const Status s = vouchers::prepare(v);
    QCOMPARE(s.ok(), message.isEmpty());
    if (!s) {
        QCOMPARE(s.refusal().caption, u"資料錯誤"_s);
        QCOMPARE(s.refusal().text, message);
        QCOMPARE(s.refusal().field, field);
    } else {
        QCOMPARE(v.lines.size(), amounts.size() / 2); // the line without an account is gone
        QCOMPARE(v.debitTotal, v.creditTotal);
        QCOMPARE(v.debitCount + v.creditCount, int(std::count_if(amounts.begin(), amounts.end(), [](double a) { return a != 0; })));
    }
}

void TestVouchers::foreignCurrencyVoucher()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    // 100.6 + 0.4 and 101: balanced in dollars; locally 3068 + 12 against 3081.
    vouchers::Voucher v = voucher(u"2024/05/31"_s,
        { line(u"1101"_s, 100.604, 0), line(u"1102"_s, 0.4, 0), line(u"2101"_s, 0, 101.004) }, usd());
    const QString no = saveNew(db, v);
    QCOMPARE(no, u"F240531001"_s);
    const auto saved = vouchers::load(db, kSeed, no).value();
    QVERIFY(saved);
    QCOMPARE(saved->debitTotal, 101.0);
    QCOMPARE(saved->creditTotal, 101.0);
    QCOMPARE(saved->debitCount, 2);
    QCOMPARE(saved->creditCount, 1);
    QCOMPARE(saved->rate, 30.5);
    QCOMPARE(saved->lines.size(), 3);
    QCOMPARE(saved->lines.at(0).debit, 100.6);
    QCOMPARE(saved->lines.at(0).localDebit, qint64(3068)); // 3068.3
    QCOMPARE(saved->lines.at(1).localDebit, qint64(12)); // 12.2
    QCOMPARE(saved->lines.at(2).localCredit, qint64(3081)); // 3080.5
    const auto row = sql::first(db, u"select find_mon, find_dat, find_acct, find_name from fincd where find_sn = 3"_s)
                         .value()
                         .value();
    QCOMPARE(sql::text(row, u"find_mon"_s), u"2024/05"_s);
    QCOMPARE(sql::text(row, u"find_dat"_s), u"2024/05/31"_s);
    QCOMPARE(sql::text(row, u"find_acct"_s), u"2101"_s);
}

void TestVouchers::provisionalAndTypedNumbers()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    const QList<vouchers::Line> lines = { line(u"1101"_s, 1, 0), line(u"1102"_s, 0, 1) };

    // Shown as F240517001 while another user saved that number first.
    vouchers::Voucher mine = voucher(u"2024/05/17"_s, lines);
    mine.number = vouchers::nextNumber(db, kSeed, mine.date).value();
    QCOMPARE(saveNew(db, voucher(u"2024/05/17"_s, lines)), u"F240517001"_s);
    auto saved = vouchers::save(db, mine);
    QVERIFY(saved);
    QCOMPARE(*saved, u"F240517002"_s);
    QCOMPARE(mine.number, u"F240517002"_s);
    QCOMPARE(count(db, u"select count(*) from fincd where find_no = 'F240517002'"_s), 2);

    // A number typed by hand that is taken is refused, and nothing is written.
    vouchers::Voucher typed = voucher(u"2024/05/17"_s, lines);
    typed.number = u"F240517001"_s;
    saved = vouchers::save(db, typed, {}, true);
    QVERIFY(!saved);
    QCOMPARE(saved.refusal().text, u"傳票編號重複！請重新確認！"_s);
    QCOMPARE(saved.refusal().field, u"finm_no"_s);
    QCOMPARE(count(db, u"select count(*) from fincd where find_no = 'F240517001'"_s), 2);
    typed.number = u"MANUAL-1"_s;
    QCOMPARE(vouchers::save(db, typed, {}, true).value(), u"MANUAL-1"_s);
}

void TestVouchers::correctingKeepsNumberAndReplacesLines()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    const QString no = saveNew(db,
        voucher(u"2024/05/17"_s, { line(u"1101"_s, 10, 0), line(u"1102"_s, 0, 4), line(u"1102"_s, 0, 6) }));
    vouchers::Voucher v = vouchers::load(db, kSeed, no).value().value();
    v.date = u"2024/06/02"_s;
    v.lines.removeAt(1); // line 2 goes: 1 and 3 stay, with the gap
    v.lines[1].credit = 10;
    v.lines.append(vouchers::newLine(v, 3));
    v.lines.last().account = u"1102"_s;
    v.lines.last().debit = 0; // empty: dropped
    QCOMPARE(vouchers::save(db, v, no).value(), no);
    const auto again = vouchers::load(db, kSeed, no).value().value();
    QCOMPARE(again.date, u"2024/06/02"_s);
    QCOMPARE(again.lines.size(), 2);
    QCOMPARE(again.lines.at(0).sn, 1);
    QCOMPARE(again.lines.at(1).sn, 3);
    QCOMPARE(count(db, u"select count(*) from fincd where find_no = :no and find_mon = '2024/06'"_s, { { u":no"_s, no } }),
        2);
    QCOMPARE(count(db, u"select count(*) from fincm"_s), 1);
}

void TestVouchers::removeTakesLinesAndHeader()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    const QString a = saveNew(db, voucher(u"2024/05/17"_s, { line(u"1101"_s, 10, 0), line(u"1102"_s, 0, 10) }));
    const QString b = saveNew(db, voucher(u"2024/05/17"_s, { line(u"1101"_s, 7, 0), line(u"1102"_s, 0, 7) }));
    QVERIFY(vouchers::remove(db, kSeed, a));
    QCOMPARE(count(db, u"select count(*) from fincd where find_no = :no"_s, { { u":no"_s, a } }), 0);
    QCOMPARE(count(db, u"select count(*) from fincm where finm_no = :no"_s, { { u":no"_s, a } }), 0);
    QCOMPARE(count(db, u"select count(*) from fincd where find_no = :no"_s, { { u":no"_s, b } }), 2);
}

void TestVouchers::movingSkipsTheOpeningVoucher()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    QVERIFY(!vouchers::any(db, kSeed).value());
    t->exec(u"insert into fincm (comp, finm_no, finm_dat, finm_temp) values ('%1', '0000000000', '2024/01/01', 'lock')"_s
                .arg(kSeed));
    QVERIFY(!vouchers::any(db, kSeed).value());
    for (const QString& date : { u"2024/05/17"_s, u"2024/05/17"_s, u"2024/06/01"_s })
        saveNew(db, voucher(date, { line(u"1101"_s, 1, 0), line(u"1102"_s, 0, 1) }));
    using vouchers::Direction;
    QCOMPARE(vouchers::newest(db, kSeed).value().value(), u"F240601001"_s);
    QCOMPARE(vouchers::oldest(db, kSeed).value().value(), u"F240517001"_s);
    QCOMPARE(vouchers::neighbour(db, kSeed, u"F240601001"_s, Direction::Older).value().value(), u"F240517002"_s);
    QCOMPARE(vouchers::neighbour(db, kSeed, u"F240517002"_s, Direction::Newer).value().value(), u"F240601001"_s);
    QVERIFY(!vouchers::neighbour(db, kSeed, u"F240517001"_s, Direction::Older).value());
    QVERIFY(!vouchers::neighbour(db, kSeed, u"F240601001"_s, Direction::Newer).value());

    const auto [text, params] = vouchers::browseSelect(kSeed, {});
    QCOMPARE(sql::rows(db, text, params)->size(), 3);
}

void TestVouchers::browserFilters()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    struct Made {
        QString date, type, summary;
    };
    for (const Made& m : { Made { u"2024/05/17"_s, u"轉帳傳票"_s, u"房租 50%"_s }, Made { u"2024/05/18"_s, u"現金收入"_s, u"貨款"_s },
             Made { u"2024/06/01"_s, u"現金支出"_s, u"房租"_s } }) {
        vouchers::Voucher v = voucher(m.date, { line(u"1101"_s, 1, 0), line(u"1102"_s, 0, 1) });
        v.type = m.type;
        v.summary = m.summary;
        saveNew(db, v);
    }
    auto numbers = [&](const vouchers::BrowseFilter& f) {
        const auto [text, params] = vouchers::browseSelect(kSeed, f);
        QStringList list;
        const auto rows = sql::rows(db, text, params).value();
        for (const QSqlRecord& r : rows)
            list.append(sql::text(r, u"finm_no"_s));
        return list.join(u' ');
    };
    QCOMPARE(numbers({ u"    /  /  "_s, u"    /  /  "_s, {}, {} }), u"F240517001 F240518001 F240601001"_s);
    QCOMPARE(numbers({ u"2024/05/18"_s, {}, {}, {} }), u"F240518001 F240601001"_s);
    QCOMPARE(numbers({ {}, u"2024/05/18"_s, {}, {} }), u"F240517001 F240518001"_s);
    QCOMPARE(numbers({ {}, {}, u"現金支出"_s, {} }), u"F240601001"_s);
    QCOMPARE(numbers({ {}, {}, {}, u"房租"_s }), u"F240517001 F240601001"_s);
    QCOMPARE(numbers({ {}, {}, {}, u"50%"_s }), u"F240517001"_s);
    QCOMPARE(numbers({ {}, {}, {}, u"0518"_s }), u"F240518001"_s);
}

void TestVouchers::commonEntries()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    t->exec(u"insert into finsam_m (comp, sam_no, sam_type, sam_memo) values ('%1', 'R01', '常用', '房租'),"
            " ('%1', 'R02', '常用', '水電'), ('%1', 'A01', '調整', '折舊')"_s.arg(kSeed));
    t->exec(u"insert into finsam_d (comp, sam_no, sam_type, sam_sn, sam_acc, sam_cd, sam_num, sam_dep) values"
            " ('%1', 'R01', '常用', 2, '1102', '貸', 100, ''), ('%1', 'R01', '常用', 1, '6112', '借', 60, '管理部'),"
            " ('%1', 'R01', '常用', 3, '6113', '借', 40, '')"_s.arg(kSeed));
    auto entries = [&](const QString& keyword) {
        const auto [text, params] = vouchers::entrySelect(kSeed, u"常用"_s, keyword);
        QStringList list;
        const auto rows = sql::rows(db, text, params).value();
        for (const QSqlRecord& r : rows)
            list.append(sql::text(r, u"sam_no"_s));
        return list.join(u' ');
    };
    QCOMPARE(entries({}), u"R01 R02"_s);
    QCOMPARE(entries(u"水電"_s), u"R02"_s); // a LIKE pattern as typed
    QCOMPARE(entries(u"R%"_s), u"R01 R02"_s);
    QCOMPARE(entries(u"R"_s), QString());

    const auto lines = vouchers::entryLines(db, kSeed, u"常用"_s, u"R01"_s).value();
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(0).account, u"6112"_s);
    QCOMPARE(lines.at(0).department, u"管理部"_s);
    QCOMPARE(vouchers::entryLineAmounts(lines.at(0), 1001), std::make_pair(600.6, 0.0));
    QCOMPARE(vouchers::entryLineAmounts(lines.at(1), 1001), std::make_pair(0.0, 1001.0));
    QCOMPARE(vouchers::entryAmount(u"0"_s).refusal().text, u"請輸入金額！"_s);
    QCOMPARE(vouchers::entryAmount(u"abc"_s).refusal().text, u"請輸入金額！"_s);
    QCOMPARE(vouchers::entryAmount(u"1,000"_s).value(), 1000.0);
}

QTEST_GUILESS_MAIN(TestVouchers)
#include "tst_db_vouchers.moc"
