#include "core/admin/users.h"

#include "core/db/database.h"
#include "core/db/sql.h"

using namespace Qt::StringLiterals;

namespace korvessa {

QStringList rightColumns()
{
    return { u"u_view"_s, u"u_add"_s, u"u_save"_s, u"u_delete"_s, u"u_ptint"_s };
}

bool isProtectedUser(const QString& user)
{
    return user == QString::fromLatin1(kProtectedUser);
}

Status openUsers(DataSet& users, const QSqlDatabase& db)
{
    users.setKeyColumns({ u"user_no"_s });
    return users.open(db, u"account"_s, u"select * from account order by user_no"_s);
}

Status openRights(DataSet& rights, const QSqlDatabase& db, const QString& user)
{
    rights.setKeyColumns({ u"user_no"_s, u"u_prog"_s });
    return rights.open(db, u"acctright"_s,
        u"select * from acctright where user_no = :u and u_prog <> :w order by u_prog"_s,
        { { u":u"_s, user }, { u":w"_s, QString::fromLatin1(kWholeProgramCode) } });
}

Status checkUsers(const DataSet& users)
{
    for (int r = 0; r < users.count(); ++r) {
        if (users.rowChange(r) == DataSet::RowChange::None)
            continue;
        const QString no = users.value(r, u"user_no"_s).toString();
        if (no.trimmed().isEmpty())
            return Refusal::rule(u"資料錯誤"_s, u"帳號不可以為空!"_s, QString::fromLatin1(kUserNoField));
        for (int o = 0; o < users.count(); ++o) {
            if (o != r && users.value(o, u"user_no"_s).toString() == no)
                return Refusal::rule(u"資料錯誤"_s, u"帳號重複！請重新確認！"_s, QString::fromLatin1(kUserNoField));
        }
    }
    return {};
}

Status saveUsersAndRights(DataSet& users, DataSet& rights)
{
    if (Status s = checkUsers(users); !s)
        return s;
    return DataSet::saveAll({ &users, &rights });
}

Status loadTemplateRights(const QSqlDatabase& db, const QString& user)
{
    const QString whole = QString::fromLatin1(kWholeProgramCode);
    Transaction tx(db);
    if (!tx.started())
        return tx.started();
    if (Status s = sql::execute(db, u"delete from acctright where user_no = :u and u_prog <> :w"_s,
            { { u":u"_s, user }, { u":w"_s, whole } });
        !s)
        return s;
    auto rows = sql::rows(db,
        u"select u_prog, u_progname, u_view, u_add, u_save, u_delete, u_ptint from sampleright where u_prog <> :w"_s,
        { { u":w"_s, whole } });
    if (!rows)
        return rows;
    for (const QSqlRecord& row : std::as_const(*rows)) {
        QList<std::pair<QString, QVariant>> values { { u"user_no"_s, user } };
        for (const QString& column :
            { u"u_prog"_s, u"u_progname"_s, u"u_view"_s, u"u_add"_s, u"u_save"_s, u"u_delete"_s, u"u_ptint"_s })
            values.append({ column, sql::field(row, column) });
        if (Status s = sql::insert(db, u"acctright"_s, values); !s)
            return s;
    }
    return tx.commit();
}

Status deleteUser(DataSet& users)
{
    if (users.isEmpty())
        return {};
    const QString user = users.text(u"user_no"_s);
    const QSqlDatabase db = users.database();
    users.remove();
    const Status s = users.save([&]() -> Status {
        return sql::execute(db, u"delete from acctright where user_no = :u"_s, { { u":u"_s, user } });
    });
    if (!s)
        static_cast<void>(users.cancel());
    return s;
}

void setAllRights(DataSet& rights, const QStringList& values)
{
    const QStringList columns = rightColumns();
    for (int r = 0; r < rights.count(); ++r) {
        for (qsizetype c = 0; c < columns.size() && c < values.size(); ++c)
            rights.setValue(r, rights.columnIndex(columns.at(c)), values.at(c));
    }
}

QVariant flippedRight(const QVariant& value)
{
    const QString text = value.toString();
    if (text == u"Y"_s)
        return u"N"_s;
    if (text == u"N"_s)
        return u"Y"_s;
    return value;
}

ToolbarButtons userToolbar(
    const EditingState& users, const EditingState& rights, const Rights& granted, const QString& currentUser)
{
    ToolbarButtons b = toolbarButtons(users, rights, granted, { .prints = false, .insertWhileEditing = true });
    b.remove = !users.inserting && !users.empty && granted.can_delete && !isProtectedUser(currentUser);
    b.print = false;
    return b;
}

} // namespace korvessa
