#include "core/db/dataset.h"

#include "core/db/database.h"

#include <QRegularExpression>
#include <QSqlRecord>

#include <algorithm>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

// Values compare as the user sees them: a null only equals a null, and values
// of different types (an integer read back for a number typed as text) by
// their text.
bool same(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    if (a.metaType() == b.metaType())
        return a == b;
    return a.toString() == b.toString();
}

// Splits a trailing "order by" clause (outside quotes and parentheses) off a
// select.
std::pair<QString, QString> splitOrderBy(const QString& text)
{
    static const QRegularExpression orderBy(u"\\border\\s+by\\b"_s, QRegularExpression::CaseInsensitiveOption);
    int depth = 0;
    QChar quote;
    qsizetype found = -1;
    qsizetype clause = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            --depth;
        } else if (depth == 0 && (c == u'o' || c == u'O')) {
            const auto m = orderBy.match(text, i, QRegularExpression::NormalMatch,
                QRegularExpression::AnchorAtOffsetMatchOption);
            if (m.hasMatch()) {
                found = i;
                clause = m.capturedEnd();
                i = clause - 1;
            }
        }
    }
    if (found < 0)
        return { text, {} };
    return { text.left(found), text.mid(clause).trimmed() };
}

// "a.cus_no desc, 2" → "cus_no desc, 2": outside the select its table
// aliases are gone.
QString unqualified(const QString& clause)
{
    static const QRegularExpression qualified(u"^\\w+\\.(\\w.*)$"_s, QRegularExpression::DotMatchesEverythingOption);
    QStringList terms;
    for (const QString& term : clause.split(u',')) {
        const QString t = term.trimmed();
        const auto m = qualified.match(t);
        terms.append(m.hasMatch() ? m.captured(1) : t);
    }
    return terms.join(u", "_s);
}

} // namespace

DataSet::DataSet(QObject* parent)
    : QObject(parent)
{
}

DataSet::~DataSet() = default;

std::pair<QString, SqlParams> DataSet::containsCondition(const QStringList& columns, const QString& text)
{
    QString escaped = text;
    escaped.replace(u'!', u"!!"_s).replace(u'%', u"!%"_s).replace(u'_', u"!_"_s);
    const QString pattern = u'%' + escaped + u'%';
    QStringList parts;
    SqlParams params;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString name = u":kv_s"_s + QString::number(i);
        parts.append(u"lower(cast("_s + columns.at(i) + u" as text)) like lower("_s + name + u") escape '!'"_s);
        params.append({ name, pattern });
    }
    return { u'(' + parts.join(u" or "_s) + u')', params };
}

Status DataSet::open(const QSqlDatabase& db, const QString& table, const QString& selectText, const SqlParams& params)
{
    m_db = db;
    m_table = table;
    m_select = selectText;
    m_params = params;
    m_searchColumns.clear();
    m_searchText.clear();
    if (Status s = read({}, 0); !s) {
        close();
        return s;
    }
    for (const QString& key : m_keys) {
        if (columnIndex(key) < 0) {
            close();
            return Refusal::database(u"Key column %1 is not among the columns of the select."_s.arg(key));
        }
    }
    return {};
}

void DataSet::close()
{
    Q_EMIT aboutToReset();
    m_columns.clear();
    m_tableColumns.clear();
    m_rows.clear();
    m_removed.clear();
    m_editSnapshot.clear();
    m_current = -1;
    m_pastLast = true;
    m_state = State::Inactive;
    m_readText.clear();
    m_readParams.clear();
    m_fetched = 0;
    m_allFetched = true;
    Q_EMIT wasReset();
    Q_EMIT currentRowChanged(m_current);
    Q_EMIT stateChanged(m_state);
    Q_EMIT changed();
}

Status DataSet::cancel()
{
    if (!isActive())
        return {};
    // A new row is not in the database: looking for it would read every row.
    return read(isNewRow(m_current) ? QVariantList() : identity(m_current), m_current);
}

