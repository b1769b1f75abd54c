#include "core/db/seed.h"
#include "core/db/sql.h"
#include "core/ledger/voucherprint.h"
#include "support/testdatabase.h"

#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

const QString kSeed = QString::fromUtf8(kSeedCompany);
const QString kOther = u"別家公司"_s;

struct Head {
    QString comp, number, date, type, currency;
};

void addHeader(const TestDatabase& t, const Head& h)
{
    QVERIFY(sql::insert(t.books(), u"fincm"_s,
        { { u"comp"_s, h.comp }, { u"finm_no"_s, h.number }, { u"finm_dat"_s, h.date }, { u"finm_type"_s, h.type },
            { u"finm_cur"_s, h.currency }, { u"finm_deb"_s, 1234.5 }, { u"finm_cre"_s, 1234.5 } }));
}

void addLine(const TestDatabase& t, const QString& comp, const QString& number, int sn, const QString& account,
    double debit, double credit)
{
    QVERIFY(sql::insert(t.books(), u"fincd"_s,
        { { u"comp"_s, comp }, { u"find_no"_s, number }, { u"find_sn"_s, sn }, { u"find_acc"_s, account },
            { u"find_name"_s, QString(u"科目"_s + account) }, { u"find_dec"_s, debit }, { u"find_cre"_s, credit },
            { u"find_dep"_s, u"管理部"_s } }));
}

QString numbers(const QSqlDatabase& db, const voucherprint::Filter& filter, const QString& comp = kSeed)
{
    const auto [text, params] = voucherprint::listSelect(comp, filter);
    auto rows = sql::rows(db, text, params);
    if (!rows)
        return u"refused: "_s + rows.refusal().text;
    QStringList list;
    for (const QSqlRecord& r : *rows)
        list.append(sql::text(r, u"finm_no"_s));
    return list.join(u' ');
}

} // namespace

class TestVoucherPrint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void amountFormats_data();
    void amountFormats();
    void formatOfTheHighlightedCurrency();
    void listFilters();
    void footerStoredAndReadBack();
    void printDataOfAVoucher();
};

void TestVoucherPrint::amountFormats_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("format"); // "-" for none
    QTest::addColumn<int>("decimals");
    QTest::newRow("%.0f") << u"%.0f"_s << u"#,##0"_s << 0;
    QTest::newRow("%.1f") << u"%.1f"_s << u"#,##0.0"_s << 1;
    QTest::newRow("%.2f") << u"%.2f"_s << u"#,##0.00"_s << 2;
    QTest::newRow("%.3f") << u"%.3f"_s << u"#,##0.000"_s << 3;
    QTest::newRow("%.4f") << u"%.4f"_s << u"#,##0.0000"_s << 4;
    QTest::newRow("%.5f") << u"%.5f"_s << u"-"_s << 0;
    QTest::newRow("%d") << u"%d"_s << u"-"_s << 0;
    QTest::newRow("empty") << QString() << u"-"_s << 0;
}

void TestVoucherPrint::amountFormats()
{
    QFETCH(QString, pattern);
    QFETCH(QString, format);
    QFETCH(int, decimals);
    const std::optional<QString> got = voucherprint::amountFormat(pattern);
    QCOMPARE(got.value_or(u"-"_s), format);
    QCOMPARE(voucherprint::formatDecimals(got.value_or(QString())), decimals);
}

// The currency row decides; a currency that is missing or has a pattern
// outside the table keeps the previous print's format.
void TestVoucherPrint::formatOfTheHighlightedCurrency()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    QVERIFY(sql::insert(db, u"cuery"_s, { { u"comp"_s, kSeed }, { u"cuery_no"_s, u"USD"_s }, { u"cuery_for"_s, u"%.2f"_s } }));
    QVERIFY(sql::insert(db, u"cuery"_s, { { u"comp"_s, kSeed }, { u"cuery_no"_s, u"ODD"_s }, { u"cuery_for"_s, u"%8.2f"_s } }));
    QVERIFY(sql::insert(db, u"cuery"_s, { { u"comp"_s, kOther }, { u"cuery_no"_s, u"JPY"_s }, { u"cuery_for"_s, u"%.0f"_s } }));
    auto formatFor = [&](const QString& code, const QString& previous) {
        auto f = voucherprint::amountFormatFor(db, kSeed, code, previous);
        return f ? *f : u"refused"_s;
    };
    QCOMPARE(formatFor(u"USD"_s, QString()), u"#,##0.00"_s);
    QCOMPARE(formatFor(u"NT"_s, u"#,##0.00"_s), u"#,##0"_s);
    QCOMPARE(formatFor(u"ODD"_s, u"#,##0.00"_s), u"#,##0.00"_s);
    QCOMPARE(formatFor(u"ODD"_s, QString()), QString());
    QCOMPARE(formatFor(u"JPY"_s, u"#,##0.0"_s), u"#,##0.0"_s); // another company's currency
}

