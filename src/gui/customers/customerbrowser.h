#pragma once

#include "gui/customers/customerpickerbase.h"

namespace korvessa {

// "客戶瀏覽" (shcus2): picks any number of customers. A click on a row adds
// it to the selection or takes it out; after the window closes,
// selectedRows() are the chosen rows of rows() (none after "離開").
class CustomerBrowser : public CustomerPickerBase {
    Q_OBJECT
public:
    explicit CustomerBrowser(const QSqlDatabase& db, QWidget* parent = nullptr);
    ~CustomerBrowser() override;

    QPushButton* selectAllButton() const { return m_selectAll; }
    QPushButton* doneButton() const { return m_done; }

    // The selected rows, in list order.
    QList<int> selectedRows() const;

    void search();
    void selectAll();
    // "離開": empties the list and the selection, then closes.
    void leave();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void read();

    QPushButton* m_selectAll = nullptr;
    QPushButton* m_done = nullptr;
    int m_wheel = 0; // eighths of a degree not yet turned into a step
};

} // namespace korvessa
