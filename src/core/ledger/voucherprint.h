#pragma once

#include "core/common/result.h"
#include "core/db/sql.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace korvessa {

// Printing vouchers ("傳票列印"): the list of the company's vouchers chosen
// by date, number, type and currency, the footer text the company keeps for
// its printed vouchers, and the data the printed voucher is made of.
namespace voucherprint {

// The fields of the window as typed; an empty (or, for the dates, blank
// "    /  /  ") field is no filter.
struct Filter {
    QString fromDate; // finm_dat >= fromDate
    QString toDate;
    QString fromNumber; // finm_no >= fromNumber
    QString toNumber;
    QString type; // finm_type
    QString currency; // finm_cur
};

// The list's select: every fincm column of the company's vouchers that pass
// the filter, the opening-balance voucher included, by date and number.
std::pair<QString, SqlParams> listSelect(const QString& comp, const Filter& filter);

// The amount display format `sfor1` of a currency pattern: "%.0f" →
// "#,##0", "%.2f" → "#,##0.00" … up to four places; none for any other
// pattern (the previous format then stays).
std::optional<QString> amountFormat(const QString& pattern);
// The decimal places of such a format ("#,##0.00" → 2; 0 for "#,##0" and
// for an empty format).
int formatDecimals(const QString& format);
// The format after printing with the currency `code` of the company: the
// one its pattern gives, or `previous` when the currency is not there or
// its pattern is none of the table's.
Result<QString> amountFormatFor(const QSqlDatabase& db, const QString& comp, const QString& code, const QString& previous);

// The company row (`company` with comp_name = comp), every column, keyed by
// column name; empty when there is none.
Result<QVariantMap> companyRow(const QSqlDatabase& db, const QString& comp);
// The footer text "表尾" kept in the company's acct_memo.
Result<QString> footer(const QSqlDatabase& db, const QString& comp);
Status saveFooter(const QSqlDatabase& db, const QString& comp, const QString& text);

// What the printed vouchers are made of: the headers in list order and, for
// each, its fincd lines in line-number order. Every line carries, besides
// its own columns, the header's number as `finm_no`, the column it is
// linked to its header by (with `comp`).
struct PrintData {
    QList<QVariantMap> headers;
    QList<QVariantMap> lines;
};
// `headers` are the listed fincm rows (as listSelect() read them).
Result<PrintData> printData(const QSqlDatabase& db, const QString& comp, const QList<QVariantMap>& headers);

// A record as column name → value, the names in lower case whatever the
// driver reports.
QVariantMap rowValues(const QSqlRecord& record);

} // namespace voucherprint
} // namespace korvessa
