#pragma once

#include "gui/shell/pickers/rowpicker.h"

class QComboBox;

namespace korvessa {

// "票面銀行" (nb_recF): a drawee bank of the note-bank list, which every
// company shares. The search keeps the banks whose number or name contains
// the text, of the chosen kind when one is chosen. After "ok" the chosen
// bank is the current row of rows() (not_no, not_name).
class NoteBankPicker : public RowPicker {
    Q_OBJECT
public:
    NoteBankPicker(QSqlDatabase db, QString comp, QWidget* parent = nullptr);
    ~NoteBankPicker() override;

    void search() override;

    QComboBox* kindList() const { return m_kind; }

private:
    QComboBox* m_kind = nullptr;
};

} // namespace korvessa
