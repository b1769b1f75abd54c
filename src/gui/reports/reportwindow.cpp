#include "gui/reports/reportwindow.h"

#include "core/common/dates.h"
#include "gui/print/reportpreview.h"
#include "gui/shell/calendarpopup.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduletoolbar.h"
#include "gui/shell/shell.h"
#include "print/reportdata.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

} // namespace

ReportWindow::ReportWindow(const Options& options, QWidget* parent)
    : ModuleWindow(parent)
    , m_settings(options)
{
    setWindowTitle(options.title);

    m_title = new QLabel(options.title, this);
    m_title->setObjectName(u"Label1"_s);
    styleTitleLabel(m_title);
    contentLayout()->addWidget(m_title);

    const bool months = options.period == Period::Months;
    auto* bar = new QHBoxLayout;
    contentLayout()->addLayout(bar);
    auto field = [this, months](const QString& name) {
        auto* f = new QLineEdit(this);
        f->setObjectName(name);
        f->setInputMask(months ? u"0000/00;_"_s : u"0000/00/00;_"_s);
        f->setFixedWidth(fontMetrics().horizontalAdvance(months ? u"0000/00"_s : u"0000/00/00"_s) + 16);
        const QDate today = QDate::currentDate();
        f->setText(today.toString(QString::fromLatin1(months ? kMonthFormat : kDateFormat)));
        return f;
    };
    auto button = [this](const QString& caption, const QString& name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    bar->addWidget(new QLabel(u"日期期間"_s, this));
    m_from = field(u"MaskEdit1"_s);
    bar->addWidget(m_from);
    m_button1 = button(u"日曆"_s, u"Button1"_s);
    m_button1->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(m_button1);
    bar->addWidget(new QLabel(u"到"_s, this));
    m_to = field(u"MaskEdit2"_s);
    bar->addWidget(m_to);
    m_button2 = button(u"日曆"_s, u"Button2"_s);
    m_button2->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(m_button2);
    bar->addSpacing(12);
    m_button3 = button(options.queryCaption, u"Button3"_s);
    bar->addWidget(m_button3);
    bar->addStretch(1);

    m_options = new QHBoxLayout;
    contentLayout()->addLayout(m_options);

    m_grid = new GridFrame(this);
    m_grid->setObjectName(u"GridFrame1"_s);
    contentLayout()->addWidget(m_grid, 1);

    m_calendar = new CalendarPopup(this);

    // Nothing is edited, searched or moved through: only 離開 and 回主頁
    // until a query makes 列印 available.
    ModuleToolbar* tb = toolbar();
    tb->edit1()->setEnabled(false);
    for (QToolButton* b : { tb->speedButton10(), tb->sbinsert(), tb->sbdelete(), tb->sbpost(), tb->sbcancel(),
             tb->sbprint(), tb->sbprior(), tb->sbnext() })
        b->setEnabled(false);

    connect(m_button1, &QPushButton::clicked, this, [this] { showCalendarFor(m_from); });
    connect(m_button2, &QPushButton::clicked, this, [this] { showCalendarFor(m_to); });
    connect(m_calendar, &QCalendarWidget::activated, this, &ReportWindow::pickDate);
    connect(m_button3, &QPushButton::clicked, this, &ReportWindow::query);
    connect(tb->sbprint(), &QToolButton::clicked, this, &ReportWindow::printReport);
}

ReportWindow::~ReportWindow() = default;

QString ReportWindow::shown(const QLineEdit* field) const
{
    // The mask shows blanks as "_"; the text of a field has them as spaces.
    return field->displayText().replace(u'_', u' ');
}

QString ReportWindow::fromText() const
{
    return shown(m_from);
}

QString ReportWindow::toText() const
{
    return shown(m_to);
}

void ReportWindow::setGridColumns(const QList<GridColumn>& columns)
{
    m_grid->showDataSet(&m_rows, columns);
}

void ReportWindow::showCalendarFor(QLineEdit* field)
{
    m_calendarField = field;
    QPushButton* near = field == m_to ? m_button2 : m_button1;
    // The calendar keeps the day it showed last (today at first).
    m_calendar->showBelow(near, m_calendar->selectedDate());
}

void ReportWindow::pickDate(const QDate& date)
{
    m_calendar->hide();
    if (!m_calendarField)
        return;
    QString text = date.toString(QString::fromLatin1(kDateFormat));
    if (m_settings.period == Period::Months)
        text = text.left(7);
    m_calendarField->setText(text);
    if (m_settings.pickSetsBoth && m_calendarField == m_from)
        m_to->setText(text);
}

void ReportWindow::query()
{
    Status done = [this] {
        WaitCursor wait;
        return computeRows();
    }();
    if (!done) {
        Messages::instance().refuse(this, done.refusal());
        return;
    }
    m_queried = true;
    toolbar()->sbprint()->setEnabled(true);
}

Result<print::Report> ReportWindow::report()
{
    auto data = printData();
    if (!data)
        return data.refusal();
    return print::toPrintReport(*data);
}

void ReportWindow::printReport()
{
    if (!toolbar()->sbprint()->isEnabled())
        return;
    auto built = report();
    if (!built) {
        Messages::instance().refuse(this, built.refusal());
        return;
    }
    showReportPreview(*built, this);
    if (Shell* shell = Shell::instance())
        shell->rebuildWindowBar();
}

} // namespace korvessa
