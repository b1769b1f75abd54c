#pragma once

#include <QStyledItemDelegate>

namespace korvessa {

// Paints the current row of a multi-select list, while it is not selected,
// white on black, so that it stands apart from the selected rows.
class CurrentRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace korvessa
