#include "gui/ledger/accounttypewindow.h"

#include "core/ledger/accounts.h"
#include "core/ledger/categories.h"
#include "core/ledger/charttree.h"
#include "gui/ledger/codefieldcheck.h"
#include "gui/ledger/copysourcepanel.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduletoolbar.h"
#include "gui/shell/pickers/charttreeview.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

QLineEdit* lineEdit(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

// Codes of up to two digits.
void twoDigits(QLineEdit* edit)
{
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]{0,2}"_s), edit));
    edit->setMaxLength(2);
}

} // namespace

AccountTypeWindow::AccountTypeWindow(QWidget* parent)
    : ModuleWindow(parent)
{
    setObjectName(u"acc_typeF"_s);
    setWindowTitle(u"科目類別"_s);

    auto* title = new QLabel(u"科目類別設定表"_s, this);
    title->setObjectName(u"Label1"_s);
    styleTitleLabel(title);
    contentLayout()->addWidget(title);

    auto* row = new QHBoxLayout;
    contentLayout()->addLayout(row, 1);
    m_tree = new ChartTreeView(this);
    m_tree->setMinimumWidth(260);
    row->addWidget(m_tree, 1);

    auto* panel = new QWidget(this);
    panel->setObjectName(u"Panel1"_s);
    auto* right = new QVBoxLayout(panel);
    auto* form = new QFormLayout;
    right->addLayout(form);
    row->addWidget(panel, 1);

    m_code = lineEdit(panel, QString::fromLatin1(categories::kCodeField));
    twoDigits(m_code);
    m_system = lineEdit(panel, u"DBEdit2"_s);
    twoDigits(m_system);
    m_nameCN = lineEdit(panel, u"DBEdit3"_s);
    m_nameEN = lineEdit(panel, u"DBEdit4"_s);
    m_print = new QComboBox(panel);
    m_print->setObjectName(u"DBComboBox1"_s);
    m_print->addItems({ u"是"_s, u"否"_s });
    form->addRow(u"科目類別"_s, m_code);
    form->addRow(u"系統碼"_s, m_system);
    form->addRow(u"類別名稱(中文)"_s, m_nameCN);
    form->addRow(u"類別名稱(英文)"_s, m_nameEN);
    form->addRow(u"是否列印損益表"_s, m_print);

    m_copyButton = new QPushButton(u"拷貝科目類別"_s, panel);
    m_copyButton->setObjectName(u"Button1"_s);
    m_copyButton->setAutoDefault(false);
    right->addWidget(m_copyButton);
    m_copyPanel = new CopySourcePanel(panel);
    m_copyPanel->hide();
    right->addWidget(m_copyPanel);
    right->addStretch(1);

    toolbar()->edit1()->setEnabled(false);
    toolbar()->speedButton10()->setEnabled(false);

    if (auto others = accounts::otherCompanies(books(), curComp()))
        m_copyPanel->setCompanies(*others);

    m_categories.setKeyColumns({ u"comp"_s, u"acc_2"_s });
    if (Status s = m_categories.open(books(), u"acc_type"_s,
            u"select * from acc_type where comp = :comp order by acc_1, acc_2"_s, { { u":comp"_s, curComp() } });
        !s)
        Messages::instance().refuse(this, s.refusal());
    m_binder.bind(m_system, u"acc_sys"_s);
    m_binder.bind(m_nameCN, u"acc_CN"_s);
    m_binder.bind(m_nameEN, u"acc_EN"_s);
    m_binder.bind(m_print, u"acc_p"_s);

    const QString comp = curComp();
    const QSqlDatabase db = books();
    m_codeCheck = new CodeFieldCheck(
        this, m_code, &m_categories, u"acc_2"_s,
        [db, comp](const QString& code) { return categories::checkNewCode(db, comp, code); },
        [](const QString& text) { return text.trimmed(); }, [](const QString& code) { return code; });
    m_codeCheck->refresh();

    ToolbarOptions options;
    options.insertWhileEditing = true;
    m_editing.setOptions(options);
    m_editing.setKeyField(m_code);
    m_editing.setDefaults([this] { return categories::newCategoryDefaults(curComp()); });
    m_editing.setAskBeforeExit(true);
    m_editing.setHandler(EditingController::Action::Post, [this] { save(); });
    m_editing.setHandler(EditingController::Action::Delete, [this] { remove(); });
    m_editing.updateState();

    connect(&m_categories, &DataSet::changed, this, &AccountTypeWindow::updateFrozen);
    connect(m_tree, &QTreeWidget::itemClicked, this, &AccountTypeWindow::nodeClicked);
    connect(m_copyButton, &QPushButton::clicked, this, [this] { m_copyPanel->setVisible(true); });
    connect(m_copyPanel, &CopySourcePanel::started, this, &AccountTypeWindow::copyFrom);

    rebuildTree();
    updateFrozen();
}

AccountTypeWindow::~AccountTypeWindow() = default;

void AccountTypeWindow::updateFrozen()
{
    const bool changing = m_categories.isChanging();
    m_copyButton->setEnabled(!changing);
    m_copyPanel->startButton()->setEnabled(!changing);
}

void AccountTypeWindow::rebuildTree()
{
    const auto nodes = charttree::categories(books(), curComp());
    if (!nodes) {
        Messages::instance().refuse(this, nodes.refusal());
        return;
    }
    m_tree->setNodes(*nodes);
    m_tree->expandAll();
}

void AccountTypeWindow::selectCurrent()
{
    if (!m_categories.isEmpty())
        m_tree->selectItem(m_tree->itemForCode(m_categories.text(u"acc_2"_s)));
}

void AccountTypeWindow::save()
{
    if (!m_categories.isChanging() && !m_categories.hasChanges())
        return;
    if (!m_codeCheck->commit())
        return;
    if (Status s = categories::save(m_categories); !s) {
        Messages::instance().refuse(this, s.refusal());
        return;
    }
    rebuildTree();
    selectCurrent();
}

void AccountTypeWindow::remove()
{
    if (m_categories.isEmpty())
        return;
    m_editing.deleteRecord();
    rebuildTree();
    selectCurrent();
}

void AccountTypeWindow::nodeClicked(QTreeWidgetItem* item)
{
    // Clicks while a row is edited do not move the record.
    if (!item || m_categories.isChanging() || item == m_tree->root())
        return;
    m_categories.locate(u"acc_2"_s, ChartTreeView::codeOf(item));
}

void AccountTypeWindow::copyFrom(const QString& company)
{
    if (m_categories.isChanging())
        return;
    const auto added = categories::copyFrom(books(), company, curComp());
    if (!added)
        Messages::instance().refuse(this, added.refusal());
    if (Status s = m_categories.requery(); !s)
        Messages::instance().refuse(this, s.refusal());
    rebuildTree();
    m_copyPanel->hide();
}

} // namespace korvessa
