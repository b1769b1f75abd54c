#pragma once

#include "core/db/dataset.h"
#include "gui/shell/pickers/pickerframe.h"

namespace korvessa {

class GridFrame;

// "往來銀行" (rec_bankF): one of the company's bank accounts. The list stays
// empty until "搜尋"; the search keeps the banks whose number or name
// contains the text. After "ok" the chosen bank is the current row of rows()
// (bank_no, bank_acc, bank_name, bank_cur).
class BankPicker : public PickerFrame {
    Q_OBJECT
public:
    BankPicker(QSqlDatabase db, QString comp, QWidget* parent = nullptr);
    ~BankPicker() override;

    void search() override;

    const DataSet& rows() const { return m_rows; }
    QString value(const QString& column) const { return m_rows.text(column); }
    GridFrame* grid() const { return m_grid; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseRow(int row);

    DataSet m_rows;
    GridFrame* m_grid = nullptr;
};

} // namespace korvessa
