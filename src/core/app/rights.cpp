#include "core/app/rights.h"

#include "core/db/sql.h"

namespace korvessa {

using namespace Qt::StringLiterals;

Result<Rights> checkRight(const QSqlDatabase& db, const QString& user, const QString& programCode)
{
    auto row = sql::first(db, u"select * from acctright where user_no = :user and u_prog = :prog"_s,
        { { u":user"_s, user }, { u":prog"_s, programCode } });
    if (!row)
        return row.refusal();
    if (!row->has_value() || sql::text(**row, u"u_view"_s) == u"N"_s)
        return Refusal::confirm(u"\n\r沒有權限!"_s);
    const QSqlRecord& r = **row;
    auto yes = [&r](const QString& column) { return sql::text(r, column) == u"Y"_s; };
    Rights rights;
    rights.can_add = yes(u"u_add"_s);
    rights.can_save = yes(u"u_save"_s);
    rights.can_delete = yes(u"u_delete"_s);
    rights.can_print = yes(u"u_ptint"_s);
    return rights;
}

} // namespace korvessa
