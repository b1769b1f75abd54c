#include "gui/customers/customerbrowser.h"

#include "gui/customers/currentrowdelegate.h"
#include "gui/customers/customerrowsmodel.h"
#include "gui/shell/gridview.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QWheelEvent>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace korvessa {

CustomerBrowser::CustomerBrowser(const QSqlDatabase& db, QWidget* parent)
    : CustomerPickerBase(db, u"客戶瀏覽"_s, u"請輸入鍵字查詢,然後在名稱上按滑鼠一下便可選取"_s,
        { { u"cus_no"_s, u"編號"_s }, { u"cus_name"_s, u"名稱"_s }, { u"cus_add"_s, u"地址"_s },
            { u"cus_tel1"_s, u"電話"_s }, { u"cus_att"_s, u"聯絡人"_s } },
        { u"cus_tel2"_s, u"cus_fax"_s, u"cus_birth"_s, u"cus_inv"_s, u"cus_mery"_s, u"cus_title"_s, u"cus_mail"_s,
            u"cus_level"_s, u"cus_date"_s },
        parent)
{
    setObjectName(u"shcus2"_s);
    m_selectAll = new QPushButton(u"全部選取"_s, this);
    m_selectAll->setObjectName(u"BitBtn3"_s);
    m_selectAll->setAutoDefault(false);
    m_selectAll->setEnabled(false);
    m_done = new QPushButton(u"選取後離開"_s, this);
    m_done->setObjectName(u"BitBtn4"_s);
    m_done->setAutoDefault(false);
    buttonRow()->addWidget(m_selectAll);
    buttonRow()->addWidget(m_done);

    list()->setSelectionBehavior(QAbstractItemView::SelectRows);
    list()->setSelectionMode(QAbstractItemView::MultiSelection);
    list()->setItemDelegate(new CurrentRowDelegate(list()));
    list()->viewport()->installEventFilter(this);

    connect(searchButton(), &QPushButton::clicked, this, &CustomerBrowser::search);
    connect(m_selectAll, &QPushButton::clicked, this, &CustomerBrowser::selectAll);
    connect(m_done, &QPushButton::clicked, this, &QDialog::accept);
    connect(exitButton(), &QPushButton::clicked, this, &CustomerBrowser::leave);
    // Every customer from the start; "全部選取" waits for the user's first search.
    read();
}

CustomerBrowser::~CustomerBrowser() = default;

QList<int> CustomerBrowser::selectedRows() const
{
    QList<int> selected;
    for (const QModelIndex& index : list()->selectionModel()->selectedRows())
        selected.append(index.row());
    std::sort(selected.begin(), selected.end());
    return selected;
}

bool CustomerBrowser::eventFilter(QObject* watched, QEvent* event)
{
    // The wheel moves the current row, one row per step, and never touches
    // the selection (a multi-select list would otherwise select as it moves).
    if (watched != list()->viewport() || event->type() != QEvent::Wheel)
        return CustomerPickerBase::eventFilter(watched, event);
    event->accept();
    const int count = model()->rowCount();
    if (count == 0)
        return true;
    m_wheel += static_cast<QWheelEvent*>(event)->angleDelta().y();
    const int steps = m_wheel / 120;
    if (steps == 0)
        return true;
    m_wheel -= steps * 120;
    const QModelIndex current = list()->currentIndex();
    const int row = std::clamp((current.isValid() ? current.row() : 0) - steps, 0, count - 1);
    const QModelIndex target = model()->index(row, current.isValid() ? current.column() : 0);
    list()->selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
    list()->scrollTo(target);
    return true;
}

void CustomerBrowser::read()
{
    runSearch({ u"cus_no"_s, u"cus_name"_s, u"cus_add"_s, u"cus_tel1"_s });
}

void CustomerBrowser::search()
{
    read();
    m_selectAll->setEnabled(true);
}

void CustomerBrowser::selectAll()
{
    list()->selectAll();
}

void CustomerBrowser::leave()
{
    clearRows();
    reject();
}

} // namespace korvessa