Status DataSet::search(const QStringList& columns, const QString& text)
{
    if (!isActive())
        return {};
    const QStringList oldColumns = m_searchColumns;
    const QString oldText = m_searchText;
    m_searchColumns = columns;
    m_searchText = text;
    Status s = read({}, 0);
    if (!s) {
        m_searchColumns = oldColumns;
        m_searchText = oldText;
    }
    return s;
}

Result<DataSet::Block> DataSet::readBlock(const QString& text, const SqlParams& params, int offset, int limit) const
{
    QString statement = text;
    SqlParams values = params;
    if (limit > 0) {
        // One row more than wanted tells whether any are left.
        statement += u"\nlimit :kv_limit offset :kv_offset"_s;
        values.append({ u":kv_limit"_s, limit + 1 });
        values.append({ u":kv_offset"_s, offset });
    }
    auto q = sql::exec(m_db, statement, values);
    if (!q)
        return q.refusal();

    Block block;
    const QSqlRecord shape = q->record();
    for (int i = 0; i < shape.count(); ++i)
        block.columns.append(shape.fieldName(i));
    const qsizetype width = block.columns.size();
    while (q->next()) {
        if (limit > 0 && block.rows.size() == limit) {
            block.more = true;
            break;
        }
        Row row;
        row.values.reserve(width);
        for (int i = 0; i < width; ++i)
            row.values.append(q->value(i));
        row.original = row.values;
        block.rows.append(std::move(row));
    }
    // Only now: a forward-only query on PostgreSQL loses its rows when another
    // statement runs while it is being read.
    q->finish();
    return block;
}

Status DataSet::read(const QVariantList& relocate, int fallbackRow)
{
    QString text = m_select;
    SqlParams params = m_params;
    if (!m_searchColumns.isEmpty() && !m_searchText.isEmpty()) {
        const auto [head, order] = splitOrderBy(m_select);
        const auto [condition, searchParams] = containsCondition(m_searchColumns, m_searchText);
        text = u"select * from (\n"_s + head + u"\n) kv_search\nwhere "_s + condition;
        if (!order.isEmpty())
            text += u"\norder by "_s + unqualified(order);
        params += searchParams;
    }
    auto block = readBlock(text, params, 0, m_fetchSize);
    if (!block)
        return block.refusal();

    const QStringList& columns = block->columns;
    QStringList tableColumns(columns.size());
    if (!m_table.isEmpty()) {
        const QSqlRecord stored = m_db.record(m_table);
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const int at = stored.indexOf(columns.at(i));
            if (at < 0)
                continue;
            const QString name = stored.fieldName(at);
            // A column selected twice is written once.
            if (!tableColumns.contains(name, Qt::CaseInsensitive))
                tableColumns[i] = name;
        }
    }

    const State oldState = m_state;
    Q_EMIT aboutToReset();
    m_columns = columns;
    m_tableColumns = tableColumns;
    m_rows = std::move(block->rows);
    m_readText = text;
    m_readParams = params;
    m_fetched = count();
    m_allFetched = !block->more;
    m_removed.clear();
    m_editSnapshot.clear();
    m_state = State::Browse;
    m_current = -1;
    // Further blocks go in before the models hear of the new rows.
    Status fetched;
    int row = relocate.isEmpty() ? -1 : findIdentity(relocate);
    while (row < 0 && !relocate.isEmpty() && fetched && canFetchMore()) {
        const int from = count();
        fetched = fetchBlock(false);
        row = findIdentity(relocate, from);
    }
    while (row < 0 && fetched && fallbackRow >= count() && canFetchMore())
        fetched = fetchBlock(false);
    if (row < 0 && !m_rows.isEmpty())
        row = std::clamp(fallbackRow, 0, count() - 1);
    m_current = m_rows.isEmpty() ? -1 : row;
    m_pastLast = m_rows.isEmpty();
    Q_EMIT wasReset();
    Q_EMIT currentRowChanged(m_current);
    if (oldState != m_state)
        Q_EMIT stateChanged(m_state);
    Q_EMIT changed();
    return fetched;
}

