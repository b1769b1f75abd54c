#include "gui/shell/editingcontroller.h"

#include "gui/shell/gridframe.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduletoolbar.h"
#include "gui/shell/modulewindow.h"
#include "gui/shell/toolbarstate.h"

#include <QLineEdit>
#include <QToolButton>

namespace korvessa {

EditingController::EditingController(ModuleWindow* window, DataSet* main)
    : QObject(window)
    , m_window(window)
    , m_main(main)
{
    ModuleToolbar* bar = window->toolbar();
    const QList<std::pair<QToolButton*, Action>> buttons {
        { bar->sbinsert(), Action::Insert },
        { bar->sbdelete(), Action::Delete },
        { bar->sbpost(), Action::Post },
        { bar->sbcancel(), Action::Cancel },
        { bar->sbprint(), Action::Print },
        { bar->sbprior(), Action::Prior },
        { bar->sbnext(), Action::Next },
        { bar->speedButton10(), Action::Search },
    };
    for (const auto& [button, action] : buttons)
        connect(button, &QToolButton::clicked, this, [this, action = action] { run(action); });
    connect(m_main, &DataSet::changed, this, &EditingController::updateState);
    updateState();
}

EditingController::~EditingController() = default;

void EditingController::setDetail(DataSet* detail, bool detailFirst)
{
    if (m_detail)
        disconnect(m_detail, nullptr, this, nullptr);
    m_detail = detail;
    m_detailFirst = detailFirst;
    if (detail)
        connect(detail, &DataSet::changed, this, &EditingController::updateState);
    updateState();
}

void EditingController::setGrid(GridFrame* grid)
{
    m_grid = grid;
    updateState();
}

void EditingController::setKeyField(QWidget* field)
{
    m_keyField = field;
    updateState();
}

void EditingController::setDefaults(std::function<QVariantMap()> defaults, bool atCurrent)
{
    m_defaults = std::move(defaults);
    m_insertAtCurrent = atCurrent;
}

void EditingController::addRequired(const QString& column, const QString& text, QWidget* field)
{
    m_required.append({ { column, text, field ? field->objectName() : QString() }, field });
}

void EditingController::setCheck(std::function<Status()> check) { m_check = std::move(check); }

void EditingController::setAlongside(std::function<Status()> alongside) { m_alongside = std::move(alongside); }

void EditingController::setOptions(const ToolbarOptions& options)
{
    m_options = options;
    updateState();
}

void EditingController::setToolbarAdjust(std::function<void(ToolbarButtons&)> adjust)
{
    m_adjust = std::move(adjust);
    updateState();
}

void EditingController::setAskBeforeExit(bool ask)
{
    if (ask)
        m_window->setExitQuestion([this] { return isChanging(); });
    else
        m_window->setExitQuestion({});
}

void EditingController::setHandler(Action action, std::function<void()> handler)
{
    if (handler)
        m_handlers.insert(int(action), std::move(handler));
    else
        m_handlers.remove(int(action));
}

void EditingController::run(Action action)
{
    if (const auto it = m_handlers.constFind(int(action)); it != m_handlers.constEnd()) {
        (*it)();
        return;
    }
    switch (action) {
    case Action::Insert:
        insertRecord();
        break;
    case Action::Delete:
        deleteRecord();
        break;
    case Action::Post:
        saveRecords();
        break;
    case Action::Cancel:
        cancelRecords();
        break;
    case Action::Prior:
        priorRecord();
        break;
    case Action::Next:
        nextRecord();
        break;
    case Action::Search:
        searchRecords();
        break;
    case Action::Print:
        break; // the module's own
    }
}

bool EditingController::isChanging() const
{
    return m_main->isChanging() || (m_detail && m_detail->isChanging());
}

void EditingController::updateState()
{
    m_buttons = toolbarButtons(*m_main, m_detail.data(), m_window->rights(), m_options);
    if (m_adjust)
        m_adjust(m_buttons);
    applyToolbar(*m_window->toolbar(), m_buttons);
    if (m_grid)
        m_grid->setEnabled(!m_main->isChanging());
    if (m_keyField)
        ModuleWindow::styleKeyField(m_keyField, m_main->state() == DataSet::State::Insert);
}

void EditingController::refuse(const Refusal& refusal, QWidget* focus)
{
    Messages::instance().refuse(m_window, refusal);
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
}

void EditingController::insertRecord()
{
    if (!m_main->isActive())
        return;
    const QVariantMap defaults = m_defaults ? m_defaults() : QVariantMap();
    if (m_insertAtCurrent)
        m_main->insert(defaults);
    else
        m_main->append(defaults);
    if (m_keyField)
        m_keyField->setFocus(Qt::OtherFocusReason);
}

bool EditingController::saveRecords()
{
    if (!m_main->isActive())
        return false;
    if (m_main->isChanging()) {
        for (const Required& r : std::as_const(m_required)) {
            if (Status s = m_main->checkRequired({ r.field }); !s) {
                refuse(s.refusal(), r.widget);
                return false;
            }
        }
        if (m_check) {
            if (Status s = m_check(); !s) {
                refuse(s.refusal());
                return false;
            }
        }
    }
    QList<DataSet*> sets { m_main };
    if (m_detail)
        m_detailFirst ? sets.prepend(m_detail) : sets.append(m_detail);
    if (Status s = DataSet::saveAll(sets, m_alongside); !s) {
        refuse(s.refusal());
        return false;
    }
    Q_EMIT saved();
    return true;
}

void EditingController::cancelRecords()
{
    if (m_detail) {
        if (Status s = m_detail->cancel(); !s)
            refuse(s.refusal());
    }
    if (Status s = m_main->cancel(); !s)
        refuse(s.refusal());
}

void EditingController::deleteRecord()
{
    if (m_main->isEmpty() || !Messages::instance().confirmDelete(m_window))
        return;
    m_main->remove();
    if (Status s = m_main->save(); !s) {
        refuse(s.refusal());
        // The row stays where it is: show what the database holds.
        static_cast<void>(m_main->cancel());
    }
}

void EditingController::priorRecord() { m_main->prior(); }

void EditingController::nextRecord() { m_main->next(); }

void EditingController::searchRecords()
{
    if (m_searchColumns.isEmpty() || isChanging())
        return;
    if (Status s = m_main->search(m_searchColumns, m_window->toolbar()->edit1()->text()); !s)
        refuse(s.refusal());
}

} // namespace korvessa
