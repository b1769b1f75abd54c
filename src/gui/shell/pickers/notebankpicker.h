#pragma once

#include "core/db/dataset.h"
#include "gui/shell/pickers/pickerframe.h"

class QComboBox;

namespace korvessa {

class GridFrame;

// "票面銀行" (nb_recF): a drawee bank of the note-bank list, which every
// company shares. The search keeps the banks whose number or name contains
// the text, of the chosen kind when one is chosen. After "ok" the chosen
// bank is the current row of rows() (not_no, not_name).
class NoteBankPicker : public PickerFrame {
    Q_OBJECT
public:
    NoteBankPicker(QSqlDatabase db, QString comp, QWidget* parent = nullptr);
    ~NoteBankPicker() override;

    void search() override;

    const DataSet& rows() const { return m_rows; }
    QString value(const QString& column) const { return m_rows.text(column); }
    GridFrame* grid() const { return m_grid; }
    QComboBox* kindList() const { return m_kind; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseRow(int row);

    DataSet m_rows;
    QComboBox* m_kind = nullptr;
    GridFrame* m_grid = nullptr;
};

} // namespace korvessa
