#include "core/admin/companies.h"

#include "core/db/sql.h"

using namespace Qt::StringLiterals;

namespace korvessa {

Status openCompanies(DataSet& companies, const QSqlDatabase& db)
{
    companies.setKeyColumns({ u"comp_name"_s });
    return companies.open(db, u"company"_s, u"select * from company order by comp_name"_s);
}

Status checkCompanyRemoval(const DataSet& companies)
{
    if (companies.count() <= 1)
        return Refusal::rule(u"資料錯誤"_s, u"不可刪除!"_s);
    return {};
}

QList<std::pair<QString, QVariant>> defaultCurrencyRow(const QString& company)
{
    return { { u"comp"_s, company }, { u"cuery_no"_s, u"NT"_s }, { u"cuery_coun"_s, u"台灣"_s },
        { u"cuery_num"_s, 1.0 }, { u"cuery_dec"_s, 0 }, { u"cuery_for"_s, u"%.0f"_s } };
}

Status saveCompanies(DataSet& companies)
{
    QStringList added;
    for (int r = 0; r < companies.count(); ++r) {
        const DataSet::RowChange change = companies.rowChange(r);
        if (change == DataSet::RowChange::None)
            continue;
        const QString name = companies.value(r, u"comp_name"_s).toString();
        if (name.trimmed().isEmpty()) {
            if (r != companies.currentRow())
                companies.setCurrentRow(r);
            return Refusal::rule(u"資料錯誤"_s, u"公司編號不可以為空!"_s, QString::fromLatin1(kCompanyNameField));
        }
        if (change == DataSet::RowChange::Inserted)
            added.append(name);
    }
    const QSqlDatabase db = companies.database();
    return companies.save([&]() -> Status {
        for (const QString& name : std::as_const(added)) {
            auto there = sql::exists(db, u"select cuery_no from cuery where comp = :c and cuery_no = :n"_s,
                { { u":c"_s, name }, { u":n"_s, u"NT"_s } });
            if (!there)
                return there;
            if (*there)
                continue;
            if (Status s = sql::insert(db, u"cuery"_s, defaultCurrencyRow(name)); !s)
                return s;
        }
        return {};
    });
}

} // namespace korvessa