int DataSet::fetchPosition() const
{
    int at = count();
    while (at > 0 && m_rows.at(at - 1).change == RowChange::Inserted)
        --at;
    return at;
}

Status DataSet::fetchBlock(bool signal)
{
    if (!canFetchMore())
        return {};
    const int limit = m_fetchSize > 0 ? std::max(m_fetchSize, m_fetched) : 0;
    auto block = readBlock(m_readText, m_readParams, m_fetched, limit);
    if (!block) {
        m_allFetched = true;
        if (signal)
            Q_EMIT changed();
        return block.refusal();
    }
    m_allFetched = !block->more;
    const int n = int(block->rows.size());
    m_fetched += n;
    if (n == 0) {
        if (signal)
            Q_EMIT changed();
        return {};
    }
    const int at = fetchPosition();
    if (signal)
        Q_EMIT rowsAboutToBeFetched(at, at + n - 1);
    QList<Row> tail = m_rows.mid(at);
    m_rows.resize(at);
    m_rows.append(std::move(block->rows));
    m_rows.append(std::move(tail));
    const int oldCurrent = m_current;
    if (m_current >= at)
        m_current += n;
    if (m_rowBeforeInsert >= at)
        m_rowBeforeInsert += n;
    if (m_current < 0) { // every row held had been removed
        m_current = 0;
        m_pastLast = false;
    }
    if (signal) {
        Q_EMIT rowsFetched(at, at + n - 1);
        if (m_current != oldCurrent)
            Q_EMIT currentRowChanged(m_current);
        Q_EMIT changed();
    }
    return {};
}

Status DataSet::fetchMore()
{
    return fetchBlock(true);
}

Status DataSet::fetchAll()
{
    while (canFetchMore()) {
        if (Status s = fetchBlock(true); !s)
            return s;
    }
    return {};
}

EditingState DataSet::editingState() const
{
    EditingState s;
    s.editing = m_state == State::Edit;
    s.inserting = m_state == State::Insert;
    s.atFirst = isFirst();
    s.pastLast = isPastLast();
    s.empty = isEmpty();
    return s;
}

