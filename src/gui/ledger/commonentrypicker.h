#pragma once

#include "core/db/dataset.h"
#include "gui/shell/pickers/rowpicker.h"

class QLineEdit;
class QPushButton;

namespace korvessa {

class GridFrame;

// "常用分錄" (rec_samF): picks a stored entry of one type ("常用") and the
// amount it is to be loaded for. The list shows the company's entries
// whose number or remark match the keyword (the search box, as a LIKE
// pattern); the lines of the highlighted entry are shown below. A double
// click on the list or "載入" takes the entry when an amount other than 0
// was typed into "請輸入金額" ("請輸入金額！" otherwise) and the list is not
// empty; "離開" leaves with "no".
class CommonEntryPicker : public RowPicker {
    Q_OBJECT
public:
    CommonEntryPicker(QSqlDatabase db, QString comp, QString type, QWidget* parent = nullptr);
    ~CommonEntryPicker() override;

    void search() override;

    QLineEdit* amountEdit() const { return m_amount; }
    QPushButton* loadButton() const { return m_load; }
    GridFrame* lineGrid() const { return m_lineGrid; }
    const DataSet& entryLines() const { return m_lines; }

    // What a double click or "載入" does (the row of the list, -1 for the
    // current one).
    void choose(int row = -1);
    // After "ok": the entry's number and the amount typed.
    QString entryNumber() const;
    double amount() const { return m_chosenAmount; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showLines();

    QString m_type;
    DataSet m_lines;
    GridFrame* m_lineGrid = nullptr;
    QLineEdit* m_amount = nullptr;
    QPushButton* m_load = nullptr;
    double m_chosenAmount = 0;
};

} // namespace korvessa
