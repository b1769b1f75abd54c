#include "gui/shell/pickers/notebankpicker.h"

#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace korvessa {

using namespace Qt::StringLiterals;

NoteBankPicker::NoteBankPicker(QSqlDatabase db, QString comp, QWidget* parent)
    : RowPicker(std::move(db), std::move(comp), parent)
{
    setObjectName(u"nb_recF"_s);
    setWindowTitle(u"票面銀行"_s);
    resize(680, 400);

    m_kind = new QComboBox(this);
    m_kind->setObjectName(u"ComboBox1"_s);
    m_kind->addItems(
        { QString(), u"本國銀行"_s, u"外商銀行"_s, u"信託公司"_s, u"信用合作社"_s, u"農會合作社"_s, u"郵局"_s });
    searchRow()->insertWidget(0, m_kind);

    auto* hint = new QLabel(u"請輸入鍵字查詢,然後在銀行名稱上按滑鼠兩下便可選取"_s, this);
    hint->setObjectName(u"Label1"_s);
    body()->addWidget(hint);
    addGrid({ { u"not_type"_s, u"銀行類別"_s, 90 }, { u"not_no"_s, u"銀行編號"_s, 80 },
            { u"not_name"_s, u"銀行名稱"_s, 180 }, { u"not_tel"_s, u"電話"_s, 100 },
            { u"not_add"_s, u"地址"_s, 200 } },
        1);
}

NoteBankPicker::~NoteBankPicker() = default;

void NoteBankPicker::search()
{
    const auto [condition, params] = DataSet::containsCondition({ u"not_no"_s, u"not_name"_s }, searchEdit()->text());
    QString text = u"select * from not_bank where "_s + condition;
    SqlParams values = params;
    if (const QString kind = m_kind->currentText(); !kind.isEmpty()) {
        text += u" and not_type = :kind"_s;
        values.append({ u":kind"_s, kind });
    }
    text += u" order by not_no"_s;
    if (Status s = rowSet().open(books(), {}, text, values); !s)
        Messages::instance().refuse(this, s.refusal());
}

} // namespace korvessa
