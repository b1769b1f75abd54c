#include "gui/ledger/voucherprintwindow.h"

#include "core/common/dates.h"
#include "core/ledger/vouchers.h"
#include "gui/ledger/voucherbrowser.h"
#include "gui/print/reportpreview.h"
#include "gui/shell/calendarpopup.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/messages.h"
#include "gui/shell/shell.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

const QString kDateMask = u"0000/00/00;_"_s;

QString amountText(const QVariant& value)
{
    return value.isNull() ? QString() : QString::number(value.toDouble(), 'f', 2);
}

} // namespace

VoucherPrintWindow::VoucherPrintWindow(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(u"finc_repF"_s);
    setWindowTitle(u"傳票列印"_s);
    setModal(true);
    QString openNumber;
    if (Shell* shell = Shell::instance()) {
        const Session& s = shell->session();
        m_comp = s.cur_comp;
        openNumber = s.open_voucher_no;
        m_books = shell->books();
    }
    m_browserSource = [this](QWidget* owner) {
        VoucherBrowser browser(m_books, m_comp, owner);
        browser.exec();
        return browser.pickedNumber();
    };

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(u"傳票列印"_s, this);
    title->setObjectName(u"Label1"_s);
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    title->setFont(f);
    layout->addWidget(title);

    auto button = [this](const QString& text, const QString& name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    auto dateField = [this](const QString& name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setInputMask(kDateMask);
        edit->setFixedWidth(fontMetrics().horizontalAdvance(u"0000/00/00"_s) + 16);
        return edit;
    };
    auto numberField = [this](const QString& name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setMaxLength(50);
        return edit;
    };

    m_fromDate = dateField(u"MaskEdit1"_s);
    m_toDate = dateField(u"MaskEdit2"_s);
    m_fromCalendar = button(u"日曆"_s, u"Button1"_s);
    m_toCalendar = button(u"日曆"_s, u"Button2"_s);
    m_fromNumber = numberField(u"Edit1"_s);
    m_toNumber = numberField(u"Edit2"_s);
    m_fromBrowse = button(u"瀏覽"_s, u"Button3"_s);
    m_toBrowse = button(u"瀏覽"_s, u"Button4"_s);
    m_type = new QComboBox(this);
    m_type->setObjectName(u"ComboBox1"_s);
    m_type->addItem(QString()); // every type
    m_type->addItems(vouchers::types());
    m_currency = new QComboBox(this);
    m_currency->setObjectName(u"ComboBox2"_s);
    m_currency->addItem(QString()); // every currency
    m_search = button(u"查詢"_s, u"Button5"_s);

    auto* filters = new QGridLayout;
    filters->addWidget(new QLabel(u"期間從"_s, this), 0, 0);
    filters->addWidget(m_fromDate, 0, 1);
    filters->addWidget(m_fromCalendar, 0, 2);
    filters->addWidget(new QLabel(u"到"_s, this), 0, 3);
    filters->addWidget(m_toDate, 0, 4);
    filters->addWidget(m_toCalendar, 0, 5);
    filters->addWidget(new QLabel(u"傳票編號"_s, this), 1, 0);
    filters->addWidget(m_fromNumber, 1, 1);
    filters->addWidget(m_fromBrowse, 1, 2);
    filters->addWidget(new QLabel(u"到"_s, this), 1, 3);
    filters->addWidget(m_toNumber, 1, 4);
    filters->addWidget(m_toBrowse, 1, 5);
    filters->addWidget(new QLabel(u"傳票類別"_s, this), 2, 0);
    filters->addWidget(m_type, 2, 1);
    filters->addWidget(new QLabel(u"幣別"_s, this), 2, 3);
    filters->addWidget(m_currency, 2, 4);
    filters->addWidget(m_search, 2, 5);
    filters->setColumnStretch(6, 1);
    layout->addLayout(filters);

    m_grid = new GridFrame(this);
    m_grid->showDataSet(&m_list,
        {
            { u"finm_no"_s, u"傳票編號"_s, 90 },
            { u"finm_dat"_s, u"傳票日期"_s, 80 },
            { u"finm_type"_s, u"傳票類別"_s, 70 },
            { u"finm_cur"_s, u"幣別"_s, 40 },
            { u"finm_deb"_s, u"借方總額"_s, 100, amountText },
            { u"finm_pre"_s, u"傳票摘要"_s, 220 },
            { u"finm_user"_s, u"登錄人"_s, 70 },
        });
    layout->addWidget(m_grid, 1);

    m_remove = button(u"刪除"_s, u"Button6"_s);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(m_remove);
    listButtons->addStretch(1);
    layout->addLayout(listButtons);

    m_footer = new QPlainTextEdit(this);
    m_footer->setObjectName(u"Memo1"_s);
    m_footer->setFixedHeight(fontMetrics().lineSpacing() * 4 + 12);
    m_save = button(u"儲存"_s, u"Button7"_s);
    auto* footerRow = new QHBoxLayout;
    footerRow->addWidget(new QLabel(u"表尾"_s, this));
    footerRow->addWidget(m_footer, 1);
    footerRow->addWidget(m_save, 0, Qt::AlignTop);
    layout->addLayout(footerRow);

    m_print = button(u"列印"_s, u"Button8"_s);
    m_exit = button(u"離開"_s, u"Button9"_s);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_print);
    bottom->addWidget(m_exit);
    layout->addLayout(bottom);

    m_calendar = new CalendarPopup(this);
    m_calendar->attachRange(m_fromDate, m_fromCalendar, m_toDate, m_toCalendar);
    connect(m_fromBrowse, &QPushButton::clicked, this, &VoucherPrintWindow::browseFrom);
    connect(m_toBrowse, &QPushButton::clicked, this, &VoucherPrintWindow::browseTo);
    connect(m_search, &QPushButton::clicked, this, &VoucherPrintWindow::search);
    connect(m_remove, &QPushButton::clicked, this, &VoucherPrintWindow::removeCurrent);
    connect(m_save, &QPushButton::clicked, this, &VoucherPrintWindow::saveFooter);
    connect(m_print, &QPushButton::clicked, this, &VoucherPrintWindow::printVouchers);
    connect(m_exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(&m_list, &DataSet::changed, this, &VoucherPrintWindow::updateButtons);
    resize(760, 560);

    // Opening: the company row, the numbers handed over by voucher entry,
    // the currencies, the footer, then the search.
    if (auto company = voucherprint::companyRow(m_books, m_comp); company)
        m_company = *company;
    else
        report(company.refusal());
    m_fromNumber->setText(openNumber);
    m_toNumber->setText(openNumber);
    if (auto currencies = vouchers::currencies(m_books, m_comp); currencies) {
        for (const vouchers::Currency& c : *currencies)
            m_currency->addItem(c.code);
    } else {
        report(currencies.refusal());
    }
    if (auto footer = voucherprint::footer(m_books, m_comp); footer)
        m_footer->setPlainText(*footer);
    else
        report(footer.refusal());
    search();
}

VoucherPrintWindow::~VoucherPrintWindow() = default;

void VoucherPrintWindow::report(const Status& status)
{
    if (!status)
        Messages::instance().refuse(this, status.refusal());
}

void VoucherPrintWindow::updateButtons()
{
    const bool any = !m_list.isEmpty();
    m_print->setEnabled(any);
    m_remove->setEnabled(any);
}

voucherprint::Filter VoucherPrintWindow::filter() const
{
    return { m_fromDate->text(), m_toDate->text(), m_fromNumber->text().trimmed(), m_toNumber->text().trimmed(),
        m_type->currentText(), m_currency->currentText() };
}

void VoucherPrintWindow::search()
{
    const auto [text, params] = voucherprint::listSelect(m_comp, filter());
    report(m_list.open(m_books, {}, text, params));
    updateButtons();
}

void VoucherPrintWindow::removeCurrent()
{
    m_list.remove();
    updateButtons();
}

void VoucherPrintWindow::saveFooter()
{
    report(voucherprint::saveFooter(m_books, m_comp, m_footer->toPlainText()));
}

void VoucherPrintWindow::pickFromDate(const QDate& date)
{
    m_calendar->pickFrom(date);
}

void VoucherPrintWindow::pickToDate(const QDate& date)
{
    m_calendar->pickTo(date);
}

void VoucherPrintWindow::browseFrom()
{
    const QString number = m_browserSource ? m_browserSource(this) : QString();
    if (number.isEmpty())
        return;
    m_fromNumber->setText(number);
    m_toNumber->setText(number);
}

void VoucherPrintWindow::browseTo()
{
    const QString number = m_browserSource ? m_browserSource(this) : QString();
    if (!number.isEmpty())
        m_toNumber->setText(number);
}

Result<print::Report> VoucherPrintWindow::prepareReport()
{
    using print::Column;
    using print::Format;
    if (!m_list.isEmpty()) {
        auto format = voucherprint::amountFormatFor(m_books, m_comp, m_list.text(u"finm_cur"_s), m_amountFormat);
        if (!format)
            return format.refusal();
        m_amountFormat = *format;
    }

    QList<QVariantMap> headers;
    for (int r = 0; r < m_list.count(); ++r) {
        QVariantMap header;
        for (int c = 0; c < m_list.columns().size(); ++c)
            header.insert(m_list.columns().at(c).toLower(), m_list.value(r, c));
        // Each voucher starts a page of its own.
        header.insert(u"page_break"_s, r == 0 ? u"auto"_s : u"always"_s);
        headers.append(header);
    }
    auto data = voucherprint::printData(m_books, m_comp, headers);
    if (!data)
        return data.refusal();

    // Without a format yet the amounts print as they are.
    const int decimals = voucherprint::formatDecimals(m_amountFormat);
    const Column amount = m_amountFormat.isEmpty() ? Column {} : Column { {}, Format::Amount, decimals };
    auto amountColumn = [&amount](const QString& name) {
        Column c = amount;
        c.name = name;
        return c;
    };
    auto text = [](const QString& name) { return Column { name, Format::Text, 0 }; };

    print::DataSource headerSource;
    headerSource.name = u"fincm"_s;
    for (const char* name : { "comp", "finm_no", "finm_dat", "finm_type", "finm_cur", "finm_pre", "finm_user",
             "finm_dat2", "finm_memo1", "finm_memo2", "finm_memo3", "finm_for", "page_break" })
        headerSource.columns.append(text(QString::fromLatin1(name)));
    headerSource.columns.append({ u"finm_num"_s, Format::Amount, 4 });
    headerSource.columns.append(amountColumn(u"finm_deb"_s));
    headerSource.columns.append(amountColumn(u"finm_cre"_s));
    headerSource.columns.append({ u"finm_dcou"_s, Format::Count, 0 });
    headerSource.columns.append({ u"finm_ccou"_s, Format::Count, 0 });
    headerSource.rows = data->headers;

    print::DataSource lineSource;
    lineSource.name = u"fincd"_s;
    lineSource.master = headerSource.name;
    lineSource.linkColumns = { u"comp"_s, u"finm_no"_s };
    for (const char* name : { "comp", "finm_no", "find_no", "find_name", "find_pre", "find_dep", "find_obj",
             "find_orgn", "find_cur", "find_dat", "find_mon", "find_acct" })
        lineSource.columns.append(text(QString::fromLatin1(name)));
    lineSource.columns.append({ u"find_sn"_s, Format::Count, 0 });
    lineSource.columns.append({ u"find_acc"_s, Format::AccountCode, 0 });
    lineSource.columns.append(amountColumn(u"find_dec"_s));
    lineSource.columns.append(amountColumn(u"find_cre"_s));
    lineSource.columns.append({ u"find_tdec"_s, Format::Amount, 0 });
    lineSource.columns.append({ u"find_tcre"_s, Format::Amount, 0 });
    lineSource.columns.append({ u"find_num"_s, Format::Amount, 4 });
    lineSource.rows = data->lines;

    print::Report r;
    r.templateName = u"fincno"_s;
    r.title = u"傳票列印"_s;
    r.sources = { headerSource, lineSource };
    const QString footer = m_footer->toPlainText();
    r.variables = { { u"sfor1"_s, m_amountFormat }, { u"acct_memo"_s, footer }, { u"rep_foot"_s, footer } };
    r.company = m_company;
    return r;
}

void VoucherPrintWindow::printVouchers()
{
    if (m_list.isEmpty())
        return;
    std::optional<WaitCursor> wait;
    wait.emplace();
    auto prepared = prepareReport();
    if (!prepared) {
        wait.reset();
        report(prepared.refusal());
        return;
    }
    wait.reset();
    showReportPreview(*prepared, this);
}

} // namespace korvessa
