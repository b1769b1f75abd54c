#include "core/ledger/categories.h"

#include "core/db/database.h"
#include "core/db/dataset.h"
#include "core/db/sql.h"


namespace korvessa::categories {

using namespace Qt::StringLiterals;

namespace {

const QString kCaption = u"資料錯誤"_s;

} // namespace

Status checkNewCode(const QSqlDatabase& db, const QString& comp, const QString& code, const QString& field)
{
    auto taken = sql::exists(db, u"select acc_2 from acc_type where comp = :comp and acc_2 = :code"_s,
        { { u":comp"_s, comp }, { u":code"_s, code } });
    if (!taken)
        return taken.refusal();
    if (*taken)
        return Refusal::rule(kCaption, u"科目類別重複！請重新輸入！"_s, field);
    return {};
}

QVariantMap newCategoryDefaults(const QString& comp)
{
    return { { u"comp"_s, comp }, { u"acc_p"_s, u"否"_s } };
}

Status save(DataSet& list, const QString& field)
{
    const QString code = list.text(u"acc_2"_s).trimmed();
    if (code.isEmpty())
        return Refusal::rule(kCaption, u"請輸入科目類別！"_s, field);
    list.setValue(u"acc_1"_s, code.left(1));
    list.post();
    if (Status s = list.save(); !s)
        return s;
    list.locate(u"acc_2"_s, code);
    return {};
}

Result<int> copyFrom(const QSqlDatabase& db, const QString& source, const QString& comp)
{
    static const QStringList columns
        = { u"acc_1"_s, u"acc_2"_s, u"acc_sys"_s, u"acc_CN"_s, u"acc_EN"_s, u"acc_p"_s, u"acc_temp"_s };
    return sql::copyMissingRows(db, u"acc_type"_s, u"acc_2"_s, columns, u"acc_1, acc_2"_s, source, comp);
}

} // namespace korvessa::categories
