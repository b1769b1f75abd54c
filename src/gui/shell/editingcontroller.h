#pragma once

#include "core/common/result.h"
#include "core/common/toolbarrule.h"
#include "core/db/dataset.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariantMap>

#include <functional>

class QWidget;

namespace korvessa {

class GridFrame;
class ModuleWindow;

// The editing pattern of the module windows, wired once: the toolbar of a
// ModuleWindow drives a main DataSet (and a detail one where the module has
// it), and the toolbar, the main grid and the key field follow the data
// set's state.
//
// - "新增" makes a new row with the module's defaults and puts the focus on
//   the key field.
// - "存檔" checks the required fields ("資料錯誤" naming the first empty one,
//   the focus put there), then the module's own check (a duplicate key),
//   then writes every held change in one transaction; a refusal of the
//   database is shown with its own text and the held changes stay.
// - "取消" drops every held change and reads the rows again.
// - "刪除" asks "確定要刪除嗎?" and on Yes deletes the row at once.
// - "前筆" / "後筆" move; "搜尋" keeps the rows whose search columns contain
//   the text of Edit1.
// - After every move and change of state the toolbar rule is applied; the
//   main grid is disabled while the main rows are edited or inserted, and the
//   key field is writable (white) only while inserting.
//
// A module uses it like this:
//
//     BankWindow::BankWindow()
//     {
//         m_banks.setKeyColumns({ u"comp"_s, u"not_no"_s });
//         m_banks.open(books(), u"not_bank"_s,
//             u"select * from not_bank where comp = :comp order by not_no"_s, { { u":comp"_s, curComp() } });
//         m_binder.bind(m_noEdit, u"not_no"_s);       // QLineEdit named DBEdit1
//         m_binder.bind(m_nameEdit, u"not_name"_s);
//         m_list->showDataSet(&m_banks, { { u"not_no"_s, u"代號"_s, 60 }, { u"not_name"_s, u"名稱"_s } });
//
//         m_editing.setGrid(m_list);
//         m_editing.setKeyField(m_noEdit);
//         m_editing.setDefaults([this] { return QVariantMap { { u"comp"_s, curComp() } }; });
//         m_editing.addRequired(u"not_no"_s, u"銀行代號不可以為空!"_s, m_noEdit);
//         m_editing.setSearchColumns({ u"not_no"_s, u"not_name"_s });
//         m_editing.setAskBeforeExit(true);
//         m_editing.setHandler(EditingController::Action::Print, [this] { print(); });
//         m_editing.updateState();
//     }
//
// A module that acts differently on a button replaces its handler with
// setHandler() and may still call the default action (saveRecords() …) from it.
class EditingController : public QObject {
    Q_OBJECT
public:
    enum class Action { Insert, Delete, Post, Cancel, Print, Prior, Next, Search };

    EditingController(ModuleWindow* window, DataSet* main);
    ~EditingController() override;

    DataSet* main() const { return m_main; }
    DataSet* detail() const { return m_detail; }

    // A second data set edited with the main one: its changes enable "存檔"
    // and "取消" and are written in the same transaction, after the main
    // rows (or before them, with `detailFirst`).
    void setDetail(DataSet* detail, bool detailFirst = false);
    // The main grid: disabled while the main rows are edited or inserted.
    void setGrid(GridFrame* grid);
    // The key field: writable, white, only while a new row is inserted.
    void setKeyField(QWidget* field);
    // Values of a new row (column → value); append() unless `atCurrent`.
    void setDefaults(std::function<QVariantMap()> defaults, bool atCurrent = false);
    void addRequired(const QString& column, const QString& text, QWidget* field);
    // A check of the module's own before writing (a duplicate key …).
    void setCheck(std::function<Status()> check);
    // Rows the module writes in the same transaction, before the held ones.
    void setAlongside(std::function<Status()> alongside);
    void setSearchColumns(const QStringList& columns) { m_searchColumns = columns; }
    void setOptions(const ToolbarOptions& options);
    // A module condition narrowing the toolbar rule (a protected row …).
    void setToolbarAdjust(std::function<void(ToolbarButtons&)> adjust);
    // sbexit asks "確定要離開嗎?" while the data is being changed.
    void setAskBeforeExit(bool ask);
    // Replaces what a toolbar button does; nullptr restores the default.
    void setHandler(Action action, std::function<void()> handler);

    // The default actions.
    void insertRecord();
    bool saveRecords();
    void cancelRecords();
    void deleteRecord();
    void priorRecord();
    void nextRecord();
    void searchRecords();

    // Main or detail rows being edited or inserted.
    bool isChanging() const;
    // Sets toolbar, grid and key field from the data sets; runs by itself
    // after every change, call it once when the window is built.
    void updateState();
    ToolbarButtons buttons() const { return m_buttons; }

Q_SIGNALS:
    void saved();

private:
    struct Required {
        RequiredField field;
        QPointer<QWidget> widget;
    };

    void run(Action action);
    void refuse(const Refusal& refusal, QWidget* focus = nullptr);

    ModuleWindow* m_window;
    DataSet* m_main;
    QPointer<DataSet> m_detail;
    bool m_detailFirst = false;
    QPointer<GridFrame> m_grid;
    QPointer<QWidget> m_keyField;
    std::function<QVariantMap()> m_defaults;
    bool m_insertAtCurrent = false;
    QList<Required> m_required;
    std::function<Status()> m_check;
    std::function<Status()> m_alongside;
    QStringList m_searchColumns;
    ToolbarOptions m_options;
    std::function<void(ToolbarButtons&)> m_adjust;
    QHash<int, std::function<void()>> m_handlers;
    ToolbarButtons m_buttons;
};

} // namespace korvessa
