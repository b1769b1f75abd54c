#pragma once

#include "core/common/result.h"
#include "core/reports/reportdata.h"
#include "core/reports/workrows.h"

#include <QSqlDatabase>
#include <QString>

namespace korvessa::reports {

// The trial balance ("試算表", F01): for a range of months, every account's
// posted debit and credit totals inside the range and its cumulative totals
// from the first posted month up to the end of the range, and the same per
// general account. It reads only the posted finpos rows ("過帳"; opening
// rows "開帳" never count), summed over departments.
//
// Months are compared as text, exactly as typed: a blank from-month
// "    /  " lies below every month, a blank to-month selects nothing, and
// the closing month "yyyy/13" sorts after that year's December.
namespace trialbalance {

    inline constexpr auto kKind = "試算表";
    QString kind();

    struct Counts {
        int accounts = 0; // report1 rows
        int generals = 0; // report2 rows
    };

    // Computes the report into the rows of (comp, user, "試算表"), both tables
    // refilled in one transaction:
    //
    // report1, one row per account and name posted up to `to`, in code order:
    // P01 "", P02 general account, P03 account, P04 name, P05..P08 debit,
    // debit count, credit, credit count of the months from `from` to `to`
    // ("0" each when none), P09/P10 cumulative debit and credit up to `to`.
    // An account posted under two names gets a row per name, each with the
    // range figures of the first name (in name order) posted in the range.
    //
    // report2, one row per general account: P01 the chart name of the
    // 4-digit account (empty when the chart has none), P02 the general
    // account, P03/P04 cumulative debit and credit, P05..P08 as in report1.
    //
    // The sums are grouped in the database: two selects and a few batched
    // inserts, whatever the size of the year.
    Result<Counts> compute(
        const QSqlDatabase& db, const QString& comp, const QString& user, const QString& from, const QString& to);

    WorkKey key(const QString& comp, const QString& user);

    // The grid's select of the report1 rows (bind ownerParams(key)), in the
    // order written.
    QString accountRowsSelect();

    // The figures a printed line shows.
    struct Figures {
        double before = 0; // closing − period debit + period credit
        double debit = 0;
        qint64 debitCount = 0;
        double credit = 0;
        qint64 creditCount = 0;
        double cumDebit = 0;
        double cumCredit = 0;
        double closing = 0; // cumDebit − cumCredit
    };

    // The print data of template "flist1" from the rows last computed for
    // (comp, user):
    // - "frxDBDataset1": the report2 rows (one per general account) with
    //   code, name, before, debit, debit_count, credit, credit_count,
    //   cum_debit, cum_credit, closing besides their own columns;
    // - "frxDBDataset2": the report1 rows with the same computed columns
    //   (code is the account, general its general account), detail of
    //   "frxDBDataset1" linked on comp, account, type and P02;
    // - "totals": one row of the column totals over the general accounts;
    // - "frxDBDataset3": the company record (also `company`);
    // - variables "cda", "cdb" (the month texts as shown) and "det".
    Result<ReportData> printData(const QSqlDatabase& db, const QString& comp, const QString& user,
        const QString& fromText, const QString& toText, bool detail);

} // namespace trialbalance
} // namespace korvessa::reports
