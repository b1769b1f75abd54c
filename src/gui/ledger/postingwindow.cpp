#include "gui/ledger/postingwindow.h"

#include "core/common/dates.h"
#include "core/ledger/accountcode.h"
#include "gui/shell/calendarpopup.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduletoolbar.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

QString codeText(const QVariant& value)
{
    return accountcode::display(value.toString());
}

} // namespace

PostingWindow::PostingWindow(QWidget* parent)
    : ModuleWindow(parent)
{
    setObjectName(u"fin_posF"_s);
    setWindowTitle(u"財務過帳"_s);

    auto* bar = new QHBoxLayout;
    contentLayout()->addLayout(bar);
    auto button = [this, bar](const QString& caption, const QString& name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        bar->addWidget(b);
        return b;
    };

    bar->addWidget(new QLabel(u"過帳月份"_s, this));
    m_month = new QLineEdit(this);
    m_month->setObjectName(u"MaskEdit1"_s); // the field of the month refusal
    m_month->setInputMask(u"0000/00;_"_s);
    m_month->setFixedWidth(fontMetrics().horizontalAdvance(u"0000/00"_s) + 16);
    m_month->setText(QDate::currentDate().toString(QString::fromLatin1(kMonthFormat)));
    bar->addWidget(m_month);
    m_calendarButton = button(u"日曆"_s, u"Button1"_s);
    m_calendarButton->setFocusPolicy(Qt::NoFocus);
    m_queryButton = button(u"查詢"_s, u"Button2"_s);
    bar->addSpacing(12);
    m_postButton = button(u"開始過帳"_s, u"Button3"_s);
    m_generalButton = button(u"大類過帳"_s, u"Button4"_s);
    m_departmentsButton = button(u"過部門帳"_s, u"Button5"_s);
    bar->addStretch(1);

    m_grid = new GridFrame(this);
    m_grid->setObjectName(u"GridFrame1"_s);
    contentLayout()->addWidget(m_grid, 1);
    m_grid->showDataSet(&m_rows,
        {
            { u"finp_dat"_s, u"過帳月份"_s, 70 },
            { u"finp_acct"_s, u"科目類別"_s, 70 },
            { u"finp_acc"_s, u"科目"_s, 80, codeText },
            { u"finp_accN"_s, u"科目名稱"_s, 180 },
            { u"finp_dec"_s, u"借方金額"_s, 100 },
            { u"finp_dcou"_s, u"借方筆數"_s, 70 },
            { u"finp_cre"_s, u"貸方金額"_s, 100 },
            { u"finp_ccou"_s, u"貸方筆數"_s, 70 },
            { u"finp_dep"_s, u"部門"_s, 80 },
        });

    m_calendar = new CalendarPopup(this);

    // Only sbexit (and 回主頁) apply here: nothing is edited, searched or printed.
    ModuleToolbar* tb = toolbar();
    tb->edit1()->setEnabled(false);
    for (QToolButton* b : { tb->speedButton10(), tb->sbinsert(), tb->sbdelete(), tb->sbpost(), tb->sbcancel(),
             tb->sbprint(), tb->sbprior(), tb->sbnext() })
        b->setEnabled(false);

    connect(m_month, &QLineEdit::editingFinished, this, &PostingWindow::query);
    connect(m_calendarButton, &QPushButton::clicked, this, &PostingWindow::openCalendar);
    connect(m_calendar, &QCalendarWidget::activated, this, &PostingWindow::pickDay);
    connect(m_queryButton, &QPushButton::clicked, this, &PostingWindow::query);
    connect(m_postButton, &QPushButton::clicked, this, [this] { post(posting::Kind::Accounts); });
    connect(m_generalButton, &QPushButton::clicked, this, [this] { post(posting::Kind::General); });
    connect(m_departmentsButton, &QPushButton::clicked, this, [this] { post(posting::Kind::Departments); });

    query();
}

PostingWindow::~PostingWindow() = default;

QString PostingWindow::month() const
{
    return m_month->text().remove(u' ');
}

void PostingWindow::query()
{
    if (Status s = m_rows.open(
            books(), u"finpos"_s, posting::postedRowsSelect(), { { u":comp"_s, curComp() }, { u":month"_s, month() } });
        !s)
        Messages::instance().refuse(this, s.refusal());
}

void PostingWindow::post(posting::Kind kind)
{
    const QString m = month();
    if (Status s = posting::checkMonth(m); !s) {
        // "大類過帳" asks for no month: without one it has nothing to post.
        if (kind != posting::Kind::General)
            Messages::instance().refuse(this, s.refusal());
        return;
    }
    Result<int> written = [&] {
        WaitCursor wait;
        return posting::post(books(), curComp(), m, kind);
    }();
    if (!written) {
        Messages::instance().refuse(this, written.refusal());
        return;
    }
    if (kind != posting::Kind::Departments)
        query();
}

void PostingWindow::openCalendar()
{
    const QDate shown = QDate::fromString(month() + u"/01"_s, QString::fromLatin1(kDateFormat));
    m_calendar->showBelow(m_calendarButton, shown);
}

void PostingWindow::pickDay(const QDate& date)
{
    m_calendar->hide();
    m_month->setText(date.toString(QString::fromLatin1(kMonthFormat)));
    query();
}

} // namespace korvessa
