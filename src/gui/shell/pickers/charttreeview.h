#pragma once

#include "core/ledger/charttree.h"

#include <QHash>
#include <QList>
#include <QTreeWidget>

namespace korvessa {

// A read-only tree of categories and accounts built from charttree nodes in
// one pass. Each item keeps the code it stands for, so that a node can be
// found by its code without walking the tree.
class ChartTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit ChartTreeView(QWidget* parent = nullptr);
    ~ChartTreeView() override;

    // Replaces the items; the selection is cleared.
    void setNodes(const QList<ChartNode>& nodes);

    QTreeWidgetItem* root() const { return m_items.isEmpty() ? nullptr : m_items.first(); }
    QTreeWidgetItem* itemForCode(const QString& code) const { return m_byCode.value(code); }
    // The first item in display order (root first) whose text begins with `prefix`.
    QTreeWidgetItem* firstStartingWith(const QString& prefix) const;
    // All items in display order.
    const QList<QTreeWidgetItem*>& items() const { return m_items; }

    static QString codeOf(const QTreeWidgetItem* item);
    static ChartNode::Kind kindOf(const QTreeWidgetItem* item);

    // Makes `item` current and selected, its parents expanded, and scrolls to it.
    void selectItem(QTreeWidgetItem* item);

private:
    QList<QTreeWidgetItem*> m_items;
    QHash<QString, QTreeWidgetItem*> m_byCode;
};

} // namespace korvessa
