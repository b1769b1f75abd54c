#pragma once

#include "core/common/result.h"
#include "core/common/toolbarrule.h"
#include "core/db/sql.h"

#include <QList>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <algorithm>
#include <functional>

namespace korvessa {

// A field that must not be left empty, with the module's own message
// ("公司編號不可以為空!") and the object name of the widget that shows it.
struct RequiredField {
    QString column;
    QString text;
    QString field;
};

// The rows of one select, held in memory while they are changed: the data set
// every editing module works on.
//
// Rows are read by a select with bound parameters; changes (new rows, changed
// values, removed rows) stay in memory until save() writes all of them in one
// transaction and reads the rows again. If the database refuses any of them,
// nothing is written and every held change stays as it was, so the user can
// correct it and save again, or cancel.
//
// Changed and removed rows are found again by the key columns the module
// declares ({"comp", "cus_no"}); without keys, by all the values the row had
// when it was read (a null matches only a null), one row at a time, so that
// two identical rows stay two rows.
//
// Only the columns of `table` are written; other columns of the select (joined
// names, computed values) are shown but never stored.
//
// States follow the usual pattern: Browse; Edit once a value of a row is set;
// Insert after append()/insert(). post() ends Edit/Insert and keeps the change
// held; moving to another row posts first.
//
// Incremental reading (setFetchSize(n), n > 0): open(), cancel(), search() and
// save() read only the first n rows; fetchMore() reads the next block. Every
// block is a statement of its own, the select with "limit … offset …" appended,
// run and finished at once, so no query stays open between calls. A block reads
// at least as many rows as have been read already, so reading a whole list
// costs about twice reading it at once. The select must not have a limit of
// its own, and its order must be total (end it with a unique column or the
// table's row id), or rows that sort alike may come twice or not at all;
// rows other users add or remove between two blocks may do the same until the
// rows are read again.
//
// With a fetch size, count() and the row numbers cover the rows held: those
// read so far, without the held removals, with the new rows. Fetched rows
// never touch a held change: they go after the last row read before, that is
// before the new rows appended at the end, which stay at the end (the current
// row and its number move with them). What needs rows beyond the held ones
// reads them: next() on the last held row, last() (everything), locate()
// (until found), setCurrentRow() (up to that row), and the re-reading of
// save() and cancel() (up to the row it comes back to). isLast() and
// isPastLast() are true only when nothing more can be fetched.
class DataSet : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    enum class RowChange { None, Inserted, Modified };
    Q_ENUM(State)

    explicit DataSet(QObject* parent = nullptr);
    ~DataSet() override;

    // The columns that identify a row for updates and deletes.
    void setKeyColumns(const QStringList& columns) { m_keys = columns; }
    const QStringList& keyColumns() const { return m_keys; }

    // Rows read by the first block and at least by each further one; 0 (the
    // default) reads every row at once. Takes effect at the next read.
    void setFetchSize(int rows) { m_fetchSize = std::max(rows, 0); }
    int fetchSize() const { return m_fetchSize; }
    // True while rows of the select may be left to read.
    bool canFetchMore() const { return isActive() && !m_allFetched; }
    // Reads the next block of rows (rowsAboutToBeFetched/rowsFetched around
    // it). A refusal of the database stops the fetching until the rows are
    // read again.
    Status fetchMore();
    // Reads every row left.
    Status fetchAll();
    // Rows read from the database since the last read (held removals included).
    int fetchedCount() const { return m_fetched; }

    // Reads the rows of `selectText`; `table` is the table changes are written
    // to (empty for a read-only data set). Drops any held change and any search.
    Status open(const QSqlDatabase& db, const QString& table, const QString& selectText, const SqlParams& params = {});
    void close();

    // Drops every held change and reads the rows again (the current search
    // stays), keeping the current row where it can be found again.
    Status cancel();
    // Reads the rows again; the same as cancel().
    Status requery() { return cancel(); }

    // Keeps only the rows where one of `columns` contains `text` (matched
    // literally and regardless of letter case, the text bound as a value);
    // an empty text shows all rows again. A search reads the rows again, so
    // held changes are dropped. A trailing "order by" of the select is kept;
    // name its columns as the select outputs them.
    Status search(const QStringList& columns, const QString& text);
    const QString& searchText() const { return m_searchText; }

    // The condition behind search(), for modules that write their own select:
    // "(lower(cast(c as text)) like lower(:kv_s0) escape '!' or …)" with its
    // parameters.
    static std::pair<QString, SqlParams> containsCondition(const QStringList& columns, const QString& text);

    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isChanging() const { return m_state == State::Edit || m_state == State::Insert; }
    EditingState editingState() const;

    const QString& table() const { return m_table; }
    QSqlDatabase database() const { return m_db; }

    // Column names as the select gave them; look-ups ignore letter case,
    // because PostgreSQL reports unquoted names in lower case.
    const QStringList& columns() const { return m_columns; }
    int columnIndex(const QString& column) const;

