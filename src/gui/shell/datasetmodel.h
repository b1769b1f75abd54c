#pragma once

#include "core/db/dataset.h"

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

class QAbstractItemView;

namespace korvessa {

// One column of a grid: the data set's column, its title, a width in pixels
// (0 leaves it to the view) and, where the raw value does not read well, a
// formatter.
struct GridColumn {
    QString column;
    QString title;
    int width = 0;
    std::function<QString(const QVariant&)> format = {};
};

// The rows of a data set as a table, for the grids. The model follows the data
// set's rows, values and current row; views attached with attachView() keep
// their current row and the data set's current row the same, whichever moves.
// Cells are read-only unless setEditable(true); an edited cell sets the data
// set's value (which puts its row into Edit).
//
// A data set with a fetch size grows as the view scrolls: canFetchMore() and
// fetchMore() hand the view's requests to it, and every block it reads (also
// one read by locate() or last()) comes in as inserted rows. A refusal of the
// database while fetching is shown over the first attached view.
class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    DataSetModel(DataSet* set, QList<GridColumn> columns, QObject* parent = nullptr);
    ~DataSetModel() override;

    DataSet* dataSet() const { return m_set; }
    const QList<GridColumn>& gridColumns() const { return m_columns; }
    void setEditable(bool editable) { m_editable = editable; }
    bool isEditable() const { return m_editable; }

    // Keeps `view`'s current row in step with the data set; call after the
    // view was given this model.
    void attachView(QAbstractItemView* view);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    void resolveColumns();
    void showCurrentRow();

    QPointer<DataSet> m_set; // a module's data set may go before its grid
    QList<GridColumn> m_columns;
    QList<int> m_dataColumns; // the data set's column of each grid column, -1 when absent
    QList<QPointer<QAbstractItemView>> m_views;
    bool m_editable = false;
    int m_changing = 0; // inside a change of the data set's rows: views do not move it
};

} // namespace korvessa
