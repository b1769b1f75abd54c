#include "core/app/login.h"

#include "core/db/sql.h"

#include <QSettings>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

const QString kCaption = u"資料錯誤"_s;
const QString kWrongUser = u"使用者名稱或密碼錯誤!請重新輸入!"_s;

Result<QStringList> column(const QSqlDatabase& db, const QString& text)
{
    auto q = sql::exec(db, text);
    if (!q)
        return q.refusal();
    QStringList values;
    while (q->next())
        values.append(q->value(0).toString());
    return values;
}

} // namespace

Result<LoginLists> loginLists(const QSqlDatabase& db)
{
    auto users = column(db, u"select user_no from account"_s);
    if (!users)
        return users.refusal();
    auto companies = column(db, u"select comp_name from company"_s);
    if (!companies)
        return companies.refusal();
    return LoginLists { *companies, *users };
}

Status checkLogin(const QSqlDatabase& db, const QString& company, const QString& user, const QString& password)
{
    if (user.isEmpty())
        return Refusal::rule(kCaption, u"請輸入使用者名稱!"_s, u"ComboBox2"_s);
    if (company.isEmpty())
        return Refusal::rule(kCaption, u"請選擇公司名稱!"_s, u"ComboBox1"_s);

    auto found = sql::exists(db, u"select comp_name from company where comp_name = :name"_s, { { u":name"_s, company } });
    if (!found)
        return found.refusal();
    if (!*found)
        return Refusal::rule(kCaption, u"公司選擇錯誤!"_s, u"ComboBox1"_s);

    auto account = sql::first(db, u"select * from account where user_no = :user"_s, { { u":user"_s, user } });
    if (!account)
        return account.refusal();
    // An unknown user and a wrong password read alike, so that the message
    // does not tell which user numbers exist.
    if (!account->has_value() || sql::text(**account, u"user_pas"_s) != password)
        return Refusal::rule(kCaption, kWrongUser, u"Edit1"_s);
    return {};
}

Result<QString> userDisplayName(const QSqlDatabase& db, const QString& user)
{
    auto name = sql::scalar(db, u"select user_name from account where user_no = :user"_s, { { u":user"_s, user } });
    if (!name)
        return name.refusal();
    return name->toString();
}

RememberedLogin rememberedLogin()
{
    QSettings settings(u"vaduvoza"_s, u"zedodo"_s);
    return { settings.value(u"comp"_s).toString(), settings.value(u"user"_s).toString() };
}

void rememberLogin(const QString& company, const QString& user)
{
    QSettings settings(u"vaduvoza"_s, u"zedodo"_s);
    settings.setValue(u"user"_s, user);
    settings.setValue(u"comp"_s, company);
    settings.sync();
}

} // namespace korvessa
