#include "core/customers/sorttitles.h"

using namespace Qt::StringLiterals;

namespace korvessa {

SortTitles::SortTitles(QStringList labels)
    : m_labels(std::move(labels))
{
}

void SortTitles::setLabels(QStringList labels)
{
    m_labels = std::move(labels);
    reset();
}

Qt::SortOrder SortTitles::click(int column)
{
    if (column == m_column && m_order == Qt::DescendingOrder)
        m_order = Qt::AscendingOrder;
    else
        m_order = Qt::DescendingOrder;
    m_column = column;
    return m_order;
}

void SortTitles::reset()
{
    m_column = -1;
    m_order = Qt::DescendingOrder;
}

QString SortTitles::title(int column) const
{
    if (column < 0 || column >= m_labels.size())
        return {};
    if (column != m_column)
        return m_labels.at(column);
    return m_labels.at(column) + (m_order == Qt::DescendingOrder ? u" ▼"_s : u" ▲"_s);
}

} // namespace korvessa
