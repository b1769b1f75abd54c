#include "gui/admin/custypewindow.h"

#include "core/admin/categories.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduletoolbar.h"
#include "gui/shell/toolbarstate.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace korvessa {

namespace {

// Tab caption → cat_type.
const QList<std::pair<QString, QString>>& kindTabs()
{
    static const QList<std::pair<QString, QString>> tabs = {
        { u"部門"_s, u"part"_s },
        { u"客戶類別"_s, u"C"_s },
        { u"行業別"_s, u"biz"_s },
        { u"來源別"_s, u"source"_s },
        { u"地區別"_s, u"area"_s },
    };
    return tabs;
}

} // namespace

CustypeWindow::CustypeWindow(QWidget* parent)
    : ModuleWindow(parent)
{
    setWindowTitle(u"常用類別設定"_s);
    applyToolbar(*toolbar(), ToolbarButtons {});
    toolbar()->edit1()->setEnabled(false);
    toolbar()->speedButton10()->setEnabled(false);

    m_kinds = new QTabBar(this);
    m_kinds->setObjectName(u"TabControl1"_s);
    for (const auto& [caption, kind] : kindTabs())
        m_kinds->addTab(caption);
    contentLayout()->addWidget(m_kinds);

    auto* bar = new QHBoxLayout;
    m_add = new QPushButton(u"新增"_s, this);
    m_add->setObjectName(u"BitBtn1"_s);
    m_delete = new QPushButton(u"刪除"_s, this);
    m_delete->setObjectName(u"BitBtn2"_s);
    m_save = new QPushButton(u"存檔"_s, this);
    m_save->setObjectName(u"BitBtn3"_s);
    for (QPushButton* b : { m_add, m_delete, m_save })
        bar->addWidget(b);
    bar->addStretch(1);
    contentLayout()->addLayout(bar);

    m_grid = new GridFrame(this);
    m_grid->showDataSet(&m_list, { { u"cat_name"_s, u"內容"_s, 240 } });
    m_grid->setEditable(true);
    contentLayout()->addWidget(m_grid, 1);

    connect(m_kinds, &QTabBar::currentChanged, this, &CustypeWindow::loadKind);
    connect(m_add, &QPushButton::clicked, this, [this] {
        if (!m_list.isActive())
            return;
        appendCategory(m_list, currentKind(), m_highest);
        m_grid->dbGrid1()->setFocus(Qt::OtherFocusReason);
    });
    connect(m_delete, &QPushButton::clicked, this, [this] { m_list.remove(); });
    connect(m_save, &QPushButton::clicked, this, [this] {
        if (Status s = saveDroppingEmpty(m_list, u"cat_name"_s); !s)
            Messages::instance().refuse(this, s.refusal());
    });
    loadKind();
}

CustypeWindow::~CustypeWindow() = default;

QString CustypeWindow::currentKind() const
{
    const int i = m_kinds->currentIndex();
    return i >= 0 && i < kindTabs().size() ? kindTabs().at(i).second : QString();
}

void CustypeWindow::loadKind()
{
    // Held changes of the kind left are dropped.
    if (Status s = openCategoryKind(m_list, books(), currentKind()); !s) {
        Messages::instance().refuse(this, s.refusal());
        return;
    }
    m_highest = highestSequence(m_list);
}

} // namespace korvessa
