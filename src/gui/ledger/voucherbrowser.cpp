#include "gui/ledger/voucherbrowser.h"

#include "core/common/dates.h"
#include "core/db/sql.h"
#include "gui/shell/calendarpopup.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/messages.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

const QString kDateMask = u"0000/00/00;_"_s;
constexpr int kBlock = 500;

QString amountText(const QVariant& value)
{
    return value.isNull() ? QString() : QString::number(value.toDouble(), 'f', 2);
}

} // namespace

VoucherBrowser::VoucherBrowser(QSqlDatabase db, QString comp, QWidget* parent)
    : RowPicker(std::move(db), std::move(comp), parent)
{
    setObjectName(u"finc_recF"_s);
    setWindowTitle(u"傳票瀏覽"_s);
    resize(860, 520);

    auto* filters = new QHBoxLayout;
    auto dateField = [this](const QString& name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setInputMask(kDateMask);
        edit->setFixedWidth(fontMetrics().horizontalAdvance(u"0000/00/00"_s) + 16);
        return edit;
    };
    auto calendarButton = [this](const QString& name) {
        auto* button = new QPushButton(u"日曆"_s, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    m_from = dateField(u"MaskEdit1"_s);
    m_to = dateField(u"MaskEdit2"_s);
    m_fromButton = calendarButton(u"Button3"_s);
    m_toButton = calendarButton(u"Button4"_s);
    m_type = new QComboBox(this);
    m_type->setObjectName(u"ComboBox1"_s);
    m_type->addItems(vouchers::types());
    m_type->setCurrentIndex(-1); // no filter until a type is chosen
    filters->addWidget(new QLabel(u"傳票日期"_s, this));
    filters->addWidget(m_from);
    filters->addWidget(m_fromButton);
    filters->addWidget(new QLabel(u"到"_s, this));
    filters->addWidget(m_to);
    filters->addWidget(m_toButton);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(u"傳票類別"_s, this));
    filters->addWidget(m_type);
    filters->addStretch(1);
    filters->addWidget(new QLabel(u"筆數"_s, this));
    m_count = new QLabel(u"0"_s, this);
    m_count->setObjectName(u"Label5"_s);
    m_count->setMinimumWidth(50);
    filters->addWidget(m_count);
    body()->addLayout(filters);
    searchRow()->insertWidget(0, new QLabel(u"關鍵字"_s, this));

    addGrid(
        {
            { u"finm_no"_s, u"傳票編號"_s, 90 },
            { u"finm_dat"_s, u"傳票日期"_s, 80 },
            { u"finm_type"_s, u"傳票類別"_s, 70 },
            { u"finm_cur"_s, u"幣別"_s, 40 },
            { u"finm_num"_s, u"匯率"_s, 60, [](const QVariant& v) { return QString::number(v.toDouble(), 'f', 4); } },
            { u"finm_pre"_s, u"傳票摘要"_s, 220 },
            { u"finm_deb"_s, u"傳票金額"_s, 100, amountText },
            { u"finm_user"_s, u"登錄人"_s, 70 },
            { u"finm_dat2"_s, u"登陸日期"_s, 80 },
        },
        1);

    m_calendar = new CalendarPopup(this);
    m_calendar->attachRange(m_from, m_fromButton, m_to, m_toButton);
    setTabOrder(m_from, m_to);
    setTabOrder(m_to, m_type);
    setTabOrder(m_type, searchEdit());
}

VoucherBrowser::~VoucherBrowser() = default;

void VoucherBrowser::pickFromDate(const QDate& date)
{
    m_calendar->pickFrom(date);
}

void VoucherBrowser::pickToDate(const QDate& date)
{
    m_calendar->pickTo(date);
}

vouchers::BrowseFilter VoucherBrowser::filter() const
{
    // A mask left blank reads "//"; the filter takes that as no date.
    return { m_from->text(), m_to->text(), m_type->currentIndex() >= 0 ? m_type->currentText() : QString(),
        searchEdit()->text().trimmed() };
}

void VoucherBrowser::search()
{
    const auto [text, params] = vouchers::browseSelect(comp(), filter());
    // The list is read in blocks as it is scrolled; the count is of all
    // the vouchers found.
    rowSet().setFetchSize(kBlock);
    if (Status s = rowSet().open(books(), {}, text, params); !s) {
        Messages::instance().refuse(this, s.refusal());
        m_count->setText(u"0"_s);
        return;
    }
    auto found = rowSet().canFetchMore()
        ? sql::scalar(books(), u"select count(*) from ("_s + text + u") kv_found"_s, params)
        : Result<QVariant>(QVariant(rows().count()));
    if (!found)
        Messages::instance().refuse(this, found.refusal());
    m_count->setText(found ? QString::number(found->toInt()) : QString::number(rows().count()));
}

QString VoucherBrowser::pickedNumber() const
{
    return pickResult() == u"ok"_s ? value(u"finm_no"_s) : QString();
}

} // namespace korvessa
