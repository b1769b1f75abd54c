#include "gui/shell/gridframe.h"

#include "gui/shell/gridview.h"

#include <QHeaderView>
#include <QVBoxLayout>

namespace korvessa {

using namespace Qt::StringLiterals;

GridFrame::GridFrame(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(u"frmColorDBGrid"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_grid = new GridView(this);
    m_grid->setObjectName(u"DBGrid1"_s);
    m_delegate = new GridDelegate(m_grid);
    m_grid->setItemDelegate(m_delegate);
    layout->addWidget(m_grid);

    const QString header = u"QHeaderView::section { background-color: %1; color: black; border: 1px solid #8fae8f;"
                           u" border-top: none; border-left: none; padding: 2px 4px; }"_s.arg(headerColor().name());
    m_grid->horizontalHeader()->setStyleSheet(header);
    m_grid->verticalHeader()->setStyleSheet(header);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->verticalHeader()->setMinimumWidth(18);
}

GridFrame::~GridFrame() = default;

DataSetModel* GridFrame::showDataSet(DataSet* set, const QList<GridColumn>& columns)
{
    auto* model = new DataSetModel(set, columns, this);
    model->setEditable(m_editable);
    m_grid->setModel(model);
    if (m_model)
        m_model->deleteLater();
    m_model = model;
    model->attachView(m_grid);
    for (qsizetype c = 0; c < columns.size(); ++c) {
        if (columns.at(c).width > 0)
            m_grid->setColumnWidth(int(c), columns.at(c).width);
    }
    return model;
}

void GridFrame::setEditable(bool editable)
{
    m_editable = editable;
    if (m_model)
        m_model->setEditable(editable);
    m_grid->setEditTriggers(editable
            ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
            : QAbstractItemView::NoEditTriggers);
}

CellColors GridFrame::cellColors(int row, int column) const
{
    if (!m_grid->model())
        return {};
    return m_delegate->colors(m_grid->model()->index(row, column));
}

} // namespace korvessa
