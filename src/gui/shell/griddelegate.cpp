#include "gui/shell/griddelegate.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace korvessa {

GridDelegate::GridDelegate(QAbstractItemView* view)
    : QStyledItemDelegate(view)
    , m_view(view)
{
}

CellColors GridDelegate::colors(const QModelIndex& index) const
{
    const int record = index.row() + 1;
    CellColors c { record % 2 == 1 ? oddRowColor() : QColor(Qt::white), QColor(Qt::black) };
    const QModelIndex current = m_view->currentIndex();
    if (current.isValid() && current.row() == index.row())
        c = { currentRowColor(), QColor(Qt::white) };
    if (current.isValid() && current == index && m_view->hasFocus())
        c = { QColor(Qt::white), currentRowColor() };
    return c;
}

void GridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const CellColors c = colors(index);
    option->backgroundBrush = c.background;
    option->palette.setColor(QPalette::Text, c.text);
    option->palette.setColor(QPalette::HighlightedText, c.text);
    // The rules above are the whole highlighting: no selection colour or
    // focus frame of the style on top.
    option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (editor)
        editor->setInputMethodHints(editor->inputMethodHints() | Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    return editor;
}

bool GridDelegate::eventFilter(QObject* editor, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            // Enter in a cell acts as Tab: the text is kept and the next column taken.
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            return QStyledItemDelegate::eventFilter(editor, &tab);
        }
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}

} // namespace korvessa
