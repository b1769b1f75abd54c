#include "gui/shell/pickers/accountpicker.h"

#include "core/ledger/accountcode.h"
#include "core/ledger/accounts.h"
#include "core/ledger/charttree.h"
#include "gui/shell/messages.h"
#include "gui/shell/pickers/charttreeview.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace korvessa {

using namespace Qt::StringLiterals;

AccountPicker::AccountPicker(QSqlDatabase db, QString comp, QWidget* parent)
    : PickerFrame(std::move(db), std::move(comp), parent)
{
    setObjectName(u"rec_accF"_s);
    setWindowTitle(u"會計科目查詢"_s);
    resize(420, 520);
    searchEdit()->setInputMask(QString::fromLatin1(accountcode::kInputMask));
    m_tree = new ChartTreeView(this);
    body()->addWidget(m_tree);
    connect(m_tree, &QTreeWidget::itemClicked, this, [](QTreeWidgetItem* item) { item->setExpanded(true); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { pickItem(item); });
    connect(leaveButton(), &QPushButton::clicked, this, [this] { m_picked.clear(); });
    build();
}

AccountPicker::~AccountPicker() = default;

void AccountPicker::build()
{
    const auto nodes = charttree::chart(books(), comp());
    if (!nodes) {
        Messages::instance().refuse(this, nodes.refusal());
        return;
    }
    m_tree->setNodes(*nodes);
    if (QTreeWidgetItem* root = m_tree->root())
        root->setExpanded(true);
}

void AccountPicker::showEvent(QShowEvent* event)
{
    // Every showing starts without a pick, so that leaving never hands back
    // the code of an earlier one.
    m_picked.clear();
    PickerFrame::showEvent(event);
}

void AccountPicker::pickItem(QTreeWidgetItem* item)
{
    const QString code = item ? accountcode::fromNodeText(item->text(0)) : QString();
    if (code.isEmpty()) {
        m_picked.clear();
        leave();
        return;
    }
    m_picked = code;
    pick();
}

void AccountPicker::search()
{
    const QString digits = accountcode::fromDisplay(searchEdit()->text());
    const auto found = accounts::firstCodeStartingWith(books(), comp(), digits);
    if (!found) {
        Messages::instance().refuse(this, found.refusal());
        return;
    }
    if (!found->has_value())
        return;
    if (QTreeWidgetItem* item = m_tree->itemForCode(**found)) {
        m_tree->selectItem(item);
        m_tree->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace korvessa
