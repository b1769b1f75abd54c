#include "gui/ledger/copysourcepanel.h"

#include "gui/shell/modulewindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace korvessa {

using namespace Qt::StringLiterals;

CopySourcePanel::CopySourcePanel(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(u"Panel2"_s);
    setFrameShape(QFrame::StyledPanel);
    ModuleWindow::stylePanel(this);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(new QLabel(u"選擇來源公司"_s, this));
    m_companies = new QComboBox(this);
    m_companies->setObjectName(u"ComboBox1"_s);
    layout->addWidget(m_companies, 1);
    m_start = new QPushButton(u"開始"_s, this);
    m_start->setObjectName(u"Button2"_s);
    m_start->setAutoDefault(false);
    layout->addWidget(m_start);
    connect(m_start, &QPushButton::clicked, this, [this] { Q_EMIT started(m_companies->currentText()); });
}

CopySourcePanel::~CopySourcePanel() = default;

void CopySourcePanel::setCompanies(const QStringList& companies)
{
    m_companies->clear();
    m_companies->addItems(companies);
}

} // namespace korvessa
