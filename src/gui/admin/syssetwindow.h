#pragma once

#include "core/db/dataset.h"
#include "gui/shell/modulewindow.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace korvessa {

class EditingController;
class FieldBinder;
class GridFrame;

// "公司設定" (sysset, A01): every company of the database with its letterhead,
// and on the tab "常用資料" the shared deposit categories.
class SyssetWindow : public ModuleWindow {
    Q_OBJECT
public:
    explicit SyssetWindow(QWidget* parent = nullptr);
    ~SyssetWindow() override;

    DataSet& companies() { return m_companies; }
    DataSet& commonData() { return m_common; }
    EditingController* editing() const { return m_editing; }

private:
    void buildCompanyTab(QWidget* page);
    void buildCommonTab(QWidget* page);
    void saveCompanyList();
    void removeCompany();
    void loadCommonData(const QString& text);
    void updateCommonButtons();

    DataSet m_companies;
    DataSet m_common;
    EditingController* m_editing = nullptr;
    FieldBinder* m_binder = nullptr;
    QTabWidget* m_tabs = nullptr;
    GridFrame* m_list = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QComboBox* m_kindCombo = nullptr;
    GridFrame* m_commonList = nullptr;
    QPushButton* m_commonAdd = nullptr;
    QPushButton* m_commonDelete = nullptr;
    QPushButton* m_commonSave = nullptr;
    bool m_commonLoaded = false;
};

} // namespace korvessa
