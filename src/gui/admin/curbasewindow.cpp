#include "gui/admin/curbasewindow.h"

#include "core/admin/cashiersettings.h"
#include "core/admin/categories.h"
#include "gui/admin/celleditordelegate.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduletoolbar.h"
#include "gui/shell/toolbarstate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace korvessa {

CurBaseWindow::CurBaseWindow(QWidget* parent)
    : ModuleWindow(parent)
{
    setWindowTitle(u"出納設定"_s);
    applyToolbar(*toolbar(), ToolbarButtons {});
    toolbar()->edit1()->setEnabled(false);
    toolbar()->speedButton10()->setEnabled(false);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(u"PageControl1"_s);
    contentLayout()->addWidget(m_tabs, 1);

    List& banks = m_lists[Banks];
    banks.key = u"not_no"_s;
    banks.defaults = [this] { return newNoteBank(m_bankKinds->tabText(m_bankKinds->currentIndex())); };
    List& currencies = m_lists[Currencies];
    currencies.key = u"cuery_no"_s;
    currencies.defaults = [this] { return newCurrency(curComp()); };
    keepFormatWithDecimals(currencies.set);
    List& kinds = m_lists[DepositKinds];
    kinds.key = u"cat_name"_s;
    kinds.defaults = [] { return QVariantMap { { u"cat_type"_s, QString::fromLatin1(kDepositKind) } }; };

    refuse(openNoteBanks(banks.set, books()));
    refuse(openCurrencies(currencies.set, books(), curComp()));
    refuse(openDepositKinds(kinds.set, books()));

    // Note banks: the kind tabs above the list.
    QWidget* bankPage = buildPage(banks, u"票面銀行設定"_s);
    m_bankKinds = new QTabBar(bankPage);
    m_bankKinds->setObjectName(u"TabSet1"_s);
    for (const QString& kind : noteBankKinds())
        m_bankKinds->addTab(kind);
    static_cast<QVBoxLayout*>(bankPage->layout())->insertWidget(2, m_bankKinds);
    banks.grid->showDataSet(&banks.set,
        { { u"not_type"_s, u"銀行類別"_s, 90 }, { u"not_no"_s, u"銀行編號"_s, 70 },
            { u"not_name"_s, u"銀行名稱"_s, 160 }, { u"not_tel"_s, u"電話"_s, 110 }, { u"not_add"_s, u"地址"_s, 200 },
            { u"not_date"_s, u"票據交換天數"_s, 90 } });
    auto* bankNo = new CellEditorDelegate(banks.grid->dbGrid1());
    bankNo->setCheck(
        [this](int row, const QString& text) { return !refuse(checkBankCode(m_lists[Banks].set, row, text)); });
    banks.grid->dbGrid1()->setItemDelegateForColumn(1, bankNo);
    auto* phone = new CellEditorDelegate(banks.grid->dbGrid1());
    phone->setInputMask(u"(00)0000-0000;_"_s);
    banks.grid->dbGrid1()->setItemDelegateForColumn(3, phone);
    m_tabs->addTab(bankPage, u"票面銀行"_s);
    connect(m_bankKinds, &QTabBar::currentChanged, this, &CurBaseWindow::showBankKind);
    connect(&banks.set, &DataSet::changed, this, [this] {
        // Rows of other kinds stay held but hidden.
        const QString kind = m_bankKinds->tabText(m_bankKinds->currentIndex());
        GridView* view = m_lists[Banks].grid->dbGrid1();
        for (int r = 0; r < m_lists[Banks].set.count(); ++r)
            view->setRowHidden(r, m_lists[Banks].set.value(r, u"not_type"_s).toString() != kind);
    });

    QWidget* currencyPage = buildPage(currencies, u"幣別匯率設定"_s);
    currencies.grid->showDataSet(&currencies.set,
        { { u"cuery_no"_s, u"幣別"_s, 70 }, { u"cuery_coun"_s, u"國家"_s, 120 }, { u"cuery_num"_s, u"匯率"_s, 90 },
            { u"cuery_dec"_s, u"小數位數"_s, 70 } });
    auto* currencyNo = new CellEditorDelegate(currencies.grid->dbGrid1());
    currencyNo->setCheck([this](int row, const QString& text) {
        return !refuse(checkCurrencyCode(m_lists[Currencies].set, row, curComp(), text));
    });
    currencies.grid->dbGrid1()->setItemDelegateForColumn(0, currencyNo);
    auto* decimals = new CellEditorDelegate(currencies.grid->dbGrid1());
    decimals->setItems({ u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s });
    currencies.grid->dbGrid1()->setItemDelegateForColumn(3, decimals);
    m_tabs->addTab(currencyPage, u"幣別匯率"_s);

    QWidget* kindPage = buildPage(kinds, u"存款類別設定"_s);
    kinds.grid->showDataSet(&kinds.set, { { u"cat_name"_s, u"存款類別"_s, 200 } });
    auto* kindName = new CellEditorDelegate(kinds.grid->dbGrid1());
    kindName->setCheck([this](int row, const QString& text) {
        return !refuse(checkDepositKind(m_lists[DepositKinds].set, row, text));
    });
    kinds.grid->dbGrid1()->setItemDelegateForColumn(0, kindName);
    m_tabs->addTab(kindPage, u"存款類別"_s);

    for (List& list : m_lists)
        connect(&list.set, &DataSet::changed, this, &CurBaseWindow::updateButtons);
    showBankKind();
    updateButtons();
}