    // The rows held (see the class comment for a fetch size).
    int count() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    int currentRow() const { return m_current; } // -1 when empty
    bool isFirst() const { return m_current <= 0; }
    // On the last row, with nothing more to fetch.
    bool isLast() const { return m_current == count() - 1 && !canFetchMore(); }
    // True when empty, after next() on the last row, or after last().
    bool isPastLast() const { return m_rows.isEmpty() || m_pastLast; }

    // Moves; a row being edited or inserted is posted first. last() reads
    // every row left; next() on the last held row reads the next block.
    void first();
    void last();
    bool next();
    bool prior();
    // Reads up to `row` where it is not held yet; false when there is none.
    bool setCurrentRow(int row);
    // Moves to the first row whose value in `column` equals `value` (as text),
    // reading further blocks until it is found.
    bool locate(const QString& column, const QVariant& value);
    bool locate(const QVariantMap& values);

    QVariant value(const QString& column) const { return value(m_current, columnIndex(column)); }
    QVariant value(int row, const QString& column) const { return value(row, columnIndex(column)); }
    QVariant value(int row, int column) const;
    QString text(const QString& column) const { return value(column).toString(); }

    // Sets a value of the current row; a browsing row goes into Edit, and an
    // empty data set gets a new row first. False for an unknown column.
    bool setValue(const QString& column, const QVariant& value);
    bool setValue(int row, int column, const QVariant& value);

    // A new row with `defaults` (column → value) after the last row, or before
    // the current one; state Insert.
    void append(const QVariantMap& defaults = {});
    void insert(const QVariantMap& defaults = {});
    void edit();
    void post();
    // Undoes the change being made to the current row: a new row is dropped,
    // an edited one gets its values back. Changes already posted stay held.
    void cancelRow();
    // Removes the current row; held until save(). A new row simply goes.
    void remove();

    bool hasChanges() const;
    RowChange rowChange(int row) const;
    int removedCount() const { return int(m_removed.size()); }

    // The first required field of the current row that is empty (null, or
    // only spaces), as a "資料錯誤" refusal naming its field.
    Status checkRequired(const QList<RequiredField>& fields) const;

    // Writes every held change in one transaction and reads the rows again.
    // `alongside` runs first inside the same transaction, for rows a module
    // writes together with these (its refusal undoes everything).
    Status save(const std::function<Status()>& alongside = {});
    // The same for several data sets at once, written in the order given
    // (a voucher's lines, then its header).
    static Status saveAll(const QList<DataSet*>& sets, const std::function<Status()>& alongside = {});

Q_SIGNALS:
    void aboutToReset();
    void wasReset();
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    // A block of rows read by a fetch, rows first…last once they are in.
    void rowsAboutToBeFetched(int first, int last);
    void rowsFetched(int first, int last);
    void valueChanged(int row, int column);
    void currentRowChanged(int row);
    void stateChanged(korvessa::DataSet::State state);
    // After any of the above: one place to refresh toolbars and fields.
    void changed();

private:
    struct Row {
        QVariantList values;
        QVariantList original; // as read; empty for a new row
        RowChange change = RowChange::None;
    };

    struct Block {
        QStringList columns;
        QList<Row> rows;
        bool more = false;
    };

    Status read(const QVariantList& relocate, int fallbackRow);
    Result<Block> readBlock(const QString& text, const SqlParams& params, int offset, int limit) const;
    Status fetchBlock(bool signal);
    int fetchPosition() const;
    bool matches(int row, const QList<std::pair<int, QVariant>>& wanted) const;
    Status writeChanges();
    void markSaved();
    void moveTo(int row, bool pastLast);
    void setState(State state);
    void newRow(int at, const QVariantMap& defaults);
    RowChange pendingChange(int row) const;
    std::pair<QString, SqlParams> matchCondition(const QVariantList& original, const QStringList& tableColumns) const;
    QVariantList identity(int row) const;
    bool isNewRow(int row) const;
    int findIdentity(const QVariantList& identity, int from = 0) const;

    QSqlDatabase m_db;
    QString m_table;
    QString m_select;
    SqlParams m_params;
    QStringList m_keys;
    QStringList m_searchColumns;
    QString m_searchText;
    int m_fetchSize = 0;
    // The statement of the last read, for the blocks after its first.
    QString m_readText;
    SqlParams m_readParams;
    int m_fetched = 0;
    bool m_allFetched = true;

    QStringList m_columns;
    QStringList m_tableColumns; // per column: the table's name for it, or empty
    QList<Row> m_rows;
    QList<QVariantList> m_removed; // original values of removed rows
    int m_current = -1;
    bool m_pastLast = true;
    State m_state = State::Inactive;
    QVariantList m_editSnapshot; // the current row's values before Edit
    int m_rowBeforeInsert = -1;
};

} // namespace korvessa
