#include "core/db/sql.h"

#include "core/db/database.h"

#include <QSet>
#include <QSqlError>
#include <QSqlField>

namespace korvessa::sql {

using namespace Qt::StringLiterals;

namespace {

QString describe(const QSqlQuery& q)
{
    const QSqlError e = q.lastError();
    QString t = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    if (!e.driverText().isEmpty() && !t.contains(e.driverText()))
        t = e.driverText() + u"\n"_s + t;
    t = t.trimmed();
    return t.isEmpty() ? u"資料庫拒絕了這個動作。"_s : t;
}

} // namespace

Result<QSqlQuery> exec(const QSqlDatabase& db, const QString& text, const SqlParams& params)
{
    // A connection that could not be opened is tried again, so every
    // statement reports why the books cannot be reached.
    if (!db.isOpen()) {
        QSqlDatabase retry = db;
        if (!retry.isValid())
            return Refusal::database(u"沒有資料庫連線。"_s);
        if (!retry.open()) {
            const QString why = retry.lastError().text().trimmed();
            return Refusal::database(why.isEmpty() ? u"無法開啟資料庫。"_s : why);
        }
    }
    QSqlQuery q(db);
    q.setForwardOnly(true);
    // A statement without values runs as it is: PostgreSQL cannot prepare
    // schema statements.
    if (params.isEmpty()) {
        if (!q.exec(text))
            return Refusal::database(describe(q));
        return q;
    }
    if (!q.prepare(text))
        return Refusal::database(describe(q));
    for (const auto& [name, value] : params)
        q.bindValue(name, value);
    if (!q.exec())
        return Refusal::database(describe(q));
    return q;
}

Result<int> execute(const QSqlDatabase& db, const QString& text, const SqlParams& params)
{
    auto q = exec(db, text, params);
    if (!q)
        return q.refusal();
    return q->numRowsAffected();
}

Result<QList<QSqlRecord>> rows(const QSqlDatabase& db, const QString& text, const SqlParams& params)
{
    auto q = exec(db, text, params);
    if (!q)
        return q.refusal();
    QList<QSqlRecord> result;
    while (q->next())
        result.append(q->record());
    return result;
}

Result<std::optional<QSqlRecord>> first(const QSqlDatabase& db, const QString& text, const SqlParams& params)
{
    auto q = exec(db, text, params);
    if (!q)
        return q.refusal();
    if (!q->next())
        return std::optional<QSqlRecord>();
    return std::optional<QSqlRecord>(q->record());
}

Result<QVariant> scalar(const QSqlDatabase& db, const QString& text, const SqlParams& params)
{
    auto q = exec(db, text, params);
    if (!q)
        return q.refusal();
    if (!q->next())
        return QVariant();
    return q->value(0);
}

Result<bool> exists(const QSqlDatabase& db, const QString& text, const SqlParams& params)
{
    auto q = exec(db, text, params);
    if (!q)
        return q.refusal();
    return q->next();
}

Status insert(const QSqlDatabase& db, const QString& table, const QList<std::pair<QString, QVariant>>& values)
{
    QStringList columns;
    QStringList marks;
    SqlParams params;
    for (qsizetype i = 0; i < values.size(); ++i) {
        columns.append(values.at(i).first);
        const QString mark = u":v"_s + QString::number(i);
        marks.append(mark);
        params.append({ mark, values.at(i).second });
    }
    const QString text = u"insert into "_s + table + u" ("_s + columns.join(u", "_s) + u") values ("_s
        + marks.join(u", "_s) + u')';
    return execute(db, text, params);
}

Result<int> copyMissingRows(const QSqlDatabase& db, const QString& table, const QString& keyColumn,
    const QStringList& columns, const QString& orderBy, const QString& source, const QString& comp)
{
    auto existing = exec(db, u"select "_s + keyColumn + u" from "_s + table + u" where comp = :comp"_s,
        { { u":comp"_s, comp } });
    if (!existing)
        return existing.refusal();
    QSet<QString> have;
    while (existing->next())
        have.insert(existing->value(0).toString());

    auto sourceRows = rows(db, u"select * from "_s + table + u" where comp = :comp order by "_s + orderBy,
        { { u":comp"_s, source } });
    if (!sourceRows)
        return sourceRows.refusal();

    Transaction t(db);
    if (!t.started())
        return t.started().refusal();
    int added = 0;
    for (const QSqlRecord& r : *sourceRows) {
        const QString key = text(r, keyColumn);
        if (have.contains(key))
            continue;
        QList<std::pair<QString, QVariant>> values { { u"comp"_s, comp } };
        for (const QString& c : columns)
            values.append({ c, text(r, c) });
        if (Status s = insert(db, table, values); !s)
            return s.refusal();
        have.insert(key);
        ++added;
    }
    if (Status s = t.commit(); !s)
        return s.refusal();
    return added;
}

QVariant field(const QSqlRecord& record, const QString& column)
{
    // QSqlRecord::indexOf compares names without regard to case, which covers
    // PostgreSQL folding unquoted names to lower case.
    const int i = record.indexOf(column);
    return i < 0 ? QVariant() : record.value(i);
}

QString text(const QSqlRecord& record, const QString& column)
{
    return field(record, column).toString();
}

} // namespace korvessa::sql
