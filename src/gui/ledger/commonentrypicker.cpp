#include "gui/ledger/commonentrypicker.h"

#include "core/ledger/vouchers.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvessa {

using namespace Qt::StringLiterals;

CommonEntryPicker::CommonEntryPicker(QSqlDatabase db, QString comp, QString type, QWidget* parent)
    : RowPicker(std::move(db), std::move(comp), parent)
    , m_type(std::move(type))
{
    setObjectName(u"rec_samF"_s);
    setWindowTitle(u"常用分錄"_s);
    resize(620, 560);
    searchRow()->insertWidget(0, new QLabel(u"關鍵字"_s, this));

    addGrid({ { u"sam_no"_s, u"分錄代號"_s, 100 }, { u"sam_memo"_s, u"分錄說明"_s, 300 },
                { u"sam_cur"_s, u"幣別"_s, 50 } },
        1);

    m_lineGrid = new GridFrame(this);
    m_lineGrid->setObjectName(u"frmColorDBGrid2"_s);
    m_lineGrid->showDataSet(&m_lines,
        { { u"sam_acc"_s, u"會計科目"_s, 80 }, { u"sam_name"_s, u"科目名稱"_s, 180 }, { u"sam_cd"_s, u"借/貸"_s, 50 },
            { u"sam_num"_s, u"百分比"_s, 60 }, { u"sam_dep"_s, u"部門"_s, 90 } });
    body()->addWidget(m_lineGrid, 1);

    auto* amountRow = new QHBoxLayout;
    amountRow->addWidget(new QLabel(u"請輸入金額"_s, this));
    m_amount = new QLineEdit(u"0"_s, this);
    m_amount->setObjectName(u"Edit2"_s);
    m_amount->setAlignment(Qt::AlignRight);
    amountRow->addWidget(m_amount, 1);
    m_load = new QPushButton(u"載入"_s, this);
    m_load->setObjectName(u"Button3"_s);
    m_load->setAutoDefault(false);
    amountRow->addWidget(m_load);
    body()->addLayout(amountRow);

    connect(m_load, &QPushButton::clicked, this, [this] { choose(); });
    connect(m_amount, &QLineEdit::returnPressed, this, [this] { choose(); });
    connect(&rowSet(), &DataSet::currentRowChanged, this, &CommonEntryPicker::showLines);
    connect(&rowSet(), &DataSet::wasReset, this, &CommonEntryPicker::showLines);
    search();
}

CommonEntryPicker::~CommonEntryPicker() = default;

void CommonEntryPicker::search()
{
    const auto [text, params] = vouchers::entrySelect(comp(), m_type, searchEdit()->text().trimmed());
    if (Status s = rowSet().open(books(), {}, text, params); !s)
        Messages::instance().refuse(this, s.refusal());
    showLines();
}

void CommonEntryPicker::showLines()
{
    const QString number = rows().isEmpty() ? QString() : value(u"sam_no"_s);
    const auto [text, params] = vouchers::entryLineSelect(comp(), m_type, number);
    if (Status s = m_lines.open(books(), {}, text, params); !s)
        Messages::instance().refuse(this, s.refusal());
}

void CommonEntryPicker::choose(int row)
{
    const auto amount = vouchers::entryAmount(m_amount->text());
    if (!amount) {
        Messages::instance().refuse(this, amount.refusal());
        m_amount->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (rows().isEmpty())
        return;
    if (row >= 0)
        rowSet().setCurrentRow(row);
    m_chosenAmount = *amount;
    pick();
}

QString CommonEntryPicker::entryNumber() const
{
    return pickResult() == u"ok"_s ? value(u"sam_no"_s) : QString();
}

bool CommonEntryPicker::eventFilter(QObject* watched, QEvent* event)
{
    // The list's double click goes through the amount check, unlike the
    // plain row pickers.
    if (event->type() == QEvent::MouseButtonDblClick && grid() && watched == grid()->dbGrid1()->viewport()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        choose(grid()->dbGrid1()->indexAt(mouse->position().toPoint()).row());
        return true;
    }
    return RowPicker::eventFilter(watched, event);
}

} // namespace korvessa
