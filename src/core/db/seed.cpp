#include "core/db/seed.h"

#include "core/app/programs.h"
#include "core/db/database.h"
#include "core/db/schema.h"
#include "core/db/sql.h"

#include <QFile>
#include <QSqlError>
#include <QSet>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

QVariant typedValue(const ColumnDef* column, const QString& text)
{
    if (!column)
        return text;
    switch (column->type) {
    case ColumnType::Real:
    case ColumnType::Decimal:
        return text.isEmpty() ? QVariant() : QVariant(text.toDouble());
    case ColumnType::Integer:
    case ColumnType::SmallInt:
        return text.isEmpty() ? QVariant() : QVariant(text.toInt());
    case ColumnType::Text:
    case ColumnType::Memo:
        break;
    }
    return text;
}

// Inserts the rows of a seed file into `table`, adding the company column when given.
Status insertSeed(const QSqlDatabase& db, const QString& table, const QString& file, const QString& company = {})
{
    auto seed = readSeedTable(file);
    if (!seed)
        return seed.refusal();
    const TableDef* def = findTable(table);
    QStringList columns = seed->columns;
    if (!company.isEmpty())
        columns.prepend(u"comp"_s);
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks.append(u":v"_s + QString::number(i));
    QSqlQuery q(db);
    if (!q.prepare(u"insert into "_s + table + u" ("_s + columns.join(u", "_s) + u") values ("_s + marks.join(u", "_s)
            + u')'))
        return Refusal::database(q.lastError().text());
    for (const QStringList& row : seed->rows) {
        int i = 0;
        if (!company.isEmpty())
            q.bindValue(i++, company);
        for (qsizetype c = 0; c < seed->columns.size(); ++c) {
            const ColumnDef* column = def ? def->column(seed->columns.at(c)) : nullptr;
            q.bindValue(i++, typedValue(column, row.value(c)));
        }
        if (!q.exec())
            return Refusal::database(u"%1: %2"_s.arg(file, q.lastError().text()));
    }
    return {};
}

// Program codes in menu order, each once, with the entry that first names it.
QList<const ProgramEntry*> distinctPrograms()
{
    QList<const ProgramEntry*> list;
    QSet<QString> seen;
    for (const ProgramEntry& e : programEntries()) {
        if (!e.opensModule() || seen.contains(e.programCode))
            continue;
        seen.insert(e.programCode);
        list.append(&e);
    }
    return list;
}

Status seedPrograms(const QSqlDatabase& db, const QString& user)
{
    const QString yes = u"Y"_s;
    for (const ProgramEntry* e : distinctPrograms()) {
        if (Status s = sql::insert(db, u"sampleright"_s,
                { { u"u_prog"_s, e->programCode }, { u"u_progname"_s, e->windowTitle }, { u"form_name"_s, e->windowName },
                    { u"mainitem"_s, e->menu }, { u"itemname"_s, e->caption }, { u"class_name"_s, e->className },
                    { u"u_view"_s, yes }, { u"u_add"_s, yes }, { u"u_save"_s, yes }, { u"u_delete"_s, yes },
                    { u"u_ptint"_s, yes }, { u"user_no"_s, QString() } });
            !s)
            return s;
        if (Status s = sql::insert(db, u"acctright"_s,
                { { u"user_no"_s, user }, { u"u_prog"_s, e->programCode }, { u"u_progname"_s, e->windowTitle },
                    { u"u_view"_s, yes }, { u"u_add"_s, yes }, { u"u_save"_s, yes }, { u"u_delete"_s, yes },
                    { u"u_ptint"_s, yes } });
            !s)
            return s;
    }
    // The '000' row stands for the program as a whole; the rights modules
    // leave it alone.
    return sql::insert(db, u"sampleright"_s,
        { { u"u_prog"_s, u"000"_s }, { u"u_progname"_s, u"企業Korvessa"_s }, { u"form_name"_s, QString() },
            { u"mainitem"_s, QString() }, { u"itemname"_s, QString() }, { u"class_name"_s, u"TMainForm"_s },
            { u"u_view"_s, yes }, { u"u_add"_s, yes }, { u"u_save"_s, yes }, { u"u_delete"_s, yes },
            { u"u_ptint"_s, yes }, { u"user_no"_s, QString() } });
}

} // namespace

