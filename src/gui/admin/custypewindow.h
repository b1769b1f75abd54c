#pragma once

#include "core/db/dataset.h"
#include "gui/shell/modulewindow.h"

class QPushButton;
class QTabBar;

namespace korvessa {

class GridFrame;

// "常用類別設定" (custype, B02): the short name lists of catlog, one kind per
// tab, kept in the order of entry.
class CustypeWindow : public ModuleWindow {
    Q_OBJECT
public:
    explicit CustypeWindow(QWidget* parent = nullptr);
    ~CustypeWindow() override;

    DataSet& categories() { return m_list; }
    QTabBar* kinds() const { return m_kinds; }
    GridFrame* grid() const { return m_grid; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* saveButton() const { return m_save; }
    QString currentKind() const;

private:
    void loadKind();

    DataSet m_list;
    int m_highest = 0;
    QTabBar* m_kinds = nullptr;
    GridFrame* m_grid = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_save = nullptr;
};

} // namespace korvessa
