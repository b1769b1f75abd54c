#include "gui/ledger/chartwindow.h"

#include "core/ledger/accountcode.h"
#include "core/ledger/accounts.h"
#include "core/ledger/charttree.h"
#include "gui/ledger/codefieldcheck.h"
#include "gui/ledger/copysourcepanel.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduletoolbar.h"
#include "gui/shell/pickers/charttreeview.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

QComboBox* dropDown(QWidget* parent, const QString& name, const QStringList& items)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    return combo;
}

QLineEdit* lineEdit(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

ChartWindow::ChartWindow(QWidget* parent)
    : ModuleWindow(parent)
{
    setObjectName(u"acctF"_s);
    setWindowTitle(u"會計科目"_s);

    auto* row = new QHBoxLayout;
    contentLayout()->addLayout(row, 1);
    m_tree = new ChartTreeView(this);
    m_tree->setMinimumWidth(300);
    row->addWidget(m_tree, 1);

    auto* panel = new QWidget(this);
    panel->setObjectName(u"Panel1"_s);
    auto* right = new QVBoxLayout(panel);
    auto* form = new QFormLayout;
    right->addLayout(form);
    row->addWidget(panel, 1);

    m_code = lineEdit(panel, QString::fromLatin1(accounts::kCodeField));
    m_code->setInputMask(QString::fromLatin1(accountcode::kInputMask));
    m_nameCN = lineEdit(panel, u"DBEdit2"_s);
    m_nameEN = lineEdit(panel, u"DBEdit3"_s);
    m_expenseType = dropDown(panel, u"DBComboBox1"_s, { u"固定費用"_s, u"變動費用"_s, u"非費用"_s });
    m_side = dropDown(panel, u"DBComboBox2"_s, { u"借"_s, u"貸"_s });
    m_contra = dropDown(panel, u"DBComboBox3"_s, { u"是"_s, u"否"_s });
    m_memo = new QPlainTextEdit(panel);
    m_memo->setObjectName(u"DBMemo1"_s);
    m_reserved = lineEdit(panel, u"DBEdit4"_s);
    m_reserved->setReadOnly(true);
    form->addRow(u"會計科目"_s, m_code);
    form->addRow(u"科目名(中)"_s, m_nameCN);
    form->addRow(u"科目名(英)"_s, m_nameEN);
    form->addRow(u"費用類別"_s, m_expenseType);
    form->addRow(u"本位方"_s, m_side);
    form->addRow(u"抵銷科目"_s, m_contra);
    form->addRow(u"備註"_s, m_memo);
    form->addRow(u"保留"_s, m_reserved);

    m_copyButton = new QPushButton(u"拷貝會計科目"_s, panel);
    m_copyButton->setObjectName(u"Button1"_s);
    m_copyButton->setAutoDefault(false);
    right->addWidget(m_copyButton);
    m_copyPanel = new CopySourcePanel(panel);
    m_copyPanel->hide();
    right->addWidget(m_copyPanel);
    right->addStretch(1);

    toolbar()->edit1()->setEnabled(false);
    toolbar()->speedButton10()->setEnabled(false);

    m_accounts.setKeyColumns({ u"comp"_s, u"acct_4"_s });
    if (Status s = m_accounts.open(books(), u"acct"_s, u"select * from acct where comp = :comp order by acct_4"_s,
            { { u":comp"_s, curComp() } });
        !s)
        Messages::instance().refuse(this, s.refusal());
    m_binder.bind(m_nameCN, u"acct_CN"_s);
    m_binder.bind(m_nameEN, u"acct_EN"_s);
    m_binder.bind(m_expenseType, u"acct_exty"_s);
    m_binder.bind(m_side, u"acct_side"_s);
    m_binder.bind(m_contra, u"acct_rep"_s);
    m_binder.bind(m_memo, u"acct_memo"_s);
    m_binder.bind(m_reserved, u"acc_temp"_s);

    const QString comp = curComp();
    const QSqlDatabase db = books();
    m_codeCheck = new CodeFieldCheck(
        this, m_code, &m_accounts, u"acct_4"_s,
        [db, comp](const QString& code) { return accounts::checkNewCode(db, comp, code); },
        [](const QString& text) { return accountcode::fromDisplay(text); },
        [](const QString& code) { return accountcode::display(code); });
    m_codeCheck->refresh();

    m_editing.setKeyField(m_code);
    m_editing.setDefaults([this] { return accounts::newAccountDefaults(curComp()); });
    m_editing.setAskBeforeExit(true);
    m_editing.setHandler(EditingController::Action::Post, [this] { save(); });
    m_editing.setHandler(EditingController::Action::Delete, [this] { remove(); });
    m_editing.updateState();

    connect(&m_accounts, &DataSet::changed, this, &ChartWindow::updateFrozen);
    connect(m_tree, &QTreeWidget::itemClicked, this, &ChartWindow::nodeClicked);
    connect(m_copyButton, &QPushButton::clicked, this, [this] { m_copyPanel->setVisible(true); });
    connect(m_copyPanel, &CopySourcePanel::started, this, &ChartWindow::copyFrom);

    if (auto others = accounts::otherCompanies(books(), curComp()))
        m_copyPanel->setCompanies(*others);
    rebuildTree();
    updateFrozen();
}

ChartWindow::~ChartWindow() = default;

void ChartWindow::updateFrozen()
{
    const bool changing = m_accounts.isChanging();
    m_tree->setEnabled(!changing);
    m_copyButton->setEnabled(!changing);
    m_copyPanel->startButton()->setEnabled(!changing);
}

QString ChartWindow::rememberedPrefix() const
{
    const QTreeWidgetItem* item = m_tree->currentItem();
    return item && item->isSelected() ? item->text(0).left(2) : QString();
}

void ChartWindow::selectStartingWith(const QString& prefix)
{
    if (prefix.isEmpty())
        return;
    m_tree->selectItem(m_tree->firstStartingWith(prefix));
}

void ChartWindow::rebuildTree()
{
    const auto nodes = charttree::chart(books(), curComp());
    if (!nodes) {
        Messages::instance().refuse(this, nodes.refusal());
        return;
    }
    m_tree->setNodes(*nodes);
    if (QTreeWidgetItem* root = m_tree->root())
        root->setExpanded(true);
}

void ChartWindow::save()
{
    if (!m_accounts.isChanging() && !m_accounts.hasChanges())
        return;
    if (!m_codeCheck->commit())
        return;
    const QString prefix = rememberedPrefix();
    if (Status s = accounts::save(m_accounts); !s) {
        Messages::instance().refuse(this, s.refusal());
        return;
    }
    rebuildTree();
    selectStartingWith(prefix);
}

void ChartWindow::remove()
{
    if (m_accounts.isEmpty())
        return;
    if (Status s = accounts::checkDelete(books(), curComp(), m_accounts.text(u"acct_4"_s)); !s) {
        Messages::instance().refuse(this, s.refusal());
        return;
    }
    const QString prefix = rememberedPrefix();
    if (!Messages::instance().confirmDelete(this))
        return;
    m_accounts.remove();
    if (Status s = m_accounts.save(); !s) {
        Messages::instance().refuse(this, s.refusal());
        static_cast<void>(m_accounts.cancel());
    }
    rebuildTree();
    selectStartingWith(prefix);
}

void ChartWindow::nodeClicked(QTreeWidgetItem* item)
{
    if (!item || m_accounts.isChanging())
        return;
    const QString code = accountcode::fromNodeText(item->text(0));
    if (code.size() > 3)
        m_accounts.locate(u"acct_4"_s, code);
}

void ChartWindow::copyFrom(const QString& company)
{
    if (m_accounts.isChanging())
        return;
    const auto added = accounts::copyFrom(books(), company, curComp());
    if (!added)
        Messages::instance().refuse(this, added.refusal());
    if (Status s = m_accounts.requery(); !s)
        Messages::instance().refuse(this, s.refusal());
    rebuildTree();
    m_copyPanel->hide();
}

} // namespace korvessa
