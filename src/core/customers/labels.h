#pragma once

#include "core/common/result.h"

#include <QList>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace korvessa {

class DataSet;

// The mailing labels ("客戶標籤列印"): the customers to print, one row of the
// scratch table ptemp a label, P01 to P05 = cus_no, cus_name, cus_att,
// cus_add, cus_tel1.
//
// ptemp is shared by every user and by the cashier reports, so a label row
// says whose it is: P00 stays empty (the cashier reports keep their company
// there, and they empty and read only rows with a P00), P06 holds the user
// number and P07 the row's place in the user's list (zero-padded, so that
// it sorts as text). Opening empties only the user's own label rows, so two
// users printing labels at once never touch each other's rows.
class LabelSheet : public QObject {
    Q_OBJECT
public:
    // One customer as it goes onto a label.
    struct Customer {
        QString number; // P01 cus_no
        QString name; // P02 cus_name
        QString contact; // P03 cus_att
        QString address; // P04 cus_add
        QString phone; // P05 cus_tel1
    };

    // Labels side by side in a row of the printed sheet.
    static constexpr int kLabelsPerRow = 3;

    explicit LabelSheet(QObject* parent = nullptr);
    ~LabelSheet() override;

    // P01 … P05, the columns a label shows.
    static const QStringList& labelColumns();

    // The rows of the list, in list order (P00 to P08).
    DataSet* rows() const { return m_set; }
    const QString& user() const { return m_user; }

    // Empties the user's label rows and opens the (empty) list.
    Status open(const QSqlDatabase& db, const QString& user);
    // Adds a row for each customer in the order given, after the others (a
    // customer already listed comes again), all in one transaction; the
    // first added row becomes current.
    Status add(const QList<Customer>& customers);
    // Writes the change made to the current row at once.
    Status writeChanges();
    // Removes the current row at once.
    Status removeCurrent();

    // One row per label in list order: P01 … P05 and `label_row`, the row of
    // the sheet the label goes into (kLabelsPerRow labels a row).
    QList<QVariantMap> printRows() const;
    // The sheet's rows: `label_row` = 0, 1, … as many as printRows() fill.
    QList<QVariantMap> sheetRows() const;

private:
    DataSet* m_set = nullptr;
    QSqlDatabase m_db;
    QString m_user;
};

} // namespace korvessa
