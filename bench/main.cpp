// korvessa-bench: creates a fresh database, generates a year of synthetic
// vouchers for one company, imports them through the voucher rules, posts
// the twelve months and times each step and the reads the reports and the
// windows make. Prints one figure a line: name, seconds, rows.

#include "core/app/linkfile.h"
#include "core/common/csv.h"
#include "core/db/database.h"
#include "core/db/dataset.h"
#include "core/db/schema.h"
#include "core/db/seed.h"
#include "core/db/sql.h"
#include "core/ledger/journalexport.h"
#include "core/ledger/posting.h"
#include "core/ledger/voucherimport.h"
#include "core/ledger/vouchers.h"
#include "core/reports/trialbalance.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>

using namespace korvessa;
using namespace Qt::StringLiterals;

namespace {

QTextStream out(stdout);
QTextStream err(stderr);

void figure(const QString& name, double seconds, qint64 rows)
{
    out << name.leftJustified(28) << u' ' << QString::number(seconds, 'f', 3).rightJustified(9) << u" s "_s
        << QString::number(rows).rightJustified(9) << u" rows"_s << Qt::endl;
}

[[noreturn]] void fail(const QString& step, const Refusal& r)
{
    err << step << u": "_s << r.text << Qt::endl;
    std::exit(1);
}

template <typename T>
T must(const QString& step, Result<T> result)
{
    if (!result)
        fail(step, result.refusal());
    return std::move(result).value();
}

void must(const QString& step, const Status& status)
{
    if (!status)
        fail(step, status.refusal());
}

const QString kComp = QString::fromUtf8(kSeedCompany);

// About a hundred posting accounts of the seeded chart, three departments,
// two hundred counterparties.
struct Books {
    QStringList accounts;
    QStringList departments;
    QStringList counterparties;
};

Books prepareBooks(const QSqlDatabase& db)
{
    Books books;
    const auto accounts = must(u"chart"_s,
        sql::rows(db, u"select acct_4 from acct a where comp = :c and not exists (select 1 from acct b where b.comp = a.comp"
                      u" and b.acct_3 = a.acct_4 and b.acct_4 <> a.acct_4) order by acct_4 limit 100"_s,
            { { u":c"_s, kComp } }));
    for (const QSqlRecord& r : accounts)
        books.accounts.append(sql::text(r, u"acct_4"_s));
    books.departments = must(u"departments"_s, vouchers::departments(db));
    Transaction tx(db);
    for (int i = 1; i <= 200; ++i) {
        const QString no = u"B%1"_s.arg(i, 4, 10, QChar(u'0'));
        must(u"counterparties"_s, sql::insert(db, u"custom"_s, { { u"cus_no"_s, no }, { u"cus_name"_s, u"往來對象%1"_s.arg(i) } }));
        books.counterparties.append(no);
    }
    must(u"counterparties"_s, tx.commit());
    return books;
}

// As many years as keep each date under 900 vouchers (the numbering allows
// 999 a date): one year up to about a million lines.
int yearsFor(qint64 lines)
{
    const qint64 vouchers = std::max<qint64>(1, lines / 3);
    return int(std::max<qint64>(1, (vouchers + 366 * 900 - 1) / (366 * 900)));
}

// Vouchers of 2 to 4 lines, the last line balancing the others, spread
// evenly over the years in date order; the same file for the same seed and
// size.
qint64 generate(const QString& fileName, qint64 lines, const Books& books, int year)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        fail(u"generate"_s, Refusal::database(file.errorString()));
    QTextStream csv(&file);
    csv << vouchers::importColumns().join(u',') << u'\n';
    QRandomGenerator random(20241211);
    const QDate first(year, 1, 1);
    const int days = int(first.daysTo(QDate(year + yearsFor(lines), 1, 1)));
    const qint64 vouchersWanted = std::max<qint64>(1, lines / 3);
    qint64 written = 0;
    qint64 number = 0;
    while (written < lines) {
        ++number;
        const int day = int(std::min<qint64>(days - 1, (number - 1) * days / vouchersWanted));
        const QString date = first.addDays(day).toString(u"yyyy/MM/dd"_s);
        const int n = int(std::min<qint64>(2 + random.bounded(3), lines - written));
        if (n < 2)
            break;
        const QString key = QString::number(number);
        const QString type = vouchers::types().at(random.bounded(3));
        qint64 total = 0;
        for (int i = 0; i < n; ++i) {
            const bool last = i == n - 1;
            const qint64 amount = last ? total : 1 + random.bounded(500000);
            total += last ? 0 : amount;
            const QString department = random.bounded(2) ? books.departments.value(random.bounded(books.departments.size())) : QString();
            const QString counterparty = random.bounded(4) == 0 ? books.counterparties.at(random.bounded(books.counterparties.size())) : QString();
            csv << csv::line({ key, date, type, u"NT"_s, u"傳票摘要 %1"_s.arg(number),
                       books.accounts.at(random.bounded(books.accounts.size())), u"科目摘要"_s,
                       last ? QString() : QString::number(amount), last ? QString::number(amount) : QString(), department,
                       counterparty, u"S%1"_s.arg(number) })
                << u'\n';
        }
        written += n;
    }
    csv.flush();
    return written;
}

long peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Times import, posting and reading on synthetic books."_s);
    parser.addHelpOption();
    parser.addOption({ u"lines"_s, u"Voucher lines to generate (default 900000)."_s, u"n"_s, u"900000"_s });
    parser.addOption({ u"year"_s, u"The year of the books (default 2024)."_s, u"yyyy"_s, u"2024"_s });
    parser.addOption({ u"postgres"_s, u"Run on this PostgreSQL database instead of a new SQLite file: "
                                       "\"host=… port=… dbname=… user=… [password=…]\"; it must be empty."_s,
        u"conninfo"_s });
    parser.addOption({ u"journal"_s, u"Also write the books as a ledger/hledger journal to FILE."_s, u"FILE"_s });
    parser.addOption({ u"keep"_s, u"Keep the SQLite database in DIR instead of a temporary folder."_s, u"DIR"_s });
    parser.process(app);

    const qint64 lines = parser.value(u"lines"_s).toLongLong();
    const int year = parser.value(u"year"_s).toInt();
    QTemporaryDir temp;
    const QString dir = parser.isSet(u"keep"_s) ? parser.value(u"keep"_s) : temp.path();

    QSqlDatabase db;
    if (parser.isSet(u"postgres"_s)) {
        ConnectionParams params;
        params.kind = ConnectionParams::Kind::Server;
        for (const QString& part : parser.value(u"postgres"_s).split(u' ', Qt::SkipEmptyParts)) {
            const QString key = part.section(u'=', 0, 0);
            const QString value = part.section(u'=', 1);
            if (key == u"host"_s)
                params.host = value;
            else if (key == u"port"_s)
                params.port = value.toInt();
            else if (key == u"dbname"_s)
                params.database = value;
            else if (key == u"user"_s)
                params.user = value;
            else if (key == u"password"_s) {
                params.password = value;
                params.withPassword = true;
            }
        }
        db = must(u"open"_s, openDatabase(params, u"bench"_s, dir));
    } else {
        QFile::remove(dir + u"/bench.db"_s);
        db = must(u"open"_s, openSqliteFile(dir + u"/bench.db"_s, u"bench"_s));
    }
    QElapsedTimer clock;
    clock.start();
    must(u"schema"_s, ensureSchema(db));
    must(u"seed"_s, seedDatabase(db));
    const Books books = prepareBooks(db);
    figure(u"setup"_s, clock.nsecsElapsed() / 1e9, books.accounts.size());

    const QString csvName = dir + u"/vouchers.csv"_s;
    clock.restart();
    const qint64 generated = generate(csvName, lines, books, year);
    figure(u"generate csv"_s, clock.nsecsElapsed() / 1e9, generated);

    QFile csv(csvName);
    csv.open(QIODevice::ReadOnly);
    clock.restart();
    const auto imported = must(u"import"_s, vouchers::importCsv(db, kComp, u"admin"_s, csv));
    if (imported.refusedRows > 0) {
        for (const QString& line : imported.refusals)
            err << line << Qt::endl;
        return 1;
    }
    figure(u"import"_s, clock.nsecsElapsed() / 1e9, imported.lines);
    csv.close();
    QFile::remove(csvName);

    QElapsedTimer year_clock;
    year_clock.start();
    double slowest = 0;
    const int years = yearsFor(lines);
    for (int i = 0; i < 12 * years; ++i) {
        const QString month = u"%1/%2"_s.arg(year + i / 12).arg(i % 12 + 1, 2, 10, QChar(u'0'));
        const qint64 monthLines = must(u"count"_s,
            sql::scalar(db, u"select count(*) from fincd where comp = :c and find_mon = :m"_s, { { u":c"_s, kComp }, { u":m"_s, month } }))
                                      .toLongLong();
        clock.restart();
        const int rows = must(u"post"_s, posting::post(db, kComp, month, posting::Kind::Accounts));
        const double seconds = clock.nsecsElapsed() / 1e9;
        slowest = std::max(slowest, seconds);
        figure(u"post "_s + month + u" ("_s + QString::number(monthLines) + u" lines)"_s, seconds, rows);
    }
    figure(years == 1 ? u"post the year"_s : u"post the %1 years"_s.arg(years), year_clock.nsecsElapsed() / 1e9,
        imported.lines);

    clock.restart();
    const auto balance = must(u"trial balance"_s,
        reports::trialbalance::compute(db, kComp, u"admin"_s, u"%1/01"_s.arg(year), u"%1/12"_s.arg(year + years - 1)));
    figure(u"trial balance of the books"_s, clock.nsecsElapsed() / 1e9, balance.accounts);

    clock.restart();
    const auto ledger = must(u"ledger"_s,
        sql::rows(db, u"select * from fincd where comp = :c and find_acc = :a order by find_dat, find_no, find_sn"_s,
            { { u":c"_s, kComp }, { u":a"_s, books.accounts.first() } }));
    figure(u"one account's ledger"_s, clock.nsecsElapsed() / 1e9, ledger.size());

    clock.restart();
    DataSet list;
    list.setFetchSize(500);
    const auto [select, params] = vouchers::browseSelect(kComp, {});
    must(u"voucher list"_s, list.open(db, {}, select, params));
    figure(u"voucher list first screen"_s, clock.nsecsElapsed() / 1e9, list.count());

    clock.restart();
    const QString newest = must(u"voucher entry"_s, vouchers::newest(db, kComp)).value_or(QString());
    const auto shown = must(u"voucher entry"_s, vouchers::load(db, kComp, newest));
    const auto older = must(u"voucher entry"_s, vouchers::neighbour(db, kComp, newest, vouchers::Direction::Older));
    figure(u"voucher entry open and move"_s, clock.nsecsElapsed() / 1e9, shown ? shown->lines.size() : 0);
    Q_UNUSED(older);

    if (parser.isSet(u"journal"_s)) {
        clock.restart();
        QSaveFile file(parser.value(u"journal"_s));
        if (!file.open(QIODevice::WriteOnly))
            fail(u"journal"_s, Refusal::database(file.errorString()));
        QTextStream journalOut(&file);
        const auto written = must(u"journal"_s, journal::write(db, kComp, journalOut));
        file.commit();
        figure(u"write journal"_s, clock.nsecsElapsed() / 1e9, written.postings);
    }
    out << u"peak memory "_s << peakMegabytes() << u" MB"_s << Qt::endl;
    return 0;
}
