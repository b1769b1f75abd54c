#pragma once

#include "core/db/dataset.h"
#include "gui/shell/editingcontroller.h"
#include "gui/shell/fieldbinder.h"
#include "gui/shell/modulewindow.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidgetItem;

namespace korvessa {

class ChartTreeView;
class CodeFieldCheck;
class CopySourcePanel;

// "科目類別" (acc_typeF): the account categories of the company, the record
// panel beside the read-only tree of major and sub-categories. A typed code
// already in use is refused when the code field is left; after a save or a
// delete the tree is rebuilt with the current category's node selected.
class AccountTypeWindow : public ModuleWindow {
    Q_OBJECT
public:
    explicit AccountTypeWindow(QWidget* parent = nullptr);
    ~AccountTypeWindow() override;

    DataSet& categories() { return m_categories; }
    ChartTreeView* tree() const { return m_tree; }
    QLineEdit* codeField() const { return m_code; }
    CopySourcePanel* copyPanel() const { return m_copyPanel; }

private:
    void save();
    void remove();
    void rebuildTree();
    void selectCurrent();
    void nodeClicked(QTreeWidgetItem* item);
    void copyFrom(const QString& company);
    void updateFrozen();

    DataSet m_categories;
    FieldBinder m_binder { &m_categories };
    EditingController m_editing { this, &m_categories };

    ChartTreeView* m_tree = nullptr;
    QLineEdit* m_code = nullptr;
    QLineEdit* m_system = nullptr;
    QLineEdit* m_nameCN = nullptr;
    QLineEdit* m_nameEN = nullptr;
    QComboBox* m_print = nullptr;
    QPushButton* m_copyButton = nullptr;
    CopySourcePanel* m_copyPanel = nullptr;
    CodeFieldCheck* m_codeCheck = nullptr;
};

} // namespace korvessa
