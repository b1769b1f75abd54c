#include "gui/customers/currentrowdelegate.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QPainter>

namespace korvessa {

void CurrentRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const bool current = view && view->currentIndex().isValid() && view->currentIndex().row() == index.row();
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    if (!current || selected) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    painter->fillRect(option.rect, Qt::black);
    painter->setPen(Qt::white);
    painter->drawText(
        option.rect.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter, index.data(Qt::DisplayRole).toString());
}

} // namespace korvessa
