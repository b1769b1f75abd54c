#pragma once

#include "core/app/session.h"
#include "core/common/result.h"

#include <QSqlDatabase>
#include <QString>

namespace korvessa {

// The rights check: the user's acctright row for the program. No row, or
// u_view 'N', refuses with "\n\r沒有權限!"; any other u_view grants use, and a
// flag is set only by an upper-case 'Y'.
Result<Rights> checkRight(const QSqlDatabase& db, const QString& user, const QString& programCode);

} // namespace korvessa
