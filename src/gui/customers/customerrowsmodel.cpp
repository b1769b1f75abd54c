#include "gui/customers/customerrowsmodel.h"

namespace korvessa {

CustomerRowsModel::CustomerRowsModel(CustomerRows* rows, QList<std::pair<QString, QString>> shown, QObject* parent)
    : QAbstractTableModel(parent)
    , m_rows(rows)
{
    QStringList labels;
    for (const auto& [column, title] : shown) {
        m_columns.append(rows->columnIndex(column));
        labels.append(title);
    }
    m_titles.setLabels(labels);
}

void CustomerRowsModel::reload()
{
    m_titles.reset();
    endResetModel();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void CustomerRowsModel::sortByTitle(int section)
{
    if (section < 0 || section >= m_columns.size())
        return;
    const Qt::SortOrder order = m_titles.click(section);
    Q_EMIT layoutAboutToBeChanged();
    m_rows->sort(m_columns.at(section), order);
    Q_EMIT layoutChanged();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int CustomerRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows->count();
}

int CustomerRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant CustomerRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_rows->value(index.row(), m_columns.value(index.column(), -1));
}

QVariant CustomerRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_titles.title(section);
}

} // namespace korvessa
