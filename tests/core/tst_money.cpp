#include "core/common/money.h"

#include <QtTest>

using namespace korvessa;
using namespace Qt::StringLiterals;

class TestMoney : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rounding_data();
    void rounding();
    void localAmounts_data();
    void localAmounts();
    void storedDoublesRoundAsTheirText();
};

void TestMoney::rounding_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected"); // empty: not a number

    QTest::newRow("whole, half up") << u"100.6"_s << u"%.0f"_s << u"101"_s;
    QTest::newRow("whole, exact half") << u"100.5"_s << u"%.0f"_s << u"101"_s;
    QTest::newRow("two places from the text") << u"2.675"_s << u"%.2f"_s << u"2.68"_s;
    QTest::newRow("negative half away from zero") << u"-2.675"_s << u"%.2f"_s << u"-2.68"_s;
    QTest::newRow("negative below half") << u"-0.4"_s << u"%.0f"_s << u"0"_s;
    QTest::newRow("carry through nines") << u"9.995"_s << u"%.2f"_s << u"10.00"_s;
    QTest::newRow("padding") << u"3"_s << u"%.2f"_s << u"3.00"_s;
    QTest::newRow("zero") << u"0"_s << u"%.2f"_s << u"0.00"_s;
    QTest::newRow("empty is zero") << u""_s << u"%.0f"_s << u"0"_s;
    QTest::newRow("thousands separators") << u"1,234.5"_s << u"%.0f"_s << u"1235"_s;
    QTest::newRow("leading point") << u".5"_s << u"%.0f"_s << u"1"_s;
    QTest::newRow("exponent") << u"1.5e3"_s << u"%.0f"_s << u"1500"_s;
    QTest::newRow("not a pattern rounds whole") << u"7.5"_s << u"x"_s << u"8"_s;
    QTest::newRow("letters") << u"12a"_s << u"%.0f"_s << QString();
    QTest::newRow("lone point") << u"."_s << u"%.0f"_s << QString();
}

void TestMoney::rounding()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    const auto decimals = money::patternDecimals(pattern).value_or(0);
    const auto got = money::roundText(text, decimals);
    QCOMPARE(got.value_or(QString()), expected);
    if (!expected.isEmpty()) {
        QCOMPARE(money::round(text, pattern).value(), expected.toDouble());
        QCOMPARE(money::format(*money::round(text, pattern), pattern), expected);
    }
}

void TestMoney::localAmounts_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<double>("rate");
    QTest::addColumn<qint64>("expected");
    QTest::addColumn<bool>("refused");

    QTest::newRow("half rounded up") << 101.0 << 30.5 << qint64(3081) << false;
    QTest::newRow("fractions of both") << 2.68 << 30.25 << qint64(81) << false; // 81.07
    QTest::newRow("below half") << 10.01 << 1.0 << qint64(10) << false;
    QTest::newRow("negative half") << -0.5 << 1.0 << qint64(-1) << false;
    QTest::newRow("zero") << 0.0 << 31.2 << qint64(0) << false;
    QTest::newRow("largest") << 2147483647.0 << 1.0 << qint64(2147483647) << false;
    QTest::newRow("past the 32-bit range") << 2147483647.0 << 1.0001 << qint64(0) << true;
    QTest::newRow("far negative") << -3000000000.0 << 1.0 << qint64(0) << true;
}

void TestMoney::localAmounts()
{
    QFETCH(double, amount);
    QFETCH(double, rate);
    QFETCH(qint64, expected);
    QFETCH(bool, refused);
    const auto got = money::localAmount(amount, rate);
    QCOMPARE(!got.ok(), refused);
    if (refused)
        QCOMPARE(got.refusal().caption, u"資料錯誤"_s);
    else
        QCOMPARE(*got, expected);
}

void TestMoney::storedDoublesRoundAsTheirText()
{
    // printf("%.2f", 2.675) gives 2.67; the amount typed was 2.675.
    QCOMPARE(money::round(2.675, u"%.2f"_s), 2.68);
    QCOMPARE(money::format(1.005, u"%.2f"_s), u"1.01"_s);
    QCOMPARE(money::format(0.1 + 0.2, u"%.2f"_s), u"0.30"_s);
    QCOMPARE(money::decimalText(QVariant(u"12.50"_s)), u"12.50"_s);
}

QTEST_APPLESS_MAIN(TestMoney)
#include "tst_money.moc"
