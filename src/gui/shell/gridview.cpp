#include "gui/shell/gridview.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace korvessa {

GridView::GridView(QWidget* parent)
    : QTableView(parent)
{
    setTabKeyNavigation(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Typing in a grid is numbers and codes: ask for plain Latin input.
    setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QTableView::keyPressEvent(&tab);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::wheelEvent(QWheelEvent* event)
{
    event->accept();
    if (!model() || model()->rowCount() == 0)
        return;
    m_wheel += event->angleDelta().y();
    const int steps = m_wheel / 120;
    if (steps == 0)
        return;
    m_wheel -= steps * 120;
    const QModelIndex current = currentIndex();
    const int column = current.isValid() ? current.column() : 0;
    const int from = current.isValid() ? current.row() : 0;
    // Wheel turned away from the user (positive) is up: the previous record.
    const int row = std::clamp(from - steps, 0, model()->rowCount() - 1);
    const QModelIndex target = model()->index(row, column);
    setCurrentIndex(target);
    scrollTo(target);
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    // The whole current row changes colour, not only the two cells.
    viewport()->update();
}

void GridView::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    viewport()->update();
}

void GridView::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
}

} // namespace korvessa
