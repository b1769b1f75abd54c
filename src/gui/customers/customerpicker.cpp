#include "gui/customers/customerpicker.h"

#include "gui/customers/customerrowsmodel.h"
#include "gui/shell/gridview.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

namespace korvessa {

CustomerPicker::CustomerPicker(const QSqlDatabase& db, QWidget* parent)
    : CustomerPickerBase(db, u"客戶查詢"_s, u"請輸入鍵字查詢,然後在客戶名稱上按滑鼠兩下便可選取"_s,
        { { u"cus_no"_s, u"客戶編號"_s }, { u"cus_name"_s, u"客戶名稱"_s }, { u"cus_att"_s, u"聯絡人"_s },
            { u"cus_tel1"_s, u"電話1"_s }, { u"cus_tel2"_s, u"電話2"_s }, { u"cus_fax"_s, u"傳真"_s },
            { u"cus_add"_s, u"地址"_s } },
        { u"cus_inv"_s, u"cus_title"_s, u"cus_mail"_s, u"cus_level"_s }, parent)
{
    setObjectName(u"shcus"_s);
    connect(searchButton(), &QPushButton::clicked, this, &CustomerPicker::search);
    connect(list(), &QAbstractItemView::doubleClicked, this, &CustomerPicker::choose);
    connect(exitButton(), &QPushButton::clicked, this, [this] {
        m_pickResult = u"no"_s;
        reject();
    });
}

CustomerPicker::~CustomerPicker() = default;

QString CustomerPicker::text(const QString& column) const
{
    const QModelIndex current = list()->currentIndex();
    const int row = current.isValid() ? current.row() : (rows().isEmpty() ? -1 : 0);
    return rows().text(row, column);
}

void CustomerPicker::search()
{
    runSearch({ u"cus_no"_s, u"cus_name"_s, u"cus_tel1"_s, u"cus_add"_s, u"cus_att"_s });
    if (!rows().isEmpty())
        list()->setCurrentIndex(model()->index(0, 0));
}

void CustomerPicker::choose()
{
    m_pickResult = rows().isEmpty() ? u"no"_s : u"ok"_s;
    if (m_pickResult == u"ok"_s)
        accept();
    else
        reject();
}

} // namespace korvessa
