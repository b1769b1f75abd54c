#pragma once

#include "gui/shell/griddelegate.h"
#include "gui/shell/datasetmodel.h"

#include <QFrame>

namespace korvessa {

class DataSet;
class GridView;

// The banded list every module shows its rows in: one grid `DBGrid1` with
// money-green titles, read-only unless the module makes it editable. The
// colours are those of GridDelegate; Enter and the mouse wheel those of
// GridView.
class GridFrame : public QFrame {
    Q_OBJECT
public:
    explicit GridFrame(QWidget* parent = nullptr);
    ~GridFrame() override;

    GridView* dbGrid1() const { return m_grid; }
    GridDelegate* delegate() const { return m_delegate; }

    // Shows `set` in the given columns, the grid's current row and the data
    // set's kept together. The model belongs to the frame.
    DataSetModel* showDataSet(DataSet* set, const QList<GridColumn>& columns);
    DataSetModel* dataSetModel() const { return m_model; }

    // Cells can be typed into (double click, F2 or typing) when editable.
    void setEditable(bool editable);
    bool isEditable() const { return m_editable; }

    // The colours the cell would be painted with now.
    CellColors cellColors(int row, int column) const;

    static QColor headerColor() { return { 192, 220, 192 }; }

private:
    GridView* m_grid = nullptr;
    GridDelegate* m_delegate = nullptr;
    DataSetModel* m_model = nullptr;
    bool m_editable = false;
};

} // namespace korvessa
