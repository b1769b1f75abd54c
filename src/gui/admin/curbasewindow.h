#pragma once

#include "core/db/dataset.h"
#include "gui/shell/modulewindow.h"

#include <QVariantMap>

#include <array>
#include <functional>

class QPushButton;
class QTabBar;
class QTabWidget;

namespace korvessa {

class GridFrame;

// "出納設定" (cur_baseF, B101): note banks by bank kind, the company's
// currencies, and the deposit categories, each list on its own tab with its
// own buttons; the toolbar only goes home or closes.
class CurBaseWindow : public ModuleWindow {
    Q_OBJECT
public:
    enum ListIndex { Banks = 0, Currencies = 1, DepositKinds = 2 };

    explicit CurBaseWindow(QWidget* parent = nullptr);
    ~CurBaseWindow() override;

    DataSet& banks() { return m_lists[Banks].set; }
    DataSet& currencies() { return m_lists[Currencies].set; }
    DataSet& depositKinds() { return m_lists[DepositKinds].set; }
    GridFrame* grid(ListIndex list) const { return m_lists[list].grid; }
    QPushButton* button(ListIndex list, int which) const; // 0 新增, 1 刪除, 2 存檔, 3 取消
    QTabWidget* tabs() const { return m_tabs; }
    QTabBar* bankKinds() const { return m_bankKinds; }

    // The rows of the selected bank kind that the list shows.
    int visibleBanks() const;

private:
    struct List {
        DataSet set;
        GridFrame* grid = nullptr;
        std::array<QPushButton*, 4> buttons {};
        QString key;
        std::function<QVariantMap()> defaults;
    };

    QWidget* buildPage(List& list, const QString& title);
    void addRow(List& list);
    void deleteRow(List& list);
    void saveList(List& list);
    void cancelList(List& list);
    void updateButtons();
    void showBankKind();
    bool refuse(const Status& status);

    std::array<List, 3> m_lists;
    QTabWidget* m_tabs = nullptr;
    QTabBar* m_bankKinds = nullptr;
};

} // namespace korvessa
