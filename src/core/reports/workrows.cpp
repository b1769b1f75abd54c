#include "core/reports/workrows.h"

#include "core/db/batchinsert.h"
#include "core/db/database.h"

#include <cmath>

namespace korvessa::reports {

using namespace Qt::StringLiterals;

namespace {

const QStringList& companyColumns()
{
    static const QStringList columns = { u"comp_name"_s, u"comp_title"_s, u"comp_no"_s, u"comp_add"_s, u"comp_tel"_s,
        u"comp_fax"_s, u"comp_mail"_s, u"comp_web"_s };
    return columns;
}

QStringList valueColumns(WorkTable table)
{
    QStringList columns;
    for (int i = 1; i <= textColumns(table); ++i)
        columns.append(u"P%1"_s.arg(i, 2, 10, QChar(u'0')));
    return columns;
}

} // namespace

QString tableName(WorkTable table) { return table == WorkTable::Report1 ? u"report1"_s : u"report2"_s; }

int textColumns(WorkTable table) { return table == WorkTable::Report1 ? 10 : 9; }

QString numberText(double value)
{
    if (!std::isfinite(value) || value == 0)
        return u"0"_s;
    if (value == std::trunc(value) && std::abs(value) < 1e15)
        return QString::number(qint64(value));
    QString text = QString::number(value, 'g', 15);
    if (!text.contains(u'e'))
        return text;
    // Very large or very small: written out, still 15 significant digits.
    const int exponent = int(std::floor(std::log10(std::abs(value))));
    text = QString::number(value, 'f', std::max(0, 14 - exponent));
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text == u"-0"_s ? u"0"_s : text;
}

QString numberText(qint64 value) { return QString::number(value); }

double numberOf(const QVariant& text)
{
    bool ok = false;
    const double value = text.toString().trimmed().toDouble(&ok);
    return ok ? value : 0.0;
}

QString ownerCondition() { return u"comp = :wr_comp and account = :wr_account and type = :wr_type"_s; }

SqlParams ownerParams(const WorkKey& key)
{
    return { { u":wr_comp"_s, key.comp }, { u":wr_account"_s, key.user }, { u":wr_type"_s, key.type } };
}

Status replaceRows(const QSqlDatabase& db, const WorkKey& key, WorkTable table, const QList<WorkRow>& rows)
{
    const QString name = tableName(table);
    const int width = textColumns(table);
    const bool withF01
        = table == WorkTable::Report1 && std::any_of(rows.begin(), rows.end(), [](const WorkRow& r) { return !r.f01.isNull(); });

    Transaction tx(db);
    if (!tx.started())
        return tx.started();
    if (Status s = sql::execute(db, u"delete from "_s + name + u" where "_s + ownerCondition(), ownerParams(key)); !s)
        return s;
    QStringList columns = QStringList { u"comp"_s, u"account"_s, u"type"_s } + valueColumns(table);
    if (withF01)
        columns.append(u"F01"_s);
    // Small statements: binding cost grows faster than the rows a statement holds.
    BatchInsert insert(db, name, columns, 20);
    for (const WorkRow& row : rows) {
        QVariantList values { key.comp, key.user, key.type };
        for (int i = 0; i < width; ++i)
            values.append(i < row.p.size() ? QVariant(row.p.at(i).isNull() ? u""_s : row.p.at(i)) : QVariant());
        if (withF01)
            values.append(row.f01);
        if (Status s = insert.add(values); !s)
            return s;
    }
    if (Status s = insert.finish(); !s)
        return s;
    return tx.commit();
}

QString rowsSelect(WorkTable table, const QString& orderBy)
{
    QString text = u"select * from "_s + tableName(table) + u" where "_s + ownerCondition();
    if (!orderBy.isEmpty())
        text += u" order by "_s + orderBy;
    return text;
}

Result<QList<QVariantMap>> readRows(
    const QSqlDatabase& db, const WorkKey& key, WorkTable table, const QString& orderBy)
{
    auto records = sql::rows(db, rowsSelect(table, orderBy), ownerParams(key));
    if (!records)
        return records.refusal();
    QStringList columns = QStringList { u"comp"_s, u"account"_s, u"type"_s } + valueColumns(table);
    if (table == WorkTable::Report1)
        columns.append(u"F01"_s);
    QList<QVariantMap> rows;
    rows.reserve(records->size());
    for (const QSqlRecord& record : *records) {
        QVariantMap row;
        for (const QString& c : columns) {
            const QVariant v = sql::field(record, c);
            row.insert(c, c == u"F01"_s || v.isNull() ? v : QVariant(v.toString()));
        }
        rows.append(row);
    }
    return rows;
}

Result<QVariantMap> companyRecord(const QSqlDatabase& db, const QString& comp)
{
    auto record = sql::first(
        db, u"select "_s + companyColumns().join(u", "_s) + u" from company where comp_name = :comp"_s, { { u":comp"_s, comp } });
    if (!record)
        return record.refusal();
    QVariantMap row;
    if (*record) {
        for (const QString& c : companyColumns())
            row.insert(c, sql::text(**record, c));
    }
    return row;
}

} // namespace korvessa::reports
