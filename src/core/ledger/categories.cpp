#include "core/ledger/categories.h"

#include "core/db/database.h"
#include "core/db/dataset.h"
#include "core/db/sql.h"

#include <QSet>

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
        = { u"comp"_s, u"acc_1"_s, u"acc_2"_s, u"acc_sys"_s, u"acc_CN"_s, u"acc_EN"_s, u"acc_p"_s, u"acc_temp"_s };

    auto existing = sql::exec(db, u"select acc_2 from acc_type where comp = :comp"_s, { { u":comp"_s, comp } });
    if (!existing)
        return existing.refusal();
    QSet<QString> have;
    while (existing->next())
        have.insert(existing->value(0).toString());

    auto rows = sql::rows(
        db, u"select * from acc_type where comp = :comp order by acc_1, acc_2"_s, { { u":comp"_s, source } });
    if (!rows)
        return rows.refusal();

    Transaction t(db);
    if (!t.started())
        return t.started().refusal();
    int added = 0;
    for (const QSqlRecord& r : *rows) {
        const QString code = sql::text(r, u"acc_2"_s);
        if (have.contains(code))
            continue;
        QList<std::pair<QString, QVariant>> values;
        for (const QString& c : columns)
            values.append({ c, c == u"comp"_s ? comp : sql::text(r, c) });
        if (Status s = sql::insert(db, u"acc_type"_s, values); !s)
            return s.refusal();
        have.insert(code);
        ++added;
    }
    if (Status s = t.commit(); !s)
        return s.refusal();
    return added;
}

} // namespace korvessa::categories
