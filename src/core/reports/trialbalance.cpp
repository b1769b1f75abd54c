#include "core/reports/trialbalance.h"

#include "core/db/database.h"
#include "core/db/sql.h"

#include <QHash>

namespace korvessa::reports::trialbalance {

using namespace Qt::StringLiterals;

namespace {

// The posted rows up to the end month, with the cumulative sums and, as
// conditional sums, those of the range (and whether the range has rows at
// all). No lower bound: a blank from-month lies below every month.
const QString kSums = u"coalesce(sum(finp_dec), 0) as cum_dec, coalesce(sum(finp_cre), 0) as cum_cre,"
                      u" sum(case when finp_dat >= :f1 then 1 else 0 end) as in_range,"
                      u" coalesce(sum(case when finp_dat >= :f2 then finp_dec else 0 end), 0) as dec,"
                      u" coalesce(sum(case when finp_dat >= :f3 then finp_dcou else 0 end), 0) as dcou,"
                      u" coalesce(sum(case when finp_dat >= :f4 then finp_cre else 0 end), 0) as cre,"
                      u" coalesce(sum(case when finp_dat >= :f5 then finp_ccou else 0 end), 0) as ccou"
                      u" from finpos where comp = :comp and finp_dat <= :to and finp_temp = :mark"_s;

const QString kAccounts = u"select finp_acc, finp_accN, finp_acct, "_s + kSums
    + u" group by finp_acc, finp_accN, finp_acct order by finp_acc, finp_accN"_s;

const QString kGenerals = u"select g.acct, a.acct_CN, g.cum_dec, g.cum_cre, g.in_range, g.dec, g.dcou, g.cre, g.ccou"
                          u" from (select finp_acct as acct, "_s
    + kSums
    + u" group by finp_acct) g left join acct a on a.comp = :comp2 and a.acct_4 = g.acct"
      u" order by g.acct, a.acct_CN"_s;

SqlParams sumParams(const QString& comp, const QString& from, const QString& to)
{
    return { { u":f1"_s, from }, { u":f2"_s, from }, { u":f3"_s, from }, { u":f4"_s, from }, { u":f5"_s, from },
        { u":comp"_s, comp }, { u":to"_s, to }, { u":mark"_s, u"過帳"_s } };
}

// P05..P08 of a group: "0" each without rows in the range.
QStringList rangeTexts(const QSqlRecord& r)
{
    if (sql::field(r, u"in_range"_s).toLongLong() == 0)
        return { u"0"_s, u"0"_s, u"0"_s, u"0"_s };
    return { numberText(sql::field(r, u"dec"_s).toDouble()), numberText(sql::field(r, u"dcou"_s).toLongLong()),
        numberText(sql::field(r, u"cre"_s).toDouble()), numberText(sql::field(r, u"ccou"_s).toLongLong()) };
}

Figures figuresOf(const QVariantMap& row, const QString& debit, const QString& debitCount, const QString& credit,
    const QString& creditCount, const QString& cumDebit, const QString& cumCredit)
{
    Figures f;
    f.debit = numberOf(row.value(debit));
    f.debitCount = qint64(numberOf(row.value(debitCount)));
    f.credit = numberOf(row.value(credit));
    f.creditCount = qint64(numberOf(row.value(creditCount)));
    f.cumDebit = numberOf(row.value(cumDebit));
    f.cumCredit = numberOf(row.value(cumCredit));
    f.closing = f.cumDebit - f.cumCredit;
    f.before = f.closing - f.debit + f.credit;
    return f;
}

void addFigures(QVariantMap& row, const Figures& f)
{
    row.insert(u"before"_s, f.before);
    row.insert(u"debit"_s, f.debit);
    row.insert(u"debit_count"_s, f.debitCount);
    row.insert(u"credit"_s, f.credit);
    row.insert(u"credit_count"_s, f.creditCount);
    row.insert(u"cum_debit"_s, f.cumDebit);
    row.insert(u"cum_credit"_s, f.cumCredit);
    row.insert(u"closing"_s, f.closing);
}

QList<ValueColumn> figureColumns(bool withCodes)
{
    QList<ValueColumn> columns;
    if (withCodes)
        columns += { { u"code"_s, ValueKind::AccountCode }, { u"name"_s, ValueKind::Text } };
    columns += {
        { u"before"_s, ValueKind::Amount, 0 },
        { u"debit"_s, ValueKind::Amount, 0 },
        { u"debit_count"_s, ValueKind::Count },
        { u"credit"_s, ValueKind::Amount, 0 },
        { u"credit_count"_s, ValueKind::Count },
        { u"cum_debit"_s, ValueKind::Amount, 0 },
        { u"cum_credit"_s, ValueKind::Amount, 0 },
        { u"closing"_s, ValueKind::Amount, 0 },
    };
    return columns;
}

} // namespace

QString kind() { return QString::fromUtf8(kKind); }

WorkKey key(const QString& comp, const QString& user) { return { comp, user, kind() }; }

QString accountRowsSelect() { return rowsSelect(WorkTable::Report1, u"P03, P04"_s); }

Result<Counts> compute(
    const QSqlDatabase& db, const QString& comp, const QString& user, const QString& from, const QString& to)
{
    const SqlParams params = sumParams(comp, from, to);
    auto accounts = sql::rows(db, kAccounts, params);
    if (!accounts)
        return accounts.refusal();
    SqlParams generalParams = params;
    generalParams.append({ u":comp2"_s, comp });
    auto generals = sql::rows(db, kGenerals, generalParams);
    if (!generals)
        return generals.refusal();

    // The range figures of an account are those of its first group with rows
    // in the range, whichever name the row being written has.
    QHash<QString, QStringList> rangeOfAccount;
    for (const QSqlRecord& r : *accounts) {
        const QString account = sql::text(r, u"finp_acc"_s);
        if (!rangeOfAccount.contains(account) && sql::field(r, u"in_range"_s).toLongLong() > 0)
            rangeOfAccount.insert(account, rangeTexts(r));
    }
    const QStringList none = { u"0"_s, u"0"_s, u"0"_s, u"0"_s };

    QList<WorkRow> accountRows;
    accountRows.reserve(accounts->size());
    for (const QSqlRecord& r : *accounts) {
        const QString account = sql::text(r, u"finp_acc"_s);
        QStringList p = { QString(), sql::text(r, u"finp_acct"_s), account, sql::text(r, u"finp_accN"_s) };
        p += rangeOfAccount.value(account, none);
        p += { numberText(sql::field(r, u"cum_dec"_s).toDouble()), numberText(sql::field(r, u"cum_cre"_s).toDouble()) };
        accountRows.append({ p });
    }
    QList<WorkRow> generalRows;
    generalRows.reserve(generals->size());
    for (const QSqlRecord& r : *generals) {
        QStringList p = { sql::text(r, u"acct_CN"_s), sql::text(r, u"acct"_s),
            numberText(sql::field(r, u"cum_dec"_s).toDouble()), numberText(sql::field(r, u"cum_cre"_s).toDouble()) };
        p += rangeTexts(r);
        generalRows.append({ p });
    }

    const WorkKey owner = key(comp, user);
    Transaction tx(db);
    if (!tx.started())
        return tx.started().refusal();
    if (Status s = replaceRows(db, owner, WorkTable::Report1, accountRows); !s)
        return s.refusal();
    if (Status s = replaceRows(db, owner, WorkTable::Report2, generalRows); !s)
        return s.refusal();
    if (Status s = tx.commit(); !s)
        return s.refusal();
    return Counts { int(accountRows.size()), int(generalRows.size()) };
}

Result<ReportData> printData(const QSqlDatabase& db, const QString& comp, const QString& user,
    const QString& fromText, const QString& toText, bool detail)
{
    const WorkKey owner = key(comp, user);
    auto generals = readRows(db, owner, WorkTable::Report2, u"P02, P01"_s);
    if (!generals)
        return generals.refusal();
    auto accounts = readRows(db, owner, WorkTable::Report1, u"P03, P04"_s);
    if (!accounts)
        return accounts.refusal();
    auto company = companyRecord(db, comp);
    if (!company)
        return company.refusal();

    Figures total;
    for (QVariantMap& row : *generals) {
        const Figures f = figuresOf(row, u"P05"_s, u"P06"_s, u"P07"_s, u"P08"_s, u"P03"_s, u"P04"_s);
        row.insert(u"code"_s, row.value(u"P02"_s));
        row.insert(u"name"_s, row.value(u"P01"_s).toString());
        addFigures(row, f);
        total.before += f.before;
        total.debit += f.debit;
        total.debitCount += f.debitCount;
        total.credit += f.credit;
        total.creditCount += f.creditCount;
        total.cumDebit += f.cumDebit;
        total.cumCredit += f.cumCredit;
        total.closing += f.closing;
    }
    for (QVariantMap& row : *accounts) {
        const Figures f = figuresOf(row, u"P05"_s, u"P06"_s, u"P07"_s, u"P08"_s, u"P09"_s, u"P10"_s);
        row.insert(u"code"_s, row.value(u"P03"_s));
        row.insert(u"name"_s, row.value(u"P04"_s).toString());
        row.insert(u"general"_s, row.value(u"P02"_s));
        addFigures(row, f);
    }
    QVariantMap totals;
    addFigures(totals, total);

    const QList<ValueColumn> raw = { { u"comp"_s }, { u"account"_s }, { u"type"_s }, { u"P01"_s }, { u"P02"_s },
        { u"P03"_s }, { u"P04"_s }, { u"P05"_s }, { u"P06"_s }, { u"P07"_s }, { u"P08"_s } };
    QList<ValueColumn> accountColumns = figureColumns(true) + raw;
    accountColumns += { { u"P09"_s }, { u"P10"_s }, { u"general"_s } };
    QList<ValueColumn> companyColumns;
    for (auto it = company->cbegin(); it != company->cend(); ++it)
        companyColumns.append({ it.key() });

    ReportData data;
    data.templateName = u"flist1"_s;
    data.title = kind();
    data.landscape = true; // ten columns of amounts and counts
    data.sources = {
        { u"frxDBDataset1"_s, figureColumns(true) + raw, *generals },
        { u"frxDBDataset2"_s, accountColumns, *accounts, u"frxDBDataset1"_s,
            { u"comp"_s, u"account"_s, u"type"_s, u"P02"_s } },
        { u"frxDBDataset3"_s, companyColumns, company->isEmpty() ? QList<QVariantMap>() : QList<QVariantMap> { *company } },
        { u"totals"_s, figureColumns(false), { totals } },
    };
    data.variables = { { u"cda"_s, fromText }, { u"cdb"_s, toText }, { u"det"_s, detail } };
    data.company = *company;
    return data;
}

} // namespace korvessa::reports::trialbalance
