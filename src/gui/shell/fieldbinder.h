#pragma once

#include "core/db/dataset.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace korvessa {

// Ties edit fields to columns of a data set's current row: moving to another
// row (or reading the rows again) shows its values, and typing into a field
// sets the value, which puts the row into Edit at the first key (a field of
// an empty data set makes a new row).
//
// A line edit bound to a text column of a known table takes that column's
// length as its limit, so that the database never sees a longer text; a
// module may set a narrower one afterwards.
class FieldBinder : public QObject {
    Q_OBJECT
public:
    explicit FieldBinder(DataSet* set, QObject* parent = nullptr);
    ~FieldBinder() override;

    void bind(QLineEdit* edit, const QString& column);
    void bind(QComboBox* combo, const QString& column);
    void bind(QPlainTextEdit* text, const QString& column);

    // The field bound to `column`, or null.
    QWidget* fieldFor(const QString& column) const;

    // Shows the current row's values again.
    void refresh();

private:
    struct Binding {
        QPointer<QWidget> widget;
        QString column;
    };

    void add(QWidget* widget, const QString& column);
    void show(const Binding& binding);
    void store(const QString& column, const QString& text);
    void applyLength(QLineEdit* edit, const QString& column) const;

    QPointer<DataSet> m_set;
    QList<Binding> m_bindings;
    bool m_showing = false;
};

} // namespace korvessa
