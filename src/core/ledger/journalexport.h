#pragma once

#include "core/common/result.h"

#include <QSqlDatabase>
#include <QString>
#include <QTextStream>

namespace korvessa::journal {

struct Written {
    int vouchers = 0;
    qint64 postings = 0;
    int unbalanced = 0; // vouchers that got a "差額" posting
};

// The company's vouchers as a plain-text accounting journal that ledger and
// hledger read: one transaction per voucher (date, "(number)", summary),
// one posting per line in local currency (debit positive, credit negative),
// accounts named by their code. A voucher whose local amounts do not add
// up to zero gets one more posting of the difference to the account
// "差額", so the file loads and the difference stays visible. Vouchers are
// read in date and number order, streaming.
Result<Written> write(const QSqlDatabase& db, const QString& comp, QTextStream& out);

// The name of the account that takes the differences.
inline constexpr auto kDifferenceAccount = "差額";

} // namespace korvessa::journal