CurBaseWindow::~CurBaseWindow() = default;

QPushButton* CurBaseWindow::button(ListIndex list, int which) const
{
    return m_lists[list].buttons.at(std::size_t(which));
}

QWidget* CurBaseWindow::buildPage(List& list, const QString& title)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* label = new QLabel(title, page);
    styleTitleLabel(label);
    layout->addWidget(label);
    auto* bar = new QHBoxLayout;
    const QStringList captions = { u"新增"_s, u"刪除"_s, u"存檔"_s, u"取消"_s };
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(captions.at(i), page);
        b->setObjectName(u"BitBtn"_s + QString::number(i + 1));
        bar->addWidget(b);
        list.buttons.at(std::size_t(i)) = b;
    }
    bar->addStretch(1);
    layout->addLayout(bar);
    list.grid = new GridFrame(page);
    list.grid->setEditable(true);
    layout->addWidget(list.grid, 1);

    connect(list.buttons[0], &QPushButton::clicked, this, [this, &list] { addRow(list); });
    connect(list.buttons[1], &QPushButton::clicked, this, [this, &list] { deleteRow(list); });
    connect(list.buttons[2], &QPushButton::clicked, this, [this, &list] { saveList(list); });
    connect(list.buttons[3], &QPushButton::clicked, this, [this, &list] { cancelList(list); });
    return page;
}

int CurBaseWindow::visibleBanks() const
{
    const QString kind = m_bankKinds->tabText(m_bankKinds->currentIndex());
    int n = 0;
    for (int r = 0; r < m_lists[Banks].set.count(); ++r) {
        if (m_lists[Banks].set.value(r, u"not_type"_s).toString() == kind)
            ++n;
    }
    return n;
}

void CurBaseWindow::showBankKind()
{
    DataSet& banks = m_lists[Banks].set;
    const QString kind = m_bankKinds->tabText(m_bankKinds->currentIndex());
    // The current row is one the list shows, so that "刪除" takes what is seen.
    if (!banks.isEmpty() && banks.value(u"not_type"_s).toString() != kind) {
        if (!banks.locate(u"not_type"_s, kind))
            Q_EMIT banks.changed();
    } else {
        Q_EMIT banks.changed();
    }
}

void CurBaseWindow::addRow(List& list)
{
    list.set.append(list.defaults());
    list.grid->dbGrid1()->setFocus(Qt::OtherFocusReason);
}

void CurBaseWindow::deleteRow(List& list)
{
    if (list.set.isEmpty() || !Messages::instance().confirmDelete(this))
        return;
    list.set.remove();
    if (refuse(list.set.save()))
        static_cast<void>(list.set.cancel());
}

void CurBaseWindow::saveList(List& list)
{
    refuse(saveDroppingEmpty(list.set, list.key));
}

void CurBaseWindow::cancelList(List& list)
{
    refuse(list.set.cancel());
}

void CurBaseWindow::updateButtons()
{
    for (int i = 0; i < int(m_lists.size()); ++i) {
        List& list = m_lists[std::size_t(i)];
        if (!list.buttons[0])
            continue;
        const bool changing = list.set.isChanging() || list.set.hasChanges();
        const int rows = i == Banks && m_bankKinds ? visibleBanks() : list.set.count();
        list.buttons[0]->setEnabled(list.set.isActive() && !list.set.isChanging());
        list.buttons[1]->setEnabled(list.set.isActive() && !list.set.isChanging() && rows > 0);
        list.buttons[2]->setEnabled(changing);
        list.buttons[3]->setEnabled(changing);
    }
}

bool CurBaseWindow::refuse(const Status& status)
{
    if (status)
        return false;
    Messages::instance().refuse(this, status.refusal());
    return true;
}

} // namespace korvessa
