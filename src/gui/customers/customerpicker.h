#pragma once

#include "gui/customers/customerpickerbase.h"

namespace korvessa {

// "客戶查詢" (shcus): picks one customer. After it closes, pickResult() is
// "ok" when a customer was chosen, and text() reads the chosen row.
class CustomerPicker : public CustomerPickerBase {
    Q_OBJECT
public:
    explicit CustomerPicker(const QSqlDatabase& db, QWidget* parent = nullptr);
    ~CustomerPicker() override;

    const QString& pickResult() const { return m_pickResult; }
    // A column of the current row; empty when there is none.
    QString text(const QString& column) const;

    // "搜尋" and the double click, as the buttons and the list do them.
    void search();
    void choose();

private:
    QString m_pickResult = QStringLiteral("no");
};

} // namespace korvessa
