#include "gui/ledger/codefieldcheck.h"

#include "core/db/dataset.h"
#include "gui/shell/messages.h"

#include <QLineEdit>

namespace korvessa {

CodeFieldCheck::CodeFieldCheck(
    QWidget* window, QLineEdit* field, DataSet* set, QString column, Check check, Convert fromText, Convert toText)
    : QObject(field)
    , m_window(window)
    , m_field(field)
    , m_set(set)
    , m_column(std::move(column))
    , m_check(std::move(check))
    , m_fromText(std::move(fromText))
    , m_toText(std::move(toText))
{
    connect(field, &QLineEdit::editingFinished, this, [this] { commit(); });
    connect(set, &DataSet::currentRowChanged, this, &CodeFieldCheck::refresh);
    connect(set, &DataSet::wasReset, this, &CodeFieldCheck::refresh);
    connect(set, &DataSet::stateChanged, this, &CodeFieldCheck::refresh);
}

CodeFieldCheck::~CodeFieldCheck() = default;

bool CodeFieldCheck::commit()
{
    if (m_busy || !m_field || m_field->isReadOnly() || !m_set->isActive())
        return true;
    const QString code = m_fromText(m_field->text());
    const QString stored = m_set->text(m_column);
    if (code == stored)
        return true;
    m_busy = true; // the message box takes the focus: no second check meanwhile
    const Status s = m_check(code);
    if (!s) {
        m_field->setText(m_toText(stored));
        Messages::instance().refuse(m_window, s.refusal());
        m_field->setFocus(Qt::OtherFocusReason);
    } else {
        m_set->setValue(m_column, code);
    }
    m_busy = false;
    return s.ok();
}

void CodeFieldCheck::refresh()
{
    if (m_busy || !m_field)
        return;
    m_field->setText(m_set->isEmpty() ? QString() : m_toText(m_set->text(m_column)));
    m_field->setModified(false);
}

} // namespace korvessa
