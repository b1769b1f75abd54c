#pragma once

#include "core/common/result.h"
#include "gui/shell/griddelegate.h"

#include <QStringList>

#include <functional>

namespace korvessa {

// A grid cell editor with the module's own rule: an input mask, a pick list,
// or a check run on the typed text before it is stored. A refused or empty
// entry leaves the cell as it was.
class CellEditorDelegate : public GridDelegate {
    Q_OBJECT
public:
    using Check = std::function<bool(int row, const QString& text)>;

    explicit CellEditorDelegate(QAbstractItemView* view);

    void setInputMask(const QString& mask) { m_mask = mask; }
    void setItems(const QStringList& items) { m_items = items; }
    // Returns false to refuse the text (after telling the user).
    void setCheck(Check check) { m_check = std::move(check); }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    QString m_mask;
    QStringList m_items;
    Check m_check;
};

} // namespace korvessa