Result<SeedTable> readSeedTable(const QString& name)
{
    QFile file(u":/seed/"_s + name + u".tsv"_s);
    if (!file.open(QIODevice::ReadOnly))
        return Refusal::database(u"找不到預設資料 %1"_s.arg(name));
    SeedTable table;
    const QList<QByteArray> lines = file.readAll().split('\n');
    bool header = true;
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        QStringList cells = QString::fromUtf8(line).split(u'\t');
        if (header) {
            table.columns = cells;
            header = false;
            continue;
        }
        while (cells.size() < table.columns.size())
            cells.append(QString());
        table.rows.append(cells);
    }
    return table;
}

Result<bool> databaseNeedsSeed(const QSqlDatabase& db)
{
    auto any = sql::exists(db, u"select comp_name from company"_s);
    if (!any)
        return any.refusal();
    return !*any;
}

Status seedDatabase(const QSqlDatabase& db)
{
    Transaction tx(db);
    if (!tx.started())
        return tx.started();
    auto needed = databaseNeedsSeed(db);
    if (!needed)
        return needed.refusal();
    if (!*needed)
        return {};

    const QString company = QString::fromUtf8(kSeedCompany);
    const QString user = QString::fromUtf8(kSeedUser);
    if (Status s = sql::insert(db, u"cuery"_s,
            { { u"comp"_s, company }, { u"cuery_no"_s, u"NT"_s }, { u"cuery_coun"_s, u"台灣"_s }, { u"cuery_num"_s, 1.0 },
                { u"cuery_dec"_s, 0 }, { u"cuery_for"_s, u"%.0f"_s }, { u"cuery_unit"_s, u"元"_s } });
        !s)
        return s;
    if (Status s = sql::insert(db, u"company"_s,
            { { u"comp_name"_s, company }, { u"comp_title"_s, u"示範公司"_s }, { u"comp_tel"_s, u"02-2345-6789"_s },
                { u"comp_add"_s, u"(100)臺北市中正區重慶南路一段1號"_s } });
        !s)
        return s;

    // Keep an administrator who can open everything, unless the user table
    // already holds one.
    auto hasAdmin = sql::exists(db, u"select user_no from account where user_no = :u"_s, { { u":u"_s, user } });
    if (!hasAdmin)
        return hasAdmin.refusal();
    if (!*hasAdmin) {
        if (Status s = sql::insert(db, u"account"_s,
                { { u"user_no"_s, user }, { u"user_name"_s, u"系統管理員"_s },
                    { u"user_pas"_s, QString::fromUtf8(kSeedPassword) } });
            !s)
            return s;
    }
    auto hasPrograms = sql::exists(db, u"select u_prog from sampleright"_s);
    if (!hasPrograms)
        return hasPrograms.refusal();
    if (!*hasPrograms) {
        if (Status s = seedPrograms(db, user); !s)
            return s;
    }
    auto hasCategories = sql::exists(db, u"select cat_type from catlog"_s);
    if (!hasCategories)
        return hasCategories.refusal();
    if (!*hasCategories) {
        if (Status s = insertSeed(db, u"catlog"_s, u"catlog"_s); !s)
            return s;
    }
    if (Status s = insertSeed(db, u"acc_type"_s, u"acc_type"_s, company); !s)
        return s;
    if (Status s = insertSeed(db, u"acct"_s, u"acct"_s, company); !s)
        return s;
    if (Status s = insertSeed(db, u"finset"_s, u"finset"_s, company); !s)
        return s;
    return tx.commit();
}

Status seedZipcodes(const QSqlDatabase& db)
{
    Transaction tx(db);
    if (!tx.started())
        return tx.started();
    auto any = sql::exists(db, u"select ZIP from ZIPCODE"_s);
    if (!any)
        return any.refusal();
    if (*any)
        return {};
    if (Status s = insertSeed(db, u"ZIPCODE"_s, u"zipcode"_s); !s)
        return s;
    return tx.commit();
}

} // namespace korvessa
