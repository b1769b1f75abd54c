#include "core/common/money.h"
#include "core/db/seed.h"
#include "core/db/sql.h"
#include "core/ledger/journalexport.h"
#include "core/ledger/posting.h"
#include "core/ledger/vouchers.h"
#include "support/testdatabase.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

#include <map>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

const QString kSeed = QString::fromUtf8(kSeedCompany);

} // namespace

class TestJournalExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void journalSumsEqualPostedTotals();
};

void TestJournalExport::journalSumsEqualPostedTotals()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    QRandomGenerator random(7);
    const QStringList codes = { u"1101"_s, u"1102"_s, u"2101"_s, u"4101"_s };
    const vouchers::Currency usd { u"USD"_s, 30.5, u"%.2f"_s };
    const vouchers::Currency nt { u"NT"_s, 1, u"%.0f"_s };
    for (int i = 0; i < 60; ++i) {
        const QString date = u"2024/%1/%2"_s.arg(1 + random.bounded(3), 2, 10, QChar(u'0')).arg(1 + random.bounded(28), 2, 10, QChar(u'0'));
        const vouchers::Currency& c = i % 5 == 0 ? usd : nt;
        vouchers::Voucher v = vouchers::newVoucher(kSeed, u"admin"_s, c, date);
        v.summary = i == 0 ? u"多行\n摘要"_s : u"摘要 %1"_s.arg(i);
        const int n = 2 + random.bounded(3);
        double total = 0;
        for (int k = 0; k < n; ++k) {
            vouchers::Line l = vouchers::newLine(v, k);
            l.account = codes.at(random.bounded(codes.size()));
            if (k < n - 1) {
                l.debit = money::round((1 + random.bounded(100000)) / 100.0, c.pattern);
                total += l.debit;
            } else {
                l.credit = total;
            }
            v.lines.append(l);
        }
        QVERIFY(vouchers::save(db, v));
    }
    for (const QString& month : { u"2024/01"_s, u"2024/02"_s, u"2024/03"_s })
        QVERIFY(posting::post(db, kSeed, month, posting::Kind::Accounts));

    QString text;
    QTextStream out(&text);
    const auto written = journal::write(db, kSeed, out);
    QVERIFY(written);
    QCOMPARE(written->vouchers, 60);

    // Read back as ledger would: transactions, postings, balance per account.
    std::map<QString, qint64> balances;
    int transactions = 0;
    qint64 transactionSum = 0;
    static const QRegularExpression head(u"^\\d{4}/\\d{2}/\\d{2} \\(F\\d{9}\\)( .*)?$"_s);
    static const QRegularExpression posting(u"^    (\\S+)  (-?\\d+)$"_s);
    for (const QString& line : text.split(u'\n')) {
        if (line.isEmpty()) {
            QCOMPARE(transactionSum, 0); // every transaction balances
            continue;
        }
        if (const auto m = head.match(line); m.hasMatch()) {
            ++transactions;
            transactionSum = 0;
            continue;
        }
        const auto m = posting.match(line);
        QVERIFY2(m.hasMatch(), qPrintable(line));
        balances[m.captured(1)] += m.captured(2).toLongLong();
        transactionSum += m.captured(2).toLongLong();
    }
    QCOMPARE(transactions, 60);
    QVERIFY(text.contains(u"多行 摘要"_s));

    std::map<QString, qint64> posted;
    const auto rows = sql::rows(db, u"select finp_acc, sum(finp_dec) - sum(finp_cre) as b from finpos where comp = :c group by finp_acc"_s,
        { { u":c"_s, kSeed } })
                          .value();
    for (const QSqlRecord& r : rows)
        posted[sql::text(r, u"finp_acc"_s)] = qint64(std::llround(sql::field(r, u"b"_s).toDouble()));
    const QString difference = QString::fromUtf8(journal::kDifferenceAccount);
    const qint64 differences = balances.count(difference) ? balances.at(difference) : 0;
    balances.erase(difference);
    QCOMPARE(balances, posted);
    // Dollar vouchers balance in dollars, not always in local amounts.
    qint64 all = 0;
    for (const auto& [account, b] : posted)
        all += b;
    QCOMPARE(differences, -all);
    // The fixture's dollar vouchers leave some local differences.
    QVERIFY(written->unbalanced > 0);
    QCOMPARE(int(text.count(u"    "_s + difference + u"  "_s)), written->unbalanced);
}

QTEST_GUILESS_MAIN(TestJournalExport)
#include "tst_db_journalexport.moc"
