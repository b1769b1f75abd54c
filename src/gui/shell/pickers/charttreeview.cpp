#include "gui/shell/pickers/charttreeview.h"

#include <QHeaderView>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

constexpr int kCodeRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;

} // namespace

ChartTreeView::ChartTreeView(QWidget* parent)
    : QTreeWidget(parent)
{
    setObjectName(u"TreeView1"_s);
    setColumnCount(1);
    setHeaderHidden(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
}

ChartTreeView::~ChartTreeView() = default;

void ChartTreeView::setNodes(const QList<ChartNode>& nodes)
{
    setUpdatesEnabled(false);
    clear();
    m_items.clear();
    m_byCode.clear();
    m_items.reserve(nodes.size());
    m_byCode.reserve(nodes.size());
    QList<QTreeWidgetItem*> tops;
    for (const ChartNode& n : nodes) {
        auto* item = new QTreeWidgetItem(QStringList { n.text });
        item->setData(0, kCodeRole, n.code);
        item->setData(0, kKindRole, int(n.kind));
        if (n.parent >= 0 && n.parent < m_items.size())
            m_items[n.parent]->addChild(item);
        else
            tops.append(item);
        m_items.append(item);
        if (!n.code.isEmpty() && !m_byCode.contains(n.code))
            m_byCode.insert(n.code, item);
    }
    addTopLevelItems(tops);
    setUpdatesEnabled(true);
}

QTreeWidgetItem* ChartTreeView::firstStartingWith(const QString& prefix) const
{
    for (QTreeWidgetItem* item : m_items) {
        if (item->text(0).startsWith(prefix))
            return item;
    }
    return nullptr;
}

QString ChartTreeView::codeOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kCodeRole).toString() : QString();
}

ChartNode::Kind ChartTreeView::kindOf(const QTreeWidgetItem* item)
{
    return item ? ChartNode::Kind(item->data(0, kKindRole).toInt()) : ChartNode::Kind::Root;
}

void ChartTreeView::selectItem(QTreeWidgetItem* item)
{
    if (!item)
        return;
    for (QTreeWidgetItem* p = item->parent(); p; p = p->parent())
        p->setExpanded(true);
    setCurrentItem(item);
    item->setSelected(true);
    scrollToItem(item);
}

} // namespace korvessa
