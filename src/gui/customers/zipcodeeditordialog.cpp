#include "gui/customers/zipcodeeditordialog.h"

#include "core/db/dataset.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace korvessa {

ZipcodeEditorDialog::ZipcodeEditorDialog(const QSqlDatabase& zipcodes, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(u"addr2"_s);
    setWindowTitle(u"地址資料庫"_s);
    setModal(true);
    resize(720, 480);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    bar->setSpacing(1);
    DataSet* rows = m_table.rows();
    const QList<std::tuple<QString, QString, QString, std::function<void()>>> actions = {
        { u"first"_s, u"|◀"_s, u"第一筆"_s, [rows] { rows->first(); } },
        { u"prior"_s, u"◀"_s, u"前一筆"_s, [rows] { rows->prior(); } },
        { u"next"_s, u"▶"_s, u"後一筆"_s, [rows] { rows->next(); } },
        { u"last"_s, u"▶|"_s, u"最後一筆"_s, [rows] { rows->last(); } },
        { u"insert"_s, u"+"_s, u"新增"_s,
            [this, rows] {
                rows->insert();
                m_list->dbGrid1()->setFocus(Qt::OtherFocusReason);
            } },
        { u"delete"_s, u"−"_s, u"刪除"_s,
            [this] {
                if (!m_table.rows()->isEmpty() && Messages::instance().confirmDelete(this))
                    report(m_table.removeCurrent());
            } },
        { u"edit"_s, u"▲"_s, u"修改"_s,
            [this, rows] {
                rows->edit();
                m_list->dbGrid1()->setFocus(Qt::OtherFocusReason);
            } },
        { u"post"_s, u"✓"_s, u"存檔"_s, [this] { report(m_table.post()); } },
        { u"cancel"_s, u"✗"_s, u"取消"_s, [rows] { rows->cancelRow(); } },
        { u"refresh"_s, u"↻"_s, u"重新整理"_s, [this] { report(m_table.refresh()); } },
    };
    for (const auto& [name, caption, hint, action] : actions) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(caption);
        b->setToolTip(hint);
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumWidth(32);
        connect(b, &QToolButton::clicked, this, action);
        bar->addWidget(b);
        m_buttons.append(b);
    }
    bar->addStretch(1);
    layout->addLayout(bar);

    m_list = new GridFrame(this);
    layout->addWidget(m_list, 1);
    report(m_table.open(zipcodes));
    m_list->showDataSet(rows,
        { { u"ZIP"_s, u"郵遞區號"_s, 70 }, { u"CITY"_s, u"縣（市）"_s, 90 }, { u"AREA"_s, u"鄉鎮區（市）"_s, 100 },
            { u"ROAD"_s, u"街路村里"_s, 180 }, { u"NUM"_s, u"號碼範圍"_s, 200 } });
    m_list->setEditable(true);

    // A row left for another one is posted by the data set; write it then.
    connect(rows, &DataSet::currentRowChanged, this, [this] {
        if (!m_table.rows()->isChanging() && m_table.rows()->hasChanges())
            report(m_table.post());
    });
    connect(rows, &DataSet::changed, this, &ZipcodeEditorDialog::updateButtons);
    updateButtons();
}

ZipcodeEditorDialog::~ZipcodeEditorDialog() = default;

QToolButton* ZipcodeEditorDialog::button(const QString& name) const
{
    for (QToolButton* b : m_buttons) {
        if (b->objectName() == name)
            return b;
    }
    return nullptr;
}

void ZipcodeEditorDialog::report(const Status& status)
{
    if (!status)
        Messages::instance().refuse(this, status.refusal());
}

void ZipcodeEditorDialog::updateButtons()
{
    const DataSet* rows = m_table.rows();
    const bool active = rows->isActive();
    const bool changing = rows->isChanging();
    const bool browsing = active && !changing;
    button(u"first"_s)->setEnabled(browsing && !rows->isFirst());
    button(u"prior"_s)->setEnabled(browsing && !rows->isFirst());
    button(u"next"_s)->setEnabled(browsing && !rows->isLast() && !rows->isEmpty());
    button(u"last"_s)->setEnabled(browsing && !rows->isLast() && !rows->isEmpty());
    button(u"insert"_s)->setEnabled(active);
    button(u"delete"_s)->setEnabled(browsing && !rows->isEmpty());
    button(u"edit"_s)->setEnabled(browsing && !rows->isEmpty());
    button(u"post"_s)->setEnabled(changing);
    button(u"cancel"_s)->setEnabled(changing);
    button(u"refresh"_s)->setEnabled(active);
}

} // namespace korvessa
