#include "gui/shell/fieldbinder.h"

#include "core/db/dataset.h"
#include "core/db/schema.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace korvessa {

FieldBinder::FieldBinder(DataSet* set, QObject* parent)
    : QObject(parent)
    , m_set(set)
{
    connect(m_set, &DataSet::wasReset, this, [this] {
        for (const Binding& b : std::as_const(m_bindings)) {
            if (auto* edit = qobject_cast<QLineEdit*>(b.widget.data()))
                applyLength(edit, b.column);
        }
        refresh();
    });
    connect(m_set, &DataSet::currentRowChanged, this, &FieldBinder::refresh);
    connect(m_set, &DataSet::valueChanged, this, [this](int row, int column) {
        if (!m_set || row != m_set->currentRow())
            return;
        const QString name = m_set->columns().value(column);
        for (const Binding& b : std::as_const(m_bindings)) {
            if (b.column.compare(name, Qt::CaseInsensitive) == 0)
                show(b);
        }
    });
}

FieldBinder::~FieldBinder() = default;

void FieldBinder::bind(QLineEdit* edit, const QString& column)
{
    applyLength(edit, column);
    connect(edit, &QLineEdit::textEdited, this, [this, column](const QString& text) { store(column, text); });
    add(edit, column);
}

void FieldBinder::bind(QComboBox* combo, const QString& column)
{
    connect(combo, &QComboBox::currentTextChanged, this, [this, column](const QString& text) {
        if (!m_showing)
            store(column, text);
    });
    add(combo, column);
}

void FieldBinder::bind(QPlainTextEdit* text, const QString& column)
{
    connect(text, &QPlainTextEdit::textChanged, this, [this, text, column] {
        if (!m_showing)
            store(column, text->toPlainText());
    });
    add(text, column);
}

void FieldBinder::add(QWidget* widget, const QString& column)
{
    m_bindings.append({ widget, column });
    show(m_bindings.last());
}

QWidget* FieldBinder::fieldFor(const QString& column) const
{
    for (const Binding& b : m_bindings) {
        if (b.column.compare(column, Qt::CaseInsensitive) == 0)
            return b.widget;
    }
    return nullptr;
}

void FieldBinder::refresh()
{
    for (const Binding& b : std::as_const(m_bindings))
        show(b);
}

void FieldBinder::show(const Binding& b)
{
    if (!b.widget || !m_set)
        return;
    const QString text = m_set->value(b.column).toString();
    m_showing = true;
    if (auto* edit = qobject_cast<QLineEdit*>(b.widget.data())) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(b.widget.data())) {
        if (combo->isEditable())
            combo->setEditText(text);
        else
            combo->setCurrentIndex(combo->findText(text));
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(b.widget.data())) {
        if (plain->toPlainText() != text)
            plain->setPlainText(text);
    }
    m_showing = false;
}

void FieldBinder::store(const QString& column, const QString& text)
{
    if (m_set && m_set->isActive() && m_set->value(column).toString() != text)
        m_set->setValue(column, text);
}

void FieldBinder::applyLength(QLineEdit* edit, const QString& column) const
{
    // Only a limit nobody has set yet.
    if (edit->maxLength() != 32767)
        return;
    const TableDef* table = !m_set || m_set->table().isEmpty() ? nullptr : findTable(m_set->table());
    const ColumnDef* def = table ? table->column(column) : nullptr;
    if (def && def->type == ColumnType::Text && def->length > 0)
        edit->setMaxLength(def->length);
}

} // namespace korvessa