int DataSet::columnIndex(const QString& column) const
{
    for (qsizetype i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).compare(column, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

void DataSet::moveTo(int row, bool pastLast)
{
    if (isChanging())
        post();
    const bool moved = row != m_current;
    const bool flagChanged = pastLast != m_pastLast;
    m_current = row;
    m_pastLast = pastLast;
    if (moved)
        Q_EMIT currentRowChanged(m_current);
    if (moved || flagChanged)
        Q_EMIT changed();
}

void DataSet::first()
{
    if (!m_rows.isEmpty())
        moveTo(0, false);
}

void DataSet::last()
{
    // A refusal ends the fetching: the last row held is the last one then.
    static_cast<void>(fetchAll());
    if (!m_rows.isEmpty())
        moveTo(count() - 1, true);
}

bool DataSet::next()
{
    if (m_rows.isEmpty())
        return false;
    while (m_current >= count() - 1 && canFetchMore()) {
        if (!fetchMore())
            break;
    }
    if (m_current >= count() - 1) {
        moveTo(m_current, true);
        return false;
    }
    moveTo(m_current + 1, false);
    return true;
}

bool DataSet::prior()
{
    if (m_rows.isEmpty() || m_current <= 0)
        return false;
    moveTo(m_current - 1, false);
    return true;
}

bool DataSet::setCurrentRow(int row)
{
    while (row >= count() && canFetchMore()) {
        if (!fetchMore())
            break;
    }
    if (row < 0 || row >= count())
        return false;
    if (row != m_current || m_pastLast)
        moveTo(row, false);
    return true;
}

bool DataSet::locate(const QString& column, const QVariant& value)
{
    return locate(QVariantMap { { column, value } });
}

bool DataSet::locate(const QVariantMap& values)
{
    QList<std::pair<int, QVariant>> wanted;
    for (auto it = values.begin(); it != values.end(); ++it) {
        const int c = columnIndex(it.key());
        if (c < 0)
            return false;
        wanted.append({ c, it.value() });
    }
    // In the order of the rows: those read, the fetched ones, the new rows
    // at the end.
    for (int r = 0; r < fetchPosition(); ++r) {
        if (matches(r, wanted))
            return setCurrentRow(r);
    }
    while (canFetchMore()) {
        const int from = fetchPosition();
        if (!fetchMore())
            return false;
        for (int r = from; r < fetchPosition(); ++r) {
            if (matches(r, wanted))
                return setCurrentRow(r);
        }
    }
    for (int r = fetchPosition(); r < count(); ++r) {
        if (matches(r, wanted))
            return setCurrentRow(r);
    }
    return false;
}

bool DataSet::matches(int row, const QList<std::pair<int, QVariant>>& wanted) const
{
    for (const auto& [c, v] : wanted) {
        if (!same(m_rows.at(row).values.at(c), v))
            return false;
    }
    return true;
}

QVariant DataSet::value(int row, int column) const
{
    if (row < 0 || row >= count() || column < 0 || column >= m_columns.size())
        return {};
    return m_rows.at(row).values.at(column);
}

bool DataSet::setValue(const QString& column, const QVariant& value)
{
    const int c = columnIndex(column);
    if (c < 0 || !isActive())
        return false;
    if (m_rows.isEmpty())
        append();
    return setValue(m_current, c, value);
}

bool DataSet::setValue(int row, int column, const QVariant& value)
{
    if (row < 0 || row >= count() || column < 0 || column >= m_columns.size())
        return false;
    if (row != m_current)
        setCurrentRow(row);
    if (m_state == State::Browse)
        edit();
    m_rows[row].values[column] = value;
    Q_EMIT valueChanged(row, column);
    Q_EMIT changed();
    return true;
}

void DataSet::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    Q_EMIT stateChanged(m_state);
    Q_EMIT changed();
}

void DataSet::newRow(int at, const QVariantMap& defaults)
{
    if (!isActive())
        return;
    if (isChanging())
        post();
    Row row;
    row.values = QVariantList(m_columns.size());
    row.change = RowChange::Inserted;
    for (auto it = defaults.begin(); it != defaults.end(); ++it) {
        const int c = columnIndex(it.key());
        if (c >= 0)
            row.values[c] = it.value();
    }
    m_rowBeforeInsert = m_current;
    Q_EMIT rowAboutToBeInserted(at);
    m_rows.insert(at, std::move(row));
    m_current = at;
    m_pastLast = false;
    m_state = State::Insert;
    Q_EMIT rowInserted(at);
    Q_EMIT currentRowChanged(m_current);
    Q_EMIT stateChanged(m_state);
    Q_EMIT changed();
}

void DataSet::append(const QVariantMap& defaults)
{
    newRow(count(), defaults);
}

void DataSet::insert(const QVariantMap& defaults)
{
    newRow(std::max(m_current, 0), defaults);
}

void DataSet::edit()
{
    if (m_state != State::Browse)
        return;
    if (m_rows.isEmpty()) {
        append();
        return;
    }
    m_editSnapshot = m_rows.at(m_current).values;
    setState(State::Edit);
}

void DataSet::post()
{
    if (m_state == State::Edit) {
        Row& row = m_rows[m_current];
        if (row.change == RowChange::None) {
            for (qsizetype c = 0; c < row.values.size(); ++c) {
                if (!same(row.values.at(c), row.original.at(c))) {
                    row.change = RowChange::Modified;
                    break;
                }
            }
        }
        m_editSnapshot.clear();
    }
    if (isChanging())
        setState(State::Browse);
}

void DataSet::cancelRow()
{
    if (m_state == State::Insert) {
        const int r = m_current;
        Q_EMIT rowAboutToBeRemoved(r);
        m_rows.removeAt(r);
        m_current = m_rows.isEmpty() ? -1 : std::clamp(m_rowBeforeInsert, 0, count() - 1);
        m_pastLast = m_rows.isEmpty();
        m_state = State::Browse;
        Q_EMIT rowRemoved(r);
        Q_EMIT currentRowChanged(m_current);
        Q_EMIT stateChanged(m_state);
        Q_EMIT changed();
    } else if (m_state == State::Edit) {
        Row& row = m_rows[m_current];
        const QVariantList now = row.values;
        row.values = m_editSnapshot;
        m_editSnapshot.clear();
        for (qsizetype c = 0; c < now.size(); ++c) {
            if (!same(now.at(c), row.values.at(c)))
                Q_EMIT valueChanged(m_current, int(c));
        }
        setState(State::Browse);
    }
}

void DataSet::remove()
{
    if (m_state == State::Insert) {
        cancelRow();
        return;
    }
    if (m_rows.isEmpty())
        return;
    const int r = m_current;
    if (m_rows.at(r).change != RowChange::Inserted)
        m_removed.append(m_rows.at(r).original);
    const State oldState = m_state;
    Q_EMIT rowAboutToBeRemoved(r);
    m_rows.removeAt(r);
    m_editSnapshot.clear();
    m_state = State::Browse;
    m_current = m_rows.isEmpty() ? -1 : std::min(r, count() - 1);
    m_pastLast = m_rows.isEmpty();
    Q_EMIT rowRemoved(r);
    Q_EMIT currentRowChanged(m_current);
    if (oldState != m_state)
        Q_EMIT stateChanged(m_state);
    Q_EMIT changed();
}

DataSet::RowChange DataSet::pendingChange(int row) const
{
    const RowChange change = m_rows.at(row).change;
    if (row == m_current && m_state == State::Edit && change == RowChange::None)
        return RowChange::Modified;
    return change;
}

DataSet::RowChange DataSet::rowChange(int row) const
{
    if (row < 0 || row >= count())
        return RowChange::None;
    return pendingChange(row);
}

bool DataSet::hasChanges() const
{
    if (isChanging() || !m_removed.isEmpty())
        return true;
    for (const Row& row : m_rows) {
        if (row.change != RowChange::None)
            return true;
    }
    return false;
}

Status DataSet::checkRequired(const QList<RequiredField>& fields) const
{
    for (const RequiredField& f : fields) {
        const QVariant v = value(f.column);
        if (v.isNull() || v.toString().trimmed().isEmpty())
            return Refusal::rule(u"資料錯誤"_s, f.text, f.field);
    }
    return {};
}

QVariantList DataSet::identity(int row) const
{
    if (row < 0 || row >= count())
        return {};
    const Row& r = m_rows.at(row);
    if (m_keys.isEmpty())
        return r.values;
    QVariantList values;
    for (const QString& key : m_keys)
        values.append(r.values.value(columnIndex(key)));
    return values;
}

bool DataSet::isNewRow(int row) const
{
    return row >= 0 && row < count() && m_rows.at(row).change == RowChange::Inserted;
}

int DataSet::findIdentity(const QVariantList& wanted, int from) const
{
    for (int r = from; r < count(); ++r) {
        const QVariantList have = identity(r);
        if (have.size() != wanted.size())
            return -1;
        bool all = true;
        for (qsizetype i = 0; all && i < have.size(); ++i)
            all = same(have.at(i), wanted.at(i));
        if (all)
            return r;
    }
    return -1;
}

std::pair<QString, SqlParams> DataSet::matchCondition(const QVariantList& original, const QStringList& tableColumns) const
{
    QStringList terms;
    SqlParams params;
    auto term = [&](const QString& column, const QVariant& value) {
        if (value.isNull()) {
            terms.append(column + u" is null"_s);
        } else {
            const QString name = u":w"_s + QString::number(params.size());
            terms.append(column + u" = "_s + name);
            params.append({ name, value });
        }
    };
    if (!m_keys.isEmpty()) {
        for (const QString& key : m_keys) {
            const int c = columnIndex(key);
            term(tableColumns.at(c).isEmpty() ? key : tableColumns.at(c), original.at(c));
        }
        return { terms.join(u" and "_s), params };
    }
    for (qsizetype c = 0; c < tableColumns.size(); ++c) {
        if (!tableColumns.at(c).isEmpty())
            term(tableColumns.at(c), original.at(c));
    }
    // One row only, even where two rows hold the same values.
    const QString rowId = dialectOf(m_db) == Dialect::Postgres ? u"ctid"_s : u"rowid"_s;
    return { rowId + u" = (select "_s + rowId + u" from "_s + m_table + u" where "_s + terms.join(u" and "_s)
            + u" limit 1)"_s,
        params };
}

Status DataSet::writeChanges()
{
    if (!hasChanges())
        return {};
    if (m_table.isEmpty())
        return Refusal::database(u"This data set is read-only."_s);

    for (const QVariantList& original : m_removed) {
        const auto [where, params] = matchCondition(original, m_tableColumns);
        // A row someone else removed already is gone either way.
        if (Status s = sql::execute(m_db, u"delete from "_s + m_table + u" where "_s + where, params); !s)
            return s;
    }
    for (int r = 0; r < count(); ++r) {
        const Row& row = m_rows.at(r);
        const RowChange change = pendingChange(r);
        if (change == RowChange::Modified) {
            QStringList sets;
            SqlParams params;
            for (qsizetype c = 0; c < m_tableColumns.size(); ++c) {
                if (m_tableColumns.at(c).isEmpty() || same(row.values.at(c), row.original.at(c)))
                    continue;
                const QString name = u":s"_s + QString::number(params.size());
                sets.append(m_tableColumns.at(c) + u" = "_s + name);
                params.append({ name, row.values.at(c) });
            }
            if (sets.isEmpty())
                continue;
            const auto [where, whereParams] = matchCondition(row.original, m_tableColumns);
            auto done = sql::execute(
                m_db, u"update "_s + m_table + u" set "_s + sets.join(u", "_s) + u" where "_s + where, params + whereParams);
            if (!done)
                return done.refusal();
            if (*done == 0)
                return Refusal::database(u"資料已被其他使用者修改或刪除，請取消後重新讀取。"_s);
        } else if (change == RowChange::Inserted) {
            QList<std::pair<QString, QVariant>> values;
            for (qsizetype c = 0; c < m_tableColumns.size(); ++c) {
                if (!m_tableColumns.at(c).isEmpty() && !row.values.at(c).isNull())
                    values.append({ m_tableColumns.at(c), row.values.at(c) });
            }
            const Status s = values.isEmpty()
                ? Status(sql::execute(m_db, u"insert into "_s + m_table + u" default values"_s))
                : sql::insert(m_db, m_table, values);
            if (!s)
                return s;
        }
    }
    return {};
}

Status DataSet::save(const std::function<Status()>& alongside)
{
    return saveAll({ this }, alongside);
}

Status DataSet::saveAll(const QList<DataSet*>& sets, const std::function<Status()>& alongside)
{
    if (sets.isEmpty())
        return {};
    {
        Transaction tx(sets.first()->m_db);
        if (!tx.started())
            return tx.started();
        if (alongside) {
            if (Status s = alongside(); !s)
                return s;
        }
        for (DataSet* set : sets) {
            if (Status s = set->writeChanges(); !s)
                return s;
        }
        if (Status s = tx.commit(); !s)
            return s;
    }
    // Written: whatever the reading back brings, nothing is held any more.
    QList<QVariantList> identities;
    for (DataSet* set : sets) {
        identities.append(set->identity(set->m_current));
        set->markSaved();
    }
    Status result;
    for (qsizetype i = 0; i < sets.size(); ++i) {
        DataSet* set = sets.at(i);
        if (Status s = set->read(identities.at(i), set->m_current); !s && result)
            result = s;
    }
    return result;
}

void DataSet::markSaved()
{
    for (Row& row : m_rows) {
        row.original = row.values;
        row.change = RowChange::None;
    }
    m_removed.clear();
    m_editSnapshot.clear();
    setState(State::Browse);
}

} // namespace korvessa
