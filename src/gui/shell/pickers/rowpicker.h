#pragma once

#include "core/db/dataset.h"
#include "gui/shell/datasetmodel.h"
#include "gui/shell/pickers/pickerframe.h"

namespace korvessa {

class GridFrame;

// A picker that lists rows in a grid: a double click anywhere in the grid
// picks the row under the mouse, and on an empty list leaves with "no".
// After "ok" the chosen row is the current row of rows().
class RowPicker : public PickerFrame {
    Q_OBJECT
public:
    RowPicker(QSqlDatabase db, QString comp, QWidget* parent = nullptr);
    ~RowPicker() override;

    const DataSet& rows() const { return m_rows; }
    QString value(const QString& column) const { return m_rows.text(column); }
    GridFrame* grid() const { return m_grid; }

protected:
    // Adds the grid of the rows to the body with the given columns.
    void addGrid(const QList<GridColumn>& columns, int stretch = 0);
    DataSet& rowSet() { return m_rows; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseRow(int row);

    DataSet m_rows;
    GridFrame* m_grid = nullptr;
};

} // namespace korvessa
