#pragma once

#include "core/common/result.h"
#include "core/db/sql.h"

#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace korvessa {

class DataSet;

// The register of customers and vendors, common to every company: the list
// the customer module edits, with its save checks, its deletion (history rows
// go with the customer) and its search.
//
// The list is read as it is shown: the first kFetchSize records, then more as
// the grid scrolls or a move needs them (see DataSet). Checks that need every
// record (a number already taken) ask the database.
class CustomerRegister : public QObject {
    Q_OBJECT
public:
    // Records read at first, and at least by each further block.
    static constexpr int kFetchSize = 200;

    explicit CustomerRegister(QObject* parent = nullptr);
    ~CustomerRegister() override;

    // The object name of the number field, focused by the refusals.
    static QString numberField();
    // The columns "搜尋" looks in.
    static const QStringList& searchColumns();
    // The values a new record starts with: level "1" and today's date.
    static QVariantMap newRecordDefaults();
    // The names of the category lists ('C', 'source', 'biz', 'area') in their
    // stored order.
    static Result<QStringList> categoryItems(const QSqlDatabase& db, const QString& kind);

    DataSet* customers() const { return m_set; }

    // Every record, ordered by number (the first block of them).
    Status open(const QSqlDatabase& db);
    // A new record with the defaults, after the last one.
    void addNew();
    // Checks the current record (a new one's number asked of the database)
    // and writes every held change.
    Status save();
    // Drops the held changes and reads the register again in its stored
    // order, back on the record that was current.
    Status cancel();
    // Removes the current record and its contact history at once.
    Status removeCurrent();
    // The records where one of searchColumns() contains `text`; all of them
    // for an empty text.
    Status search(const QString& text);

private:
    // The column ordering the rows as they are stored: "rowid" or "ctid".
    static QString storedOrder(const QSqlDatabase& db);
    Status reopen(const QString& where, const SqlParams& params);

    DataSet* m_set = nullptr;
    QSqlDatabase m_db;
};

} // namespace korvessa