void TestVoucherPrint::listFilters()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    for (const Head& h : { Head { kSeed, u"F240517002"_s, u"2024/05/17"_s, u"轉帳傳票"_s, u"NT"_s },
             Head { kSeed, u"F240517001"_s, u"2024/05/17"_s, u"現金收入"_s, u"USD"_s },
             Head { kSeed, u"0000000000"_s, u"2024/01/01"_s, u"轉帳傳票"_s, u"NT"_s },
             Head { kSeed, u"F240601001"_s, u"2024/06/01"_s, u"現金支出"_s, u"NT"_s },
             Head { kOther, u"F240517003"_s, u"2024/05/17"_s, u"轉帳傳票"_s, u"NT"_s } })
        addHeader(*t, h);
    const QString blank = u"    /  /  "_s;
    // Opened from voucher entry: both numbers on that voucher.
    QCOMPARE(numbers(db, { blank, blank, u"F240517002"_s, u"F240517002"_s, {}, {} }), u"F240517002"_s);
    // Nothing filled: every voucher of the company by date and number, the
    // opening-balance voucher included.
    QCOMPARE(numbers(db, { blank, blank, {}, {}, {}, {} }), u"0000000000 F240517001 F240517002 F240601001"_s);
    QCOMPARE(numbers(db, { u"2024/05/17"_s, u"2024/05/31"_s, {}, {}, {}, {} }), u"F240517001 F240517002"_s);
    QCOMPARE(numbers(db, { {}, {}, u"F240517002"_s, {}, {}, {} }), u"F240517002 F240601001"_s);
    QCOMPARE(numbers(db, { {}, {}, {}, u"F240517001"_s, {}, {} }), u"0000000000 F240517001"_s);
    QCOMPARE(numbers(db, { {}, {}, {}, {}, u"轉帳傳票"_s, {} }), u"0000000000 F240517002"_s);
    QCOMPARE(numbers(db, { {}, {}, {}, {}, {}, u"USD"_s }), u"F240517001"_s);
    // Typed values are bound, never part of the statement.
    QCOMPARE(numbers(db, { {}, {}, {}, u"' or ''='"_s, {}, {} }), QString());
}

void TestVoucherPrint::footerStoredAndReadBack()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    QVERIFY(sql::insert(db, u"company"_s, { { u"comp_name"_s, kOther }, { u"acct_memo"_s, u"別家"_s } }));
    const QString text = u"核准：王經理\n會計：李小姐"_s;
    QVERIFY(voucherprint::saveFooter(db, kSeed, text));
    QCOMPARE(voucherprint::footer(db, kSeed).value(), text);
    QCOMPARE(voucherprint::companyRow(db, kSeed).value().value(u"acct_memo"_s).toString(), text);
    QCOMPARE(voucherprint::footer(db, kOther).value(), u"別家"_s);
    // An emptied footer is empty text, not null.
    QVERIFY(voucherprint::saveFooter(db, kSeed, QString()));
    QVERIFY(sql::exists(db, u"select 1 from company where comp_name = :c and acct_memo = ''"_s, { { u":c"_s, kSeed } })
                .value());
}

// Every listed voucher's lines, in line-number order, each carrying its
// header's number; lines of other vouchers and of other companies stay out.
void TestVoucherPrint::printDataOfAVoucher()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    addHeader(*t, { kSeed, u"F240517001"_s, u"2024/05/17"_s, u"轉帳傳票"_s, u"NT"_s });
    addHeader(*t, { kSeed, u"F240517002"_s, u"2024/05/17"_s, u"轉帳傳票"_s, u"NT"_s });
    addLine(*t, kSeed, u"F240517001"_s, 2, u"1102"_s, 0, 1234.5);
    addLine(*t, kSeed, u"F240517001"_s, 1, u"1101001"_s, 1234.5, 0);
    addLine(*t, kSeed, u"F240517002"_s, 1, u"6112"_s, 10, 0);
    addLine(*t, kOther, u"F240517001"_s, 3, u"9999"_s, 1, 0);

    const auto [text, params] = voucherprint::listSelect(kSeed, { {}, {}, u"F240517001"_s, u"F240517001"_s, {}, {} });
    const auto listedRows = sql::rows(db, text, params);
    QVERIFY(listedRows);
    QList<QVariantMap> headers;
    for (const QSqlRecord& r : *listedRows)
        headers.append(voucherprint::rowValues(r));
    QCOMPARE(headers.size(), 1);

    auto data = voucherprint::printData(db, kSeed, headers);
    QVERIFY(data);
    QCOMPARE(data->headers, headers);
    QCOMPARE(data->headers.first().value(u"finm_deb"_s).toDouble(), 1234.5);
    QCOMPARE(data->lines.size(), 2);
    QStringList seen;
    for (const QVariantMap& line : data->lines) {
        QCOMPARE(line.value(u"finm_no"_s).toString(), u"F240517001"_s);
        QCOMPARE(line.value(u"comp"_s).toString(), kSeed);
        seen.append(u"%1 %2 %3 %4 %5"_s.arg(line.value(u"find_sn"_s).toString(), line.value(u"find_acc"_s).toString(),
            line.value(u"find_name"_s).toString(), line.value(u"find_dec"_s).toString(),
            line.value(u"find_cre"_s).toString()));
    }
    QCOMPARE(seen, (QStringList { u"1 1101001 科目1101001 1234.5 0"_s, u"2 1102 科目1102 0 1234.5"_s }));
    QCOMPARE(data->lines.first().value(u"find_dep"_s).toString(), u"管理部"_s);
}

QTEST_GUILESS_MAIN(TestVoucherPrint)
#include "tst_db_voucherprint.moc"
