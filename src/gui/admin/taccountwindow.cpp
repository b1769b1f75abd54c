#include "gui/admin/taccountwindow.h"

#include "core/admin/users.h"
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
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace korvessa {

TaccountWindow::TaccountWindow(QWidget* parent)
    : ModuleWindow(parent)
{
    setWindowTitle(u"使用者權限設定"_s);

    auto* top = new QHBoxLayout;
    auto* form = new QFormLayout;
    m_binder = new FieldBinder(&m_users, this);
    const QList<std::pair<QString, QString>> fields
        = { { u"帳號"_s, u"user_no"_s }, { u"姓名"_s, u"user_name"_s }, { u"密碼"_s, u"user_pas"_s } };
    int n = 1;
    for (const auto& [label, column] : fields) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(u"DBEdit"_s + QString::number(n++));
        m_binder->bind(edit, column);
        form->addRow(label, edit);
        if (column == u"user_no"_s)
            m_noEdit = edit;
    }
    top->addLayout(form);
    m_load = new QPushButton(u"載入權限"_s, this);
    m_load->setObjectName(u"BitBtn1"_s);
    top->addWidget(m_load, 0, Qt::AlignBottom);
    top->addStretch(1);
    contentLayout()->addLayout(top);

    auto* lists = new QHBoxLayout;
    m_userGrid = new GridFrame(this);
    m_userGrid->setObjectName(u"GridFrame1"_s);
    m_userGrid->showDataSet(&m_users, { { u"user_no"_s, u"帳號"_s, 90 }, { u"user_name"_s, u"名稱"_s, 120 } });
    lists->addWidget(m_userGrid, 1);

    auto* right = new QVBoxLayout;
    m_rightsGrid = new GridFrame(this);
    m_rightsGrid->setObjectName(u"GridFrame2"_s);
    m_rightsGrid->showDataSet(&m_rights,
        { { u"u_progname"_s, u"程式"_s, 160 }, { u"u_view"_s, u"使用"_s, 40 }, { u"u_add"_s, u"新增"_s, 40 },
            { u"u_save"_s, u"存檔"_s, 40 }, { u"u_delete"_s, u"刪除"_s, 40 }, { u"u_ptint"_s, u"列印"_s, 40 } });
    right->addWidget(m_rightsGrid, 1);
    auto* buttons = new QHBoxLayout;
    m_deleteRight = new QPushButton(u"刪除權限"_s, this);
    m_deleteRight->setObjectName(u"BitBtn2"_s);
    m_batch = new QPushButton(u"整批設定"_s, this);
    m_batch->setObjectName(u"BitBtn3"_s);
    buttons->addWidget(m_deleteRight);
    buttons->addWidget(m_batch);
    buttons->addStretch(1);
    right->addLayout(buttons);

    m_panel = new QWidget(this);
    m_panel->setObjectName(u"Panel1"_s);
    stylePanel(m_panel);
    auto* panel = new QHBoxLayout(m_panel);
    const QStringList captions = { u"使用"_s, u"新增"_s, u"存檔"_s, u"刪除"_s, u"列印"_s };
    for (int i = 0; i < captions.size(); ++i) {
        panel->addWidget(new QLabel(captions.at(i), m_panel));
        auto* combo = new QComboBox(m_panel);
        combo->setObjectName(u"ComboBox"_s + QString::number(i + 1));
        combo->setEditable(true);
        combo->addItems({ u"Y"_s, u"N"_s });
        combo->setCurrentIndex(0);
        panel->addWidget(combo);
        m_values.append(combo);
    }
    m_batchLoad = new QPushButton(u"整批載入"_s, m_panel);
    m_batchLoad->setObjectName(u"BitBtn4"_s);
    m_close = new QPushButton(u"關閉"_s, m_panel);
    m_close->setObjectName(u"BitBtn5"_s);
    panel->addWidget(m_batchLoad);
    panel->addWidget(m_close);
    m_panel->hide();
    right->addWidget(m_panel);
    lists->addLayout(right, 2);
    contentLayout()->addLayout(lists, 1);

    refuse(openUsers(m_users, books()));
    showRights();

    m_editing = new EditingController(this, &m_users);
    m_editing->setDetail(&m_rights);
    m_editing->setGrid(m_userGrid);
    m_editing->setKeyField(m_noEdit);
    m_editing->setOptions({ .prints = false, .insertWhileEditing = true });
    m_editing->setToolbarAdjust([this](ToolbarButtons& b) {
        b = userToolbar(m_users.editingState(), m_rights.editingState(), rights(), currentUser());
        // Held changes of rows already left can be saved or dropped too.
        if (m_users.hasChanges() || m_rights.hasChanges()) {
            b.post = rights().can_save;
            b.cancel = true;
        }
    });
    m_editing->setHandler(EditingController::Action::Post, [this] { saveAll(); });
    m_editing->setHandler(EditingController::Action::Cancel, [this] { cancelUser(); });
    m_editing->setHandler(EditingController::Action::Delete, [this] { removeUser(); });
    m_editing->setHandler(EditingController::Action::Search, [] {});
    setExitQuestion([this] { return m_rights.isChanging(); });

    connect(&m_users, &DataSet::currentRowChanged, this, &TaccountWindow::showRights);
    connect(&m_users, &DataSet::wasReset, this, &TaccountWindow::showRights);
    connect(&m_users, &DataSet::changed, this, &TaccountWindow::updateButtons);
    connect(m_rightsGrid->dbGrid1(), &QAbstractItemView::doubleClicked, this, &TaccountWindow::flipCell);
    connect(m_load, &QPushButton::clicked, this, &TaccountWindow::loadTemplate);
    connect(m_deleteRight, &QPushButton::clicked, this, [this] { m_rights.remove(); });
    connect(m_batch, &QPushButton::clicked, this, [this] {
        m_panel->show();
        m_batch->setEnabled(false);
    });
    connect(m_close, &QPushButton::clicked, this, [this] {
        m_panel->hide();
        m_batch->setEnabled(true);
    });
    connect(m_batchLoad, &QPushButton::clicked, this, &TaccountWindow::loadBatch);
    m_editing->updateState();
    updateButtons();
}

