#include "core/db/schema.h"

#include "core/db/database.h"
#include "core/db/sql.h"

#include <QSqlRecord>
#include <QSet>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

struct IndexDef {
    QString name;
    QString table;
    QString columns;
    bool unique = false;
    QString where; // a partial index's condition
};

// Keys and indexes of our own: unique document numbers, so that two users
// saving at once cannot take the same number, and the look-ups of the
// ledger and the reports.
const QList<IndexDef>& indexes()
{
    static const QList<IndexDef> list = {
        { u"ux_fincm_no"_s, u"fincm"_s, u"comp, finm_no"_s, true, {} },
        { u"ix_fincd_acc"_s, u"fincd"_s, u"comp, find_acc"_s, false, {} },
        { u"ix_fincd_no"_s, u"fincd"_s, u"comp, find_no"_s, false, {} },
        { u"ix_fincd_dat"_s, u"fincd"_s, u"comp, find_dat"_s, false, {} },
        // Posting groups a month of lines from this index alone, in the order
        // of its grouping, without reading the table.
        { u"ix_fincd_month_sums"_s, u"fincd"_s, u"comp, find_mon, find_acc, find_name, find_dep, find_tdec, find_tcre"_s,
            false, {} },
        // Lines without department, or whose month does not match their date,
        // are found at once (posting mends both; normally there are none).
        { u"ix_fincd_nodep"_s, u"fincd"_s, u"comp, find_dep"_s, false, u"find_dep is null"_s },
        { u"ix_fincd_monfix"_s, u"fincd"_s, u"comp"_s, false,
            u"find_mon is null or find_mon <> substr(find_dat, 1, 7)"_s },
        { u"ix_fincm_dat_no"_s, u"fincm"_s, u"comp, finm_dat, finm_no"_s, false, {} },
        { u"ix_finpos_dat"_s, u"finpos"_s, u"comp, finp_dat, finp_temp"_s, false, {} },
        { u"ix_finpos_acc"_s, u"finpos"_s, u"comp, finp_acc"_s, false, {} },
        { u"ix_finpos1_dat"_s, u"finpos1"_s, u"comp, finp_dat"_s, false, {} },
        { u"ix_finposp_dat"_s, u"finposp"_s, u"comp, finp_dat"_s, false, {} },
        { u"ux_che_no2"_s, u"che"_s, u"comp, ch_type, ch_no2"_s, true, {} },
        { u"ix_che_det_chno"_s, u"che_det"_s, u"comp, det_chno"_s, false, {} },
        { u"ix_che_det_depno"_s, u"che_det"_s, u"comp, det_depno"_s, false, {} },
        { u"ux_che_dep_no"_s, u"che_dep"_s, u"comp, dep_no"_s, true, {} },
        // A bank operation's number is its own; note processing writes one
        // row per note under the processing's number, so only the rows of
        // the bank-operation kinds are kept unique (a transfer's two rows
        // differ in their bank).
        { u"ux_cash_op_no"_s, u"cash_op"_s, u"comp, cop_type, cop_No, cop_BID"_s, true,
            u"cop_type in ('存款作業', '提款作業', '銀行轉出')"_s },
        { u"ix_cash_op_bid"_s, u"cash_op"_s, u"comp, cop_BID, cop_dat"_s, false, {} },
        { u"ux_cash_no"_s, u"cash"_s, u"comp, cash_no"_s, true, {} },
        { u"ix_cash_date"_s, u"cash"_s, u"comp, cash_date"_s, false, {} },
        { u"ix_acct_code"_s, u"acct"_s, u"comp, acct_4"_s, false, {} },
        { u"ix_acc_type_code"_s, u"acc_type"_s, u"comp, acc_2"_s, false, {} },
        { u"ix_acctright_user"_s, u"acctright"_s, u"user_no, u_prog"_s, false, {} },
        { u"ix_sampleright_form"_s, u"sampleright"_s, u"form_name"_s, false, {} },
        { u"ix_report1_owner"_s, u"report1"_s, u"comp, account, type"_s, false, {} },
        { u"ix_report2_owner"_s, u"report2"_s, u"comp, account, type"_s, false, {} },
        { u"ix_custom_no"_s, u"custom"_s, u"cus_no"_s, false, {} },
        { u"ix_cushis_no"_s, u"cushis"_s, u"cus_no"_s, false, {} },
        { u"ix_catlog_type"_s, u"catlog"_s, u"cat_type"_s, false, {} },
    };
    return list;
}

