#pragma once

#include "gui/shell/pickers/pickerframe.h"

class QTreeWidgetItem;

namespace korvessa {

class ChartTreeView;

// "會計科目查詢" (rec_accF): an account from the chart's tree (categories,
// general and detail accounts). A double click on a node picks its code
// ("ok"): 7 digits for a detail account, 4 for a general one, 1 or 2 for a
// category, which most callers ignore. "離開" leaves with "no" and an empty
// code. The search box takes a code through the mask "9999-999"; "搜尋"
// selects the first account whose code begins with the digits typed.
class AccountPicker : public PickerFrame {
    Q_OBJECT
public:
    AccountPicker(QSqlDatabase db, QString comp, QWidget* parent = nullptr);
    ~AccountPicker() override;

    void search() override;

    // The chosen code without the dash; empty unless pickResult() is "ok".
    const QString& pickedAccount() const { return m_picked; }
    ChartTreeView* tree() const { return m_tree; }

    // What a double click on `item` does.
    void pickItem(QTreeWidgetItem* item);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();

    ChartTreeView* m_tree = nullptr;
    QString m_picked;
};

} // namespace korvessa
