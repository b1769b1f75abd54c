#include "gui/shell/pickers/rowpicker.h"

#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"

#include <QMouseEvent>
#include <QVBoxLayout>

namespace korvessa {

RowPicker::RowPicker(QSqlDatabase db, QString comp, QWidget* parent)
    : PickerFrame(std::move(db), std::move(comp), parent)
{
}

RowPicker::~RowPicker() = default;

void RowPicker::addGrid(const QList<GridColumn>& columns, int stretch)
{
    m_grid = new GridFrame(this);
    body()->addWidget(m_grid, stretch);
    m_grid->showDataSet(&m_rows, columns);
    // A double click anywhere in the grid counts, on an empty one as well.
    m_grid->dbGrid1()->viewport()->installEventFilter(this);
}

bool RowPicker::eventFilter(QObject* watched, QEvent* event)
{
    if (m_grid && event->type() == QEvent::MouseButtonDblClick && watched == m_grid->dbGrid1()->viewport()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        chooseRow(m_grid->dbGrid1()->indexAt(mouse->position().toPoint()).row());
        return true;
    }
    return PickerFrame::eventFilter(watched, event);
}

void RowPicker::chooseRow(int row)
{
    if (!m_rows.isActive() || m_rows.isEmpty()) {
        leave();
        return;
    }
    if (row >= 0)
        m_rows.setCurrentRow(row);
    pick();
}

} // namespace korvessa
