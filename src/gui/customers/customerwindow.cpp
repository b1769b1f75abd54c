#include "gui/customers/customerwindow.h"

#include "core/common/dates.h"
#include "core/db/dataset.h"
#include "gui/customers/addresswizarddialog.h"
#include "gui/shell/editingcontroller.h"
#include "gui/shell/fieldbinder.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduleregistry.h"
#include "gui/shell/moduletoolbar.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace korvessa {

CustomerWindow::CustomerWindow(QWidget* parent)
    : ModuleWindow(parent)
{
    setWindowTitle(u"客戶資料管理"_s);
    m_addressSource = [](QWidget* owner) {
        AddressWizardDialog wizard(owner);
        wizard.exec();
        return wizard.result();
    };

    report(m_register.open(books()));
    DataSet* set = m_register.customers();

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(u"PageControl1"_s);
    auto* page = new QWidget;
    m_tabs->addTab(page, u"客戶資料"_s);
    contentLayout()->addWidget(m_tabs);
    m_binder = new FieldBinder(set, this);
    buildFields(page);

    m_list = new GridFrame(this);
    m_list->showDataSet(set,
        {
            { u"cus_no"_s, u"編號"_s, 80 },
            { u"cus_date"_s, u"建檔日期"_s, 80 },
            { u"cus_name"_s, u"名稱"_s, 160 },
            { u"cus_add"_s, u"地址"_s, 220 },
            { u"cus_tel1"_s, u"聯絡電話1"_s, 100 },
            { u"cus_tel2"_s, u"聯絡電話2"_s, 100 },
            { u"cus_fax"_s, u"傳真"_s, 100 },
            { u"cus_birth"_s, u"生日"_s, 80 },
            { u"cus_inv"_s, u"統一編號"_s, 80 },
            { u"cus_title"_s, u"發票抬頭"_s, 160 },
            { u"cus_mail"_s, u"電子郵件"_s, 160 },
            { u"cus_level"_s, u"等級"_s, 40 },
            { u"cus_mery"_s, u"cus_mery"_s, 60 },
            { u"cus_att"_s, u"連絡人"_s, 80 },
            { u"cus_type"_s, u"類別"_s, 80 },
            { u"cus_area"_s, u"地區"_s, 80 },
            { u"cus_source"_s, u"來源"_s, 80 },
            { u"cus_biz"_s, u"行業別"_s, 80 },
            { u"cus_mobile"_s, u"手機"_s, 100 },
        });
    contentLayout()->addWidget(m_list, 1);

    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(u"MonthCalendar1"_s);
    m_calendar->setSelectedDate(QDate::currentDate());
    m_calendar->hide();
    connect(m_calendar, &QCalendarWidget::activated, this, &CustomerWindow::pickDate);

    m_editing = new EditingController(this, set);
    m_editing->setGrid(m_list);
    m_editing->setKeyField(m_number);
    m_editing->setDefaults([] { return CustomerRegister::newRecordDefaults(); });
    // "列印" opens the mailing labels (Tclabel) modally.
    m_editing->setOptions({ .prints = true, .insertWhileEditing = true });
    m_editing->setAskBeforeExit(true);
    m_editing->setHandler(EditingController::Action::Insert, [this] {
        m_tabs->setCurrentIndex(0);
        m_editing->insertRecord();
    });
    m_editing->setHandler(EditingController::Action::Post, [this] { save(); });
    m_editing->setHandler(EditingController::Action::Cancel, [this] { cancel(); });
    m_editing->setHandler(EditingController::Action::Delete, [this] { remove(); });
    m_editing->setHandler(EditingController::Action::Search, [this] { search(); });
    m_editing->setHandler(EditingController::Action::Print, [this] { printLabels(); });
    m_editing->updateState();
}

CustomerWindow::~CustomerWindow() = default;

void CustomerWindow::printLabels()
{
    const ModuleEntry* labels = findModule(u"Tclabel"_s);
    if (!labels || !labels->built())
        return;
    std::unique_ptr<QWidget> window(labels->factory());
    if (auto* dialog = qobject_cast<QDialog*>(window.get()))
        dialog->exec();
}

