#pragma once

#include <QColor>
#include <QStyledItemDelegate>

class QAbstractItemView;

namespace korvessa {

struct CellColors {
    QColor background;
    QColor text;
};

// Paints the banded rows of the grids and keeps Enter moving on while a
// cell is being typed into.
//
// A cell's colours, later rules winning: odd records (1, 3, 5 …) pale green,
// even ones white, text black; the current record's row blue with white
// text; the focused cell (the current cell of a grid that has the focus)
// white with blue text.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(QAbstractItemView* view);

    // The colours the cell at `index` is painted with now.
    CellColors colors(const QModelIndex& index) const;

    static QColor oddRowColor() { return { 221, 252, 205 }; }
    static QColor currentRowColor() { return { 0, 68, 255 }; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    QAbstractItemView* m_view;
};

} // namespace korvessa
