#include "gui/shell/pickers/pickerframe.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

const QString kOk = u"ok"_s;
const QString kNo = u"no"_s;

} // namespace

PickerFrame::PickerFrame(QSqlDatabase db, QString comp, QWidget* parent)
    : QDialog(parent)
    , m_db(std::move(db))
    , m_comp(std::move(comp))
    , m_pickResult(kNo)
{
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    m_searchRow = new QHBoxLayout;
    m_search = new QLineEdit(this);
    m_search->setObjectName(u"Edit1"_s);
    m_searchButton = new QPushButton(u"搜尋"_s, this);
    m_searchButton->setObjectName(u"Button1"_s);
    m_searchButton->setAutoDefault(false);
    m_leaveButton = new QPushButton(u"離開"_s, this);
    m_leaveButton->setObjectName(u"Button2"_s);
    m_leaveButton->setAutoDefault(false);
    m_searchRow->addWidget(m_search, 1);
    m_searchRow->addWidget(m_searchButton);
    m_searchRow->addWidget(m_leaveButton);
    layout->addLayout(m_searchRow);
    m_body = new QVBoxLayout;
    layout->addLayout(m_body, 1);

    connect(m_searchButton, &QPushButton::clicked, this, [this] { search(); });
    connect(m_search, &QLineEdit::returnPressed, this, [this] { search(); });
    connect(m_leaveButton, &QPushButton::clicked, this, &PickerFrame::leave);
}

PickerFrame::~PickerFrame() = default;

void PickerFrame::pick()
{
    m_pickResult = kOk;
    accept();
}

void PickerFrame::leave()
{
    m_pickResult = kNo;
    reject();
}

void PickerFrame::showEvent(QShowEvent* event)
{
    m_pickResult = kNo;
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr) {
        QRect r = geometry();
        r.moveCenter(owner->geometry().center());
        move(r.topLeft());
    }
    QDialog::showEvent(event);
}

} // namespace korvessa
