#pragma once

#include "core/customers/labels.h"
#include "print/report.h"

#include <QDialog>
#include <QSqlDatabase>

#include <functional>

class QPushButton;

namespace korvessa {

class CustomerBrowser;
class GridFrame;

// "客戶標籤列印" (Tclabel, caption "標籤Korvessa"): the customers whose
// address labels are printed, one label a row. The customer register opens
// it modally; opening empties the user's list. "選取客戶" adds the customers
// chosen in the multi-select picker (shcus2), "刪除客戶" removes the current
// row, cells are edited in place; every change is written at once.
// "列印標籤" prints the labels through the template "label2".
class LabelWindow : public QDialog {
    Q_OBJECT
public:
    explicit LabelWindow(QWidget* parent = nullptr);
    ~LabelWindow() override;

    LabelSheet& sheet() { return m_sheet; }
    GridFrame* list() const { return m_grid; }
    QPushButton* chooseButton() const { return m_choose; }
    QPushButton* removeButton() const { return m_remove; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* closeButton() const { return m_close; }

    // Runs the picker modally; replaceable for tests, which choose rows and
    // close it themselves.
    void setBrowserRunner(std::function<void(CustomerBrowser&)> runner) { m_runBrowser = std::move(runner); }

    // "選取客戶": the picker, then a row for each customer chosen, in the
    // picker's list order.
    void chooseCustomers();
    // Adds the customers selected in a closed picker.
    void addFromBrowser(const CustomerBrowser& browser);
    // "刪除客戶".
    void removeCurrent();

    // What "列印標籤" hands to the preview: the sheet's rows ("label_rows")
    // and under each its labels ("ptemp", P01 … P05).
    print::Report buildReport() const;
    // "列印標籤": the preview of buildReport().
    void printLabels();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void report(const Status& status);
    void writeChanges();

    QSqlDatabase m_books;
    QString m_comp;
    LabelSheet m_sheet;
    GridFrame* m_grid = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_close = nullptr;
    std::function<void(CustomerBrowser&)> m_runBrowser;
    bool m_writeQueued = false;
};

} // namespace korvessa
