#pragma once

#include "core/common/result.h"

#include <QObject>
#include <QSqlDatabase>

namespace korvessa {

class DataSet;

// The postal-code table as the table editor changes it: every posted or
// removed row is written to the postal-code database at once.
class ZipcodeTable : public QObject {
    Q_OBJECT
public:
    explicit ZipcodeTable(QObject* parent = nullptr);
    ~ZipcodeTable() override;

    DataSet* rows() const { return m_set; }

    Status open(const QSqlDatabase& db);
    // Ends the edit or insert of the current row and writes it.
    Status post();
    // Removes the current row and writes the removal.
    Status removeCurrent();
    // Drops the change being made and reads the table again.
    Status refresh();

private:
    DataSet* m_set = nullptr;
};

} // namespace korvessa
