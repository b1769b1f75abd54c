#include "gui/admin/celleditordelegate.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace korvessa {

CellEditorDelegate::CellEditorDelegate(QAbstractItemView* view)
    : GridDelegate(view)
{
}

QWidget* CellEditorDelegate::createEditor(
    QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!m_items.isEmpty()) {
        auto* combo = new QComboBox(parent);
        combo->addItems(m_items);
        return combo;
    }
    QWidget* editor = GridDelegate::createEditor(parent, option, index);
    if (auto* edit = qobject_cast<QLineEdit*>(editor); edit && !m_mask.isEmpty())
        edit->setInputMask(m_mask);
    return editor;
}

void CellEditorDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(std::max(0, combo->findText(index.data(Qt::EditRole).toString())));
        return;
    }
    GridDelegate::setEditorData(editor, index);
}

void CellEditorDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    QString text;
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        text = combo->currentText();
    else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        text = edit->text();
        // A mask left blank gives only its literals: store nothing then.
        if (!m_mask.isEmpty() && !std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetterOrNumber(); }))
            text.clear();
    } else {
        GridDelegate::setModelData(editor, model, index);
        return;
    }
    if (text == index.data(Qt::EditRole).toString())
        return;
    if (m_check && (text.isEmpty() || !m_check(index.row(), text)))
        return;
    model->setData(index, text, Qt::EditRole);
}

} // namespace korvessa