QSet<QString> lowerSet(const QStringList& names)
{
    QSet<QString> set;
    for (const QString& n : names)
        set.insert(n.toLower());
    return set;
}

Status createMissing(const QSqlDatabase& db, const QList<TableDef>& tables)
{
    const QSet<QString> existing = lowerSet(db.tables(QSql::Tables));
    for (const TableDef& table : tables) {
        if (!existing.contains(table.name.toLower())) {
            QStringList columns;
            for (const ColumnDef& c : table.columns)
                columns.append(c.name + u' ' + columnTypeSql(db, c));
            const QString text = u"create table "_s + table.name + u" (\n  "_s + columns.join(u",\n  "_s) + u"\n)"_s;
            if (Status s = sql::execute(db, text); !s)
                return s;
            continue;
        }
        const QSqlRecord record = db.record(table.name);
        for (const ColumnDef& c : table.columns) {
            if (record.indexOf(c.name) >= 0)
                continue;
            const QString text = u"alter table "_s + table.name + u" add column "_s + c.name + u' ' + columnTypeSql(db, c);
            if (Status s = sql::execute(db, text); !s)
                return s;
        }
    }
    return {};
}

} // namespace

const ColumnDef* TableDef::column(const QString& name) const
{
    for (const ColumnDef& c : columns) {
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

const TableDef* findTable(const QString& name)
{
    for (const TableDef& t : schemaTables()) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    }
    for (const TableDef& t : zipcodeTables()) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

QString columnTypeSql(const QSqlDatabase& db, const ColumnDef& c)
{
    const bool pg = dialectOf(db) == Dialect::Postgres;
    switch (c.type) {
    // Texts compare and sort by code point on both kinds, whatever the
    // server's locale: dates and months are compared as text, and a locale's
    // collation would order "2024/05/17" by other rules.
    case ColumnType::Text:
        if (pg)
            return u"varchar(%1) collate \"C\""_s.arg(c.length);
        return u"text check (length(%1) <= %2)"_s.arg(c.name).arg(c.length);
    case ColumnType::Memo:
        return pg ? u"text collate \"C\""_s : u"text"_s;
    case ColumnType::Real:
        return pg ? u"double precision"_s : u"real"_s;
    case ColumnType::Integer:
        return u"integer"_s;
    case ColumnType::SmallInt:
        if (pg)
            return u"smallint"_s;
        return u"integer check (%1 between -32768 and 32767)"_s.arg(c.name);
    case ColumnType::Decimal:
        // Eighteen whole digits, with room for the fraction digits of
        // amounts in foreign currencies and of exchange rates.
        return pg ? u"numeric(24, 6)"_s : u"numeric"_s;
    }
    return u"text"_s;
}

Result<int> schemaVersion(const QSqlDatabase& db)
{
    if (!lowerSet(db.tables(QSql::Tables)).contains(u"schema_version"_s))
        return 0;
    auto v = sql::scalar(db, u"select max(version) from schema_version"_s);
    if (!v)
        return v.refusal();
    return v->isNull() ? 0 : v->toInt();
}

Status ensureSchema(const QSqlDatabase& db)
{
    Transaction tx(db);
    if (!tx.started())
        return tx.started();
    if (Status s = createMissing(db, schemaTables()); !s)
        return s;
    if (Status s = sql::execute(db, u"create table if not exists schema_version (version integer not null)"_s); !s)
        return s;
    for (const IndexDef& index : indexes()) {
        QString text = u"create "_s + (index.unique ? u"unique "_s : QString()) + u"index if not exists "_s + index.name
            + u" on "_s + index.table + u" ("_s + index.columns + u')';
        if (!index.where.isEmpty())
            text += u" where "_s + index.where;
        if (Status s = sql::execute(db, text); !s)
            return s;
    }
    auto version = schemaVersion(db);
    if (!version)
        return version.refusal();
    if (*version < kSchemaVersion) {
        if (Status s = sql::execute(db, u"delete from schema_version"_s); !s)
            return s;
        if (Status s = sql::execute(db, u"insert into schema_version (version) values (:v)"_s, { { u":v"_s, kSchemaVersion } }); !s)
            return s;
    }
    return tx.commit();
}

Status ensureZipcodeSchema(const QSqlDatabase& db)
{
    Transaction tx(db);
    if (!tx.started())
        return tx.started();
    if (Status s = createMissing(db, zipcodeTables()); !s)
        return s;
    if (Status s = sql::execute(db, u"create index if not exists ix_zipcode_city on ZIPCODE (CITY, AREA)"_s); !s)
        return s;
    return tx.commit();
}

} // namespace korvessa