TaccountWindow::~TaccountWindow() = default;

QString TaccountWindow::currentUser() const
{
    return m_users.isEmpty() ? QString() : m_users.text(u"user_no"_s);
}

void TaccountWindow::showRights()
{
    const QString user = currentUser();
    if (m_rights.isActive() && user == m_shownUser && !m_users.isChanging())
        return;
    m_shownUser = user;
    refuse(openRights(m_rights, books(), user));
}

void TaccountWindow::flipCell(const QModelIndex& index)
{
    if (!index.isValid() || index.row() >= m_rights.count())
        return;
    const int row = index.row();
    if (row != m_rights.currentRow())
        m_rights.setCurrentRow(row);
    m_rights.edit();
    const QList<GridColumn>& columns = m_rightsGrid->dataSetModel()->gridColumns();
    if (index.column() <= 0 || index.column() >= columns.size())
        return;
    const int column = m_rights.columnIndex(columns.at(index.column()).column);
    m_rights.setValue(row, column, flippedRight(m_rights.value(row, column)));
}

void TaccountWindow::saveAll()
{
    if (refuse(saveUsersAndRights(m_users, m_rights)))
        return;
    m_shownUser.clear();
    showRights();
    m_editing->updateState();
}

void TaccountWindow::cancelUser()
{
    m_users.cancelRow();
    m_shownUser.clear();
    showRights();
    m_editing->updateState();
}

void TaccountWindow::removeUser()
{
    if (m_users.isEmpty() || isProtectedUser(currentUser()))
        return;
    refuse(deleteUser(m_users));
    m_shownUser.clear();
    showRights();
}

void TaccountWindow::loadTemplate()
{
    const QString user = currentUser();
    if (user.trimmed().isEmpty() || m_users.state() == DataSet::State::Insert)
        return;
    refuse(loadTemplateRights(books(), user));
    m_shownUser.clear();
    showRights();
}

void TaccountWindow::loadBatch()
{
    m_panel->hide();
    QStringList values;
    for (QComboBox* combo : std::as_const(m_values))
        values.append(combo->currentText());
    setAllRights(m_rights, values);
    m_editing->updateState();
    m_batch->setEnabled(true);
}

void TaccountWindow::updateButtons()
{
    m_deleteRight->setEnabled(!isProtectedUser(currentUser()));
}

bool TaccountWindow::refuse(const Status& status)
{
    if (status)
        return false;
    Messages::instance().refuse(this, status.refusal());
    return true;
}

} // namespace korvessa
