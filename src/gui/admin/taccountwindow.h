#pragma once

#include "core/db/dataset.h"
#include "gui/shell/modulewindow.h"

#include <QList>

class QComboBox;
class QLineEdit;
class QModelIndex;
class QPushButton;

namespace korvessa {

class EditingController;
class FieldBinder;
class GridFrame;

// "使用者權限設定" (Taccount, A02): the users who may sign in and their rights
// per program, with the template rights of sampleright and batch setting.
class TaccountWindow : public ModuleWindow {
    Q_OBJECT
public:
    explicit TaccountWindow(QWidget* parent = nullptr);
    ~TaccountWindow() override;

    DataSet& users() { return m_users; }
    DataSet& rightsList() { return m_rights; }
    EditingController* editing() const { return m_editing; }
    GridFrame* userGrid() const { return m_userGrid; }
    GridFrame* rightsGrid() const { return m_rightsGrid; }
    QPushButton* loadButton() const { return m_load; }
    QPushButton* deleteRightButton() const { return m_deleteRight; }
    QPushButton* batchButton() const { return m_batch; }
    QPushButton* batchLoadButton() const { return m_batchLoad; }
    QWidget* batchPanel() const { return m_panel; }
    const QList<QComboBox*>& batchValues() const { return m_values; }

    // Double-click on a rights cell: flips a Y/N right.
    void flipCell(const QModelIndex& index);

private:
    QString currentUser() const;
    void showRights();
    void saveAll();
    void cancelUser();
    void removeUser();
    void loadTemplate();
    void loadBatch();
    void updateButtons();
    bool refuse(const Status& status);

    DataSet m_users;
    DataSet m_rights;
    EditingController* m_editing = nullptr;
    FieldBinder* m_binder = nullptr;
    QLineEdit* m_noEdit = nullptr;
    GridFrame* m_userGrid = nullptr;
    GridFrame* m_rightsGrid = nullptr;
    QPushButton* m_load = nullptr;
    QPushButton* m_deleteRight = nullptr;
    QPushButton* m_batch = nullptr;
    QPushButton* m_batchLoad = nullptr;
    QPushButton* m_close = nullptr;
    QWidget* m_panel = nullptr;
    QList<QComboBox*> m_values;
    QString m_shownUser;
};

} // namespace korvessa
