#pragma once

#include "core/common/result.h"

#include <QIODevice>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

namespace korvessa::vouchers {

// Vouchers from a UTF-8 CSV file with a header row naming the columns
//
//     voucher,date,type,currency,summary,account,line_summary,debit,credit,
//     department,counterparty,source_no
//
// (in any order). Consecutive rows with the same `voucher` key form one
// voucher, whose header fields come from its first row; the key only groups
// rows, numbers are given by the numbering rule. Every row passes the rules
// of voucher entry (account, currency, date, type, amounts, departments,
// counterparties, lengths) and every voucher its save rules (balance, local
// amounts, at most 999 a date).
//
// All or nothing: the whole file is checked first, reading it record by
// record; only when nothing was refused is it read again and written, in
// one transaction, with multi-row inserts. Memory stays the same whatever
// the size of the file.

struct ImportResult {
    int vouchers = 0;
    qint64 lines = 0;
    // "row N: <the rule's message>", row 1 being the header row; at most
    // kMaxReported of them, `refusedRows` counts all.
    QStringList refusals;
    qint64 refusedRows = 0;
};

inline constexpr int kMaxReported = 200;

// Work done and the whole (bytes of both readings), now and then.
using ImportProgress = std::function<void(qint64 done, qint64 total)>;

// The header row's columns, in the order of the documentation.
const QStringList& importColumns();

// Imports `file` (seekable: it is read twice) into the company's books as
// entered by `user`. A refusal is a file that cannot be read as such (no
// header, a missing column) or a failure of the database; refused rows come
// back in the result, with nothing written.
Result<ImportResult> importCsv(const QSqlDatabase& db, const QString& comp, const QString& user, QIODevice& file,
    const ImportProgress& progress = {});

} // namespace korvessa::vouchers
