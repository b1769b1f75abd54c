#pragma once

#include "gui/shell/pickers/rowpicker.h"

namespace korvessa {

// "往來銀行" (rec_bankF): one of the company's bank accounts. The list stays
// empty until "搜尋"; the search keeps the banks whose number or name
// contains the text. After "ok" the chosen bank is the current row of rows()
// (bank_no, bank_acc, bank_name, bank_cur).
class BankPicker : public RowPicker {
    Q_OBJECT
public:
    BankPicker(QSqlDatabase db, QString comp, QWidget* parent = nullptr);
    ~BankPicker() override;

    void search() override;
};

} // namespace korvessa
