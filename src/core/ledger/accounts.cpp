#include "core/ledger/accounts.h"

#include "core/db/database.h"
#include "core/db/dataset.h"
#include "core/db/sql.h"
#include "core/ledger/accountcode.h"


namespace korvessa::accounts {

using namespace Qt::StringLiterals;

namespace {

const QString kCaption = u"資料錯誤"_s;

Account accountOf(const QSqlRecord& r)
{
    Account a;
    a.code = sql::text(r, u"acct_4"_s);
    a.general = accountcode::general(a.code);
    a.name = sql::text(r, u"acct_CN"_s);
    a.side = sql::text(r, u"acct_side"_s);
    return a;
}

AccountCategory categoryOf(const QSqlRecord& r)
{
    AccountCategory a;
    a.code = sql::text(r, u"acct_4"_s);
    a.side = sql::text(r, u"acct_side"_s);
    a.categoryName = sql::text(r, u"acc_CN"_s);
    a.categoryMajor = sql::text(r, u"acc_1"_s);
    a.systemCode = sql::text(r, u"acc_sys"_s);
    return a;
}

QString categorySelect()
{
    return u"select acct.acct_4, acct.acct_side, acc_type.acc_CN, acc_type.acc_1, acc_type.acc_sys from "_s
        + categoryJoin() + u" where acct.comp = :comp"_s;
}

// A LIKE pattern that matches the text literally at the start ("!" escapes).
QString startsWithPattern(const QString& text)
{
    QString p = text;
    p.replace(u"!"_s, u"!!"_s).replace(u"%"_s, u"!%"_s).replace(u"_"_s, u"!_"_s);
    return p + u'%';
}

} // namespace

QString categoryJoin()
{
    return u"acct left join acc_type on (acct.comp = acc_type.comp and acct.acct_1 = acc_type.acc_1"
           u" and acct.acct_2 = acc_type.acc_2)"_s;
}

Status checkNewCode(const QSqlDatabase& db, const QString& comp, const QString& code, const QString& field)
{
    if (!accountcode::hasValidLength(code))
        return Refusal::rule(kCaption, u"會計科目長度需為四碼或七碼！請重新輸入！"_s, field);

    auto taken = sql::exists(db, u"select acct_4 from acct where comp = :comp and acct_4 = :code"_s,
        { { u":comp"_s, comp }, { u":code"_s, code } });
    if (!taken)
        return taken.refusal();
    if (*taken)
        return Refusal::rule(kCaption, u"會計科目重複！請重新輸入！"_s, field);

    auto category = sql::exists(db, u"select acc_2 from acc_type where comp = :comp and acc_2 = :cat"_s,
        { { u":comp"_s, comp }, { u":cat"_s, accountcode::subCategory(code) } });
    if (!category)
        return category.refusal();
    if (!*category)
        return Refusal::rule(kCaption, u"無此科目類別！請回科目類別建立！"_s, field);

    if (accountcode::isDetail(code)) {
        auto parent = sql::exists(db, u"select acct_4 from acct where comp = :comp and acct_4 = :code"_s,
            { { u":comp"_s, comp }, { u":code"_s, accountcode::general(code) } });
        if (!parent)
            return parent.refusal();
        if (!*parent)
            return Refusal::rule(kCaption, u"無此父科目！請先建立四碼父科目！"_s, field);
    }
    return {};
}

Result<Account> postingAccount(const QSqlDatabase& db, const QString& comp, const QString& code, const QString& field)
{
    if (!accountcode::hasValidLength(code))
        return Refusal::rule(kCaption, u"會計科目長度需為四碼或七碼！請重新輸入！"_s, field);
    // At most two rows tell the three cases apart.
    auto found = sql::rows(db,
        u"select acct_4, acct_CN, acct_side from acct where comp = :comp and acct_4 like :pattern escape '!'"
        u" order by acct_4 limit 2"_s,
        { { u":comp"_s, comp }, { u":pattern"_s, startsWithPattern(code) } });
    if (!found)
        return found.refusal();
    if (found->isEmpty())
        return Refusal::rule(kCaption, u"無此會計科目，請重新輸入！"_s, field);
    if (found->size() > 1)
        return Refusal::rule(kCaption, u"請輸入明細科目！"_s, field);
    return accountOf(found->first());
}

Result<std::optional<Account>> find(const QSqlDatabase& db, const QString& comp, const QString& code)
{
    auto row = sql::first(db, u"select acct_4, acct_CN, acct_side from acct where comp = :comp and acct_4 = :code"_s,
        { { u":comp"_s, comp }, { u":code"_s, code } });
    if (!row)
        return row.refusal();
    if (!*row)
        return std::optional<Account>();
    return std::optional<Account>(accountOf(**row));
}

Result<std::optional<QString>> firstCodeStartingWith(const QSqlDatabase& db, const QString& comp, const QString& digits)
{
    auto row = sql::first(db,
        u"select acct_4 from acct where comp = :comp and acct_4 like :pattern escape '!' order by acct_4 limit 1"_s,
        { { u":comp"_s, comp }, { u":pattern"_s, startsWithPattern(digits) } });
    if (!row)
        return row.refusal();
    if (!*row)
        return std::optional<QString>();
    return std::optional<QString>(sql::text(**row, u"acct_4"_s));
}

Result<std::optional<AccountCategory>> withCategory(const QSqlDatabase& db, const QString& comp, const QString& code)
{
    auto row = sql::first(
        db, categorySelect() + u" and acct.acct_4 = :code"_s, { { u":comp"_s, comp }, { u":code"_s, code } });
    if (!row)
        return row.refusal();
    if (!*row)
        return std::optional<AccountCategory>();
    return std::optional<AccountCategory>(categoryOf(**row));
}

Result<QHash<QString, AccountCategory>> allWithCategory(const QSqlDatabase& db, const QString& comp)
{
    auto q = sql::exec(db, categorySelect(), { { u":comp"_s, comp } });
    if (!q)
        return q.refusal();
    QHash<QString, AccountCategory> result;
    while (q->next()) {
        AccountCategory a = categoryOf(q->record());
        result.insert(a.code, std::move(a));
    }
    return result;
}

Status checkDelete(const QSqlDatabase& db, const QString& comp, const QString& code)
{
    auto children
        = sql::exists(db, u"select acct_4 from acct where comp = :comp and acct_3 = :code and acct_4 <> :code"_s,
            { { u":comp"_s, comp }, { u":code"_s, code } });
    if (!children)
        return children.refusal();
    if (*children)
        return Refusal::rule(kCaption, u"有子科目不可以刪除！請重新輸入！"_s);

    auto used = sql::exists(db, u"select find_acc from fincd where comp = :comp and find_acc = :code"_s,
        { { u":comp"_s, comp }, { u":code"_s, code } });
    if (!used)
        return used.refusal();
    if (*used)
        return Refusal::rule(kCaption, u"科目已記帳不可以刪除！請重新輸入！"_s);
    return {};
}

QVariantMap newAccountDefaults(const QString& comp)
{
    return {
        { u"comp"_s, comp },
        { u"acct_stop"_s, u"否"_s },
        { u"acct_exty"_s, u"固定費用"_s },
        { u"acct_side"_s, u"借"_s },
        { u"acct_rep"_s, u"否"_s },
    };
}

Status save(DataSet& chart, const QString& field)
{
    const QString code = chart.text(u"acct_4"_s).trimmed();
    if (code.isEmpty())
        return Refusal::rule(kCaption, u"請輸入會計科目！"_s, field);
    chart.setValue(u"acct_1"_s, accountcode::major(code));
    chart.setValue(u"acct_2"_s, accountcode::subCategory(code));
    chart.setValue(u"acct_3"_s, accountcode::general(code));
    chart.post();
    if (Status s = chart.save(); !s)
        return s;
    chart.locate(u"acct_4"_s, code);
    return {};
}

Result<int> copyFrom(const QSqlDatabase& db, const QString& source, const QString& comp)
{
    static const QStringList columns = { u"acct_1"_s, u"acct_2"_s, u"acct_3"_s, u"acct_4"_s, u"acct_CN"_s, u"acct_EN"_s,
        u"acct_exty"_s, u"acct_side"_s, u"acct_stop"_s, u"acct_adate"_s, u"acc_temp"_s, u"acct_memo"_s, u"acct_rep"_s };
    return sql::copyMissingRows(db, u"acct"_s, u"acct_4"_s, columns, u"acct_4"_s, source, comp);
}

Result<QStringList> otherCompanies(const QSqlDatabase& db, const QString& comp)
{
    auto q = sql::exec(
        db, u"select comp_name from company where comp_name <> :comp order by comp_name"_s, { { u":comp"_s, comp } });
    if (!q)
        return q.refusal();
    QStringList names;
    while (q->next())
        names.append(q->value(0).toString());
    return names;
}

} // namespace korvessa::accounts
