#pragma once

#include "core/common/result.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QLineEdit;
class QWidget;

namespace korvessa {

class DataSet;

// The code field of a chart window. Its text is not bound to the data set
// key by key: when the field is left (or before a save) the typed code is
// checked, and only a code that passes is written into the row. A refused
// code is shown with its message, the field gets the stored value back and
// keeps the focus.
class CodeFieldCheck : public QObject {
    Q_OBJECT
public:
    using Check = std::function<Status(const QString& code)>;
    using Convert = std::function<QString(const QString&)>;

    // `fromText` turns the field's text into the stored code, `toText` the
    // stored code into the field's text.
    CodeFieldCheck(
        QWidget* window, QLineEdit* field, DataSet* set, QString column, Check check, Convert fromText, Convert toText);
    ~CodeFieldCheck() override;

    // Takes a changed code after its check; false when it was refused.
    bool commit();
    // Shows the stored code of the current row.
    void refresh();

private:
    QPointer<QWidget> m_window;
    QPointer<QLineEdit> m_field;
    DataSet* m_set;
    QString m_column;
    Check m_check;
    Convert m_fromText;
    Convert m_toText;
    bool m_busy = false;
};

} // namespace korvessa
