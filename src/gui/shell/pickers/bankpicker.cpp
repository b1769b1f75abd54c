#include "gui/shell/pickers/bankpicker.h"

#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace korvessa {

using namespace Qt::StringLiterals;

BankPicker::BankPicker(QSqlDatabase db, QString comp, QWidget* parent)
    : RowPicker(std::move(db), std::move(comp), parent)
{
    setObjectName(u"rec_bankF"_s);
    setWindowTitle(u"往來銀行"_s);
    resize(620, 380);
    addGrid({ { u"bank_no"_s, u"銀行編號"_s, 80 }, { u"bank_type"_s, u"存款類別"_s, 80 }, { u"bank_cur"_s, u"幣別"_s, 50 },
            { u"bank_name"_s, u"銀行名稱"_s, 180 }, { u"bank_acc"_s, u"帳號"_s, 140 } });
}

BankPicker::~BankPicker() = default;

void BankPicker::search()
{
    QString text = u"select * from bank where comp = :comp"_s;
    SqlParams params { { u":comp"_s, comp() } };
    const QString typed = searchEdit()->text();
    if (!typed.isEmpty()) {
        const auto [condition, values] = DataSet::containsCondition({ u"bank_no"_s, u"bank_name"_s }, typed);
        text += u" and "_s + condition;
        params += values;
    }
    text += u" order by bank_no"_s;
    if (Status s = rowSet().open(books(), {}, text, params); !s)
        Messages::instance().refuse(this, s.refusal());
}

} // namespace korvessa
