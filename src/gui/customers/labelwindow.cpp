#include "gui/customers/labelwindow.h"

#include "core/db/dataset.h"
#include "core/ledger/voucherprint.h"
#include "gui/customers/customerbrowser.h"
#include "gui/print/reportpreview.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"
#include "gui/shell/shell.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace korvessa {

using namespace Qt::StringLiterals;

LabelWindow::LabelWindow(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(u"Tclabel"_s);
    setWindowTitle(u"標籤Korvessa"_s);
    // A fixed dialog without title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    QString user;
    if (Shell* shell = Shell::instance()) {
        m_books = shell->books();
        m_comp = shell->session().cur_comp;
        user = shell->session().cur_user;
    }
    m_runBrowser = [](CustomerBrowser& browser) { browser.exec(); };

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(u"客戶標籤列印"_s, this);
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
    m_choose = button(u"選取客戶"_s, u"BitBtn1"_s);
    m_remove = button(u"刪除客戶"_s, u"BitBtn2"_s);
    m_print = button(u"列印標籤"_s, u"BitBtn3"_s);
    m_close = button(QString(), u"BitBtn4"_s);
    m_close->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    m_close->setToolTip(u"離開"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_choose);
    buttons->addWidget(m_remove);
    buttons->addWidget(m_print);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    report(m_sheet.open(m_books, user));
    DataSet* rows = m_sheet.rows();
    m_grid = new GridFrame(this);
    m_grid->showDataSet(rows,
        {
            { u"P01"_s, u"編號"_s, 80 },
            { u"P02"_s, u"名稱"_s, 160 },
            { u"P03"_s, u"聯絡人"_s, 80 },
            { u"P04"_s, u"地址"_s, 240 },
            { u"P05"_s, u"電話"_s, 100 },
        });
    m_grid->setEditable(true);
    layout->addWidget(m_grid, 1);

    connect(m_choose, &QPushButton::clicked, this, &LabelWindow::chooseCustomers);
    connect(m_remove, &QPushButton::clicked, this, &LabelWindow::removeCurrent);
    connect(m_print, &QPushButton::clicked, this, &LabelWindow::printLabels);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    // A typed cell is written as soon as the grid has let go of it.
    connect(rows, &DataSet::valueChanged, this, [this] {
        if (m_writeQueued)
            return;
        m_writeQueued = true;
        QMetaObject::invokeMethod(this, &LabelWindow::writeChanges, Qt::QueuedConnection);
    });
    setFixedSize(720, 460);
}

LabelWindow::~LabelWindow()
{
    // A change not written yet goes in before the window does.
    (void)m_sheet.writeChanges();
}

void LabelWindow::showEvent(QShowEvent* event)
{
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    QDialog::showEvent(event);
}

void LabelWindow::report(const Status& status)
{
    if (!status)
        Messages::instance().refuse(this, status.refusal());
}

void LabelWindow::writeChanges()
{
    m_writeQueued = false;
    report(m_sheet.writeChanges());
}

void LabelWindow::chooseCustomers()
{
    CustomerBrowser browser(m_books, this);
    if (m_runBrowser)
        m_runBrowser(browser);
    addFromBrowser(browser);
}

void LabelWindow::addFromBrowser(const CustomerBrowser& browser)
{
    const CustomerRows& rows = browser.rows();
    QList<LabelSheet::Customer> customers;
    for (int r : browser.selectedRows()) {
        customers.append({ rows.text(r, u"cus_no"_s), rows.text(r, u"cus_name"_s), rows.text(r, u"cus_att"_s),
            rows.text(r, u"cus_add"_s), rows.text(r, u"cus_tel1"_s) });
    }
    report(m_sheet.add(customers));
}

void LabelWindow::removeCurrent() { report(m_sheet.removeCurrent()); }

print::Report LabelWindow::buildReport() const
{
    using print::Column;
    using print::Format;
    print::DataSource sheet;
    sheet.name = u"label_rows"_s;
    sheet.columns = { { u"label_row"_s, Format::Count, 0 } };
    sheet.rows = m_sheet.sheetRows();

    print::DataSource labels;
    labels.name = u"ptemp"_s;
    labels.master = sheet.name;
    labels.linkColumns = { u"label_row"_s };
    for (const QString& column : LabelSheet::labelColumns())
        labels.columns.append({ column, Format::Text, 0 });
    labels.columns.append({ u"label_row"_s, Format::Count, 0 });
    labels.rows = m_sheet.printRows();

    print::Report r;
    r.templateName = u"label2"_s;
    r.title = u"客戶標籤列印"_s;
    r.sources = { sheet, labels };
    if (auto company = voucherprint::companyRow(m_books, m_comp); company)
        r.company = *company;
    return r;
}

void LabelWindow::printLabels()
{
    writeChanges();
    showReportPreview(buildReport(), this);
}

} // namespace korvessa
