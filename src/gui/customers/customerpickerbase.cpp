#include "gui/customers/customerpickerbase.h"

#include "gui/customers/customerrowsmodel.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace korvessa {

namespace {

QStringList withShown(QStringList carried, const QList<std::pair<QString, QString>>& shown)
{
    QStringList columns;
    for (const auto& s : shown)
        columns.append(s.first);
    for (const QString& c : carried) {
        if (!columns.contains(c))
            columns.append(c);
    }
    return columns;
}

} // namespace

CustomerPickerBase::CustomerPickerBase(const QSqlDatabase& db, const QString& title, const QString& hint,
    QList<std::pair<QString, QString>> shown, QStringList carried, QWidget* parent)
    : QDialog(parent)
    , m_db(db)
    , m_rows(withShown(std::move(carried), shown))
{
    setWindowTitle(title);
    setModal(true);
    resize(640, 420);
    auto* layout = new QVBoxLayout(this);
    m_buttons = new QHBoxLayout;
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(u"Edit1"_s);
    m_search = new QPushButton(u"搜尋"_s, this);
    m_search->setObjectName(u"BitBtn2"_s);
    m_search->setDefault(true);
    m_exit = new QPushButton(u"離開"_s, this);
    m_exit->setObjectName(u"BitBtn1"_s);
    m_exit->setAutoDefault(false);
    m_buttons->addWidget(m_edit, 1);
    m_buttons->addWidget(m_search);
    layout->addLayout(m_buttons);
    auto* hintLabel = new QLabel(hint, this);
    hintLabel->setObjectName(u"Label1"_s);
    layout->addWidget(hintLabel);

    m_list = new GridView(this);
    m_list->setObjectName(u"DBGrid1"_s);
    m_model = new CustomerRowsModel(&m_rows, std::move(shown), this);
    m_list->setModel(m_model);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    m_list->horizontalHeader()->setSectionsClickable(true);
    m_list->horizontalHeader()->setSortIndicatorShown(false);
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, &CustomerPickerBase::clickTitle);
    layout->addWidget(m_list, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_exit);
    layout->addLayout(bottom);
}

CustomerPickerBase::~CustomerPickerBase() = default;

void CustomerPickerBase::showEvent(QShowEvent* event)
{
    // Centred on the desktop, not over the calling window.
    if (QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

void CustomerPickerBase::clickTitle(int section)
{
    m_model->sortByTitle(section);
    // Moving the current row must not select it in the multi-select list.
    if (m_model->rowCount() > 0)
        m_list->selectionModel()->setCurrentIndex(m_model->index(0, section), QItemSelectionModel::NoUpdate);
}

void CustomerPickerBase::runSearch(const QStringList& columns)
{
    m_model->beginResetRows();
    const Status s = m_rows.search(m_db, columns, m_edit->text());
    m_model->reload();
    if (!s)
        Messages::instance().refuse(this, s.refusal());
}

void CustomerPickerBase::clearRows()
{
    m_model->beginResetRows();
    m_rows.clear();
    m_model->reload();
}

} // namespace korvessa
