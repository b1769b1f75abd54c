#include "gui/admin/syssetwindow.h"

#include "core/admin/categories.h"
#include "core/admin/companies.h"
#include "core/admin/dateformatsetting.h"
#include "gui/shell/editingcontroller.h"
#include "gui/shell/fieldbinder.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduletoolbar.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace korvessa {

SyssetWindow::SyssetWindow(QWidget* parent)
    : ModuleWindow(parent)
{
    setWindowTitle(u"公司設定"_s);
    auto* title = new QLabel(u"公司資料設定"_s, this);
    title->setObjectName(u"Label1"_s);
    styleTitleLabel(title);
    contentLayout()->addWidget(title);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(u"PageControl1"_s);
    auto* companyPage = new QWidget;
    auto* commonPage = new QWidget;
    m_tabs->addTab(companyPage, u"公司資料"_s);
    m_tabs->addTab(commonPage, u"常用資料"_s);
    contentLayout()->addWidget(m_tabs, 1);

    if (Status s = openCompanies(m_companies, books()); !s)
        Messages::instance().refuse(this, s.refusal());
    buildCompanyTab(companyPage);
    buildCommonTab(commonPage);

    m_editing = new EditingController(this, &m_companies);
    m_editing->setGrid(m_list);
    m_editing->setKeyField(m_nameEdit);
    m_editing->setOptions({ .prints = false, .insertWhileEditing = true });
    // Every action is open to whoever may open the module.
    m_editing->setToolbarAdjust([this](ToolbarButtons& b) {
        const Rights all { .can_add = true, .can_save = true, .can_delete = true, .can_print = false };
        b = toolbarButtons(
            m_companies.editingState(), std::nullopt, all, { .prints = false, .insertWhileEditing = true });
        // A removal is held too, and "取消" brings the company back.
        if (m_companies.hasChanges())
            b.post = b.cancel = true;
    });
    m_editing->setHandler(EditingController::Action::Post, [this] { saveCompanyList(); });
    m_editing->setHandler(EditingController::Action::Delete, [this] { removeCompany(); });
    m_editing->setHandler(EditingController::Action::Search, [] {});
    m_editing->updateState();
}

SyssetWindow::~SyssetWindow() = default;

void SyssetWindow::buildCompanyTab(QWidget* page)
{
    auto* row = new QHBoxLayout(page);
    auto* form = new QFormLayout;
    m_binder = new FieldBinder(&m_companies, this);
    const QList<std::pair<QString, QString>> fields = {
        { u"公司名稱"_s, u"comp_name"_s },
        { u"公司抬頭"_s, u"comp_title"_s },
        { u"公司電話"_s, u"comp_tel"_s },
        { u"公司地址"_s, u"comp_add"_s },
        { u"公司傳真"_s, u"comp_fax"_s },
        { u"公司網址"_s, u"comp_web"_s },
        { u"電子郵件"_s, u"comp_mail"_s },
    };
    int n = 1;
    for (const auto& [label, column] : fields) {
        auto* edit = new QLineEdit(page);
        edit->setObjectName(u"DBEdit"_s + QString::number(n++));
        m_binder->bind(edit, column);
        form->addRow(label, edit);
        if (column == u"comp_name"_s)
            m_nameEdit = edit;
    }
    m_nameEdit->setMaxLength(kCompanyNameLength);
    auto* fixDates = new QPushButton(u"修正日期格式"_s, page);
    fixDates->setObjectName(u"Button1"_s);
    connect(fixDates, &QPushButton::clicked, this, [] { fixDateFormatSetting(); });
    form->addRow(QString(), fixDates);
    row->addLayout(form, 1);

    m_list = new GridFrame(page);
    m_list->setObjectName(u"GridFrame1"_s);
    m_list->showDataSet(
        &m_companies, { { u"comp_name"_s, u"公司名稱"_s, 100 }, { u"comp_title"_s, u"公司抬頭"_s, 200 } });
    row->addWidget(m_list, 1);
}

void SyssetWindow::buildCommonTab(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    auto* bar = new QHBoxLayout;
    m_kindCombo = new QComboBox(page);
    m_kindCombo->setObjectName(u"ComboBox1"_s);
    m_kindCombo->setEditable(true);
    m_kindCombo->addItem(u"存款類別"_s);
    m_kindCombo->setCurrentIndex(-1);
    m_kindCombo->setEditText(QString());
    bar->addWidget(m_kindCombo);
    m_commonAdd = new QPushButton(u"新增"_s, page);
    m_commonAdd->setObjectName(u"BitBtn1"_s);
    m_commonDelete = new QPushButton(u"刪除"_s, page);
    m_commonDelete->setObjectName(u"BitBtn2"_s);
    m_commonSave = new QPushButton(u"存檔"_s, page);
    m_commonSave->setObjectName(u"BitBtn3"_s);
    for (QPushButton* b : { m_commonAdd, m_commonDelete, m_commonSave })
        bar->addWidget(b);
    bar->addStretch(1);
    layout->addLayout(bar);

    m_commonList = new GridFrame(page);
    m_commonList->setObjectName(u"GridFrame2"_s);
    m_commonList->showDataSet(&m_common, { { u"cat_name"_s, u"內容"_s, 200 } });
    m_commonList->setEditable(true);
    layout->addWidget(m_commonList, 1);

    connect(m_kindCombo, &QComboBox::editTextChanged, this, &SyssetWindow::loadCommonData);
    connect(m_commonAdd, &QPushButton::clicked, this, [this] {
        if (!m_common.isActive())
            return;
        QVariantMap defaults;
        if (const auto kind = commonDataKind(m_kindCombo->currentText()))
            defaults.insert(u"cat_type"_s, *kind);
        m_commonList->dbGrid1()->setFocus(Qt::OtherFocusReason);
        m_common.append(defaults);
    });
    connect(m_commonDelete, &QPushButton::clicked, this, [this] {
        if (m_common.isActive())
            m_common.remove();
    });
    connect(m_commonSave, &QPushButton::clicked, this, [this] {
        if (!m_common.isActive())
            return;
        if (Status s = saveDroppingEmpty(m_common, u"cat_name"_s); !s)
            Messages::instance().refuse(this, s.refusal());
    });
    updateCommonButtons();
}

void SyssetWindow::loadCommonData(const QString& text)
{
    if (Status s = openCommonData(m_common, books(), text); !s) {
        Messages::instance().refuse(this, s.refusal());
        return;
    }
    m_commonLoaded = true;
    updateCommonButtons();
}

void SyssetWindow::updateCommonButtons()
{
    m_commonAdd->setEnabled(m_commonLoaded);
    m_commonSave->setEnabled(m_commonLoaded);
}

void SyssetWindow::saveCompanyList()
{
    if (Status s = saveCompanies(m_companies); !s) {
        Messages::instance().refuse(this, s.refusal());
        return;
    }
    m_editing->updateState();
}

void SyssetWindow::removeCompany()
{
    if (Status s = checkCompanyRemoval(m_companies); !s) {
        Messages::instance().refuse(this, s.refusal());
        return;
    }
    m_companies.remove();
}

} // namespace korvessa