void CustomerWindow::buildFields(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    int n = 1;
    auto lineEdit = [&](const QString& column) {
        auto* edit = new QLineEdit(page);
        edit->setObjectName(u"DBEdit"_s + QString::number(n++));
        m_binder->bind(edit, column);
        return edit;
    };
    auto place = [&](int row, int col, const QString& label, QWidget* field, QWidget* button = nullptr) {
        grid->addWidget(new QLabel(label, page), row, col * 2);
        if (!button) {
            grid->addWidget(field, row, col * 2 + 1);
            return;
        }
        auto* box = new QHBoxLayout;
        box->setContentsMargins(0, 0, 0, 0);
        box->addWidget(field, 1);
        box->addWidget(button);
        grid->addLayout(box, row, col * 2 + 1);
    };

    m_number = lineEdit(u"cus_no"_s); // DBEdit1, the refusals' field
    place(0, 0, u"編號"_s, m_number);
    place(0, 1, u"名稱"_s, lineEdit(u"cus_name"_s));

    m_date = new QLineEdit(page);
    m_date->setObjectName(u"DBEdit"_s + QString::number(n++));
    m_date->setInputMask(u"0000/00/99;_"_s);
    m_binder->bind(m_date, u"cus_date"_s);
    m_date->setMaxLength(10);
    auto* calendarButton = new QPushButton(u"日曆"_s, page);
    calendarButton->setObjectName(u"Button1"_s);
    calendarButton->setFocusPolicy(Qt::NoFocus);
    connect(calendarButton, &QPushButton::clicked, this, [this, calendarButton] {
        const QPoint at = calendarButton->mapTo(this, QPoint(0, calendarButton->height()));
        m_calendar->move(at);
        m_calendar->adjustSize();
        m_calendar->show();
        m_calendar->raise();
        m_calendar->setFocus(Qt::OtherFocusReason);
    });
    place(1, 0, u"建檔日期"_s, m_date, calendarButton);

    auto* addressButton = new QPushButton(u"..."_s, page);
    addressButton->setObjectName(u"Button2"_s);
    addressButton->setFocusPolicy(Qt::NoFocus);
    addressButton->setToolTip(u"地址輸入精靈"_s);
    connect(addressButton, &QPushButton::clicked, this, &CustomerWindow::chooseAddress);
    place(1, 1, u"地址"_s, lineEdit(u"cus_add"_s), addressButton);

    place(2, 0, u"電話1"_s, lineEdit(u"cus_tel1"_s));
    place(2, 1, u"電話2"_s, lineEdit(u"cus_tel2"_s));
    place(3, 0, u"連絡人"_s, lineEdit(u"cus_att"_s));
    place(3, 1, u"傳真"_s, lineEdit(u"cus_fax"_s));
    place(4, 0, u"統編"_s, lineEdit(u"cus_inv"_s));
    place(4, 1, u"發票抬頭"_s, lineEdit(u"cus_title"_s));

    auto* level = new QComboBox(page);
    level->setObjectName(u"DBComboBox1"_s);
    level->setEditable(true);
    level->setInsertPolicy(QComboBox::NoInsert);
    level->addItems({ u"1"_s, u"2"_s, u"3"_s, u"4"_s });
    m_binder->bind(level, u"cus_level"_s);
    place(5, 0, u"等級"_s, level);

    m_mail = lineEdit(u"cus_mail"_s);
    auto* mailButton = new QPushButton(u"寄信"_s, page);
    mailButton->setObjectName(u"Button3"_s);
    mailButton->setFocusPolicy(Qt::NoFocus);
    connect(mailButton, &QPushButton::clicked, this, &CustomerWindow::writeMail);
    place(5, 1, u"E-Mail"_s, m_mail, mailButton);

    place(6, 0, u"客戶類別"_s, categoryCombo(page, u"DBComboBox2"_s, u"C"_s));
    place(6, 1, u"客戶來源"_s, categoryCombo(page, u"DBComboBox3"_s, u"source"_s));
    place(7, 0, u"行業"_s, categoryCombo(page, u"DBComboBox4"_s, u"biz"_s));
    place(7, 1, u"地區"_s, categoryCombo(page, u"DBComboBox5"_s, u"area"_s));
    place(8, 0, u"手機"_s, lineEdit(u"cus_mobile"_s));
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    // The category lists follow their combos' names, the columns their kinds.
    const QList<std::pair<QString, QString>> columns
        = { { u"DBComboBox2"_s, u"cus_type"_s }, { u"DBComboBox3"_s, u"cus_source"_s },
              { u"DBComboBox4"_s, u"cus_biz"_s }, { u"DBComboBox5"_s, u"cus_area"_s } };
    for (const auto& [name, column] : columns)
        m_binder->bind(page->findChild<QComboBox*>(name), column);
}

QComboBox* CustomerWindow::categoryCombo(QWidget* page, const QString& name, const QString& kind)
{
    auto* combo = new QComboBox(page);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    auto items = CustomerRegister::categoryItems(books(), kind);
    if (items)
        combo->addItems(*items);
    else
        report(items.refusal());
    return combo;
}

void CustomerWindow::report(const Status& status)
{
    if (!status)
        Messages::instance().refuse(this, status.refusal());
}

void CustomerWindow::save()
{
    report(m_register.save());
}

void CustomerWindow::cancel()
{
    report(m_register.cancel());
}

void CustomerWindow::remove()
{
    DataSet* set = m_register.customers();
    if (set->isEmpty() || !Messages::instance().confirmDelete(this))
        return;
    if (Status s = m_register.removeCurrent(); !s) {
        report(s);
        static_cast<void>(m_register.cancel());
    }
}

void CustomerWindow::search()
{
    if (m_editing->isChanging())
        return;
    report(m_register.search(toolbar()->edit1()->text()));
}

void CustomerWindow::chooseAddress()
{
    const QString address = m_addressSource ? m_addressSource(this) : QString();
    if (address.isEmpty())
        return;
    m_register.customers()->setValue(u"cus_add"_s, address);
}

void CustomerWindow::pickDate(const QDate& date)
{
    m_register.customers()->setValue(u"cus_date"_s, dateText(date));
    m_calendar->hide();
}

void CustomerWindow::writeMail()
{
    QDesktopServices::openUrl(QUrl(u"mailto:"_s + m_mail->text()));
}

} // namespace korvessa
